#pragma once

#include "management/XlsxSheet.h"

#include <QStringEncoder>
#include <QVariant>
#include <string>
#include <vector>

class QSqlQuery;

// Rows read from the database, each value already turned into what its cell will hold, in a
// few flat buffers that are reused from batch to batch: the reading thread fills a batch while
// the writing thread empties another.
class CellBatch {
public:
    static constexpr int kRows = 1024;

    explicit CellBatch(int columns);

    void clear();
    bool isFull() const { return m_colours.size() >= std::size_t(kRows); }
    bool isEmpty() const { return m_colours.empty(); }
    int rows() const { return int(m_colours.size()); }

    // Reads the query's current row, its cells as the column kinds say; a value that does not
    // fit its kind becomes text.
    void append(const QSqlQuery& query, const QList<XlsxSheet::Column>& columns, bool secondColour);
    void writeTo(XlsxSheet& sheet) const;

private:
    struct Cell {
        enum class Type : quint8 { Blank, Integer, Date, Text };
        Type type = Type::Blank;
        // Integer: the value; Date: yyyymmdd; Text: where its bytes start in m_text.
        qint64 value = 0;
        // Text: its length as the user counts it.
        qsizetype characters = 0;
    };
    void appendText(Cell& cell, const QString& text);

    int m_columns;
    std::vector<Cell> m_cells;
    std::vector<bool> m_colours;
    std::string m_text;
    QStringEncoder m_utf8{QStringConverter::Utf8, QStringConverter::Flag::Stateless};
};

// Whether a row takes the second colour: the colour changes with each new key value. Lives as
// long as the export, across batches.
class RowColours {
public:
    bool next(const QVariant& key);

private:
    QVariant m_previous;
    bool m_second = true;
    bool m_started = false;
};
