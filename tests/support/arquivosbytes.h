#pragma once

// Files as the tests of the parts without Qt (the codec, the command line's
// core) make and read them: whole, as bytes, outside the program's file
// layer. arquivosteste.h adds the same for QString paths.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace pluvexa::test {

// The file's bytes; none when it cannot be read (so an absent output and
// an empty one read alike).
inline std::vector<std::uint8_t> leBytes(const std::filesystem::path& caminho)
{
    std::ifstream f(caminho, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(f), {});
}

inline void gravaBytes(const std::filesystem::path& caminho, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream f(caminho, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(f.good()) << caminho;
}

}  // namespace pluvexa::test
