#include "common/Error.h"
#include "orders/DispatchText.h"
#include "orders/Receipt.h"

#include <QFile>
#include <QtTest>

namespace {

const QDateTime kAgora(QDate(2026, 3, 9), QTime(19, 5, 7));

Pedido pedido() {
    Pedido p;
    p.numero = 1234;
    p.usuId = 2;
    p.usuario = QStringLiteral("MARIA");
    p.telefone = QStringLiteral("(19) 3500-2710");
    p.nome = QStringLiteral("JOSÉ DA SILVA");
    p.tipo = QStringLiteral("RUA");
    p.logradouro = QStringLiteral("DAS FLORES");
    p.numeroEndereco = QStringLiteral("120");
    p.complemento = QStringLiteral("APTO 3");
    p.bairro = QStringLiteral("CENTRO");
    p.cidade = QStringLiteral("CAMPINAS");
    p.cep = QStringLiteral("13010-000");
    p.formaPagamento = QStringLiteral("DINHEIRO");
    p.valorPago = QStringLiteral("100,00");
    p.troco = QStringLiteral("32,50");
    p.total = Money::fromCents(6750);
    p.itens = {{QStringLiteral("PIZZA"), QStringLiteral("CALABRESA"), 2, Money::fromCents(3250),
                Money::fromCents(6500)},
               {QStringLiteral("TAXA DE ENTREGA"), QStringLiteral("TAXA DE ENTREGA"), 1,
                Money::fromCents(250), Money::fromCents(250)}};
    return p;
}

const ReceiptHeader kHeader{true, QStringLiteral("PIZZARIA BELLA"), QStringLiteral("RUA A, 1"),
                            QStringLiteral("(19) 3333-4444")};

QStringList lines(const QString& text) {
    QStringList l = text.split(QStringLiteral("\r\n"));
    if (!l.isEmpty() && l.last().isEmpty()) {
        l.removeLast();
    }
    return l;
}

} // namespace

