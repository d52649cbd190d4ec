#include "management/MensagemEntregador.h"

#include <QtTest>

class MensagemEntregadorTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void textLineByLine_data();
    void textLineByLine();
};

void MensagemEntregadorTest::textLineByLine_data() {
    QTest::addColumn<QString>("mensagem");
    QTest::addColumn<QString>("bloco");
    const QString a(48, QLatin1Char('A')), b(48, QLatin1Char('B')), c(48, QLatin1Char('C'));
    const QString tracos(48, QLatin1Char('-'));
    QTest::newRow("150 characters cut at 144")
        << a + b + c + QStringLiteral("ZZZZZZ")
        << QStringLiteral("MENSAGEM\r\n") + a + "\r\n" + b + "\r\n" + c + "\r\n" + tracos + "\r\n";
    QTest::newRow("short") << QStringLiteral(" - CONCLUIDO -")
                           << QStringLiteral("MENSAGEM\r\n - CONCLUIDO -\r\n") + tracos + "\r\n";
    QTest::newRow("empty") << QString() << QString();
}

void MensagemEntregadorTest::textLineByLine() {
    QFETCH(QString, mensagem);
    QFETCH(QString, bloco);
    MensagemConsulta m{QStringLiteral("42"),
                       QStringLiteral("maria d'ávila"),
                       QStringLiteral("DAS FLORES"),
                       QStringLiteral("120"),
                       QStringLiteral("apto 3"),
                       QStringLiteral("98765-4321"),
                       {{QStringLiteral("2"), QStringLiteral("CALABRESA")},
                        {QStringLiteral("1"), QStringLiteral("COCA 2L")}},
                       QStringLiteral("2,50"),
                       QStringLiteral("47,50"),
                       QStringLiteral("DINHEIRO"),
                       QStringLiteral("50,00"),
                       mensagem};
    const QString tracos(48, QLatin1Char('-'));
    const QString iguais(36, QLatin1Char('='));
    const QString esperado = iguais + "\r\nDelivery System - Brisko v3.2.0\r\n" + iguais +
                             "\r\nPEDIDO: 42\r\nCLIente: MARIA D'ÁVILA\r\n  \r\n"
                             "RUA: DAS FLORES 120\r\nCOMPL.: APTO 3\r\n  \r\nTel: 98765-4321\r\n" +
                             tracos +
                             "\r\nQTD.....:2\r\nPRODUTO.: CALABRESA\r\nQTD.....:1\r\n"
                             "PRODUTO.: COCA 2L\r\n" +
                             tracos +
                             "\r\nITEM(S) 2\r\nTROCO R$ 2,50\r\nTOTAL R$ 47,50\r\n  \r\n"
                             "FORMA DE PAGAMENTO: DINHEIRO\r\nRECEBER: R$50,00\r\n" +
                             tracos + "\r\n" + bloco + "Gerado às 07/12/2026 : 19:05:07\r\n";
    QCOMPARE(mensagemEntregador(m, QDateTime(QDate(2026, 12, 7), QTime(19, 5, 7))), esperado);
}

QTEST_GUILESS_MAIN(MensagemEntregadorTest)
#include "TestMensagemEntregador.moc"
