#include "app/AppHome.h"
#include "app/IniFile.h"
#include "app/Settings.h"
#include "common/screens/ScreenContext.h"
#include "data/Connections.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "data/Transaction.h"
#include "shell/PasswordHash.h"
#include "shell/Session.h"
#include "shell/screens/frmAutenticacao.h"
#include "support/ScriptedMessageBoxes.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

namespace {

using Icon = MessageBoxes::Icon;

const QString kInvalidos = QStringLiteral("Usuário ou senha invalidos");
const QString kEncerra =
    QStringLiteral("O Programa será fechado por exceder o numero de tentativas.   \n"
                   "Caso não consiga entrar no sistema entre em\n"
                   "contato com o ADMINISTRADOR do sistema.\n");

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

    void addUser(qint64 id, const QString& nome, const QString& usuario, const QString& senha) {
        other->exec(QStringLiteral("INSERT INTO TB_Usuario (usu_ID, usu_Nome, usu_Usuario, "
                                   "usu_Senha, usu_Autoridade) VALUES (?,?,?,?,1)"),
                    {id, nome, usuario, senha});
    }
};

void type(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
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

private:
    static void showActive(frmAutenticacao& screen) {
        screen.show();
        QVERIFY(QTest::qWaitForWindowActive(&screen));
    }

private Q_SLOTS:
    void showsVersionBusinessAndOpensTheDatabase() {
        Run run;
        run.settings.gCodigoEmpresa = QStringLiteral("PIZ-0042");
        frmAutenticacao screen(run.context);
        QCOMPARE(screen.objectName(), QStringLiteral("frmAutenticacao"));
        QCOMPARE(screen.lblVersao()->text(), QStringLiteral("Versão 3.2.0"));
        QCOMPARE(screen.lblIdEmpresa()->text(), QStringLiteral("PIZ-0042"));
        QCOMPARE(screen.options().radius, 7);
        QVERIFY(!screen.titleButtons());
        QCOMPARE(screen.txtSenha()->echoMode(), QLineEdit::Password);
        QVERIFY(!run.connections.isOpen());
        showActive(screen);
        QVERIFY(run.connections.isOpen());
        QVERIFY(screen.txtUsuario()->text().isEmpty());
        QCOMPARE(QApplication::focusWidget(), screen.txtUsuario());
        QCOMPARE(run.messages.count(), 0);
    }

    void fieldsTypeCapitalsAndSelectAllOnFocus() {
        Run run;
        frmAutenticacao screen(run.context);
        showActive(screen);
        QTest::keyClicks(screen.txtUsuario(), QStringLiteral("maria-"));
        // Only a to z change; other letters pass as typed.
        QTest::sendKeyEvent(QTest::Click, screen.txtUsuario(), Qt::Key_unknown, QStringLiteral("ç"),
                            Qt::NoModifier);
        QTest::keyClicks(screen.txtUsuario(), QStringLiteral("1"));
        QCOMPARE(screen.txtUsuario()->text(), QStringLiteral("MARIA-ç1"));
        QTest::keyClick(screen.txtUsuario(), Qt::Key_Tab);
        QTest::keyClicks(screen.txtSenha(), QStringLiteral("pizza"));
        QCOMPARE(screen.txtSenha()->text(), QStringLiteral("PIZZA"));
        QTest::mouseClick(screen.txtUsuario(), Qt::LeftButton);
        QTRY_COMPARE(screen.txtUsuario()->selectedText(), QStringLiteral("MARIA-ç1"));
    }

    void attemptsCountForTheWholeRunAcrossLoginScreens() {
        Run run;
        run.addUser(7, QStringLiteral("Maria Souza"), QStringLiteral("MARIA"),
                    QStringLiteral("PIZZA"));
        {
            frmAutenticacao first(run.context);
            QSignalSpy in(&first, &frmAutenticacao::autenticado);
            QSignalSpy end(&first, &frmAutenticacao::encerrarPrograma);
            showActive(first);
            for (int attempt = 1; attempt <= 2; ++attempt) {
                login(first, QStringLiteral("MARIA"), QStringLiteral("PIZZ"));
                QCOMPARE(run.messages.count(), attempt);
                QCOMPARE(run.messages.last().icon, Icon::Information);
                QCOMPARE(run.messages.last().caption, QStringLiteral("Aviso"));
                QCOMPARE(run.messages.last().text, kInvalidos);
                QCOMPARE(run.session.gTentativas, attempt);
                QCOMPARE(QApplication::focusWidget(), first.txtUsuario());
                QCOMPARE(first.txtUsuario()->selectedText(), QStringLiteral("MARIA"));
            }
            login(first, QStringLiteral("MARIA"), QStringLiteral("PIZZA"));
            QCOMPARE(in.count(), 1);
            QVERIFY(end.isEmpty());
            QVERIFY(!first.isVisible());
            QCOMPARE(run.messages.count(), 2);
            QCOMPARE(run.session.gUsuarioNome, QStringLiteral("Maria Souza"));
            QCOMPARE(run.session.usuId, 7);
            QVERIFY(run.session.gUsuarioLogin.isEmpty());
            QCOMPARE(run.session.gTentativas, 2);
        }
        // The user switch: a new screen, the same run.
        run.connections.close();
        frmAutenticacao second(run.context);
        QSignalSpy in(&second, &frmAutenticacao::autenticado);
        QSignalSpy end(&second, &frmAutenticacao::encerrarPrograma);
        showActive(second);
        login(second, QStringLiteral("MARIA"), QStringLiteral("ERRADA"));
        QCOMPARE(run.messages.count(), 4);
        QCOMPARE(run.messages.messages().at(2).text, kInvalidos);
        QCOMPARE(run.messages.messages().at(3).icon, Icon::Critical);
        QCOMPARE(run.messages.messages().at(3).caption, QStringLiteral("Autenticação"));
        QCOMPARE(run.messages.messages().at(3).text, kEncerra);
        QCOMPARE(end.count(), 1);
        QCOMPARE(end.at(0).at(0).toInt(), frmAutenticacao::kSaidaTentativas);
        QVERIFY(frmAutenticacao::kSaidaTentativas != 0);
        QVERIFY(in.isEmpty());
    }

    void emptyFieldsAskForThemWithoutCounting_data() {
        QTest::addColumn<QString>("usuario");
        QTest::addColumn<QString>("senha");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("focus");
        QTest::newRow("no user") << QString() << QStringLiteral("ERRADA")
                                 << QStringLiteral("Digite o usuário.")
                                 << QStringLiteral("txtUsuario");
        QTest::newRow("nothing") << QString() << QString() << QStringLiteral("Digite o usuário.")
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
        QCOMPARE(run.messages.last().icon, Icon::Information);
        QCOMPARE(run.messages.last().caption, QStringLiteral("Aviso"));
        QCOMPARE(run.messages.last().text, text);
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
        QTest::keyClick(screen.txtSenha(), Qt::Key_Return);
        QTest::keyClick(screen.txtSenha(), Qt::Key_Enter);
        QVERIFY(in.isEmpty());
        QCOMPARE(run.messages.count(), 0);
        QVERIFY(screen.isVisible());

        QTest::keyClick(screen.txtSenha(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), screen.imgEntrar());
        QTest::keyClick(screen.imgEntrar(), Qt::Key_Space);
        QCOMPARE(in.count(), 1);
        QCOMPARE(run.session.gUsuarioNome, QStringLiteral("ADMINISTRADOR"));
        QCOMPARE(run.session.gUsuarioLogin, QStringLiteral("BRISKO"));
        QCOMPARE(run.session.gUsuarioSenha, QStringLiteral("KOBALT"));
        QCOMPARE(run.session.usuId, 0);
    }

    void administratorGetsInWithoutADatabase() {
        Run run;
        Connections missing(ConnectionSpec::sqlite(run.dir.filePath(QStringLiteral("no/X.db"))));
        ScreenContext context{run.messages, missing, run.settings, run.session, run.home};
        frmAutenticacao screen(context);
        QSignalSpy in(&screen, &frmAutenticacao::autenticado);
        showActive(screen);
        QCOMPARE(run.messages.count(), 1);
        QCOMPARE(run.messages.last().icon, Icon::Critical);
        QVERIFY(screen.isVisible());

        // A user needs the table: the failure is shown again, nobody is turned away.
        login(screen, QStringLiteral("MARIA"), QStringLiteral("PIZZA"));
        QCOMPARE(run.messages.count(), 2);
        QCOMPARE(run.messages.last().icon, Icon::Critical);
        QCOMPARE(run.session.gTentativas, 0);

        login(screen, QStringLiteral("BRISKO"), QStringLiteral("KOBALT"));
        QCOMPARE(in.count(), 1);
        QCOMPARE(run.messages.count(), 2);
    }

    void databaseErrorWhileCheckingIsShownAndNotCounted() {
        Run run;
        run.other->exec(QStringLiteral("DROP TABLE TB_Usuario"));
        frmAutenticacao screen(run.context);
        showActive(screen);
        login(screen, QStringLiteral("MARIA"), QStringLiteral("PIZZA"));
        QCOMPARE(run.messages.count(), 1);
        QCOMPARE(run.messages.last().icon, Icon::Critical);
        QVERIFY(run.messages.last().text.contains(QStringLiteral("TB_Usuario")));
        QCOMPARE(run.session.gTentativas, 0);
        QVERIFY(screen.isVisible());
    }

    void replacementAdministratorPasswordFromTheSettings() {
        Run run;
        GravaIni(run.home.iniPath(), QStringLiteral("Geral"), QStringLiteral("SenhaAdministrador"),
                 PasswordHash::hash(QStringLiteral("NOVA")));
        frmAutenticacao screen(run.context);
        QSignalSpy in(&screen, &frmAutenticacao::autenticado);
        showActive(screen);
        login(screen, QStringLiteral("BRISKO"), QStringLiteral("KOBALT"));
        QCOMPARE(run.messages.last().text, kInvalidos);
        QCOMPARE(run.session.gTentativas, 1);
        login(screen, QStringLiteral("brisko"), QStringLiteral("nova"));
        QCOMPARE(in.count(), 1);
        QCOMPARE(run.session.gUsuarioSenha, QStringLiteral("NOVA"));
    }

    void loginWidensOldColumnsAndALockDoesNotStopIt() {
        Run run;
        Schema::Table item = Schema::table(QStringLiteral("TB_Item"));
        for (auto& column : item.columns) {
            if (column.name == QLatin1String("ite_Nome")) {
                column.width = 50;
            }
        }
        run.other->exec(QStringLiteral("DROP TABLE TB_Item"));
        run.other->exec(Schema::createTableSql(run.other->engine(), item));
        const auto width = [&run] {
            return declaredTextWidth(*run.other, QStringLiteral("TB_Item"),
                                     QStringLiteral("ite_Nome"));
        };

        frmAutenticacao screen(run.context);
        QSignalSpy in(&screen, &frmAutenticacao::autenticado);
        showActive(screen);
        {
            Transaction held(*run.other);
            run.other->exec(QStringLiteral("UPDATE TB_Item SET ite_Nome = ite_Nome"));
            login(screen, QStringLiteral("BRISKO"), QStringLiteral("KOBALT"));
        }
        QCOMPARE(in.count(), 1);
        QCOMPARE(run.messages.count(), 1);
        QVERIFY(run.messages.last().text.startsWith(
            QStringLiteral("Banco de dados em uso por outro processo.")));
        QCOMPARE(width(), 50);

        frmAutenticacao next(run.context);
        showActive(next);
        login(next, QStringLiteral("MARIA"), QStringLiteral("X"));
        QCOMPARE(run.messages.last().text, kInvalidos);
        QCOMPARE(width(), 100);
    }

    void cancelAndClosingEndTheProgram() {
        Run run;
        frmAutenticacao screen(run.context);
        QSignalSpy end(&screen, &frmAutenticacao::encerrarPrograma);
        showActive(screen);
        QTest::mouseClick(screen.imgCancelar(), Qt::LeftButton);
        QCOMPARE(end.count(), 1);
        QCOMPARE(end.at(0).at(0).toInt(), 0);
        QCOMPARE(run.messages.count(), 0);

        frmAutenticacao closed(run.context);
        QSignalSpy closedEnd(&closed, &frmAutenticacao::encerrarPrograma);
        showActive(closed);
        QTest::keyClick(closed.txtUsuario(), Qt::Key_Escape);
        QVERIFY(!closed.isVisible());
        QCOMPARE(closedEnd.count(), 1);
        QCOMPARE(closedEnd.at(0).at(0).toInt(), 0);
    }

    void supportToolIsStartedOrItsAbsenceTold() {
        Run run;
        frmAutenticacao screen(run.context);
        QSignalSpy end(&screen, &frmAutenticacao::encerrarPrograma);
        showActive(screen);
        QTest::mouseClick(screen.lblVersao(), Qt::LeftButton);
        QCOMPARE(run.messages.count(), 1);
        QCOMPARE(run.messages.last().icon, Icon::Information);
        QCOMPARE(run.messages.last().caption, QStringLiteral("Aviso"));
        QVERIFY(run.messages.last().text.contains(QStringLiteral("TeamViewerQS_pt.exe")));
        QVERIFY(screen.isVisible());
        QVERIFY(end.isEmpty());

#ifdef Q_OS_UNIX
        QDir().mkpath(run.home.supportFolder());
        const QString tool = run.home.supportFolder() + QStringLiteral("TeamViewerQS_pt.exe");
        const QString marker = run.dir.filePath(QStringLiteral("started"));
        QFile script(tool);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\ntouch '" + marker.toUtf8() + "'\n");
        script.close();
        script.setPermissions(script.permissions() | QFile::ExeOwner);
        QTest::mouseClick(screen.lblVersao(), Qt::LeftButton);
        QTRY_VERIFY(QFile::exists(marker));
        QCOMPARE(run.messages.count(), 1);
        QVERIFY(screen.isVisible());
#endif
    }
};

QTEST_MAIN(TestfrmAutenticacao)
#include "TestfrmAutenticacao.moc"
