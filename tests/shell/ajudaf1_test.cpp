// F1 from the real main window: the manual opens at the page about the
// window and page the operator is looking at.

#include "janelaprincipal.h"

#include "files/pastastrabalho.h"
#include "help/tfmanual.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QStackedWidget>
#include <QTextBrowser>

namespace pluvexa::test {
namespace {

class AjudaF1 : public JanelaPrincipal {
protected:
    // Runs the command line; false (with what it said) when it fails.
    static void cli(const QStringList& argumentos)
    {
        QProcess p;
        p.start(QStringLiteral(PLUVEXA_CLI), argumentos);
        ASSERT_TRUE(p.waitForFinished(60000));
        ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    }

    // F1 pressed on the main window; the page the manual then shows
    // ("digitar.html#grade").
    std::string f1()
    {
        principal->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(principal.get()));
        QTest::keyClick(principal.get(), Qt::Key_F1);
        Tfmanual* manual = principal->findChild<Tfmanual*>();
        if (!manual)
            return "<no manual>";
        const QUrl u = manual->txtManual->source();
        // Read, the manual is closed: the operator goes back to the work.
        manual->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return (u.fileName() + (u.hasFragment() ? QLatin1Char('#') + u.fragment() : QString())).toStdString();
    }

    template <typename T = QPushButton>
    T* daManutencao(const char* nome) const
    {
        QWidget* cad = principal->mdiArea->currentSubWindow()->widget();
        return cad->findChild<T*>(QString::fromLatin1(nome));
    }

    QString paginaManutencao() const
    {
        const auto* paginas = daManutencao<QStackedWidget>("PageControl1");
        return paginas && paginas->currentWidget() ? paginas->currentWidget()->objectName() : QString();
    }
};

TEST_F(AjudaF1, EachWindowAndPageOpensItsOwnPage)
{
    ASSERT_TRUE(QDir().mkpath(pastaRecebidos()));
    cli({QStringLiteral("demo"), QStringLiteral("--holders"), QStringLiteral("20"), QStringLiteral("--folder"),
         pastaRecebidos()});

    EXPECT_EQ(f1(), "index.html");  // the background: the first page
    clica(QStringLiteral("Manutenção"));
    ASSERT_EQ(paginaManutencao(), QStringLiteral("tbarquivos"));
    EXPECT_EQ(f1(), "processar.html#arquivos");

    daManutencao("btnprocessar")->click();
    ASSERT_EQ(paginaManutencao(), QStringLiteral("tbDigitacao"));
    EXPECT_EQ(f1(), "digitar.html#grade");

    daManutencao("btnconferir")->click();
    ASSERT_EQ(paginaManutencao(), QStringLiteral("tbconferencia"));
    EXPECT_EQ(f1(), "conferir.html#conferir");

    clica(QStringLiteral("Histórico"));
    ASSERT_EQ(ativa(), QStringLiteral("fhistorico"));
    EXPECT_EQ(f1(), "historico.html");

    clica(QStringLiteral("Carga Arquivos"));
    ASSERT_EQ(ativa(), QStringLiteral("fcargaarquivos"));
    EXPECT_EQ(f1(), "carga.html");
}

// A received file whose text is no recharge file shows the LOG page.
TEST_F(AjudaF1, TheLogPageOpensItsOwnPage)
{
    ASSERT_TRUE(QDir().mkpath(pastaRecebidos()));
    const QString texto = QDir(home.path()).filePath(QStringLiteral("lixo.txt"));
    QFile f(texto);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("nada de recarga aqui\r\n");
    f.close();
    cli({QStringLiteral("central"), QStringLiteral("make-received"), texto,
         QDir(pastaRecebidos()).filePath(QStringLiteral("PX_00123_0009_2603101200_1.rec"))});

    clica(QStringLiteral("Manutenção"));
    // Its one line is a record of no known kind; the file is then refused.
    interacao.expectNoticeStartingWith(QStringLiteral("Evento não reconhecido"));
    interacao.expectNotice(QStringLiteral("Arquivo fora do Padrão - Verifique"));
    daManutencao("btnprocessar")->click();
    ASSERT_EQ(paginaManutencao(), QStringLiteral("tblog"));
    EXPECT_EQ(f1(), "log.html");
}

}  // namespace
}  // namespace pluvexa::test
