#pragma once

#include "data/ConnectionSpec.h"

#include <QStringList>
#include <optional>

struct BenchOptions {
    ConnectionSpec::Engine engine = ConnectionSpec::Engine::Sqlite;
    QString uri;  // PostgreSQL database to fill
    QString file; // SQLite file; a temporary one when empty
    int customers = 100000;
    int orders = 1000000;
    int startupRuns = 20;
    QString only; // runs only the operations whose name contains it
    // A remote database of the online backup: only the online backup is measured.
    QString syncRemote;
    qint64 syncEmpresa = 1;
    int syncDailyRuns = 5;
    // Set in a copy of the bench started to measure one thing in a process of its own.
    QString child;

    static QString usage();
    // Nothing, with the reason in `error`, for arguments it cannot use.
    static std::optional<BenchOptions> parse(const QStringList& arguments, QString& error);
};
