#include "shell/RemoteServer.h"

#include "data/DbError.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

namespace {

// The value of one key of an ODBC connection string ("PWD={a;b}" or "PWD=ab"), or nothing.
QString odbcValue(const QString& connection, const QString& key) {
    const QRegularExpression pattern(
        QStringLiteral("(?:^|;)\\s*%1\\s*=\\s*(\\{(?:[^}]|\\}\\})*\\}|[^;]*)").arg(key),
        QRegularExpression::CaseInsensitiveOption);
    const auto match = pattern.match(connection);
    if (!match.hasMatch())
        return {};
    QString value = match.captured(1).trimmed();
    if (value.startsWith(QLatin1Char('{')) && value.endsWith(QLatin1Char('}')))
        value = value.mid(1, value.size() - 2).replace(QStringLiteral("}}"), QStringLiteral("}"));
    return value;
}

bool isOdbc(const QString& key) {
    static const QRegularExpression names(QStringLiteral("(?:^|;)\\s*(DRIVER|DSN)\\s*="),
                                          QRegularExpression::CaseInsensitiveOption);
    return names.match(key).hasMatch();
}

} // namespace

QString RemoteServer::Target::describe() const {
    if (kind == Kind::Postgres)
        return postgres.describe();
    QString shown = odbc;
    static const QRegularExpression secret(
        QStringLiteral("((?:^|;)\\s*PWD\\s*=\\s*)(\\{(?:[^}]|\\}\\})*\\}|[^;]*)"),
        QRegularExpression::CaseInsensitiveOption);
    shown.replace(secret, QStringLiteral("\\1***"));
    return QStringLiteral("SQL Server (%1)").arg(shown);
}

QString RemoteServer::Target::scrub(const QString& text) const {
    QString clean = text;
    if (password.size() >= 2)
        clean.replace(password, QStringLiteral("***"));
    return clean;
}

std::optional<RemoteServer::Target> RemoteServer::parse(const QString& key) {
    const QString text = key.trimmed();
    Target target;
    if (const auto pg = ConnectionSpec::fromPostgresUri(text)) {
        target.kind = Kind::Postgres;
        target.postgres = *pg;
        target.password = pg->password;
        return target;
    }
    if (!isOdbc(text))
        return std::nullopt;
    target.kind = Kind::SqlServer;
    target.odbc = text;
    target.password = odbcValue(text, QStringLiteral("PWD"));
    return target;
}

RemoteServer::RemoteServer(const Target& target)
    : m_target(target),
      m_name(QStringLiteral("remote-") + QUuid::createUuid().toString(QUuid::WithoutBraces)) {}

RemoteServer::~RemoteServer() {
    if (m_inTransaction)
        rollback();
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
}

std::unique_ptr<RemoteServer> RemoteServer::open(const Target& target) {
    std::unique_ptr<RemoteServer> server(new RemoteServer(target));
    QSqlDatabase& db = server->m_db;
    if (target.kind == Kind::Postgres) {
        const ConnectionSpec& pg = target.postgres;
        db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), server->m_name);
        db.setHostName(pg.host);
        db.setPort(pg.port);
        db.setUserName(pg.user);
        db.setPassword(pg.password);
        db.setDatabaseName(pg.databaseName);
        // A server that vanishes mid-run is noticed by the keepalives instead of hanging.
        QStringList options{QStringLiteral("connect_timeout=%1").arg(kTimeoutSeconds),
                            QStringLiteral("keepalives=1"), QStringLiteral("keepalives_idle=30"),
                            QStringLiteral("keepalives_interval=10"),
                            QStringLiteral("keepalives_count=3")};
        if (!pg.connectOptions.isEmpty())
            options.prepend(pg.connectOptions);
        db.setConnectOptions(options.join(QLatin1Char(';')));
    } else {
        db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), server->m_name);
        db.setDatabaseName(target.odbc);
        db.setConnectOptions(QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=%1").arg(kTimeoutSeconds));
    }
    if (!db.isValid())
        throw DbError(DbError::kGeneric,
                      QStringLiteral("Driver do servidor remoto indisponível: %1")
                          .arg(target.kind == Kind::Postgres ? QStringLiteral("QPSQL")
                                                             : QStringLiteral("QODBC")),
                      kSource);
    if (!db.open()) {
        const QSqlError error = db.lastError();
        const QString why =
            error.databaseText().isEmpty() ? error.driverText() : error.databaseText();
        throw DbError(DbError::kGeneric,
                      target.scrub(QStringLiteral("Não foi possível conectar ao servidor remoto "
                                                  "%1: %2")
                                       .arg(target.describe(), why.trimmed())),
                      kSource);
    }
    return server;
}

void RemoteServer::fail(const QSqlError& error) const {
    const QString why = error.databaseText().isEmpty() ? error.driverText() : error.databaseText();
    bool numeric = false;
    const int number = error.nativeErrorCode().toInt(&numeric);
    throw DbError(numeric ? number : DbError::kGeneric, m_target.scrub(why.trimmed()), kSource);
}

void RemoteServer::fail(const QSqlQuery& query) {
    if (m_inTransaction)
        m_parked.append(query);
    fail(query.lastError());
}

int RemoteServer::exec(const QString& sql, const QVariantList& binds) {
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    if (binds.isEmpty()) {
        if (!query.exec(sql))
            fail(query);
        return query.numRowsAffected();
    }
    if (!query.prepare(sql))
        fail(query);
    for (qsizetype i = 0; i < binds.size(); ++i)
        query.bindValue(int(i), binds.at(i));
    if (!query.exec())
        fail(query);
    return query.numRowsAffected();
}

QVariant RemoteServer::scalar(const QString& sql, const QVariantList& binds) {
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        fail(query);
    for (qsizetype i = 0; i < binds.size(); ++i)
        query.bindValue(int(i), binds.at(i));
    if (!query.exec())
        fail(query);
    return query.next() ? query.value(0) : QVariant();
}

void RemoteServer::begin() {
    if (!m_db.transaction())
        fail(m_db.lastError());
    m_inTransaction = true;
}

void RemoteServer::commit() {
    if (!m_db.commit())
        fail(m_db.lastError());
    m_inTransaction = false;
    m_parked.clear();
}

void RemoteServer::rollback() noexcept {
    m_db.rollback();
    m_inTransaction = false;
    m_parked.clear();
}
