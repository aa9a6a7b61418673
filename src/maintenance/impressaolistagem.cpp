#include "maintenance/impressaolistagem.h"

#include "recharge/workingfolders.h"
#include "report/pdf.h"
#include "report/tfreprecarga.h"
#include "ui/interaction.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>

namespace pluvexa {

namespace {

// The folder and name the save dialog proposes: the processed file's name
// in the working root.
QString pdfSugerido(const QString& arquivo)
{
    const QString base = QFileInfo(QDir::fromNativeSeparators(arquivo)).completeBaseName();
    return QDir(raizTrabalho()).filePath((base.isEmpty() ? QStringLiteral("Listagem") : base)
                                         + QStringLiteral(".pdf"));
}

void salvaPdf(Tfreprecarga& form, const QString& arquivo, Interaction& ui)
{
    QString destino = ui.saveFileName(QStringLiteral("Salvar PDF"), pdfSugerido(arquivo),
                                      QStringLiteral("Arquivos PDF (*.pdf)"));
    if (destino.isEmpty())
        return;
    if (!destino.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        destino += QStringLiteral(".pdf");
    const report::Document doc = form.prepara();
    QString erro;
    if (!report::writePdf(form.QuickRep1, doc, destino, &erro))
        ui.notice(QStringLiteral("Não foi possível salvar o PDF ") + caminhoVisivel(destino)
                      + QStringLiteral(" - ") + erro,
                  Interaction::Icon::Error);
}

}  // namespace

void mostraListagem(ModeloRecarga& m, const QString& empresa, const QString& arquivo, Interaction& ui)
{
    Tfreprecarga form(m);
    preparaListagem(form, m, empresa, arquivo);
    ui.printPreview(
        [&form](QPrinter* printer) {
            const report::Document doc = form.prepara();
            form.QuickRep1.paint(*printer, doc);
        },
        [&form, &arquivo, &ui] { salvaPdf(form, arquivo, ui); });
}

}  // namespace pluvexa
