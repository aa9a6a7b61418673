#include "flows/impressaolistagem.h"

#include "flows/listasarquivos.h"
#include "flows/visualizacaorelatorio.h"
#include "recharge/processamento.h"
#include "report/tfreprecarga.h"

namespace pluvexa {

void mostraListagem(ModeloRecarga& m, const QString& arquivo, Interaction& ui,
                    const std::function<void(const QString&)>& aoGravar)
{
    Tfreprecarga form(m);
    preparaListagem(form, m, dadosDoModelo(m).lblempresa, arquivo);
    // The processed file's name in the working root.
    visualizaRelatorio(form, arquivoSugerido(arquivo, QStringLiteral("Listagem"), QStringLiteral(".pdf")), ui, aoGravar);
}

}  // namespace pluvexa
