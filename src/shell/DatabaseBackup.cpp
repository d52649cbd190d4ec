#include "shell/DatabaseBackup.h"

#include "config/AppHome.h"
#include "config/DatabaseLocation.h"
#include "data/Connections.h"
#include "data/Database.h"
#include "data/DbError.h"
#include "data/Schema.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <filesystem>
#include <optional>
#include <sqlite3.h>
#include <system_error>

namespace {

constexpr int kPagesPerStep = 256;
constexpr int kLockWaitMs = 5000;
constexpr int kLockRetryMs = 50;

// The tables every version of the program has had; a file without them is something else.
const char* const kBriskoTables =
    "'tb_pedido','tb_item','tb_cliente','tb_produto','tb_categoria','tb_usuario',"
    "'brisko_schema_version'";
constexpr int kBriskoTableCount = 7;

QString nothingChanged(const QString& why) {
    return why + QStringLiteral(" Nada foi alterado.");
}

[[noreturn]] void fail(const QString& description, int number = DbError::kGeneric) {
    throw DbError(number, description);
}

void refuseServer(ConnectionSpec::Engine engine) {
    if (engine != ConnectionSpec::Engine::Sqlite)
        fail(DatabaseBackup::serverBackupMessage());
}

[[noreturn]] void failSqlite(int rc, const QString& what) {
    const int primary = rc & 0xff;
    const bool inUse = primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
    fail(QStringLiteral("%1: %2").arg(what, QString::fromUtf8(sqlite3_errstr(rc))),
         inUse ? DbError::kInUse : rc);
}

// An sqlite3 connection of our own, closed on every way out.
class SqliteHandle {
public:
    SqliteHandle(const QString& file, int flags) {
        const int rc = sqlite3_open_v2(file.toUtf8().constData(), &m_handle, flags, nullptr);
        if (rc != SQLITE_OK) {
            sqlite3_close_v2(m_handle);
            failSqlite(rc, QStringLiteral("Não foi possível abrir %1").arg(file));
        }
    }
    ~SqliteHandle() { sqlite3_close_v2(m_handle); }
    SqliteHandle(const SqliteHandle&) = delete;
    SqliteHandle& operator=(const SqliteHandle&) = delete;

    sqlite3* get() const { return m_handle; }

    // The first column of the first row of a statement without parameters.
    std::optional<int> scalar(const char* sql) const {
        sqlite3_stmt* statement = nullptr;
        std::optional<int> value;
        if (sqlite3_prepare_v2(m_handle, sql, -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW)
            value = sqlite3_column_int(statement, 0);
        sqlite3_finalize(statement);
        return value;
    }

private:
    sqlite3* m_handle = nullptr;
};

QString sidecar(const QString& file, const char* suffix) {
    return file + QLatin1String(suffix);
}

// Journal files left beside a database belong to whatever file had that name before; SQLite
// would replay them into the new one.
void removeSidecars(const QString& file) {
    for (const char* suffix : {"-wal", "-shm", "-journal"})
        QFile::remove(sidecar(file, suffix));
}

// Replaces `to` in one step (std::filesystem::rename replaces an existing file on every
// platform, unlike QFile::rename).
bool replaceFile(const QString& from, const QString& to) {
    std::error_code error;
    std::filesystem::rename(std::filesystem::path(from.toStdU16String()),
                            std::filesystem::path(to.toStdU16String()), error);
    return !error;
}

// A file written beside its final place and renamed over it when complete, so a failure never
// leaves a partial file under the final name.
class StagedFile {
public:
    explicit StagedFile(const QString& finalPath) : m_finalPath(finalPath) {
        const QFileInfo info(finalPath);
        QTemporaryFile file(info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                            QStringLiteral(".XXXXXX"));
        file.setAutoRemove(false);
        if (!file.open())
            fail(QStringLiteral("Não foi possível gravar na pasta %1: %2")
                     .arg(QDir::toNativeSeparators(info.absolutePath()), file.errorString()));
        m_path = file.fileName();
    }
    ~StagedFile() {
        if (!m_placed)
            QFile::remove(m_path);
    }
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    const QString& path() const { return m_path; }

