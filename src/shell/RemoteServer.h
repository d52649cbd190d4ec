#pragma once

#include "data/ConnectionSpec.h"

#include <QList>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <memory>
#include <optional>

class QSqlError;

// The server of the online backup, shared by many businesses: PostgreSQL, or Microsoft SQL
// Server through ODBC (FreeTDS). No schema of ours is made there; its tables are the
// administrator's. A RemoteServer belongs to the thread that opened it. Errors are DbError
// whose text never holds the password.
class RemoteServer {
public:
    enum class Kind { Postgres, SqlServer };
    static constexpr int kTimeoutSeconds = 30;
    static inline const QString kSource = QStringLiteral("Servidor remoto");

    // Where the server is, as the settings key gives it.
    struct Target {
        Kind kind = Kind::Postgres;
        ConnectionSpec postgres;
        QString odbc;
        QString password;
        // For messages: never shows the password.
        QString describe() const;
        // The text with every occurrence of the password masked.
        QString scrub(const QString& text) const;
    };

    // A postgresql:// URI, or an ODBC connection string (it names a DRIVER or a DSN).
    static std::optional<Target> parse(const QString& key);

    // Throws DbError naming the server, without the password, when it cannot be reached
    // within kTimeoutSeconds.
    static std::unique_ptr<RemoteServer> open(const Target& target);
    ~RemoteServer();
    RemoteServer(const RemoteServer&) = delete;
    RemoteServer& operator=(const RemoteServer&) = delete;

    Kind kind() const { return m_target.kind; }
    // Bound values one statement may carry (SQL Server stops at 2100).
    int maxParameters() const { return kind() == Kind::SqlServer ? 2000 : 30000; }

    // Runs `sql` with '?' placeholders bound in order; returns the rows it affected.
    int exec(const QString& sql, const QVariantList& binds = {});
    QVariant scalar(const QString& sql, const QVariantList& binds = {});

    void begin();
    void commit();
    void rollback() noexcept;

private:
    explicit RemoteServer(const Target& target);
    [[noreturn]] void fail(const QSqlError& error) const;
    [[noreturn]] void fail(const QSqlQuery& query);

    Target m_target;
    QString m_name;
    QSqlDatabase m_db;
    bool m_inTransaction = false;
    // A failed statement of an aborted PostgreSQL transaction can only be freed after the
    // rollback.
    QList<QSqlQuery> m_parked;
};
