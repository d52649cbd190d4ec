#include "common/KeyFilter.h"

#include <QTest>

Q_DECLARE_METATYPE(KeyFilterMode)

namespace {

// An empty expectation stands for a dropped key.
QString typed(KeyFilterMode mode, QChar key) {
    const auto result = filterKey(mode, key);
    return result ? QString(*result) : QString();
}

void row(const char* name, KeyFilterMode mode, QChar key, const QString& expected) {
    QTest::newRow(name) << mode << key << expected;
}

} // namespace

class TestKeyFilter : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void typedKey_data();
    void typedKey();
    void numericFiltersLetOnlyTheirListThrough_data();
    void numericFiltersLetOnlyTheirListThrough();
    void filterTextAppliesEachCharacter();
};

void TestKeyFilter::typedKey_data() {
    QTest::addColumn<KeyFilterMode>("mode");
    QTest::addColumn<QChar>("key");
    QTest::addColumn<QString>("expected");

    using M = KeyFilterMode;
    row("none keeps lower", M::None, u'a', QStringLiteral("a"));
    row("none keeps apostrophe", M::None, u'\'', QStringLiteral("'"));

    row("capitals a", M::Capitals, u'a', QStringLiteral("A"));
    row("capitals a tilde", M::Capitals, u'ã', QStringLiteral("Ã"));
    row("capitals c cedilla", M::Capitals, u'ç', QStringLiteral("Ç"));
    row("capitals e acute", M::Capitals, u'é', QStringLiteral("É"));
    row("capitals y diaeresis", M::Capitals, u'ÿ', QStringLiteral("Ÿ"));
    row("capitals s caron", M::Capitals, u'š', QStringLiteral("Š"));
    row("capitals keeps micro", M::Capitals, u'µ', QStringLiteral("µ"));
    row("capitals keeps sharp s", M::Capitals, u'ß', QStringLiteral("ß"));
    row("capitals keeps apostrophe", M::Capitals, u'\'', QStringLiteral("'"));
    row("capitals keeps digit", M::Capitals, u'7', QStringLiteral("7"));
    row("capitals keeps upper", M::Capitals, u'Q', QStringLiteral("Q"));
    row("capitals keeps backspace", M::Capitals, QChar(8), QString(QChar(8)));

    row("lower A", M::LowerCase, u'A', QStringLiteral("a"));
    row("lower A tilde", M::LowerCase, u'Ã', QStringLiteral("ã"));
    row("lower Y diaeresis", M::LowerCase, u'Ÿ', QStringLiteral("ÿ"));
    row("lower keeps at", M::LowerCase, u'@', QStringLiteral("@"));

    row("search a", M::SearchText, u'a', QStringLiteral("A"));
    row("search z", M::SearchText, u'z', QStringLiteral("Z"));
    row("search keeps Z", M::SearchText, u'Z', QStringLiteral("Z"));
    row("search digit", M::SearchText, u'0', QStringLiteral("0"));
    row("search space", M::SearchText, u' ', QStringLiteral(" "));
    row("search plus", M::SearchText, u'+', QStringLiteral("+"));
    row("search comma", M::SearchText, u',', QStringLiteral(","));
    row("search hyphen", M::SearchText, u'-', QStringLiteral("-"));
    row("search period", M::SearchText, u'.', QStringLiteral("."));
    row("search backspace", M::SearchText, QChar(8), QString(QChar(8)));
    row("search enter", M::SearchText, QChar(13), QString(QChar(13)));
    row("search 127", M::SearchText, QChar(127), QString(QChar(127)));
    row("search drops c cedilla", M::SearchText, u'ç', QString());
    row("search drops A tilde", M::SearchText, u'Ã', QString());
    row("search drops apostrophe", M::SearchText, u'\'', QString());
    row("search drops slash", M::SearchText, u'/', QString());
    row("search drops at", M::SearchText, u'@', QString());
    row("search drops quote", M::SearchText, u'"', QString());
    row("search drops percent", M::SearchText, u'%', QString());
    row("search drops tab", M::SearchText, QChar(9), QString());
    row("search drops bracket after Z", M::SearchText, u'[', QString());
    row("search drops backtick before a", M::SearchText, u'`', QString());

    row("login a", M::Login, u'a', QStringLiteral("A"));
    row("login keeps c cedilla", M::Login, u'ç', QStringLiteral("ç"));
    row("login keeps apostrophe", M::Login, u'\'', QStringLiteral("'"));
    row("login keeps slash", M::Login, u'/', QStringLiteral("/"));
    row("login keeps upper", M::Login, u'B', QStringLiteral("B"));
}

void TestKeyFilter::typedKey() {
    QFETCH(KeyFilterMode, mode);
    QFETCH(QChar, key);
    QFETCH(QString, expected);
    QCOMPARE(typed(mode, key), expected);
}

void TestKeyFilter::numericFiltersLetOnlyTheirListThrough_data() {
    QTest::addColumn<KeyFilterMode>("mode");
    QTest::addColumn<QString>("allowed");

    const QString digits = QStringLiteral("0123456789");
    const QString editing = QString(QChar(8)) + QChar(13) + QChar(127);
    QTest::newRow("amount") << KeyFilterMode::Amount << digits + editing + QStringLiteral("., ");
    QTest::newRow("order number") << KeyFilterMode::OrderNumber
                                  << digits + editing + QStringLiteral("+,-.");
}

// Every code of the page is tried, so a key missing from the list or one too many shows up.
void TestKeyFilter::numericFiltersLetOnlyTheirListThrough() {
    QFETCH(KeyFilterMode, mode);
    QFETCH(QString, allowed);
    for (char16_t u = 1; u <= 0xFF; ++u) {
        const QChar key(u);
        const QString expected = allowed.contains(key) ? QString(key) : QString();
        QVERIFY2(typed(mode, key) == expected, qPrintable(QStringLiteral("code %1").arg(int(u))));
    }
    QCOMPARE(typed(mode, QChar(0x20AC)), QString());
}

void TestKeyFilter::filterTextAppliesEachCharacter() {
    QCOMPARE(filterText(KeyFilterMode::SearchText, QStringLiteral("d'ávila 12/b")),
             QStringLiteral("DVILA 12B"));
    QCOMPARE(filterText(KeyFilterMode::Amount, QStringLiteral("R$ 1.234,50")),
             QStringLiteral(" 1.234,50"));
    QCOMPARE(filterText(KeyFilterMode::Capitals, QStringLiteral("joão d'ávila")),
             QStringLiteral("JOÃO D'ÁVILA"));
    QCOMPARE(filterText(KeyFilterMode::OrderNumber, QString()), QString());
}

QTEST_GUILESS_MAIN(TestKeyFilter)
#include "TestKeyFilter.moc"
