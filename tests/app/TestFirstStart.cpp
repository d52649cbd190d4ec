// ctest-label: gui
#include "app/NewHome.h"
#include "app/screens/Launcher.h"
#include "config/IniFile.h"
#include "shell/Authentication.h"
#include "shell/screens/frmAutenticacao.h"
#include "shell/screens/frmSenhaAdministrador.h"
#include "support/ScriptedMessageBoxes.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

class TestFirstStart : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_homes = 0;

    QString newHome() { return m_dir.filePath(QStringLiteral("home%1").arg(++m_homes)); }

private Q_SLOTS:
    void cleanup() {
        qunsetenv("BRISKO_HOME");
        qunsetenv(NewHome::kSenhaVariable);
    }

    // Typed as a user would: the login's key filter turns the letters into capitals.
    void newHomeAsksThePasswordTwice_data() {
        QTest::addColumn<QString>("senha");
        QTest::addColumn<QString>("confirmacao");
        QTest::addColumn<QString>("aviso");
        QTest::addColumn<bool>("criada");
        QTest::newRow("equal") << "segredo"
                               << "segredo"
                               << "" << true;
        QTest::newRow("different")
            << "segredo"
            << "segreda"
            << "As senhas digitadas não conferem. Digite-as novamente." << false;
        QTest::newRow("empty") << ""
                               << ""
                               << "Digite a Senha" << false;
        QTest::newRow("confirmation empty") << "segredo"
                                            << ""
                                            << "Digite a senha novamente para confirmar." << false;
        QTest::newRow("cancel at once") << ""
                                        << ""
                                        << "" << false;
    }
    void newHomeAsksThePasswordTwice() {
        QFETCH(QString, senha);
        QFETCH(QString, confirmacao);
        QFETCH(QString, aviso);
        QFETCH(bool, criada);
        const QString root = newHome();
        qputenv("BRISKO_HOME", root.toLocal8Bit());
        const bool cancelAtOnce = QByteArray(QTest::currentDataTag()) == "cancel at once";

        ScriptedMessageBoxes messages;
        bool stillOpen = false;
        bool fieldsCleared = false;
        QTimer::singleShot(0, this, [&] {
            auto* screen = qobject_cast<frmSenhaAdministrador*>(QApplication::activeModalWidget());
            QVERIFY(screen);
            if (!cancelAtOnce) {
                QTest::keyClicks(screen->txtSenha(), senha);
                QTest::keyClicks(screen->txtConfirmacao(), confirmacao);
                QTest::mouseClick(screen->imgConfirmar(), Qt::LeftButton);
            }
            stillOpen = screen->isVisible();
            fieldsCleared = screen->txtSenha()->text().isEmpty();
            if (stillOpen) {
                QTest::mouseClick(screen->imgCancelar(), Qt::LeftButton);
            }
        });
        Launcher launcher(messages);
        QCOMPARE(launcher.start(), criada);
        QCOMPARE(messages.texts(), aviso.isEmpty() ? QStringList() : QStringList{aviso});
        if (!aviso.isEmpty()) {
            QCOMPARE(messages.last().caption, QStringLiteral("Aviso"));
        }
        QCOMPARE(stillOpen, !criada);
        QCOMPARE(fieldsCleared,
                 senha.isEmpty() || (!confirmacao.isEmpty() && confirmacao != senha));
        QCOMPARE(QFileInfo::exists(root), criada);
        QVERIFY(!QFileInfo::exists(root + QStringLiteral(".novo")));
        if (criada) {
            const auto auth =
                Authentication::fromIni(root + QStringLiteral("/Configuracao/Configuracao.ini"));
            QVERIFY(auth.isAdministrador(QStringLiteral("BRISKO"), QStringLiteral("SEGREDO")));
            QVERIFY(!auth.isAdministrador(QStringLiteral("BRISKO"),
                                          Authentication::kAdministradorSenha));
            QVERIFY(launcher.login() && launcher.login()->isVisible());
        }
    }

    // The variable answers for a new home only; an existing home without the setting keeps
    // the built-in password and is not written to. No screen may ask anything here.
    void variableServesOnlyANewHome() {
        const QString root = newHome();
        const QString ini = root + QStringLiteral("/Configuracao/Configuracao.ini");
        qputenv("BRISKO_HOME", root.toLocal8Bit());
        QByteArray before;
        for (const char* senha : {"segredo", "outra"}) {
            qputenv(NewHome::kSenhaVariable, senha);
            QTimer::singleShot(0, this, [] {
                if (QWidget* modal = QApplication::activeModalWidget())
                    modal->close();
            });
            ScriptedMessageBoxes messages;
            Launcher launcher(messages);
            QVERIFY(launcher.start());
            QCOMPARE(messages.count(), 0);
            QFile file(ini);
            QVERIFY(file.open(QIODevice::ReadOnly));
            if (before.isEmpty()) {
                QVERIFY(Authentication::fromIni(ini).isAdministrador(QStringLiteral("BRISKO"),
                                                                     QStringLiteral("SEGREDO")));
                file.close();
                GravaIni(ini, QStringLiteral("Geral"), Authentication::kSenhaAdministradorKey, {});
                QVERIFY(file.open(QIODevice::ReadOnly));
                before = file.readAll();
            } else {
                QCOMPARE(file.readAll(), before);
            }
        }
        QVERIFY(Authentication::fromIni(ini).isAdministrador(QStringLiteral("BRISKO"),
                                                             Authentication::kAdministradorSenha));
    }
};

QTEST_MAIN(TestFirstStart)
#include "TestFirstStart.moc"
