// libFuzzer target: opening arbitrary bytes as an envelope with the
// demonstration keys (opened as the central, sender the program's own key)
// must neither crash nor read out of bounds nor allocate by untrusted lengths.
#include "codec/envelope.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <streambuf>
#include <string>

namespace {

// Takes every byte and keeps none, so writes never fail.
class Discard : public std::streambuf {
protected:
    int overflow(int c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

template <typename Record>
Record load(const char* name)
{
    const std::string path = std::string(PLUVEXA_KEY_DIR) + "/" + name;
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Record r{};
    if (bytes.size() != r.size()) {
        std::fprintf(stderr, "cannot read key record %s\n", path.c_str());
        std::abort();
    }
    std::copy(bytes.begin(), bytes.end(), r.begin());
    return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const auto central = load<pluvexa::PrivateKeyRecord>("central.private");
    static const auto own = load<pluvexa::PublicKeyRecord>("own.public");
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    Discard sink;
    std::ostream out(&sink);
    pluvexa::open_sealed_stream(in, out, central, own, 0);
    return 0;
}
