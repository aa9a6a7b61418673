// The "Imprimir" button: the listing of the cards to recharge.

#include "flows/impressaolistagem.h"
#include "maintenance/tfcadrecarga.h"

namespace pluvexa {

void Tfcadrecarga::btnimpressaoClick()
{
    if (!AtualizaArrayRecargas())
        return;
    // The file this window processed, not whatever the received list shows
    // now: a refresh of the list may have moved its selection.
    mostraListagem(*m_ctx.modelo, arquivoVisivel(), m_ctx.pastaSalvar(TipoSalvo::Listagem), *m_ctx.interaction,
                   [this](const QString& c) { m_ctx.arquivoGravado(TipoSalvo::Listagem, c); });
}

}  // namespace pluvexa
