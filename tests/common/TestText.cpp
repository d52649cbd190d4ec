#include "common/Money.h"
#include "common/Text.h"

#include <QDate>
#include <QDateTime>
#include <QSet>
#include <QTest>
#include <QTime>

#include <limits>
#include <stdexcept>

class TestText : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void soNumerosKeepsAsciiDigits_data();
    void soNumerosKeepsAsciiDigits();
    void formataTelefone_data();
    void formataTelefone();
    void nomeProprio_data();
    void nomeProprio();
    void formataDataSQL_data();
    void formataDataSQL();
    void toSqlDateBindsDateOrTypedNull();
    void montaValoresBuildsInsertList();
    void montaValoresQuotesDatesForServer();
    void montaValoresWritesCurrency_data();
    void montaValoresWritesCurrency();
    void montaValoresReplacesElementsByText();
    void montaValoresRejectsOutOfRangeNumbers();
    void fixedListsAreCompleteAndOrdered();
};

void TestText::soNumerosKeepsAsciiDigits_data() {
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("digits");

    QTest::newRow("null") << QVariant() << "";
    QTest::newRow("typed null") << QVariant(QMetaType::fromType<QString>()) << "";
    QTest::newRow("formatted phone") << QVariant("(11) 5555-1234") << "1155551234";
    QTest::newRow("no digits") << QVariant("abc-") << "";
    QTest::newRow("integer") << QVariant(4052) << "4052";
    QTest::newRow("other scripts' digits") << QVariant(QString::fromUtf8("1١2²3")) << "123";
}

void TestText::soNumerosKeepsAsciiDigits() {
    QFETCH(QVariant, value);
    QFETCH(QString, digits);
    QCOMPARE(SoNumeros(value), digits);
}

void TestText::formataTelefone_data() {
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("argumentAfter");

    QTest::newRow("ten digits formatted") << "(11) 5555-1234"
                                          << "(11) 5555-1234"
                                          << "1155551234";
    QTest::newRow("eight digits") << "55551234"
                                  << "5555-1234"
                                  << "55551234";
    QTest::newRow("eight digits formatted") << "5555 1234"
                                            << "5555-1234"
                                            << "55551234";
    QTest::newRow("nine digits") << "955551234"
                                 << "95555-1234"
                                 << "955551234";
    QTest::newRow("nine digits formatted") << "9 5555-1234"
                                           << "95555-1234"
                                           << "955551234";
    QTest::newRow("empty") << ""
                           << ""
                           << "";
    QTest::newRow("no digits") << "sem fone"
                               << "sem fone"
                               << "";
    QTest::newRow("seven digits") << "555-1234"
                                  << "555-1234"
                                  << "5551234";
}

void TestText::formataTelefone() {
    QFETCH(QString, input);
    QFETCH(QString, result);
    QFETCH(QString, argumentAfter);
    QString t = input;
    QCOMPARE(FormataTelefone(t), result);
    QCOMPARE(t, argumentAfter);
}

void TestText::nomeProprio_data() {
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");

    QTest::newRow("blanks kept inside") << "  joão  silva das neves "
                                        << "João  Silva das Neves";
    QTest::newRow("upper case particles") << "JOÃO DA SILVA E SOUZA"
                                          << "João da Silva e Souza";
    QTest::newRow("all particles") << "ana de lima do vale dos reis e das flores"
                                   << "Ana de Lima do Vale dos Reis e das Flores";
    QTest::newRow("leading particle") << "DE SOUZA"
                                      << "De Souza";
    QTest::newRow("leading particle twice") << "da da silva"
                                            << "Da da Silva";
    QTest::newRow("particle at the end") << "maria da"
                                         << "Maria Da";
    QTest::newRow("particle inside a word") << "dagoberto dasilva"
                                            << "Dagoberto Dasilva";
    QTest::newRow("consecutive particles") << "josé e e maria"
                                           << "José e e Maria";
    QTest::newRow("apostrophe") << "d'avila"
                                << "D'Avila";
    QTest::newRow("apostrophe inside") << "RUA SANT'ANA"
                                       << "Rua Sant'Ana";
    QTest::newRow("ending in apostrophe") << "olho d'"
                                          << "Olho D'";
    QTest::newRow("apostrophe only") << "'"
                                     << "'";
    QTest::newRow("accented capitals") << "ÁLVARO ÉDSON ÚRSULA"
                                       << "Álvaro Édson Úrsula";
    QTest::newRow("accented first letter") << "ímola ênio"
                                           << "Ímola Ênio";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("blanks only") << "   "
                                 << "";
}

