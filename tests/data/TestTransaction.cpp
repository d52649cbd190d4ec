#include "data/Database.h"
#include "data/Transaction.h"
#include "support/TestDatabase.h"

#include <QElapsedTimer>
#include <QTest>
#include <stdexcept>

namespace {

int count(Database& db, const QString& table) {
    return db.scalar(QStringLiteral("SELECT count(*) FROM ") + table).toInt();
}

void insertOrder(Database& db, int number) {
    db.exec(
        QStringLiteral("INSERT INTO TB_Pedido (ped_ono, ped_Status, ped_Total) VALUES (?, ?, ?)"),
        {number, QStringLiteral("CONCLUIDO"), qint64(5590)});
    db.exec(QStringLiteral("INSERT INTO TB_Item (ite_Ono, ite_Nome, ite_Quantidade, ite_Preco, "
                           "ite_Total) VALUES (?, ?, ?, ?, ?)"),
            {number, QStringLiteral("CALABRESA"), 1, qint64(5590), qint64(5590)});
}

// What another workstation holds while it is writing the category row 1.
void holdCategory(Database& other) {
    other.exec(QStringLiteral("UPDATE TB_Categoria SET fl_sincroniza = 'S' WHERE cat_ID = 1"));
}

} // namespace

class TransactionTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void committedWorkIsKept();
    void failedStatementLeavesNothingWritten();
    void callerExceptionLeavesNothingWritten();
    void caughtFailureStillPreventsCommit();
    void transactionsDoNotNest();
    void lockedDatabaseIsInUse_data();
    void lockedDatabaseIsInUse();
};

void TransactionTest::committedWorkIsKept() {
    TestDatabase fixture;
    auto db = fixture.create();
    {
        Transaction transaction(*db);
        insertOrder(*db, 1);
        transaction.commit();
    }
    QVERIFY(!db->inTransaction());
    auto other = fixture.openAnother();
    QCOMPARE(count(*other, QStringLiteral("TB_Pedido")), 1);
    QCOMPARE(count(*other, QStringLiteral("TB_Item")), 1);
}

void TransactionTest::failedStatementLeavesNothingWritten() {
    TestDatabase fixture;
    auto db = fixture.create();
    insertOrder(*db, 1);
    try {
        Transaction transaction(*db);
        insertOrder(*db, 2);
        insertOrder(*db, 1); // the header fails: number 1 exists
        transaction.commit();
        QFAIL("a repeated order number was stored");
    } catch (const DbError& e) {
        QVERIFY(!e.isInUse());
    }
    QVERIFY(!db->inTransaction());
    QCOMPARE(count(*db, QStringLiteral("TB_Pedido")), 1);
    QCOMPARE(count(*db, QStringLiteral("TB_Item")), 1);
    // The connection goes on working after the rollback.
    Transaction next(*db);
    insertOrder(*db, 3);
    next.commit();
    QCOMPARE(count(*db, QStringLiteral("TB_Pedido")), 2);
}

void TransactionTest::callerExceptionLeavesNothingWritten() {
    TestDatabase fixture;
    auto db = fixture.create();
    try {
        Transaction transaction(*db);
        insertOrder(*db, 1);
        throw std::runtime_error("printer out of paper");
    } catch (const std::runtime_error&) {
    }
    auto other = fixture.openAnother();
    QCOMPARE(count(*other, QStringLiteral("TB_Pedido")), 0);
    QCOMPARE(count(*other, QStringLiteral("TB_Item")), 0);
}

void TransactionTest::caughtFailureStillPreventsCommit() {
    TestDatabase fixture;
    auto db = fixture.create();
    insertOrder(*db, 1);
    {
        Transaction transaction(*db);
        insertOrder(*db, 2);
        QVERIFY_THROWS_EXCEPTION(DbError, insertOrder(*db, 1));
        QVERIFY_THROWS_EXCEPTION(DbError, transaction.commit());
    }
    QCOMPARE(count(*db, QStringLiteral("TB_Pedido")), 1);
    QCOMPARE(count(*db, QStringLiteral("TB_Item")), 1);
}

void TransactionTest::transactionsDoNotNest() {
    TestDatabase fixture;
    auto db = fixture.create();
    Transaction outer(*db);
    QVERIFY_THROWS_EXCEPTION(std::logic_error, Transaction inner(*db));
    insertOrder(*db, 1);
    outer.commit();
    QCOMPARE(count(*db, QStringLiteral("TB_Pedido")), 1);
}

void TransactionTest::lockedDatabaseIsInUse_data() {
    QTest::addColumn<bool>("inTransaction");
    QTest::newRow("in a transaction") << true;
    QTest::newRow("single statement") << false;
}

void TransactionTest::lockedDatabaseIsInUse() {
    QFETCH(bool, inTransaction);
    TestDatabase fixture;
    auto db = fixture.create();
    db->exec(
        QStringLiteral("INSERT INTO TB_Categoria (cat_ID, cat_Categoria) VALUES (1, 'PIZZAS')"));
    auto other = fixture.openAnother();
    const QString rename =
        QStringLiteral("UPDATE TB_Categoria SET cat_Categoria = ? WHERE cat_ID = 1");
    {
        Transaction held(*other);
        holdCategory(*other);
        QElapsedTimer timer;
        timer.start();
        try {
            if (inTransaction) {
                Transaction transaction(*db);
                db->exec(rename, {QStringLiteral("BEBIDAS")});
                transaction.commit();
            } else {
                db->exec(rename, {QStringLiteral("BEBIDAS")});
            }
            QFAIL("wrote through another workstation's lock");
        } catch (const DbError& e) {
            QVERIFY2(e.isInUse(), qPrintable(QString::number(e.number()) + ' ' + e.description()));
            QCOMPARE(e.source(), db->sourceName());
        }
        const qint64 waited = timer.elapsed();
        QVERIFY2(waited >= 3000 && waited < 10000, qPrintable(QString::number(waited)));
        QVERIFY(!db->inTransaction());
    }
    QCOMPARE(db->scalar(QStringLiteral("SELECT cat_Categoria FROM TB_Categoria")).toString(),
             QStringLiteral("PIZZAS"));
    // Once the other workstation is done, the same write goes through.
    db->exec(rename, {QStringLiteral("BEBIDAS")});
    QCOMPARE(other->scalar(QStringLiteral("SELECT cat_Categoria FROM TB_Categoria")).toString(),
             QStringLiteral("BEBIDAS"));
}

BRISKO_DB_TEST_MAIN(TransactionTest)
#include "TestTransaction.moc"
