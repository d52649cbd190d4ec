#include "common/Text.h"

#include <QDate>
#include <QDateTime>
#include <QSet>
#include <QTest>
#include <QTime>

#include <limits>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace {

QString withoutAccents(const QString& text) {
    QString plain;
    for (const QChar c : text.normalized(QString::NormalizationForm_D)) {
        if (c.category() != QChar::Mark_NonSpacing)
            plain += c;
    }
    return plain;
}

void verifyDistinctAndAlphabetical(const QStringList& list) {
    QCOMPARE(QSet<QString>(list.begin(), list.end()).size(), list.size());
    for (qsizetype i = 1; i < list.size(); ++i) {
        QVERIFY2(withoutAccents(list.at(i - 1)) < withoutAccents(list.at(i)),
                 qPrintable(list.at(i - 1) + u' ' + list.at(i)));
    }
}

} // namespace

class TestText : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void soNumerosKeepsAsciiDigits_data() {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("digits");

        QTest::newRow("null") << QVariant() << u""_s;
        QTest::newRow("typed null") << QVariant(QMetaType::fromType<QString>()) << u""_s;
        QTest::newRow("formatted phone") << QVariant("(11) 5555-1234") << u"1155551234"_s;
        QTest::newRow("no digits") << QVariant("abc-") << u""_s;
        QTest::newRow("integer") << QVariant(4052) << u"4052"_s;
        QTest::newRow("other scripts' digits") << QVariant(QString::fromUtf8("1١2²3")) << u"123"_s;
    }

    void soNumerosKeepsAsciiDigits() {
        QFETCH(QVariant, value);
        QFETCH(QString, digits);
        QCOMPARE(SoNumeros(value), digits);
    }

    void formataTelefone_data() {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("argumentAfter");

        QTest::newRow("ten digits formatted")
            << u"(11) 5555-1234"_s << u"(11) 5555-1234"_s << u"1155551234"_s;
        QTest::newRow("eight digits") << u"55551234"_s << u"5555-1234"_s << u"55551234"_s;
        QTest::newRow("eight digits formatted")
            << u"5555 1234"_s << u"5555-1234"_s << u"55551234"_s;
        QTest::newRow("nine digits") << u"955551234"_s << u"95555-1234"_s << u"955551234"_s;
        QTest::newRow("nine digits formatted")
            << u"9 5555-1234"_s << u"95555-1234"_s << u"955551234"_s;
        QTest::newRow("empty") << u""_s << u""_s << u""_s;
        QTest::newRow("no digits") << u"sem fone"_s << u"sem fone"_s << u""_s;
        QTest::newRow("seven digits") << u"555-1234"_s << u"555-1234"_s << u"5551234"_s;
    }

    void formataTelefone() {
        QFETCH(QString, input);
        QFETCH(QString, result);
        QFETCH(QString, argumentAfter);
        QString t = input;
        QCOMPARE(FormataTelefone(t), result);
        QCOMPARE(t, argumentAfter);
    }

    void nomeProprio_data() {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");

        QTest::newRow("blanks kept inside")
            << u"  joão  silva das neves "_s << u"João  Silva das Neves"_s;
        QTest::newRow("upper case particles")
            << u"JOÃO DA SILVA E SOUZA"_s << u"João da Silva e Souza"_s;
        QTest::newRow("all particles") << u"ana de lima do vale dos reis e das flores"_s
                                       << u"Ana de Lima do Vale dos Reis e das Flores"_s;
        QTest::newRow("leading particle") << u"DE SOUZA"_s << u"De Souza"_s;
        QTest::newRow("leading particle twice") << u"da da silva"_s << u"Da da Silva"_s;
        QTest::newRow("particle at the end") << u"maria da"_s << u"Maria Da"_s;
        QTest::newRow("particle inside a word") << u"dagoberto dasilva"_s << u"Dagoberto Dasilva"_s;
        QTest::newRow("consecutive particles") << u"josé e e maria"_s << u"José e e Maria"_s;
        QTest::newRow("apostrophe") << u"d'avila"_s << u"D'Avila"_s;
        QTest::newRow("apostrophe inside") << u"RUA SANT'ANA"_s << u"Rua Sant'Ana"_s;
        QTest::newRow("ending in apostrophe") << u"olho d'"_s << u"Olho D'"_s;
        QTest::newRow("apostrophe only") << u"'"_s << u"'"_s;
        QTest::newRow("accented capitals") << u"ÁLVARO ÉDSON ÚRSULA"_s << u"Álvaro Édson Úrsula"_s;
        QTest::newRow("accented first letter") << u"ímola ênio"_s << u"Ímola Ênio"_s;
        QTest::newRow("empty") << u""_s << u""_s;
        QTest::newRow("blanks only") << u"   "_s << u""_s;
    }

    void nomeProprio() {
        QFETCH(QString, input);
        QFETCH(QString, expected);
        QCOMPARE(NomeProprio(input), expected);
    }

    void toSqlDateReadsDatesAndBindsTypedNull_data() {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QDate>("date");
        const QDate christmas(2015, 12, 25);
        QTest::newRow("date") << QVariant(christmas) << christmas;
        QTest::newRow("date and time")
            << QVariant(QDateTime(christmas, QTime(23, 59))) << christmas;
        QTest::newRow("date box text") << QVariant("25/12/2015") << christmas;
        QTest::newRow("date box text with blanks") << QVariant(" 01/02/2015 ") << QDate(2015, 2, 1);
        QTest::newRow("iso text") << QVariant("2015-12-25") << christmas;
        QTest::newRow("null") << QVariant() << QDate();
        QTest::newRow("typed null") << QVariant(QMetaType::fromType<QDate>()) << QDate();
        QTest::newRow("empty text") << QVariant("") << QDate();
        QTest::newRow("blank text") << QVariant("   ") << QDate();
        QTest::newRow("empty date box") << QVariant("__/__/____") << QDate();
        QTest::newRow("impossible day") << QVariant("31/02/2015") << QDate();
        QTest::newRow("words") << QVariant("amanhã") << QDate();
        QTest::newRow("number") << QVariant(42) << QDate();
        QTest::newRow("invalid date") << QVariant(QDate(2015, 13, 1)) << QDate();
    }

    void toSqlDateReadsDatesAndBindsTypedNull() {
        QFETCH(QVariant, value);
        QFETCH(QDate, date);
        const QVariant bound = toSqlDate(value);
        QCOMPARE(bound.typeId(), QMetaType::QDate);
        QCOMPARE(bound.isNull(), !date.isValid());
        if (date.isValid())
            QCOMPARE(bound.toDate(), date);
    }

    void fixedListsAreCompleteAndOrdered() {
        const QStringList states = CarregaUF();
        QCOMPARE(states.size(), 27);
        verifyDistinctAndAlphabetical(states);
        for (const QString& state : states)
            QCOMPARE(state.size(), 2);
        QVERIFY(states.contains(u"DF"_s));
        QVERIFY(states.contains(u"SP"_s));

        const QStringList types = CarregaTipoLogradouro();
        QCOMPARE(types.size(), 42);
        verifyDistinctAndAlphabetical(types);
        for (const char* accented : {"ÁREA", "CHÁCARA", "COLÔNIA", "CONDOMÍNIO", "ESTAÇÃO",
                                     "NÚCLEO", "PÁTIO", "PRAÇA", "SÍTIO"}) {
            QVERIFY2(types.contains(QString::fromUtf8(accented)), accented);
        }
        QCOMPARE(types.first(), u"ALAMEDA"_s);
        QCOMPARE(types.last(), u"VILA"_s);
    }
};

QTEST_GUILESS_MAIN(TestText)
#include "TestText.moc"
