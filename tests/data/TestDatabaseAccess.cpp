#include "data/Database.h"
#include "data/Schema.h"
#include "support/TestDatabase.h"

#include <QFileInfo>
#include <QSqlError>
#include <QTemporaryDir>
#include <QTest>

namespace {

using Engine = ConnectionSpec::Engine;

void insertCustomer(Database& db, int key, const QVariant& name, const QVariant& birth = {}) {
    db.exec(QStringLiteral("INSERT INTO TB_Cliente (cli_ID, cli_Telefone, cli_Nome, cli_Data_Nasc) "
                           "VALUES (?, ?, ?, ?)"),
            {key, QStringLiteral("11 3333-%1").arg(key, 4, 10, QLatin1Char('0')), name,
             birth.isValid() ? birth : Database::dateValue(QDate())});
}

} // namespace

class DatabaseAccessTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void textsRoundTripExactly_data();
    void textsRoundTripExactly();
    void nullAndEmptyTextStayApart();
    void datesRoundTrip_data();
    void datesRoundTrip();
    void dateRangesIncludeBothDays();
    void moneyIsExactCentavos_data();
    void moneyIsExactCentavos();
    void existingOnlyRefusesAMissingDatabase();
    void createIfMissingSetsUpTheSchema();
    void failuresKeepTheEngineNumber();
    void errorCodesAreClassified_data();
    void errorCodesAreClassified();
};

void DatabaseAccessTest::textsRoundTripExactly_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("apostrophe") << "PIZZA D'ÁGUA";
    QTest::newRow("doubled apostrophes") << "O''Brien '' '";
    QTest::newRow("accents") << "JOÃO ÇÉÕÜÊ àâíóú São Paulo";
    QTest::newRow("100 accented letters") << QStringLiteral("Ã").repeated(100);
    QTest::newRow("statement text") << "x'); DROP TABLE TB_Cliente; --";
    QTest::newRow("wildcards and backslash") << "50% _off_ C:\\Brisko\\n \"aspas\"";
    QTest::newRow("outside the BMP") << "Pizza 🍕 \U0001F600";
    QTest::newRow("blanks kept") << "  RUA  DAS FLORES  ";
}

void DatabaseAccessTest::textsRoundTripExactly() {
    QFETCH(QString, text);
    TestDatabase fixture;
    auto db = fixture.create();
    insertCustomer(*db, 1, text);
    QCOMPARE(db->scalar(QStringLiteral("SELECT cli_Nome FROM TB_Cliente WHERE cli_ID = ?"), {1})
                 .toString(),
             text);
    QCOMPARE(db->scalar(QStringLiteral("SELECT cli_ID FROM TB_Cliente WHERE cli_Nome = ?"), {text})
                 .toInt(),
             1);
    QCOMPARE(db->scalar(QStringLiteral("SELECT count(*) FROM TB_Cliente")).toInt(), 1);
}

void DatabaseAccessTest::nullAndEmptyTextStayApart() {
    TestDatabase fixture;
    auto db = fixture.create();
    insertCustomer(*db, 1, QVariant(QMetaType::fromType<QString>()));
    insertCustomer(*db, 2, QString(""));
    QCOMPARE(db->scalar(QStringLiteral("SELECT count(*) FROM TB_Cliente WHERE cli_Nome IS NULL"))
                 .toInt(),
             1);
    QCOMPARE(db->scalar(QStringLiteral("SELECT cli_ID FROM TB_Cliente WHERE cli_Nome = ?"),
                        {QString("")})
                 .toInt(),
             2);
}

void DatabaseAccessTest::datesRoundTrip_data() {
    QTest::addColumn<QDate>("date");
    QTest::newRow("null") << QDate();
    QTest::newRow("ordinary") << QDate(1987, 6, 15);
    QTest::newRow("leap day") << QDate(2024, 2, 29);
    QTest::newRow("old") << QDate(1900, 1, 1);
    QTest::newRow("year end") << QDate(2023, 12, 31);
}

