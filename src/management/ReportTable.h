#pragma once

#include "management/ReportRows.h"

#include <QList>

class QSqlQuery;

// Report rows held in memory, read once from a query: for the reports whose rows are few.
class ReportTable : public ReportRows {
public:
    ReportTable() = default;
    explicit ReportTable(QStringList columns) : m_columns(std::move(columns)) {}

    // Reads every row the (already executed) query returns.
    static ReportTable fromQuery(QSqlQuery& query);

    const QStringList& columns() const override { return m_columns; }
    int rowCount() const override { return static_cast<int>(m_rows.size()); }
    QVariant value(int row, int column) const override;
    void append(QVariantList row) { m_rows.append(std::move(row)); }

private:
    QStringList m_columns;
    QList<QVariantList> m_rows;
};
