#include "common/Money.h"

#include <QTest>
#include <QVariant>

char* toString(const Money& money) {
    return QTest::toString(money.format());
}

class TestMoney : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void parseAcceptsBrazilianForms_data();
    void parseAcceptsBrazilianForms();
    void parseRejectsMalformedText_data();
    void parseRejectsMalformedText();
    void formatsWithGroupingAndSign_data();
    void formatsWithGroupingAndSign();
    void formattedTextParsesBack();
    void sumsOfDecimalsAreExact();
    void arithmeticAndOrdering();
    void travelsInQVariant();
};

void TestMoney::parseAcceptsBrazilianForms_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("cents");

    QTest::newRow("whole reais") << "12" << qint64(1200);
    QTest::newRow("one decimal") << "12,5" << qint64(1250);
    QTest::newRow("two decimals") << "0,05" << qint64(5);
    QTest::newRow("trailing comma") << "12," << qint64(1200);
    QTest::newRow("no integer part") << ",5" << qint64(50);
    QTest::newRow("zero") << "0,00" << qint64(0);
    QTest::newRow("negative zero") << "-0,00" << qint64(0);
    QTest::newRow("thousands") << "1.234,50" << qint64(123450);
    QTest::newRow("millions") << "1.234.567,89" << qint64(123456789);
    QTest::newRow("ungrouped thousands") << "1234,50" << qint64(123450);
    QTest::newRow("grouped without decimals") << "1.000" << qint64(100000);
    QTest::newRow("point before two final digits") << "12.50" << qint64(1250);
    QTest::newRow("point before one final digit") << "7.5" << qint64(750);
    QTest::newRow("grouped, point before the cents") << "1.234.50" << qint64(123450);
    QTest::newRow("symbol and blank") << "R$ 1.234,50" << qint64(123450);
    QTest::newRow("symbol without blank") << "R$1,00" << qint64(100);
    QTest::newRow("symbol lower case") << "r$ 2,00" << qint64(200);
    QTest::newRow("surrounding blanks") << "  R$  7,25  " << qint64(725);
    QTest::newRow("minus") << "-5,00" << qint64(-500);
    QTest::newRow("minus before symbol") << "-R$ 5,00" << qint64(-500);
    QTest::newRow("minus after symbol") << "R$ -5,00" << qint64(-500);
    QTest::newRow("minus glued to symbol") << "R$-1.000,01" << qint64(-100001);
    QTest::newRow("fifteen digits") << "999.999.999.999.999,99" << qint64(99999999999999999);
}

void TestMoney::parseAcceptsBrazilianForms() {
    QFETCH(QString, text);
    QFETCH(qint64, cents);
    const std::optional<Money> money = Money::parse(text);
    QVERIFY2(money.has_value(), qPrintable(text));
    QCOMPARE(money->cents(), cents);
}

void TestMoney::parseRejectsMalformedText_data() {
    QTest::addColumn<QString>("text");

    QTest::newRow("empty") << "";
    QTest::newRow("blanks") << "   ";
    QTest::newRow("symbol only") << "R$";
    QTest::newRow("minus only") << "-";
    QTest::newRow("comma only") << ",";
    QTest::newRow("letters") << "abc";
    QTest::newRow("letters after digits") << "12a";
    QTest::newRow("two commas") << "1,2,3";
    QTest::newRow("three decimals") << "1,234";
    QTest::newRow("short group") << "1.23,00";
    QTest::newRow("long first group") << "1234.567,00";
    QTest::newRow("empty group") << "1..234";
    QTest::newRow("leading point") << ".234";
    QTest::newRow("trailing point") << "1.";
    QTest::newRow("point in decimals") << "1,2.";
    QTest::newRow("double minus") << "--5";
    QTest::newRow("trailing minus") << "5-";
    QTest::newRow("plus sign") << "+5";
    QTest::newRow("symbol after amount") << "5 R$";
    QTest::newRow("two symbols") << "R$ R$ 5";
    QTest::newRow("inner blank") << "1 234,00";
    QTest::newRow("sixteen digits") << "1234567890123456";
    QTest::newRow("non-ascii digits") << QString::fromUtf8("١٢");
}

