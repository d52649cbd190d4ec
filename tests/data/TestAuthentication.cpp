#include "config/IniFile.h"
#include "masterdata/PasswordHash.h"
#include "shell/Authentication.h"
#include "support/TestDatabase.h"

#include <QPasswordDigestor>
#include <QTemporaryDir>
#include <QtTest>

class TestAuthentication : public QObject {
    Q_OBJECT

private:
    TestDatabase m_fx;
    std::unique_ptr<Database> m_db;
    QTemporaryDir m_dir;
    QString m_hash = PasswordHash::hash(QStringLiteral("X'Y"));

    void addUser(qint64 id, const QString& nome, const QString& usuario, const QString& senha) {
        m_db->exec(QStringLiteral("INSERT INTO TB_Usuario (usu_ID, usu_Nome, usu_Usuario, "
                                  "usu_Senha, usu_Autoridade) VALUES (?,?,?,?,1)"),
                   {id, nome, usuario, senha});
    }
    QStringList stored(qint64 id) {
        QSqlQuery row = m_db->exec(
            QStringLiteral("SELECT usu_Senha, fl_sincroniza FROM TB_Usuario WHERE usu_ID = ?"),
            {id});
        row.next();
        return {row.value(0).toString(), row.value(1).toString()};
    }

private Q_SLOTS:
    void init() {
        m_db = m_fx.create();
        m_db->exec(QStringLiteral("DELETE FROM TB_Usuario"));
    }
    void cleanup() { m_db.reset(); }

    void onlyExactNameAndPasswordGetIn_data() {
        QTest::addColumn<QString>("usuario");
        QTest::addColumn<QString>("senha");
        QTest::addColumn<qint64>("usuId");
        QTest::newRow("exact") << QStringLiteral("D'AVILA") << QStringLiteral("X'Y") << 8LL;
        QTest::newRow("wrong password") << QStringLiteral("D'AVILA") << QStringLiteral("X") << 0LL;
        QTest::newRow("password case") << QStringLiteral("D'AVILA") << QStringLiteral("x'y") << 0LL;
        QTest::newRow("name case") << QStringLiteral("d'avila") << QStringLiteral("X'Y") << 0LL;
        QTest::newRow("display name") << QStringLiteral("Ana") << QStringLiteral("X'Y") << 0LL;
        // Would break a statement built from the text; bound, it is a name nobody has.
        QTest::newRow("quote") << QStringLiteral("' OR '1'='1") << QStringLiteral("X'Y") << 0LL;
    }
    void onlyExactNameAndPasswordGetIn() {
        QFETCH(QString, usuario);
        QFETCH(QString, senha);
        QFETCH(qint64, usuId);
        addUser(8, QStringLiteral("Ana"), QStringLiteral("D'AVILA"), m_hash);
        const auto result = Authentication().check(*m_db, usuario, senha);
        QCOMPARE(result.ok, usuId != 0);
        QCOMPARE(result.usuId, usuId);
        QCOMPARE(result.usuNome, usuId ? QStringLiteral("Ana") : QString());
    }

    void oldPasswordFormsBecomeTodaysHashAtTheNextLogin_data() {
        const QByteArray salt("0123456789abcdef");
        const QByteArray derived = QPasswordDigestor::deriveKeyPbkdf2(
            QCryptographicHash::Sha256, QByteArray("1234"), salt, 1000, 32);
        QTest::addColumn<QString>("stored");
        QTest::newRow("plain text") << QStringLiteral("1234");
        QTest::newRow("pbkdf2") << QStringLiteral("pbkdf2-sha256$1000$%1$%2")
                                       .arg(QString::fromLatin1(salt.toBase64()),
                                            QString::fromLatin1(derived.toBase64()));
    }
    void oldPasswordFormsBecomeTodaysHashAtTheNextLogin() {
        QFETCH(QString, stored);
        addUser(3, QStringLiteral("João"), QStringLiteral("JOAO"), stored);
        const Authentication auth;
        QVERIFY(!auth.check(*m_db, QStringLiteral("JOAO"), QStringLiteral("12345")).ok);
        QCOMPARE(this->stored(3), QStringList({stored, QString()}));

        QCOMPARE(auth.check(*m_db, QStringLiteral("JOAO"), QStringLiteral("1234")).usuNome,
                 QStringLiteral("João"));
        const QStringList upgraded = this->stored(3);
        QVERIFY(upgraded.at(0).startsWith(QStringLiteral("$argon2id$")));
        QVERIFY(PasswordHash::verify(QStringLiteral("1234"), upgraded.at(0)));
        // Sent again, so the remote copy loses the old form too.
        QCOMPARE(upgraded.at(1), QStringLiteral("S"));

        QVERIFY(auth.check(*m_db, QStringLiteral("JOAO"), QStringLiteral("1234")).ok);
        QCOMPARE(this->stored(3), upgraded);
    }

    void administratorNeedsNoRowsAndCanBeReplacedInTheSettings() {
        addUser(9, QStringLiteral("Outro"), QStringLiteral("BRISKO"), QStringLiteral("XYZ"));
        const auto builtIn =
            Authentication().check(*m_db, QStringLiteral("BRISKO"), QStringLiteral("KOBALT"));
        QVERIFY(builtIn.administrador);
        QCOMPARE(builtIn.usuNome, QStringLiteral("ADMINISTRADOR"));
        QCOMPARE(builtIn.usuId, 0);
        m_db->exec(QStringLiteral("DELETE FROM TB_Usuario"));
        QVERIFY(
            Authentication().isAdministrador(QStringLiteral("BRISKO"), QStringLiteral("KOBALT")));

        const QString ini = m_dir.filePath(QStringLiteral("Configuracao.ini"));
        GravaIni(ini, QStringLiteral("Geral"), QStringLiteral("SenhaAdministrador"), m_hash);
        const Authentication replaced = Authentication::fromIni(ini);
        QVERIFY(!replaced.check(*m_db, QStringLiteral("BRISKO"), QStringLiteral("KOBALT")).ok);
        QVERIFY(
            replaced.check(*m_db, QStringLiteral("BRISKO"), QStringLiteral("X'Y")).administrador);

        // A value that is no hash locks the administrator out rather than being typed in.
        GravaIni(ini, QStringLiteral("Geral"), QStringLiteral("SenhaAdministrador"),
                 QStringLiteral("SEGREDO"));
        const Authentication broken = Authentication::fromIni(ini);
        QVERIFY(!broken.isAdministrador(QStringLiteral("BRISKO"), QStringLiteral("SEGREDO")));
        QVERIFY(!broken.isAdministrador(QStringLiteral("BRISKO"), QStringLiteral("KOBALT")));
    }
};

BRISKO_DB_TEST_MAIN(TestAuthentication)
#include "TestAuthentication.moc"
