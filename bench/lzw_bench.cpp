#include "codec/lzw.h"
#include "recharge_text.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

const std::vector<std::uint8_t>& plainText()
{
    static const std::vector<std::uint8_t> text = [] {
        const std::string s = pluvexa::rechargeText(10000);
        return std::vector<std::uint8_t>(s.begin(), s.end());
    }();
    return text;
}

const std::vector<std::uint8_t>& compressedText()
{
    static const std::vector<std::uint8_t> stream = pluvexa::lzw::compress(plainText());
    return stream;
}

void BM_LzwCompressRechargeText(benchmark::State& state)
{
    const auto& plain = plainText();
    for (auto _ : state)
        benchmark::DoNotOptimize(pluvexa::lzw::compress(plain));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * plain.size()));
    state.counters["plain_bytes"] = static_cast<double>(plain.size());
    state.counters["stream_bytes"] = static_cast<double>(compressedText().size());
}
BENCHMARK(BM_LzwCompressRechargeText)->Unit(benchmark::kMillisecond);

void BM_LzwExpandRechargeText(benchmark::State& state)
{
    const auto& stream = compressedText();
    for (auto _ : state)
        benchmark::DoNotOptimize(pluvexa::lzw::expand(stream));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * plainText().size()));
}
BENCHMARK(BM_LzwExpandRechargeText)->Unit(benchmark::kMillisecond);

}  // namespace
