#include "app/screens/ImageMenu.h"
#include "app/screens/MDIPrincipal.h"
#include "app/screens/TrayController.h"
#include "app/screens/frmSobre.h"
#include "common/screens/ErrorRoutine.h"
#include "common/screens/ScreenContext.h"
#include "config/AppHome.h"
#include "config/IniFile.h"
#include "config/Session.h"
#include "config/Settings.h"
#include "data/Connections.h"
#include "data/DbError.h"
#include "masterdata/screens/CategoriaLookup.h"
#include "masterdata/screens/frmCategoria.h"
#include "masterdata/screens/frmCliente.h"
#include "orders/screens/frmPedido.h"
#include "shell/ExternalPrograms.h"
#include "shell/SoundCallerIdSource.h"
#include "support/ScreenFixture.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/TestDatabase.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPixmap>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QString kSuficiente = u"Voce não tem autoridade suficiente para executar essa ação"_s;
const QString kSufuciente = u"Voce não tem autoridade sufuciente para executar essa ação"_s;
const QString kVersion =
    u"%1.%2.%3"_s.arg(BRISKO_VERSION_MAJOR).arg(BRISKO_VERSION_MINOR).arg(BRISKO_VERSION_PATCH);

// The window over a database with the schema, in a home folder of its own; exits are noted.
struct Fixture {
    explicit Fixture(std::optional<ConnectionSpec> spec = std::nullopt)
        : connections(spec.value_or(fx.spec())) {
        settings.gNomeEmpresa = u"Pizzaria Forno à Lenha"_s;
    }

    void addUser(const QString& nome, int autoridade) {
        db->exec(QStringLiteral("INSERT INTO TB_Usuario (usu_ID, usu_Nome, usu_Usuario, "
                                "usu_Senha, usu_Autoridade) VALUES (?, ?, ?, ?, ?)"),
                 {++users, nome, nome, u"SENHA"_s, autoridade});
    }

    MDIPrincipal& make() {
        window = std::make_unique<MDIPrincipal>(context);
        window->setExitFunction([this](int code) { exits.append(code); });
        return *window;
    }

    TestDatabase fx;
    std::unique_ptr<Database> db = fx.create();
    QTemporaryDir homeDir;
    AppHome home{homeDir.path()};
    ScriptedMessageBoxes messages;
    Connections connections;
    Settings settings;
    Session session;
    ScreenContext context{messages, connections, settings, session, home};
    int users = 0;
    QList<int> exits;
    std::unique_ptr<MDIPrincipal> window;
};

QAction* item(const MDIPrincipal& window, const QString& name) {
    QAction* action = window.menuItem(name);
    if (!action)
        qFatal("no menu item %s", qPrintable(name));
    return action;
}

QAction* trayItem(const MDIPrincipal& window, const char* name) {
    return window.tray()->menu()->findChild<QAction*>(QString::fromLatin1(name));
}

QLabel* image(const MDIPrincipal& window, const QString& button, bool over = false) {
    return window.findChild<QLabel*>(u"img_Menu_"_s + button + (over ? u"_Over"_s : QString()));
}

// Qt sends no move when the pointer is already there; passing by a neighbour makes sure.
void hover(QWidget* window, const QWidget* target) {
    const QPoint pos = target->mapTo(window, target->rect().center());
    QTest::mouseMove(window, pos + QPoint(0, 1));
    QTest::mouseMove(window, pos);
}

void clickImage(MDIPrincipal& window, const QString& button) {
    showActive(&window);
    hover(&window, image(window, button));
    QTest::mouseClick(image(window, button, true), Qt::LeftButton);
}

// The report menu's check runs when it pops up; true when it stayed open.
bool popUpReports(MDIPrincipal& window) {
    QMenu* rel = window.menu(u"mnuRel"_s);
    rel->popup(QPoint(20, 20));
    QTest::qWait(30);
    const bool open = rel->isVisible();
    rel->close();
    return open;
}

// The object name of the modal screen `open` brings up, after `check` has seen it.
QString modalName(const std::function<void()>& open,
                  const std::function<void(QWidget*)>& check = {}) {
    QString name;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            poll.stop();
            name = modal->objectName();
            if (check)
                check(modal);
            modal->close();
        }
    });
    poll.start(10);
    open();
    return name;
}

