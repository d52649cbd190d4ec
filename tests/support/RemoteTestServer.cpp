#include "RemoteTestServer.h"

#include "data/ConnectionSpec.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QUuid>
#include <stdexcept>

namespace {

ConnectionSpec server() {
    const auto spec = ConnectionSpec::fromPostgresUri(qEnvironmentVariable("BRISKO_TEST_PG"));
    if (!spec)
        throw std::runtime_error("BRISKO_TEST_PG is not set");
    return *spec;
}

QString script(const char* name) {
    QFile file(QStringLiteral(BRISKO_TEST_SOURCE_DIR "/../scripts/remote/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("missing script " + file.fileName().toStdString());
    return QString::fromUtf8(file.readAll());
}

} // namespace

bool RemoteTestServer::available() {
    return ConnectionSpec::fromPostgresUri(qEnvironmentVariable("BRISKO_TEST_PG")).has_value();
}

RemoteTestServer::RemoteTestServer()
    : m_suffix(QString::number(QRandomGenerator::global()->generate64(), 16)) {
    m_database = QStringLiteral("brisko_remoto_") + m_suffix;
    runAdmin(server().databaseName,
             QStringLiteral("CREATE DATABASE %1 ENCODING 'UTF8'").arg(m_database));
    runAdmin(m_database, script("postgresql.sql"));
    for (int empresa : {1, 2}) {
        // What psql does with the script's variables.
        QString add = script("postgresql-empresa.sql");
        add.replace(QStringLiteral(":\"login\""),
                    QLatin1Char('"') + login(empresa) + QLatin1Char('"'))
            .replace(QStringLiteral(":'login'"),
                     QLatin1Char('\'') + login(empresa) + QLatin1Char('\''))
            .replace(QStringLiteral(":'senha'"),
                     QLatin1Char('\'') + password(empresa) + QLatin1Char('\''))
            .replace(QStringLiteral(":empresa"), QString::number(empresa));
        runAdmin(m_database, add);
    }
}

RemoteTestServer::~RemoteTestServer() {
    try {
        runAdmin(server().databaseName,
                 QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_database));
        for (int empresa : {1, 2})
            runAdmin(server().databaseName,
                     QStringLiteral("DROP ROLE IF EXISTS %1").arg(login(empresa)));
    } catch (const std::exception& e) {
        qWarning("%s", e.what());
    }
}

QString RemoteTestServer::login(int empresa) const {
    return QStringLiteral("empresa%1_%2").arg(empresa).arg(m_suffix);
}

QString RemoteTestServer::password(int empresa) const {
    return QStringLiteral("s3nha-secreta-%1").arg(empresa);
}

QString RemoteTestServer::uri(int empresa) const {
    const ConnectionSpec admin = server();
    QUrl url;
    url.setScheme(QStringLiteral("postgresql"));
    url.setHost(admin.host);
    url.setPort(admin.port);
    url.setUserName(login(empresa));
    url.setPassword(password(empresa));
    url.setPath(QLatin1Char('/') + m_database);
    return url.toString();
}

RemoteServer::Target RemoteTestServer::target(int empresa) const {
    return *RemoteServer::parse(uri(empresa));
}

void RemoteTestServer::runAdmin(const QString& database, const QString& sql) const {
    const ConnectionSpec admin = server();
    const QString name = QStringLiteral("remote-admin-") + QUuid::createUuid().toString();
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(admin.host);
        db.setPort(admin.port);
        db.setUserName(admin.user);
        db.setPassword(admin.password);
        db.setDatabaseName(database);
        if (!db.open())
            error = db.lastError().text();
        else if (QSqlQuery query(db); !query.exec(sql))
            error = query.lastError().text();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    if (!error.isEmpty())
        throw std::runtime_error((sql.left(200) + QStringLiteral(": ") + error).toStdString());
}

QVariant RemoteTestServer::scalar(const QString& sql, const QVariantList& binds) const {
    ConnectionSpec admin = server();
    admin.databaseName = m_database;
    RemoteServer::Target owner;
    owner.postgres = admin;
    const auto db = RemoteServer::open(owner);
    return db->scalar(sql, binds);
}

void RemoteTestServer::exec(const QString& sql) const {
    runAdmin(m_database, sql);
}

void RemoteTestServer::terminateSessions(int empresa) const {
    runAdmin(m_database, QStringLiteral("SELECT pg_terminate_backend(pid) FROM pg_stat_activity "
                                        "WHERE usename = '%1'")
                             .arg(login(empresa)));
}
