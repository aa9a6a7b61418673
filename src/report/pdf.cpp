#include "report/pdf.h"

#include <QPdfWriter>
#include <QSaveFile>

namespace pluvexa::report {

bool writePdf(const Report& report, const Document& doc, const QString& path, QString* error)
{
    // QSaveFile writes to a temporary name in the target folder, flushes it
    // to disk and renames it over `path` on commit.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    bool painted = false;
    {
        QPdfWriter writer(&file);
        writer.setResolution(600);
        writer.setCreator(QStringLiteral("Pluvexa"));
        painted = report.paint(writer, doc);
    }
    if (!painted) {
        file.cancelWriting();
        if (error)
            *error = QStringLiteral("the pages could not be drawn");
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

}  // namespace pluvexa::report
