#include "report/pdf.h"

#include "files/arquivoseguro.h"

#include <QPdfWriter>

namespace pluvexa::report {

bool writePdf(const Report& report, const Document& doc, const QString& path, FalhaArquivo* falha)
{
    // The PDF is drawn into the file layer's temporary and put in place only
    // once the painter has finished it; the listing can be made again, so it
    // is not flushed to the device. The writer does not look at what its
    // device takes: the layer's device does, so that a full disk is a
    // failure, not a truncated PDF.
    Gravacao gravacao(Durabilidade::Comum);
    bool painted = false;
    const bool written = gravacao.produzDispositivo(path, [&](QIODevice& saida) {
        QPdfWriter writer(&saida);
        writer.setResolution(600);
        writer.setCreator(QStringLiteral("Pluvexa"));
        painted = report.paint(writer, doc);
        return painted;
    });
    if (written && gravacao.confirma())
        return true;
    if (falha) {
        *falha = gravacao.falha();
        // Nothing the file layer saw: the painter itself gave up.
        if (!written && !painted && falha->motivo.codigo == 0 && falha->operacao == Operacao::Gravar)
            *falha = {Operacao::Gravar, path.toStdString(), false,
                      Motivo::proprio("the pages could not be drawn", "as páginas não puderam ser desenhadas"),
                      "the pages could not be drawn"};
    }
    return false;
}

bool writePdf(const Report& report, const Document& doc, const QString& path, QString* error)
{
    FalhaArquivo falha;
    const bool ok = writePdf(report, doc, path, &falha);
    if (!ok && error)
        *error = textoIngles(falha);
    return ok;
}

}  // namespace pluvexa::report
