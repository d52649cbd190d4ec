#pragma once

#include "shell/RemoteServer.h"

#include <QString>
#include <QVariant>
#include <QVariantList>

// A remote database of the online backup on the server of BRISKO_TEST_PG, made with the
// shipped script, with two business logins (identifiers 1 and 2). Dropped at the end.
class RemoteTestServer {
public:
    static bool available();
    RemoteTestServer();
    ~RemoteTestServer();
    RemoteTestServer(const RemoteTestServer&) = delete;
    RemoteTestServer& operator=(const RemoteTestServer&) = delete;

    // The settings key of a business's login.
    QString uri(int empresa) const;
    RemoteServer::Target target(int empresa) const;
    QString login(int empresa) const;
    QString password(int empresa) const;
    // As the owner, who sees every business's rows.
    QVariant scalar(const QString& sql, const QVariantList& binds = {}) const;
    void exec(const QString& sql) const;
    // Ends the sessions of a business's login, as a server going away would.
    void terminateSessions(int empresa) const;

private:
    void runAdmin(const QString& database, const QString& sql) const;

    QString m_database;
    QString m_suffix;
};
