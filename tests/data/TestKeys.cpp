#include "data/Database.h"
#include "data/Keys.h"
#include "data/Transaction.h"
#include "support/RacingWorkers.h"
#include "support/TestDatabase.h"

#include <QTest>
#include <cstdio>
#include <iostream>
#include <set>
#include <stdexcept>
#include <string>

namespace {

const QString kWorkerFlag = QStringLiteral("--key-worker");
constexpr int kKeysPerWorker = 60;

void insertCategory(Database& db, qint64 key, const QString& name) {
    db.exec(QStringLiteral("INSERT INTO TB_Categoria (cat_ID, cat_Categoria) VALUES (?, ?)"),
            {key, name});
}

// A second workstation: allocates and stores categories as fast as it can, one transaction
// each, printing every key it got.
int runKeyWorker(const QString& locator, int count) {
    try {
        auto db =
            Database::open(TestDatabase::fromLocator(locator), Database::OpenMode::ExistingOnly);
        waitForGo();
        for (int i = 0; i < count; ++i) {
            Transaction transaction(*db);
            const qint64 key =
                nextKey(*db, QStringLiteral("TB_Categoria"), QStringLiteral("cat_ID"));
            insertCategory(*db, key, QStringLiteral("WORKER %1").arg(i));
            transaction.commit();
            std::cout << key << std::endl;
        }
        return 0;
    } catch (const DbError& e) {
        std::cerr << e.number() << ' ' << e.what() << std::endl;
        return 2;
    }
}

} // namespace

class KeysTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void nextKeyFollowsTheHighest_data();
    void nextKeyFollowsTheHighest();
    void nextKeyNeedsTheTransaction();
    void refusesWhatIsNotAnIdentifier_data();
    void refusesWhatIsNotAnIdentifier();
    void allocatedKeyIsHeldUntilCommit();
    void twoProcessesGetDistinctConsecutiveKeys();
};

void KeysTest::nextKeyFollowsTheHighest_data() {
    QTest::addColumn<QList<int>>("existing");
    QTest::addColumn<qint64>("next");
    QTest::newRow("empty table") << QList<int>{} << qint64(1);
    QTest::newRow("gaps are not reused") << QList<int>{1, 2, 5} << qint64(6);
    QTest::newRow("not starting at one") << QList<int>{3} << qint64(4);
    QTest::newRow("inserted out of order") << QList<int>{9, 2} << qint64(10);
}

void KeysTest::nextKeyFollowsTheHighest() {
    QFETCH(QList<int>, existing);
    TestDatabase fixture;
    auto db = fixture.create();
    for (int key : existing)
        insertCategory(*db, key, QStringLiteral("C%1").arg(key));
    Transaction transaction(*db);
    QTEST(nextKey(*db, QStringLiteral("TB_Categoria"), QStringLiteral("cat_ID")), "next");
}

void KeysTest::nextKeyNeedsTheTransaction() {
    TestDatabase fixture;
    auto db = fixture.create();
    QVERIFY_THROWS_EXCEPTION(
        std::logic_error, nextKey(*db, QStringLiteral("TB_Categoria"), QStringLiteral("cat_ID")));
}

void KeysTest::refusesWhatIsNotAnIdentifier_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column");
    QTest::newRow("statement in the table") << "TB_Categoria; DELETE FROM TB_Cliente"
                                            << "cat_ID";
    QTest::newRow("blank in the column") << "TB_Categoria"
                                         << "cat ID";
    QTest::newRow("empty column") << "TB_Categoria"
                                  << "";
    QTest::newRow("leading digit") << "1TB"
                                   << "cat_ID";
    QTest::newRow("quoted") << "\"TB_Categoria\""
                            << "cat_ID";
}

void KeysTest::refusesWhatIsNotAnIdentifier() {
    QFETCH(QString, table);
    QFETCH(QString, column);
    TestDatabase fixture;
    auto db = fixture.create();
    Transaction transaction(*db);
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, nextKey(*db, table, column));
}

void KeysTest::allocatedKeyIsHeldUntilCommit() {
    TestDatabase fixture;
    auto db = fixture.create();
    auto other = fixture.openAnother();
    Transaction first(*db);
    const qint64 key = nextKey(*db, QStringLiteral("TB_Categoria"), QStringLiteral("cat_ID"));
    QCOMPARE(key, qint64(1));
    // The second workstation must not get 1 as well: it waits, then hears "in use".
    try {
        Transaction second(*other);
        nextKey(*other, QStringLiteral("TB_Categoria"), QStringLiteral("cat_ID"));
        QFAIL("a second allocation ran beside an open one");
    } catch (const DbError& e) {
        QVERIFY2(e.isInUse(), qPrintable(e.description()));
    }
    insertCategory(*db, key, QStringLiteral("PIZZAS"));
    first.commit();
    Transaction second(*other);
    QCOMPARE(nextKey(*other, QStringLiteral("TB_Categoria"), QStringLiteral("cat_ID")), qint64(2));
}

void KeysTest::twoProcessesGetDistinctConsecutiveKeys() {
    TestDatabase fixture;
    auto db = fixture.create();
    const RaceResult race =
        raceWorkers({kWorkerFlag, fixture.locator(), QString::number(kKeysPerWorker)});
    QVERIFY2(race.error.isEmpty(), qPrintable(race.error));

    std::set<qint64> all;
    for (const QList<QByteArray>& lines : race.outputs) {
        qint64 previous = 0;
        QCOMPARE(lines.size(), kKeysPerWorker);
        for (const QByteArray& line : lines) {
            const qint64 key = line.trimmed().toLongLong();
            QVERIFY(key > previous);
            previous = key;
            QVERIFY2(all.insert(key).second, qPrintable(QString("key %1 given twice").arg(key)));
        }
    }
    QCOMPARE(qint64(all.size()), qint64(2 * kKeysPerWorker));
    QCOMPARE(*all.begin(), qint64(1));
    QCOMPARE(*all.rbegin(), qint64(2 * kKeysPerWorker));
    QCOMPARE(db->scalar(QStringLiteral("SELECT count(DISTINCT cat_ID) FROM TB_Categoria")).toInt(),
             2 * kKeysPerWorker);
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() == 4 && arguments.at(1) == kWorkerFlag)
        return runKeyWorker(arguments.at(2), arguments.at(3).toInt());
    TestDatabase::skipIfUnavailable();
    KeysTest tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "TestKeys.moc"
