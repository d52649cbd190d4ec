#include "common/Money.h"
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

    void formataDataSQL_data() {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("literal");

        QTest::newRow("date") << QVariant(QDate(2015, 12, 25)) << u"#12/25/2015#"_s;
        QTest::newRow("month first") << QVariant(QDate(2015, 2, 1)) << u"#02/01/2015#"_s;
        QTest::newRow("date and time")
            << QVariant(QDateTime(QDate(2015, 12, 25), QTime(10, 30))) << u"#12/25/2015#"_s;
        QTest::newRow("date box text") << QVariant("25/12/2015") << u"#12/25/2015#"_s;
        QTest::newRow("date box text with blanks") << QVariant(" 01/02/2015 ") << u"#02/01/2015#"_s;
        QTest::newRow("iso text") << QVariant("2015-12-25") << u"#12/25/2015#"_s;
        QTest::newRow("null") << QVariant() << u"NULL"_s;
        QTest::newRow("typed null") << QVariant(QMetaType::fromType<QDate>()) << u"NULL"_s;
        QTest::newRow("empty text") << QVariant("") << u"NULL"_s;
        QTest::newRow("blank text") << QVariant("   ") << u"NULL"_s;
        QTest::newRow("empty date box") << QVariant("__/__/____") << u"NULL"_s;
        QTest::newRow("impossible day") << QVariant("31/02/2015") << u"NULL"_s;
        QTest::newRow("words") << QVariant("amanhã") << u"NULL"_s;
        QTest::newRow("number") << QVariant(42) << u"NULL"_s;
        QTest::newRow("invalid date") << QVariant(QDate(2015, 13, 1)) << u"NULL"_s;
    }

    void formataDataSQL() {
        QFETCH(QVariant, value);
        QFETCH(QString, literal);
        QCOMPARE(FormataDataSQL(value), literal);
    }

    void toSqlDateBindsDateOrTypedNull() {
        QCOMPARE(toSqlDate(QVariant("25/12/2015")), QVariant(QDate(2015, 12, 25)));
        QCOMPARE(toSqlDate(QVariant(QDateTime(QDate(2015, 2, 1), QTime(23, 59)))),
                 QVariant(QDate(2015, 2, 1)));

        for (const QVariant& blank : {QVariant(), QVariant(""), QVariant("__/__/____")}) {
            const QVariant bound = toSqlDate(blank);
            QVERIFY(bound.isNull());
            QCOMPARE(bound.typeId(), QMetaType::QDate);
        }
    }

    void montaValoresBuildsInsertList() {
        const QDateTime midnight(QDate(2015, 2, 1), QTime(0, 0));
        QVariantList values{u"O'Brien"_s, midnight, 12.5, QVariant()};
        QCOMPARE(MontaValores(values, false), u"'O''Brien',#2015-02-01#,12.5,Null"_s);

        QVariantList emptyText{u""_s, u"   "_s, 7};
        QCOMPARE(MontaValores(emptyText, false), u"Null,Null,7"_s);

        QVariantList others{true, false, qint64(123456789012), u"  a  b "_s};
        QCOMPARE(MontaValores(others, false), u"true,false,123456789012,'a  b'"_s);

        QVariantList nothing;
        QCOMPARE(MontaValores(nothing, false), QString());
    }

    void montaValoresQuotesDatesForServer() {
        const QDate day(2015, 2, 1);
        const auto build = [](const QVariant& value, bool formatoServidor) {
            QVariantList values{value};
            return MontaValores(values, formatoServidor);
        };

        QCOMPARE(build(QDateTime(day, QTime(0, 0)), true), u"'2015-02-01'"_s);
        QCOMPARE(build(day, false), u"#2015-02-01#"_s);
        QCOMPARE(build(QDateTime(day, QTime(10, 30)), false), u"#2015-02-01 10:30#"_s);
        QCOMPARE(build(QDateTime(day, QTime(10, 30)), true), u"'2015-02-01 10:30'"_s);
        QCOMPARE(build(QDateTime(day, QTime(10, 30, 45)), false), u"#2015-02-01 10:30#"_s);
        QCOMPARE(build(QDateTime(day, QTime(0, 0, 30)), false), u"#2015-02-01#"_s);
    }

    void montaValoresWritesCurrency_data() {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("written");

        QTest::newRow("twelve and a half") << QVariant(12.5) << u"12.5"_s;
        QTest::newRow("whole") << QVariant(3.0) << u"3"_s;
        QTest::newRow("four decimals") << QVariant(0.1234) << u"0.1234"_s;
        QTest::newRow("beyond four decimals") << QVariant(2.00004) << u"2"_s;
        QTest::newRow("negative") << QVariant(-7.25) << u"-7.25"_s;
        QTest::newRow("no grouping nor exponent") << QVariant(1234567.5) << u"1234567.5"_s;
        QTest::newRow("binary fraction") << QVariant(0.1 + 0.2) << u"0.3"_s;
        QTest::newRow("float") << QVariant(12.5f) << u"12.5"_s;
        QTest::newRow("money") << QVariant::fromValue(Money::fromCents(1250)) << u"12.5"_s;
        QTest::newRow("money whole") << QVariant::fromValue(Money::fromCents(300)) << u"3"_s;
        QTest::newRow("money centavos") << QVariant::fromValue(Money::fromCents(-5)) << u"-0.05"_s;
        QTest::newRow("money thousands")
            << QVariant::fromValue(Money::fromCents(123450)) << u"1234.5"_s;
    }

    void montaValoresWritesCurrency() {
        QFETCH(QVariant, value);
        QFETCH(QString, written);
        QVariantList values{value, 1};
        QCOMPARE(MontaValores(values, false), written + u",1"_s);
    }

    void montaValoresReplacesElementsByText() {
        QVariantList values{u"  O'Brien "_s, 12.5, QVariant::fromValue(Money::fromCents(990)), 42,
                            QVariant()};
        MontaValores(values, false);
        QCOMPARE(values.at(0), QVariant(u"O'Brien"_s));
        QCOMPARE(values.at(1), QVariant(u"12.5"_s));
        QCOMPARE(values.at(2), QVariant(u"9.9"_s));
        QCOMPARE(values.at(3), QVariant(u"42"_s));
        QVERIFY(values.at(4).isNull());
    }

    void montaValoresRejectsOutOfRangeNumbers() {
        for (const double bad : {1e300, -1e16, std::numeric_limits<double>::infinity(),
                                 std::numeric_limits<double>::quiet_NaN()}) {
            QVariantList values{bad};
            QVERIFY_THROWS_EXCEPTION(std::overflow_error, MontaValores(values, false));
        }
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
