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

using namespace Qt::StringLiterals;

namespace {

const QString kWorkerFlag = u"--key-worker"_s;
constexpr int kKeysPerWorker = 60;

void insertCategory(Database& db, qint64 key, const QString& name) {
    db.exec(u"INSERT INTO TB_Categoria (cat_ID, cat_Categoria) VALUES (?, ?)"_s, {key, name});
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
            const qint64 key = nextKey(*db, u"TB_Categoria"_s, u"cat_ID"_s);
            insertCategory(*db, key, u"WORKER %1"_s.arg(i));
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
    void nextKeyFollowsTheHighest_data() {
        QTest::addColumn<QList<int>>("existing");
        QTest::addColumn<qint64>("next");
        QTest::newRow("empty table") << QList<int>{} << qint64(1);
        QTest::newRow("gaps are not reused") << QList<int>{1, 2, 5} << qint64(6);
        QTest::newRow("not starting at one") << QList<int>{3} << qint64(4);
        QTest::newRow("inserted out of order") << QList<int>{9, 2} << qint64(10);
    }

    void nextKeyFollowsTheHighest() {
        QFETCH(QList<int>, existing);
        TestDatabase fixture;
        auto db = fixture.create();
        for (int key : existing)
            insertCategory(*db, key, u"C%1"_s.arg(key));
        Transaction transaction(*db);
        QTEST(nextKey(*db, u"TB_Categoria"_s, u"cat_ID"_s), "next");
    }

    void nextKeyNeedsTheTransaction() {
        TestDatabase fixture;
        auto db = fixture.create();
        QVERIFY_THROWS_EXCEPTION(std::logic_error, nextKey(*db, u"TB_Categoria"_s, u"cat_ID"_s));
    }

    void refusesWhatIsNotAnIdentifier_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("column");
        QTest::newRow("statement in the table") << "TB_Categoria; DELETE FROM TB_Cliente"
                                                << "cat_ID";
        QTest::newRow("blank in the column") << u"TB_Categoria"_s << u"cat ID"_s;
        QTest::newRow("empty column") << u"TB_Categoria"_s << u""_s;
        QTest::newRow("leading digit") << u"1TB"_s << u"cat_ID"_s;
        QTest::newRow("quoted") << u"\"TB_Categoria\""_s << u"cat_ID"_s;
    }

    void refusesWhatIsNotAnIdentifier() {
        QFETCH(QString, table);
        QFETCH(QString, column);
        TestDatabase fixture;
        auto db = fixture.create();
        Transaction transaction(*db);
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, nextKey(*db, table, column));
    }

    void allocatedKeyIsHeldUntilCommit() {
        TestDatabase fixture;
        auto db = fixture.create();
        auto other = fixture.openAnother();
        Transaction first(*db);
        const qint64 key = nextKey(*db, u"TB_Categoria"_s, u"cat_ID"_s);
        QCOMPARE(key, qint64(1));
        // The second workstation must not get 1 as well: it waits, then hears "in use".
        try {
            Transaction second(*other);
            nextKey(*other, u"TB_Categoria"_s, u"cat_ID"_s);
            QFAIL("a second allocation ran beside an open one");
        } catch (const DbError& e) {
            QVERIFY2(e.isInUse(), qPrintable(e.description()));
        }
        insertCategory(*db, key, u"PIZZAS"_s);
        first.commit();
        Transaction second(*other);
        QCOMPARE(nextKey(*other, u"TB_Categoria"_s, u"cat_ID"_s), qint64(2));
    }

    void twoProcessesGetDistinctConsecutiveKeys() {
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
                QVERIFY2(all.insert(key).second,
                         qPrintable(QString("key %1 given twice").arg(key)));
            }
        }
        QCOMPARE(qint64(all.size()), qint64(2 * kKeysPerWorker));
        QCOMPARE(*all.begin(), qint64(1));
        QCOMPARE(*all.rbegin(), qint64(2 * kKeysPerWorker));
        QCOMPARE(db->scalar(u"SELECT count(DISTINCT cat_ID) FROM TB_Categoria"_s).toInt(),
                 2 * kKeysPerWorker);
    }
};

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
