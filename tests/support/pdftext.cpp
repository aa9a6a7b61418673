#include "support/pdftext.h"

#include <QProcess>
#include <QStandardPaths>

namespace pluvexa::test {

std::optional<QString> textoDoPdf(const QString& pdf)
{
    const QString programa = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (programa.isEmpty())
        return std::nullopt;
    QProcess p;
    p.start(programa, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace pluvexa::test
