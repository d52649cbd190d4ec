#include "data/Database.h"
#include "data/Schema.h"
#include "data/Transaction.h"
#include "support/TestDatabase.h"

#include <QFileInfo>
#include <QSqlError>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

using Engine = ConnectionSpec::Engine;

void insertCustomer(Database& db, int key, const QVariant& name, const QVariant& birth = {}) {
    db.exec(QStringLiteral("INSERT INTO TB_Cliente (cli_ID, cli_Telefone, cli_Nome, cli_Data_Nasc) "
                           "VALUES (?, ?, ?, ?)"),
            {key, u"11 3333-%1"_s.arg(key, 4, 10, QLatin1Char('0')), name,
             birth.isValid() ? birth : Database::dateValue(QDate())});
}

} // namespace

class DatabaseAccessTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void textsRoundTripExactly_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("apostrophe") << u"PIZZA D'ÁGUA"_s;
        QTest::newRow("doubled apostrophes") << u"O''Brien '' '"_s;
        QTest::newRow("accents") << u"JOÃO ÇÉÕÜÊ àâíóú São Paulo"_s;
        QTest::newRow("100 accented letters") << u"Ã"_s.repeated(100);
        QTest::newRow("statement text") << "x'); DROP TABLE TB_Cliente; --";
        QTest::newRow("wildcards and backslash") << u"50% _off_ C:\\Brisko\\n \"aspas\""_s;
        QTest::newRow("outside the BMP") << u"Pizza 🍕 \U0001F600"_s;
        QTest::newRow("blanks kept") << u"  RUA  DAS FLORES  "_s;
    }

    void textsRoundTripExactly() {
        QFETCH(QString, text);
        TestDatabase fixture;
        auto db = fixture.create();
        insertCustomer(*db, 1, text);
        QCOMPARE(db->scalar(u"SELECT cli_Nome FROM TB_Cliente WHERE cli_ID = ?"_s, {1}).toString(),
                 text);
        QCOMPARE(db->scalar(u"SELECT cli_ID FROM TB_Cliente WHERE cli_Nome = ?"_s, {text}).toInt(),
                 1);
        QCOMPARE(db->scalar(u"SELECT count(*) FROM TB_Cliente"_s).toInt(), 1);
    }

    void nullAndEmptyTextStayApart() {
        TestDatabase fixture;
        auto db = fixture.create();
        insertCustomer(*db, 1, QVariant(QMetaType::fromType<QString>()));
        insertCustomer(*db, 2, QString(""));
        QCOMPARE(db->scalar(u"SELECT count(*) FROM TB_Cliente WHERE cli_Nome IS NULL"_s).toInt(),
                 1);
        QCOMPARE(db->scalar(u"SELECT cli_ID FROM TB_Cliente WHERE cli_Nome = ?"_s, {QString("")})
                     .toInt(),
                 2);
    }

    void datesRoundTrip_data() {
        QTest::addColumn<QDate>("date");
        QTest::newRow("null") << QDate();
        QTest::newRow("ordinary") << QDate(1987, 6, 15);
        QTest::newRow("leap day") << QDate(2024, 2, 29);
        QTest::newRow("old") << QDate(1900, 1, 1);
        QTest::newRow("year end") << QDate(2023, 12, 31);
    }

    void datesRoundTrip() {
        QFETCH(QDate, date);
        TestDatabase fixture;
        auto db = fixture.create();
        insertCustomer(*db, 1, u"ANA"_s, Database::dateValue(date));
        const QVariant stored =
            db->scalar(u"SELECT cli_Data_Nasc FROM TB_Cliente WHERE cli_ID = 1"_s);
        QCOMPARE(stored.isNull(), !date.isValid());
        QCOMPARE(Database::dateFrom(stored), date);
        if (date.isValid() && db->engine() == Engine::Sqlite)
            QCOMPARE(stored.toString(), date.toString(Qt::ISODate));
        if (date.isValid())
            QCOMPARE(db->scalar(QStringLiteral(
                                    "SELECT count(*) FROM TB_Cliente WHERE cli_Data_Nasc = ?"),
                                {Database::dateValue(date)})
                         .toInt(),
                     1);
    }

    void dateRangesIncludeBothDays() {
        TestDatabase fixture;
        auto db = fixture.create();
        const QDate first(2024, 1, 30);
        for (int i = 0; i < 5; ++i)
            db->exec(u"INSERT INTO TB_Pedido (ped_ono, ped_data) VALUES (?, ?)"_s,
                     {i + 1, Database::dateValue(first.addDays(i))});
        QCOMPARE(db->scalar(u"SELECT count(*) FROM TB_Pedido WHERE ped_data BETWEEN ? AND ?"_s,
                            {Database::dateValue(first.addDays(1)),
                             Database::dateValue(first.addDays(3))})
                     .toInt(),
                 3);
        QCOMPARE(Database::dateFrom(db->scalar(u"SELECT MAX(ped_data) FROM TB_Pedido"_s)),
                 first.addDays(4));
    }

    void moneyIsExactCentavos_data() {
        QTest::addColumn<qint64>("centavos");
        QTest::newRow("zero") << qint64(0);
        QTest::newRow("one centavo") << qint64(1);
        QTest::newRow("a pizza") << qint64(4590);
        QTest::newRow("negative") << qint64(-250);
        QTest::newRow("beyond a double's exact range") << qint64(9007199254740993);
    }

    void moneyIsExactCentavos() {
        QFETCH(qint64, centavos);
        TestDatabase fixture;
        auto db = fixture.create();
        // Ten lines of the amount: the sum must be exact, as integer centavos.
        for (int i = 0; i < 10; ++i)
            db->exec(
                QStringLiteral("INSERT INTO TB_Item (ite_Ono, ite_Nome, ite_Quantidade, ite_Preco, "
                               "ite_Total) VALUES (?, ?, ?, ?, ?)"),
                {1, u"ITEM %1"_s.arg(i), 1, centavos / 10, centavos / 10});
        db->exec(u"INSERT INTO TB_Pedido (ped_ono, ped_Total) VALUES (?, ?)"_s, {1, centavos});
        QCOMPARE(db->scalar(u"SELECT ped_Total FROM TB_Pedido WHERE ped_ono = 1"_s).toLongLong(),
                 centavos);
        bool integral = false;
        const qint64 sum = db->scalar(u"SELECT SUM(ite_Total) FROM TB_Item WHERE ite_Ono = 1"_s)
                               .toLongLong(&integral);
        QVERIFY(integral);
        QCOMPARE(sum, (centavos / 10) * 10);
    }

    void existingOnlyRefusesAMissingDatabase() {
        TestDatabase fixture;
        ConnectionSpec missing = fixture.spec();
        QTemporaryDir dir;
        missing.sqliteFile = dir.filePath(u"Delivery.db"_s);
        missing.databaseName = u"brisko_missing_db"_s;
        try {
            Database::open(missing, Database::OpenMode::ExistingOnly);
            QFAIL("a missing database was opened");
        } catch (const DbError& e) {
            QVERIFY(!e.isInUse());
            QVERIFY(!e.description().isEmpty());
        }
        if (missing.engine == Engine::Sqlite)
            QVERIFY2(!QFileInfo::exists(missing.sqliteFile), "an empty file was left behind");
    }

    void createIfMissingSetsUpTheSchema() {
        TestDatabase fixture;
        auto db = fixture.create();
        QCOMPARE(Schema::version(*db), Schema::kVersion);
        if (db->engine() == Engine::Sqlite) {
            QVERIFY(QFileInfo(fixture.spec().sqliteFile).isFile());
            QCOMPARE(db->scalar(u"PRAGMA journal_mode"_s).toString(), u"wal"_s);
            QCOMPARE(db->scalar(u"PRAGMA synchronous"_s).toInt(), 2);
        } else {
            QCOMPARE(db->scalar(u"SHOW lock_timeout"_s).toString(), u"5s"_s);
        }
        QCOMPARE(db->scalar(u"SELECT brisko_fold(?)"_s, {u"JOÃO"_s}).toString(), u"joão"_s);
        QVERIFY(db->scalar(u"SELECT brisko_fold(NULL)"_s).isNull());
    }

    void keptStatementsRunAgainWithNewValues() {
        TestDatabase fixture;
        auto db = fixture.create();
        insertCustomer(*db, 1, u"ANA"_s);
        insertCustomer(*db, 2, u"BIA"_s);
        const QString sql = u"SELECT cli_Nome FROM TB_Cliente WHERE cli_ID = ?"_s;
        QCOMPARE(db->scalarKept(sql, {1}).toString(), u"ANA"_s);
        // The same statement run while its rows are read, and again after a rollback.
        QStringList pares;
        db->execKept(sql, {2}, [&](const QSqlQuery& row) {
            pares << row.value(0).toString() + db->scalarKept(sql, {1}).toString();
        });
        QCOMPARE(pares, QStringList{u"BIAANA"_s});
        {
            Transaction transaction(*db);
            insertCustomer(*db, 3, u"CAIO"_s);
            QCOMPARE(db->scalarKept(sql, {3}).toString(), u"CAIO"_s);
        }
        QVERIFY(!db->scalarKept(sql, {3}).isValid());
        // Released after reading: another connection writes without waiting.
        auto other = Database::open(db->spec(), Database::OpenMode::ExistingOnly);
        insertCustomer(*other, 4, u"DIA"_s);
        QCOMPARE(db->scalarKept(sql, {4}).toString(), u"DIA"_s);
    }

    void failuresKeepTheEngineNumber() {
        TestDatabase fixture;
        auto db = fixture.create();
        try {
            db->exec(u"SELEC cli_Nome FROM TB_Cliente WHERE cli_ID = ?"_s, {1});
            QFAIL("a broken statement ran");
        } catch (const DbError& e) {
            QCOMPARE(e.number(), db->engine() == Engine::Sqlite ? 1 : 42601);
            QCOMPARE(e.source(), db->sourceName());
            QVERIFY(!e.description().isEmpty());
        }
        // A failed statement leaves the connection usable.
        QCOMPARE(db->scalar(u"SELECT count(*) FROM TB_Cliente"_s).toInt(), 0);
    }

    void errorCodesAreClassified_data() {
        QTest::addColumn<bool>("postgres");
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("number");
        QTest::newRow("sqlite busy") << false << u"5"_s << DbError::kInUse;
        QTest::newRow("sqlite locked") << false << u"6"_s << DbError::kInUse;
        QTest::newRow("sqlite busy snapshot") << false << u"517"_s << DbError::kInUse;
        QTest::newRow("sqlite locked shared cache") << false << u"262"_s << DbError::kInUse;
        QTest::newRow("sqlite unique constraint") << false << u"2067"_s << 2067;
        QTest::newRow("sqlite read-only") << false << u"8"_s << 8;
        QTest::newRow("sqlite no code") << false << u""_s << DbError::kGeneric;
        QTest::newRow("pg lock timeout") << true << u"55P03"_s << DbError::kInUse;
        QTest::newRow("pg deadlock") << true << u"40P01"_s << DbError::kInUse;
        QTest::newRow("pg serialisation") << true << u"40001"_s << DbError::kInUse;
        QTest::newRow("pg unique violation") << true << u"23505"_s << 23505;
        QTest::newRow("pg undefined table") << true << u"42P01"_s << DbError::kGeneric;
        QTest::newRow("pg connection refused") << true << u""_s << DbError::kGeneric;
    }

    void errorCodesAreClassified() {
        QFETCH(bool, postgres);
        QFETCH(QString, code);
        const QSqlError error(u"Unable to execute"_s, u"database says no"_s,
                              QSqlError::StatementError, code);
        const DbError e = Database::toDbError(postgres ? Engine::Postgres : Engine::Sqlite, error);
        QTEST(e.number(), "number");
        QCOMPARE(e.description(), u"database says no"_s);
        QCOMPARE(e.source(), postgres ? u"PostgreSQL"_s : u"SQLite"_s);
    }
};

BRISKO_DB_TEST_MAIN(DatabaseAccessTest)
#include "TestDatabaseAccess.moc"
