#include "config/Session.h"
#include "shell/Authority.h"

#include <QtTest>

Q_DECLARE_METATYPE(authority::Area)

class TestAuthority : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void refusalByCode_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("usersRefused");
        QTest::addColumn<bool>("reportsRefused");
        QTest::newRow("1 registers users, sees reports") << 1 << false << false;
        QTest::newRow("2 registers users only") << 2 << false << true;
        QTest::newRow("3 sees reports only") << 3 << false << false;
        QTest::newRow("4 neither") << 4 << true << true;
        QTest::newRow("0 unknown") << 0 << true << true;
        QTest::newRow("5 unknown") << 5 << true << true;
        QTest::newRow("negative") << -1 << true << true;
    }
    void refusalByCode() {
        QFETCH(int, code);
        QFETCH(bool, usersRefused);
        QFETCH(bool, reportsRefused);
        QCOMPARE(authority::refuses(code, authority::Area::UserScreens), usersRefused);
        QCOMPARE(authority::refuses(code, authority::Area::ReportsAndExports), reportsRefused);
    }

    void builtInAdministrator_data() {
        QTest::addColumn<QString>("login");
        QTest::addColumn<QString>("senha");
        QTest::addColumn<bool>("administrator");
        QTest::newRow("both") << "BRISKO"
                              << "KOBALT" << true;
        QTest::newRow("login alone") << "BRISKO"
                                     << "" << true;
        QTest::newRow("password alone") << ""
                                        << "KOBALT" << true;
        QTest::newRow("normal login") << ""
                                      << "" << false;
        QTest::newRow("lower case") << "brisko"
                                    << "kobalt" << false;
        QTest::newRow("other") << "MARIA"
                               << "1234" << false;
    }
    void builtInAdministrator() {
        QFETCH(QString, login);
        QFETCH(QString, senha);
        QFETCH(bool, administrator);
        Session session;
        session.gUsuarioNome = QStringLiteral("ADMINISTRADOR");
        session.gUsuarioLogin = login;
        session.gUsuarioSenha = senha;
        QCOMPARE(authority::isBuiltInAdministrator(session), administrator);
    }
};

QTEST_GUILESS_MAIN(TestAuthority)
#include "TestAuthority.moc"
