#include "data/Keys.h"

#include "data/Database.h"
#include "data/SqlIdentifier.h"

#include <stdexcept>

qint64 nextKey(Database& db, const QString& table, const QString& keyColumn) {
    sqlIdentifier::require(table);
    sqlIdentifier::require(keyColumn);
    if (!db.inTransaction())
        throw std::logic_error("nextKey needs the inserting transaction");
    lockForWriting(db, table);
    return db
        .scalar(QStringLiteral("SELECT COALESCE(MAX(%1), 0) + 1 FROM %2").arg(keyColumn, table))
        .toLongLong();
}

void lockForWriting(Database& db, const QString& table) {
    sqlIdentifier::require(table);
    if (!db.inTransaction())
        throw std::logic_error("lockForWriting needs the writing transaction");
    // SQLite's BEGIN IMMEDIATE already serialises writers. PostgreSQL readers would see the
    // same MAX concurrently; this mode excludes other allocators and writers until commit.
    if (db.engine() == ConnectionSpec::Engine::Postgres)
        db.exec(QStringLiteral("LOCK TABLE %1 IN SHARE ROW EXCLUSIVE MODE").arg(table));
}
