// The maintenance window tells where its work went: the Arquivos page's
// lists follow their folders while the page is shown, and after "Gerar
// Arquivo" the LOG page says, above the log, where the answer is and that
// it goes to the disk next.

#include "files/pastastrabalho.h"
#include "flows/proximopasso.h"
#include "maintenance/windowfixture.h"
#include "recharge/cp1252.h"
#include "recharge/empacotamento.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>

namespace pluvexa::janela {
namespace {

constexpr int kEsperaMs = 10000;

void criaArquivo(const QString& pasta, const QString& nome)
{
    QFile f(QDir(pasta).filePath(nome));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << f.fileName().toStdString();
    f.write("x");
}

QStringList nomes(const QListWidget* lista)
{
    QStringList r;
    for (int i = 0; i < lista->count(); ++i)
        r << lista->item(i)->text();
    return r;
}

class Acompanhamento : public JanelaRecargaTest {
protected:
    template <typename T>
    T* filho(const char* nome)
    {
        T* w = janela->findChild<T*>(QString::fromLatin1(nome));
        EXPECT_NE(w, nullptr) << nome;
        return w;
    }
    QListWidget* recebidos() { return filho<QListWidget>("FLBArquivosRecargaRecebidos"); }
    QString texto(const char* rotulo) { return filho<QLabel>(rotulo)->text(); }
    // Waits, with the event loop running, until the received list shows
    // `esperados`.
    bool recebidosMostram(const QStringList& esperados)
    {
        return QTest::qWaitFor([&] { return nomes(recebidos()) == esperados; }, kEsperaMs);
    }
};

const QString kA = QStringLiteral("PX_00123_0005_0412010800_1.rec");
const QString kB = QStringLiteral("PX_00123_0009_0412050800_1.rec");
const QString kC = QStringLiteral("PX_00123_0007_0412030800_1.rec");

TEST_F(Acompanhamento, AFileAppearingInRecebidosIsListedWhileThePageIsShown)
{
    abre();
    ASSERT_EQ(texto("lblarqproc"), QStringLiteral("0"));

    criaArquivo(pastaRecebidos(), kA);
    ASSERT_TRUE(recebidosMostram({kA})) << nomes(recebidos()).join(u' ').toStdString();
    EXPECT_EQ(texto("lblarqproc"), QStringLiteral("1"));
    // The only entry is the one a click on "Processar Arquivo" takes.
    EXPECT_EQ(recebidos()->currentItem()->text(), kA);

    // The operator chose B; C comes in before it by name: B stays chosen.
    criaArquivo(pastaRecebidos(), kB);
    ASSERT_TRUE(recebidosMostram({kA, kB}));
    recebidos()->setCurrentRow(1);
    criaArquivo(pastaRecebidos(), kC);
    ASSERT_TRUE(recebidosMostram({kA, kC, kB}));
    EXPECT_EQ(recebidos()->currentItem()->text(), kB);
    EXPECT_EQ(texto("lblarqproc"), QStringLiteral("3"));

    // The chosen file goes: the first is chosen, as when the page opens.
    ASSERT_TRUE(QFile::remove(QDir(pastaRecebidos()).filePath(kB)));
    ASSERT_TRUE(recebidosMostram({kA, kC}));
    EXPECT_EQ(recebidos()->currentRow(), 0);
    EXPECT_EQ(texto("lblarqproc"), QStringLiteral("2"));
}

TEST_F(Acompanhamento, TheProcessedAndGeneratedListsAndTheirLastNamesFollowToo)
{
    abre();
    const struct {
        QString pasta;
        QString nome;
        const char* lista;
        const char* total;
        const char* ultimo;
    } casos[] = {
        {pastaProcessados(), kC, "FLBArquivosRecargaProcessados", "lblarqjaproc", "lblultimoarquivo"},
        {pastaGerados(), QStringLiteral("PX_00123_0007_0412091530_2.REC"), "FLBArquivosRecargaGerados",
         "lblarqgerado", "lblultimogerado"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.lista);
        criaArquivo(c.pasta, c.nome);
        QListWidget* lista = filho<QListWidget>(c.lista);
        ASSERT_TRUE(QTest::qWaitFor([&] { return nomes(lista) == QStringList{c.nome}; }, kEsperaMs));
        EXPECT_EQ(texto(c.total), QStringLiteral("1"));
        EXPECT_EQ(texto(c.ultimo), c.nome);
    }
    // A file of another kind is no entry of any list.
    criaArquivo(pastaRecebidos(), QStringLiteral("notas.txt"));
    criaArquivo(pastaRecebidos(), kA);
    ASSERT_TRUE(recebidosMostram({kA}));
}

TEST_F(Acompanhamento, AfterGerarArquivoTheLogPageSaysWhereTheAnswerIsAndWhatComesNext)
{
    abreEProcessa();
    QLabel* proximo = filho<QLabel>("lblproximopasso");
    ASSERT_NE(proximo, nullptr);
    escolheTarifa(1);
    digitaUsuario(101, "10");
    esperaGerarAssimMesmo();
    controle<QPushButton>("btngerararquivo")->click();
    ASSERT_TRUE(dialogos.allConsumed()) << dialogos.shown().join(u'\n').toStdString();
    ASSERT_EQ(filho<QStackedWidget>("PageControl1")->currentWidget(), filho<QWidget>("tblog"));

    const QString resposta = QStringLiteral("PX_00123_0007_0412091530_2.REC");
    const QString esperado = QStringLiteral("Resposta %1 gravada em %2. Próximo passo: Carga Arquivos, para copiar "
                                            "para o disco.")
                                 .arg(resposta, caminhoVisivel(pastaGerados()));
    EXPECT_EQ(proximo->text(), esperado);
    EXPECT_TRUE(proximo->isVisible());
    // Above the log, not in it, nor in the ".LOG" beside the answer.
    auto* log = filho<QPlainTextEdit>("memolog");
    EXPECT_LT(proximo->geometry().bottom(), log->geometry().top());
    EXPECT_FALSE(log->toPlainText().contains(QStringLiteral("Próximo passo")));
    EXPECT_FALSE(w().linhasLog().join(u'\n').contains(QStringLiteral("Próximo passo")));
    const std::vector<Texto> arquivoLog =
        carregaLinhas(QDir(pastaGerados()).filePath(QStringLiteral("PX_00123_0007_0412091530_2.LOG")));
    ASSERT_FALSE(arquivoLog.empty());
    for (const Texto& l : arquivoLog)
        EXPECT_FALSE(deCp1252(l).contains(QStringLiteral("Próximo passo")));

    // The next file processed starts a new log, without the line.
    controle<QPushButton>("btnFechar")->click();
    enviaRecebido(linhasDoModelo(*modeloCentral(), kA), kA, &chavesDemo().centralPublica);
    ASSERT_TRUE(recebidosMostram({kA}));
    dialogos.expectNotice(QStringLiteral("Erro ao Descriptografar Arquivo - Verifique!"));
    controle<QPushButton>("btnprocessar")->click();
    EXPECT_TRUE(proximo->text().isEmpty());
    EXPECT_TRUE(proximo->isHidden());
}

}  // namespace
}  // namespace pluvexa::janela
