#include "management/CellBatch.h"

#include "data/Database.h"

#include <QDate>
#include <QSqlQuery>
#include <optional>

namespace {

std::optional<qint64> integerFrom(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::LongLong:
        return value.value<qlonglong>();
    case QMetaType::Int:
        return value.value<int>();
    default: {
        bool ok = false;
        const qint64 number = value.toLongLong(&ok);
        return ok ? std::optional<qint64>(number) : std::nullopt;
    }
    }
}

int digits(QStringView text, qsizetype from, qsizetype count) {
    int number = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        number = number * 10 + (c - u'0');
    }
    return number;
}

// "yyyy-mm-dd", as SQLite keeps dates, without building the parser's intermediate strings.
QDate isoDate(QStringView text) {
    if (text.size() < 10 || text[4] != u'-' || text[7] != u'-')
        return {};
    const int year = digits(text, 0, 4);
    const int month = digits(text, 5, 2);
    const int day = digits(text, 8, 2);
    if (year < 0 || month < 0 || day < 0)
        return {};
    return QDate(year, month, day);
}

std::optional<QDate> dateFrom(const QVariant& value) {
    QDate date;
    if (value.typeId() == QMetaType::QString)
        date = isoDate(*static_cast<const QString*>(value.constData()));
    if (!date.isValid())
        date = Database::dateFrom(value);
    // Before 1900 a spreadsheet has no date serial.
    if (date.isValid() && date.year() >= 1900)
        return date;
    return std::nullopt;
}

} // namespace

CellBatch::CellBatch(int columns) : m_columns(columns) {
    m_cells.reserve(std::size_t(kRows) * std::size_t(columns));
    m_colours.reserve(std::size_t(kRows));
}

void CellBatch::clear() {
    m_cells.clear();
    m_colours.clear();
    m_text.clear();
}

void CellBatch::append(const QSqlQuery& query, const QList<XlsxSheet::Column>& columns,
                       bool secondColour) {
    m_colours.push_back(secondColour);
    for (int column = 0; column < m_columns; ++column) {
        Cell& cell = m_cells.emplace_back();
        const QVariant value = query.value(column);
        if (value.isNull())
            continue;
        switch (columns.at(column).kind) {
        case XlsxSheet::Kind::Text:
            break;
        case XlsxSheet::Kind::Number:
        case XlsxSheet::Kind::Money:
            if (const auto number = integerFrom(value)) {
                cell.type = Cell::Type::Integer;
                cell.value = *number;
                continue;
            }
            break;
        case XlsxSheet::Kind::Date:
            if (const auto date = dateFrom(value)) {
                cell.type = Cell::Type::Date;
                cell.value = date->year() * 10000 + date->month() * 100 + date->day();
                continue;
            }
            break;
        }
        appendText(cell, value.toString());
    }
}

void CellBatch::appendText(Cell& cell, const QString& text) {
    QStringView view(text);
    if (view.size() > XlsxSheet::kMaxCellText) {
        view = view.first(XlsxSheet::kMaxCellText);
        // Half of a character cut in two is not text.
        if (view.back().isHighSurrogate())
            view.chop(1);
    }
    cell.type = Cell::Type::Text;
    cell.value = qint64(m_text.size());
    cell.characters = view.size();
    const std::size_t start = m_text.size();
    m_text.resize(start + std::size_t(m_utf8.requiredSpace(view.size())));
    const char* end = m_utf8.appendToBuffer(m_text.data() + start, view);
    m_text.resize(std::size_t(end - m_text.data()));
    m_text.push_back('\0');
}

void CellBatch::writeTo(XlsxSheet& sheet) const {
    auto cell = m_cells.cbegin();
    for (const bool second : m_colours) {
        sheet.startRow(second);
        for (int column = 0; column < m_columns; ++column, ++cell) {
            switch (cell->type) {
            case Cell::Type::Blank:
                sheet.writeBlank(column);
                break;
            case Cell::Type::Integer:
                sheet.writeInteger(column, cell->value);
                break;
            case Cell::Type::Date:
                sheet.writeDate(column, int(cell->value / 10000), int(cell->value / 100 % 100),
                                int(cell->value % 100));
                break;
            case Cell::Type::Text:
                sheet.writeText(column, m_text.data() + cell->value, cell->characters);
                break;
            }
        }
    }
}

bool RowColours::next(const QVariant& key) {
    if (!m_started || key != m_previous)
        m_second = !m_second;
    m_started = true;
    m_previous = key;
    return m_second;
}
