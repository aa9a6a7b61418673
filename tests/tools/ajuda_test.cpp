// Each command's --help says what to type, whichever program prints it and
// from wherever it is started; and the manual page, made from that help,
// documents every command and option the two programs know.

#include "clirun.h"
#include "core/direto.h"
#include "support/arquivosteste.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>

#include <set>

namespace pluvexa::test {
namespace {

// The commands `pluvexa-cli --help` lists.
QStringList comandosListados()
{
    const Execucao e = executa({QStringLiteral("--help")});
    QStringList comandos;
    bool dentro = false;
    for (const QString& linha : e.saida.split(u'\n')) {
        if (linha == QLatin1String("Commands:"))
            dentro = true;
        else if (linha.isEmpty())
            dentro = false;
        else if (dentro && linha.startsWith(QLatin1String("  ")))
            comandos << linha.trimmed().section(u' ', 0, 0);
    }
    return comandos;
}

// The long options a command's help lists ("--signer <PRIVATE>  ..."
// gives "signer").
QStringList opcoesDaAjuda(const QString& ajuda)
{
    static const QRegularExpression rotulo(QStringLiteral("^  (-[^ ].*?)(  |$)"));
    static const QRegularExpression longa(QStringLiteral("--([a-z][a-z-]*)"));
    QStringList opcoes;
    bool dentro = false;
    for (const QString& linha : ajuda.split(u'\n')) {
        if (linha == QLatin1String("Options:"))
            dentro = true;
        else if (!linha.startsWith(u' '))
            dentro = false;
        else if (const QRegularExpressionMatch m = rotulo.match(linha); dentro && m.hasMatch())
            for (auto it = longa.globalMatch(m.captured(1)); it.hasNext();)
                opcoes << it.next().captured(1);
    }
    return opcoes;
}

struct Uso {
    const char* comando;
    const char* linha;  // the help's first line
};

void PrintTo(const Uso& u, std::ostream* os)
{
    *os << u.comando;
}

const Uso kUsos[] = {
    {"compress", "Usage: pluvexa-cli compress [options] IN OUT"},
    {"expand", "Usage: pluvexa-cli expand [options] IN OUT"},
    {"keygen", "Usage: pluvexa-cli keygen [options] PRIVATE PUBLIC"},
    {"seal", "Usage: pluvexa-cli seal [options] IN OUT"},
    {"open", "Usage: pluvexa-cli open [options] IN OUT"},
    {"check", "Usage: pluvexa-cli check [options] FILE"},
    {"rewrite", "Usage: pluvexa-cli rewrite [options] IN OUT"},
    {"central", "Usage: pluvexa-cli central [options] ACTION IN OUT"},
    {"demo", "Usage: pluvexa-cli demo [options]"},
    {"import", "Usage: pluvexa-cli import [options] FILE EXTERNAL"},
    {"export", "Usage: pluvexa-cli export [options] FILE OUT"},
    {"listing", "Usage: pluvexa-cli listing [options] FILE"},
    {"review", "Usage: pluvexa-cli review [options] FILE"},
    {"history", "Usage: pluvexa-cli history [options] [A.HIS B.HIS]"},
};

class AjudaDoComando : public ::testing::TestWithParam<Uso> {};

// Started by its full path, as a script would, each program names the
// command, not where it lies; "-h" is "--help".
TEST_P(AjudaDoComando, NamesTheCommandAsItIsTyped)
{
    const Uso& u = GetParam();
    const QString comando = QString::fromLatin1(u.comando);
    const Execucao frente = executa({comando, QStringLiteral("--help")});
    const Execucao completo = executa({comando, QStringLiteral("--help")}, QStringLiteral(PLUVEXA_CLI_FULL));
    const Execucao curto = executa({comando, QStringLiteral("-h")});
    EXPECT_EQ(frente.codigo, 0);
    EXPECT_EQ(frente.saida.section(u'\n', 0, 0), QString::fromLatin1(u.linha)) << frente.saida.toStdString();
    EXPECT_EQ(completo.saida, frente.saida);
    EXPECT_EQ(curto.saida, frente.saida);
    EXPECT_TRUE(frente.erros.isEmpty()) << frente.erros.toStdString();
    // What 0, 1 and 2 mean for it: a paragraph of the description.
    const qsizetype inicio = frente.saida.indexOf(QStringLiteral("\nExit status: 0 "));
    ASSERT_GE(inicio, 0) << frente.saida.toStdString();
    const qsizetype fim = frente.saida.indexOf(QStringLiteral("\n\n"), inicio);
    const QString saidas = frente.saida.mid(inicio + 1, fim - inicio - 1).replace(u'\n', u' ');
    EXPECT_TRUE(saidas.contains(QStringLiteral(", 1 "))) << saidas.toStdString();
    EXPECT_TRUE(saidas.endsWith(QStringLiteral(", 2 wrong usage."))) << saidas.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Comandos, AjudaDoComando, ::testing::ValuesIn(kUsos),
                         [](const auto& info) { return std::string(info.param.comando); });

TEST(AjudaDoComando, EveryCommandListedHasItsUsageAbove)
{
    QStringList daTabela;
    for (const Uso& u : kUsos)
        daTabela << QString::fromLatin1(u.comando);
    const QStringList listados = comandosListados();
    ASSERT_FALSE(listados.isEmpty());
    EXPECT_EQ(QSet<QString>(listados.begin(), listados.end()), QSet<QString>(daTabela.begin(), daTabela.end()));
}

#ifdef PLUVEXA_MAN_CLI
// The page the package installs, section by section (".SS <command>").
class PaginaDeManual : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QFileInfo::exists(QStringLiteral(PLUVEXA_MAN_CLI))) << PLUVEXA_MAN_CLI;
        bytes = test::le(QStringLiteral(PLUVEXA_MAN_CLI));
        pagina = QString::fromUtf8(bytes);
    }
    // The text of a command's section; empty when it has none.
    QString secao(const QString& comando) const
    {
        const qsizetype inicio = pagina.indexOf(QStringLiteral("\n.SS ") + comando + u'\n');
        if (inicio < 0)
            return {};
        const qsizetype fim = pagina.indexOf(QRegularExpression(QStringLiteral("\\n\\.S[SH] ")), inicio + 1);
        return pagina.mid(inicio, fim < 0 ? -1 : fim - inicio);
    }
    // An option as the page sets its name in a tag ("\fB\-h, \-\-help\fR").
    static bool nomeia(const QString& texto, const QString& opcao)
    {
        const QString nome = QString(opcao).replace(u'-', QStringLiteral("\\-"));
        return texto.contains(QRegularExpression(QStringLiteral("\n\\\\fB([^\n]*, )?\\\\-\\\\-")
                                                 + QRegularExpression::escape(nome) + QStringLiteral("\\b")));
    }

    QByteArray bytes;
    QString pagina;
};

