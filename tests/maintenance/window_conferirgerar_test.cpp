// The month's end from the review page of the real window: the question
// "Gerar Arquivo" asks with its counts (holders without value in two
// tariffs caught though the grid shows one at a time), the review opened
// on the first motive counted, a value corrected in the review's list, and
// the draft and the answer written from the review page itself.

#include "files/pastastrabalho.h"
#include "flows/modeloconferencia.h"
#include "maintenance/recargagrid.h"
#include "maintenance/windowfixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>
#include <QTest>

#include <string_view>
#include <tuple>

namespace pluvexa::janela {
namespace {

const QStringList kBotoes{QStringLiteral("Conferir"), QStringLiteral("Gerar Assim Mesmo"), QStringLiteral("Cancelar")};

class ConferirEGerar : public JanelaRecargaTest {
protected:
    // The central's file, but ANA LIMA (tariff 1) and FABIO ALVES (tariff 2)
    // never had a recharge. With MARIA SOUZA at 100,00 (usual 40,17) and
    // DANIEL COSTA at his usual 30:
    //   without value: 102 ANA (tariff 1), 103 CARLA (tariff 0), 106 FABIO
    //   (tariff 2), and 105 EVA, who had recharges ("Sem recarga");
    //   above: 101 MARIA.
    void SetUp() override
    {
        auto m = modeloCentral();
        m->wRecarga[1].Historico[0] = {0, 0, 0};
        m->wRecarga[5].Historico[0] = {0, 0, 0};
        enviaRecebido(linhasDoModelo(*m, nomeRecebidoPadrao()), nomeRecebidoPadrao());
        abre();
        processa();
        ASSERT_EQ(paginaAtual(), filho("tbDigitacao"));
        escolheTipo(kTipoCreditos);
        escolheTarifa(1);
        digitaUsuario(104, "30");
        escolheTipo(kTipoDinheiro);
        escolheTarifa(1);
        digitaUsuario(101, "100,00");
    }

    QWidget* paginaConferencia() const { return janela->findChild<QWidget*>(QStringLiteral("tbconferencia")); }
    QTableView* tabela() const { return janela->findChild<QTableView*>(QStringLiteral("sgConferencia")); }
    QComboBox* motivo() const { return janela->findChild<QComboBox*>(QStringLiteral("cbmotivo")); }
    QPushButton* botao(const char* nome) const { return janela->findChild<QPushButton*>(QString::fromLatin1(nome)); }
    template <typename T = QWidget>
    T* filho(const char* nome) const
    {
        T* w = janela->findChild<T*>(QString::fromLatin1(nome));
        EXPECT_NE(w, nullptr) << nome;
        return w;
    }
    QWidget* paginaAtual() const { return filho<QStackedWidget>("PageControl1")->currentWidget(); }
    void geraNaGrade() { filho<QPushButton>("btngerararquivo")->click(); }

