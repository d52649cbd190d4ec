#pragma once

#include "data/TextMatch.h"

#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVariantList>

class Database;

// Statements every registry table needs in the same shape. Table and column names come from
// the stores' code; every value is bound.
namespace registryQueries {

// "WHERE a AND b" of the non-empty conditions, their binds appended to `binds`; empty when
// every condition is empty.
QString whereClause(const QList<textMatch::SqlCondition>& conditions, QVariantList& binds);

bool hasRows(Database& db, const QString& table);

// Whether a row other than `exceptCode` (0: none excepted) has `name`, compared by the fold.
bool nameTaken(Database& db, const QString& table, const QString& keyColumn,
               const QString& nameColumn, const QString& name, qint64 exceptCode);

// Deletes the one row with that key; false when there was none.
bool removeByKey(Database& db, const QString& table, const QString& keyColumn, qint64 code);

// A NULL column reads as empty text, as the screens show it.
inline QString textAt(const QSqlQuery& query, int column) {
    return query.value(column).toString();
}

// An empty box is stored as empty text, not NULL.
inline QVariant storedText(const QString& text) {
    return text.isNull() ? QStringLiteral("") : text;
}

} // namespace registryQueries