TEST_F(PaginaDeManual, DocumentsEveryCommandWithItsUsageOptionsAndExitStatus)
{
    const QStringList comandos = comandosListados();
    ASSERT_FALSE(comandos.isEmpty());
    for (const QString& comando : comandos) {
        SCOPED_TRACE(comando.toStdString());
        const QString texto = secao(comando);
        ASSERT_FALSE(texto.isEmpty()) << "no section for " << comando.toStdString();
        const Execucao ajuda = executa({comando, QStringLiteral("--help")});
        // "Usage: pluvexa-cli seal [options] IN OUT" as the page sets it.
        const QString uso = ajuda.saida.section(u'\n', 0, 0).section(u' ', 3);
        EXPECT_TRUE(texto.contains(QStringLiteral("\\fBpluvexa\\-cli %1\\fR %2").arg(comando, uso)))
            << texto.toStdString();
        EXPECT_TRUE(texto.contains(QStringLiteral("\nExit status: 0 "))) << texto.toStdString();
        QStringList opcoes = opcoesDaAjuda(ajuda.saida);
        EXPECT_TRUE(opcoes.contains(QStringLiteral("help")));
        // Every command's --help is given once, among the program's options.
        opcoes.removeAll(QStringLiteral("help"));
        EXPECT_FALSE(nomeia(texto, QStringLiteral("help")));
        for (const QString& opcao : opcoes)
            EXPECT_TRUE(nomeia(texto, opcao)) << opcao.toStdString();
    }
    for (const char* geral : {"\\fB\\-\\-help\\fR", "\\fB\\-\\-version\\fR", ".SH EXIT STATUS"})
        EXPECT_TRUE(pagina.contains(QString::fromLatin1(geral))) << geral;
}

// pluvexa-cli runs four commands itself, taking their options without Qt:
// each is one the full program's help lists, and so the page.
TEST_F(PaginaDeManual, DocumentsTheOptionsTheQtFreeProgramTakes)
{
    for (const cli::ComandoDireto& c : cli::comandosDiretos()) {
        const QString comando = QString::fromLatin1(c.nome.data(), qsizetype(c.nome.size()));
        SCOPED_TRACE(comando.toStdString());
        const QStringList daAjuda = opcoesDaAjuda(executa({comando, QStringLiteral("--help")}).saida);
        const QString texto = secao(comando);
        ASSERT_FALSE(texto.isEmpty());
        for (const std::string_view o : c.opcoes) {
            const QString opcao = QString::fromLatin1(o.data(), qsizetype(o.size()));
            EXPECT_TRUE(daAjuda.contains(opcao)) << opcao.toStdString();
            EXPECT_TRUE(nomeia(texto, opcao)) << opcao.toStdString();
        }
    }
}

// groff reads the page as ASCII: an accented letter of the help is named.
TEST_F(PaginaDeManual, IsAsciiWithTheHelpsAccentedLettersNamed)
{
    for (const char c : bytes)
        ASSERT_LT(static_cast<unsigned char>(c), 0x80) << "a byte outside ASCII";
    EXPECT_TRUE(pagina.contains(QStringLiteral("Matr\\[u00ED]cula")));
}
#endif

}  // namespace
}  // namespace pluvexa::test
