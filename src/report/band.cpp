#include "report/band.h"

namespace pluvexa::report {

Item label(const char* name, const QString& text, double left, double top, double width,
           const QFont& font, Qt::Alignment alignment, bool visible)
{
    Item i;
    i.name = QString::fromLatin1(name);
    i.text = text;
    i.left = left;
    i.top = top;
    i.width = width;
    i.font = font;
    i.alignment = alignment;
    i.visible = visible;
    return i;
}

Item systemData(const char* name, ItemKind kind, double left, double top, const QFont& font)
{
    Item i = label(name, QString(), left, top, 0, font);
    i.kind = kind;
    return i;
}

Item line(const char* name, double left, double top, double width, int pen)
{
    Item i = label(name, QString(), left, top, width, QFont());
    i.kind = ItemKind::Line;
    i.pen = pen;
    return i;
}

}  // namespace pluvexa::report
