// Undo and redo of the values: "Desfazer" / "Refazer" in the grid's context
// menu, named after the step they take (their keys belong to the main
// window's "Editar" menu, which calls the same handlers). The steps are kept by DesfazerValores; here the grid and
// the totals are brought in line after each, and the processing log gets
// the line that records it.

#include "flows/desfazervalores.h"
#include "grid/celulasgrid.h"
#include "maintenance/recargagrid.h"
#include "maintenance/tfcadrecarga.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>

namespace pluvexa {

void Tfcadrecarga::ligaDesfazer()
{
    m_desfazer = std::make_unique<DesfazerValores>(*m_ctx.modelo);

    PopupMenu1 = new QMenu(sgRecarga);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->setAccessibleName(QStringLiteral("Menu da grade"));
    ppmdesfazer = PopupMenu1->addAction(QStringLiteral("Desfazer"));
    ppmdesfazer->setObjectName(QStringLiteral("ppmdesfazer"));
    ppmrefazer = PopupMenu1->addAction(QStringLiteral("Refazer"));
    ppmrefazer->setObjectName(QStringLiteral("ppmrefazer"));
    connect(ppmdesfazer, &QAction::triggered, this, [this] { ppmdesfazerClick(); });
    connect(ppmrefazer, &QAction::triggered, this, [this] { ppmrefazerClick(); });

    sgRecarga->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(sgRecarga, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        PopupMenu1->popup(sgRecarga->viewport()->mapToGlobal(p));
    });
    connect(&m_desfazer->pilha(), &QUndoStack::indexChanged, this, [this] {
        mostraDesfazer();
        atualizaPendentes();
    });
    connect(&m_desfazer->pilha(), &QUndoStack::cleanChanged, this, [this] { mostraDesfazer(); });
    mostraDesfazer();
}

void Tfcadrecarga::mostraDesfazer()
{
    ppmdesfazer->setText(m_desfazer->textoDesfazer());
    ppmdesfazer->setEnabled(m_desfazer->podeDesfazer());
    ppmrefazer->setText(m_desfazer->textoRefazer());
    ppmrefazer->setEnabled(m_desfazer->podeRefazer());
}

void Tfcadrecarga::ppmdesfazerClick()
{
    aplicaPasso(true);
}

void Tfcadrecarga::ppmrefazerClick()
{
    aplicaPasso(false);
}

void Tfcadrecarga::aplicaPasso(bool desfazer)
{
    if (cbtipocartao->currentIndex() < 0 || cbtarifa->currentIndex() < 0)
        return;
    // Values typed and not yet stored become a step of their own first, the
    // last one: nothing typed is lost, and an undo takes back exactly them.
    if (!AtualizaArrayRecargas())
        return;
    const PassoTomado passo = desfazer ? m_desfazer->desfaz() : m_desfazer->refaz();
    if (passo.mudancas.empty())
        return;
    adicionaLog(passo.linhaLog);
    // Only the cells of changed values are rewritten: the rows on screen
    // stay those of the card type, tariff, filter and order shown.
    const int linha = mostraMudancas(*sgRecarga, *m_ctx.modelo, m_sel, m_indice, passo.mudancas);
    CalculaRecargasGeral();
    CalculaGrid();
    definePendentes(!m_desfazer->salvo());
    if (linha > 0) {
        sgRecarga->setCurrentRow(linha);
        sgRecarga->setCurrentColumn(kColValor);
    }
}

}  // namespace pluvexa
