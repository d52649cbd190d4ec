#include "app/IniFile.h"
#include "data/DbError.h"
#include "shell/Authentication.h"
#include "shell/PasswordHash.h"
#include "support/TestDatabase.h"

#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

class TestAuthentication : public QObject {
    Q_OBJECT

private:
    TestDatabase m_fx;
    std::unique_ptr<Database> m_db;
    QTemporaryDir m_dir;
    // Made once: every hash costs a noticeable fraction of a second.
    QString m_pizzaHash;
    QString m_apostropheHash;

    void addUser(qint64 id, const QString& nome, const QString& usuario, const QString& senha) {
        m_db->exec(QStringLiteral("INSERT INTO TB_Usuario (usu_ID, usu_Data, usu_Nome, "
                                  "usu_Usuario, usu_Senha, usu_Autoridade) VALUES (?,?,?,?,?,1)"),
                   {id, Database::dateValue(QDate(2024, 3, 1)), nome, usuario, senha});
    }
    QString storedPassword(qint64 id) {
        return m_db
            ->scalar(QStringLiteral("SELECT usu_Senha FROM TB_Usuario WHERE usu_ID = ?"), {id})
            .toString();
    }
    QVariant syncFlag(qint64 id) {
        return m_db->scalar(QStringLiteral("SELECT fl_sincroniza FROM TB_Usuario WHERE usu_ID = ?"),
                            {id});
    }
    QString iniWith(const QString& value) {
        static int n = 0;
        const QString path = m_dir.filePath(QStringLiteral("ini%1/Configuracao.ini").arg(++n));
        GravaIni(path, QStringLiteral("Geral"), QStringLiteral("SenhaAdministrador"), value);
        return path;
    }

private Q_SLOTS:
    void initTestCase() {
        m_pizzaHash = PasswordHash::hash(QStringLiteral("PIZZA 1"));
        m_apostropheHash = PasswordHash::hash(QStringLiteral("X'Y"));
    }
    void init() {
        m_db = m_fx.create();
        m_db->exec(QStringLiteral("DELETE FROM TB_Usuario"));
    }
    void cleanup() { m_db.reset(); }

    void userGetsInOnlyWithExactNameAndPassword_data() {
        QTest::addColumn<QString>("usuario");
        QTest::addColumn<QString>("senha");
        QTest::addColumn<qint64>("usuId");
        QTest::newRow("exact") << QStringLiteral("MARIA") << QStringLiteral("PIZZA 1") << 7LL;
        QTest::newRow("apostrophe in a stored login")
            << QStringLiteral("D'AVILA") << QStringLiteral("X'Y") << 8LL;
        QTest::newRow("wrong password")
            << QStringLiteral("MARIA") << QStringLiteral("PIZZA 2") << 0LL;
        QTest::newRow("password in another case")
            << QStringLiteral("MARIA") << QStringLiteral("pizza 1") << 0LL;
        QTest::newRow("name in another case")
            << QStringLiteral("Maria") << QStringLiteral("PIZZA 1") << 0LL;
        QTest::newRow("name with a blank")
            << QStringLiteral("MARIA ") << QStringLiteral("PIZZA 1") << 0LL;
        QTest::newRow("display name is not the login")
            << QStringLiteral("Maria Souza") << QStringLiteral("PIZZA 1") << 0LL;
        // Would break a statement built from the text; bound, it is just a name nobody has.
        QTest::newRow("apostrophe")
            << QStringLiteral("MARIA' OR '1'='1") << QStringLiteral("' OR '1'='1") << 0LL;
        QTest::newRow("empty password") << QStringLiteral("MARIA") << QString() << 0LL;
    }
    void userGetsInOnlyWithExactNameAndPassword() {
        QFETCH(QString, usuario);
        QFETCH(QString, senha);
        QFETCH(qint64, usuId);
        addUser(7, QStringLiteral("Maria Souza"), QStringLiteral("MARIA"), m_pizzaHash);
        addUser(8, QStringLiteral("Ana D'Ávila"), QStringLiteral("D'AVILA"), m_apostropheHash);

        const auto result = Authentication().check(*m_db, usuario, senha);
        QCOMPARE(result.ok, usuId != 0);
        QVERIFY(!result.administrador);
        QCOMPARE(result.usuId, usuId);
        if (usuId == 7) {
            QCOMPARE(result.usuNome, QStringLiteral("Maria Souza"));
        } else if (usuId == 8) {
            QCOMPARE(result.usuNome, QStringLiteral("Ana D'Ávila"));
        }
    }

