#include "codec/largebuffer.h"

#include <cstdint>
#include <new>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace pluvexa::lzw {

LargeBuffer::LargeBuffer(std::size_t size, Fill fill)
{
#ifdef __linux__
    constexpr std::size_t kHuge = std::size_t{2} << 20;
    if (size >= kHuge / 8) {
        // Mapped with a huge page's worth to spare, then trimmed to start on
        // a huge page boundary, where the system can use one.
        mapped_ = (size + kHuge - 1) / kHuge * kHuge;
        void* p = ::mmap(nullptr, mapped_ + kHuge, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (p == MAP_FAILED)
            throw std::bad_alloc();
        const auto start = reinterpret_cast<std::uintptr_t>(p);
        const std::uintptr_t aligned = (start + kHuge - 1) / kHuge * kHuge;
        if (aligned > start)
            ::munmap(p, aligned - start);
        if (aligned < start + kHuge)
            ::munmap(reinterpret_cast<void*>(aligned + mapped_), start + kHuge - aligned);
        data_ = reinterpret_cast<std::uint8_t*>(aligned);
        ::madvise(data_, mapped_, MADV_HUGEPAGE);  // a hint: without it, ordinary pages
        return;
    }
#endif
    const std::size_t n = size == 0 ? 1 : size;
    data_ = fill == Zeroed ? new std::uint8_t[n]() : new std::uint8_t[n];
}

LargeBuffer::~LargeBuffer()
{
#ifdef __linux__
    if (mapped_) {
        ::munmap(data_, mapped_);
        return;
    }
#endif
    delete[] data_;
}

}  // namespace pluvexa::lzw