void TestText::nomeProprio() {
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QCOMPARE(NomeProprio(input), expected);
}

void TestText::formataDataSQL_data() {
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("literal");

    QTest::newRow("date") << QVariant(QDate(2015, 12, 25)) << "#12/25/2015#";
    QTest::newRow("month first") << QVariant(QDate(2015, 2, 1)) << "#02/01/2015#";
    QTest::newRow("date and time")
        << QVariant(QDateTime(QDate(2015, 12, 25), QTime(10, 30))) << "#12/25/2015#";
    QTest::newRow("date box text") << QVariant("25/12/2015") << "#12/25/2015#";
    QTest::newRow("date box text with blanks") << QVariant(" 01/02/2015 ") << "#02/01/2015#";
    QTest::newRow("iso text") << QVariant("2015-12-25") << "#12/25/2015#";
    QTest::newRow("null") << QVariant() << "NULL";
    QTest::newRow("typed null") << QVariant(QMetaType::fromType<QDate>()) << "NULL";
    QTest::newRow("empty text") << QVariant("") << "NULL";
    QTest::newRow("blank text") << QVariant("   ") << "NULL";
    QTest::newRow("empty date box") << QVariant("__/__/____") << "NULL";
    QTest::newRow("impossible day") << QVariant("31/02/2015") << "NULL";
    QTest::newRow("words") << QVariant("amanhã") << "NULL";
    QTest::newRow("number") << QVariant(42) << "NULL";
    QTest::newRow("invalid date") << QVariant(QDate(2015, 13, 1)) << "NULL";
}

void TestText::formataDataSQL() {
    QFETCH(QVariant, value);
    QFETCH(QString, literal);
    QCOMPARE(FormataDataSQL(value), literal);
}

void TestText::toSqlDateBindsDateOrTypedNull() {
    QCOMPARE(toSqlDate(QVariant("25/12/2015")), QVariant(QDate(2015, 12, 25)));
    QCOMPARE(toSqlDate(QVariant(QDateTime(QDate(2015, 2, 1), QTime(23, 59)))),
             QVariant(QDate(2015, 2, 1)));

    for (const QVariant& blank : {QVariant(), QVariant(""), QVariant("__/__/____")}) {
        const QVariant bound = toSqlDate(blank);
        QVERIFY(bound.isNull());
        QCOMPARE(bound.typeId(), QMetaType::QDate);
    }
}

void TestText::montaValoresBuildsInsertList() {
    const QDateTime midnight(QDate(2015, 2, 1), QTime(0, 0));
    QVariantList values{QStringLiteral("O'Brien"), midnight, 12.5, QVariant()};
    QCOMPARE(MontaValores(values, false), QStringLiteral("'O''Brien',#2015-02-01#,12.5,Null"));

    QVariantList emptyText{QStringLiteral(""), QStringLiteral("   "), 7};
    QCOMPARE(MontaValores(emptyText, false), QStringLiteral("Null,Null,7"));

    QVariantList others{true, false, qint64(123456789012), QStringLiteral("  a  b ")};
    QCOMPARE(MontaValores(others, false), QStringLiteral("true,false,123456789012,'a  b'"));

    QVariantList nothing;
    QCOMPARE(MontaValores(nothing, false), QString());
}

void TestText::montaValoresQuotesDatesForServer() {
    const QDate day(2015, 2, 1);
    const auto build = [](const QVariant& value, bool formatoServidor) {
        QVariantList values{value};
        return MontaValores(values, formatoServidor);
    };

    QCOMPARE(build(QDateTime(day, QTime(0, 0)), true), QStringLiteral("'2015-02-01'"));
    QCOMPARE(build(day, false), QStringLiteral("#2015-02-01#"));
    QCOMPARE(build(QDateTime(day, QTime(10, 30)), false), QStringLiteral("#2015-02-01 10:30#"));
    QCOMPARE(build(QDateTime(day, QTime(10, 30)), true), QStringLiteral("'2015-02-01 10:30'"));
    QCOMPARE(build(QDateTime(day, QTime(10, 30, 45)), false), QStringLiteral("#2015-02-01 10:30#"));
    QCOMPARE(build(QDateTime(day, QTime(0, 0, 30)), false), QStringLiteral("#2015-02-01#"));
}