    void place() {
        removeSidecars(m_finalPath);
        if (!replaceFile(m_path, m_finalPath))
            fail(QStringLiteral("Não foi possível gravar o arquivo %1.")
                     .arg(QDir::toNativeSeparators(m_finalPath)));
        m_placed = true;
    }

private:
    QString m_finalPath;
    QString m_path;
    bool m_placed = false;
};

// Page by page through SQLite's online backup: every step reads one committed state, and a
// change made by another connection between steps starts the copy again, so the result is
// always one consistent database.
void backupInto(sqlite3* source, const QString& file, const DatabaseBackup::Progress& progress) {
    SqliteHandle destination(file, SQLITE_OPEN_READWRITE);
    sqlite3_backup* backup = sqlite3_backup_init(destination.get(), "main", source, "main");
    if (!backup)
        failSqlite(sqlite3_errcode(destination.get()),
                   QStringLiteral("Não foi possível copiar o banco de dados"));
    QElapsedTimer waiting;
    int rc = SQLITE_OK;
    for (;;) {
        rc = sqlite3_backup_step(backup, kPagesPerStep);
        if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
            if (!waiting.isValid())
                waiting.start();
            if (waiting.elapsed() >= kLockWaitMs)
                break;
            sqlite3_sleep(kLockRetryMs);
            continue;
        }
        waiting.invalidate();
        if (progress) {
            const int total = sqlite3_backup_pagecount(backup);
            progress(total - sqlite3_backup_remaining(backup), total);
        }
        if (rc != SQLITE_OK)
            break;
    }
    const int finished = sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE)
        failSqlite(rc, QStringLiteral("Não foi possível copiar o banco de dados"));
    if (finished != SQLITE_OK)
        failSqlite(finished, QStringLiteral("Não foi possível copiar o banco de dados"));
    // A copy carried on a removable disk should be one self-contained file.
    const int journal =
        sqlite3_exec(destination.get(), "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
    if (journal != SQLITE_OK)
        failSqlite(journal, QStringLiteral("Não foi possível concluir a cópia"));
}

// The schema version of a file holding the program's tables; nothing for any other file.
std::optional<int> briskoSchemaVersion(const QString& file) {
    QFile probe(file);
    if (!QFileInfo(file).isFile() || !probe.open(QIODevice::ReadOnly))
        return std::nullopt;
    // Only an SQLite file gets as far as the library.
    if (probe.read(16) != QByteArray("SQLite format 3\0", 16))
        return std::nullopt;
    probe.close();
    try {
        const SqliteHandle handle(file, SQLITE_OPEN_READONLY);
        const QByteArray countTables =
            QByteArray("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND "
                       "lower(name) IN (") +
            kBriskoTables + ")";
        if (handle.scalar(countTables.constData()) != kBriskoTableCount)
            return std::nullopt;
        return handle.scalar("SELECT coalesce(MAX(version), 0) FROM brisko_schema_version");
    } catch (const DbError&) {
        return std::nullopt;
    }
}

QString uniqueSideCopyPath(const QString& liveFile) {
    const QString base = liveFile + QStringLiteral(".antes-restauracao-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString path = base;
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = base + QStringLiteral("-%1").arg(n);
    return path;
}

bool sameFile(const QString& a, const QString& b) {
    const QString canonicalA = QFileInfo(a).canonicalFilePath();
    return !canonicalA.isEmpty() && canonicalA == QFileInfo(b).canonicalFilePath();
}

void reopenQuietly(Connections& connections) noexcept {
    try {
        connections.db();
    } catch (const DbError&) {
        // The caller reports the failure that brought it here.
    }
}

} // namespace

QString DatabaseBackup::serverBackupMessage() {
    return QStringLiteral("O banco de dados está num servidor PostgreSQL: a cópia de segurança "
                          "e a restauração são feitas pelo backup do próprio servidor.");
}

void DatabaseBackup::copyTo(Database& db, const QString& destinationFile) {
    copyTo(db, destinationFile, {});
}

void DatabaseBackup::copyTo(Database& db, const QString& destinationFile,
                            const Progress& progress) {
    refuseServer(db.engine());
    const QFileInfo destination(destinationFile);
    if (!QDir().mkpath(destination.absolutePath()))
        fail(QStringLiteral("Não foi possível criar a pasta %1.")
                 .arg(QDir::toNativeSeparators(destination.absolutePath())));
    StagedFile staged(destination.absoluteFilePath());
    backupInto(db.sqliteHandle(), staged.path(), progress);
    staged.place();
}

void DatabaseBackup::exitCopy(Database& db) {
    copyTo(db, AppHome::backupFolder() + DatabaseLocation::kFileName);
}

bool DatabaseBackup::isBriskoDatabase(const QString& file) {
    return briskoSchemaVersion(file).has_value();
}

QString DatabaseBackup::restore(Connections& connections, const QString& sourceFile) {
    refuseServer(connections.spec().engine);
    const QString shown = QDir::toNativeSeparators(sourceFile);
    const std::optional<int> version = briskoSchemaVersion(sourceFile);
    if (!version)
        fail(nothingChanged(
            QStringLiteral("O arquivo %1 não é um backup do banco de dados do Brisko.")
                .arg(shown)));
    if (*version > Schema::kVersion)
        fail(nothingChanged(
            QStringLiteral("O backup %1 foi feito por uma versão mais nova do Brisko.")
                .arg(shown)));
    const QString live = QFileInfo(connections.spec().sqliteFile).absoluteFilePath();
    if (sameFile(sourceFile, live))
        fail(nothingChanged(
            QStringLiteral("O arquivo %1 é o próprio banco de dados em uso.").arg(shown)));

    // Read through SQLite, so that changes still in the backup's journal come along.
    StagedFile staged(live);
    {
        const SqliteHandle source(sourceFile, SQLITE_OPEN_READONLY);
        backupInto(source.get(), staged.path(), {});
    }

    // Opened and closed once, SQLite folds a journal left by a crash into the file and removes
    // it; one still there afterwards belongs to another workstation that has the database open.
    reopenQuietly(connections);
    connections.close();
    if (QFileInfo::exists(sidecar(live, "-wal"))) {
        reopenQuietly(connections);
        fail(nothingChanged(QStringLiteral("O banco de dados está aberto em outra estação: feche "
                                           "o Brisko nas outras estações e tente de novo.")),
             DbError::kInUse);
    }
    QString sideCopy;
    if (QFileInfo::exists(live)) {
        sideCopy = uniqueSideCopyPath(live);
        if (!replaceFile(live, sideCopy)) {
            reopenQuietly(connections);
            fail(nothingChanged(QStringLiteral("Não foi possível guardar o banco de dados atual "
                                               "em %1.")
                                    .arg(QDir::toNativeSeparators(sideCopy))));
        }
    }
    try {
        staged.place();
        connections.db();
    } catch (const DbError&) {
        connections.close();
        if (!sideCopy.isEmpty() && replaceFile(sideCopy, live))
            removeSidecars(live);
        reopenQuietly(connections);
        throw;
    }
    return sideCopy;
}
