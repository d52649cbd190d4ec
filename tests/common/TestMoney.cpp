#include "common/Money.h"

#include <QTest>
#include <QVariant>

using namespace Qt::StringLiterals;

char* toString(const Money& money) {
    return QTest::toString(money.format());
}

class TestMoney : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void parseAcceptsBrazilianForms_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("cents");

        QTest::newRow("whole reais") << u"12"_s << qint64(1200);
        QTest::newRow("one decimal") << u"12,5"_s << qint64(1250);
        QTest::newRow("two decimals") << u"0,05"_s << qint64(5);
        QTest::newRow("trailing comma") << u"12,"_s << qint64(1200);
        QTest::newRow("no integer part") << u",5"_s << qint64(50);
        QTest::newRow("zero") << u"0,00"_s << qint64(0);
        QTest::newRow("negative zero") << u"-0,00"_s << qint64(0);
        QTest::newRow("thousands") << u"1.234,50"_s << qint64(123450);
        QTest::newRow("millions") << u"1.234.567,89"_s << qint64(123456789);
        QTest::newRow("ungrouped thousands") << u"1234,50"_s << qint64(123450);
        QTest::newRow("grouped without decimals") << u"1.000"_s << qint64(100000);
        QTest::newRow("point before two final digits") << u"12.50"_s << qint64(1250);
        QTest::newRow("point before one final digit") << u"7.5"_s << qint64(750);
        QTest::newRow("grouped, point before the cents") << u"1.234.50"_s << qint64(123450);
        QTest::newRow("symbol and blank") << u"R$ 1.234,50"_s << qint64(123450);
        QTest::newRow("symbol without blank") << u"R$1,00"_s << qint64(100);
        QTest::newRow("symbol lower case") << u"r$ 2,00"_s << qint64(200);
        QTest::newRow("surrounding blanks") << u"  R$  7,25  "_s << qint64(725);
        QTest::newRow("minus") << u"-5,00"_s << qint64(-500);
        QTest::newRow("minus before symbol") << u"-R$ 5,00"_s << qint64(-500);
        QTest::newRow("minus after symbol") << u"R$ -5,00"_s << qint64(-500);
        QTest::newRow("minus glued to symbol") << u"R$-1.000,01"_s << qint64(-100001);
        QTest::newRow("fifteen digits") << u"999.999.999.999.999,99"_s << qint64(99999999999999999);
    }

    void parseAcceptsBrazilianForms() {
        QFETCH(QString, text);
        QFETCH(qint64, cents);
        const std::optional<Money> money = Money::parse(text);
        QVERIFY2(money.has_value(), qPrintable(text));
        QCOMPARE(money->cents(), cents);
    }

    void parseRejectsMalformedText_data() {
        QTest::addColumn<QString>("text");

        QTest::newRow("empty") << u""_s;
        QTest::newRow("blanks") << u"   "_s;
        QTest::newRow("symbol only") << u"R$"_s;
        QTest::newRow("minus only") << u"-"_s;
        QTest::newRow("comma only") << u","_s;
        QTest::newRow("letters") << u"abc"_s;
        QTest::newRow("letters after digits") << u"12a"_s;
        QTest::newRow("two commas") << u"1,2,3"_s;
        QTest::newRow("three decimals") << u"1,234"_s;
        QTest::newRow("short group") << u"1.23,00"_s;
        QTest::newRow("long first group") << u"1234.567,00"_s;
        QTest::newRow("empty group") << u"1..234"_s;
        QTest::newRow("leading point") << u".234"_s;
        QTest::newRow("trailing point") << u"1."_s;
        QTest::newRow("point in decimals") << u"1,2."_s;
        QTest::newRow("double minus") << u"--5"_s;
        QTest::newRow("trailing minus") << u"5-"_s;
        QTest::newRow("plus sign") << u"+5"_s;
        QTest::newRow("symbol after amount") << u"5 R$"_s;
        QTest::newRow("two symbols") << u"R$ R$ 5"_s;
        QTest::newRow("inner blank") << u"1 234,00"_s;
        QTest::newRow("sixteen digits") << u"1234567890123456"_s;
        QTest::newRow("non-ascii digits") << QString::fromUtf8("١٢");
    }

    void parseRejectsMalformedText() {
        QFETCH(QString, text);
        QVERIFY2(!Money::parse(text).has_value(), qPrintable(text));
    }

    void formatsWithGroupingAndSign_data() {
        QTest::addColumn<qint64>("cents");
        QTest::addColumn<QString>("formatted");
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QString>("decimal");

        QTest::newRow("zero") << qint64(0) << u"R$ 0,00"_s << u"0,00"_s << u"0.00"_s;
        QTest::newRow("one centavo") << qint64(1) << u"R$ 0,01"_s << u"0,01"_s << u"0.01"_s;
        QTest::newRow("hundreds") << qint64(99999) << u"R$ 999,99"_s << u"999,99"_s << u"999.99"_s;
        QTest::newRow("thousand") << qint64(100000) << u"R$ 1.000,00"_s << u"1.000,00"_s
                                  << u"1000.00"_s;
        QTest::newRow("thousands")
            << qint64(123450) << u"R$ 1.234,50"_s << u"1.234,50"_s << u"1234.50"_s;
        QTest::newRow("millions") << qint64(123456789) << u"R$ 1.234.567,89"_s << u"1.234.567,89"_s
                                  << u"1234567.89"_s;
        QTest::newRow("negative") << qint64(-500) << u"-R$ 5,00"_s << u"-5,00"_s << u"-5.00"_s;
        QTest::newRow("negative centavos")
            << qint64(-7) << u"-R$ 0,07"_s << u"-0,07"_s << u"-0.07"_s;
        QTest::newRow("negative thousands")
            << qint64(-123450) << u"-R$ 1.234,50"_s << u"-1.234,50"_s << u"-1234.50"_s;
    }

    void formatsWithGroupingAndSign() {
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

    void formattedTextParsesBack() {
        for (qint64 cents = -250000; cents <= 250000; cents += 137) {
            const Money money = Money::fromCents(cents);
            QCOMPARE(Money::parse(money.format()), std::optional<Money>(money));
            QCOMPARE(Money::parse(money.formatPlain()), std::optional<Money>(money));
        }
    }

    void sumsOfDecimalsAreExact() {
        QCOMPARE(*Money::parse("0,10") + *Money::parse("0,20"), *Money::parse("0,30"));

        Money total;
        for (int i = 0; i < 1000; ++i)
            total += *Money::parse("0,01");
        QCOMPARE(total.formatPlain(), u"10,00"_s);
    }

    void arithmeticAndOrdering() {
        const Money price = Money::fromCents(2590);
        const Money fee = Money::fromCents(500);

        QCOMPARE((price * 3).cents(), qint64(7770));
        QCOMPARE((3 * price).cents(), qint64(7770));
        QCOMPARE((price - fee).cents(), qint64(2090));
        QCOMPARE((fee - price).format(), u"-R$ 20,90"_s);
        QCOMPARE((-price).cents(), qint64(-2590));
        QVERIFY((price - price).isZero());
        QVERIFY(fee < price);
        QVERIFY(price >= fee);
        QVERIFY(-price < fee);
        QCOMPARE(Money::max(price, fee), price);
        QCOMPARE(Money::max(fee, price), price);
        QCOMPARE(Money(), Money::fromCents(0));
    }

    void travelsInQVariant() {
        const Money money = Money::fromCents(1250);
        const QVariant variant = QVariant::fromValue(money);
        QCOMPARE(variant.typeId(), qMetaTypeId<Money>());
        QCOMPARE(variant.value<Money>(), money);
        QCOMPARE(variant, QVariant::fromValue(Money::fromCents(1250)));
        QVERIFY(variant != QVariant::fromValue(Money::fromCents(1251)));
    }
};

QTEST_GUILESS_MAIN(TestMoney)
#include "TestMoney.moc"
