#pragma once

#include "data/ConnectionSpec.h"

#include <QString>
#include <QVariantList>
#include <optional>

// Case-insensitive, accent-aware matching that the fold indexes can serve. The SQL function
// brisko_fold(text) folds on the database side exactly as foldText() does here, so bounds
// computed in C++ compare with the indexed values.
namespace textMatch {

struct SqlCondition {
    QString sql; // empty: no condition
    QVariantList binds;

    bool isEmpty() const { return sql.isEmpty(); }
};

// NFC, then lower case: 'JOÃO' and 'joão' (composed or not) fold to the same text.
QString foldText(const QString& text);

// The least text greater than every text that starts with `foldedPrefix`, comparing by code
// point (SQLite's BINARY and PostgreSQL's "C" order); none when no such text exists.
std::optional<QString> prefixUpperBound(const QString& foldedPrefix);

// brisko_fold(column) = brisko_fold(?)
SqlCondition foldEquals(ConnectionSpec::Engine engine, const QString& column, const QString& value);
// brisko_fold(column) >= ? AND brisko_fold(column) < ?; empty for an empty prefix.
SqlCondition foldPrefix(ConnectionSpec::Engine engine, const QString& column,
                        const QString& prefix);
// The ORDER BY expression that walks the fold index.
QString foldOrder(ConnectionSpec::Engine engine, const QString& column);

// The search fold: foldText without accents ('marcia' finds 'MÁRCIA', 'goncalves' finds
// 'GONÇALVES'). Only for finding: equality and uniqueness keep foldText. brisko_search(text)
// is its database side.
QString searchText(const QString& text);
// The letters searchText replaces and, at the same positions, their plain forms.
const QString& accentedLetters();
const QString& plainLetters();
// brisko_search(column) >= ? AND brisko_search(column) < ?; empty for an empty prefix.
SqlCondition searchPrefix(ConnectionSpec::Engine engine, const QString& column,
                          const QString& prefix);
// The expression the search indexes hold, for ORDER BY and index hints.
QString searchExpression(ConnectionSpec::Engine engine, const QString& column);

// A code-point prefix range on a column stored as typed (telephones): column >= ? AND < ?.
SqlCondition codePrefix(ConnectionSpec::Engine engine, const QString& column,
                        const QString& prefix);

} // namespace textMatch
