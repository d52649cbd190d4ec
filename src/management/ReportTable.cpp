#include "management/ReportTable.h"

#include <QSqlQuery>
#include <QSqlRecord>

qint64 ReportRows::sum(int column, int firstRow, int lastRow) const {
    qint64 total = 0;
    for (int row = firstRow; column >= 0 && row <= lastRow; ++row)
        total += value(row, column).toLongLong();
    return total;
}

int ReportRows::columnIndex(const QString& name) const {
    const QStringList& names = columns();
    for (int i = 0; i < names.size(); ++i)
        if (names.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

ReportTable ReportTable::fromQuery(QSqlQuery& query) {
    const QSqlRecord record = query.record();
    QStringList columns;
    for (int i = 0; i < record.count(); ++i)
        columns << record.fieldName(i);
    ReportTable table(columns);
    while (query.next()) {
        QVariantList row;
        row.reserve(columns.size());
        for (int i = 0; i < columns.size(); ++i)
            row << query.value(i);
        table.append(std::move(row));
    }
    return table;
}

QVariant ReportTable::value(int row, int column) const {
    if (row < 0 || row >= m_rows.size())
        return {};
    return m_rows.at(row).value(column);
}
