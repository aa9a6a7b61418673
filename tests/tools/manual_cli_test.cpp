// pluvexa-cli's manual page as a reference: every section a reader looks
// for, no empty entry, -h, --help once, every envelope code by name.

#include "codec/envelope.h"
#include "support/arquivosteste.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QString>
#include <gtest/gtest.h>

namespace pluvexa::test {
namespace {

#ifdef PLUVEXA_MAN_CLI
class ManualDeReferencia : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QFileInfo::exists(QStringLiteral(PLUVEXA_MAN_CLI))) << PLUVEXA_MAN_CLI;
        pagina = QString::fromUtf8(le(QStringLiteral(PLUVEXA_MAN_CLI)));
        linhas = pagina.split(u'\n');
    }
    QString pagina;
    QStringList linhas;
};

TEST_F(ManualDeReferencia, HasEverySectionInOrder)
{
    qsizetype anterior = -1;
    for (const char* secao : {"NAME", "SYNOPSIS", "DESCRIPTION", "COMMANDS", "CSV OUTPUT", "ENVELOPE ERRORS",
                              "EXIT STATUS", "ENVIRONMENT", "FILES", "EXAMPLES", "SEE ALSO"}) {
        const qsizetype onde = linhas.indexOf(QStringLiteral(".SH ") + QString::fromLatin1(secao));
        EXPECT_GT(onde, anterior) << secao;
        anterior = onde;
    }
    for (const char* nome : {"\\fBHOME\\fR", "\\fBPLUVEXA_ROOT\\fR", "\\fBRecebidos\\fR", "\\fBHistorico\\fR",
                             "\\fBLog\\fR"})
        EXPECT_TRUE(pagina.contains(QString::fromLatin1(nome))) << nome;
}

// A tagged paragraph has a tag and a text: neither another macro nor
// nothing after it.
TEST_F(ManualDeReferencia, NoEntryIsEmpty)
{
    for (qsizetype i = 0; i < linhas.size(); ++i) {
        if (linhas[i] != QLatin1String(".TP"))
            continue;
        ASSERT_LT(i + 2, linhas.size());
        // "\fB\fR" sets nothing in bold: an empty tag too.
        const QString tag = QString(linhas[i + 1]).remove(QRegularExpression(QStringLiteral("\\\\f[BIRP]")));
        EXPECT_FALSE(tag.trimmed().isEmpty() || tag.startsWith(u'.')) << "tag of line " << i + 1;
        EXPECT_FALSE(linhas[i + 2].isEmpty() || linhas[i + 2].startsWith(u'.')) << "text of line " << i + 1;
    }
}

TEST_F(ManualDeReferencia, GivesHelpOnce)
{
    EXPECT_EQ(pagina.count(QStringLiteral("\\fB\\-h, \\-\\-help\\fR")), 1);
    EXPECT_EQ(pagina.count(QStringLiteral("\\fB\\-v, \\-\\-version\\fR")), 1);
}

TEST_F(ManualDeReferencia, NamesEveryEnvelopeCode)
{
    for (const int codigo : {kEnvelopeInputUnreadable, kEnvelopeOutputNotCreated, kEnvelopeNoKeyBlock,
                             kEnvelopeWriteFailed, kEnvelopeTooLarge, kEnvelopeNoRandom, kEnvelopeBadDigestSelector,
                             kEnvelopeBadPadding, kEnvelopeBlockTooLong, kEnvelopeModulusTooLong,
                             kEnvelopePrivateKeyFailed, kEnvelopePublicKeyFailed, kEnvelopeBadSignature,
                             kEnvelopeBadCipherSelector})
        EXPECT_TRUE(pagina.contains(QRegularExpression(QStringLiteral("\n\\\\fB%1\\\\fR [a-z]").arg(codigo))))
            << codigo;
}

// Each command's CSV, by its header as the command prints it.
TEST_F(ManualDeReferencia, ListsTheCsvColumnsOfEachCommand)
{
    for (const char* cabecalho :
         {"Usu\\[u00E1]rio;Cart\\[u00E3]o;Matr\\[u00ED]cula;Nome;Tipo;Valor;Habitual;Varia\\[u00E7]\\[u00E3]o %;Motivo",
          "Empresa;Remessa;Gerado em;Arquivo;Titulares com valor;Total em Valor;Total em Cr\\[u00E9]ditos;Enviado",
          "Usu\\[u00E1]rio;Tipo;Nome;Valor A;Valor B;Diferen\\[u00E7]a;Situa\\[u00E7]\\[u00E3]o",
          "Usu\\[u00E1]rio;Cart\\[u00E3]o;Matr\\[u00ED]cula;Nome;Tipo;Tarifa;Valor;Vlr.\\[u00DA]ltima Rec"})
        EXPECT_TRUE(linhas.contains(QString::fromLatin1(cabecalho))) << cabecalho;
}
#endif

}  // namespace
}  // namespace pluvexa::test
