#include "common/screens/QtTranslations.h"
#include "common/screens/ScreenContext.h"
#include "config/AppHome.h"
#include "config/Session.h"
#include "config/Settings.h"
#include "data/Connections.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "data/Transaction.h"
#include "shell/screens/frmAutenticacao.h"
#include "support/ScriptedMessageBoxes.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

namespace {

using Icon = MessageBoxes::Icon;

// One run of the program as the login sees it: a home with its database, and the session
// that outlives every login screen.
struct Run {
    QTemporaryDir dir;
    AppHome home{dir.path()};
    ScriptedMessageBoxes messages;
    Settings settings;
    Session session;
    ConnectionSpec spec = ConnectionSpec::sqlite(dir.filePath(QStringLiteral("Delivery.db")));
    std::unique_ptr<Database> other = Database::open(spec, Database::OpenMode::CreateIfMissing);
    Connections connections{spec};
    ScreenContext context{messages, connections, settings, session, home};

    QString lastText() const { return messages.count() ? messages.last().text : QString(); }
};

void showActive(frmAutenticacao& screen) {
    screen.show();
    QVERIFY(QTest::qWaitForWindowActive(&screen));
}

void type(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->clear();
    QTest::keyClicks(field, text);
}

void login(frmAutenticacao& screen, const QString& usuario, const QString& senha) {
    type(screen.txtUsuario(), usuario);
    type(screen.txtSenha(), senha);
    QTest::mouseClick(screen.imgEntrar(), Qt::LeftButton);
}

} // namespace

