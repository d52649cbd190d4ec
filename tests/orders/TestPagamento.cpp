#include "orders/Pagamento.h"

#include <QtTest>

class TestPagamento : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void dinheiro_data() {
        QTest::addColumn<QString>("total");
        QTest::addColumn<QString>("pago");
        QTest::addColumn<QString>("valorPago");
        QTest::addColumn<QString>("troco");
        QTest::addColumn<bool>("negativo");
        QTest::newRow("change 2,50") << "R$ 47,50"
                                     << "50,00"
                                     << "50,00"
                                     << "2,50" << false;
        QTest::newRow("equal") << "R$ 47,50"
                               << "47,5"
                               << "47,50"
                               << "0,00" << false;
        QTest::newRow("below") << "R$ 47,50"
                               << "40"
                               << "40,00"
                               << "-7,50" << true;
        QTest::newRow("no total counts 0") << ""
                                           << "20"
                                           << "20,00"
                                           << "20,00" << false;
        QTest::newRow("grouped") << "R$ 1.000,00"
                                 << "1.200,00"
                                 << "1.200,00"
                                 << "200,00" << false;
    }
    void dinheiro() {
        QFETCH(QString, total);
        QFETCH(QString, pago);
        const auto p = pagamentoDinheiro(total, pago);
        QVERIFY(p);
        QCOMPARE(p->forma, QStringLiteral("DINHEIRO"));
        QTEST(p->valorPago, "valorPago");
        QTEST(p->troco, "troco");
        QTEST(p->trocoNegativo, "negativo");
    }

    void dinheiroSemNumero() {
        QVERIFY(!pagamentoDinheiro("R$ 10,00", ""));
        QVERIFY(!pagamentoDinheiro("R$ 10,00", " , "));
    }

    void cores() {
        QCOMPARE(corTroco(true), QColor(255, 0, 0));
        // 13515070 in the 0x00BBGGRR order
        QCOMPARE(corTroco(false),
                 QColor(13515070 & 0xFF, (13515070 >> 8) & 0xFF, (13515070 >> 16) & 0xFF));
    }

    void semTroco() {
        QCOMPARE(pagamentoSemTroco("VISA", "R$ 47,50"),
                 (Pagamento{"VISA", "R$ 47,50", "R$ 0,00", false}));
        // before any item: the total box is empty and so is the paid amount
        QCOMPARE(pagamentoSemTroco("CHEQUE", ""), (Pagamento{"CHEQUE", "", "R$ 0,00", false}));
    }

    void formas() {
        QStringList textos;
        for (const FormaPagamento& f : formasPagamento())
            textos << f.texto;
        QCOMPARE(textos,
                 (QStringList{"DINHEIRO", "CHEQUE", "VISA", "MASTERCARD", "AMERICAN EXPRESS", "ELO",
                              "VISA CRÉDITO", "MASTERCARD CRÉDITO"}));
    }

    void notas() {
        QString t;
        for (int i = 0; i < 3; ++i)
            t = somaNota(t, "10,00");
        QCOMPARE(t, QStringLiteral("30,00"));
        QCOMPARE(somaNota("abc", "0,05"), QStringLiteral("0,05"));
        QCOMPARE(somaNota("999,95", "0,05"), QStringLiteral("1.000,00"));
        QCOMPARE(somaNota("2", "1"), QStringLiteral("3,00"));
        QCOMPARE(valoresNotas().size(), 10);
    }
};

QTEST_APPLESS_MAIN(TestPagamento)
#include "TestPagamento.moc"
