#include "masterdata/PasswordHash.h"

#include <QElapsedTimer>
#include <QPasswordDigestor>
#include <QStringList>
#include <QtTest>

namespace {

const QString kSenha = QStringLiteral("SENHA ÇÃO 1");

// A hash in the older form, as databases still hold them.
QString pbkdf2(const QString& senha, int iterations) {
    const QByteArray salt("0123456789abcdef");
    const QByteArray hash = QPasswordDigestor::deriveKeyPbkdf2(
        QCryptographicHash::Sha256, senha.toUtf8(), salt, iterations, 32);
    return QStringLiteral("pbkdf2-sha256$%1$%2$%3")
        .arg(iterations)
        .arg(QString::fromLatin1(salt.toBase64()), QString::fromLatin1(hash.toBase64()));
}

} // namespace

class TestPasswordHash : public QObject {
    Q_OBJECT

private:
    QString m_stored = PasswordHash::hash(kSenha);
    QString m_legacy = pbkdf2(kSenha, 1000);

private Q_SLOTS:
    void verifiesOnlyTheExactPasswordInBothForms_data() {
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("same") << kSenha << true;
        QTest::newRow("other case") << QStringLiteral("senha ção 1") << false;
        QTest::newRow("trailing blank") << kSenha + u' ' << false;
        QTest::newRow("empty") << QString() << false;
    }
    void verifiesOnlyTheExactPasswordInBothForms() {
        QFETCH(QString, password);
        QFETCH(bool, accepted);
        QVERIFY(m_stored.startsWith(QStringLiteral("$argon2id$")));
        QCOMPARE(PasswordHash::verify(password, m_stored), accepted);
        QCOMPARE(PasswordHash::verify(password, m_legacy), accepted);
    }

    void newHashesAreSaltedFastAndOlderOnesAreUpgraded() {
        QElapsedTimer clock;
        clock.start();
        const QString again = PasswordHash::hash(kSenha);
        QVERIFY(PasswordHash::verify(kSenha, again));
        QVERIFY2(clock.elapsed() < 1000, "a login must stay quick");
        QVERIFY(again != m_stored);
        QVERIFY(!PasswordHash::needsUpgrade(m_stored));
        QVERIFY(PasswordHash::needsUpgrade(m_legacy));
        QVERIFY(PasswordHash::isHash(m_legacy) && PasswordHash::isHash(m_stored));
        QVERIFY(!PasswordHash::isHash(kSenha));
    }

    void malformedOrTooCostlyStoredTextNeverVerifies_data() {
        const QStringList p = m_legacy.split(QLatin1Char('$'));
        const auto with = [&p](int i, const QString& part) {
            QStringList parts = p;
            parts[i] = part;
            return parts.join(QLatin1Char('$'));
        };
        QString costly = m_stored;
        costly.replace(QRegularExpression(QStringLiteral("m=\\d+")), QStringLiteral("m=4194304"));
        QString slow = m_stored;
        slow.replace(QRegularExpression(QStringLiteral("t=\\d+")), QStringLiteral("t=100000"));
        QTest::addColumn<QString>("stored");
        QTest::newRow("plain text") << kSenha;
        QTest::newRow("prefix only") << QStringLiteral("pbkdf2-sha256$");
        QTest::newRow("extra field") << m_legacy + QStringLiteral("$x");
        QTest::newRow("zero cost") << with(1, QStringLiteral("0"));
        QTest::newRow("ten million iterations") << with(1, QStringLiteral("10000000"));
        QTest::newRow("bad base64") << with(2, QStringLiteral("**"));
        QTest::newRow("short hash") << with(3, p[3].left(20));
        QTest::newRow("other salt") << with(2, QStringLiteral("AAAAAAAAAAAAAAAAAAAAAA=="));
        QTest::newRow("argon2id asking 4 GiB") << costly;
        QTest::newRow("argon2id asking 100000 passes") << slow;
        QTest::newRow("argon2id cut short") << m_stored.left(m_stored.size() - 10);
    }
    void malformedOrTooCostlyStoredTextNeverVerifies() {
        QFETCH(QString, stored);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!PasswordHash::verify(kSenha, stored));
        QVERIFY(!PasswordHash::verify(stored, stored));
        QVERIFY2(clock.elapsed() < 2000, "a stored cost must never stall the login");
    }
};

QTEST_GUILESS_MAIN(TestPasswordHash)
#include "TestPasswordHash.moc"
