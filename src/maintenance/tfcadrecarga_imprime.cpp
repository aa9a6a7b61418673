// The "Imprimir" button: the listing of the cards to recharge.

#include "maintenance/impressaolistagem.h"
#include "maintenance/tfcadrecarga.h"
#include "recharge/workingfolders.h"

#include <QFileInfo>
#include <QLabel>

namespace pluvexa {

void Tfcadrecarga::btnimpressaoClick()
{
    if (!AtualizaArrayRecargas())
        return;
    // The file this window processed (the draft's own path when a draft was
    // continued), not whatever the received list shows now: a refresh of
    // the list may have moved its selection.
    const QString arquivo = ArquivoAtual.isEmpty()
                                ? QString()
                                : caminhoVisivel(QFileInfo(ArquivoAtual).absoluteFilePath());
    mostraListagem(*m_ctx.modelo, lblempresa->text(), arquivo, *m_ctx.interaction);
}

}  // namespace pluvexa
