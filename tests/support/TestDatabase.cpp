#include "TestDatabase.h"

#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QUuid>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace {

constexpr int kSkipCode = 77;

QString pgServerUri() {
    return qEnvironmentVariable("BRISKO_TEST_PG");
}

} // namespace

ConnectionSpec::Engine TestDatabase::engineFromEnvironment() {
    return qEnvironmentVariable("BRISKO_TEST_ENGINE")
                       .compare(QLatin1String("postgres"), Qt::CaseInsensitive) == 0
               ? ConnectionSpec::Engine::Postgres
               : ConnectionSpec::Engine::Sqlite;
}

void TestDatabase::skipIfUnavailable() {
    if (engineFromEnvironment() != ConnectionSpec::Engine::Postgres)
        return;
    if (pgServerUri().isEmpty()) {
        std::fputs("BRISKO_TEST_PG is not set: PostgreSQL tests skipped\n", stderr);
        std::exit(kSkipCode);
    }
    if (!ConnectionSpec::fromPostgresUri(pgServerUri())) {
        std::fputs("BRISKO_TEST_PG is not a postgresql:// URI\n", stderr);
        std::exit(1);
    }
}

TestDatabase::TestDatabase() {
    if (engineFromEnvironment() == ConnectionSpec::Engine::Sqlite) {
        if (!m_dir.isValid())
            throw std::runtime_error("no temporary folder");
        m_spec = ConnectionSpec::sqlite(m_dir.filePath(QStringLiteral("Delivery.db")));
        return;
    }
    const auto server = ConnectionSpec::fromPostgresUri(pgServerUri());
    if (!server)
        throw std::runtime_error("BRISKO_TEST_PG is not set or not a postgresql:// URI");
    m_server = *server;
    m_spec = m_server;
    m_spec.databaseName =
        QStringLiteral("brisko_t_%1")
            .arg(QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0'));
    runAdmin(QStringLiteral("CREATE DATABASE %1 ENCODING 'UTF8'").arg(m_spec.databaseName));
}

TestDatabase::~TestDatabase() {
    if (m_spec.engine != ConnectionSpec::Engine::Postgres)
        return;
    try {
        runAdmin(
            QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_spec.databaseName));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "could not drop %s: %s\n", qPrintable(m_spec.databaseName), e.what());
    }
}

void TestDatabase::runAdmin(const QString& sql) const {
    const QString name = QStringLiteral("admin-") + QUuid::createUuid().toString();
    QString error;
    {
        QSqlDatabase admin = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        admin.setHostName(m_server.host);
        admin.setPort(m_server.port);
        admin.setUserName(m_server.user);
        admin.setPassword(m_server.password);
        admin.setDatabaseName(m_server.databaseName);
        if (!admin.open()) {
            error = admin.lastError().text();
        } else {
            QSqlQuery query(admin);
            if (!query.exec(sql))
                error = query.lastError().text();
        }
        admin.close();
    }
    QSqlDatabase::removeDatabase(name);
    if (!error.isEmpty())
        throw std::runtime_error((sql + QStringLiteral(": ") + error).toStdString());
}

std::unique_ptr<Database> TestDatabase::create() {
    return Database::open(m_spec, Database::OpenMode::CreateIfMissing);
}

std::unique_ptr<Database> TestDatabase::openAnother() const {
    return Database::open(m_spec, Database::OpenMode::ExistingOnly);
}

QString TestDatabase::locator() const {
    if (m_spec.engine == ConnectionSpec::Engine::Sqlite)
        return QStringLiteral("sqlite:") + m_spec.sqliteFile;
    QUrl url;
    url.setScheme(QStringLiteral("postgresql"));
    url.setHost(m_spec.host);
    url.setPort(m_spec.port);
    url.setUserName(m_spec.user);
    url.setPassword(m_spec.password);
    url.setPath(QLatin1Char('/') + m_spec.databaseName);
    return url.toString();
}

ConnectionSpec TestDatabase::fromLocator(const QString& locator) {
    if (locator.startsWith(QLatin1String("sqlite:")))
        return ConnectionSpec::sqlite(locator.mid(7));
    const auto spec = ConnectionSpec::fromPostgresUri(locator);
    if (!spec)
        throw std::invalid_argument("bad locator " + locator.toStdString());
    return *spec;
}
