// Two working folders that are one folder (a link from one to the other):
// "Manutenção" and "Carga Arquivos" say so and do not open, so that nothing
// is read, created or deleted there.

#include "janelaprincipal.h"

#include "files/pastastrabalho.h"
#include "support/arquivosteste.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace pluvexa::test {
namespace {

const QString kFundo = QStringLiteral("ftelafundo");

QString pasta(const QString& nome)
{
    return QDir(raizTrabalho()).filePath(nome);
}

QString recusa(const QString& a, const QString& b)
{
    return QStringLiteral("As pastas %1 e %2 são a mesma pasta. Nada foi lido ou gravado.")
        .arg(QDir::toNativeSeparators(pasta(a)), QDir::toNativeSeparators(pasta(b)));
}

// Every name below the working root (links not followed), with its size.
QStringList conteudoRaiz()
{
    QStringList nomes;
    QDirIterator it(raizTrabalho(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo f = it.nextFileInfo();
        nomes << QDir(raizTrabalho()).relativeFilePath(f.filePath()) + QLatin1Char(' ')
                     + (f.isSymLink() ? QStringLiteral("link") : QString::number(f.size()));
    }
    nomes.sort();
    return nomes;
}

const QStringList kPastas = {"Recebidos", "Gerados", "Rascunho", "Processados", "Historico"};

struct CasoRepetidas {
    const char* nome;
    QString no;       // the tree's entry clicked
    QString ligacao;  // the working folder made a link ...
    QString alvo;     // ... to this one
    QString primeira, segunda;  // as the message names them
};

void PrintTo(const CasoRepetidas& c, std::ostream* os)
{
    *os << c.nome;
}

class PastasRepetidas : public JanelaPrincipal, public ::testing::WithParamInterface<CasoRepetidas> {
protected:
    // The working folders, `ligacao` a link to `alvo`; an answer waits in
    // each folder, which a draft folder linked to it would take for a draft.
    void montaPastas(const QString& ligacao, const QString& alvo)
    {
        for (const QString& p : kPastas) {
            if (p != ligacao) {
                ASSERT_TRUE(QDir().mkpath(pasta(p)));
            }
        }
        ASSERT_TRUE(QFile::link(pasta(alvo), pasta(ligacao)));
        for (const QString& p : kPastas)
            if (p != ligacao)
                test::grava(QDir(pasta(p)).filePath(QStringLiteral("PX_00123_0007_0412091530_2.REC")), "answer");
    }
};

TEST_P(PastasRepetidas, TheWindowDoesNotOpenAndNothingIsTouched)
{
    const CasoRepetidas& c = GetParam();
    montaPastas(c.ligacao, c.alvo);
    const QStringList antes = conteudoRaiz();
    interacao.expectNotice(recusa(c.primeira, c.segunda));
    clica(c.no);
    EXPECT_TRUE(interacao.allConsumed()) << interacao.shown().join(u'\n').toStdString();
    EXPECT_EQ(interacao.lastIcon(), Interaction::Icon::Error);
    EXPECT_EQ(janelas(), QStringList{kFundo});
    EXPECT_EQ(conteudoRaiz(), antes);
}

INSTANTIATE_TEST_SUITE_P(
    Arvore, PastasRepetidas,
    ::testing::Values(
        CasoRepetidas{"DraftsLinkedToGenerated", "Manutenção", "Rascunho", "Gerados", "Gerados", "Rascunho"},
        CasoRepetidas{"ProcessedLinkedToReceived", "Manutenção", "Processados", "Recebidos", "Recebidos",
                      "Processados"},
        CasoRepetidas{"GeneratedLinkedToDraftsForTheTransfer", "Carga Arquivos", "Gerados", "Rascunho", "Gerados",
                      "Rascunho"},
        CasoRepetidas{"HistoryLinkedToGeneratedForTheTransfer", "Carga Arquivos", "Historico", "Gerados",
                      "Gerados", "Historico"}),
    [](const auto& info) { return std::string(info.param.nome); });

// A link to a folder of its own is no repetition.
TEST_F(JanelaPrincipal, ADraftFolderLinkedOutsideTheRootOpens)
{
    for (const QString& p : kPastas) {
        if (p != QStringLiteral("Rascunho")) {
            ASSERT_TRUE(QDir().mkpath(pasta(p)));
        }
    }
    const QString fora = home.path() + QStringLiteral("/rascunhos_em_outro_disco");
    ASSERT_TRUE(QDir().mkpath(fora));
    ASSERT_TRUE(QFile::link(fora, pasta(QStringLiteral("Rascunho"))));
    clica(QStringLiteral("Manutenção"));
    EXPECT_TRUE(interacao.shown().isEmpty()) << interacao.shown().join(u'\n').toStdString();
    EXPECT_EQ(janelas(), (QStringList{kFundo, QStringLiteral("fcadrecarga")}));
}

// Refused, the window already open stays as it was.
TEST_F(JanelaPrincipal, ARefusedOpeningLeavesTheOpenWindow)
{
    clica(QStringLiteral("Carga Arquivos"));
    ASSERT_EQ(janelas(), (QStringList{kFundo, QStringLiteral("fcargaarquivos")}));
    ASSERT_TRUE(QDir(pasta(QStringLiteral("Rascunho"))).removeRecursively());
    ASSERT_TRUE(QFile::link(pasta(QStringLiteral("Gerados")), pasta(QStringLiteral("Rascunho"))));
    interacao.expectNotice(recusa(QStringLiteral("Gerados"), QStringLiteral("Rascunho")));
    clica(QStringLiteral("Manutenção"));
    EXPECT_TRUE(interacao.allConsumed());
    EXPECT_EQ(janelas(), (QStringList{kFundo, QStringLiteral("fcargaarquivos")}));
}

}  // namespace
}  // namespace pluvexa::test
