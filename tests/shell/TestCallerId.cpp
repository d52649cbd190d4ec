#include "config/Settings.h"
#include "shell/CallerId.h"
#include "shell/DtmfFrameAssembler.h"

#include <QtTest>

class TestCallerId : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void numberRule_data() {
        QTest::addColumn<QString>("reported");
        QTest::addColumn<QString>("expected"); // "-" = no number
        QTest::newRow("8 digits and terminator") << "23456789C"
                                                 << "2345-6789";
        QTest::newRow("14-char frame, mobile") << "A111987654321C"
                                               << "98765-4321";
        QTest::newRow("13-char frame, fixed") << "A11123456789C"
                                              << "2345-6789";
        QTest::newRow("empty") << ""
                               << "-";
        QTest::newRow("blanks") << "   "
                                << "-";
        QTest::newRow("no digit left") << "ABCDEFGHIJ"
                                       << "-";
    }
    void numberRule() {
        QFETCH(QString, reported);
        QFETCH(QString, expected);
        const auto numero = numeroDaChamada(reported);
        QCOMPARE(numero.value_or(QStringLiteral("-")), expected);
    }

    void typedTelephoneTakesTheLinesRoad_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("report");
        QTest::addColumn<QString>("numero");
        QTest::newRow("mobile") << "987654321"
                                << "A100987654321C"
                                << "98765-4321";
        QTest::newRow("fixed") << "2345-6789"
                               << "A10023456789C"
                               << "2345-6789";
        QTest::newRow("with area") << "(11) 98765-4321"
                                   << "A111987654321C"
                                   << "98765-4321";
        QTest::newRow("fixed with area") << "(19) 2345-6789"
                                         << "A11923456789C"
                                         << "2345-6789";
        QTest::newRow("country code") << "+55 11 98765-4321"
                                      << "A111987654321C"
                                      << "98765-4321";
        QTest::newRow("trunk zero") << "011 2345-6789"
                                    << "A11123456789C"
                                    << "2345-6789";
        QTest::newRow("frame as is") << "D111987654321#"
                                     << "D111987654321#"
                                     << "98765-4321";
    }
    void typedTelephoneTakesTheLinesRoad() {
        QFETCH(QString, typed);
        QFETCH(QString, report);
        QFETCH(QString, numero);
        QString error;
        const auto relato = relatoDeTelefone(typed, &error);
        QVERIFY2(relato, qPrintable(error));
        QCOMPARE(*relato, report);
        QCOMPARE(numeroDaChamada(*relato).value_or(QString()), numero);
    }

    void typedTextThatIsNoTelephoneIsRefused() {
        for (const QString& typed : {QStringLiteral("1234"), QStringLiteral(""),
                                     QStringLiteral("123456789012345"), QStringLiteral("B10C")}) {
            QString error;
            QVERIFY2(!relatoDeTelefone(typed, &error), qPrintable(typed));
            QVERIFY(error.contains(u'"'));
        }
    }

    void warningsOnlyWhenTheSoundSourceIsOn() {
        const QString noDevice =
            QStringLiteral("O Sistema não identificou uma placa de SOM ou a mesma não esta "
                           "funcionando.\nO programa sera inicializado sem a função de "
                           "identificação automatica.");
        const QString missing = QStringLiteral(
            "Não foi localizado um componente do sistema.\nO programa sera inicializado sem a "
            "função de identificação automatica.\nID: E001");
        Settings s;
        const QList<QString> none;
        const QList<QString> mics{QStringLiteral("Microfone"), QStringLiteral("Linha")};
        s.gIdentificaChamada = QStringLiteral("s");
        QVERIFY(!verificaIdentificacaoChamada(s, none));
        s.gIdentificaChamada = QStringLiteral("S");
        QCOMPARE(verificaIdentificacaoChamada(s, none).value_or(QString()), noDevice);
        QVERIFY(!verificaIdentificacaoChamada(s, mics));
        s.gDispositivoChamada = QStringLiteral("Linha");
        QVERIFY(!verificaIdentificacaoChamada(s, mics));
        s.gDispositivoChamada = QStringLiteral("USB");
        QCOMPARE(verificaIdentificacaoChamada(s, mics).value_or(QString()), missing);
        QCOMPARE(verificaIdentificacaoChamada(s, none).value_or(QString()), noDevice);
        s.gFonteChamada = QStringLiteral("nenhuma");
        QVERIFY(!verificaIdentificacaoChamada(s, none));
    }

    void assemblerKeepsOnlyWholeFrames() {
        DtmfFrameAssembler a;
        QStringList out;
        qint64 t = 0;
        const auto feed = [&](const char* digits, qint64 step = 140) {
            for (const char* d = digits; *d; ++d) {
                t += step;
                if (auto f = a.digit(*d, t)) {
                    out << *f;
                }
            }
        };
        feed("12A11123456789C");        // digits before the start are dropped
        feed("A1119876A111987654321C"); // a new start restarts
        feed("B10C");                   // restricted: nothing
        feed("D11123456789#");          // the other framing
        feed("A11198765");              // terminator lost...
        t += 2000;
        a.advance(t);
        QVERIFY(!a.inFrame());
        feed("4321C"); // ...so its tail is not a number
        feed("AC");
        feed("A1*1C");
        QCOMPARE(out,
                 QStringList({QStringLiteral("A11123456789C"), QStringLiteral("A111987654321C"),
                              QStringLiteral("A11123456789C")}));
    }
};

QTEST_GUILESS_MAIN(TestCallerId)
#include "TestCallerId.moc"
