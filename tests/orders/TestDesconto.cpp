#include "orders/Desconto.h"

#include <QtTest>

Q_DECLARE_METATYPE(ResultadoDesconto)

class TestDesconto : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void calcula_data() {
        QTest::addColumn<QString>("valor");
        QTest::addColumn<QString>("pct");
        QTest::addColumn<QString>("total");
        QTest::addColumn<ResultadoDesconto>("esperado");
        const QString d = QStringLiteral("Desconto");
        QTest::newRow("amount 5") << "5"
                                  << ""
                                  << "R$ 80,00" << ResultadoDesconto(ItemDesconto{d, "R$ -5,00"});
        QTest::newRow("amount with decimals and grouping")
            << "1.234,5"
            << ""
            << "" << ResultadoDesconto(ItemDesconto{d, "R$ -1.234,50"});
        QTest::newRow("10 % of 80")
            << ""
            << "10"
            << "R$ 80,00" << ResultadoDesconto(ItemDesconto{"% " + d, "R$ -8,00"});
        QTest::newRow("12,5 % of 33,33 rounds half up")
            // 4,16625 → 4,17
            << ""
            << "12,5"
            << "R$ 33,33" << ResultadoDesconto(ItemDesconto{"% " + d, "R$ -4,17"});
        QTest::newRow("rounding down")
            << ""
            << "10"
            << "R$ 0,04" << ResultadoDesconto(ItemDesconto{"% " + d, "R$ 0,00"});
        QTest::newRow("half centavo rounds away from zero")
            << ""
            << "50"
            << "R$ 0,01" << ResultadoDesconto(ItemDesconto{"% " + d, "R$ -0,01"});
        QTest::newRow("both filled: amount wins")
            << "3"
            << "50"
            << "R$ 80,00" << ResultadoDesconto(ItemDesconto{d, "R$ -3,00"});
        QTest::newRow("amount not numeric, percentage used")
            << ","
            << "25"
            << "R$ 40,00" << ResultadoDesconto(ItemDesconto{"% " + d, "R$ -10,00"});
        QTest::newRow("larger than total accepted")
            << "100"
            << ""
            << "R$ 80,00" << ResultadoDesconto(ItemDesconto{d, "R$ -100,00"});
        QTest::newRow("percentage over 100 accepted")
            << ""
            << "150"
            << "R$ 10,00" << ResultadoDesconto(ItemDesconto{"% " + d, "R$ -15,00"});
        QTest::newRow("percentage, empty total refused")
            << ""
            << "10"
            << "" << ResultadoDesconto(DescontoTotalZero{});
        QTest::newRow("nothing") << ""
                                 << ""
                                 << "R$ 80,00" << ResultadoDesconto(DescontoSemValor{});
        QTest::newRow("blanks only") << " "
                                     << " . "
                                     << "R$ 80,00" << ResultadoDesconto(DescontoSemValor{});
    }
    void calcula() {
        QFETCH(QString, valor);
        QFETCH(QString, pct);
        QFETCH(QString, total);
        QFETCH(ResultadoDesconto, esperado);
        const ResultadoDesconto r = calculaDesconto(valor, pct, QStringLiteral("Desconto"), total);
        QCOMPARE(r.index(), esperado.index());
        if (const auto* item = std::get_if<ItemDesconto>(&r)) {
            QCOMPARE(item->produto, std::get<ItemDesconto>(esperado).produto);
            QCOMPARE(item->preco, std::get<ItemDesconto>(esperado).preco);
        }
    }
};

QTEST_APPLESS_MAIN(TestDesconto)
#include "TestDesconto.moc"
