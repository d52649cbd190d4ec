#include "shell/PasswordHash.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QPasswordDigestor>
#include <QStringList>
#include <QtTest>

class TestPasswordHash : public QObject {
    Q_OBJECT

private:
    QString m_stored;

private Q_SLOTS:
    void initTestCase() {
        QElapsedTimer clock;
        clock.start();
        m_stored = PasswordHash::hash(QStringLiteral("SENHA ÇÃO 123"));
        qInfo("one hash: %lld ms", static_cast<long long>(clock.elapsed()));
    }

    void storedFormNamesSchemeCostSaltAndHash() {
        QVERIFY(PasswordHash::isHash(m_stored));
        const QStringList parts = m_stored.split(QLatin1Char('$'));
        QCOMPARE(parts.size(), 4);
        QCOMPARE(parts.at(0), QStringLiteral("pbkdf2-sha256"));
        QVERIFY(parts.at(1).toInt() >= 100000);
        QCOMPARE(QByteArray::fromBase64(parts.at(2).toLatin1()).size(), 16);
        QCOMPARE(QByteArray::fromBase64(parts.at(3).toLatin1()).size(), 32);
    }

    void verifiesOnlyTheExactPassword_data() {
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("same") << QStringLiteral("SENHA ÇÃO 123") << true;
        QTest::newRow("other case") << QStringLiteral("senha ção 123") << false;
        QTest::newRow("without accents") << QStringLiteral("SENHA CAO 123") << false;
        QTest::newRow("trailing blank") << QStringLiteral("SENHA ÇÃO 123 ") << false;
        QTest::newRow("prefix") << QStringLiteral("SENHA") << false;
        QTest::newRow("empty") << QString() << false;
    }
    void verifiesOnlyTheExactPassword() {
        QFETCH(QString, password);
        QFETCH(bool, accepted);
        QCOMPARE(PasswordHash::verify(password, m_stored), accepted);
    }

    void saltsDifferSoEqualPasswordsDoNotShowInTheTable() {
        const QString again = PasswordHash::hash(QStringLiteral("SENHA ÇÃO 123"));
        QVERIFY(again != m_stored);
        QVERIFY(again.section(QLatin1Char('$'), 2, 2) != m_stored.section(QLatin1Char('$'), 2, 2));
        QVERIFY(PasswordHash::verify(QStringLiteral("SENHA ÇÃO 123"), again));
    }

    void storedCostIsHonoured() {
        // A hash made with another cost (an older or newer program) still verifies.
        const QStringList parts = m_stored.split(QLatin1Char('$'));
        const QByteArray salt = QByteArray::fromBase64(parts.at(2).toLatin1());
        const QByteArray key = QPasswordDigestor::deriveKeyPbkdf2(
            QCryptographicHash::Sha256, QByteArrayLiteral("ABC"), salt, 1000, 32);
        const QString cheaper = QStringLiteral("pbkdf2-sha256$1000$") + parts.at(2) +
                                QLatin1Char('$') + QString::fromLatin1(key.toBase64());
        QVERIFY(PasswordHash::verify(QStringLiteral("ABC"), cheaper));
        QVERIFY(!PasswordHash::verify(QStringLiteral("ABD"), cheaper));
    }

    void malformedStoredTextNeverVerifies_data() {
        const QStringList p = m_stored.split(QLatin1Char('$'));
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("hashForm");
        QTest::newRow("plain text") << QStringLiteral("SENHA ÇÃO 123") << false;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("other scheme")
            << QStringLiteral("pbkdf2-sha1$") + p.mid(1).join('$') << false;
        QTest::newRow("prefix only") << QStringLiteral("pbkdf2-sha256$") << true;
        QTest::newRow("missing hash") << p.mid(0, 3).join('$') << true;
        QTest::newRow("extra field") << m_stored + QStringLiteral("$x") << true;
        QTest::newRow("zero cost")
            << QStringList{p[0], QStringLiteral("0"), p[2], p[3]}.join('$') << true;
        QTest::newRow("negative cost")
            << QStringList{p[0], QStringLiteral("-5"), p[2], p[3]}.join('$') << true;
        QTest::newRow("absurd cost")
            << QStringList{p[0], QStringLiteral("2000000000"), p[2], p[3]}.join('$') << true;
        QTest::newRow("cost not a number")
            << QStringList{p[0], QStringLiteral("1e5"), p[2], p[3]}.join('$') << true;
        QTest::newRow("empty salt") << QStringList{p[0], p[1], QString(), p[3]}.join('$') << true;
        QTest::newRow("bad base64")
            << QStringList{p[0], p[1], QStringLiteral("**"), p[3]}.join('$') << true;
        QTest::newRow("short hash")
            << QStringList{p[0], p[1], p[2], p[3].left(20)}.join('$') << true;
        QTest::newRow("other salt")
            << QStringList{p[0], p[1], QStringLiteral("AAAAAAAAAAAAAAAAAAAAAA=="), p[3]}.join('$')
            << true;
    }
    void malformedStoredTextNeverVerifies() {
        QFETCH(QString, stored);
        QFETCH(bool, hashForm);
        QCOMPARE(PasswordHash::isHash(stored), hashForm);
        QVERIFY(!PasswordHash::verify(QStringLiteral("SENHA ÇÃO 123"), stored));
        QVERIFY(!PasswordHash::verify(stored, stored));
    }

    void sameBytesComparesWholeContents_data() {
        QTest::addColumn<QByteArray>("a");
        QTest::addColumn<QByteArray>("b");
        QTest::addColumn<bool>("equal");
        QTest::newRow("equal") << QByteArray("KOBALT") << QByteArray("KOBALT") << true;
        QTest::newRow("both empty") << QByteArray() << QByteArray() << true;
        QTest::newRow("last differs") << QByteArray("KOBALT") << QByteArray("KOBALU") << false;
        QTest::newRow("first differs") << QByteArray("KOBALT") << QByteArray("JOBALT") << false;
        QTest::newRow("prefix") << QByteArray("KOBAL") << QByteArray("KOBALT") << false;
    }
    void sameBytesComparesWholeContents() {
        QFETCH(QByteArray, a);
        QFETCH(QByteArray, b);
        QFETCH(bool, equal);
        QCOMPARE(PasswordHash::sameBytes(a, b), equal);
    }
};

QTEST_GUILESS_MAIN(TestPasswordHash)
#include "TestPasswordHash.moc"
