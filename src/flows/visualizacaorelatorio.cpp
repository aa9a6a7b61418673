#include "flows/visualizacaorelatorio.h"

#include "files/arquivoseguro.h"
#include "files/entrada.h"
#include "files/pastastrabalho.h"
#include "interaction/interaction.h"
#include "report/pdf.h"
#include "report/tfrepgeral.h"

#include <QPagedPaintDevice>

namespace pluvexa {

namespace {

// The path written, empty when nothing was.
QString salvaPdf(Tfrepgeral& form, const QString& sugestao, Interaction& ui,
                 const std::function<void(const QString&)>& aoGravar)
{
    QString destino = ui.saveFileName(QStringLiteral("Salvar PDF"), sugestao,
                                      QStringLiteral("Arquivos PDF (*.pdf)"));
    if (destino.isEmpty())
        return {};
    if (!destino.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        destino += QStringLiteral(".pdf");
    if (const QString recusa = recusaSaida(destino); !recusa.isEmpty()) {
        ui.notice(recusa, Interaction::Icon::Error);
        return {};
    }
    const report::Document doc = form.prepara();
    FalhaArquivo erro;
    if (!report::writePdf(form.QuickRep1, doc, destino, &erro)) {
        ui.notice(QStringLiteral("Não foi possível salvar o PDF ") + caminhoVisivel(destino)
                      + QStringLiteral(" - ") + textoJanela(erro),
                  Interaction::Icon::Error);
        return {};
    }
    if (aoGravar)
        aoGravar(caminhoVisivel(destino));
    return caminhoVisivel(destino);
}

}  // namespace

void visualizaRelatorio(Tfrepgeral& form, const QString& sugestaoPdf, Interaction& ui,
                        const std::function<void(const QString&)>& aoGravar)
{
    ui.printPreview(
        [&form](QPagedPaintDevice* pagina) {
            const report::Document doc = form.prepara();
            form.QuickRep1.paint(*pagina, doc);
        },
        [&form, &sugestaoPdf, &ui, &aoGravar] { return salvaPdf(form, sugestaoPdf, ui, aoGravar); });
}

}  // namespace pluvexa