    void plainTextPasswordIsReplacedByItsHashAtTheFirstLogin() {
        addUser(3, QStringLiteral("João"), QStringLiteral("JOAO"), QStringLiteral("1234"));
        addUser(4, QStringLiteral("Outro"), QStringLiteral("OUTRO"), QStringLiteral("1234"));
        const Authentication auth;

        QVERIFY(!auth.check(*m_db, QStringLiteral("JOAO"), QStringLiteral("12345")).ok);
        QCOMPARE(storedPassword(3), QStringLiteral("1234"));
        QVERIFY(syncFlag(3).isNull());

        const auto first = auth.check(*m_db, QStringLiteral("JOAO"), QStringLiteral("1234"));
        QVERIFY(first.ok);
        QCOMPARE(first.usuId, 3);
        QCOMPARE(first.usuNome, QStringLiteral("João"));
        const QString hashed = storedPassword(3);
        QVERIFY(PasswordHash::isHash(hashed));
        QVERIFY(PasswordHash::verify(QStringLiteral("1234"), hashed));
        // The remote copy must lose the plain text too.
        QCOMPARE(syncFlag(3).toString(), QStringLiteral("S"));
        QCOMPARE(storedPassword(4), QStringLiteral("1234"));

        QVERIFY(auth.check(*m_db, QStringLiteral("JOAO"), QStringLiteral("1234")).ok);
        QCOMPARE(storedPassword(3), hashed);
        QVERIFY(!auth.check(*m_db, QStringLiteral("JOAO"), hashed).ok);
    }

    void plainTextWithLowerCaseCanNeverMatchTypedCapitals() {
        addUser(5, QStringLiteral("Zé"), QStringLiteral("ZE"), QStringLiteral("abc"));
        QVERIFY(!Authentication().check(*m_db, QStringLiteral("ZE"), QStringLiteral("ABC")).ok);
        QCOMPARE(storedPassword(5), QStringLiteral("abc"));
    }

    void builtInAdministratorNeedsNoUserRows() {
        const Authentication auth;
        QVERIFY(auth.isAdministrador(QStringLiteral("BRISKO"), QStringLiteral("KOBALT")));
        const auto result = auth.check(*m_db, QStringLiteral("BRISKO"), QStringLiteral("KOBALT"));
        QVERIFY(result.ok);
        QVERIFY(result.administrador);
        QCOMPARE(result.usuId, 0);
        QCOMPARE(result.usuNome, QStringLiteral("ADMINISTRADOR"));

        QVERIFY(!auth.check(*m_db, QStringLiteral("BRISKO"), QStringLiteral("KOBALTO")).ok);
        QVERIFY(!auth.check(*m_db, QStringLiteral("brisko"), QStringLiteral("KOBALT")).ok);
        QVERIFY(!auth.isAdministrador(QStringLiteral("BRISKO"), QStringLiteral("kobalt")));
    }

    void administratorIsCheckedBeforeAUserOfTheSameName() {
        addUser(9, QStringLiteral("Brisko Silva"), QStringLiteral("BRISKO"), QStringLiteral("XYZ"));
        const Authentication auth;
        QVERIFY(
            auth.check(*m_db, QStringLiteral("BRISKO"), QStringLiteral("KOBALT")).administrador);
        const auto user = auth.check(*m_db, QStringLiteral("BRISKO"), QStringLiteral("XYZ"));
        QVERIFY(user.ok);
        QVERIFY(!user.administrador);
        QCOMPARE(user.usuId, 9);
    }

    void settingReplacesTheAdministratorPassword() {
        const Authentication replaced = Authentication::fromIni(iniWith(m_pizzaHash));
        QVERIFY(!replaced.isAdministrador(QStringLiteral("BRISKO"), QStringLiteral("KOBALT")));
        QVERIFY(!replaced.check(*m_db, QStringLiteral("BRISKO"), QStringLiteral("KOBALT")).ok);
        QVERIFY(replaced.isAdministrador(QStringLiteral("BRISKO"), QStringLiteral("PIZZA 1")));
        QVERIFY(replaced.check(*m_db, QStringLiteral("BRISKO"), QStringLiteral("PIZZA 1"))
                    .administrador);

        // A value that is no hash locks the administrator out rather than letting it be typed.
        const Authentication broken = Authentication::fromIni(iniWith(QStringLiteral("SEGREDO")));
        QVERIFY(!broken.isAdministrador(QStringLiteral("BRISKO"), QStringLiteral("SEGREDO")));
        QVERIFY(!broken.isAdministrador(QStringLiteral("BRISKO"), QStringLiteral("KOBALT")));

        const Authentication absent =
            Authentication::fromIni(m_dir.filePath(QStringLiteral("none/Configuracao.ini")));
        QVERIFY(absent.isAdministrador(QStringLiteral("BRISKO"), QStringLiteral("KOBALT")));
    }

    void databaseFailureIsThrownNotTakenForAWrongPassword() {
        TestDatabase fx;
        const auto db = fx.create();
        db->exec(QStringLiteral("DROP TABLE TB_Usuario"));
        QVERIFY_THROWS_EXCEPTION(
            DbError, Authentication().check(*db, QStringLiteral("MARIA"), QStringLiteral("X")));
        // The administrator does not depend on the table.
        QVERIFY(Authentication().check(*db, QStringLiteral("BRISKO"), QStringLiteral("KOBALT")).ok);
    }
};

BRISKO_DB_TEST_MAIN(TestAuthentication)
#include "TestAuthentication.moc"
