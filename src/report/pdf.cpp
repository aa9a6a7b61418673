#include "report/pdf.h"

#include "files/arquivoseguro.h"

#include <QFile>
#include <QPdfWriter>

namespace pluvexa::report {

bool writePdf(const Report& report, const Document& doc, const QString& path, QString* error)
{
    // The PDF is drawn into the file layer's temporary and put in place only once
    // the painter has finished it; the listing can be made again, so it is
    // not flushed to the device.
    Gravacao gravacao(Durabilidade::Comum);
    bool painted = false;
    bool started = false;
    QString openError;
    const bool written = gravacao.produz(path, [&](const QString& parcial) {
        started = true;
        // The writer cannot say why its file would not open; try it first.
        if (QFile probe(parcial); !probe.open(QIODevice::WriteOnly)) {
            openError = probe.errorString();  // the caller names the file
            return false;
        }
        {
            QPdfWriter writer(parcial);
            writer.setResolution(600);
            writer.setCreator(QStringLiteral("Pluvexa"));
            painted = report.paint(writer, doc);
        }  // the writer closes its file here
        return painted && QFile::exists(parcial);
    });
    if (!written) {
        if (error)
            *error = !openError.isEmpty()     ? openError
                     : painted || !started ? gravacao.erro()
                                         : QStringLiteral("the pages could not be drawn");
        return false;
    }
    if (!gravacao.confirma()) {
        if (error)
            *error = gravacao.erro();
        return false;
    }
    return true;
}

}  // namespace pluvexa::report
