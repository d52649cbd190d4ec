#include "management/XlsxSheet.h"

#include "common/Money.h"
#include "data/Database.h"
#include "data/DbError.h"

#include <QFile>
#include <algorithm>
#include <xlsxwriter.h>

namespace {

// RGB; the same colours given elsewhere in blue-green-red order as 4696F7, ECE0E5, DAC0CC.
constexpr lxw_color_t kHeaderColour = 0xF79646;
constexpr lxw_color_t kBandColours[2] = {0xE5E0EC, 0xCCC0DA};
constexpr lxw_color_t kWhite = 0xFFFFFF;
// A cell holds at most this many characters.
constexpr qsizetype kMaxCellText = 32767;
constexpr int kDateWidth = 10;
const char* const kMoneyFormat = "\"R$ \"#,##0.00";
const char* const kDateFormat = "dd/mm/yyyy";

lxw_format* filled(lxw_workbook* book, lxw_color_t colour) {
    lxw_format* format = workbook_add_format(book);
    format_set_pattern(format, LXW_PATTERN_SOLID);
    format_set_bg_color(format, colour);
    return format;
}

} // namespace

XlsxSheet::XlsxSheet(const QString& path, const QString& sheetName, const QList<Column>& columns)
    : m_path(path), m_sheetName(sheetName.toUtf8()), m_columns(columns),
      m_widths(columns.size(), 0) {
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    m_book = workbook_new_opt(QFile::encodeName(path).constData(), &options);
    if (!m_book)
        throw DbError(DbError::kGeneric,
                      QStringLiteral("Não foi possível preparar a planilha %1.").arg(path));
    m_sheet = workbook_add_worksheet(m_book, m_sheetName.constData());
    if (!m_sheet)
        throw DbError(DbError::kGeneric,
                      QStringLiteral("Nome de planilha inválido: %1.").arg(sheetName));
    m_header = filled(m_book, kHeaderColour);
    format_set_bold(m_header);
    m_white = filled(m_book, kWhite);
    for (int b = 0; b < 2; ++b) {
        Band& band = m_bands[b];
        band.plain = filled(m_book, kBandColours[b]);
        band.money = filled(m_book, kBandColours[b]);
        format_set_num_format(band.money, kMoneyFormat);
        band.date = filled(m_book, kBandColours[b]);
        format_set_num_format(band.date, kDateFormat);
    }
    for (int column = 0; column < m_columns.size(); ++column) {
        writeText(column, m_columns.at(column).header, m_header);
        // Bold letters are a little wider.
        widen(column, m_columns.at(column).header.size() + 1);
    }
}

XlsxSheet::~XlsxSheet() {
    if (m_book)
        lxw_workbook_free(m_book);
}

void XlsxSheet::addRow(const QVariantList& values, bool secondColour) {
    if (m_rows >= kMaxRows)
        throw DbError(
            DbError::kGeneric,
            QStringLiteral("Uma planilha comporta no máximo %1 linhas de dados.").arg(kMaxRows));
    ++m_rows;
    const Band& band = m_bands[secondColour ? 1 : 0];
    const int count = int(std::min(values.size(), m_columns.size()));
    for (int column = 0; column < count; ++column)
        writeCell(column, values.at(column), band);
}

void XlsxSheet::writeCell(int column, const QVariant& value, const Band& band) {
    const auto row = lxw_row_t(m_rows);
    const auto col = lxw_col_t(column);
    if (value.isNull()) {
        check(worksheet_write_blank(m_sheet, row, col, band.plain));
        return;
    }
    bool ok = false;
    switch (m_columns.at(column).kind) {
    case Kind::Text:
        break;
    case Kind::Number: {
        const qint64 number = value.toLongLong(&ok);
        if (ok) {
            check(worksheet_write_number(m_sheet, row, col, double(number), band.plain));
            widen(column, QString::number(number).size());
            return;
        }
        break;
    }
    case Kind::Money: {
        const qint64 cents = value.toLongLong(&ok);
        if (ok) {
            check(worksheet_write_number(m_sheet, row, col, double(cents) / 100.0, band.money));
            widen(column, Money::fromCents(cents).format().size());
            return;
        }
        break;
    }
    case Kind::Date: {
        const QDate date = Database::dateFrom(value);
        // Before 1900 a spreadsheet has no date serial.
        if (date.isValid() && date.year() >= 1900) {
            lxw_datetime when = {date.year(), date.month(), date.day(), 0, 0, 0};
            check(worksheet_write_datetime(m_sheet, row, col, &when, band.date));
            widen(column, kDateWidth);
            return;
        }
        break;
    }
    }
    writeText(column, value.toString(), band.plain);
}

void XlsxSheet::writeText(int column, const QString& text, lxw_format* format) {
    const QString cell = text.left(kMaxCellText);
    check(worksheet_write_string(m_sheet, lxw_row_t(m_rows), lxw_col_t(column),
                                 cell.toUtf8().constData(), format));
    widen(column, cell.size());
}

void XlsxSheet::widen(int column, qsizetype characters) {
    qsizetype& width = m_widths[column];
    width = std::max(width, characters);
}

void XlsxSheet::finish() {
    for (int column = 0; column < m_widths.size(); ++column) {
        const double width = std::min(double(m_widths.at(column)) + 2, kMaxWidth);
        check(worksheet_set_column(m_sheet, lxw_col_t(column), lxw_col_t(column), width, m_white));
    }
    // The rest of the sheet is white too.
    check(worksheet_set_column(m_sheet, lxw_col_t(m_columns.size()), LXW_COL_MAX - 1,
                               LXW_DEF_COL_WIDTH, m_white));
    lxw_workbook* book = m_book;
    m_book = nullptr;
    const lxw_error error = workbook_close(book);
    if (error != LXW_NO_ERROR)
        throw DbError(DbError::kGeneric,
                      QStringLiteral("Não foi possível gravar a planilha %1: %2.")
                          .arg(m_path, QString::fromUtf8(lxw_strerror(error))));
}

void XlsxSheet::check(int error) const {
    if (error != LXW_NO_ERROR)
        throw DbError(DbError::kGeneric,
                      QStringLiteral("Erro ao escrever a planilha %1: %2.")
                          .arg(m_path, QString::fromUtf8(lxw_strerror(lxw_error(error)))));
}
