// What assistive technology reads from the maintenance window: every label
// says what it shows, values are read with their captions, the grid's cells
// and the message boxes expose their texts, nothing is named after an object,
// and no control of any page goes unnamed.

#include "maintenance/paginaconferencia.h"
#include "maintenance/recargagrid.h"
#include "maintenance/windowfixture.h"
#include "support/arvoreacessivel.h"
#include "ui/qtinteraction.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace pluvexa::janela {
namespace {

QString lido(QObject* o)
{
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(o);
    return i ? i->text(QAccessible::Name) : QStringLiteral("<no interface>");
}

QString semMnemonico(QString t)
{
    return t.remove(QLatin1Char('&')).trimmed();
}

class Acessibilidade : public JanelaRecargaTest {
protected:
    void SetUp() override
    {
        enviaRecebidoPadrao();
        abre();
        processa();
        ASSERT_EQ(paginaAtual(), "tbDigitacao");
    }

    void cadaRotuloDizOQueMostra()
    {
        int vistos = 0;
        for (QLabel* l : w().findChildren<QLabel*>()) {
            if (!l->isVisibleTo(&w()) || !l->isVisible())
                continue;
            ++vistos;
            EXPECT_EQ(lido(l).trimmed(), semMnemonico(l->text())) << l->objectName().toStdString();
        }
        EXPECT_GT(vistos, 20);
    }
};

TEST_F(Acessibilidade, EveryVisibleLabelSaysWhatItShowsAndFollowsChanges)
{
    cadaRotuloDizOQueMostra();
    QLabel* empresa = controle<QLabel>("lblempresa");
    EXPECT_TRUE(lido(empresa).startsWith(QStringLiteral("123 - "))) << lido(empresa).toStdString();
    escolheTarifa(1);
    escolheTipo(kTipoCreditos);
    digitaUsuario(104, QStringLiteral("10"));
    EXPECT_EQ(lido(controle<QLabel>("lblqtdrecdig")), QStringLiteral("10"));
    cadaRotuloDizOQueMostra();
}

struct Legenda {
    const char* valor;
    const char* legenda;
};

TEST_F(Acessibilidade, ValuesAreReadWithTheirCaptions)
{
    const Legenda legendas[] = {
        {"lblseq", "Sequencial Arq. :"}, {"lblempresa", "Empresa :"}, {"lbldata", "Data :"},
        {"lblcripta", "Criptografado :"}, {"lblqtdrec", "Qtd. Registros :"},
        {"lblvlrrecdig", "Vlr. Recargas :"}, {"lblqtdrecdig", "Qtd. Créditos :"},
        {"lblgervlrdig", "Vlr.Geral Recargas :"}, {"lblgerqtddig", "Qtd. Geral Créditos :"},
        {"lblarqproc", "Total de Arquivos a processar :"}, {"lblarqjaproc", "Total de Arquivos processados :"},
        {"lblultimoarquivo", "Último Arquivo processado :"}, {"lblarqgerado", "Total de Arquivos Gerados  :"},
        {"lblultimogerado", "Último Arquivo Gerado :"}, {"lblultacesso", "Último Arquivo Acessado :"}};
    for (const Legenda& l : legendas) {
        auto* rotulo = w().findChild<QLabel*>(QString::fromUtf8(l.valor));
        ASSERT_NE(rotulo, nullptr) << l.valor;
        QAccessibleInterface* i = QAccessible::queryAccessibleInterface(rotulo);
        ASSERT_NE(i, nullptr);
        QStringList legendasLidas;
        for (const auto& [outro, relacao] : i->relations(QAccessible::Label))
            legendasLidas << outro->text(QAccessible::Name);
        // The caption first; the box around, if any, after it.
        ASSERT_FALSE(legendasLidas.isEmpty()) << l.valor;
        EXPECT_EQ(legendasLidas.first(), QString::fromUtf8(l.legenda)) << l.valor;
    }
}

TEST_F(Acessibilidade, NothingIsNamedAfterAnObjectAndButtonsAreNamedByTheirCaptions)
{
    for (QWidget* c : w().findChildren<QWidget*>()) {
        if (c->objectName().isEmpty())
            continue;
        EXPECT_NE(lido(c), c->objectName()) << c->objectName().toStdString();
    }
    for (QAbstractButton* b : w().findChildren<QAbstractButton*>()) {
        if (b->text().isEmpty())
            continue;
        EXPECT_EQ(lido(b), semMnemonico(b->text())) << b->objectName().toStdString();
        EXPECT_FALSE(lido(b).contains(QLatin1Char('&')));
    }
    EXPECT_EQ(controle<QPushButton>("btnprocessar")->text(), QStringLiteral("&Processar Arquivo"));
    EXPECT_EQ(controle<QPushButton>("btnsalvarrascunho")->text(), QStringLiteral("Salvar &Rascunho"));
    EXPECT_EQ(controle<QPushButton>("btngerararquivo")->text(), QStringLiteral("&Gerar Arquivo"));
    EXPECT_EQ(controle<QPushButton>("btnimpressao")->text(), QStringLiteral("&Imprimir"));
    EXPECT_EQ(controle<QPushButton>("btnimportararq")->text(), QStringLiteral("Importar &Arquivo"));
    EXPECT_EQ(controle<QPushButton>("btnexportarplanilha")->text(), QStringLiteral("E&xportar Planilha"));
}

TEST_F(Acessibilidade, GridCellsAndHeadersExposeTheirTexts)
{
    escolheTarifa(1);
    escolheTipo(kTipoDinheiro);
    digitaUsuario(101, QStringLiteral("12.5"));
    QAccessibleInterface* grade = QAccessible::queryAccessibleInterface(controle<RecargaGrid>("sgRecarga"));
    ASSERT_NE(grade, nullptr);
    ASSERT_NE(grade->tableInterface(), nullptr);
    const int linha = linhaDoUsuario(101) - 1;
    QAccessibleInterface* celula = grade->tableInterface()->cellAt(linha, 5);
    ASSERT_NE(celula, nullptr);
    EXPECT_EQ(celula->text(QAccessible::Name), QStringLiteral("12,50"));
    EXPECT_EQ(grade->tableInterface()->cellAt(linha, 0)->text(QAccessible::Name), QStringLiteral("101"));
    QStringList cabecalhos;
    for (QAccessibleInterface* c : grade->tableInterface()->cellAt(linha, 5)->tableCellInterface()->columnHeaderCells())
        cabecalhos << c->text(QAccessible::Name);
    EXPECT_EQ(cabecalhos, QStringList{QStringLiteral("Valor")});
}

// The lists carry their labels' words, whatever entry they show: as their
// name, and as the label a screen reader reads before the entry (on Linux
// Qt names a list by its entry and gives the caption only this way); the
// find field's clear button is read by what it does.
TEST_F(Acessibilidade, ListsAndTheClearButtonAreNamed)
{
    const std::pair<QComboBox*, QString> listas[] = {{controle<QComboBox>("cbtipocartao"), QStringLiteral("Tipo de Cartão")},
                                                     {controle<QComboBox>("cbtarifa"), QStringLiteral("Tarifa")}};
    for (const auto& [lista, legenda] : listas) {
        EXPECT_EQ(lista->accessibleName(), legenda);
        QAccessibleInterface* i = QAccessible::queryAccessibleInterface(lista);
        ASSERT_NE(i, nullptr);
        QStringList legendas;
        for (const auto& [outro, relacao] : i->relations(QAccessible::Label))
            legendas << outro->text(QAccessible::Name);
        ASSERT_FALSE(legendas.isEmpty()) << legenda.toStdString();
        EXPECT_EQ(legendas.first(), legenda + QStringLiteral(" :"));
#ifndef Q_OS_UNIX
        EXPECT_EQ(lido(lista), legenda);
#endif
    }
    const auto* limpar = w().findChild<QToolButton*>(QStringLiteral("btnlimparlocalizar"));
    ASSERT_NE(limpar, nullptr);
    EXPECT_EQ(lido(const_cast<QToolButton*>(limpar)), QStringLiteral("Limpar"));
}

// Every page of the window, walked as a screen reader walks it: no control
// the operator acts on goes unnamed.
TEST_F(Acessibilidade, NoPageHasAnUnnamedControl)
{
    w().show();
    // The find field's clear button shows once there is text to clear.
    controle<QLineEdit>("edlocalizar")->setText(QStringLiteral("a"));
    for (const char* nome : {"tbarquivos", "tbDigitacao", "tblog", "tbconferencia"}) {
        QWidget* pagina = controle<QWidget>(nome);
        controle<QStackedWidget>("PageControl1")->setCurrentWidget(pagina);
        QCoreApplication::processEvents();
        EXPECT_EQ(test::controlesSemNome(&w()), QStringList()) << pagina->objectName().toStdString();
    }
}

// Every text an accessible tree holds, its root included.
void textos(QAccessibleInterface* i, QStringList& saida)
{
    if (!i)
        return;
    for (QAccessible::Text t : {QAccessible::Name, QAccessible::Value, QAccessible::Description})
        if (!i->text(t).isEmpty())
            saida << i->text(t);
    for (int c = 0; c < i->childCount(); ++c)
        textos(i->child(c), saida);
}

// The real message boxes: their text is read, Escape closes them (a
// question answered No).
TEST(CaixasDeMensagem, ExposeTheirTextAndCloseWithEscape)
{
    QtInteraction reais;
    Interaction& caixas = reais;
    for (const bool pergunta : {false, true}) {
        QStringList lidos;
        bool fechou = false;
        QTimer::singleShot(0, [&] {
            QWidget* caixa = QApplication::activeModalWidget();
            ASSERT_NE(caixa, nullptr);
            textos(QAccessible::queryAccessibleInterface(caixa), lidos);
            QTest::keyClick(caixa, Qt::Key_Escape);
            fechou = true;
        });
        const QString texto = QStringLiteral("Valor Inválido - Verifique!");
        if (pergunta)
            EXPECT_FALSE(caixas.question(texto));
        else
            caixas.notice(texto);
        EXPECT_TRUE(fechou);
        EXPECT_TRUE(lidos.contains(texto)) << lidos.join(u'|').toStdString();
    }
}

}  // namespace
}  // namespace pluvexa::janela
