// ctest-label: gui
#include "app/screens/Launcher.h"
#include "app/screens/frmLoad.h"
#include "data/ConnectionSpec.h"
#include "data/Database.h"
#include "shell/PasswordHash.h"
#include "shell/screens/MDIPrincipal.h"
#include "shell/screens/frmAutenticacao.h"
#include "support/BriskoProcess.h"
#include "support/ScriptedMessageBoxes.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

namespace {

void login(frmAutenticacao* screen, const QString& usuario, const QString& senha) {
    screen->txtUsuario()->setText(usuario);
    screen->txtSenha()->setText(senha);
    QTest::mouseClick(screen->imgEntrar(), Qt::LeftButton);
}

QString runHashCommand(const QStringList& arguments, const QByteArray& input = {}) {
    QProcess process;
    process.start(QStringLiteral(BRISKO_EXE), arguments);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(15000) || process.exitCode() != 0) {
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

} // namespace

class TestLogin : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_homes = 0;

    QString newHomePath() { return m_dir.filePath(QStringLiteral("home%1").arg(++m_homes)); }

private Q_SLOTS:
    void programOpensOnTheLoginScreen() {
        const QString home = newHomePath();
        BriskoProcess run(home, m_dir.path());
        run.exitAfter(QStringLiteral("frmAutenticacao"));
        run.start();
        QCOMPARE(run.waitForExit(), 0);
        QCOMPARE(run.shownScreens(), QStringList{QStringLiteral("frmAutenticacao")});
        QVERIFY2(run.messages().isEmpty(), qPrintable(run.messages().value(0).text));
    }

    // The whole run inside this process: two logins around a user switch share one main window
    // and one attempt counter, and the third failure of the run ends it.
    void loginLoadingMainWindowAndUserSwitch() {
        qputenv("BRISKO_HOME", newHomePath().toLocal8Bit());
        ScriptedMessageBoxes messages;
        Launcher launcher(messages);
        QSignalSpy end(&launcher, &Launcher::encerrarPrograma);
        QVERIFY(launcher.start());
        frmAutenticacao* first = launcher.login();
        QVERIFY(first && first->isVisible());
        QVERIFY(!launcher.mainWindow());

        login(first, QStringLiteral("BRISKO"), QStringLiteral("ERRADA"));
        QCOMPARE(launcher.session().gTentativas, 1);
        QVERIFY(!launcher.loading());

        QElapsedTimer clock;
        clock.start();
        login(first, QStringLiteral("BRISKO"), QStringLiteral("KOBALT"));
        QVERIFY(!first->isVisible());
        MDIPrincipal* main = launcher.mainWindow();
        QVERIFY(main);
        QVERIFY(!main->isVisible());
        QVERIFY(launcher.loading() && launcher.loading()->isVisible());
        QCOMPARE(launcher.session().gUsuarioNome, QStringLiteral("ADMINISTRADOR"));
        QTRY_VERIFY_WITH_TIMEOUT(main->isVisible(), 10000);
        // A hundred ticks of 15 ms.
        QVERIFY(clock.elapsed() >= 1500);
        QTRY_VERIFY(!launcher.loading()->isVisible());

        // What the main window does on "Trocar Usuário" before it hands over.
        main->hide();
        Q_EMIT main->trocarUsuario();
        frmAutenticacao* second = launcher.login();
        QVERIFY(second && second != first);
        QVERIFY(second->isVisible());
        QVERIFY(second->txtUsuario()->text().isEmpty());

        login(second, QStringLiteral("BRISKO"), QStringLiteral("OUTRA"));
        QCOMPARE(launcher.session().gTentativas, 2);
        login(second, QStringLiteral("BRISKO"), QStringLiteral("KOBALT"));
        QCOMPARE(launcher.mainWindow(), main);
        QTRY_VERIFY_WITH_TIMEOUT(main->isVisible(), 10000);
        QVERIFY(end.isEmpty());

        main->hide();
        Q_EMIT main->trocarUsuario();
        login(launcher.login(), QStringLiteral("BRISKO"), QStringLiteral("MAIS UMA"));
        QCOMPARE(end.count(), 1);
        QCOMPARE(end.at(0).at(0).toInt(), frmAutenticacao::kSaidaTentativas);
        QCOMPARE(messages.last().caption, QStringLiteral("Autenticação"));
        QVERIFY(!main->isVisible());
        qunsetenv("BRISKO_HOME");
    }

    void cancelOnTheLoginEndsTheRun() {
        qputenv("BRISKO_HOME", newHomePath().toLocal8Bit());
        ScriptedMessageBoxes messages;
        Launcher launcher(messages);
        QSignalSpy end(&launcher, &Launcher::encerrarPrograma);
        QVERIFY(launcher.start());
        QTest::mouseClick(launcher.login()->imgCancelar(), Qt::LeftButton);
        QCOMPARE(end.count(), 1);
        QCOMPARE(end.at(0).at(0).toInt(), 0);
        QVERIFY(!launcher.mainWindow());
        QCOMPARE(messages.count(), 0);
        qunsetenv("BRISKO_HOME");
    }

    void hashCommandPrintsAHashOfThePasswordAsTyped() {
        const QString fromArgument =
            runHashCommand({QStringLiteral("--gerar-hash-senha"), QStringLiteral("segredo")});
        QVERIFY(PasswordHash::isHash(fromArgument));
        QVERIFY(PasswordHash::verify(QStringLiteral("SEGREDO"), fromArgument));

        const QString fromInput =
            runHashCommand({QStringLiteral("--gerar-hash-senha")}, QByteArrayLiteral("Ação 9\n"));
        QVERIFY(PasswordHash::verify(QStringLiteral("AçãO 9"), fromInput));
        QVERIFY(fromInput != fromArgument);

        QProcess empty;
        empty.start(QStringLiteral(BRISKO_EXE), {QStringLiteral("--gerar-hash-senha")});
        empty.closeWriteChannel();
        QVERIFY(empty.waitForFinished(15000));
        QVERIFY(empty.exitCode() != 0);
        QVERIFY(empty.readAllStandardOutput().isEmpty());
    }
};

QTEST_MAIN(TestLogin)
#include "TestLogin.moc"