class TestfrmAutenticacao : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void attemptsCountForTheWholeRunAcrossLoginScreens() {
        Run run;
        run.settings.gCodigoEmpresa = QStringLiteral("PIZ-0042");
        run.other->exec(QStringLiteral("INSERT INTO TB_Usuario (usu_ID, usu_Nome, usu_Usuario, "
                                       "usu_Senha) VALUES (7, 'Maria Souza', 'MARIA', 'PIZZA')"));
        {
            frmAutenticacao first(run.context);
            QCOMPARE(first.lblVersao()->text(), QStringLiteral("Versão 3.2.0"));
            QCOMPARE(first.lblIdEmpresa()->text(), QStringLiteral("PIZ-0042"));
            QSignalSpy in(&first, &frmAutenticacao::autenticado);
            showActive(first);
            QVERIFY(run.connections.isOpen());
            for (int attempt = 1; attempt <= 2; ++attempt) {
                login(first, QStringLiteral("maria"), QStringLiteral("pizz"));
                QCOMPARE(run.messages.count(), attempt);
                QCOMPARE(run.messages.last().icon, Icon::Information);
                QCOMPARE(run.messages.last().caption, QStringLiteral("Aviso"));
                QCOMPARE(run.lastText(), QStringLiteral("Usuário ou senha invalidos"));
                QCOMPARE(run.session.gTentativas, attempt);
                QCOMPARE(QApplication::focusWidget(), first.txtUsuario());
                QCOMPARE(first.txtUsuario()->selectedText(), QStringLiteral("MARIA"));
            }
            login(first, QStringLiteral("maria"), QStringLiteral("pizza"));
            QCOMPARE(in.count(), 1);
            QVERIFY(!first.isVisible());
            QCOMPARE(run.session.gUsuarioNome, QStringLiteral("Maria Souza"));
            QCOMPARE(run.session.usuId, 7);
        }
        // The user switch: a new screen, the same run.
        run.connections.close();
        frmAutenticacao second(run.context);
        QSignalSpy end(&second, &frmAutenticacao::encerrarPrograma);
        showActive(second);
        login(second, QStringLiteral("MARIA"), QStringLiteral("ERRADA"));
        QCOMPARE(run.messages.count(), 4);
        QCOMPARE(run.messages.last().icon, Icon::Critical);
        QCOMPARE(run.messages.last().caption, QStringLiteral("Autenticação"));
        QCOMPARE(run.lastText(),
                 QStringLiteral("O Programa será fechado por exceder o numero de tentativas.   \n"
                                "Caso não consiga entrar no sistema entre em\n"
                                "contato com o ADMINISTRADOR do sistema.\n"));
        QCOMPARE(end.count(), 1);
        QCOMPARE(end.at(0).at(0).toInt(), frmAutenticacao::kSaidaTentativas);
        QVERIFY(frmAutenticacao::kSaidaTentativas != 0);
    }

    void emptyFieldsAskForThemWithoutCounting_data() {
        QTest::addColumn<QString>("usuario");
        QTest::addColumn<QString>("senha");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("focus");
        QTest::newRow("no user") << QString() << QStringLiteral("ERRADA")
                                 << QStringLiteral("Digite o usuário.")
                                 << QStringLiteral("txtUsuario");
        QTest::newRow("no password")
            << QStringLiteral("MARIA") << QString() << QStringLiteral("Digite a Senha")
            << QStringLiteral("txtSenha");
    }
    void emptyFieldsAskForThemWithoutCounting() {
        QFETCH(QString, usuario);
        QFETCH(QString, senha);
        QFETCH(QString, text);
        QFETCH(QString, focus);
        Run run;
        frmAutenticacao screen(run.context);
        showActive(screen);
        login(screen, usuario, senha);
        QCOMPARE(run.messages.count(), 1);
        QCOMPARE(run.lastText(), text);
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QCOMPARE(run.session.gTentativas, 0);
    }

    void enterDoesNotLogInButTheKeyboardCan() {
        Run run;
        frmAutenticacao screen(run.context);
        QSignalSpy in(&screen, &frmAutenticacao::autenticado);
        showActive(screen);
        type(screen.txtUsuario(), QStringLiteral("brisko"));
        QTest::keyClick(screen.txtUsuario(), Qt::Key_Return);
        type(screen.txtSenha(), QStringLiteral("kobalt"));
        QTest::keyClick(screen.txtSenha(), Qt::Key_Enter);
        QVERIFY(in.isEmpty());
        QCOMPARE(run.messages.count(), 0);

        QTest::mouseClick(screen.txtUsuario(), Qt::LeftButton);
        QTRY_COMPARE(screen.txtUsuario()->selectedText(), QStringLiteral("BRISKO"));
        QTest::keyClick(screen.txtUsuario(), Qt::Key_Tab);
        QTest::keyClick(screen.txtSenha(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), screen.imgEntrar());
        QTest::keyClick(screen.imgEntrar(), Qt::Key_Space);
        QCOMPARE(in.count(), 1);
        QCOMPARE(run.session.gUsuarioNome, QStringLiteral("ADMINISTRADOR"));
        QCOMPARE(run.session.gUsuarioLogin, QStringLiteral("BRISKO"));
        QCOMPARE(run.session.gUsuarioSenha, QStringLiteral("KOBALT"));
    }

    void unreachableDatabaseIsToldAndTheAdministratorStillGetsIn_data() {
        QTest::addColumn<bool>("silentServer");
        QTest::addColumn<QString>("told");

        QTest::newRow("missing file") << false << QString();
        // Takes the connection and never says a word: the kernel accepts for it.
        QTest::newRow("server that never answers") << true << QStringLiteral("não respondeu em 5");
    }

    void unreachableDatabaseIsToldAndTheAdministratorStillGetsIn() {
        QFETCH(bool, silentServer);
        QFETCH(QString, told);
        Run run;
        QTcpServer silent;
        QVERIFY(silent.listen(QHostAddress::LocalHost));
        ConnectionSpec spec = ConnectionSpec::sqlite(run.dir.filePath(QStringLiteral("no/X.db")));
        if (silentServer) {
            spec = *ConnectionSpec::fromPostgresUri(
                QStringLiteral("postgresql://brisko@127.0.0.1:%1/x").arg(silent.serverPort()));
        }
        Connections missing(spec);
        ScreenContext context{run.messages, missing, run.settings, run.session, run.home};
        frmAutenticacao screen(context);
        QSignalSpy in(&screen, &frmAutenticacao::autenticado);
        QElapsedTimer clock;
        clock.start();
        showActive(screen);
        QCOMPARE(run.messages.count(), 1);
        QCOMPARE(run.messages.last().icon, Icon::Critical);
        QVERIFY2(run.lastText().contains(told), qPrintable(run.lastText()));
        if (silentServer) {
            QVERIFY2(clock.elapsed() > 4000 && clock.elapsed() < 8000,
                     qPrintable(QString::number(clock.elapsed())));
        }
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);

        login(screen, QStringLiteral("MARIA"), QStringLiteral("PIZZA"));
        QCOMPARE(run.messages.count(), 2);
        QCOMPARE(run.messages.last().icon, Icon::Critical);
        QCOMPARE(run.session.gTentativas, 0);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);

        login(screen, QStringLiteral("BRISKO"), QStringLiteral("KOBALT"));
        QCOMPARE(in.count(), 1);
        QCOMPARE(run.messages.count(), 2);
    }

    void heldOldColumnIsToldAndTheLoginGoesOn() {
        Run run;
        Schema::Table item = Schema::table(QStringLiteral("TB_Item"));
        item.columns[1].width = 50;
        run.other->exec(QStringLiteral("DROP TABLE TB_Item"));
        run.other->exec(Schema::createTableSql(run.other->engine(), item));
        frmAutenticacao screen(run.context);
        QSignalSpy in(&screen, &frmAutenticacao::autenticado);
        showActive(screen);
        {
            Transaction held(*run.other);
            login(screen, QStringLiteral("BRISKO"), QStringLiteral("KOBALT"));
        }
        QCOMPARE(in.count(), 1);
        QVERIFY(run.lastText().startsWith(QStringLiteral("Banco de dados em uso por outro")));
        QCOMPARE(declaredTextWidth(*run.other, item.name, QStringLiteral("ite_Nome")), 50);
    }

    // A message box over the login speaks Portuguese and is not painted white on grey.
    void messagesOverTheLoginAreReadableAndPortuguese() {
        QVERIFY(instalaTraducoesQt(*QCoreApplication::instance()));
        Run run;
        frmAutenticacao screen(run.context);
        showActive(screen);
        QMessageBox box(QMessageBox::Information, QStringLiteral("Aviso"),
                        QStringLiteral("Digite o usuário."), QMessageBox::Yes | QMessageBox::No,
                        &screen);
        box.show();
        QCOMPARE(box.button(QMessageBox::Yes)->text().remove(u'&'), QStringLiteral("Sim"));
        QCOMPARE(box.button(QMessageBox::No)->text().remove(u'&'), QStringLiteral("Não"));
        for (const QLabel* text : box.findChildren<QLabel*>())
            QVERIFY(text->palette().color(QPalette::WindowText) != QColor(Qt::white));
        QCOMPARE(screen.findChild<QLabel*>(QStringLiteral("lblUsuario"))
                     ->palette()
                     .color(QPalette::WindowText),
                 QColor(Qt::white));
    }

    void cancelEndsAndAMissingSupportToolOnlyTells() {
        Run run;
        frmAutenticacao screen(run.context);
        QSignalSpy end(&screen, &frmAutenticacao::encerrarPrograma);
        showActive(screen);
        QTest::mouseClick(screen.lblVersao(), Qt::LeftButton);
        QCOMPARE(run.messages.count(), 1);
        QCOMPARE(run.messages.last().caption, QStringLiteral("Aviso"));
        QVERIFY(run.lastText().contains(QStringLiteral("TeamViewerQS_pt.exe")));
        QVERIFY(screen.isVisible());
        QVERIFY(end.isEmpty());

        QTest::mouseClick(screen.imgCancelar(), Qt::LeftButton);
        QCOMPARE(end.count(), 1);
        QCOMPARE(end.at(0).at(0).toInt(), 0);
    }
};

QTEST_MAIN(TestfrmAutenticacao)
#include "TestfrmAutenticacao.moc"
