// Runs a fuzz target's entry point once per seed file, so that every seed
// corpus is checked by the ordinary test run (g++, no libFuzzer). A target
// aborts on a finding, which fails the test. Usage: <driver> DIR...

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv)
{
    int seeds = 0;
    for (int a = 1; a < argc; ++a) {
        std::vector<std::filesystem::path> files;
        for (const auto& e : std::filesystem::directory_iterator(argv[a]))
            if (e.is_regular_file())
                files.push_back(e.path());
        std::sort(files.begin(), files.end());
        for (const auto& f : files) {
            std::ifstream in(f, std::ios::binary);
            const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                                  std::istreambuf_iterator<char>());
            std::printf("%s (%zu bytes)\n", f.string().c_str(), bytes.size());
            std::fflush(stdout);
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
            ++seeds;
        }
    }
    std::printf("%d seeds\n", seeds);
    return seeds > 0 ? 0 : 1;
}
