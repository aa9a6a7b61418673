// The received file moved to the processed folder is the one processed: a
// file replaced under its name, or written to, after "Processar Arquivo"
// generates nothing and is never moved.

#include "files/identidade.h"
#include "files/pastastrabalho.h"
#include "maintenance/windowfixture.h"
#include "recharge/cp1252.h"
#include "support/arquivosteste.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QStackedWidget>

#include <cstdio>

namespace pluvexa::janela {
namespace {

QString recebido()
{
    return QDir(pastaRecebidos()).filePath(nomeRecebidoPadrao());
}

QString avisoMudou()
{
    return QStringLiteral("O arquivo recebido %1 mudou depois de processado. Nada foi gerado: salve o rascunho e "
                          "processe o arquivo novamente.")
        .arg(nomeRecebidoPadrao());
}

QString linhaNaoMovido()
{
    return QStringLiteral(" ==> %1 mudou depois de processado: não foi movido ").arg(nomeRecebidoPadrao());
}

// How the received file changes after it was processed, and what of its
// identity that changes.
enum class Mudanca {
    Substituido,  // another sealed file renamed over the name: another inode
    Reescrito,    // the same inode, written to: another size
    Retocado,     // the same inode and size, another time of last write
};

struct CasoMudanca {
    const char* nome;
    Mudanca mudanca;
};

// Another file of the central under the same name: one holder renamed.
void enviaOutroNoMesmoNome()
{
    auto m = modeloCentral();
    m->wRecarga[1].Nome.replace(0, 8, "ANA LIMX");
    const QString outro = enviaRecebido(linhasDoModelo(*m, nomeRecebidoPadrao()), QStringLiteral("outro.tmp"));
    ASSERT_EQ(std::rename(QFile::encodeName(outro).constData(), QFile::encodeName(recebido()).constData()), 0);
}

void muda(Mudanca mudanca)
{
    const IdentidadeArquivo antes = identidadeArquivo(recebido());
    ASSERT_TRUE(antes.existe());
    switch (mudanca) {
    case Mudanca::Substituido:
        enviaOutroNoMesmoNome();
        break;
    case Mudanca::Reescrito: {
        QFile f(recebido());
        ASSERT_TRUE(f.open(QIODevice::Append));
        ASSERT_EQ(f.write("\0", 1), 1);
        break;
    }
    case Mudanca::Retocado: {
        QFile f(recebido());
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(f.fileTime(QFileDevice::FileModificationTime).addSecs(-3600),
                                  QFileDevice::FileModificationTime));
        break;
    }
    }
    // The case is what it says it is.
    const IdentidadeArquivo depois = identidadeArquivo(recebido());
    ASSERT_TRUE(depois.existe());
    EXPECT_EQ(depois.mesmoObjeto(antes), mudanca != Mudanca::Substituido);
    if (mudanca == Mudanca::Reescrito) {
        EXPECT_NE(depois.tamanho, antes.tamanho);
    }
    if (mudanca == Mudanca::Retocado) {
        EXPECT_EQ(depois.tamanho, antes.tamanho);
        EXPECT_NE(depois.modificacao, antes.modificacao);
    }
}

class RecebidoMudado : public JanelaRecargaTest, public ::testing::WithParamInterface<CasoMudanca> {};

TEST_P(RecebidoMudado, GeneratesNothingAndTheDraftLeavesTheFileWhereItIs)
{
    abreEProcessa();
    escolheTarifa(1);
    digitaUsuario(101, "10");
    muda(GetParam().mudanca);
    const QByteArray mudado = test::le(recebido());

    dialogos.expectNotice(avisoMudou());
    controle<QPushButton>("btngerararquivo")->click();
    EXPECT_TRUE(dialogos.allConsumed());
    EXPECT_TRUE(arquivosEm(pastaGerados()).isEmpty());
    EXPECT_TRUE(arquivosEm(pastaHistorico()).isEmpty());
    EXPECT_TRUE(arquivosEm(pastaProcessados()).isEmpty());
    EXPECT_EQ(test::le(recebido()), mudado);
    // At the grid, to save the values typed.
    EXPECT_EQ(paginaAtual(), "tbDigitacao");
    EXPECT_TRUE(w().valoresPendentes());

    salvaRascunho();
    EXPECT_EQ(arquivosEm(pastaRascunho()),
              (QStringList{"PX_00123_0007_0412091530_2.LOG", "PX_00123_0007_0412091530_2.REC"}));
    EXPECT_EQ(w().linhasLog().filter(linhaNaoMovido()).size(), 1);
    EXPECT_EQ(w().linhasLog().indexOf(linhaNaoMovido()), w().linhasLog().size() - 6)
        << w().linhasLog().join(u'\n').toStdString();
    EXPECT_EQ(linhaDoLog("Arquivo Movido"), -1);
    EXPECT_EQ(linhaDoLog("Erro ao Mover"), -1);
    EXPECT_TRUE(arquivosEm(pastaProcessados()).isEmpty());
    EXPECT_EQ(arquivosEm(pastaRecebidos()), QStringList{nomeRecebidoPadrao()});
    EXPECT_EQ(test::le(recebido()), mudado);

    // Saved, still not the file processed.
    dialogos.expectNotice(avisoMudou());
    controle<QPushButton>("btngerararquivo")->click();
    EXPECT_TRUE(dialogos.allConsumed());
    EXPECT_TRUE(arquivosEm(pastaGerados()).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Recebido, RecebidoMudado,
                         ::testing::Values(CasoMudanca{"ReplacedUnderItsName", Mudanca::Substituido},
                                           CasoMudanca{"WrittenToInPlace", Mudanca::Reescrito},
                                           CasoMudanca{"ItsTimeOfLastWriteChanged", Mudanca::Retocado}),
                         [](const auto& info) { return std::string(info.param.nome); });

// The file replaced while the operator answers a question of "Gerar
// Arquivo" is found before anything is written.
class TrocaAoPerguntar final : public DialogosAnotados {
public:
    void aoPerguntar() override { enviaOutroNoMesmoNome(); }
};

using RecebidoProcessado = JanelaRecargaTest;

TEST_F(RecebidoProcessado, AFileReplacedWhileGerarArquivoAsksIsNeitherAnsweredNorMoved)
{
    // An earlier answer of the batch: "Gerar Arquivo" asks before another.
    criaPastasTrabalho();
    const QString anterior = QDir(pastaGerados()).filePath("PX_00123_0007_0412080000_2.REC");
    test::grava(anterior, "sealed");
    TrocaAoPerguntar perguntas;
    outrosDialogos = &perguntas;
    abreEProcessa();
    escolheTarifa(1);
    digitaUsuario(101, "10");
    controle<QPushButton>("btngerararquivo")->click();
    ASSERT_EQ(perguntas.vistos.size(), 3) << perguntas.vistos.join(u'\n').toStdString();
    EXPECT_TRUE(perguntas.vistos[0].startsWith("question: A remessa 0007 da empresa 00123 já foi respondida"));
    EXPECT_TRUE(perguntas.vistos[1].endsWith("Conferir antes de gerar?")) << perguntas.vistos[1].toStdString();
    EXPECT_EQ(perguntas.vistos[2], "notice: " + avisoMudou());
    EXPECT_EQ(arquivosEm(pastaGerados()), QStringList{"PX_00123_0007_0412080000_2.REC"});
    EXPECT_TRUE(arquivosEm(pastaHistorico()).isEmpty());
    EXPECT_TRUE(arquivosEm(pastaProcessados()).isEmpty());
    EXPECT_EQ(paginaAtual(), "tbDigitacao");
}

// The file a draft of this session took to the processed folder: a new one
// under its name later is another file, left where it is, and the answer
// says the processed one was already moved.
TEST_F(RecebidoProcessado, AfterTheDraftMovedItANewFileUnderTheNameIsLeftAlone)
{
    abreEProcessa();
    escolheTarifa(1);
    digitaUsuario(101, "10");
    salvaRascunho();
    ASSERT_EQ(arquivosEm(pastaProcessados()), QStringList{nomeRecebidoPadrao()});
    const QByteArray processado = test::le(QDir(pastaProcessados()).filePath(nomeRecebidoPadrao()));
    enviaOutroNoMesmoNome();
    const QByteArray novo = test::le(recebido());
    ASSERT_NE(novo, processado);

    agora = agora.addSecs(60);
    esperaGerarAssimMesmo();
    controle<QPushButton>("btngerararquivo")->click();
    EXPECT_TRUE(dialogos.allConsumed()) << dialogos.shown().join(u'\n').toStdString();
    EXPECT_EQ(arquivosEm(pastaGerados()),
              (QStringList{"PX_00123_0007_0412091531_2.LOG", "PX_00123_0007_0412091531_2.REC"}));
    EXPECT_GE(linhaDoLog("Arquivo já movido para " + caminhoVisivel(pastaProcessados()) + " "), 0);
    EXPECT_EQ(linhaDoLog(linhaNaoMovido()), -1);
    EXPECT_EQ(test::le(recebido()), novo);
    EXPECT_EQ(test::le(QDir(pastaProcessados()).filePath(nomeRecebidoPadrao())), processado);
}

}  // namespace
}  // namespace pluvexa::janela
