#pragma once

#include <QString>
#include <functional>

class Connections;
class Database;

// Whole-database copies of the SQLite file: the backup screen's copy, the exit copy and the
// restore. A PostgreSQL database is backed up by the server's own tools, so every operation
// refuses it with a DbError saying so.
class DatabaseBackup {
public:
    // Pages copied so far and pages in all; called between steps of a copy so that the caller
    // can show it and keep its window painting.
    using Progress = std::function<void(int done, int total)>;

    // A consistent copy of the live database into destinationFile, taken through SQLite's
    // online backup so that a write in progress elsewhere is never half copied. The file is
    // written next to its destination and renamed into place; the folder is created.
    static void copyTo(Database& db, const QString& destinationFile);
    static void copyTo(Database& db, const QString& destinationFile, const Progress& progress);
    // The copy made when the program ends: AppHome::backupFolder() + "Delivery.db".
    static void exitCopy(Database& db);
    // True when `file` is an SQLite file holding the program's schema. Opened read-only.
    static bool isBriskoDatabase(const QString& file);
    // Replaces the live database file with `sourceFile` after checking it, keeping the
    // replaced file as a side copy next to it, and reopens the connection (which migrates an
    // older schema). Returns the side copy's path. Nothing changes when the check fails.
    static QString restore(Connections& connections, const QString& sourceFile);

    // Why a database on a server is never copied here.
    static QString serverBackupMessage();
};
