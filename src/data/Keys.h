#pragma once

#include <QString>

class Database;

// The next key of `table`: the highest `keyColumn` + 1, or 1 for an empty table (gaps are
// never reused). Call it inside the Transaction that inserts the row, before writing to
// `table` in that transaction: the allocation holds until commit, so two workstations never
// get the same number. Table and column come from code and must be plain identifiers.
qint64 nextKey(Database& db, const QString& table, const QString& keyColumn);

// Inside a writing Transaction: keeps other workstations from writing `table` until commit,
// so a uniqueness check made after it stays true until the row is written.
void lockForWriting(Database& db, const QString& table);
