#pragma once

// A banded report over QPainter: the page header and the column header open
// every page, detail bands follow while the need-data event answers true,
// the summary closes the report. prepare() runs the events and lays the
// bands out into pages; paint() draws prepared pages on any paged device
// (a printer, the print preview's printer, a PDF writer).

#include "report/band.h"

#include <QDateTime>
#include <QMarginsF>
#include <QPageLayout>
#include <QStringList>
#include <functional>
#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace pluvexa::report {

// One printing of a band: where it stands and what its items showed then.
struct PlacedBand {
    const Band* band = nullptr;
    double top = 0;            // mm from the top edge of the paper
    QStringList texts;         // one per item of the band, in item order
};

struct Page {
    std::vector<PlacedBand> bands;
};

struct Document {
    std::vector<Page> pages;
    // The texts of page `i` (0-based), band after band, visible items only;
    // for tests and for reading a page back.
    QStringList textsOfPage(size_t i) const;
};

class Report {
public:
    Report();

    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF margins{10, 10, 10, 10};   // mm: left, top, right, bottom

    Band pageHeader{BandKind::PageHeader};
    Band columnHeader{BandKind::ColumnHeader};
    Band detail{BandKind::Detail};
    Band summary{BandKind::Summary};

    // Once each time the report is prepared.
    std::function<void()> beforePrint;
    // Before each detail band: true when there is one more.
    std::function<bool()> needData;

    // A4 in the report's orientation, no printer margins (the report keeps
    // its own).
    QPageLayout pageLayout() const;
    // Runs the events and lays out every page; `now` is what the date and
    // time items show.
    Document prepare(const QDateTime& now);
    // Sets the device's page layout and draws `doc` on it, one page after
    // the other. False when the device cannot be painted on.
    bool paint(QPagedPaintDevice& device, const Document& doc) const;

private:
    void paintPage(QPainter& p, const Page& page) const;
};

// The date and time as the page header shows them: the short date format,
// a blank, then "hh:mm:ss".
QString dateTimeText(const QDateTime& dt);

}  // namespace pluvexa::report
