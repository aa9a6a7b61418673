#pragma once

// Shared by the file core's tests without Qt: files made and read whole,
// the names a folder holds, and the gate made to fail one operation.

#include "files/core/portao.h"
#include "support/pastatemporaria.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace pluvexa::test {

// A UTF-8 path as the tests' own calls take it (no prefix: those of the
// layer are what is tested).
inline std::filesystem::path de(const std::string& utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string texto(const std::filesystem::path& caminho)
{
    std::ifstream f(caminho, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

inline void grava(const std::filesystem::path& caminho, const std::string& conteudo)
{
    std::ofstream f(caminho, std::ios::binary | std::ios::trunc);
    f << conteudo;
    ASSERT_TRUE(f.good()) << caminho;
}

// The names in `pasta` (hidden ones too), in order, as UTF-8.
inline std::vector<std::string> nomes(const std::filesystem::path& pasta)
{
    std::vector<std::string> n;
    for (const auto& e : std::filesystem::directory_iterator(pasta)) {
        const std::u8string u = e.path().filename().u8string();
        n.emplace_back(u.begin(), u.end());
    }
    std::sort(n.begin(), n.end());
    return n;
}

// While it lives, the layer's operation `falhaNa` (from 1) fails with the
// system error `codigo` (0: "Simulated failure.").
class PortaoFalha {
public:
    PortaoFalha(int falhaNa, int codigo)
    {
        m_contagem.falhaNa = falhaNa;
        m_contagem.codigo = codigo;
        portao::instala(&m_contagem);
    }
    ~PortaoFalha() { portao::instala(nullptr); }
    PortaoFalha(const PortaoFalha&) = delete;
    PortaoFalha& operator=(const PortaoFalha&) = delete;

private:
    portao::Contagem m_contagem;
};

}  // namespace pluvexa::test
