#include "management/ReportTable.h"

#include <QSqlQuery>
#include <QSqlRecord>

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

int ReportTable::columnIndex(const QString& name) const {
    for (int i = 0; i < m_columns.size(); ++i)
        if (m_columns.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}
