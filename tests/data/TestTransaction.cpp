#include "data/Database.h"
#include "data/Transaction.h"
#include "support/TestDatabase.h"

#include <QElapsedTimer>
#include <QTest>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace {

int count(Database& db, const QString& table) {
    return db.scalar(u"SELECT count(*) FROM "_s + table).toInt();
}

void insertOrder(Database& db, int number) {
    db.exec(u"INSERT INTO TB_Pedido (ped_ono, ped_Status, ped_Total) VALUES (?, ?, ?)"_s,
            {number, u"CONCLUIDO"_s, qint64(5590)});
    db.exec(QStringLiteral("INSERT INTO TB_Item (ite_Ono, ite_Nome, ite_Quantidade, ite_Preco, "
                           "ite_Total) VALUES (?, ?, ?, ?, ?)"),
            {number, u"CALABRESA"_s, 1, qint64(5590), qint64(5590)});
}

// What another workstation holds while it is writing the category row 1.
void holdCategory(Database& other) {
    other.exec(u"UPDATE TB_Categoria SET fl_sincroniza = 'S' WHERE cat_ID = 1"_s);
}

} // namespace

class TransactionTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Only a commit after clean statements keeps the work; a failed statement (even one the
    // caller caught) or the caller's own exception leaves nothing, and the connection goes on.
    void onlyACleanCommitKeepsTheWork_data() {
        QTest::addColumn<QString>("ending");
        for (const char* ending : {"commit", "failed statement", "caught failure", "exception"})
            QTest::newRow(ending) << QString::fromLatin1(ending);
    }

    void onlyACleanCommitKeepsTheWork() {
        QFETCH(QString, ending);
        TestDatabase fixture;
        auto db = fixture.create();
        insertOrder(*db, 1);
        try {
            Transaction transaction(*db);
            insertOrder(*db, 2);
            if (ending == u"caught failure") {
                QVERIFY_THROWS_EXCEPTION(DbError, insertOrder(*db, 1));
                QVERIFY_THROWS_EXCEPTION(DbError, transaction.commit());
            } else {
                if (ending == u"failed statement")
                    insertOrder(*db, 1); // the header fails: number 1 exists
                if (ending == u"exception")
                    throw std::runtime_error("printer out of paper");
                transaction.commit();
                QCOMPARE(ending, u"commit"_s);
            }
        } catch (const DbError& e) {
            QCOMPARE(ending, u"failed statement"_s);
            QVERIFY(!e.isInUse());
        } catch (const std::runtime_error&) {
            QCOMPARE(ending, u"exception"_s);
        }
        QVERIFY(!db->inTransaction());
        const int kept = ending == u"commit" ? 2 : 1;
        auto other = fixture.openAnother();
        QCOMPARE(count(*other, u"TB_Pedido"_s), kept);
        QCOMPARE(count(*other, u"TB_Item"_s), kept);
        Transaction next(*db);
        insertOrder(*db, 3);
        next.commit();
        QCOMPARE(count(*db, u"TB_Pedido"_s), kept + 1);
    }

    void transactionsDoNotNest() {
        TestDatabase fixture;
        auto db = fixture.create();
        Transaction outer(*db);
        QVERIFY_THROWS_EXCEPTION(std::logic_error, Transaction inner(*db));
        insertOrder(*db, 1);
        outer.commit();
        QCOMPARE(count(*db, u"TB_Pedido"_s), 1);
    }

    void lockedDatabaseIsInUse_data() {
        QTest::addColumn<bool>("inTransaction");
        QTest::newRow("in a transaction") << true;
        QTest::newRow("single statement") << false;
    }

    void lockedDatabaseIsInUse() {
        QFETCH(bool, inTransaction);
        TestDatabase fixture;
        auto db = fixture.create();
        db->exec(QStringLiteral(
            "INSERT INTO TB_Categoria (cat_ID, cat_Categoria) VALUES (1, 'PIZZAS')"));
        auto other = fixture.openAnother();
        const QString rename = u"UPDATE TB_Categoria SET cat_Categoria = ? WHERE cat_ID = 1"_s;
        {
            Transaction held(*other);
            holdCategory(*other);
            QElapsedTimer timer;
            timer.start();
            try {
                if (inTransaction) {
                    Transaction transaction(*db);
                    db->exec(rename, {u"BEBIDAS"_s});
                    transaction.commit();
                } else {
                    db->exec(rename, {u"BEBIDAS"_s});
                }
                QFAIL("wrote through another workstation's lock");
            } catch (const DbError& e) {
                QVERIFY2(e.isInUse(),
                         qPrintable(QString::number(e.number()) + ' ' + e.description()));
                QCOMPARE(e.source(), db->sourceName());
            }
            const qint64 waited = timer.elapsed();
            QVERIFY2(waited >= 3000 && waited < 10000, qPrintable(QString::number(waited)));
            QVERIFY(!db->inTransaction());
        }
        QCOMPARE(db->scalar(u"SELECT cat_Categoria FROM TB_Categoria"_s).toString(), u"PIZZAS"_s);
        // Once the other workstation is done, the same write goes through.
        db->exec(rename, {u"BEBIDAS"_s});
        QCOMPARE(other->scalar(u"SELECT cat_Categoria FROM TB_Categoria"_s).toString(),
                 u"BEBIDAS"_s);
    }
};

BRISKO_DB_TEST_MAIN(TransactionTest)
#include "TestTransaction.moc"
