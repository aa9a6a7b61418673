// "Repetir Última Recarga": the grid is written back first, so the question
// knows whether values already typed would be replaced and nothing typed
// is lost; the rows on screen go through the grid and its write-back, the
// whole file straight through the model and a new fill. Either is one
// step of the undo.

#include "flows/desfazervalores.h"
#include "grid/repeterecarga.h"
#include "interaction/interaction.h"
#include "maintenance/recargagrid.h"
#include "maintenance/tfcadrecarga.h"

#include <QComboBox>

namespace pluvexa {

void Tfcadrecarga::btnrepetirrecargaClick()
{
    if (cbtipocartao->currentIndex() < 0 || cbtarifa->currentIndex() < 0 || !AtualizaArrayRecargas())
        return;
    enum { LinhasDaTela, ArquivoInteiro };
    const int escolha = m_ctx.interaction->confirm(
        perguntaRepeticao(substituiNoArquivo(*m_ctx.modelo)),
        {QStringLiteral("Linhas da Tela"), QStringLiteral("Arquivo Inteiro"), QStringLiteral("Cancelar")});
    ResultadoRepeticao r;
    PassoDesfazer passo(*m_desfazer, kPassoRepetir);
    if (escolha == LinhasDaTela) {
        const int linha = sgRecarga->currentRow();
        r = repeteNaTela(*sgRecarga, *m_ctx.modelo, m_sel);
        if (!AtualizaArrayRecargas())
            return;
        sgRecarga->setCurrentRow(linha);
    } else if (escolha == ArquivoInteiro) {
        r = repeteNoArquivo(*m_ctx.modelo);
        cbtipocartaoChange();
    } else {
        return;
    }
    if (r.alterados > 0)
        definePendentes(true);
    if (!r.aviso.isEmpty())
        m_ctx.interaction->notice(r.aviso);
}

}  // namespace pluvexa
