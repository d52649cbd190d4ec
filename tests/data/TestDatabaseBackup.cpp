#include "data/Connections.h"
#include "data/Database.h"
#include "data/Transaction.h"
#include "shell/DatabaseBackup.h"
#include "support/TestDatabase.h"

#include <QCryptographicHash>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

namespace {

bool onSqlite() {
    return TestDatabase::engineFromEnvironment() == ConnectionSpec::Engine::Sqlite;
}

void insertOrder(Database& db, int number) {
    db.exec(QStringLiteral("INSERT INTO TB_Pedido (ped_ono) VALUES (?)"), {number});
}

int count(Database& db, const char* table = "TB_Pedido") {
    return db.scalar(QStringLiteral("SELECT count(*) FROM ") + QLatin1String(table)).toInt();
}

int ordersIn(const QString& file) {
    return count(*Database::open(ConnectionSpec::sqlite(file), Database::OpenMode::ExistingOnly));
}

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

QByteArray contents(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void runOn(const QString& file, const QString& sql) {
    {
        QSqlDatabase raw = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), file);
        raw.setDatabaseName(file);
        QVERIFY(raw.open() && QSqlQuery(raw).exec(sql));
    }
    QSqlDatabase::removeDatabase(file);
}

// A file of the given kind in `folder`: a good copy of `db`, or one of the files that are not.
QString makeFile(const QString& kind, const QString& folder, Database& db) {
    const QString file = folder + QStringLiteral("/Delivery.db");
    QFile f(file);
    if (kind == QLatin1String("text") && f.open(QIODevice::WriteOnly))
        f.write("não é um banco\r\n");
    else if (kind == QLatin1String("foreign"))
        runOn(file, QStringLiteral("CREATE TABLE TB_Pedido (x INTEGER)"));
    else if (kind == QLatin1String("copy") || kind == QLatin1String("newer"))
        DatabaseBackup::copyTo(db, file);
    if (kind == QLatin1String("newer"))
        runOn(file, QStringLiteral("UPDATE brisko_schema_version SET version = 99"));
    return file;
}

// The description of the DbError `action` throws; empty when it throws none.
QString refusal(const std::function<void()>& action) {
    try {
        action();
    } catch (const DbError& e) {
        return e.description();
    }
    return {};
}

} // namespace

class DatabaseBackupTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        if (!onSqlite() && QTest::currentTestFunction() != QLatin1String("serverDatabaseIsRefused"))
            QSKIP("an SQLite file only");
    }
    void copyHoldsOneCommittedState();
    void exitCopyMakesItsFolderAndReplacesTheLastCopy();
    void unwritableDestinationLeavesNoFile_data();
    void unwritableDestinationLeavesNoFile();
    void recognisesOnlyBriskoDatabases_data();
    void recognisesOnlyBriskoDatabases();
    void restoreReplacesDataAndKeepsSideCopy();
    void restoreRefusalChangesNothing_data();
    void restoreRefusalChangesNothing();
    void serverDatabaseIsRefused();
};

void DatabaseBackupTest::copyHoldsOneCommittedState() {
    TestDatabase fixture;
    auto db = fixture.create();
    {
        Transaction bulk(*db);
        for (int i = 0; i < 20000; ++i) // several copy steps
            db->exec(QStringLiteral("INSERT INTO TB_Item (ite_Ono, ite_Nome) VALUES (?, ?)"),
                     {i, QString(100, QLatin1Char('x'))});
        bulk.commit();
    }
    // Another workstation finalises an order half way through the copy, then starts one more
    // and is still writing it when the copy ends.
    auto writer = fixture.openAnother();
    std::optional<Transaction> writing(std::in_place, *writer);
    insertOrder(*writer, 1);
    QTemporaryDir target;
    const QString copy = target.filePath(QStringLiteral("Delivery.db"));
    int steps = 0;
    DatabaseBackup::copyTo(*db, copy, [&](int done, int total) {
        QVERIFY(done <= total);
        if (++steps == 1) {
            writing->commit();
            writing.emplace(*writer);
            insertOrder(*writer, 99);
        }
    });
    QVERIFY2(steps > 2, "the copy should take several steps");
    QCOMPARE(entries(target.path()), QStringList{QStringLiteral("Delivery.db")});

    auto copied = Database::open(ConnectionSpec::sqlite(copy), Database::OpenMode::ExistingOnly);
    QCOMPARE(copied->scalar(QStringLiteral("PRAGMA integrity_check")).toString(), "ok");
    QCOMPARE(count(*copied), 1);
    QCOMPARE(count(*copied, "TB_Item"), 20000);
    QVERIFY(DatabaseBackup::isBriskoDatabase(copy));
}

void DatabaseBackupTest::exitCopyMakesItsFolderAndReplacesTheLastCopy() {
    QTemporaryDir home;
    const QByteArray savedHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    TestDatabase fixture;
    auto db = fixture.create();
    const QString copy = home.filePath(QStringLiteral("Brisko Backup/Delivery.db"));
    insertOrder(*db, 1);
    DatabaseBackup::exitCopy(*db);
    const int first = ordersIn(copy);
    insertOrder(*db, 2);
    DatabaseBackup::exitCopy(*db);
    qputenv("HOME", savedHome);
    QCOMPARE(first, 1);
    QCOMPARE(ordersIn(copy), 2);
}

