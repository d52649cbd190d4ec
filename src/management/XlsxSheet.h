#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>
#include <QVariantList>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

// One worksheet of an .xlsx file written row by row in constant memory: a bold header on the
// orange colour, data rows on one of two light colours, every other cell white, numbers,
// amounts and dates as values the sheet can sum, and column widths fitted to what was
// written. Nothing is on disk at `path` until finish() succeeds. Throws DbError.
class XlsxSheet {
public:
    enum class Kind { Text, Number, Money, Date };
    struct Column {
        QString header;
        Kind kind = Kind::Text;
    };

    // Rows a worksheet holds below its header.
    static constexpr qint64 kMaxRows = 1048575;
    // Very long texts do not make a column wider than this (characters).
    static constexpr double kMaxWidth = 60;

    XlsxSheet(const QString& path, const QString& sheetName, const QList<Column>& columns);
    ~XlsxSheet();
    XlsxSheet(const XlsxSheet&) = delete;
    XlsxSheet& operator=(const XlsxSheet&) = delete;

    // `values` in column order; a null value leaves its cell empty, but coloured. Money is
    // integer centavos; a value that does not fit its column's kind is written as text.
    void addRow(const QVariantList& values, bool secondColour);
    void finish();

    qint64 rows() const { return m_rows; }

private:
    // Text and plain numbers share a format: the library looks a duplicate format up again
    // at every cell.
    struct Band {
        lxw_format* plain;
        lxw_format* money;
        lxw_format* date;
    };
    void writeCell(int column, const QVariant& value, const Band& band);
    void writeText(int column, const QString& text, lxw_format* format);
    void widen(int column, qsizetype characters);
    void check(int error) const;

    QString m_path;
    QByteArray m_sheetName;
    QList<Column> m_columns;
    QList<qsizetype> m_widths;
    lxw_workbook* m_book = nullptr;
    lxw_worksheet* m_sheet = nullptr;
    lxw_format* m_header = nullptr;
    lxw_format* m_white = nullptr;
    Band m_bands[2] = {};
    qint64 m_rows = 0;
};
