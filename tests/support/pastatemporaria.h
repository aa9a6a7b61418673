#pragma once

// A fresh folder for one test, without Qt, removed with all it holds when
// the object goes: what the tests of the parts without Qt (the codec, the
// file layer's core, the command line's core) use on Linux and on Windows
// alike. It lies in the system's temporary folder.

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace pluvexa::test {

class PastaTemporaria {
public:
    PastaTemporaria()
    {
        std::error_code erro;
        const std::filesystem::path base = std::filesystem::temp_directory_path(erro);
        std::random_device semente;
        std::mt19937_64 gerador(semente());
        for (int tentativa = 0; tentativa < 100 && m_caminho.empty(); ++tentativa) {
            const std::filesystem::path p = base / ("pluvexa-teste-" + std::to_string(gerador() % 1000000000));
            if (std::filesystem::create_directory(p, erro))
                m_caminho = p;
        }
        EXPECT_FALSE(m_caminho.empty()) << "no temporary folder in " << base << ": " << erro.message();
    }
    ~PastaTemporaria()
    {
        std::error_code erro;
        if (!m_caminho.empty())
            std::filesystem::remove_all(m_caminho, erro);
    }
    PastaTemporaria(const PastaTemporaria&) = delete;
    PastaTemporaria& operator=(const PastaTemporaria&) = delete;

    const std::filesystem::path& caminho() const { return m_caminho; }
    // `nome` (UTF-8) inside the folder.
    std::filesystem::path operator/(const std::string& nome) const
    {
        return m_caminho / std::filesystem::path(std::u8string(nome.begin(), nome.end()));
    }
    // The same as the file layer and the command line take paths: UTF-8
    // text, with the system's separators.
    std::string texto(const std::string& nome = {}) const
    {
        const std::u8string u = (nome.empty() ? m_caminho : *this / nome).u8string();
        return std::string(u.begin(), u.end());
    }

private:
    std::filesystem::path m_caminho;
};

}  // namespace pluvexa::test
