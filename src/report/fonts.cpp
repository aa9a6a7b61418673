#include "report/fonts.h"

#include <QFontDatabase>
#include <QFontMetricsF>

#include <cmath>
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
    // The forms were laid out on a 96 dpi screen, where this face takes a
    // whole number of pixels per character (7 at 8 pt), and print at that
    // pitch: the 147 columns of a listing line then span the 274.4 mm of its
    // rules and stand under their headings. The size is chosen to give that
    // pitch on paper.
    const double alturaPx = std::round(points * 96.0 / 72.0);
    QFont amostra(f);
    amostra.setPixelSize(1000);
    const double avanco = QFontMetricsF(amostra).horizontalAdvance(QLatin1Char('0')) / 1000.0;
    const double passoPx = std::round(alturaPx * avanco);
    f.setPointSizeF(avanco > 0 ? passoPx / avanco * 72.0 / 96.0 : points);
    return f;
}

}  // namespace pluvexa::report
