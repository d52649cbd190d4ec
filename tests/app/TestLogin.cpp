// ctest-label: gui
#include "app/screens/Launcher.h"
#include "app/screens/MDIPrincipal.h"
#include "app/screens/frmLoad.h"
#include "masterdata/PasswordHash.h"
#include "shell/screens/frmAutenticacao.h"
#include "support/BriskoProcess.h"
#include "support/ScriptedMessageBoxes.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

namespace {

void login(frmAutenticacao* screen, const QString& senha) {
    screen->txtUsuario()->setText(QStringLiteral("BRISKO"));
    screen->txtSenha()->setText(senha);
    QTest::mouseClick(screen->imgEntrar(), Qt::LeftButton);
}

// What the main window does on "Trocar Usuário" before it hands over.
void switchUser(MDIPrincipal* main) {
    main->hide();
    Q_EMIT main->trocarUsuario();
}

QString hashCommand(const QStringList& arguments, const QByteArray& input) {
    QProcess process;
    process.start(QStringLiteral(BRISKO_EXE),
                  QStringList{QStringLiteral("--gerar-hash-senha")} + arguments);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(15000);
    return process.exitCode() == 0 ? QString::fromUtf8(process.readAllStandardOutput()).trimmed()
                                   : QString();
}

} // namespace

class TestLogin : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private Q_SLOTS:
    void programOpensOnTheLoginScreen() {
        BriskoProcess run(m_dir.filePath(QStringLiteral("process")), m_dir.path());
        run.exitAfter(QStringLiteral("frmAutenticacao"));
        run.start();
        QCOMPARE(run.waitForExit(), 0);
        QCOMPARE(run.shownScreens(), QStringList{QStringLiteral("frmAutenticacao")});
        QVERIFY2(run.messages().isEmpty(), qPrintable(run.messages().value(0).text));
    }

    // The run inside this process: logins around user switches share one main window and one
    // attempt counter, and the run's third failure ends it.
    void loginLoadingMainWindowAndUserSwitch() {
        qputenv("BRISKO_HOME", m_dir.filePath(QStringLiteral("inside")).toLocal8Bit());
        ScriptedMessageBoxes messages;
        Launcher launcher(messages);
        QSignalSpy end(&launcher, &Launcher::encerrarPrograma);
        QVERIFY(launcher.start());
        frmAutenticacao* first = launcher.login();
        QVERIFY(first->isVisible());
        login(first, QStringLiteral("ERRADA"));
        QVERIFY(!launcher.mainWindow());

        QElapsedTimer clock;
        clock.start();
        login(first, QStringLiteral("KOBALT"));
        MDIPrincipal* main = launcher.mainWindow();
        QVERIFY(main && !main->isVisible());
        QVERIFY(launcher.loading()->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(main->isVisible(), 10000);
        // A hundred ticks of 15 ms.
        QVERIFY(clock.elapsed() >= 1500);
        QVERIFY(!launcher.loading()->isVisible());

        switchUser(main);
        QVERIFY(launcher.login() != first && launcher.login()->isVisible());
        login(launcher.login(), QStringLiteral("OUTRA"));
        login(launcher.login(), QStringLiteral("KOBALT"));
        QCOMPARE(launcher.mainWindow(), main);
        QTRY_VERIFY_WITH_TIMEOUT(main->isVisible(), 10000);

        switchUser(main);
        QVERIFY(end.isEmpty());
        login(launcher.login(), QStringLiteral("MAIS UMA"));
        QCOMPARE(launcher.session().gTentativas, 3);
        QCOMPARE(end.count(), 1);
        QCOMPARE(end.at(0).at(0).toInt(), frmAutenticacao::kSaidaTentativas);
        QCOMPARE(messages.last().caption, QStringLiteral("Autenticação"));
        qunsetenv("BRISKO_HOME");
    }

    void hashCommandHashesThePasswordAsTheLoginTypesIt() {
        const QString fromArgument = hashCommand({QStringLiteral("segredo")}, {});
        QVERIFY(PasswordHash::verify(QStringLiteral("SEGREDO"), fromArgument));
        const QString fromInput = hashCommand({}, QByteArrayLiteral("Ação 9\n"));
        QVERIFY(PasswordHash::verify(QStringLiteral("AçãO 9"), fromInput));
        QVERIFY(hashCommand({}, {}).isEmpty());
    }
};

QTEST_MAIN(TestLogin)
#include "TestLogin.moc"
