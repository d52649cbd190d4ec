#pragma once

#include <QStringList>
#include <QVariant>

// The rows a report is laid over, addressed by position; columns are found by name without
// regard to case, as the layouts name them.
class ReportRows {
public:
    virtual ~ReportRows() = default;

    virtual const QStringList& columns() const = 0;
    virtual int rowCount() const = 0;
    // A null value past the last row.
    virtual QVariant value(int row, int column) const = 0;
    // The whole of a column from `firstRow` to `lastRow` (both included), as integers.
    virtual qint64 sum(int column, int firstRow, int lastRow) const;

    // -1 when there is no such column.
    int columnIndex(const QString& name) const;
};
