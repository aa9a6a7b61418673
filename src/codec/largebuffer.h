#pragma once

// Memory for the coder's tables and whole files. Blocks from 256 KiB up are
// mapped in 2 MiB pages where the system offers them, and arrive zeroed: a
// 3 MB output or the compressor's 640 KB of tables then cost one or two
// page faults instead of hundreds, which on a busy or virtual machine is a
// large part of a whole run. Smaller blocks are left uninitialised unless
// asked for zeroed.

#include <cstddef>
#include <cstdint>

namespace pluvexa::lzw {

class LargeBuffer {
public:
    enum Fill { Uninitialised, Zeroed };
    // Throws std::bad_alloc when the memory cannot be had.
    explicit LargeBuffer(std::size_t size, Fill fill = Uninitialised);
    ~LargeBuffer();
    LargeBuffer(const LargeBuffer&) = delete;
    LargeBuffer& operator=(const LargeBuffer&) = delete;

    std::uint8_t* data() const { return data_; }

private:
    std::uint8_t* data_ = nullptr;
    std::size_t mapped_ = 0;
};

}  // namespace pluvexa::lzw
