#include "flows/fluxoexportacao.h"

#include "exchange/exportacsv.h"
#include "files/arquivoseguro.h"
#include "files/entrada.h"
#include "files/pastastrabalho.h"
#include "flows/arquivossalvos.h"
#include "interaction/interaction.h"


namespace pluvexa {

bool salvaPlanilha(const ModeloRecarga& m, const QString& arquivo, const QString& pasta, Interaction& ui,
                   const std::function<void(const QString&)>& aoGravar)
{
    const ExportaCsv formato;
    // As the chooser gives it, blanks included: the name written is the
    // name chosen.
    QString destino = ui.saveFileName(QStringLiteral("Exportar Planilha"),
                                      caminhoParaSalvar(pasta, arquivo, QStringLiteral("Planilha"), formato.extensao()),
                                      formato.filtro());
    if (destino.isEmpty())
        return false;
    // The import takes a spreadsheet by its extension: keep it one.
    if (!destino.endsWith(formato.extensao(), Qt::CaseInsensitive))
        destino += formato.extensao();
    if (const QString recusa = recusaSaida(destino); !recusa.isEmpty()) {
        ui.notice(recusa, Interaction::Icon::Error);
        return false;
    }
    FalhaArquivo erro;
    if (exporta(formato, m, destino, &erro)) {
        if (aoGravar)
            aoGravar(caminhoVisivel(destino));
        return true;
    }
    ui.notice(QStringLiteral("Não foi possível gravar a planilha ") + caminhoVisivel(destino)
                  + QStringLiteral(" - ") + textoJanela(erro),
              Interaction::Icon::Error);
    return false;
}

}  // namespace pluvexa
