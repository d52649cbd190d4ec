#include "data/Database.h"

#include "data/Schema.h"
#include "data/TextMatch.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QUuid>
#include <sqlite3.h>
#include <stdexcept>

namespace {

const QString kSqliteSource = QStringLiteral("SQLite");
const QString kPostgresSource = QStringLiteral("PostgreSQL");
constexpr int kLockWaitMs = 5000;
// A server that takes the connection and never answers would otherwise hold the login.
constexpr int kConnectTimeoutSeconds = 5;

// The libpq time-out the options name, or the program's own appended to them.
int connectTimeout(QString& options) {
    for (const QString& option : options.split(u';', Qt::SkipEmptyParts)) {
        const QString name = option.section(u'=', 0, 0).trimmed();
        if (name == QLatin1String("connect_timeout")) {
            bool ok = false;
            const int seconds = option.section(u'=', 1).trimmed().toInt(&ok);
            return ok ? seconds : kConnectTimeoutSeconds;
        }
    }
    options += QLatin1String(options.isEmpty() ? "" : ";") +
               QStringLiteral("connect_timeout=%1").arg(kConnectTimeoutSeconds);
    return kConnectTimeoutSeconds;
}

// Beyond this many kept statements further ones run unkept: the texts a program runs again
// are few, and a leak of generated texts must not grow the server's memory.
constexpr std::size_t kMaxKept = 64;

template <QString (*fold)(const QString&)>
void sqliteFold(sqlite3_context* context, int, sqlite3_value** arguments) {
    sqlite3_value* value = arguments[0];
    if (sqlite3_value_type(value) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
    const int size = sqlite3_value_bytes(value);
    const QByteArray folded = fold(QString::fromUtf8(text, size)).toUtf8();
    sqlite3_result_text(context, folded.constData(), int(folded.size()), SQLITE_TRANSIENT);
}

bool isPostgresLockState(const QString& sqlState) {
    return sqlState == QLatin1String("55P03") || sqlState == QLatin1String("40P01") ||
           sqlState == QLatin1String("40001");
}

} // namespace

Database::Database(const ConnectionSpec& spec, const QString& connectionName)
    : m_spec(spec), m_name(connectionName) {}

Database::~Database() {
    if (m_inTransaction)
        rollback();
    m_parked.clear();
    // Released while the connection is open: a prepared statement outliving it would be
    // deallocated on a closed connection.
    m_kept.clear();
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
}

std::unique_ptr<Database> Database::open(const ConnectionSpec& spec, OpenMode mode) {
    // The constructor is private; the pointer owns the object from the first moment.
    std::unique_ptr<Database> db(new Database(
        spec, QStringLiteral("brisko-") + QUuid::createUuid().toString(QUuid::WithoutBraces)));
    db->connect(mode);
    if (spec.engine == Engine::Sqlite)
        db->tuneSqlite();
    else
        db->tunePostgres();
    Schema::ensure(*db);
    return db;
}

QString Database::sourceName() const {
    return engine() == Engine::Sqlite ? kSqliteSource : kPostgresSource;
}

void Database::connect(OpenMode mode) {
    int timeoutSeconds = 0;
    if (engine() == Engine::Sqlite) {
        // SQLite would quietly create an empty file where the real one was expected.
        if (mode == OpenMode::ExistingOnly && !QFileInfo(m_spec.sqliteFile).isFile())
            throw DbError(DbError::kGeneric,
                          QStringLiteral("Arquivo de banco de dados não encontrado: %1")
                              .arg(m_spec.sqliteFile),
                          kSqliteSource);
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        m_db.setDatabaseName(m_spec.sqliteFile);
        m_db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kLockWaitMs));
    } else {
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_name);
        m_db.setHostName(m_spec.host);
        m_db.setPort(m_spec.port);
        m_db.setUserName(m_spec.user);
        m_db.setPassword(m_spec.password);
        m_db.setDatabaseName(m_spec.databaseName);
        QString options = m_spec.connectOptions;
        timeoutSeconds = connectTimeout(options);
        m_db.setConnectOptions(options);
    }
    if (!m_db.isValid())
        throw DbError(
            DbError::kGeneric,
            QStringLiteral("Driver de banco de dados indisponível: %1").arg(m_db.driverName()),
            sourceName());
    QElapsedTimer clock;
    clock.start();
    if (m_db.open())
        return;
    // libpq words its time-out in English and only in its message; the clock tells it too.
    const QSqlError error = m_db.lastError();
    if (timeoutSeconds > 0 && (error.text().contains(QLatin1String("timeout expired")) ||
                               clock.elapsed() >= timeoutSeconds * 1000 - 250))
        throw DbError(DbError::kGeneric,
                      QStringLiteral("O servidor de banco de dados %1:%2 não respondeu em %3 "
                                     "segundos. Verifique se ele está ligado e acessível pela "
                                     "rede.")
                          .arg(m_spec.host.isEmpty() ? QStringLiteral("localhost") : m_spec.host)
                          .arg(m_spec.port)
                          .arg(timeoutSeconds),
                      kPostgresSource);
    throw toDbError(engine(), error);
}

sqlite3* Database::sqliteHandle() const {
    const QVariant handle = m_db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        throw DbError(DbError::kGeneric, QStringLiteral("Conexão SQLite sem handle nativo"),
                      kSqliteSource);
    return *static_cast<sqlite3* const*>(handle.constData());
}

