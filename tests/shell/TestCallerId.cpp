#include "config/Settings.h"
#include "shell/CallerId.h"
#include "shell/DtmfFrameAssembler.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class TestCallerId : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void numberRule_data() {
        QTest::addColumn<QString>("reported");
        QTest::addColumn<QString>("expected"); // "-" = no number
        QTest::newRow("8 digits and terminator") << u"23456789C"_s << u"2345-6789"_s;
        QTest::newRow("14-char frame, mobile") << u"A111987654321C"_s << u"98765-4321"_s;
        QTest::newRow("13-char frame, fixed") << u"A11123456789C"_s << u"2345-6789"_s;
        QTest::newRow("empty") << u""_s << u"-"_s;
        QTest::newRow("blanks") << u"   "_s << u"-"_s;
        QTest::newRow("no digit left") << u"ABCDEFGHIJ"_s << u"-"_s;
    }
    void numberRule() {
        QFETCH(QString, reported);
        QFETCH(QString, expected);
        const auto numero = numeroDaChamada(reported);
        QCOMPARE(numero.value_or(u"-"_s), expected);
    }

    void typedTelephoneTakesTheLinesRoad_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("report");
        QTest::addColumn<QString>("numero");
        QTest::newRow("mobile") << u"987654321"_s << u"A100987654321C"_s << u"98765-4321"_s;
        QTest::newRow("fixed") << u"2345-6789"_s << u"A10023456789C"_s << u"2345-6789"_s;
        QTest::newRow("with area")
            << u"(11) 98765-4321"_s << u"A111987654321C"_s << u"98765-4321"_s;
        QTest::newRow("fixed with area")
            << u"(19) 2345-6789"_s << u"A11923456789C"_s << u"2345-6789"_s;
        QTest::newRow("country code")
            << u"+55 11 98765-4321"_s << u"A111987654321C"_s << u"98765-4321"_s;
        QTest::newRow("trunk zero") << u"011 2345-6789"_s << u"A11123456789C"_s << u"2345-6789"_s;
        QTest::newRow("frame as is")
            << u"D111987654321#"_s << u"D111987654321#"_s << u"98765-4321"_s;
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
        for (const QString& typed : {u"1234"_s, u""_s, u"123456789012345"_s, u"B10C"_s}) {
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
        const QList<QString> mics{u"Microfone"_s, u"Linha"_s};
        s.gIdentificaChamada = u"s"_s;
        QVERIFY(!verificaIdentificacaoChamada(s, none));
        s.gIdentificaChamada = u"S"_s;
        QCOMPARE(verificaIdentificacaoChamada(s, none).value_or(QString()), noDevice);
        QVERIFY(!verificaIdentificacaoChamada(s, mics));
        s.gDispositivoChamada = u"Linha"_s;
        QVERIFY(!verificaIdentificacaoChamada(s, mics));
        s.gDispositivoChamada = u"USB"_s;
        QCOMPARE(verificaIdentificacaoChamada(s, mics).value_or(QString()), missing);
        QCOMPARE(verificaIdentificacaoChamada(s, none).value_or(QString()), noDevice);
        s.gFonteChamada = u"nenhuma"_s;
        QVERIFY(!verificaIdentificacaoChamada(s, none));
    }

    void assemblerKeepsOnlyWholeFrames() {
        DtmfFrameAssembler a;
        QStringList out;
        qint64 t = 0;
        const auto feed = [&](const char* digits, qint64 step = 140) {
            for (const char* d = digits; *d; ++d) {
                t += step;
                if (auto f = a.digit(*d, t))
                    out << *f;
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
        QCOMPARE(out, QStringList({u"A11123456789C"_s, u"A111987654321C"_s, u"A11123456789C"_s}));
    }
};

QTEST_GUILESS_MAIN(TestCallerId)
#include "TestCallerId.moc"
