// The draft folder may hold what is not the program's: a user's notes, a
// file named "TMP1.REC", a link or a folder named like a draft. None of it is
// offered as a draft, asked about, or deleted when the drafts are cleared.

#include "files/identidade.h"
#include "files/pastastrabalho.h"
#include "maintenance/windowfixture.h"
#include "support/arquivosteste.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QStackedWidget>

namespace pluvexa::janela {
namespace {

const QString kPerguntaRascunho = QStringLiteral("Existe arquivo de Recarga em Alteração.Continua Alteração?");

enum class Tipo { Arquivo, Ligacao, LigacaoQuebrada, Pasta };

struct Alheio {
    const char* nome;
    Tipo tipo;
};

// Each kind of thing, under names a careless match would take for drafts.
const Alheio kAlheios[] = {
    {"notes.txt", Tipo::Arquivo},
    {"TMP1.REC", Tipo::Arquivo},
    {"TMP1.LOG", Tipo::Arquivo},
    {"copia_2.REC", Tipo::Arquivo},
    {"PX_00123_0007_0412010000_2.REC.bak", Tipo::Arquivo},
    {"PX_00123_0007_0412010001_2.REC", Tipo::Ligacao},
    {"PX_00123_0007_0412010001_2.LOG", Tipo::LigacaoQuebrada},
    {"PX_00123_0007_0412010002_2.REC", Tipo::Pasta},
    {"Anotacoes", Tipo::Pasta},
};

IdentidadeArquivo::Tipo esperado(Tipo t)
{
    switch (t) {
    case Tipo::Arquivo:
        return IdentidadeArquivo::Tipo::Comum;
    case Tipo::Ligacao:
    case Tipo::LigacaoQuebrada:
        return IdentidadeArquivo::Tipo::Ligacao;
    case Tipo::Pasta:
        break;
    }
    return IdentidadeArquivo::Tipo::Pasta;
}

class RascunhosAlheios : public JanelaRecargaTest {
protected:
    // The linked file lies outside the folder: a user's draft kept aside.
    QString alvo() const { return home.path() + QStringLiteral("/guardado_2.REC"); }
    static QString emRascunho(const QString& nome) { return QDir(pastaRascunho()).filePath(nome); }

    void poeAlheios()
    {
        criaPastasTrabalho();
        test::grava(alvo(), "the user's own");
        for (const Alheio& a : kAlheios) {
            const QString caminho = emRascunho(QString::fromLatin1(a.nome));
            switch (a.tipo) {
            case Tipo::Arquivo:
                test::grava(caminho, a.nome);
                break;
            case Tipo::Ligacao:
                ASSERT_TRUE(QFile::link(alvo(), caminho));
                break;
            case Tipo::LigacaoQuebrada:
                ASSERT_TRUE(QFile::link(home.path() + QStringLiteral("/sumiu"), caminho));
                break;
            case Tipo::Pasta:
                ASSERT_TRUE(QDir().mkpath(caminho));
                test::grava(caminho + QStringLiteral("/dentro.txt"), "inside");
                break;
            }
        }
    }

    // Every one of them as it was put there.
    void confereAlheios() const
    {
        for (const Alheio& a : kAlheios) {
            const QString caminho = emRascunho(QString::fromLatin1(a.nome));
            EXPECT_EQ(identidadeArquivo(caminho, Ligacoes::NaoSegue).tipo, esperado(a.tipo)) << a.nome;
            if (a.tipo == Tipo::Arquivo) {
                EXPECT_EQ(test::le(caminho), QByteArray(a.nome));
            }
            if (a.tipo == Tipo::Pasta) {
                EXPECT_EQ(test::le(caminho + QStringLiteral("/dentro.txt")), QByteArray("inside")) << a.nome;
            }
        }
        EXPECT_EQ(test::le(alvo()), QByteArray("the user's own"));
    }

    // The names of the program's drafts in the folder.
    static QStringList rascunhos()
    {
        return QDir(pastaRascunho()).entryList({"PX_*_2.REC", "PX_*_2.LOG"}, QDir::Files | QDir::NoSymLinks,
                                               QDir::Name);
    }
};

TEST_F(RascunhosAlheios, AreNeverAskedAboutAndSurviveADraftAndAnAnswer)
{
    poeAlheios();
    enviaRecebidoPadrao();
    abre();  // no question: nothing there is a draft
    EXPECT_TRUE(dialogos.shown().isEmpty()) << dialogos.shown().join(u'\n').toStdString();
    EXPECT_EQ(paginaAtual(), "tbarquivos");
    processa();
    escolheTarifa(1);
    digitaUsuario(101, "10");

    salvaRascunho();
    EXPECT_EQ(rascunhos(), (QStringList{"PX_00123_0007_0412091530_2.LOG", "PX_00123_0007_0412091530_2.REC"}));
    confereAlheios();

    // A second draft replaces the first; the answer clears the drafts.
    agora = agora.addSecs(60);
    digitaUsuario(102, "2");
    salvaRascunho();
    EXPECT_EQ(rascunhos(), (QStringList{"PX_00123_0007_0412091531_2.LOG", "PX_00123_0007_0412091531_2.REC"}));
    confereAlheios();
    esperaGerarAssimMesmo();
    controle<QPushButton>("btngerararquivo")->click();
    EXPECT_TRUE(dialogos.allConsumed()) << dialogos.shown().join(u'\n').toStdString();
    EXPECT_EQ(arquivosEm(pastaGerados()).size(), 2);
    EXPECT_TRUE(rascunhos().isEmpty());
    confereAlheios();

    // And the next opening still asks nothing.
    abre();
    EXPECT_EQ(dialogos.shown().filter(kPerguntaRascunho).size(), 0);
}

TEST_F(RascunhosAlheios, NoToTheQuestionDeletesOnlyTheDraft)
{
    abreEProcessa();
    escolheTarifa(1);
    digitaUsuario(101, "10");
    salvaRascunho();
    poeAlheios();

    dialogos.expectQuestion(kPerguntaRascunho, false);
    dialogos.expectChoice("Descartar os valores do rascunho da remessa 0007 gravado em 09/12/2004 15:30?",
                          {"Descartar", "Continuar Alteração"}, 0);
    abre();
    EXPECT_TRUE(dialogos.allConsumed());
    EXPECT_EQ(rascunhos(), QStringList{"PX_00123_0007_0412091530_2.LOG"});  // the log stays, as always
    confereAlheios();
}

TEST_F(RascunhosAlheios, YesContinuesTheProgramsDraftNotALinkNamedLaterThanIt)
{
    abreEProcessa();
    escolheTarifa(1);
    digitaUsuario(101, "10");
    salvaRascunho();
    // Named a day later than the draft: a careless choice of the newest
    // would follow it out of the folder.
    ASSERT_TRUE(QFile::link(QDir(pastaRascunho()).filePath("PX_00123_0007_0412091530_2.REC"),
                            emRascunho("PX_00123_0007_0412101530_2.REC")));

    dialogos.expectQuestion(kPerguntaRascunho, true);
    abre();
    EXPECT_TRUE(dialogos.allConsumed());
    EXPECT_EQ(paginaAtual(), "tbDigitacao");
    // The link would have been the newest.
    EXPECT_EQ(arquivoLido(), caminhoVisivel(emRascunho("PX_00123_0007_0412091530_2.REC")));
}

}  // namespace
}  // namespace pluvexa::janela
