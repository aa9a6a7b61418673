#include "report/report.h"

#include "recharge/formatonumero.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>

#include <optional>

namespace pluvexa::report {

namespace {

QString itemText(const Item& item, const QDateTime& now, int pageNumber)
{
    switch (item.kind) {
    case ItemKind::Label: return item.text;
    case ItemKind::DateTime: return dateTimeText(now);
    case ItemKind::PageNumber: return QString::number(pageNumber);
    case ItemKind::Line: return {};
    }
    return {};
}

// Places bands top to bottom, opening a page when the next band would cross
// the bottom margin; a band is never split.
class Layout {
public:
    Layout(const Report& r, const QDateTime& now, Document& doc)
        : m_report(r), m_now(now), m_doc(doc)
    {
        const QSizeF paper = r.pageLayout().fullRect(QPageLayout::Millimeter).size();
        m_bottom = paper.height() - r.margins.bottom();
    }

    void newPage()
    {
        m_doc.pages.emplace_back();
        m_y = m_report.margins.top();
        m_fresh = true;
        place(m_report.pageHeader);
        place(m_report.columnHeader);
    }

    bool fits(const Band& b) const { return m_y + b.height <= m_bottom + 1e-9; }
    // A page that holds only its headers takes the band anyway, so a band
    // taller than the page cannot loop forever.
    bool pageIsFresh() const { return m_fresh; }

    void place(const Band& b)
    {
        // A band the form does not use (no height, no items) is left out.
        if (!b.enabled || (b.height <= 0 && b.items().empty()))
            return;
        if (b.beforePrint)
            b.beforePrint();
        PlacedBand placed;
        placed.band = &b;
        placed.top = m_y;
        const int pageNumber = int(m_doc.pages.size());
        for (const Item& item : b.items())
            placed.texts.append(itemText(item, m_now, pageNumber));
        m_doc.pages.back().bands.push_back(std::move(placed));
        m_y += b.height;
        m_fresh = b.kind == BandKind::PageHeader || b.kind == BandKind::ColumnHeader;
    }

    void placeBody(const Band& b)
    {
        if (!b.enabled)
            return;
        if (!fits(b) && !pageIsFresh())
            newPage();
        place(b);
    }

private:
    const Report& m_report;
    const QDateTime& m_now;
    Document& m_doc;
    double m_y = 0;
    double m_bottom = 0;
    bool m_fresh = true;
};

}  // namespace

QStringList Document::textsOfPage(size_t i) const
{
    QStringList out;
    if (i >= pages.size())
        return out;
    for (const PlacedBand& pb : pages[i].bands) {
        qsizetype k = 0;
        for (const Item& item : pb.band->items()) {
            if (item.visible && item.kind != ItemKind::Line)
                out.append(pb.texts.value(k));
            ++k;
        }
    }
    return out;
}

Report::Report() = default;

QPageLayout Report::pageLayout() const
{
    return QPageLayout(QPageSize(QPageSize::A4), orientation, QMarginsF(0, 0, 0, 0),
                       QPageLayout::Millimeter);
}

Document Report::prepare(const QDateTime& now)
{
    if (beforePrint)
        beforePrint();
    Document doc;
    Layout layout(*this, now, doc);
    layout.newPage();
    while (needData && needData())
        layout.placeBody(detail);
    layout.placeBody(summary);
    return doc;
}

bool Report::paint(QPagedPaintDevice& device, const Document& doc) const
{
    device.setPageLayout(pageLayout());
    QPainter p;
    if (!p.begin(&device))
        return false;
    for (size_t i = 0; i < doc.pages.size(); ++i) {
        if (i > 0 && !device.newPage())
            return false;
        paintPage(p, doc.pages[i]);
    }
    return p.end();
}

void Report::paintPage(QPainter& p, const Page& page) const
{
    // Millimetres to device units; fonts are given in points and follow the
    // device's own resolution.
    const double k = p.device()->logicalDpiY() / 25.4;
    const double kx = p.device()->logicalDpiX() / 25.4;
    // The painter's state changes only when an item needs another font or
    // pen: a PDF page then carries one font selection for all its lines.
    const Item* ultimoTexto = nullptr;
    std::optional<QFontMetricsF> fm;
    bool canetaDeTexto = false;
    for (const PlacedBand& pb : page.bands) {
        qsizetype i = 0;
        for (const Item& item : pb.band->items()) {
            const QString& text = pb.texts.at(i++);
            if (!item.visible)
                continue;
            const double x = (margins.left() + item.left) * kx;
            const double y = (pb.top + item.top) * k;
            if (item.kind == ItemKind::Line) {
                QPen pen(Qt::black);
                pen.setWidthF(item.pen * 25.4 / 96.0 * k);
                p.setPen(pen);
                canetaDeTexto = false;
                p.drawLine(QPointF(x, y), QPointF(x + item.width * kx, y));
                continue;
            }
            if (!canetaDeTexto) {
                p.setPen(Qt::black);
                canetaDeTexto = true;
            }
            if (!ultimoTexto || !(ultimoTexto->font == item.font)) {
                p.setFont(item.font);
                fm.emplace(item.font, p.device());
            }
            ultimoTexto = &item;
            double left = x;
            if (item.width > 0 && !(item.alignment & Qt::AlignLeft)) {
                const double free = item.width * kx - fm->horizontalAdvance(text);
                left += (item.alignment & Qt::AlignHCenter) ? free / 2 : free;
            }
            p.drawText(QPointF(left, y + fm->ascent()), text);
        }
    }
}

QString dateTimeText(const QDateTime& dt)
{
    return dataCurta(dt.date()) + QLatin1Char(' ') + dt.time().toString(QStringLiteral("hh:mm:ss"));
}

}  // namespace pluvexa::report
