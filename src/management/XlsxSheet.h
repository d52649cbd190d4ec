#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>
#include <vector>

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
    // A cell holds at most this many characters (UTF-16 code units).
    static constexpr qsizetype kMaxCellText = 32767;

    XlsxSheet(const QString& path, const QString& sheetName, const QList<Column>& columns);
    ~XlsxSheet();
    XlsxSheet(const XlsxSheet&) = delete;
    XlsxSheet& operator=(const XlsxSheet&) = delete;

    // Starts the next row; the cells below go into it, each column at most once. A column
    // left out stays empty and white.
    void startRow(bool secondColour);
    // An empty cell, but coloured.
    void writeBlank(int column);
    // A Number column's number, or a Money column's centavos.
    void writeInteger(int column, qint64 value);
    // A valid date from 1900 on; earlier dates have no date serial and go as text.
    void writeDate(int column, int year, int month, int day);
    // `utf8` ends with a NUL; `characters` is its length as the user counts it.
    void writeText(int column, const char* utf8, qsizetype characters);
    void finish();

    qint64 rows() const { return m_rows; }
    const QList<Column>& columns() const { return m_columns; }

private:
    // Text and plain numbers share a format: the library looks a duplicate format up again
    // at every cell.
    struct Band {
        lxw_format* plain;
        lxw_format* money;
        lxw_format* date;
    };
    // The widest number written in a column is the one farthest from zero on either side,
    // so its text is formed only when a value falls outside the range seen so far.
    struct Extent {
        bool any = false;
        qint64 lowest = 0;
        qint64 highest = 0;
    };
    void widen(int column, qsizetype characters);
    void check(int error) const;

    QString m_path;
    QByteArray m_sheetName;
    std::vector<char> m_buffer;
    QList<Column> m_columns;
    QList<qsizetype> m_widths;
    QList<Extent> m_extents;
    lxw_workbook* m_book = nullptr;
    lxw_worksheet* m_sheet = nullptr;
    lxw_format* m_header = nullptr;
    lxw_format* m_white = nullptr;
    Band m_bands[2] = {};
    const Band* m_band = &m_bands[0];
    qint64 m_rows = 0;
};