void TestText::montaValoresWritesCurrency_data() {
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("written");

    QTest::newRow("twelve and a half") << QVariant(12.5) << "12.5";
    QTest::newRow("whole") << QVariant(3.0) << "3";
    QTest::newRow("four decimals") << QVariant(0.1234) << "0.1234";
    QTest::newRow("beyond four decimals") << QVariant(2.00004) << "2";
    QTest::newRow("negative") << QVariant(-7.25) << "-7.25";
    QTest::newRow("no grouping nor exponent") << QVariant(1234567.5) << "1234567.5";
    QTest::newRow("binary fraction") << QVariant(0.1 + 0.2) << "0.3";
    QTest::newRow("float") << QVariant(12.5f) << "12.5";
    QTest::newRow("money") << QVariant::fromValue(Money::fromCents(1250)) << "12.5";
    QTest::newRow("money whole") << QVariant::fromValue(Money::fromCents(300)) << "3";
    QTest::newRow("money centavos") << QVariant::fromValue(Money::fromCents(-5)) << "-0.05";
    QTest::newRow("money thousands") << QVariant::fromValue(Money::fromCents(123450)) << "1234.5";
}

void TestText::montaValoresWritesCurrency() {
    QFETCH(QVariant, value);
    QFETCH(QString, written);
    QVariantList values{value, 1};
    QCOMPARE(MontaValores(values, false), written + QStringLiteral(",1"));
}

void TestText::montaValoresReplacesElementsByText() {
    QVariantList values{QStringLiteral("  O'Brien "), 12.5,
                        QVariant::fromValue(Money::fromCents(990)), 42, QVariant()};
    MontaValores(values, false);
    QCOMPARE(values.at(0), QVariant(QStringLiteral("O'Brien")));
    QCOMPARE(values.at(1), QVariant(QStringLiteral("12.5")));
    QCOMPARE(values.at(2), QVariant(QStringLiteral("9.9")));
    QCOMPARE(values.at(3), QVariant(QStringLiteral("42")));
    QVERIFY(values.at(4).isNull());
}

void TestText::montaValoresRejectsOutOfRangeNumbers() {
    for (const double bad : {1e300, -1e16, std::numeric_limits<double>::infinity(),
                             std::numeric_limits<double>::quiet_NaN()}) {
        QVariantList values{bad};
        QVERIFY_THROWS_EXCEPTION(std::overflow_error, MontaValores(values, false));
    }
}

namespace {

QString withoutAccents(const QString& text) {
    QString plain;
    for (const QChar c : text.normalized(QString::NormalizationForm_D)) {
        if (c.category() != QChar::Mark_NonSpacing) {
            plain += c;
        }
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

void TestText::fixedListsAreCompleteAndOrdered() {
    const QStringList states = CarregaUF();
    QCOMPARE(states.size(), 27);
    verifyDistinctAndAlphabetical(states);
    for (const QString& state : states) {
        QCOMPARE(state.size(), 2);
    }
    QVERIFY(states.contains(QStringLiteral("DF")));
    QVERIFY(states.contains(QStringLiteral("SP")));

    const QStringList types = CarregaTipoLogradouro();
    QCOMPARE(types.size(), 42);
    verifyDistinctAndAlphabetical(types);
    for (const char* accented : {"ÁREA", "CHÁCARA", "COLÔNIA", "CONDOMÍNIO", "ESTAÇÃO", "NÚCLEO",
                                 "PÁTIO", "PRAÇA", "SÍTIO"}) {
        QVERIFY2(types.contains(QString::fromUtf8(accented)), accented);
    }
    QCOMPARE(types.first(), QStringLiteral("ALAMEDA"));
    QCOMPARE(types.last(), QStringLiteral("VILA"));
}

QTEST_GUILESS_MAIN(TestText)
#include "TestText.moc"
