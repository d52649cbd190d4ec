#include "management/ReportRenderer.h"

#include "common/Error.h"
#include "common/Money.h"
#include "data/Database.h"

#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#if defined(__ELF__)
#include <dlfcn.h>
#include <zlib.h>

// Qt's PDF writer packs every page with zlib's default level and offers no setting for it; at
// that level packing takes a seventh of a report's PDF. The fastest level makes a file a little
// larger that every reader opens alike. This definition comes before zlib's in the symbol
// search order, so the writer's call lands here and goes on to zlib with the level changed;
// nothing else in the program asks zlib for its default level this way.
extern "C" int deflateInit_(z_streamp stream, int level, const char* version, int size) {
    using Init = int (*)(z_streamp, int, const char*, int);
    static const auto zlib = reinterpret_cast<Init>(dlsym(RTLD_NEXT, "deflateInit_"));
    if (!zlib)
        return Z_VERSION_ERROR;
    return zlib(stream, level == Z_DEFAULT_COMPRESSION ? Z_BEST_SPEED : level, version, size);
}
#endif

namespace {

using Kind = ReportControl::Kind;
using Role = ReportBand::Role;

// Proportional sans-serif, 8 points, sized in twips so every device scales it alike.
constexpr int kFontTwips = 160;
constexpr int kColumnGap = 60;
constexpr int kLineTwips = 260;
constexpr int kRuleTwips = 15;

QStringList linesOf(const QString& text) {
    QString normalized = text;
    normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = normalized.split(QLatin1Char('\n'));
    // A list built line by line ends with CR LF; that last break adds no line.
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QFont reportFont(bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(kFontTwips);
    font.setBold(bold);
    return font;
}

} // namespace

ReportRenderer::ReportRenderer(ReportLayout layout, std::shared_ptr<const ReportRows> rows)
    : m_layout(std::move(layout)), m_rows(std::move(rows)), m_regular(reportFont(false)),
      m_bold(reportFont(true)), m_regularMetrics(m_regular), m_boldMetrics(m_bold) {
    for (const ReportBand& band : m_layout.bands)
        m_placed << place(band);
    paginate();
}

QSize ReportRenderer::pageSizeTwips() const {
    const QSize a4 = QPageSize(QPageSize::A4).sizePoints() * 20;
    return m_layout.orientation == QPageLayout::Landscape ? a4.transposed() : a4;
}

QPageLayout ReportRenderer::pageLayout() const {
    return QPageLayout(QPageSize(QPageSize::A4), m_layout.orientation, QMarginsF());
}

// Run-time captions with several lines grow their label; what stands below it moves down.
ReportRenderer::Placed ReportRenderer::place(const ReportBand& band) const {
    Placed placed;
    for (const ReportControl& c : band.controls)
        placed.tops << c.top;
    int grown = 0;
    for (const ReportControl& c : band.controls) {
        if (c.kind != Kind::Label)
            continue;
        const int growth = (static_cast<int>(linesOf(c.text).size()) - 1) * kLineTwips;
        if (growth <= 0)
            continue;
        for (int i = 0; i < band.controls.size(); ++i)
            if (band.controls.at(i).top > c.top)
                placed.tops[i] += growth;
        grown += growth;
    }
    placed.height = band.height + grown;
    const int right = pageSizeTwips().width() - 2 * kMargin;
    for (int i = 0; i < band.controls.size(); ++i) {
        const ReportControl& c = band.controls.at(i);
        int room = right - c.left;
        for (int j = 0; j < band.controls.size(); ++j) {
            const ReportControl& other = band.controls.at(j);
            const bool sameLine = qAbs(placed.tops.at(j) - placed.tops.at(i)) < kLineTwips;
            if (j != i && other.kind != Kind::Rule && sameLine && other.left > c.left)
                room = qMin(room, other.left - c.left - kColumnGap);
        }
        placed.widths << (c.width > 0 ? qMax(c.width, room) : right - c.left);
    }
    return placed;
}

void ReportRenderer::paginate() {
    int reportHeader = -1, detail = -1, groupFooter = -1, reportFooter = -1;
    for (int i = 0; i < m_layout.bands.size(); ++i) {
        switch (m_layout.bands.at(i).role) {
        case Role::ReportHeader:
            reportHeader = i;
            break;
        case Role::PageHeader:
            m_pageHeader = i;
            break;
        case Role::Detail:
            detail = i;
            break;
        case Role::PageFooter:
            m_pageFooter = i;
            break;
        case Role::ReportFooter:
            reportFooter = i;
            break;
        case Role::GroupFooter:
            groupFooter = i;
            break;
        }
    }
    if (reportHeader >= 0)
        m_entries << Entry{reportHeader, -1};
    if (m_pageHeader >= 0)
        m_entries << Entry{m_pageHeader, -1};
    const int groupColumn = m_layout.groupColumn.isEmpty() || groupFooter < 0
                                ? -1
                                : m_rows->columnIndex(m_layout.groupColumn);
    const int rowCount = m_rows->rowCount();
    m_entries.reserve(m_entries.size() + rowCount + 1);
    int groupStart = 0;
    for (int row = 0; row < rowCount; ++row) {
        if (detail >= 0)
            m_entries << Entry{detail, row};
        if (groupColumn < 0)
            continue;
        const bool last = row + 1 == rowCount ||
                          m_rows->value(row + 1, groupColumn) != m_rows->value(row, groupColumn);
        if (!last)
            continue;
        m_groups.append({groupStart, row});
        m_entries << Entry{groupFooter, static_cast<int>(m_groups.size()) - 1};
        groupStart = row + 1;
    }
    if (reportFooter >= 0)
        m_entries << Entry{reportFooter, -1};

    const int pageHeight = pageSizeTwips().height();
    const int footer = m_pageFooter >= 0 ? m_placed.at(m_pageFooter).height : 0;
    const int bottom = pageHeight - kMargin - footer;
    const int pageHeaderHeight = m_pageHeader >= 0 ? m_placed.at(m_pageHeader).height : 0;
    m_pageStarts = {0};
    int y = kMargin;
    bool pageHasBody = false;
    for (int i = 0; i < m_entries.size(); ++i) {
        const int height = m_placed.at(m_entries.at(i).band).height;
        if (pageHasBody && y + height > bottom) {
            m_pageStarts << i;
            y = kMargin + pageHeaderHeight;
        }
        y += height;
        pageHasBody = m_entries.at(i).band != m_pageHeader;
    }
}

void ReportRenderer::paintPage(QPainter& painter, int page) const {
    if (page < 0 || page >= pageCount())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(QPen(Qt::black, kRuleTwips));
    int y = kMargin;
    if (page > 0 && m_pageHeader >= 0) {
        paintBand(painter, m_pageHeader, -1, y, page);
        y += m_placed.at(m_pageHeader).height;
    }
    const int end = page + 1 < pageCount() ? m_pageStarts.at(page + 1) : m_entries.size();
    for (int i = m_pageStarts.at(page); i < end; ++i) {
        const Entry& entry = m_entries.at(i);
        paintBand(painter, entry.band, entry.row, y, page);
        y += m_placed.at(entry.band).height;
    }
    if (m_pageFooter >= 0)
        paintBand(painter, m_pageFooter, -1,
                  pageSizeTwips().height() - kMargin - m_placed.at(m_pageFooter).height, page);
    painter.restore();
}

void ReportRenderer::paintBand(QPainter& painter, int bandIndex, int row, int y, int page) const {
    const ReportBand& band = m_layout.bands.at(bandIndex);
    const Placed& placed = m_placed.at(bandIndex);
    for (int i = 0; i < band.controls.size(); ++i) {
        const ReportControl& c = band.controls.at(i);
        const int x = kMargin + c.left;
        const int top = y + placed.tops.at(i);
        if (c.kind == Kind::Rule) {
            painter.drawLine(x, top, x + c.width, top);
            continue;
        }
        const int width = placed.widths.at(i);
        const bool bold = c.bold || band.role == Role::PageHeader;
        painter.setFont(bold ? m_bold : m_regular);
        const QStringList lines = linesOf(controlText(c, row, page));
        for (int line = 0; line < lines.size(); ++line)
            painter.drawText(QRect(x, top + line * kLineTwips, width, kLineTwips),
                             int(c.align | Qt::AlignVCenter), fitted(lines.at(line), bold, width));
    }
}

QString ReportRenderer::fitted(const QString& text, bool bold, int width) const {
    constexpr qsizetype kMaxKept = 20000;
    const QFontMetrics& metrics = bold ? m_boldMetrics : m_regularMetrics;
    QHash<QString, int>& widths = m_widths[bold ? 1 : 0];
    auto known = widths.constFind(text);
    if (known == widths.constEnd()) {
        if (widths.size() >= kMaxKept)
            widths.clear();
        known = widths.insert(text, metrics.horizontalAdvance(text));
    }
    return *known <= width ? text : metrics.elidedText(text, Qt::ElideRight, width);
}

QString ReportRenderer::controlText(const ReportControl& control, int row, int page) const {
    switch (control.kind) {
    case Kind::Label:
        return control.text == QLatin1String("%i") ? m_layout.title : control.text;
    case Kind::Field:
        return fieldText(control, row);
    case Kind::Sum:
        if (row >= 0)
            return sumText(control, m_groups.at(row).first, m_groups.at(row).second);
        return sumText(control, 0, m_rows->rowCount() - 1);
    case Kind::PageNumber:
        return QStringLiteral("Página %1 de %2").arg(page + 1).arg(pageCount());
    case Kind::Rule:
        break;
    }
    return {};
}

QString ReportRenderer::fieldText(const ReportControl& control, int row) const {
    const int column = m_rows->columnIndex(control.text);
    if (column < 0 || row < 0)
        return {};
    const QVariant value = m_rows->value(row, column);
    if (value.isNull())
        return {};
    switch (control.format) {
    case ReportControl::Format::Money:
        return Money::fromCents(value.toLongLong()).format();
    case ReportControl::Format::Date:
        return Database::dateFrom(value).toString(QStringLiteral("dd/MM/yyyy"));
    case ReportControl::Format::Text:
        break;
    }
    return value.toString();
}

QString ReportRenderer::sumText(const ReportControl& control, int firstRow, int lastRow) const {
    const qint64 total = m_rows->sum(m_rows->columnIndex(control.text), firstRow, lastRow);
    if (control.format == ReportControl::Format::Money)
        return Money::fromCents(total).format();
    return QString::number(total);
}

QImage ReportRenderer::pageImage(int page, double dpi) const {
    const QSize twips = pageSizeTwips();
    const double scale = dpi / kTwipsPerInch;
    QImage image(qRound(twips.width() * scale), qRound(twips.height() * scale),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    paintPage(painter, page);
    return image;
}

bool ReportRenderer::print(QPagedPaintDevice& device, double dpi, const Progress& progress,
                           int first, int last) const {
    QPainter painter;
    if (!painter.begin(&device))
        throw Error(QStringLiteral("Não foi possível iniciar a impressão do relatório."));
    const double scale = dpi / kTwipsPerInch;
    first = qBound(0, first, pageCount() - 1);
    last = last < 0 ? pageCount() - 1 : qMin(last, pageCount() - 1);
    for (int page = first; page <= last; ++page) {
        if (page > first)
            device.newPage();
        painter.save();
        painter.scale(scale, scale);
        paintPage(painter, page);
        painter.restore();
        if (progress && !progress(page - first + 1, last - first + 1)) {
            painter.end();
            return false;
        }
    }
    painter.end();
    return true;
}

bool ReportRenderer::writePdf(const QString& path, const Progress& progress) const {
    constexpr int kPdfDpi = 1200;
    bool done = false;
    {
        QPdfWriter writer(path);
        writer.setResolution(kPdfDpi);
        writer.setPageLayout(pageLayout());
        writer.setTitle(m_layout.caption);
        writer.setCreator(QStringLiteral("Brisko"));
        try {
            done = print(writer, kPdfDpi, progress);
        } catch (const Error&) {
            throw Error(QStringLiteral("Não foi possível gravar o arquivo %1.").arg(path));
        }
    }
    if (!done)
        QFile::remove(path);
    return done;
}