    QList<int> usuariosNaTabela() const
    {
        QList<int> out;
        for (int r = 0; r < tabela()->model()->rowCount(); ++r)
            out << tabela()->model()->index(r, ModeloConferencia::ColUsuario).data().toInt();
        return out;
    }
    QString valorNaTabela(int usuario) const
    {
        const QList<int> u = usuariosNaTabela();
        const int r = int(u.indexOf(usuario));
        return r < 0 ? QStringLiteral("<not listed>")
                     : tabela()->model()->index(r, ModeloConferencia::ColValor).data().toString();
    }
    // Types `texto` on the holder's row of the review's list, as the
    // operator does: the first figure opens its value cell.
    void corrige(int usuario, const QString& texto)
    {
        const int r = int(usuariosNaTabela().indexOf(usuario));
        ASSERT_GE(r, 0) << usuario;
        tabela()->setFocus(Qt::OtherFocusReason);
        tabela()->setCurrentIndex(tabela()->model()->index(r, ModeloConferencia::ColNome));
        QTest::keyClick(tabela(), texto.at(0).toLatin1());
        QWidget* editor = QApplication::focusWidget();
        ASSERT_NE(qobject_cast<QLineEdit*>(editor), nullptr) << "no cell editor opened";
        QTest::keyClicks(editor, texto.mid(1));
        QTest::keyClick(editor, Qt::Key_Return);
        // The view stores what was typed once the key is through.
        ASSERT_TRUE(QTest::qWaitFor([this] { return tabela()->findChild<QLineEdit*>() == nullptr; }));
        EXPECT_EQ(paginaAtual(), paginaConferencia()) << "Enter stores the value, it goes nowhere";
    }
    double valorDe(int usuario) const
    {
        for (int i = 0; i < modelo->QtdRecarga; ++i)
            if (modelo->wRecarga[size_t(i)].Usuario == usuario)
                return modelo->wRecarga[size_t(i)].Grupo[0].Valor;
        ADD_FAILURE() << "no holder " << usuario;
        return -1;
    }
    // "Gerar Arquivo" on the grid, answered "Conferir".
    void conferePelaPergunta()
    {
        dialogos.expectChoice(QStringLiteral("4 titulares sem valor, 1 acima do habitual. Conferir antes de gerar?"),
                              kBotoes, 0);
        geraNaGrade();
        ASSERT_TRUE(dialogos.allConsumed()) << dialogos.shown().join(u'\n').toStdString();
        ASSERT_EQ(paginaAtual(), paginaConferencia());
    }
};

TEST_F(ConferirEGerar, TheQuestionCountsHoldersWithoutValueInEveryTariffFirst)
{
    conferePelaPergunta();
    EXPECT_EQ(dialogos.lastDefault(), 0) << "Conferir is the default";
    EXPECT_EQ(dialogos.lastQuestionIcon(), Interaction::Icon::Warning);
    // Opened on the first motive counted; EVA (who had recharges) is under
    // "Sem recarga".
    EXPECT_EQ(motivo()->currentText(), "Sem valor (3)");
    EXPECT_EQ(usuariosNaTabela(), (QList<int>{102, 103, 106}));
    EXPECT_EQ(arquivosEm(pastaGerados()), QStringList{});
    EXPECT_EQ(linhaDoLog("Geração de Arquivo Definitivo"), -1);
}

TEST_F(ConferirEGerar, FromTheQuestionTheFlaggedValuesAreTypedOneAfterTheOtherWithoutAClick)
{
    conferePelaPergunta();
    ASSERT_EQ(QApplication::focusWidget(), tabela());
    // Each value typed and Enter: the holder leaves the list and the next
    // one's value is the one typed next.
    for (const auto& [usuario, texto, valor] :
         {std::tuple{102, "25", 25.0}, std::tuple{103, "7,5", 7.5}, std::tuple{106, "4", 4.0}}) {
        ASSERT_EQ(tabela()->model()->index(tabela()->currentIndex().row(), 0).data().toInt(), usuario);
        // Each key where the keyboard is: the first one opens the editor.
        for (const char tecla : std::string_view(texto))
            QTest::keyClick(QApplication::focusWidget(), tecla);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        ASSERT_TRUE(QTest::qWaitFor([this] { return tabela()->findChild<QLineEdit*>() == nullptr; }));
        EXPECT_DOUBLE_EQ(valorDe(usuario), valor);
        ASSERT_EQ(QApplication::focusWidget(), tabela());
    }
    // "Sem valor" emptied, every flagged holder comes into view (the three
    // now on their first recharge among them), the farthest from their
    // usual value first and ready to be typed over.
    EXPECT_EQ(motivo()->currentText(), "Todos (5)");
    EXPECT_EQ(usuariosNaTabela(), (QList<int>{101, 105, 102, 103, 106}));
    EXPECT_EQ(tabela()->currentIndex().row(), 0);
    EXPECT_EQ(tabela()->currentIndex().column(), int(ModeloConferencia::ColValor));
    EXPECT_EQ(dialogos.shown().size(), 1) << dialogos.shown().join(u'\n').toStdString();
}

TEST_F(ConferirEGerar, AValueCorrectedInTheListIsCheckedStoredAndTheListFollows)
{
    conferePelaPergunta();
    corrige(102, QStringLiteral("25.5"));
    EXPECT_DOUBLE_EQ(valorDe(102), 25.5);
    // No longer without value: the list (still on "Sem valor") lets her go
    // and the next holder takes her place.
    EXPECT_EQ(usuariosNaTabela(), (QList<int>{103, 106}));
    EXPECT_EQ(motivo()->currentText(), "Sem valor (2)");
    EXPECT_EQ(tabela()->model()->index(tabela()->currentIndex().row(), 0).data().toString(), "103");
    EXPECT_TRUE(w().valoresPendentes());
    // The grid (money, tariff 1) and its totals show it.
    EXPECT_EQ(valorDoUsuario(102), "25,50");
    // 100,00 + 25,50, and DANIEL's 30 credits at 2,30 with 50 %.
    EXPECT_EQ(filho<QLabel>("lblgervlrdig")->text(), "160,00");

    // The grid's own checks: above the card type's maximum, and no number.
    dialogos.expectNotice(QStringLiteral("Valor Maior que o Permitido(R$600,00) - Verifique!"));
    corrige(106, QStringLiteral("600,01"));
    dialogos.expectNotice(QStringLiteral("Valor Inválido - Verifique!"));
    corrige(106, QStringLiteral("1,2,3"));
    EXPECT_TRUE(dialogos.allConsumed()) << dialogos.shown().join(u'\n').toStdString();
    EXPECT_DOUBLE_EQ(valorDe(106), 0.0);
    EXPECT_EQ(valorNaTabela(106), "0,00");

    // Each correction is one step of the values, undone as the grid's are.
    corrige(106, QStringLiteral("9"));
    EXPECT_EQ(usuariosNaTabela(), QList<int>{103});
    QAction* desfazer = filho<QAction>("ppmdesfazer");
    EXPECT_EQ(desfazer->text(), "Desfazer Valor Digitado");
    desfazer->trigger();
    EXPECT_DOUBLE_EQ(valorDe(106), 0.0);
    EXPECT_DOUBLE_EQ(valorDe(102), 25.5);

    // Under every motive, a value shows with its thousands point and is
    // typed over without it.
    motivo()->setCurrentIndex(0);
    corrige(101, QStringLiteral("45"));
    EXPECT_DOUBLE_EQ(valorDe(101), 45.0);
    EXPECT_FALSE(usuariosNaTabela().contains(101)) << "45,00 is within 50 % of 40,17";
}

TEST_F(ConferirEGerar, TheDraftAndTheAnswerAreWrittenFromTheReviewPage)
{
    conferePelaPergunta();
    corrige(102, QStringLiteral("20"));
    QPushButton* salvar = botao("btnsalvarrascunhoconferencia");
    QPushButton* gerar = botao("btngerararquivoconferencia");
    ASSERT_NE(salvar, nullptr);
    ASSERT_NE(gerar, nullptr);
    EXPECT_TRUE(salvar->isVisible());
    EXPECT_TRUE(salvar->isEnabled());
    EXPECT_TRUE(gerar->isVisible());
    EXPECT_TRUE(gerar->isEnabled());

    dialogos.expectNotice(QStringLiteral("Arquivo de Rascunho Gravado com Sucesso!!"));
    salvar->click();
    EXPECT_TRUE(dialogos.allConsumed()) << dialogos.shown().join(u'\n').toStdString();
    EXPECT_EQ(paginaAtual(), paginaConferencia()) << "the operator stays on the review";
    EXPECT_FALSE(w().valoresPendentes());
    EXPECT_EQ(arquivosEm(pastaRascunho()).filter(QStringLiteral(".REC")).size(), 1);

    // Alt+G, as on the grid; with the flagged holders in sight nothing
    // asks whether to review them, and the answer goes.
    tabela()->setFocus(Qt::OtherFocusReason);
    // As the keyboard gives it, through the window.
    QTest::keyClick(janela->windowHandle(), Qt::Key_G, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([this] { return paginaAtual() == filho("tblog"); }))
        << dialogos.shown().join(u'\n').toStdString();
    EXPECT_TRUE(dialogos.allConsumed()) << dialogos.shown().join(u'\n').toStdString();
    EXPECT_EQ(paginaAtual(), filho("tblog"));
    EXPECT_EQ(arquivosEm(pastaGerados()),
              (QStringList{"PX_00123_0007_0412091530_2.LOG", "PX_00123_0007_0412091530_2.REC"}));
    const auto resposta = abreResposta(QDir(pastaGerados()).filePath(QStringLiteral("PX_00123_0007_0412091530_2.REC")));
    ASSERT_TRUE(resposta.has_value());
    std::map<int, QString> valores;
    for (const Texto& r : *resposta)
        if (campoRegistro(r, 1, 2) == QLatin1String("01"))
            valores[campoRegistro(r, 3, 10).toInt()] = campoRegistro(r, 135, 18);
    EXPECT_EQ(valores.at(101), "000000000000010000");
    EXPECT_EQ(valores.at(102), "000000000000002000");
}

TEST_F(ConferirEGerar, CancelarStaysAndTheButtonsOfTheReviewFollowTheGrid)
{
    dialogos.expectChoice(QStringLiteral("4 titulares sem valor, 1 acima do habitual. Conferir antes de gerar?"),
                          kBotoes, 2);
    geraNaGrade();
    EXPECT_EQ(paginaAtual(), filho("tbDigitacao"));
    EXPECT_EQ(arquivosEm(pastaGerados()), QStringList{});
    // (as while an import runs)
    filho<QPushButton>("btngerararquivo")->setEnabled(false);
    EXPECT_FALSE(botao("btngerararquivoconferencia")->isEnabled());
    filho<QPushButton>("btngerararquivo")->setEnabled(true);
    EXPECT_TRUE(botao("btngerararquivoconferencia")->isEnabled());
}

// Every holder at its usual value (CARLA given a history): nothing flagged,
// nothing asked.
class SemRiscos : public JanelaRecargaTest {};

TEST_F(SemRiscos, NoQuestionWhenNobodyIsFlagged)
{
    auto m = modeloCentral();
    m->wRecarga[2].Historico[0] = {10.0, 0, 0};
    enviaRecebido(linhasDoModelo(*m, nomeRecebidoPadrao()), nomeRecebidoPadrao());
    abre();
    processa();
    const struct {
        int tipo, tarifa, usuario;
        const char* valor;
    } valores[] = {{kTipoDinheiro, 1, 101, "40,17"}, {kTipoDinheiro, 1, 102, "20,00"}, {kTipoDinheiro, 0, 103, "10,00"},
                   {kTipoDinheiro, 2, 106, "9,90"},  {kTipoCreditos, 1, 104, "30"},     {kTipoCreditos, 2, 105, "12"}};
    for (const auto& v : valores) {
        escolheTipo(v.tipo);
        escolheTarifa(v.tarifa);
        digitaUsuario(v.usuario, QString::fromLatin1(v.valor));
    }
    janela->findChild<QPushButton*>(QStringLiteral("btngerararquivo"))->click();
    EXPECT_TRUE(dialogos.shown().isEmpty()) << dialogos.shown().join(u'\n').toStdString();
    EXPECT_EQ(arquivosEm(pastaGerados()).size(), 2);
}

}  // namespace
}  // namespace pluvexa::janela
