#include "orders/Sabores.h"

#include <QtTest>

namespace {
Money reais(qint64 r) {
    return Money::fromCents(r * 100);
}
} // namespace

class TestSabores : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void compoe_data() {
        QTest::addColumn<QList<Sabor>>("sabores");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("preco");
        QTest::addColumn<QString>("categoria");
        QTest::newRow("two, dearer last")
            << QList<Sabor>{{"A", reais(30), "PIZZA"}, {"B", reais(35), "PIZZA"}} << "A / B"
            << "R$ 35,00"
            << "PIZZA";
        QTest::newRow("two, dearer first")
            << QList<Sabor>{{"B", reais(35), "X"}, {"A", reais(30), "Y"}} << "B / A"
            << "R$ 35,00"
            << "Y";
        QTest::newRow("four") << QList<Sabor>{{"A", reais(30), "C1"},
                                              {"B", reais(42), "C2"},
                                              {"C", reais(38), "C3"},
                                              {"D", Money::fromCents(4199), "C4"}}
                              << "A / B / C / D"
                              << "R$ 42,00"
                              << "C4";
        QTest::newRow("one") << QList<Sabor>{{"CALABRESA", Money::fromCents(3250), "P"}}
                             << "CALABRESA"
                             << "R$ 32,50"
                             << "P";
    }
    void compoe() {
        QFETCH(QList<Sabor>, sabores);
        const ItemComposto item = compoeSabores(sabores);
        QTEST(item.texto, "texto");
        QTEST(item.preco.format(), "preco");
        QTEST(item.categoria, "categoria");
    }

    void tieKeepsEarlier() {
        // Equal prices: the running value is kept, so the result equals the first price.
        const ItemComposto item =
            compoeSabores({{"A", reais(30), "X"}, {"B", reais(30), "Y"}, {"C", reais(20), "Z"}});
        QCOMPARE(item.preco, reais(30));
        QCOMPARE(item.texto, QStringLiteral("A / B / C"));
    }

    void empty() {
        const ItemComposto item = compoeSabores({});
        QVERIFY(item.texto.isEmpty());
        QVERIFY(item.preco.isZero());
    }
};

QTEST_APPLESS_MAIN(TestSabores)
#include "TestSabores.moc"
