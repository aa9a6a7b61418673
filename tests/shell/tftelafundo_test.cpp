#include "janelaprincipal.h"

#include "shell/formatodata.h"
#include "shell/informacoesprograma.h"

#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QTemporaryDir>
#include <ostream>

namespace pluvexa::test {
namespace {

struct Tamanho {
    qint64 bytes;
    const char* texto;
};

void PrintTo(const Tamanho& t, std::ostream* os)
{
    *os << t.bytes;
}

class FormatoTamanho : public ::testing::TestWithParam<Tamanho> {};

TEST_P(FormatoTamanho, GroupsThousandsWithADot)
{
    EXPECT_EQ(formataTamanho(GetParam().bytes), QString::fromUtf8(GetParam().texto));
}

INSTANTIATE_TEST_SUITE_P(Tamanhos, FormatoTamanho,
                         ::testing::Values(Tamanho{0, "0 Bytes"}, Tamanho{7, "7 Bytes"},
                                           Tamanho{999, "999 Bytes"}, Tamanho{1000, "1.000 Bytes"},
                                           Tamanho{1234567, "1.234.567 Bytes"},
                                           Tamanho{12345678, "12.345.678 Bytes"},
                                           Tamanho{123456789, "123.456.789 Bytes"}));

TEST(FormatoData, ShortDateIsDayMonthYear)
{
    EXPECT_EQ(dataCurta(QDate(2024, 1, 2)), QStringLiteral("02/01/2024"));
    EXPECT_EQ(horaLonga(QTime(7, 8, 9)), QStringLiteral("07:08:09"));
}

class TelaFundo : public JanelaPrincipal {
protected:
    void SetUp() override
    {
        JanelaPrincipal::SetUp();
        arquivo = pasta.filePath(QStringLiteral("pluvexa"));
        escreve(1234567, QDateTime(QDate(2023, 3, 5), QTime(7, 8, 9)));
        fundo->defineArquivoPrograma(arquivo);
    }

    void escreve(qint64 tamanho, const QDateTime& quando)
    {
        QFile f(arquivo);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_TRUE(f.resize(tamanho));
        f.close();
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(quando, QFileDevice::FileModificationTime));
    }

    std::vector<QLabel*> informacoes() const
    {
        return {fundo->ProductName, fundo->Label17, fundo->Label16, fundo->Label15,
                fundo->Label14,     fundo->Label11, fundo->Label3,  fundo->Label6,
                fundo->Label7,      fundo->Comments, fundo->Label1};
    }

    // Straight to the picture: the platform drops a move to where the
    // pointer already is.
    static void passa(QWidget* figura, const QPoint& p)
    {
        QMouseEvent e(QEvent::MouseMove, QPointF(p), figura->mapToGlobal(QPointF(p)), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(figura, &e);
    }

    QTemporaryDir pasta;
    QString arquivo;
};

TEST_F(TelaFundo, ShowsSizeDateTimeAndVersionOfTheProgramFile)
{
    fundo->FormCreate();
    EXPECT_EQ(fundo->Label3->text(), QStringLiteral("1.234.567 Bytes"));
    EXPECT_EQ(fundo->Label6->text(), QStringLiteral("05/03/2023"));
    EXPECT_EQ(fundo->Label7->text(), QStringLiteral("07:08:09"));
    EXPECT_EQ(fundo->Label11->text(), QStringLiteral("2.1.1.01C "));
    EXPECT_EQ(fundo->ProductName->text(), QStringLiteral("Produto: "));
    EXPECT_EQ(fundo->windowTitle(), QStringLiteral("Principal"));
}

TEST_F(TelaFundo, InformationPanelFollowsTheMouseBetweenLogoAndBackground)
{
    for (QLabel* r : informacoes())
        EXPECT_FALSE(r->isVisible()) << r->objectName().toStdString();

    passa(fundo->Image2, fundo->Image2->rect().center());
    for (QLabel* r : informacoes())
        EXPECT_TRUE(r->isVisible()) << r->objectName().toStdString();

    passa(fundo->Image1, QPoint(fundo->Image1->width() - 20, fundo->Image1->height() - 20));
    for (QLabel* r : informacoes())
        EXPECT_FALSE(r->isVisible()) << r->objectName().toStdString();

    passa(fundo->Image2, QPoint(5, 5));
    for (QLabel* r : informacoes())
        EXPECT_TRUE(r->isVisible()) << r->objectName().toStdString();
}

TEST_F(TelaFundo, ReactivationRefreshesTheFiguresAndTheVersion)
{
    clica(QStringLiteral("Manutenção"));
    ASSERT_EQ(ativa(), QStringLiteral("fcadrecarga"));
    escreve(2048, QDateTime(QDate(2022, 12, 31), QTime(23, 59, 58)));
    principal->defineVersao(QString());

    principal->mdiArea->currentSubWindow()->close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return ativa() == QStringLiteral("ftelafundo"); }));
    EXPECT_EQ(fundo->Label3->text(), QStringLiteral("2.048 Bytes"));
    EXPECT_EQ(fundo->Label6->text(), QStringLiteral("31/12/2022"));
    EXPECT_EQ(fundo->Label7->text(), QStringLiteral("23:59:58"));
    EXPECT_EQ(principal->Versao(), QStringLiteral("2.1.1.01C "));
    EXPECT_EQ(fundo->Label11->text(), QStringLiteral("2.1.1.01C "));
}

TEST_F(TelaFundo, ClosingDestroysItAndTheTreeStillOpensWorkWindows)
{
    QPointer<Tftelafundo> guarda(fundo);
    principal->mdiArea->currentSubWindow()->close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return guarda.isNull(); }));
    EXPECT_TRUE(janelas().isEmpty());
    clica(QStringLiteral("Manutenção"));
    EXPECT_EQ(janelas(), QStringList{QStringLiteral("fcadrecarga")});
}

}  // namespace
}  // namespace pluvexa::test
