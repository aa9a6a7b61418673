// The file layer's single-file step without Qt, as the command line's coder
// and envelope commands use it: a new file stands complete under its name or
// the old one stays, and no part is left behind, whatever fails.

#include "files/arquivoseguro.h"
#include "files/core/parte.h"
#include "support/arquivosteste.h"

#include <QDir>
#include <QTemporaryDir>
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

class ParteSemQt : public ::testing::TestWithParam<Caso> {
protected:
    QTemporaryDir dir;
    std::string destino() const { return dir.filePath("out").toStdString(); }
};

TEST_P(ParteSemQt, NewFileCompleteOrOldFileKept)
{
    const Caso& c = GetParam();
    test::grava(dir.filePath("out"), "old");
    FalhasArquivo falhas(c.falhaNa, c.codigo);
    FalhaArquivo erro;
    auto escreve = [&](const std::filesystem::path& p) {
        std::ofstream(p, std::ios::binary) << "new";
        if (c.escritor == Escritor::Lanca)
            throw std::runtime_error("writer failed");
        return c.escritor == Escritor::Escreve;
    };
    if (c.escritor == Escritor::Lanca) {
        EXPECT_THROW(parte::produz(destino(), escreve, erro), std::runtime_error);
    } else {
        EXPECT_EQ(parte::produz(destino(), escreve, erro), c.esperado);
        QString esperada = QString::fromLatin1(c.mensagem);
        esperada.replace("{T}", QDir::toNativeSeparators(dir.filePath(".out.")));
        esperada.replace("{F}", QDir::toNativeSeparators(dir.filePath("out")));
        EXPECT_TRUE(QString::fromStdString(erro.mensagem).startsWith(esperada)) << erro.mensagem;
        const QString frase = QString::fromUtf8(c.frase).replace("{F}", QDir::toNativeSeparators(dir.filePath("out")));
        EXPECT_EQ(erro.houve(), c.esperado != parte::Resultado::Colocado);
        if (erro.houve())
            EXPECT_EQ(QString::fromStdString(pluvexa::frase(erro)), frase);
    }
    EXPECT_EQ(test::le(dir.filePath("out")),
              c.esperado == parte::Resultado::Colocado ? QByteArray("new") : QByteArray("old"));
    // No temporary stays, whatever failed.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList{"out"});
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

}  // namespace
}  // namespace pluvexa
