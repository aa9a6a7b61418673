// Writes the benchmark recharge text to a file, so that other coders can be
// timed on exactly the bytes the benchmarks use.
// Usage: write_recharge_text OUT [DETAIL_LINES]

#include "../recharge_text.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUT [DETAIL_LINES]\n", argv[0]);
        return 2;
    }
    const int lines = argc > 2 ? std::atoi(argv[2]) : 10000;
    const std::string text = pluvexa::rechargeText(lines);
    std::FILE* f = std::fopen(argv[1], "wb");
    if (!f)
        return 1;
    const bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    return std::fclose(f) == 0 && ok ? 0 : 1;
}
