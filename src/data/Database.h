#pragma once

#include "data/ConnectionSpec.h"
#include "data/DbError.h"

#include <QDate>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <functional>
#include <map>
#include <memory>

class QSqlError;
struct sqlite3;

// One connection to the program's database, on SQLite or PostgreSQL, with the schema in
// place. Every value reaches SQL as a bound parameter; every failure is a DbError.
// A Database belongs to the thread that opened it. Do not keep copies of connection()
// beyond the Database's life.
class Database {
public:
    using Engine = ConnectionSpec::Engine;
    enum class OpenMode { ExistingOnly, CreateIfMissing };

    // Opens, tunes the session, installs brisko_fold and creates or migrates the schema.
    static std::unique_ptr<Database> open(const ConnectionSpec& spec, OpenMode mode);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    Engine engine() const { return m_spec.engine; }
    const ConnectionSpec& spec() const { return m_spec; }
    QSqlDatabase connection() const { return m_db; }
    // Unique for every connection ever opened in the process: tells a reopened connection
    // from the one a store's prepared statements belong to.
    const QString& connectionName() const { return m_name; }
    // "SQLite" or "PostgreSQL", the source of this database's errors.
    QString sourceName() const;

    // Runs `sql` with '?' placeholders bound in order. Without binds the text runs as is,
    // which is how DDL and session commands (not preparable on PostgreSQL) must run.
    QSqlQuery exec(const QString& sql, const QVariantList& binds = {});
    // The first column of the first row; an invalid QVariant when there is no row.
    QVariant scalar(const QString& sql, const QVariantList& binds = {});
    // For statements run many times (bulk loads, hot lookups): prepare once, run with
    // execPrepared as often as needed.
    QSqlQuery prepare(const QString& sql);
    void execPrepared(QSqlQuery& query, const QVariantList& binds);
    // For statements run again and again with new values, whose plan suits any value (an
    // equality, a range read through its index): prepared on the first run and kept with the
    // connection, so PostgreSQL neither parses nor deallocates them every time, and plans them
    // once where its plan for any value costs no more. Hands each row to `row`, then releases
    // the result (no lock or snapshot held).
    using RowReader = std::function<void(const QSqlQuery&)>;
    void execKept(const QString& sql, const QVariantList& binds, const RowReader& row);
    QVariant scalarKept(const QString& sql, const QVariantList& binds);
    // A write kept the same way; on SQLite that also keeps the triggers it fires compiled.
    void execKept(const QString& sql, const QVariantList& binds) {
        execKept(sql, binds, [](const QSqlQuery&) {});
    }

    bool inTransaction() const { return m_inTransaction; }

    // The SQLite connection underneath, for what Qt SQL does not offer (functions, online
    // backup). Throws DbError on another engine.
    sqlite3* sqliteHandle() const;

    // The single place where a driver error becomes a DbError: a lock held elsewhere
    // (SQLite BUSY/LOCKED, PostgreSQL lock timeout, deadlock, serialisation failure) is
    // DbError::kInUse; anything else keeps the engine's number when it has one.
    static DbError toDbError(Engine engine, const QSqlError& error);

    // Dates travel the same way on both engines: ISO text on SQLite, DATE on PostgreSQL.
    static QVariant dateValue(const QDate& date);
    static QDate dateFrom(const QVariant& value);

private:
    friend class Transaction;

    Database(const ConnectionSpec& spec, const QString& connectionName);
    void connect(OpenMode mode);
    void tuneSqlite();
    void tunePostgres();
    [[noreturn]] void fail(const QSqlError& error);
    [[noreturn]] void fail(const QSqlQuery& query);

    void begin();
    void commit();
    void rollback() noexcept;

    ConnectionSpec m_spec;
    QString m_name;
    QSqlDatabase m_db;
    bool m_inTransaction = false;
    bool m_transactionFailed = false;
    // Failed statements of an aborted PostgreSQL transaction can only be released after the
    // rollback.
    QList<QSqlQuery> m_parked;
    struct Kept {
        QSqlQuery query;
        bool busy = false; // its rows are being read: a nested run gets a statement of its own
    };
    // By statement text; a node map, so a reader that keeps another statement moves none.
    std::map<QString, Kept> m_kept;
};
