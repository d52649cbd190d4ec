#pragma once

#include <QList>
#include <QStringList>
#include <QVariant>

class QSqlQuery;

// The rows a report is laid over, read once from a query; columns are found by name without
// regard to case, as the layouts name them.
class ReportTable {
public:
    ReportTable() = default;
    explicit ReportTable(QStringList columns) : m_columns(std::move(columns)) {}

    // Reads every row the (already executed) query returns.
    static ReportTable fromQuery(QSqlQuery& query);

    const QStringList& columns() const { return m_columns; }
    // -1 when there is no such column.
    int columnIndex(const QString& name) const;
    int rowCount() const { return static_cast<int>(m_rows.size()); }
    const QVariant& value(int row, int column) const { return m_rows.at(row).at(column); }
    void append(QVariantList row) { m_rows.append(std::move(row)); }

private:
    QStringList m_columns;
    QList<QVariantList> m_rows;
};