class TestReceipt : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fullOrderMatchesGoldenBytes() {
        QFile golden(QStringLiteral(BRISKO_TEST_SOURCE_DIR "/orders/golden/receipt_full.bin"));
        QVERIFY(golden.open(QIODevice::ReadOnly));
        Pedido p = pedido();
        p.observacao = QStringLiteral("PORTÃO AZUL");
        p.mensagem = QStringLiteral("LEVAR TROCO");
        QCOMPARE(receiptBytes(receiptText(p, kHeader, kAgora, ReceiptKind::Original), {}),
                 golden.readAll());
    }

    void withoutHeaderDateLineFollowsEscF() {
        const QStringList l =
            lines(receiptText(pedido(), ReceiptHeader{}, kAgora, ReceiptKind::Original));
        QCOMPARE(l.at(0), QStringLiteral("\x1b"
                                         "F"));
        QCOMPARE(l.at(1), QStringLiteral("09/03/2026       CUPOM NAO FISCAL      19:05:07"));
    }

    void postalCodeAndRemark_data() {
        QTest::addColumn<QString>("cep");
        QTest::addColumn<QString>("observacao");
        QTest::addColumn<QStringList>("expected"); // lines between the city line and the rule
        QTest::newRow("empty") << QString() << QString() << QStringList();
        QTest::newRow("one space")
            << QStringLiteral(" ") << QStringLiteral(" ")
            << QStringList{
                   QStringLiteral("CEP:  "), QStringLiteral(" "), QStringLiteral("OBSERVACAO"),
                   QStringLiteral(" "),      QString(),           QString()};
        const QString fifty = QString(48, QLatin1Char('A')) + QStringLiteral("BC");
        QTest::newRow("50 characters")
            << QString() << fifty
            << QStringList{QStringLiteral(" "), QStringLiteral("OBSERVACAO"),
                           QString(48, QLatin1Char('A')), QStringLiteral("BC"), QString()};
        QTest::newRow("past 144 dropped")
            << QString() << QString(150, QLatin1Char('X'))
            << QStringList{QStringLiteral(" "), QStringLiteral("OBSERVACAO"),
                           QString(48, QLatin1Char('X')), QString(48, QLatin1Char('X')),
                           QString(48, QLatin1Char('X'))};
    }
    void postalCodeAndRemark() {
        QFETCH(QString, cep);
        QFETCH(QString, observacao);
        QFETCH(QStringList, expected);
        Pedido p = pedido();
        p.cep = cep;
        p.observacao = observacao;
        const QStringList l = lines(receiptText(p, ReceiptHeader{}, kAgora, ReceiptKind::Original));
        const int city = static_cast<int>(l.indexOf(QStringLiteral("APTO 3 - CENTRO - CAMPINAS")));
        QVERIFY(city > 0);
        QCOMPARE(l.mid(city + 1, expected.size()), expected);
        QCOMPARE(l.at(city + 1 + expected.size()), QString(48, QLatin1Char('-')));
    }

    void messageOf100CharactersGivesThreeLines() {
        Pedido p = pedido();
        p.mensagem = QString(96, QLatin1Char('M')) + QStringLiteral("FIM!");
        const QStringList l = lines(receiptText(p, ReceiptHeader{}, kAgora, ReceiptKind::Original));
        const int block = static_cast<int>(l.indexOf(QStringLiteral("\x1b"
                                                                    "EMENSAGEM\x1b"
                                                                    "F")));
        QVERIFY(block > 0);
        QCOMPARE(l.mid(block + 1, 4),
                 (QStringList{QString(48, QLatin1Char('M')), QString(48, QLatin1Char('M')),
                              QStringLiteral("FIM!"), QStringLiteral("\a")}));
    }

    void longItemTextPushesPricesToNextLine() {
        Pedido p = pedido();
        p.itens = {{QStringLiteral("PIZZA"), QStringLiteral("CALABRESA / MUSSARELA / ATUM"), 1,
                    Money::fromCents(4000), Money::fromCents(4000)},
                   {QStringLiteral("PIZZA"), QString(25, QLatin1Char('P')), 1,
                    Money::fromCents(104000), Money::fromCents(104000)}};
        const QStringList l = lines(receiptText(p, ReceiptHeader{}, kAgora, ReceiptKind::Original));
        const int head = static_cast<int>(
            l.indexOf(QStringLiteral("QTD. PRODUTO                  VL.ITEM  TOTAL")));
        QVERIFY(head > 0);
        QCOMPARE(l.at(head + 1), QStringLiteral("1    CALABRESA / MUSSARELA / ATUM"));
        QCOMPARE(l.at(head + 2),
                 QString(30, QLatin1Char(' ')) + QStringLiteral("R$ 40,00 R$ 40,00"));
        QCOMPARE(l.at(head + 3), QStringLiteral("1    ") + QString(25, QLatin1Char('P')) +
                                     QStringLiteral("R$ 1.040,00"));
        QCOMPARE(l.at(head + 4), QString(39, QLatin1Char(' ')) + QStringLiteral("R$ 1.040,00"));
        QCOMPARE(l.at(head + 6), QStringLiteral("ITEM(S) 2  TROCO R$ 32,50  ** TOTAL R$ 67,50 **"));
    }

    void reprintUsesSingleAsterisks() {
        const QStringList l =
            lines(receiptText(pedido(), ReceiptHeader{}, kAgora, ReceiptKind::Reprint));
        QVERIFY(l.contains(QStringLiteral("ITEM(S) 2  TROCO R$ 32,50  * TOTAL R$ 67,50 *")));
    }

    void encodesInEachCodePage_data() {
        QTest::addColumn<QString>("codificacao");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("default") << QString() << QByteArray("feij\xe3o");
        QTest::newRow("windows-1252") << QStringLiteral("windows-1252") << QByteArray("feij\xe3o");
        QTest::newRow("cp850") << QStringLiteral("cp850") << QByteArray("feij\xc6o");
        QTest::newRow("cp860") << QStringLiteral("CP860") << QByteArray("feij\x84o");
    }
    void encodesInEachCodePage() {
        QFETCH(QString, codificacao);
        QFETCH(QByteArray, expected);
        QCOMPARE(receiptBytes(QStringLiteral("feijão"), codificacao), expected);
    }

    void portugueseLettersInDosPages() {
        QCOMPARE(receiptBytes(QStringLiteral("çÇºªõÕ€"), QStringLiteral("cp850")),
                 QByteArray("\x87\x80\xa7\xa6\xe4\xe5?"));
        QCOMPARE(receiptBytes(QStringLiteral("çÇºªõÕ€"), QStringLiteral("cp860")),
                 QByteArray("\x87\x80\xa7\xa6\x94\x99?"));
    }

    void unknownEncodingThrows() {
        try {
            receiptBytes(QStringLiteral("x"), QStringLiteral("utf-8"));
            QFAIL("no error");
        } catch (const Error& e) {
            QVERIFY(e.description().contains(QStringLiteral("utf-8")));
        }
    }

    void dispatchTextWithMessage() {
        Pedido p = pedido();
        p.mensagem = QString(48, QLatin1Char('A')) + QString(12, QLatin1Char('B'));
        const QString dashes(48, QLatin1Char('-'));
        const QStringList expected{QString(36, QLatin1Char('=')),
                                   QStringLiteral("Delivery System - Brisko v3.2.0"),
                                   QString(36, QLatin1Char('=')),
                                   QStringLiteral("PEDIDO: 1234"),
                                   QStringLiteral("CLIente: JOSÉ DA SILVA"),
                                   QStringLiteral("  "),
                                   dashes,
                                   QStringLiteral("QTD.....:2"),
                                   QStringLiteral("PRODUTO.: CALABRESA"),
                                   dashes,
                                   QStringLiteral("QTD.....:1"),
                                   QStringLiteral("PRODUTO.: TAXA DE ENTREGA"),
                                   dashes,
                                   QStringLiteral("MENSAGEM"),
                                   QString(48, QLatin1Char('A')),
                                   QString(12, QLatin1Char('B')),
                                   dashes,
                                   QStringLiteral("Gerado às 09/03/2026 : 19:05:07")};
        const QString text = dispatchText(p, kAgora);
        QVERIFY(text.endsWith(QStringLiteral("19:05:07\r\n")));
        QCOMPARE(lines(text), expected);
    }

    void dispatchTextWithoutMessageHasNoBlock() {
        const QString text = dispatchText(pedido(), kAgora);
        QVERIFY(!text.contains(QStringLiteral("MENSAGEM")));
        QVERIFY(text.endsWith(QStringLiteral("PRODUTO.: TAXA DE ENTREGA\r\n") +
                              QString(48, QLatin1Char('-')) +
                              QStringLiteral("\r\nGerado às 09/03/2026 : 19:05:07\r\n")));
    }
};

QTEST_GUILESS_MAIN(TestReceipt)
#include "TestReceipt.moc"