void TestMoney::parseRejectsMalformedText() {
    QFETCH(QString, text);
    QVERIFY2(!Money::parse(text).has_value(), qPrintable(text));
}

void TestMoney::formatsWithGroupingAndSign_data() {
    QTest::addColumn<qint64>("cents");
    QTest::addColumn<QString>("formatted");
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("decimal");

    QTest::newRow("zero") << qint64(0) << "R$ 0,00"
                          << "0,00"
                          << "0.00";
    QTest::newRow("one centavo") << qint64(1) << "R$ 0,01"
                                 << "0,01"
                                 << "0.01";
    QTest::newRow("hundreds") << qint64(99999) << "R$ 999,99"
                              << "999,99"
                              << "999.99";
    QTest::newRow("thousand") << qint64(100000) << "R$ 1.000,00"
                              << "1.000,00"
                              << "1000.00";
    QTest::newRow("thousands") << qint64(123450) << "R$ 1.234,50"
                               << "1.234,50"
                               << "1234.50";
    QTest::newRow("millions") << qint64(123456789) << "R$ 1.234.567,89"
                              << "1.234.567,89"
                              << "1234567.89";
    QTest::newRow("negative") << qint64(-500) << "-R$ 5,00"
                              << "-5,00"
                              << "-5.00";
    QTest::newRow("negative centavos") << qint64(-7) << "-R$ 0,07"
                                       << "-0,07"
                                       << "-0.07";
    QTest::newRow("negative thousands") << qint64(-123450) << "-R$ 1.234,50"
                                        << "-1.234,50"
                                        << "-1234.50";
}

void TestMoney::formatsWithGroupingAndSign() {
    QFETCH(qint64, cents);
    QFETCH(QString, formatted);
    QFETCH(QString, plain);
    QFETCH(QString, decimal);
    const Money money = Money::fromCents(cents);
    QCOMPARE(money.format(), formatted);
    QCOMPARE(money.formatList(), formatted);
    QCOMPARE(money.formatPlain(), plain);
    QCOMPARE(money.toDecimalString(), decimal);
}

void TestMoney::formattedTextParsesBack() {
    for (qint64 cents = -250000; cents <= 250000; cents += 137) {
        const Money money = Money::fromCents(cents);
        QCOMPARE(Money::parse(money.format()), std::optional<Money>(money));
        QCOMPARE(Money::parse(money.formatPlain()), std::optional<Money>(money));
    }
}

void TestMoney::sumsOfDecimalsAreExact() {
    QCOMPARE(*Money::parse("0,10") + *Money::parse("0,20"), *Money::parse("0,30"));

    Money total;
    for (int i = 0; i < 1000; ++i) {
        total += *Money::parse("0,01");
    }
    QCOMPARE(total.formatPlain(), QStringLiteral("10,00"));
}

void TestMoney::arithmeticAndOrdering() {
    const Money price = Money::fromCents(2590);
    const Money fee = Money::fromCents(500);

    QCOMPARE((price * 3).cents(), qint64(7770));
    QCOMPARE((3 * price).cents(), qint64(7770));
    QCOMPARE((price - fee).cents(), qint64(2090));
    QCOMPARE((fee - price).format(), QStringLiteral("-R$ 20,90"));
    QCOMPARE((-price).cents(), qint64(-2590));
    QVERIFY((price - price).isZero());
    QVERIFY(fee < price);
    QVERIFY(price >= fee);
    QVERIFY(-price < fee);
    QCOMPARE(Money::max(price, fee), price);
    QCOMPARE(Money::max(fee, price), price);
    QCOMPARE(Money(), Money::fromCents(0));
}

void TestMoney::travelsInQVariant() {
    const Money money = Money::fromCents(1250);
    const QVariant variant = QVariant::fromValue(money);
    QCOMPARE(variant.typeId(), qMetaTypeId<Money>());
    QCOMPARE(variant.value<Money>(), money);
    QCOMPARE(variant, QVariant::fromValue(Money::fromCents(1250)));
    QVERIFY(variant != QVariant::fromValue(Money::fromCents(1251)));
}

QTEST_GUILESS_MAIN(TestMoney)
#include "TestMoney.moc"