// An MDI child that notes when it is asked to close and can refuse.
class Child : public QWidget {
public:
    Child(QStringList& log, const QString& name) : m_log(log), m_name(name) {}
    bool refuse = false;

protected:
    void closeEvent(QCloseEvent* event) override {
        m_log.append(m_name);
        event->setAccepted(!refuse);
    }

private:
    QStringList& m_log;
    QString m_name;
};

} // namespace

class TestMDIPrincipal : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        QCoreApplication::setApplicationName(u"Brisko"_s);
        // The exit copy goes under the user's home folder.
        qputenv("HOME", m_home.path().toUtf8());
    }

    // The number event: a call opens the order screen, which searches by itself; a second
    // call while that order is on is ignored.
    void aCallOpensTheOrderScreenOnce() {
        Fixture f;
        f.db->exec(QStringLiteral("INSERT INTO TB_Cliente (cli_ID, cli_Telefone, cli_Nome) "
                                  "VALUES (1, '98765-4321', 'MARIA')"));
        MDIPrincipal& window = f.make();
        window.chamadaRecebida(u"  "_s);
        QVERIFY(!window.findChild<frmPedido*>());
        window.chamadaRecebida(u"A111987654321C"_s);
        auto* pedido = window.findChild<frmPedido*>();
        QVERIFY(pedido && pedido->isVisible());
        QCOMPARE(pedido->mskTelefone()->text(), u"98765-4321"_s);
        QTRY_COMPARE(pedido->txtNome()->text(), u"MARIA"_s);
        window.chamadaRecebida(u"A11133334444C"_s);
        QCOMPARE(window.findChildren<frmPedido*>().size(), 1);
        QCOMPARE(pedido->mskTelefone()->text(), u"98765-4321"_s);
        pedido->close();
    }

    // Another program hands a call over with `brisko --chamada`; without caller
    // identification on, nobody listens and the command says so.
    void aCallThroughTheLocalChannelFindsTheCustomer() {
        Fixture f;
        f.db->exec(QStringLiteral("INSERT INTO TB_Cliente (cli_ID, cli_Telefone, cli_Nome) "
                                  "VALUES (1, '3333-4444', 'JOSÉ')"));
        auto chamada = [&f](const QString& numero) {
            QProcess brisko;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(u"BRISKO_HOME"_s, f.home.root());
            brisko.setProcessEnvironment(env);
            brisko.start(QStringLiteral(BRISKO_EXE), {u"--chamada"_s, numero});
            while (brisko.state() != QProcess::NotRunning)
                QTest::qWait(10); // the answer needs this thread's event loop
            return brisko.exitCode();
        };
        {
            MDIPrincipal& window = f.make();
            QCOMPARE(chamada(u"(11) 3333-4444"_s), 1);
            QVERIFY(!window.findChild<frmPedido*>());
            QVERIFY(f.messages.texts().isEmpty());
        }
        f.window.reset();
        f.settings.gIdentificaChamada = u"S"_s;
        f.settings.gFonteChamada = u"nenhuma"_s;
        MDIPrincipal& window = f.make();
        QVERIFY(f.messages.texts().isEmpty());
        QCOMPARE(chamada(u"(11) 3333-4444"_s), 0);
        QTRY_VERIFY(window.findChild<frmPedido*>());
        QTRY_COMPARE(window.findChild<frmPedido*>()->txtNome()->text(), u"JOSÉ"_s);
        window.findChild<frmPedido*>()->close();

        // A second copy on the same home cannot listen and says so, once.
        const int before = f.messages.count();
        MDIPrincipal second(f.context);
        QCOMPARE(f.messages.count(), before + 1);
        QVERIFY(f.messages.last().text.startsWith(
            u"As chamadas enviadas por outros programas não serão recebidas.\n"_s));
        QCOMPARE(f.messages.last().icon, MessageBoxes::Icon::Warning);
    }

    // With the sound input as source, a machine without one is told and goes on.
    void noSoundInputIsReportedAtLoad() {
        Fixture f;
        f.settings.gIdentificaChamada = u"S"_s;
        f.settings.gDispositivoChamada = u"Placa que nao existe"_s;
        f.make();
        const QString esperado = SoundCallerIdSource::dispositivosDeEntrada().isEmpty()
                                     ? u"placa de SOM"_s
                                     : u"ID: E001"_s;
        QCOMPARE(f.messages.count(), 1);
        QVERIFY(f.messages.last().text.contains(esperado));
        QCOMPARE(f.messages.last().icon, MessageBoxes::Icon::None);
        QCOMPARE(f.messages.last().caption, u"Brisko"_s);
    }

    void menuTable_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QKeySequence>("key");
        QTest::addColumn<bool>("enabled");
        const struct {
            const char* name;
            const char* caption;
            QKeySequence key;
            bool enabled;
        } rows[] = {
            {"mnuCad", "&Cadastro", {}, true},
            {"mnuCliente", "&Cliente", Qt::Key_F2, true},
            {"mnuPedido", "&Pedido", Qt::Key_F3, true},
            {"mnuProduto", "P&roduto", Qt::Key_F4, true},
            {"mnuCad_Cat", "C&ategoria", Qt::Key_F5, true},
            {"mnuUsuario", "&Usuário", Qt::Key_F6, true},
            {"mnuCadEntregador", "&Entregador", Qt::Key_F7, true},
            {"mnuCon", "&Consulta", {}, true},
            {"mnuCon_Cli", "&Cliente", {}, true},
            {"mnuCon_Ped", "&Pedido", Qt::CTRL | Qt::Key_F3, true},
            {"mnuCon_Pro", "P&roduto", {}, true},
            {"mnuCon_Cat", "C&ategoria", {}, true},
            {"mnuConUsu", "Usuário", {}, true},
            {"mnuConEntregador", "&Entregador", {}, true},
            {"mnuConTabelaPreco", "&Tabela de Preços", Qt::Key_F12, true},
            {"mnuUti", "&Utilitários", {}, true},
            {"mnuExp_Cli", "Exportar Dados &Cliente", {}, true},
            {"mnuExp_Ped", "Exportar Dados &Pedido", {}, true},
            {"mnuExp_Pro", "Exportar Dados P&roduto", {}, true},
            {"mnuUti_Blo", "&Bloco de Notas", Qt::CTRL | Qt::Key_B, true},
            {"mnuUti_Cal", "&Calculadora", Qt::CTRL | Qt::Key_C, true},
            {"mnuUti_Bac", "B&ackup do Sistema", {}, true},
            {"mnuBackupOnLine", "Backup OnLine", {}, true},
            {"mnuAlertaAniversariante", "Alerta de Aniversariantes", {}, true},
            {"mnuUti_Imp", "Impressora", {}, true},
            {"mnuRel", "&Relatórios", {}, true},
            {"mnuRel_Ped", "&Pedidos", {}, true},
            {"mnu_Rel_Ped_Todos_Pedidos", "&Todos Pedidos", {}, true},
            {"mnu_Rel_Ped_Forma_Pagamento", "Forma de &Pagamento", {}, true},
            {"mnu_Rel_Ped_Entregador", "Entregador", {}, true},
            {"mnuRel_Cli", "&Clientes", {}, true},
            {"mnu_Rel_Cli_Todos_Clietes", "Todos Clientes", {}, true},
            {"mnuRel_Pro", "P&rodutos", {}, true},
            {"mnuRel_Pro_Produtos_Vendidos", "&Produtos Vendidos", {}, true},
            {"mnuRel_Pro_Todos_Produtos", "&Todos Produtos", {}, true},
            {"mnuUsu", "&Usuário", {}, true},
            {"mnuUsu_Tro", "&Trocar Usuário", {}, true},
            {"mnuAju", "&Ajuda", {}, true},
            {"mnuAju_Inf", "&Informações do Sistema", {}, true},
            {"mnuAju_Aju", "&Ajuda do Sistema", Qt::Key_F1, true},
            {"mnuProcuraAtualizacao", "&Procurar Atualizações", {}, false},
            {"mnuSai", "&Sair", {}, true},
            {"mnuSai_Enc", "&Encerrar Sistema", Qt::CTRL | Qt::Key_F4, true},
        };
        for (const auto& row : rows) {
            QTest::newRow(row.name) << QString::fromLatin1(row.name)
                                    << QString::fromUtf8(row.caption) << row.key << row.enabled;
        }
    }

    void menuTable() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QKeySequence, key);
        QFETCH(bool, enabled);
        Fixture f;
        const QAction* action = item(f.make(), name);
        QCOMPARE(action->text(), caption);
        QCOMPARE(action->shortcut(), key);
        QCOMPARE(action->isEnabled(), enabled);
    }

    void captionStatusBarAndBackground_data() {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<bool>("written");
        QTest::addColumn<bool>("shown");
        QTest::newRow("picture present") << u"fundo.png"_s << true << true;
        QTest::newRow("picture missing") << u"fundo.png"_s << false << false;
        QTest::newRow("no setting") << u""_s << true << false;
    }

    void captionStatusBarAndBackground() {
        QFETCH(QString, setting);
        QFETCH(bool, written);
        QFETCH(bool, shown);
        Fixture f;
        QDir().mkpath(f.home.imagesFolder());
        QPixmap picture(40, 30);
        picture.fill(Qt::darkRed);
        QVERIFY(!written || picture.save(f.home.imagesFolder() + u"fundo.png"_s));
        f.settings.gImagemFundo = setting;
        MDIPrincipal& window = f.make();
        QCOMPARE(window.windowTitle(), u"Brisko - Menu Principal"_s);
        QCOMPARE(window.mdiArea()->background().textureImage().size(),
                 shown ? QSize(40, 30) : QSize(0, 0));

        const auto* panel = window.findChild<QLabel*>(u"stbPrincipal_Panel2"_s);
        QCOMPARE(panel->text(), u"Brisko "_s + kVersion);
        window.setUsuario(u"MARIA"_s);
        QCOMPARE(panel->text(), u"MARIA"_s);
    }

    void imageMenu() {
        Fixture f;
        MDIPrincipal& window = f.make();
        const QStringList buttons = {"Cliente", "Pedido",          "Produto",     "Categoria",
                                     "Usuario", "Consulta_Pedido", "Lista_Preco", "Sair"};
        for (const QString& button : buttons)
            QVERIFY(image(window, button)->isEnabled());
        const QStringList tips = {"Cliente - F2",        "Pedido - F3",   "Produto - F4",
                                  "Categoria - F5",      "Usuários - F6", "",
                                  "Lista de Preço - F12"};
        for (int i = 0; i < tips.size(); ++i)
            QCOMPARE(image(window, buttons[i], true)->toolTip(), tips[i]);
        // An item without an opener is disabled together with its image button.
        window.setOpener(u"mnuConTabelaPreco"_s, {});
        QVERIFY(!image(window, u"Lista_Preco"_s)->isEnabled());
        showActive(&window);
        for (const QString& button : buttons) {
            QVERIFY(image(window, button)->isVisible());
            QVERIFY(!image(window, button, true)->isVisible());
        }

        const ImageMenu* menu = window.imageMenu();
        hover(&window, image(window, u"Cliente"_s));
        QVERIFY(menu->isHighlighted(u"Cliente"_s));
        hover(&window, image(window, u"Cliente"_s, true));
        QVERIFY(menu->isHighlighted(u"Cliente"_s));
        hover(&window, image(window, u"Pedido"_s));
        QVERIFY(menu->isHighlighted(u"Pedido"_s));
        QVERIFY(!menu->isHighlighted(u"Cliente"_s));
        hover(&window, image(window, u"Lista_Preco"_s));
        QVERIFY(!menu->isHighlighted(u"Lista_Preco"_s)); // disabled
        hover(&window, window.mdiArea()->viewport());
        for (const QString& button : buttons)
            QVERIFY(!menu->isHighlighted(button));
    }

    void registryScreensOpenOnceAndConsultationsPick() {
        Fixture f;
        MDIPrincipal& window = f.make();
        window.show();
        f.db->exec(QStringLiteral(
            "INSERT INTO TB_Categoria (cat_ID, cat_Categoria) VALUES (7, 'BEBIDAS')"));
        item(window, u"mnuCad_Cat"_s)->trigger();
        item(window, u"mnuCad_Cat"_s)->trigger();
        QList<frmCategoria*> open = window.findChildren<frmCategoria*>();
        QCOMPARE(open.size(), 1); // brought forward, not opened twice
        QVERIFY(open.first()->isVisible());
        open.first()->close();

        onNextDialog<frmLocalizar_Categoria>(
            [](frmLocalizar_Categoria& dialog) { dialog.btnProcurar1()->click(); });
        item(window, u"mnuCon_Cat"_s)->trigger();
        QTRY_COMPARE(window.findChildren<frmCategoria*>().size(), 1); // the closed one is gone
        frmCategoria* shown = window.findChildren<frmCategoria*>().first();
        QCOMPARE(shown->txtCategoria()->text(), u"BEBIDAS"_s);
        QCOMPARE(shown->state(), RegistryScreenBase::State::Browse);
        QVERIFY(!shown->txtCategoria()->isEnabled());

        // Cancelled: a registry opened for the lookup goes with it; one already open stays.
        onNextDialog<frmLocalizar_Categoria>(
            [](frmLocalizar_Categoria& dialog) { dialog.close(); });
        item(window, u"mnuCon_Cat"_s)->trigger();
        QCOMPARE(window.findChildren<frmCategoria*>().size(), 1);
        QVERIFY(shown->isVisible());
        shown->close();
        QTRY_COMPARE(window.findChildren<frmCategoria*>().size(), 0);
        onNextDialog<frmLocalizar_Categoria>(
            [](frmLocalizar_Categoria& dialog) { dialog.close(); });
        item(window, u"mnuCon_Cat"_s)->trigger();
        QTRY_COMPARE(window.findChildren<frmCategoria*>().size(), 0);
    }

    // Screens open inside the main window's area, fit it, and the menu keys work from them.
    void screensAreChildrenAndTheMenuKeysWorkFromThem() {
        Fixture f;
        MDIPrincipal& window = f.make();
        window.resize(900, 600);
        showActive(&window);
        QTest::keyClick(&window, Qt::Key_F3);
        auto* pedido = window.findChild<frmPedido*>();
        QVERIFY(pedido && pedido->isVisible() && !pedido->isWindow());
        QCOMPARE(pedido->parentWidget(), window.mdiArea()->viewport());
        QVERIFY(window.mdiArea()->viewport()->rect().contains(pedido->geometry()));
        QTRY_COMPARE(QApplication::focusWidget(), pedido->mskTelefone());
        QTest::keyClick(pedido->mskTelefone(), Qt::Key_F2);
        auto* cliente = window.findChild<frmCliente*>();
        QVERIFY(cliente && cliente->isVisible() && !cliente->isWindow());
        item(window, QStringLiteral("mnuUti_Bac"))->trigger();
        QVERIFY(!window.findChild<QWidget*>(QStringLiteral("frmBackup"))->isWindow());
        // Alt+letter goes to the screen with the focus, though the customer registry has the
        // same buttons and the menu bar its "&Sair".
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_I, Qt::AltModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::AltModifier);
        QTRY_COMPARE(f.messages.texts(), QStringList{u"Informe a categoria !!!"_s});
        window.hide(); // hiding in the notification area takes them along
        QVERIFY(!pedido->isVisible() && !cliente->isVisible());
    }

    void authorityChecks_data() {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QString>("text");
        const struct {
            const char* trigger;
            bool reports;
            const QString& text;
        } triggers[] = {
            {"mnuUsuario", false, kSuficiente}, {"img_Menu_Usuario", false, kSufuciente},
            {"mnuConUsu", false, kSufuciente},  {"mnuExp_Cli", true, kSufuciente},
            {"mnuExp_Ped", true, kSufuciente},  {"mnuExp_Pro", true, kSufuciente},
            {"mnuRel", true, kSufuciente},
        };
        for (const auto& t : triggers) {
            for (int code = 1; code <= 4; ++code) {
                QTest::addRow("%s code %d", t.trigger, code)
                    << QString::fromLatin1(t.trigger) << code
                    << (t.reports ? code == 2 || code == 4 : code == 4) << t.text;
            }
        }
    }

    void authorityChecks() {
        QFETCH(QString, trigger);
        QFETCH(int, code);
        QFETCH(bool, refused);
        QFETCH(QString, text);
        Fixture f;
        // The row is found by the display name, whatever else the table holds.
        f.addUser(u"OUTRO"_s, code == 1 ? 4 : 1);
        f.addUser(u"JOÃO D'ÁVILA"_s, code);
        f.session.gUsuarioNome = u"JOÃO D'ÁVILA"_s;
        MDIPrincipal& window = f.make();
        if (trigger == QLatin1String("mnuRel")) {
            QCOMPARE(popUpReports(window), !refused);
            for (const QAction* entry : window.menu(trigger)->actions())
                QVERIFY(entry->isEnabled());
        } else {
            int opened = 0;
            const bool isImage = trigger.startsWith(QLatin1String("img_"));
            window.setOpener(isImage ? u"mnuUsuario"_s : trigger, [&] { ++opened; });
            if (isImage)
                clickImage(window, u"Usuario"_s);
            else
                item(window, trigger)->trigger();
            QCOMPARE(opened, refused ? 0 : 1);
        }
        QCOMPARE(f.messages.count(), refused ? 1 : 0);
        if (refused) {
            QCOMPARE(f.messages.last().text, text);
            QCOMPARE(f.messages.last().caption, u"Usuário"_s);
            QCOMPARE(f.messages.last().icon, MessageBoxes::Icon::Critical);
        }
    }

    void checksWithoutAnAuthorityRow_data() {
        QTest::addColumn<bool>("administrator");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<QString>("firstMessage");
        QTest::newRow("built-in administrator") << true << true << u""_s;
        QTest::newRow("user renamed meanwhile") << false << true << kSuficiente;
        QTest::newRow("database unreadable") << false << false << u"O programa não pode executar"_s;
    }

    void checksWithoutAnAuthorityRow() {
        QFETCH(bool, administrator);
        QFETCH(bool, readable);
        QFETCH(QString, firstMessage);
        Fixture f(readable ? std::nullopt
                           : std::optional(ConnectionSpec::sqlite(u"/nao/existe/x.db"_s)));
        f.addUser(u"MARIA"_s, 1);
        f.session.gUsuarioNome = administrator ? u"ADMINISTRADOR"_s : u"MARIA SOUZA"_s;
        f.session.gUsuarioLogin = administrator ? u"BRISKO"_s : QString();
        f.session.gUsuarioSenha = administrator ? u"KOBALT"_s : QString();
        MDIPrincipal& window = f.make();
        int opened = 0;
        for (const char* name :
             {"mnuUsuario", "mnuConUsu", "mnuExp_Cli", "mnuExp_Ped", "mnuExp_Pro"}) {
            window.setOpener(QString::fromLatin1(name), [&opened] { ++opened; });
            item(window, QString::fromLatin1(name))->trigger();
        }
        QCOMPARE(popUpReports(window), administrator);
        QCOMPARE(opened, administrator ? 5 : 0);
        QCOMPARE(f.messages.count(), administrator ? 0 : 6);
        QVERIFY(administrator || f.messages.messages().first().text.startsWith(firstMessage));
    }

    void birthdayAlertToggle() {
        Fixture f;
        f.session.alertaAniversario = false;
        MDIPrincipal& window = f.make();
        QAction* alerta = item(window, u"mnuAlertaAniversariante"_s);
        QVERIFY(alerta->isChecked() && f.session.alertaAniversario);

        f.messages.answer({false, true, true});
        const QList<bool> after = {true, false, true};
        for (const bool checked : after) {
            alerta->trigger();
            QCOMPARE(alerta->isChecked(), checked);
            QCOMPARE(f.session.alertaAniversario, checked);
        }
        QCOMPARE(f.messages.texts(), (QStringList{"Deseja desmarcar Alerta de Aniversariantes ?",
                                                  "Deseja desmarcar Alerta de Aniversariantes ?",
                                                  "Deseja marcar Alerta de Aniversariantes ?"}));
        QCOMPARE(f.messages.last().icon, MessageBoxes::Icon::Question);
        QCOMPARE(f.messages.last().caption, u"Brisko"_s);
    }

    void closeBoxHidesAndComesBack_data() {
        QTest::addColumn<bool>("trayAvailable");
        QTest::newRow("notification area") << true;
        QTest::newRow("none: taskbar") << false;
    }

    void closeBoxHidesAndComesBack() {
        QFETCH(bool, trayAvailable);
        Fixture f;
        MDIPrincipal& window = f.make();
        window.tray()->setAvailable(trayAvailable);
        showActive(&window);

        QVERIFY(!window.close());
        QVERIFY(!window.janelaVisivel());
        QCOMPARE(window.tray()->isShown(), trayAvailable);
        QCOMPARE(window.isMinimized(), !trayAvailable);
        if (trayAvailable)
            Q_EMIT window.tray()->icon()->activated(QSystemTrayIcon::DoubleClick);
        else
            window.MostraJanela();
        QTRY_VERIFY(window.janelaVisivel());
        QVERIFY(f.exits.isEmpty());
        QCOMPARE(f.messages.count(), 0);
    }

    void trayItemsAndTexts() {
        Fixture f;
        MDIPrincipal& window = f.make();
        QStringList captions;
        for (const QAction* action : window.tray()->menu()->actions())
            captions.append(action->text());
        QCOMPARE(captions, (QStringList{"Abrir Menu Principal", "&Ajuda do Sistema",
                                        "&Informações sobre Sistema", "&Sair"}));
        QCOMPARE(TrayController::balloonTitle(), u"Brisko"_s);
        QCOMPARE(TrayController::balloonText(),
                 u"O sistema Brisko continua ativo!\nBrisko v"_s + kVersion + u"\nSysTray"_s);
        QCOMPARE(window.tray()->icon()->toolTip(), u"Software - Brisko"_s);
    }

    void traySairEndsWithoutQuestion_data() {
        QTest::addColumn<QString>("modo");
        QTest::addColumn<int>("copies");
        QTest::newRow("servidor") << u"servidor"_s << 1;
        QTest::newRow("other workstation") << u""_s << 0;
    }

    void traySairEndsWithoutQuestion() {
        QFETCH(QString, modo);
        QFETCH(int, copies);
        Fixture f;
        f.settings.gModoServidor = modo;
        MDIPrincipal& window = f.make();
        int made = 0;
        int backups = 0;
        window.setOnlineBackup([&backups] { ++backups; });
        window.setExitCopy([&made](Database&) { ++made; });
        window.tray()->setAvailable(true);
        showActive(&window);
        window.close();
        trayItem(window, "itmSair")->trigger();
        QCOMPARE(f.exits, QList<int>{0});
        QCOMPARE(made, copies);
        QCOMPARE(backups, 0); // never on this path
        QCOMPARE(f.messages.count(), 0);
        QVERIFY(!window.tray()->isShown());
        // Once ending, a close is a close.
        window.show();
        QVERIFY(window.close());
    }

    void exitSequence_data() {
        QTest::addColumn<bool>("fromImage");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("modo");
        QTest::addColumn<bool>("copyFails");
        QTest::addColumn<int>("copies");
        QTest::addColumn<QString>("backupOnline"); // setting 15
        QTest::newRow("No") << false << false << u"servidor"_s << false << 0 << u""_s;
        QTest::newRow("Yes, other workstation") << false << true << u""_s << false << 0 << u""_s;
        QTest::newRow("Yes, servidor") << false << true << u"servidor"_s << false << 1 << u"S"_s;
        QTest::newRow("Yes, servidor, copy fails")
            << false << true << u"servidor"_s << true << 1 << u""_s;
        QTest::newRow("Yes, servidor, no online backup")
            << false << true << u"servidor"_s << false << 1 << u"N"_s;
        QTest::newRow("image, No") << true << false << u"servidor"_s << false << 0 << u""_s;
        QTest::newRow("image, Yes, servidor")
            << true << true << u"servidor"_s << false << 1 << u""_s;
    }

    void exitSequence() {
        QFETCH(bool, fromImage);
        QFETCH(bool, yes);
        QFETCH(QString, modo);
        QFETCH(bool, copyFails);
        QFETCH(int, copies);
        QFETCH(QString, backupOnline);
        Fixture f;
        f.settings.gModoServidor = modo;
        f.settings.gBackupOnline = backupOnline;
        MDIPrincipal& window = f.make();
        int made = 0;
        int backups = 0;
        window.setOnlineBackup([&backups] { ++backups; });
        const DbError failure(DbError::kGeneric, u"Disco cheio"_s);
        window.setExitCopy([&](Database&) {
            ++made;
            if (copyFails)
                throw failure;
        });
        f.messages.answer({yes});
        if (fromImage)
            clickImage(window, u"Sair"_s);
        else
            item(window, u"mnuSai_Enc"_s)->trigger();
        QCOMPARE(f.messages.messages().first().text, u"Deseja encerrar o sistema?"_s);
        QCOMPARE(f.messages.messages().first().icon, MessageBoxes::Icon::Information);
        QCOMPARE(f.messages.messages().first().caption, u"Brisko"_s);
        QCOMPARE(f.exits, yes ? QList<int>{0} : QList<int>{});
        QCOMPARE(made, copies);
        // On the servidor machine only, after the copy, unless setting 15 says N.
        QCOMPARE(backups, copies && backupOnline != u"N"_s ? 1 : 0);
        QCOMPARE(f.messages.texts().mid(1),
                 copyFails ? QStringList{errorDialogText(failure)} : QStringList{});
    }

    void exitCopyHoldsTheDatabase() {
        Fixture f;
        f.settings.gModoServidor = u"servidor"_s;
        f.addUser(u"MARIA"_s, 1);
        const QString copy = AppHome::backupFolder() + u"Delivery.db"_s;
        QVERIFY(copy.startsWith(m_home.path()));
        f.messages.answer({true});
        item(f.make(), u"mnuSai_Enc"_s)->trigger();
        QCOMPARE(f.exits, QList<int>{0});
        QCOMPARE(f.messages.count(), 1);
        auto saved = Database::open(ConnectionSpec::sqlite(copy), Database::OpenMode::ExistingOnly);
        QCOMPARE(saved->scalar(u"SELECT usu_Nome FROM TB_Usuario"_s).toString(), u"MARIA"_s);
    }

    void trocarUsuarioClosesScreensNewestFirst() {
        Fixture f;
        MDIPrincipal& window = f.make();
        window.tray()->setAvailable(true);
        showActive(&window);
        QStringList closed;
        auto* first = new Child(closed, u"primeira"_s);
        window.abreFilha(first);
        window.abreFilha(new Child(closed, u"segunda"_s));
        // A window that a screen opened for itself closes before that screen.
        const QPointer<QDialog> own = new QDialog(window.mdiArea()->subWindowList().first());
        own->show();
        QSignalSpy switched(&window, &MDIPrincipal::trocarUsuario);

        // A screen that refuses (an order being taken) keeps the user in.
        first->refuse = true;
        item(window, u"mnuUsu_Tro"_s)->trigger();
        QCOMPARE(closed, (QStringList{"segunda", "primeira"}));
        QVERIFY(window.isVisible());
        QCOMPARE(switched.count(), 0);

        first->refuse = false;
        closed.clear();
        item(window, u"mnuUsu_Tro"_s)->trigger();
        QCOMPARE(closed, QStringList{"primeira"});
        QVERIFY(!own || !own->isVisible());
        QTRY_VERIFY(window.mdiArea()->subWindowList().isEmpty());
        QVERIFY(!window.isVisible());
        QVERIFY(!window.tray()->isShown());
        QCOMPARE(switched.count(), 1);
        QVERIFY(f.exits.isEmpty());

        // After the next login the same window shows again.
        window.setUsuario(u"JOSÉ"_s);
        showActive(&window);
        QCOMPARE(window.usuario(), u"JOSÉ"_s);
    }

    void externalProgramFailure_data() {
        QTest::addColumn<QString>("menuName");
        QTest::addColumn<QString>("key");
        QTest::newRow("notepad") << u"mnuUti_Blo"_s << u"BlocoDeNotas"_s;
        QTest::newRow("calculator") << u"mnuUti_Cal"_s << u"Calculadora"_s;
    }

    void externalProgramFailure() {
        QFETCH(QString, menuName);
        QFETCH(QString, key);
        Fixture f;
        GravaIni(f.home.iniPath(), Settings::kSection, key, u"/nao/existe/programa"_s);
        item(f.make(), menuName)->trigger();
        QCOMPARE(f.messages.count(), 1);
        QCOMPARE(f.messages.last().icon, MessageBoxes::Icon::Critical);
        QVERIFY(f.messages.last().text.contains(u"/nao/existe/programa"_s));
        QVERIFY(
            f.messages.last().text.contains(u"Erro número #%1"_s.arg(ExternalPrograms::kNotFound)));
    }

    void helpAboutAndBackup() {
        Fixture f;
        MDIPrincipal& window = f.make();
        item(window, u"mnuAju_Aju"_s)->trigger();
        trayItem(window, "itmAjuda")->trigger();
        QCOMPARE(f.messages.count(), 1); // the icon menu's help item has no action
        QVERIFY(f.messages.last().text.contains(frmSobre::kSuporteSite));

        const auto about = [](QWidget* modal) {
            QCOMPARE(static_cast<ScreenBase*>(modal)->options().radius, 20);
            QStringList texts;
            for (const QLabel* label : modal->findChildren<QLabel*>())
                texts.append(label->text());
            for (const QString& expected : {frmSobre::kSuporteEmail, frmSobre::kSuporteTelefone,
                                            u"Versão "_s + kVersion, u"Pizzaria Forno à Lenha"_s}) {
                QVERIFY2(texts.join(u'\n').contains(expected), qPrintable(expected));
            }
        };
        QCOMPARE(modalName([&] { item(window, u"mnuAju_Inf"_s)->trigger(); }, about),
                 u"frmSobre"_s);
        QCOMPARE(modalName([&] { trayItem(window, "itmInformacoes")->trigger(); }, about),
                 u"frmSobre"_s);
    }

private:
    QTemporaryDir m_home;
};

QTEST_MAIN(TestMDIPrincipal)
#include "TestMDIPrincipal.moc"
