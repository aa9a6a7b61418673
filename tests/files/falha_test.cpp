// Why a file step failed, in the operator's words: each system error number
// the windows name, the sentence for each operation, and the command
// line's English kept from the same data.

#include "files/arquivoseguro.h"
#include "files/core/falha.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace pluvexa {
namespace {

#ifdef _WIN32
constexpr int kDiscoCheio = ERROR_DISK_FULL;
#else
constexpr int kDiscoCheio = ENOSPC;
#endif

struct Razao {
    const char* nome;
    int codigo;
    const char* motivo;  // the windows' words
    bool deGravacao;     // a write meets it when the device cannot take the bytes
};

void PrintTo(const Razao& r, std::ostream* os)
{
    *os << r.nome;
}

class PorCodigo : public ::testing::TestWithParam<Razao> {};

TEST_P(PorCodigo, TheReasonAndTheSentenceInPortuguese)
{
    const Razao& r = GetParam();
    EXPECT_EQ(motivoEmPortugues(r.codigo), r.motivo);
    const Motivo motivo = Motivo::sistema(r.codigo);
    EXPECT_EQ(emPortugues(motivo), r.motivo);
    EXPECT_EQ(frase(Operacao::Gravar, "/dados/PX_00123_0007_2612101530_2.REC", motivo),
              std::string("Não foi possível gravar o arquivo /dados/PX_00123_0007_2612101530_2.REC: ") + r.motivo + '.');
    EXPECT_EQ(falhaDeGravacao(r.codigo), r.deGravacao);
}

#ifdef _WIN32
INSTANTIATE_TEST_SUITE_P(
    Windows, PorCodigo,
    ::testing::Values(Razao{"disk_full", ERROR_DISK_FULL, "disco cheio", true},
                      Razao{"handle_disk_full", ERROR_HANDLE_DISK_FULL, "disco cheio", true},
                      Razao{"access_denied", ERROR_ACCESS_DENIED, "sem permissão", false},
                      Razao{"file_not_found", ERROR_FILE_NOT_FOUND, "arquivo ou pasta não encontrado", false},
                      Razao{"path_not_found", ERROR_PATH_NOT_FOUND, "arquivo ou pasta não encontrado", false},
                      Razao{"write_protect", ERROR_WRITE_PROTECT, "disco somente para leitura", true},
                      Razao{"sharing_violation", ERROR_SHARING_VIOLATION, "arquivo em uso", false},
                      Razao{"lock_violation", ERROR_LOCK_VIOLATION, "arquivo em uso", false},
                      Razao{"filename_exced_range", ERROR_FILENAME_EXCED_RANGE, "nome longo demais", false},
                      Razao{"crc", ERROR_CRC, "erro de leitura ou gravação no dispositivo", true},
                      Razao{"io_device", ERROR_IO_DEVICE, "erro de leitura ou gravação no dispositivo", true}),
    [](const auto& info) { return std::string(info.param.nome); });
#else
INSTANTIATE_TEST_SUITE_P(
    Posix, PorCodigo,
    ::testing::Values(Razao{"ENOSPC", ENOSPC, "disco cheio", true},
                      Razao{"EACCES", EACCES, "sem permissão", false},
                      Razao{"EPERM", EPERM, "sem permissão", false},
                      Razao{"ENOENT", ENOENT, "arquivo ou pasta não encontrado", false},
                      Razao{"EROFS", EROFS, "disco somente para leitura", true},
                      Razao{"EBUSY", EBUSY, "arquivo em uso", false},
                      Razao{"ETXTBSY", ETXTBSY, "arquivo em uso", false},
                      Razao{"ENAMETOOLONG", ENAMETOOLONG, "nome longo demais", false},
                      Razao{"EIO", EIO, "erro de leitura ou gravação no dispositivo", true}),
    [](const auto& info) { return std::string(info.param.nome); });
#endif

// Any other number is named with the system's own text, which the command
// line shows too.
TEST(OutroCodigo, IsTheSystemsNumberAndText)
{
#ifdef _WIN32
    const int codigo = ERROR_NOT_SAME_DEVICE;
#else
    const int codigo = EXDEV;
    EXPECT_EQ(Motivo::sistema(codigo).ingles, std::string(std::strerror(codigo)) + '.');
    EXPECT_EQ(Motivo::sistema(ENOSPC).ingles, "No space left on device.");
#endif
    const std::string texto = textoDoSistema(codigo);
    ASSERT_FALSE(texto.empty());
    EXPECT_NE(texto.back(), '.');
    EXPECT_EQ(motivoEmPortugues(codigo), "erro do sistema " + std::to_string(codigo) + ": " + texto);
    EXPECT_FALSE(falhaDeGravacao(codigo));
    EXPECT_FALSE(falhaDeGravacao(0));
}

TEST(Frase, EachOperationHasItsVerbAFolderItsNounAndTheLayersOwnReasonItsWords)
{
    const Motivo motivo = Motivo::sistema(codigoAusente());
    const std::string ausente = motivoEmPortugues(codigoAusente());
    const struct {
        Operacao operacao;
        const char* verbo;
    } casos[] = {{Operacao::Criar, "criar"},     {Operacao::Gravar, "gravar"}, {Operacao::Renomear, "renomear"},
                 {Operacao::Apagar, "apagar"},   {Operacao::Copiar, "copiar"}, {Operacao::Ler, "ler"}};
    for (const auto& c : casos)
        EXPECT_EQ(frase(c.operacao, "E:\\PX_1.rec", motivo),
                  std::string("Não foi possível ") + c.verbo + " o arquivo E:\\PX_1.rec: " + ausente + '.');
    EXPECT_EQ(frase(Operacao::Ler, "/mnt/pendrive", motivo, true),
              "Não foi possível ler a pasta /mnt/pendrive: " + ausente + '.');
    EXPECT_EQ(frase(Operacao::Renomear, "/x/a", Motivo::proprio("It was replaced.", "foi substituído")),
              "Não foi possível renomear o arquivo /x/a: foi substituído.");
}

// The layer's failure renders both ways from one record; the windows read
// the path with the system's separators.
TEST(Frase, TheLayersFailureInBothLanguages)
{
    QTemporaryDir dir;
    const QString destino = dir.filePath(QStringLiteral("nao/existe/planilha.csv"));
    FalhaArquivo falha;
    ASSERT_FALSE(gravaArquivo(destino, "x", Durabilidade::Comum, &falha));
    EXPECT_EQ(falha.operacao, Operacao::Criar);
    EXPECT_EQ(falha.motivo.codigo, codigoAusente());
    EXPECT_EQ(textoJanela(falha), QStringLiteral("Não foi possível criar o arquivo %1: arquivo ou pasta não encontrado.")
                                      .arg(QDir::toNativeSeparators(destino)));
    EXPECT_EQ(textoIngles(falha), QStringLiteral("Cannot create a temporary file for \"%1\". %2")
                                      .arg(QDir::toNativeSeparators(destino),
                                           QString::fromStdString(Motivo::sistema(codigoAusente()).ingles)));

    // An injected failure carries the number it was given, in both words.
    FalhasArquivo falhas(1, kDiscoCheio);
    ASSERT_FALSE(gravaArquivo(dir.filePath(QStringLiteral("b")), "x", Durabilidade::Comum, &falha));
    EXPECT_EQ(textoJanela(falha), QStringLiteral("Não foi possível criar o arquivo %1: disco cheio.")
                                      .arg(QDir::toNativeSeparators(dir.filePath(QStringLiteral("b")))));
    EXPECT_TRUE(textoIngles(falha).endsWith(QString::fromStdString(Motivo::sistema(kDiscoCheio).ingles)))
        << textoIngles(falha).toStdString();
}

}  // namespace
}  // namespace pluvexa
