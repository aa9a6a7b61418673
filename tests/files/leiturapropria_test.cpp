// The program's own files (the lock, the history's summary and batches,
// drafts, the settings) are read as they stand: anything but a regular
// file is refused without being opened or read (a FIFO never holds the
// reader, a link to /dev/zero never feeds it), and a file past its limit is
// refused, never truncated. Inputs the user names still follow links.

#include "files/entrada.h"
#include "files/pastastrabalho.h"
#include "support/arquivosteste.h"
#include "support/incomuns.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace pluvexa {
namespace {

using test::Incomum;

class NaoComumProprio : public ::testing::TestWithParam<Incomum> {
protected:
    void SetUp() override
    {
        QString porque;
        if (!test::criaIncomum(GetParam(), caminho, &porque))
            GTEST_SKIP() << "cannot make it here: " << porque.toStdString();
    }

    QTemporaryDir dir;
    const QString caminho = dir.filePath(QStringLiteral(".resumo"));
};

TEST_P(NaoComumProprio, IsRefusedUnreadAndLeftAsItWas)
{
    QByteArray dados("left over");
    FalhaArquivo falha;
    EXPECT_FALSE(leArquivo(caminho, Leitura::propria(4 * 1024 * 1024), dados, &falha));
    EXPECT_TRUE(dados.isEmpty());
    EXPECT_EQ(falha.mensagem, "\"" + QDir::toNativeSeparators(caminho).toStdString() + "\" is not a regular file");
    EXPECT_EQ(emPortugues(falha.motivo), "não é um arquivo comum");

    FalhaArquivo conferida;
    EXPECT_EQ(conferePropria(caminho, 4096, &conferida), natureza::Estado::NaoComum);
    EXPECT_EQ(conferida.mensagem, falha.mensagem);
    EXPECT_TRUE(test::aindaIncomum(GetParam(), caminho));
}

INSTANTIATE_TEST_SUITE_P(Arquivos, NaoComumProprio,
                         ::testing::Values(Incomum::Pasta, Incomum::Dispositivo, Incomum::Fifo, Incomum::LigacaoZero,
                                           Incomum::Ligacao));

// What the user names is another matter: a link to a regular file is that
// file, as it always was.
TEST(LeituraNomeada, ALinkToARegularFileIsThatFile)
{
    QTemporaryDir dir;
    const QString caminho = dir.filePath(QStringLiteral("folha.csv"));
    ASSERT_TRUE(test::criaIncomum(Incomum::Ligacao, caminho));
    QByteArray dados;
    EXPECT_TRUE(leArquivo(caminho, dados));
    EXPECT_EQ(dados, test::le(caminho + QStringLiteral(".alvo")));
    EXPECT_TRUE(leArquivo(caminho, Leitura{true, 4096}, dados));
    EXPECT_FALSE(dados.isEmpty());
}

struct CasoLimite {
    const char* nome;
    qsizetype tamanho;
    std::int64_t limite;
    bool lido;
    const char* ingles;     // the reason when refused
    const char* portugues;
};

void PrintTo(const CasoLimite& c, std::ostream* os) { *os << c.nome; }

class LimiteProprio : public ::testing::TestWithParam<CasoLimite> {};

TEST_P(LimiteProprio, PastItTheFileIsRefusedNotTruncated)
{
    const CasoLimite& c = GetParam();
    QTemporaryDir dir;
    const QString caminho = dir.filePath(QStringLiteral("pluvexa.lock"));
    test::grava(caminho, QByteArray(c.tamanho, 'x'));
    QByteArray dados;
    FalhaArquivo falha;
    ASSERT_EQ(leArquivo(caminho, Leitura::propria(c.limite), dados, &falha), c.lido) << falha.mensagem;
    FalhaArquivo conferida;
    EXPECT_EQ(conferePropria(caminho, c.limite, &conferida),
              c.lido ? natureza::Estado::Aceito : natureza::Estado::Inacessivel);
    if (c.lido) {
        EXPECT_EQ(dados.size(), c.tamanho);
        EXPECT_FALSE(conferida.houve());
        return;
    }
    EXPECT_TRUE(dados.isEmpty());
    const std::string esperada =
        "Cannot read file \"" + QDir::toNativeSeparators(caminho).toStdString() + "\". " + c.ingles;
    EXPECT_EQ(falha.mensagem, esperada);
    EXPECT_EQ(conferida.mensagem, esperada);
    EXPECT_EQ(falha.motivo.codigo, 0);
    EXPECT_EQ(QString::fromStdString(frase(falha)).toStdString(),
              "Não foi possível ler o arquivo " + QDir::toNativeSeparators(caminho).toStdString() + ": "
                  + c.portugues + ".");
}

INSTANTIATE_TEST_SUITE_P(
    Arquivos, LimiteProprio,
    ::testing::Values(CasoLimite{"empty", 0, 4096, true, "", ""},
                      CasoLimite{"at_the_limit", 4096, 4096, true, "", ""},
                      CasoLimite{"one_byte_more", 4097, 4096, false, "It is larger than 4 KiB.", "tem mais de 4 KiB"},
                      CasoLimite{"mebibytes", 4 * 1024 * 1024 + 1, 4 * 1024 * 1024, false,
                                 "It is larger than 4 MiB.", "tem mais de 4 MiB"},
                      CasoLimite{"bytes", 5567151, 5567150, false, "It is larger than 5567150 bytes.",
                                 "tem mais de 5567150 bytes"}),
    [](const ::testing::TestParamInfo<CasoLimite>& i) { return std::string(i.param.nome); });

// A file whose size says nothing (the system's own files report 0) is
// stopped as soon as it passes the limit.
TEST(LimiteProprio, AFileLargerThanItsSizeSaysIsStoppedAtTheLimit)
{
    const QString status = QStringLiteral("/proc/self/status");
    if (!QFile::exists(status))
        GTEST_SKIP() << "no /proc here";
    QByteArray dados;
    FalhaArquivo falha;
    EXPECT_TRUE(leArquivo(status, Leitura::propria(1024 * 1024), dados, &falha)) << falha.mensagem;
    ASSERT_GT(dados.size(), 16);
    EXPECT_FALSE(leArquivo(status, Leitura::propria(16), dados, &falha));
    EXPECT_TRUE(dados.isEmpty());
    EXPECT_NE(falha.mensagem.find("It is larger than 16 bytes."), std::string::npos) << falha.mensagem;
}

#ifndef Q_OS_WIN
// A home folder whose name is not valid UTF-8 would become, in Qt's text,
// another folder: it is named, never used.
TEST(PastaPessoal, ANameNotValidInTheSystemsEncodingIsNamedNotReplaced)
{
    const QByteArray antes = qgetenv("HOME");
    struct Volta {
        QByteArray antes;
        ~Volta() { qputenv("HOME", antes); }
    } volta{antes};
    qputenv("HOME", QByteArray("/home/jo\xe3o"));
    EXPECT_EQ(pastaPessoalInutilizavel(), QStringLiteral("/home/jo\\xE3o"));
    qputenv("HOME", QByteArray("/home/jo\xc3\xa3o"));
    EXPECT_TRUE(pastaPessoalInutilizavel().isEmpty());
    EXPECT_EQ(raizTrabalho(), QString::fromUtf8("/home/jo\xc3\xa3o/Drovanti/Pluvexa"));
}
#endif

}  // namespace
}  // namespace pluvexa