void DatabaseAccessTest::datesRoundTrip() {
    QFETCH(QDate, date);
    TestDatabase fixture;
    auto db = fixture.create();
    insertCustomer(*db, 1, QStringLiteral("ANA"), Database::dateValue(date));
    const QVariant stored =
        db->scalar(QStringLiteral("SELECT cli_Data_Nasc FROM TB_Cliente WHERE cli_ID = 1"));
    QCOMPARE(stored.isNull(), !date.isValid());
    QCOMPARE(Database::dateFrom(stored), date);
    if (date.isValid() && db->engine() == Engine::Sqlite)
        QCOMPARE(stored.toString(), date.toString(Qt::ISODate));
    if (date.isValid())
        QCOMPARE(
            db->scalar(QStringLiteral("SELECT count(*) FROM TB_Cliente WHERE cli_Data_Nasc = ?"),
                       {Database::dateValue(date)})
                .toInt(),
            1);
}

void DatabaseAccessTest::dateRangesIncludeBothDays() {
    TestDatabase fixture;
    auto db = fixture.create();
    const QDate first(2024, 1, 30);
    for (int i = 0; i < 5; ++i)
        db->exec(QStringLiteral("INSERT INTO TB_Pedido (ped_ono, ped_data) VALUES (?, ?)"),
                 {i + 1, Database::dateValue(first.addDays(i))});
    QCOMPARE(
        db->scalar(QStringLiteral("SELECT count(*) FROM TB_Pedido WHERE ped_data BETWEEN ? AND ?"),
                   {Database::dateValue(first.addDays(1)), Database::dateValue(first.addDays(3))})
            .toInt(),
        3);
    QCOMPARE(Database::dateFrom(db->scalar(QStringLiteral("SELECT MAX(ped_data) FROM TB_Pedido"))),
             first.addDays(4));
}

void DatabaseAccessTest::moneyIsExactCentavos_data() {
    QTest::addColumn<qint64>("centavos");
    QTest::newRow("zero") << qint64(0);
    QTest::newRow("one centavo") << qint64(1);
    QTest::newRow("a pizza") << qint64(4590);
    QTest::newRow("negative") << qint64(-250);
    QTest::newRow("beyond a double's exact range") << qint64(9007199254740993);
}

void DatabaseAccessTest::moneyIsExactCentavos() {
    QFETCH(qint64, centavos);
    TestDatabase fixture;
    auto db = fixture.create();
    // Ten lines of the amount: the sum must be exact, as integer centavos.
    for (int i = 0; i < 10; ++i)
        db->exec(
            QStringLiteral("INSERT INTO TB_Item (ite_Ono, ite_Nome, ite_Quantidade, ite_Preco, "
                           "ite_Total) VALUES (?, ?, ?, ?, ?)"),
            {1, QStringLiteral("ITEM %1").arg(i), 1, centavos / 10, centavos / 10});
    db->exec(QStringLiteral("INSERT INTO TB_Pedido (ped_ono, ped_Total) VALUES (?, ?)"),
             {1, centavos});
    QCOMPARE(db->scalar(QStringLiteral("SELECT ped_Total FROM TB_Pedido WHERE ped_ono = 1"))
                 .toLongLong(),
             centavos);
    bool integral = false;
    const qint64 sum =
        db->scalar(QStringLiteral("SELECT SUM(ite_Total) FROM TB_Item WHERE ite_Ono = 1"))
            .toLongLong(&integral);
    QVERIFY(integral);
    QCOMPARE(sum, (centavos / 10) * 10);
}

