#include "report/fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace pluvexa::report {

namespace {

QString family(const QString& first, const QString& second)
{
    const QStringList installed = QFontDatabase::families();
    if (installed.contains(first, Qt::CaseInsensitive))
        return first;
    return second;
}

}  // namespace

QFont arial(double points, bool bold, bool italic)
{
    static const QString name = family(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont f(name);
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

QFont courierNew(double points)
{
    static const QString name = family(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
    QFont f(name);
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    f.setPointSizeF(points);
    return f;
}

}  // namespace pluvexa::report
