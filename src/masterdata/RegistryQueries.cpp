#include "masterdata/RegistryQueries.h"

#include "data/Database.h"
#include "data/Transaction.h"

namespace registryQueries {

QString whereClause(const QList<textMatch::SqlCondition>& conditions, QVariantList& binds) {
    QStringList parts;
    for (const textMatch::SqlCondition& condition : conditions) {
        if (condition.isEmpty())
            continue;
        parts << condition.sql;
        binds << condition.binds;
    }
    return parts.isEmpty() ? QString() : QStringLiteral(" WHERE ") + parts.join(u" AND ");
}

bool hasRows(Database& db, const QString& table) {
    return db.scalar(QStringLiteral("SELECT 1 FROM %1 LIMIT 1").arg(table)).isValid();
}

bool nameTaken(Database& db, const QString& table, const QString& keyColumn,
               const QString& nameColumn, const QString& name, qint64 exceptCode) {
    const auto equal = textMatch::foldEquals(db.engine(), nameColumn, name);
    return db
        .scalar(QStringLiteral("SELECT 1 FROM %1 WHERE %2 AND %3 <> ? LIMIT 1")
                    .arg(table, equal.sql, keyColumn),
                equal.binds + QVariantList{exceptCode})
        .isValid();
}

bool removeByKey(Database& db, const QString& table, const QString& keyColumn, qint64 code) {
    Transaction transaction(db);
    const QSqlQuery query =
        db.exec(QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(table, keyColumn), {code});
    const bool removed = query.numRowsAffected() > 0;
    transaction.commit();
    return removed;
}

} // namespace registryQueries