void DatabaseBackupTest::unwritableDestinationLeavesNoFile_data() {
    QTest::addColumn<QString>("destination");
    QTest::addColumn<QString>("inspected"); // the folder that must stay as it was
    // Permissions do not stop root; these fail whoever runs them.
    QTest::newRow("folder under a file") << "plain.txt/backup/Delivery.db"
                                         << ".";
    QTest::newRow("a folder in the file's place") << "taken/Delivery.db"
                                                  << "taken";
}

void DatabaseBackupTest::unwritableDestinationLeavesNoFile() {
    QFETCH(QString, destination);
    QFETCH(QString, inspected);
    TestDatabase fixture;
    auto db = fixture.create();
    QTemporaryDir target;
    QFile(target.filePath(QStringLiteral("plain.txt"))).open(QIODevice::WriteOnly);
    QVERIFY(QDir(target.path()).mkpath(QStringLiteral("taken/Delivery.db/inside")));
    const QStringList before = entries(target.filePath(inspected));
    QVERIFY(!refusal([&] { DatabaseBackup::copyTo(*db, target.filePath(destination)); }).isEmpty());
    QCOMPARE(entries(target.filePath(inspected)), before);
}

void DatabaseBackupTest::recognisesOnlyBriskoDatabases_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("expected");
    QTest::newRow("copy of the program's database") << "copy" << true;
    QTest::newRow("text file") << "text" << false;
    QTest::newRow("other SQLite database") << "foreign" << false;
    QTest::newRow("missing file") << "missing" << false;
}

void DatabaseBackupTest::recognisesOnlyBriskoDatabases() {
    QFETCH(QString, kind);
    QFETCH(bool, expected);
    TestDatabase fixture;
    auto db = fixture.create();
    QTemporaryDir folder;
    const QString file = makeFile(kind, folder.path(), *db);
    const QByteArray before = contents(file);
    QCOMPARE(DatabaseBackup::isBriskoDatabase(file), expected);
    QCOMPARE(contents(file), before);
    QCOMPARE(entries(folder.path()).size(), kind == QLatin1String("missing") ? 0 : 1);
}

void DatabaseBackupTest::restoreReplacesDataAndKeepsSideCopy() {
    TestDatabase fixture;
    fixture.create();
    Connections connections(fixture.spec());
    insertOrder(connections.db(), 1);
    QTemporaryDir target;
    const QString backup = makeFile(QStringLiteral("copy"), target.path(), connections.db());
    insertOrder(connections.db(), 2);

    const QString sideCopy = DatabaseBackup::restore(connections, backup);

    QCOMPARE(count(connections.db()), 1);
    insertOrder(connections.db(), 3);
    QCOMPARE(count(connections.db()), 2);
    QCOMPARE(QFileInfo(sideCopy).dir(), QFileInfo(fixture.spec().sqliteFile).dir());
    QVERIFY(QFileInfo(sideCopy).fileName().startsWith("Delivery.db.antes-restauracao-"));
    QCOMPARE(ordersIn(sideCopy), 2);
}

void DatabaseBackupTest::restoreRefusalChangesNothing_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("text file") << "text"
                               << "não é um backup";
    QTest::newRow("other SQLite database") << "foreign"
                                           << "não é um backup";
    QTest::newRow("missing file") << "missing"
                                  << "não é um backup";
    QTest::newRow("made by a newer program") << "newer"
                                             << "versão mais nova";
    QTest::newRow("the live database itself") << "live"
                                              << "próprio banco de dados em uso";
    QTest::newRow("open at another workstation") << "copy"
                                                 << "aberto em outra estação";
}

void DatabaseBackupTest::restoreRefusalChangesNothing() {
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    TestDatabase fixture;
    fixture.create();
    Connections connections(fixture.spec());
    insertOrder(connections.db(), 1);
    QTemporaryDir folder;
    const QString file = kind == QLatin1String("live")
                             ? fixture.spec().sqliteFile
                             : makeFile(kind, folder.path(), connections.db());
    insertOrder(connections.db(), 2);
    auto otherWorkstation = fixture.openAnother();
    const QString liveFolder = QFileInfo(fixture.spec().sqliteFile).absolutePath();
    const QStringList before = entries(liveFolder);

    const QString refused = refusal([&] { DatabaseBackup::restore(connections, file); });
    QVERIFY2(refused.contains(reason) && refused.endsWith(QStringLiteral("Nada foi alterado.")),
             qPrintable(refused));
    QCOMPARE(entries(liveFolder), before);
    QCOMPARE(count(connections.db()), 2);
    QCOMPARE(count(*otherWorkstation), 2);
}

void DatabaseBackupTest::serverDatabaseIsRefused() {
    if (onSqlite())
        QSKIP("a server database only");
    TestDatabase fixture;
    fixture.create();
    Connections connections(fixture.spec());
    QTemporaryDir folder;
    const QString sqliteBackup = folder.filePath(QStringLiteral("Delivery.db"));
    Database::open(ConnectionSpec::sqlite(sqliteBackup), Database::OpenMode::CreateIfMissing);

    const QString message = DatabaseBackup::serverBackupMessage();
    QVERIFY(message.contains(QStringLiteral("backup do próprio servidor")));
    QCOMPARE(refusal([&] {
                 DatabaseBackup::copyTo(connections.db(), folder.filePath("x/Delivery.db"));
             }),
             message);
    QCOMPARE(refusal([&] { DatabaseBackup::restore(connections, sqliteBackup); }), message);
    QCOMPARE(entries(folder.path()), QStringList{QStringLiteral("Delivery.db")});
    insertOrder(connections.db(), 1);
}

BRISKO_DB_TEST_MAIN(DatabaseBackupTest)
#include "TestDatabaseBackup.moc"
