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

using namespace Qt::StringLiterals;

namespace {

bool onSqlite() {
    return TestDatabase::engineFromEnvironment() == ConnectionSpec::Engine::Sqlite;
}

void insertOrder(Database& db, int number) {
    db.exec(u"INSERT INTO TB_Pedido (ped_ono) VALUES (?)"_s, {number});
}

int count(Database& db, const char* table = "TB_Pedido") {
    return db.scalar(u"SELECT count(*) FROM "_s + QLatin1String(table)).toInt();
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
        QSqlDatabase raw = QSqlDatabase::addDatabase(u"QSQLITE"_s, file);
        raw.setDatabaseName(file);
        QVERIFY(raw.open() && QSqlQuery(raw).exec(sql));
    }
    QSqlDatabase::removeDatabase(file);
}

// A file of the given kind in `folder`: a good copy of `db`, or one of the files that are not.
QString makeFile(const QString& kind, const QString& folder, Database& db) {
    const QString file = folder + u"/Delivery.db"_s;
    QFile f(file);
    if (kind == QLatin1String("text") && f.open(QIODevice::WriteOnly))
        f.write("não é um banco\r\n");
    else if (kind == QLatin1String("foreign"))
        runOn(file, u"CREATE TABLE TB_Pedido (x INTEGER)"_s);
    else if (kind == QLatin1String("copy") || kind == QLatin1String("newer"))
        DatabaseBackup::copyTo(db, file);
    if (kind == QLatin1String("newer"))
        runOn(file, u"UPDATE brisko_schema_version SET version = 99"_s);
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

    void copyHoldsOneCommittedState() {
        TestDatabase fixture;
        auto db = fixture.create();
        {
            Transaction bulk(*db);
            for (int i = 0; i < 20000; ++i) // several copy steps
                db->exec(u"INSERT INTO TB_Item (ite_Ono, ite_Nome) VALUES (?, ?)"_s,
                         {i, QString(100, QLatin1Char('x'))});
            bulk.commit();
        }
        // Another workstation finalises an order half way through the copy, then starts one more
        // and is still writing it when the copy ends.
        auto writer = fixture.openAnother();
        std::optional<Transaction> writing(std::in_place, *writer);
        insertOrder(*writer, 1);
        QTemporaryDir target;
        const QString copy = target.filePath(u"Delivery.db"_s);
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
        QCOMPARE(entries(target.path()), QStringList{u"Delivery.db"_s});

        auto copied =
            Database::open(ConnectionSpec::sqlite(copy), Database::OpenMode::ExistingOnly);
        QCOMPARE(copied->scalar(u"PRAGMA integrity_check"_s).toString(), "ok");
        QCOMPARE(count(*copied), 1);
        QCOMPARE(count(*copied, "TB_Item"), 20000);
        QVERIFY(DatabaseBackup::isBriskoDatabase(copy));
    }

    void exitCopyMakesItsFolderAndReplacesTheLastCopy() {
        QTemporaryDir home;
        const QByteArray savedHome = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        TestDatabase fixture;
        auto db = fixture.create();
        const QString copy = home.filePath(u"Brisko Backup/Delivery.db"_s);
        insertOrder(*db, 1);
        DatabaseBackup::exitCopy(*db);
        const int first = ordersIn(copy);
        insertOrder(*db, 2);
        DatabaseBackup::exitCopy(*db);
        qputenv("HOME", savedHome);
        QCOMPARE(first, 1);
        QCOMPARE(ordersIn(copy), 2);
    }

    void unwritableDestinationLeavesNoFile_data() {
        QTest::addColumn<QString>("destination");
        QTest::addColumn<QString>("inspected"); // the folder that must stay as it was
        // Permissions do not stop root; these fail whoever runs them.
        QTest::newRow("folder under a file") << u"plain.txt/backup/Delivery.db"_s << u"."_s;
        QTest::newRow("a folder in the file's place") << u"taken/Delivery.db"_s << u"taken"_s;
    }

    void unwritableDestinationLeavesNoFile() {
        QFETCH(QString, destination);
        QFETCH(QString, inspected);
        TestDatabase fixture;
        auto db = fixture.create();
        QTemporaryDir target;
        QFile(target.filePath(u"plain.txt"_s)).open(QIODevice::WriteOnly);
        QVERIFY(QDir(target.path()).mkpath(u"taken/Delivery.db/inside"_s));
        const QStringList before = entries(target.filePath(inspected));
        QVERIFY(
            !refusal([&] { DatabaseBackup::copyTo(*db, target.filePath(destination)); }).isEmpty());
        QCOMPARE(entries(target.filePath(inspected)), before);
    }

    void recognisesOnlyBriskoDatabases_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("expected");
        QTest::newRow("copy of the program's database") << u"copy"_s << true;
        QTest::newRow("text file") << u"text"_s << false;
        QTest::newRow("other SQLite database") << u"foreign"_s << false;
        QTest::newRow("missing file") << u"missing"_s << false;
    }

    void recognisesOnlyBriskoDatabases() {
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

    void restoreReplacesDataAndKeepsSideCopy() {
        TestDatabase fixture;
        fixture.create();
        Connections connections(fixture.spec());
        insertOrder(connections.db(), 1);
        QTemporaryDir target;
        const QString backup = makeFile(u"copy"_s, target.path(), connections.db());
        insertOrder(connections.db(), 2);

        const QString sideCopy = DatabaseBackup::restore(connections, backup);

        QCOMPARE(count(connections.db()), 1);
        insertOrder(connections.db(), 3);
        QCOMPARE(count(connections.db()), 2);
        QCOMPARE(QFileInfo(sideCopy).dir(), QFileInfo(fixture.spec().sqliteFile).dir());
        QVERIFY(QFileInfo(sideCopy).fileName().startsWith("Delivery.db.antes-restauracao-"));
        QCOMPARE(ordersIn(sideCopy), 2);
    }

    void restoreRefusalChangesNothing_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("text file") << u"text"_s << u"não é um backup"_s;
        QTest::newRow("other SQLite database") << u"foreign"_s << u"não é um backup"_s;
        QTest::newRow("missing file") << u"missing"_s << u"não é um backup"_s;
        QTest::newRow("made by a newer program") << u"newer"_s << u"versão mais nova"_s;
        QTest::newRow("the live database itself")
            << u"live"_s << u"próprio banco de dados em uso"_s;
        QTest::newRow("open at another workstation") << u"copy"_s << u"aberto em outra estação"_s;
    }

    void restoreRefusalChangesNothing() {
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
        QVERIFY2(refused.contains(reason) && refused.endsWith(u"Nada foi alterado."_s),
                 qPrintable(refused));
        QCOMPARE(entries(liveFolder), before);
        QCOMPARE(count(connections.db()), 2);
        QCOMPARE(count(*otherWorkstation), 2);
    }

    void serverDatabaseIsRefused() {
        if (onSqlite())
            QSKIP("a server database only");
        TestDatabase fixture;
        fixture.create();
        Connections connections(fixture.spec());
        QTemporaryDir folder;
        const QString sqliteBackup = folder.filePath(u"Delivery.db"_s);
        Database::open(ConnectionSpec::sqlite(sqliteBackup), Database::OpenMode::CreateIfMissing);

        const QString message = DatabaseBackup::serverBackupMessage();
        QVERIFY(message.contains(u"backup do próprio servidor"_s));
        QCOMPARE(refusal([&] {
                     DatabaseBackup::copyTo(connections.db(), folder.filePath("x/Delivery.db"));
                 }),
                 message);
        QCOMPARE(refusal([&] { DatabaseBackup::restore(connections, sqliteBackup); }), message);
        QCOMPARE(entries(folder.path()), QStringList{u"Delivery.db"_s});
        insertOrder(connections.db(), 1);
    }
};

BRISKO_DB_TEST_MAIN(DatabaseBackupTest)
#include "TestDatabaseBackup.moc"
