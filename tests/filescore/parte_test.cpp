// The file layer's single-file step without Qt, as the command line's coder
// and envelope commands use it: a new file stands complete under its name or
// the old one stays, and no part is left behind, whatever fails.

#include "files/core/parte.h"
#include "files/core/temporario.h"
#include "nucleoteste.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#endif

namespace pluvexa {
namespace {

enum class Escritor { Escreve, Falha, Lanca };

#ifdef _WIN32
constexpr int kSoLeitura = ERROR_WRITE_PROTECT, kEmUso = ERROR_SHARING_VIOLATION;
#else
constexpr int kSoLeitura = EROFS, kEmUso = EBUSY;
#endif

struct Caso {
    const char* nome;
    Escritor escritor;
    int falhaNa;  // operation of the layer made to fail (0: none)
    int codigo;   // the system error it fails with (0: a simulated failure)
    parte::Resultado esperado;
    const char* mensagem;  // start of the message: {T} the start of a temporary's path, {F} the final path
    const char* frase;     // the windows' sentence for the same failure
};

std::string troca(std::string s, const std::string& marca, const std::string& por)
{
    if (const auto i = s.find(marca); i != std::string::npos)
        s.replace(i, marca.size(), por);
    return s;
}

// A path with the system's separators, as messages show it (unquoted).
std::string nativo(const std::string& caminho)
{
    const std::string v = parte::visivel(caminho);
    return v.substr(1, v.size() - 2);
}

class ParteSemQt : public ::testing::TestWithParam<Caso> {
protected:
    test::PastaTemporaria dir;
    std::string destino() const { return dir.texto("out"); }
};

TEST_P(ParteSemQt, NewFileCompleteOrOldFileKept)
{
    const Caso& c = GetParam();
    test::grava(dir / "out", "old");
    FalhaArquivo erro;
    auto escreve = [&](const std::filesystem::path& p) {
        std::ofstream(p, std::ios::binary) << "new";
        if (c.escritor == Escritor::Lanca)
            throw std::runtime_error("writer failed");
        return c.escritor == Escritor::Escreve;
    };
    {
        const test::PortaoFalha portao(c.falhaNa, c.codigo);
        if (c.escritor == Escritor::Lanca) {
            EXPECT_THROW(parte::produz(destino(), escreve, erro), std::runtime_error);
        } else {
            EXPECT_EQ(parte::produz(destino(), escreve, erro), c.esperado);
            const std::string esperada =
                troca(troca(c.mensagem, "{T}", nativo(dir.texto(".out."))), "{F}", nativo(destino()));
            EXPECT_EQ(erro.mensagem.substr(0, esperada.size()), esperada) << erro.mensagem;
            EXPECT_EQ(erro.houve(), c.esperado != parte::Resultado::Colocado);
            if (erro.houve()) {
                EXPECT_EQ(pluvexa::frase(erro), troca(c.frase, "{F}", nativo(destino())));
            }
        }
    }
    EXPECT_EQ(test::texto(dir / "out"), c.esperado == parte::Resultado::Colocado ? "new" : "old");
    // No temporary stays, whatever failed, and none is still counted.
    EXPECT_EQ(test::nomes(dir.caminho()), std::vector<std::string>{"out"});
    EXPECT_EQ(temporario::pendentes(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, ParteSemQt,
    ::testing::Values(
        Caso{"written", Escritor::Escreve, 0, 0, parte::Resultado::Colocado, "", ""},
        Caso{"writer_fails", Escritor::Falha, 0, 0, parte::Resultado::EscritorFalhou, "Cannot write file \"{T}",
             "Não foi possível gravar o arquivo {F}: o conteúdo não pôde ser gerado."},
        Caso{"writer_throws", Escritor::Lanca, 0, 0, parte::Resultado::EscritorFalhou, "", ""},
        Caso{"part_cannot_be_created", Escritor::Escreve, 1, 0, parte::Resultado::PassoFalhou,
             "Cannot create a temporary file for \"{F}\". Simulated failure.",
             "Não foi possível criar o arquivo {F}: falha simulada."},
        Caso{"part_on_a_read_only_disk", Escritor::Escreve, 1, kSoLeitura, parte::Resultado::PassoFalhou,
             "Cannot create a temporary file for \"{F}\". ",
             "Não foi possível criar o arquivo {F}: disco somente para leitura."},
        Caso{"rename_fails", Escritor::Escreve, 2, 0, parte::Resultado::PassoFalhou, "Cannot rename file \"{T}",
             "Não foi possível renomear o arquivo {F}: falha simulada."},
        Caso{"rename_on_a_busy_file", Escritor::Escreve, 2, kEmUso, parte::Resultado::PassoFalhou,
             "Cannot rename file \"{T}", "Não foi possível renomear o arquivo {F}: arquivo em uso."}),
    [](const auto& info) { return std::string(info.param.nome); });

// A folder or a name in a missing folder is refused before anything is
// made, in the command line's words.
TEST(ParteRecusa, FolderOrMissingFolderLeavesNothing)
{
    test::PastaTemporaria dir;
    std::filesystem::create_directory(dir / "pasta");
    FalhaArquivo erro;
    auto escreve = [](const std::filesystem::path& p) { return bool(std::ofstream(p) << "x"); };
    EXPECT_EQ(parte::produz(dir.texto("pasta"), escreve, erro), parte::Resultado::PassoFalhou);
    EXPECT_EQ(erro.mensagem, parte::visivel(dir.texto("pasta")) + " is not a regular file");
    const std::string semPasta = dir.texto("falta") + (dir.texto().find('\\') != std::string::npos ? "\\x" : "/x");
    EXPECT_EQ(parte::produz(semPasta, escreve, erro), parte::Resultado::PassoFalhou);
    EXPECT_EQ(erro.operacao, Operacao::Criar);
    EXPECT_EQ(erro.mensagem.rfind("Cannot create a temporary file for " + parte::visivel(semPasta) + ". ", 0), 0u)
        << erro.mensagem;
    EXPECT_NE(erro.motivo.codigo, 0);
    EXPECT_EQ(test::nomes(dir.caminho()), std::vector<std::string>{"pasta"});
}

}  // namespace
}  // namespace pluvexa
