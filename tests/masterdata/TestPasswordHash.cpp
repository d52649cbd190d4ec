#include "masterdata/PasswordHash.h"

#include <QStringList>
#include <QtTest>

class TestPasswordHash : public QObject {
    Q_OBJECT

private:
    // Made once: every hash costs a noticeable fraction of a second.
    QString m_stored = PasswordHash::hash(QStringLiteral("SENHA ÇÃO 1"));

private Q_SLOTS:
    void verifiesOnlyTheExactPassword_data() {
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("same") << QStringLiteral("SENHA ÇÃO 1") << true;
        QTest::newRow("other case") << QStringLiteral("senha ção 1") << false;
        QTest::newRow("trailing blank") << QStringLiteral("SENHA ÇÃO 1 ") << false;
        QTest::newRow("empty") << QString() << false;
    }
    void verifiesOnlyTheExactPassword() {
        QFETCH(QString, password);
        QFETCH(bool, accepted);
        QVERIFY(PasswordHash::isHash(m_stored));
        QVERIFY(m_stored.section(QLatin1Char('$'), 1, 1).toInt() >= 100000);
        QCOMPARE(PasswordHash::verify(password, m_stored), accepted);
    }

    void saltsDifferSoEqualPasswordsDoNotShow() {
        const QString again = PasswordHash::hash(QStringLiteral("SENHA ÇÃO 1"));
        QVERIFY(again.section(QLatin1Char('$'), 2, 2) != m_stored.section(QLatin1Char('$'), 2, 2));
        QVERIFY(PasswordHash::verify(QStringLiteral("SENHA ÇÃO 1"), again));
    }

    void malformedStoredTextNeverVerifies_data() {
        const QStringList p = m_stored.split(QLatin1Char('$'));
        const auto with = [&p](int i, const QString& part) {
            QStringList parts = p;
            parts[i] = part;
            return parts.join(QLatin1Char('$'));
        };
        QTest::addColumn<QString>("stored");
        QTest::newRow("plain text") << QStringLiteral("SENHA ÇÃO 1");
        QTest::newRow("prefix only") << QStringLiteral("pbkdf2-sha256$");
        QTest::newRow("extra field") << m_stored + QStringLiteral("$x");
        QTest::newRow("zero cost") << with(1, QStringLiteral("0"));
        QTest::newRow("absurd cost") << with(1, QStringLiteral("2000000000"));
        QTest::newRow("bad base64") << with(2, QStringLiteral("**"));
        QTest::newRow("short hash") << with(3, p[3].left(20));
        QTest::newRow("other salt") << with(2, QStringLiteral("AAAAAAAAAAAAAAAAAAAAAA=="));
    }
    void malformedStoredTextNeverVerifies() {
        QFETCH(QString, stored);
        QVERIFY(!PasswordHash::verify(QStringLiteral("SENHA ÇÃO 1"), stored));
        QVERIFY(!PasswordHash::verify(stored, stored));
    }
};

QTEST_GUILESS_MAIN(TestPasswordHash)
#include "TestPasswordHash.moc"
