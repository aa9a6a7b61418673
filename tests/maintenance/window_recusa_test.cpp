// A refused value is not an edit: the window stays unmodified, the steps of
// undo stay as they were, and the cell's tooltip says what was refused until
// the row is typed in again.

#include "maintenance/windowfixture.h"

#include <QAction>
#include <QCoreApplication>
#include <QTableView>

namespace pluvexa::janela {
namespace {

struct CasoRecusa {
    const char* nome;
    int tipo;
    int tarifa;
    int usuario;
    const char* texto;
    const char* mensagem;
    const char* valido;   // a value the row takes
    const char* mostrado;  // as the cell then shows it
    const char* zero;      // the cell before any value
};

class Recusa : public JanelaRecargaTest, public ::testing::WithParamInterface<CasoRecusa> {
protected:
    QString dica(int linha) const
    {
        const auto* grade = janela->findChild<QTableView*>(QStringLiteral("sgRecarga"));
        return grade->model()->data(grade->model()->index(linha - 1, 5), Qt::ToolTipRole).toString();
    }
    const QAction* desfazer() const { return janela->findChild<QAction*>(QStringLiteral("ppmdesfazer")); }
    void recusa(int linha)
    {
        const CasoRecusa& c = GetParam();
        dialogos.expectNotice(QString::fromUtf8(c.mensagem));
        digita(linha, QString::fromUtf8(c.texto));
        EXPECT_TRUE(dialogos.allConsumed());
    }
};

TEST_P(Recusa, LeavesTheWindowUnmodifiedAndUndoAsItWas)
{
    const CasoRecusa& c = GetParam();
    abreEProcessa();
    escolheTipo(c.tipo);
    escolheTarifa(c.tarifa);
    const int linha = linhaDoUsuario(c.usuario);
    ASSERT_GE(linha, 1);

    recusa(linha);
    EXPECT_FALSE(w().isWindowModified());
    EXPECT_FALSE(desfazer()->isEnabled());
    EXPECT_EQ(desfazer()->text(), "Desfazer");
    EXPECT_EQ(valorDoUsuario(c.usuario), QString::fromUtf8(c.zero));
    EXPECT_EQ(dica(linha), QStringLiteral("Recusado: ") + QString::fromUtf8(c.texto).trimmed());

    // Typed again and taken: an edit, and the refusal no longer stands.
    digita(linha, QString::fromUtf8(c.valido));
    EXPECT_TRUE(w().isWindowModified());
    EXPECT_EQ(valorDoUsuario(c.usuario), QString::fromUtf8(c.mostrado));
    EXPECT_EQ(dica(linha), QString());
    EXPECT_EQ(desfazer()->text(), "Desfazer Valor Digitado");

    // Saved, then refused again: still nothing to save, the step to undo the
    // same, the stored value on screen.
    salvaRascunho();
    EXPECT_FALSE(w().isWindowModified());
    recusa(linha);
    EXPECT_FALSE(w().isWindowModified());
    EXPECT_FALSE(w().valoresPendentes());
    EXPECT_TRUE(desfazer()->isEnabled());
    EXPECT_EQ(desfazer()->text(), "Desfazer Valor Digitado");
    EXPECT_EQ(valorDoUsuario(c.usuario), QString::fromUtf8(c.mostrado));
    EXPECT_EQ(dica(linha), QStringLiteral("Recusado: ") + QString::fromUtf8(c.texto).trimmed());

    // Nothing to lose: leaving asks nothing.
    EXPECT_TRUE(w().close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(janela.isNull());
}

INSTANTIATE_TEST_SUITE_P(
    Janela, Recusa,
    ::testing::Values(
        CasoRecusa{"AboveTheMoneyMaximum", kTipoDinheiro, 1, 101, "700", "Valor Maior que o Permitido(R$600,00) - Verifique!",
                   "12.5", "12,50", "0,00"},
        CasoRecusa{"AboveTheCreditsMaximum", kTipoCreditos, 1, 104, "251", "Valor Maior que o Permitido(250) - Verifique!",
                   "30", "30", "0"},
        CasoRecusa{"NoNumber", kTipoDinheiro, 1, 102, "1x2", "Valor Inválido - Verifique!", "7", "7,00", "0,00"},
        CasoRecusa{"Negative", kTipoCreditos, 1, 104, "-3", "Valor Inválido - Verifique!", "4", "4", "0"}),
    [](const auto& info) { return std::string(info.param.nome); });

// Typed and not yet stored (the mouse took the operator elsewhere) is work
// to keep: the window says so until it is stored or put back.
TEST_F(JanelaRecargaTest, TypedTextNotYetStoredMarksTheWindowModified)
{
    abreEProcessa();
    escolheTarifa(1);
    digita(linhaDoUsuario(101), "5", false);
    selecionaValor(linhaDoUsuario(102));
    EXPECT_TRUE(w().isWindowModified());
    // Typed back to the value stored: once checked, nothing changed.
    digita(linhaDoUsuario(101), "0", true);
    EXPECT_FALSE(w().isWindowModified());
}

}  // namespace
}  // namespace pluvexa::janela
