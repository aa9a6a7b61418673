#include "flows/impressaolistagem.h"

#include "flows/arquivossalvos.h"
#include "flows/visualizacaorelatorio.h"
#include "recharge/processamento.h"
#include "report/tfreprecarga.h"

namespace pluvexa {

void mostraListagem(ModeloRecarga& m, const QString& arquivo, const QString& pasta, Interaction& ui,
                    const std::function<void(const QString&)>& aoGravar)
{
    Tfreprecarga form(m);
    preparaListagem(form, m, dadosDoModelo(m).lblempresa, arquivo);
    // Named after the processed file.
    visualizaRelatorio(form, caminhoParaSalvar(pasta, arquivo, QStringLiteral("Listagem"), QStringLiteral(".pdf")),
                       ui, aoGravar);
}

}  // namespace pluvexa
