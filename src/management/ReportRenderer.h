#pragma once

#include "management/ReportLayout.h"
#include "management/ReportRows.h"

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QImage>
#include <QList>
#include <QPageLayout>

#include <functional>
#include <memory>

class QPainter;
class QPagedPaintDevice;

// Lays a report out over its rows on A4 pages in the layout's orientation: the report header
// once, the page header and footer on every page, detail per row, group subtotals, the report
// footer once after the last row. Pagination only adds band heights, so the page count is
// known at once however many rows there are; each page is painted only when asked for.
class ReportRenderer {
public:
    // Called after each page; returning false stops the output.
    using Progress = std::function<bool(int page, int pageCount)>;

    static constexpr int kTwipsPerInch = 1440;
    static constexpr int kMargin = 720;

    // Captions and title must be set on the layout before it is handed over.
    ReportRenderer(ReportLayout layout, std::shared_ptr<const ReportRows> rows);

    const ReportLayout& layout() const { return m_layout; }
    int pageCount() const { return static_cast<int>(m_pageStarts.size()); }
    // A4 in the layout's orientation, without margins: the renderer keeps its own.
    QPageLayout pageLayout() const;
    QSize pageSizeTwips() const;

    // Paints page `page` (from 0) with the painter's unit being the twip and its origin the
    // paper's top-left corner.
    void paintPage(QPainter& painter, int page) const;
    // A white page image at `dpi` dots per inch.
    QImage pageImage(int page, double dpi) const;
    // Pages `first` to `last` (from 0; -1: the last page) onto a device already set to
    // pageLayout() (a printer, a PDF writer); returns false when `progress` stopped it.
    bool print(QPagedPaintDevice& device, double dpi, const Progress& progress = {}, int first = 0,
               int last = -1) const;
    // Throws Error when the file cannot be written; a stopped output leaves no file.
    bool writePdf(const QString& path, const Progress& progress = {}) const;

private:
    struct Entry {
        int band;
        // The row of a detail, the group of a group footer.
        int row;
    };
    struct Placed {
        QList<int> tops;
        // How wide each control may print: its own width, or up to the next control on its
        // line when that leaves more room.
        QList<int> widths;
        int height = 0;
    };

    Placed place(const ReportBand& band) const;
    void paginate();
    void paintBand(QPainter& painter, int bandIndex, int row, int y, int page) const;
    QString controlText(const ReportControl& control, int row, int page) const;
    QString sumText(const ReportControl& control, int firstRow, int lastRow) const;
    QString fieldText(const ReportControl& control, int row) const;

    ReportLayout m_layout;
    std::shared_ptr<const ReportRows> m_rows;
    QList<Placed> m_placed;
    QList<Entry> m_entries;
    QList<int> m_pageStarts;
    // First and last row of each group.
    QList<std::pair<int, int>> m_groups;
    int m_pageHeader = -1;
    int m_pageFooter = -1;
    // Made once: building a font and its metrics for every text was most of a page's cost.
    QFont m_regular;
    QFont m_bold;
    QFontMetrics m_regularMetrics;
    QFontMetrics m_boldMetrics;
    // Widths of the texts painted so far, regular and bold: statuses, payment methods, amounts
    // and dates come back on every page, and a text known to fit is painted unmeasured.
    mutable QHash<QString, int> m_widths[2];
    QString fitted(const QString& text, bool bold, int width) const;
};
