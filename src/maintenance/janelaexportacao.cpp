#include "maintenance/janelaexportacao.h"

#include "exchange/exportacsv.h"
#include "exchange/fonteregistros.h"
#include "maintenance/filelists.h"
#include "files/pastastrabalho.h"
#include "interaction/interaction.h"


namespace pluvexa {

bool salvaPlanilha(const ModeloRecarga& m, const QString& arquivo, Interaction& ui)
{
    QString destino = ui.saveFileName(QStringLiteral("Exportar Planilha"), arquivoSugerido(arquivo, QStringLiteral("Planilha"), QStringLiteral(".csv")),
                                      kFiltroPlanilha).trimmed();
    if (destino.isEmpty())
        return false;
    // The import takes a spreadsheet by its extension: keep it one.
    if (formatoImportacao(destino) != FormatoImportacao::Planilha)
        destino += QStringLiteral(".csv");
    QString erro;
    if (exportaPlanilha(m, destino, &erro))
        return true;
    ui.notice(QStringLiteral("Não foi possível gravar a planilha ") + caminhoVisivel(destino)
                  + QStringLiteral(" - ") + erro,
              Interaction::Icon::Error);
    return false;
}

}  // namespace pluvexa