void Database::tuneSqlite() {
    sqlite3* native = sqliteHandle();
    // Deterministic, so that SQLite accepts it in index expressions.
    const auto install = [native](const char* name, auto function) {
        const int rc = sqlite3_create_function_v2(
            native, name, 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS, nullptr,
            function, nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK)
            throw DbError(rc, QString::fromUtf8(sqlite3_errmsg(native)), kSqliteSource);
    };
    install("brisko_fold", &sqliteFold<&textMatch::foldText>);
    install("brisko_search", &sqliteFold<&textMatch::searchText>);
    exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    exec(QStringLiteral("PRAGMA synchronous=FULL"));
}

void Database::tunePostgres() {
    exec(QStringLiteral("SET lock_timeout = '%1ms'").arg(kLockWaitMs));
    // "already exists, skipping" notices would reach stderr on every start.
    exec(QStringLiteral("SET client_min_messages = warning"));
}

QSqlQuery Database::exec(const QString& sql, const QVariantList& binds) {
    QSqlQuery query(m_db);
    if (binds.isEmpty()) {
        if (!query.exec(sql))
            fail(query);
        return query;
    }
    if (!query.prepare(sql))
        fail(query);
    execPrepared(query, binds);
    return query;
}

QVariant Database::scalar(const QString& sql, const QVariantList& binds) {
    QSqlQuery query = exec(sql, binds);
    QVariant value;
    if (query.next())
        value = query.value(0);
    else if (query.lastError().type() != QSqlError::NoError)
        fail(query);
    query.finish();
    return value;
}

QSqlQuery Database::prepare(const QString& sql) {
    QSqlQuery query(m_db);
    if (!query.prepare(sql))
        fail(query);
    return query;
}

void Database::execPrepared(QSqlQuery& query, const QVariantList& binds) {
    for (qsizetype i = 0; i < binds.size(); ++i)
        query.bindValue(int(i), binds.at(i));
    if (!query.exec())
        fail(query);
}

void Database::execKept(const QString& sql, const QVariantList& binds, const RowReader& row) {
    const auto read = [&](QSqlQuery& query) {
        while (query.next())
            row(query);
        if (query.lastError().type() != QSqlError::NoError)
            fail(query);
        query.finish();
    };
    auto kept = m_kept.find(sql);
    if (kept == m_kept.end() && m_kept.size() < kMaxKept)
        kept = m_kept.emplace(sql, Kept{prepare(sql)}).first;
    if (kept == m_kept.end() || kept->second.busy) {
        QSqlQuery query = exec(sql, binds);
        read(query);
        return;
    }
    kept->second.busy = true;
    try {
        execPrepared(kept->second.query, binds);
        read(kept->second.query);
    } catch (...) {
        // Prepared again on the next run: the failure may have been the connection's.
        m_kept.erase(kept);
        throw;
    }
    kept->second.busy = false;
}

QVariant Database::scalarKept(const QString& sql, const QVariantList& binds) {
    QVariant value;
    execKept(sql, binds, [&value](const QSqlQuery& query) {
        if (!value.isValid())
            value = query.value(0);
    });
    return value;
}

DbError Database::toDbError(Engine engine, const QSqlError& error) {
    const QString code = error.nativeErrorCode();
    const QString description =
        error.databaseText().isEmpty() ? error.driverText() : error.databaseText();
    bool numeric = false;
    const int number = code.toInt(&numeric);
    if (engine == Engine::Sqlite) {
        // Extended result codes carry the primary code in their low byte.
        const int primary = number & 0xff;
        if (numeric && (primary == SQLITE_BUSY || primary == SQLITE_LOCKED))
            return DbError(DbError::kInUse, description, kSqliteSource);
        return DbError(numeric ? number : DbError::kGeneric, description, kSqliteSource);
    }
    if (isPostgresLockState(code))
        return DbError(DbError::kInUse, description, kPostgresSource);
    return DbError(numeric ? number : DbError::kGeneric, description, kPostgresSource);
}

void Database::fail(const QSqlError& error) {
    if (m_inTransaction)
        m_transactionFailed = true;
    throw toDbError(engine(), error);
}

void Database::fail(const QSqlQuery& query) {
    if (m_inTransaction && engine() == Engine::Postgres)
        m_parked.append(query);
    fail(query.lastError());
}

QVariant Database::dateValue(const QDate& date) {
    // QSQLITE binds a QDate as its ISO text; QPSQL as a date literal.
    return date.isValid() ? QVariant(date) : QVariant(QMetaType::fromType<QDate>());
}

QDate Database::dateFrom(const QVariant& value) {
    if (value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::QDate:
        return value.toDate();
    case QMetaType::QDateTime:
        return value.toDateTime().date();
    default:
        return QDate::fromString(value.toString().left(10), Qt::ISODate);
    }
}

void Database::begin() {
    if (m_inTransaction)
        throw std::logic_error("transactions do not nest");
    // IMMEDIATE takes SQLite's write lock now, so waiting for another writer happens here,
    // under the busy timeout, instead of failing half way through.
    exec(engine() == Engine::Sqlite ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN"));
    m_inTransaction = true;
    m_transactionFailed = false;
}

void Database::commit() {
    // SQLite would commit the statements that did succeed, PostgreSQL silently none: a unit
    // of work with a failed statement is never committed on either.
    if (m_transactionFailed) {
        rollback();
        throw DbError(DbError::kGeneric,
                      QStringLiteral("A transação foi desfeita por um erro anterior."),
                      sourceName());
    }
    exec(QStringLiteral("COMMIT"));
    m_inTransaction = false;
}

void Database::rollback() noexcept {
    QSqlQuery query(m_db);
    query.exec(QStringLiteral("ROLLBACK"));
    m_inTransaction = false;
    m_transactionFailed = false;
    m_parked.clear();
}
