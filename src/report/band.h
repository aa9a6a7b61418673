#pragma once

// The pieces of a banded report: items (labels, date and time, page number,
// horizontal lines) placed in millimetres inside bands (page header, column
// header, detail, summary). A report form builds its bands once and changes
// the items' texts from its events.

#include <QFont>
#include <QString>
#include <deque>
#include <functional>

namespace pluvexa::report {

enum class ItemKind { Label, DateTime, PageNumber, Line };

struct Item {
    QString name;
    ItemKind kind = ItemKind::Label;
    QString text;              // labels; the other kinds fill theirs at print
    double left = 0;           // mm from the band's top-left corner
    double top = 0;
    double width = 0;          // mm; 0 sizes a text item to its text
    QFont font;
    Qt::Alignment alignment = Qt::AlignLeft;
    bool visible = true;       // a hidden item takes no part in the page
    int pen = 1;               // line thickness in screen pixels (1/96 inch)
};

// Builders for the items of a form's design.
Item label(const char* name, const QString& text, double left, double top, double width,
           const QFont& font, Qt::Alignment alignment = Qt::AlignLeft, bool visible = true);
Item systemData(const char* name, ItemKind kind, double left, double top, const QFont& font);
Item line(const char* name, double left, double top, double width, int pen);

enum class BandKind { PageHeader, ColumnHeader, Detail, Summary };

class Band {
public:
    explicit Band(BandKind kind, double height = 0) : kind(kind), height(height) {}

    BandKind kind;
    double height;             // mm
    bool enabled = true;
    // Raised before each printing of the band, after the report asked for
    // its data; the form sets the items' texts here.
    std::function<void()> beforePrint;

    // Items keep their address for the band's lifetime.
    Item& add(Item item)
    {
        m_items.push_back(std::move(item));
        return m_items.back();
    }
    const std::deque<Item>& items() const { return m_items; }

private:
    std::deque<Item> m_items;
};

}  // namespace pluvexa::report
