// Sealing and opening a recharge-sized file (3 MB) the way the program does:
// DES-CBC content, MD5 signature, 512-bit keys, one recipient.
#include "codec/envelope.h"
#include "codec/randomsource.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace pluvexa;

constexpr std::size_t kFileSize = 3 * 1024 * 1024;

struct Setup {
    fs::path dir;
    fs::path plain, sealed, opened;
    KeyPair signer, recipient;

    Setup()
    {
        dir = fs::temp_directory_path() / ("pluvexa-envelope-bench-" + std::to_string(::getpid()));
        fs::create_directories(dir);
        plain = dir / "plain";
        sealed = dir / "sealed";
        opened = dir / "opened";
        std::ofstream out(plain, std::ios::binary);
        std::string block(4096, '\0');
        for (std::size_t i = 0; i < kFileSize; i += block.size()) {
            for (std::size_t j = 0; j < block.size(); ++j)
                block[j] = static_cast<char>((i + j) * 2654435761u >> 13);
            out.write(block.data(), static_cast<std::streamsize>(block.size()));
        }
        auto rng = new_system_random();
        signer = *generate_key_pair(512, *rng);
        recipient = *generate_key_pair(512, *rng);
    }
    ~Setup() { fs::remove_all(dir); }
};

Setup& setup()
{
    static Setup s;
    return s;
}

void BM_SealFile(benchmark::State& state)
{
    Setup& s = setup();
    const PublicKeyRecord to[] = {s.recipient.publicRecord};
    const int cipher = static_cast<int>(state.range(0));
    for (auto _ : state) {
        const int rc = seal_file(s.plain, s.sealed, s.signer.privateRecord, to, {}, cipher, kDigestMd5);
        if (rc != kEnvelopeOk)
            state.SkipWithError("seal_file failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFileSize));
}

void BM_OpenSealedFile(benchmark::State& state)
{
    Setup& s = setup();
    const PublicKeyRecord to[] = {s.recipient.publicRecord};
    const int cipher = static_cast<int>(state.range(0));
    if (seal_file(s.plain, s.sealed, s.signer.privateRecord, to, {}, cipher, kDigestMd5) != 0) {
        state.SkipWithError("seal_file failed");
        return;
    }
    for (auto _ : state) {
        const int rc = open_sealed_file(s.sealed, s.opened, s.recipient.privateRecord,
                                        s.signer.publicRecord, 0);
        if (rc != kEnvelopeOk)
            state.SkipWithError("open_sealed_file failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFileSize));
}

}  // namespace

BENCHMARK(BM_SealFile)->Arg(kCipherDesCbc)->Arg(kCipherDesEde3Cbc)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenSealedFile)->Arg(kCipherDesCbc)->Arg(kCipherDesEde3Cbc)->Unit(benchmark::kMillisecond);
