#pragma once

#include <QString>

class Database;

// The online backup of `db` to the remote database `remoteUri` (made with
// scripts/remote/postgresql.sql, its login mapped to business `empresa`): a first run of
// everything (rows/s, peak memory, the longest stall of an event loop beside it) and daily
// runs of 1 000 new orders.
QString syncReport(Database& db, const QString& remoteUri, qint64 empresa, int dailyRuns);
