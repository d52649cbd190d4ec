#include "common/KeyFilter.h"

#include <QTest>

using namespace Qt::StringLiterals;

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
    void typedKey_data() {
        QTest::addColumn<KeyFilterMode>("mode");
        QTest::addColumn<QChar>("key");
        QTest::addColumn<QString>("expected");

        using M = KeyFilterMode;
        row("none keeps lower", M::None, u'a', u"a"_s);
        row("none keeps apostrophe", M::None, u'\'', u"'"_s);

        row("capitals a", M::Capitals, u'a', u"A"_s);
        row("capitals a tilde", M::Capitals, u'ã', u"Ã"_s);
        row("capitals c cedilla", M::Capitals, u'ç', u"Ç"_s);
        row("capitals e acute", M::Capitals, u'é', u"É"_s);
        row("capitals y diaeresis", M::Capitals, u'ÿ', u"Ÿ"_s);
        row("capitals s caron", M::Capitals, u'š', u"Š"_s);
        row("capitals keeps micro", M::Capitals, u'µ', u"µ"_s);
        row("capitals keeps sharp s", M::Capitals, u'ß', u"ß"_s);
        row("capitals keeps apostrophe", M::Capitals, u'\'', u"'"_s);
        row("capitals keeps digit", M::Capitals, u'7', u"7"_s);
        row("capitals keeps upper", M::Capitals, u'Q', u"Q"_s);
        row("capitals keeps backspace", M::Capitals, QChar(8), QString(QChar(8)));

        row("lower A", M::LowerCase, u'A', u"a"_s);
        row("lower A tilde", M::LowerCase, u'Ã', u"ã"_s);
        row("lower Y diaeresis", M::LowerCase, u'Ÿ', u"ÿ"_s);
        row("lower keeps at", M::LowerCase, u'@', u"@"_s);

        row("search a", M::SearchText, u'a', u"A"_s);
        row("search z", M::SearchText, u'z', u"Z"_s);
        row("search keeps Z", M::SearchText, u'Z', u"Z"_s);
        row("search digit", M::SearchText, u'0', u"0"_s);
        row("search space", M::SearchText, u' ', u" "_s);
        row("search plus", M::SearchText, u'+', u"+"_s);
        row("search comma", M::SearchText, u',', u","_s);
        row("search hyphen", M::SearchText, u'-', u"-"_s);
        row("search period", M::SearchText, u'.', u"."_s);
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

        row("login a", M::Login, u'a', u"A"_s);
        row("login keeps c cedilla", M::Login, u'ç', u"ç"_s);
        row("login keeps apostrophe", M::Login, u'\'', u"'"_s);
        row("login keeps slash", M::Login, u'/', u"/"_s);
        row("login keeps upper", M::Login, u'B', u"B"_s);
    }

    void typedKey() {
        QFETCH(KeyFilterMode, mode);
        QFETCH(QChar, key);
        QFETCH(QString, expected);
        QCOMPARE(typed(mode, key), expected);
    }

    void numericFiltersLetOnlyTheirListThrough_data() {
        QTest::addColumn<KeyFilterMode>("mode");
        QTest::addColumn<QString>("allowed");

        const QString digits = u"0123456789"_s;
        const QString editing = QString(QChar(8)) + QChar(13) + QChar(127);
        QTest::newRow("amount") << KeyFilterMode::Amount << digits + editing + u"., "_s;
        QTest::newRow("order number") << KeyFilterMode::OrderNumber << digits + editing + u"+,-."_s;
        QTest::newRow("digits") << KeyFilterMode::Digits << digits + editing;
    }

    void numericFiltersLetOnlyTheirListThrough() {
        QFETCH(KeyFilterMode, mode);
        QFETCH(QString, allowed);
        for (char16_t u = 1; u <= 0xFF; ++u) {
            const QChar key(u);
            const QString expected = allowed.contains(key) ? QString(key) : QString();
            QVERIFY2(typed(mode, key) == expected, qPrintable(u"code %1"_s.arg(int(u))));
        }
        QCOMPARE(typed(mode, QChar(0x20AC)), QString());
    }

    void filterTextAppliesEachCharacter() {
        QCOMPARE(filterText(KeyFilterMode::SearchText, u"d'ávila 12/b"_s), u"DVILA 12B"_s);
        QCOMPARE(filterText(KeyFilterMode::Amount, u"R$ 1.234,50"_s), u" 1.234,50"_s);
        QCOMPARE(filterText(KeyFilterMode::Capitals, u"joão d'ávila"_s), u"JOÃO D'ÁVILA"_s);
        QCOMPARE(filterText(KeyFilterMode::OrderNumber, QString()), QString());
    }
};

// Every code of the page is tried, so a key missing from the list or one too many shows up.

QTEST_GUILESS_MAIN(TestKeyFilter)
#include "TestKeyFilter.moc"