void DatabaseAccessTest::existingOnlyRefusesAMissingDatabase() {
    TestDatabase fixture;
    ConnectionSpec missing = fixture.spec();
    QTemporaryDir dir;
    missing.sqliteFile = dir.filePath(QStringLiteral("Delivery.db"));
    missing.databaseName = QStringLiteral("brisko_missing_db");
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

void DatabaseAccessTest::createIfMissingSetsUpTheSchema() {
    TestDatabase fixture;
    auto db = fixture.create();
    QCOMPARE(Schema::version(*db), Schema::kVersion);
    if (db->engine() == Engine::Sqlite) {
        QVERIFY(QFileInfo(fixture.spec().sqliteFile).isFile());
        QCOMPARE(db->scalar(QStringLiteral("PRAGMA journal_mode")).toString(),
                 QStringLiteral("wal"));
        QCOMPARE(db->scalar(QStringLiteral("PRAGMA synchronous")).toInt(), 2);
    } else {
        QCOMPARE(db->scalar(QStringLiteral("SHOW lock_timeout")).toString(), QStringLiteral("5s"));
    }
    QCOMPARE(
        db->scalar(QStringLiteral("SELECT brisko_fold(?)"), {QStringLiteral("JOÃO")}).toString(),
        QStringLiteral("joão"));
    QVERIFY(db->scalar(QStringLiteral("SELECT brisko_fold(NULL)")).isNull());
}

void DatabaseAccessTest::failuresKeepTheEngineNumber() {
    TestDatabase fixture;
    auto db = fixture.create();
    try {
        db->exec(QStringLiteral("SELEC cli_Nome FROM TB_Cliente WHERE cli_ID = ?"), {1});
        QFAIL("a broken statement ran");
    } catch (const DbError& e) {
        QCOMPARE(e.number(), db->engine() == Engine::Sqlite ? 1 : 42601);
        QCOMPARE(e.source(), db->sourceName());
        QVERIFY(!e.description().isEmpty());
    }
    // A failed statement leaves the connection usable.
    QCOMPARE(db->scalar(QStringLiteral("SELECT count(*) FROM TB_Cliente")).toInt(), 0);
}

void DatabaseAccessTest::errorCodesAreClassified_data() {
    QTest::addColumn<bool>("postgres");
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("number");
    QTest::newRow("sqlite busy") << false << "5" << DbError::kInUse;
    QTest::newRow("sqlite locked") << false << "6" << DbError::kInUse;
    QTest::newRow("sqlite busy snapshot") << false << "517" << DbError::kInUse;
    QTest::newRow("sqlite locked shared cache") << false << "262" << DbError::kInUse;
    QTest::newRow("sqlite unique constraint") << false << "2067" << 2067;
    QTest::newRow("sqlite read-only") << false << "8" << 8;
    QTest::newRow("sqlite no code") << false << "" << DbError::kGeneric;
    QTest::newRow("pg lock timeout") << true << "55P03" << DbError::kInUse;
    QTest::newRow("pg deadlock") << true << "40P01" << DbError::kInUse;
    QTest::newRow("pg serialisation") << true << "40001" << DbError::kInUse;
    QTest::newRow("pg unique violation") << true << "23505" << 23505;
    QTest::newRow("pg undefined table") << true << "42P01" << DbError::kGeneric;
    QTest::newRow("pg connection refused") << true << "" << DbError::kGeneric;
}

void DatabaseAccessTest::errorCodesAreClassified() {
    QFETCH(bool, postgres);
    QFETCH(QString, code);
    const QSqlError error(QStringLiteral("Unable to execute"), QStringLiteral("database says no"),
                          QSqlError::StatementError, code);
    const DbError e = Database::toDbError(postgres ? Engine::Postgres : Engine::Sqlite, error);
    QTEST(e.number(), "number");
    QCOMPARE(e.description(), QStringLiteral("database says no"));
    QCOMPARE(e.source(), postgres ? QStringLiteral("PostgreSQL") : QStringLiteral("SQLite"));
}

BRISKO_DB_TEST_MAIN(DatabaseAccessTest)
#include "TestDatabaseAccess.moc"
