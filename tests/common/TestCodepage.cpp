#include "common/Codepage.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestCodepage : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyByteRoundTrips() {
        QByteArray all;
        for (int b = 0; b <= 0xFF; ++b)
            all.append(static_cast<char>(b));
        const QString text = codepage::fromWin1252(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(codepage::toWin1252(text), all);
        for (int b = 0; b <= 0xFF; ++b)
            QCOMPARE(codepage::win1252Code(codepage::fromWin1252Code(b)), b);
    }

    void highRangeMapsToWindowsLetters_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("unicode");

        QTest::newRow("euro") << 0x80 << 0x20AC;
        QTest::newRow("unassigned 81") << 0x81 << 0x0081;
        QTest::newRow("low quote") << 0x82 << 0x201A;
        QTest::newRow("ellipsis") << 0x85 << 0x2026;
        QTest::newRow("S caron") << 0x8A << 0x0160;
        QTest::newRow("unassigned 9D") << 0x9D << 0x009D;
        QTest::newRow("left double quote") << 0x93 << 0x201C;
        QTest::newRow("en dash") << 0x96 << 0x2013;
        QTest::newRow("Y diaeresis") << 0x9F << 0x0178;
        QTest::newRow("no-break space") << 0xA0 << 0x00A0;
        QTest::newRow("y diaeresis") << 0xFF << 0x00FF;
    }

    void highRangeMapsToWindowsLetters() {
        QFETCH(int, code);
        QFETCH(int, unicode);
        QCOMPARE(int(codepage::fromWin1252Code(code).unicode()), unicode);
        QCOMPARE(codepage::win1252Code(QChar(char16_t(unicode))), code);
    }

    void portugueseTextEncodesAsLatinBytes() {
        QCOMPARE(codepage::toWin1252(u"ção"_s), QByteArray("\xE7\xE3\x6F"));
        QCOMPARE(codepage::fromWin1252(QByteArray("Pre\xE7o \x80 10")), u"Preço € 10"_s);
        QCOMPARE(codepage::toWin1252(u"€"_s), QByteArray("\x80"));
    }

    void charactersOutsideThePageAreReplaced() {
        for (const char16_t outside : {u'\u0100', u'\u20AD', u'\u4E2D', u'\uFFFD'})
            QCOMPARE(codepage::win1252Code(QChar(outside)), -1);
        QCOMPARE(codepage::toWin1252(u"a中b"_s), QByteArray("a?b"));
        QCOMPARE(codepage::toWin1252(u"a中b"_s, '_'), QByteArray("a_b"));
        // A character beyond the basic plane is two UTF-16 units, each replaced.
        QCOMPARE(codepage::toWin1252(u"x😀"_s), QByteArray("x??"));
    }
};

QTEST_GUILESS_MAIN(TestCodepage)
#include "TestCodepage.moc"
