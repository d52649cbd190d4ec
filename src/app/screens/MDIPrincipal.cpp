#include "app/screens/MDIPrincipal.h"

#include "config/AppHome.h"
#include "config/Settings.h"
#include "common/screens/ErrorRoutine.h"
#include "common/screens/MessageBoxes.h"
#include "common/screens/ScreenContext.h"
#include "data/Connections.h"
#include "masterdata/screens/frmCategoria.h"
#include "masterdata/screens/frmCliente.h"
#include "masterdata/screens/frmEntregador.h"
#include "masterdata/screens/frmProduto.h"
#include "orders/screens/frmImpressora.h"
#include "orders/screens/frmPedido.h"
#include "shell/CallerId.h"
#include "shell/DatabaseBackup.h"
#include "shell/ExternalPrograms.h"
#include "shell/LocalCallerIdChannel.h"
#include "config/Session.h"
#include "shell/SoundCallerIdSource.h"
#include "shell/UsuarioAuthority.h"
#include "app/screens/ImageMenu.h"
#include "app/screens/ProgramVersion.h"
#include "app/screens/TrayController.h"
#include "shell/screens/frmBackup.h"
#include "app/screens/frmSobre.h"
#include "shell/screens/frmUsuario.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPointer>
#include <QStatusBar>
#include <QTimer>

namespace {

using Icon = MessageBoxes::Icon;

const QString kBrisko = QStringLiteral("Brisko");

QString mnu(const char* name) {
    return QString::fromLatin1(name);
}

} // namespace

MDIPrincipal::MDIPrincipal(ScreenContext& context, QWidget* parent)
    : QMainWindow(parent), m_context(context), m_mdiArea(new QMdiArea(this)),
      m_tray(new TrayController(context.home, this)),
      m_exit([](int code) { QCoreApplication::exit(code); }),
      m_exitCopy([](Database& db) { DatabaseBackup::exitCopy(db); }) {
    setObjectName(QStringLiteral("MDIPrincipal"));
    setWindowTitle(kCaption);
    setWindowIcon(QIcon(QStringLiteral(":/images/brisko_48.png")));
    m_mdiArea->setObjectName(QStringLiteral("mdiArea"));
    m_mdiArea->viewport()->setMouseTracking(true);
    m_mdiArea->viewport()->installEventFilter(this);

    buildMenus();
    buildImageMenu();
    buildStatusBar();
    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_imageMenu);
    layout->addWidget(m_mdiArea, 1);
    setCentralWidget(central);
    loadBackground();
    wireActions();

    connect(m_tray, &TrayController::abrirMenuPrincipal, this, &MDIPrincipal::MostraJanela);
    connect(m_tray, &TrayController::ajuda, this, &MDIPrincipal::mostraAjuda);
    connect(m_tray, &TrayController::informacoes, this, &MDIPrincipal::mostraInformacoes);
    connect(m_tray, &TrayController::sair, this, &MDIPrincipal::SaiDoSistema);

    m_context.session.alertaAniversario = menuItem(mnu("mnuAlertaAniversariante"))->isChecked();
    resize(1024, 700);
    if (m_context.settings.identificaChamadaAtiva())
        setupCallerIdentification();
}

MDIPrincipal::~MDIPrincipal() = default;

QMenu* MDIPrincipal::addMenu(QMenu* parent, const QString& name, const QString& caption) {
    QMenu* menu = parent ? parent->addMenu(caption) : menuBar()->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    m_menus.insert(name, menu);
    return menu;
}

QAction* MDIPrincipal::addItem(QMenu* menu, const QString& name, const QString& caption,
                               const QKeySequence& key, Check check) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    action->setShortcut(key);
    action->setEnabled(false);
    m_items.insert(name, Item{action, check, {}});
    connect(action, &QAction::triggered, this, [this, name, check] { run(name, check); });
    return action;
}

void MDIPrincipal::buildMenus() {
    menuBar()->setObjectName(QStringLiteral("mnuPrincipal"));

    QMenu* cad = addMenu(nullptr, mnu("mnuCad"), QStringLiteral("&Cadastro"));
    addItem(cad, mnu("mnuCliente"), QStringLiteral("&Cliente"), Qt::Key_F2);
    addItem(cad, mnu("mnuPedido"), QStringLiteral("&Pedido"), Qt::Key_F3);
    addItem(cad, mnu("mnuProduto"), QStringLiteral("P&roduto"), Qt::Key_F4);
    addItem(cad, mnu("mnuCad_Cat"), QStringLiteral("C&ategoria"), Qt::Key_F5);
    addItem(cad, mnu("mnuUsuario"), QStringLiteral("&Usuário"), Qt::Key_F6, Check::Usuario);
    addItem(cad, mnu("mnuCadEntregador"), QStringLiteral("&Entregador"), Qt::Key_F7);

    QMenu* con = addMenu(nullptr, mnu("mnuCon"), QStringLiteral("&Consulta"));
    addItem(con, mnu("mnuCon_Cli"), QStringLiteral("&Cliente"));
    addItem(con, mnu("mnuCon_Ped"), QStringLiteral("&Pedido"), Qt::CTRL | Qt::Key_F3);
    addItem(con, mnu("mnuCon_Pro"), QStringLiteral("P&roduto"));
    addItem(con, mnu("mnuCon_Cat"), QStringLiteral("C&ategoria"));
    addItem(con, mnu("mnuConUsu"), QStringLiteral("Usuário"), {}, Check::UsuarioConsulta);
    addItem(con, mnu("mnuConEntregador"), QStringLiteral("&Entregador"));
    con->addSeparator();
    addItem(con, mnu("mnuConTabelaPreco"), QStringLiteral("&Tabela de Preços"), Qt::Key_F12);

    QMenu* uti = addMenu(nullptr, mnu("mnuUti"), QStringLiteral("&Utilitários"));
    addItem(uti, mnu("mnuExp_Cli"), QStringLiteral("Exportar Dados &Cliente"), {},
            Check::RelatoriosExportacao);
    addItem(uti, mnu("mnuExp_Ped"), QStringLiteral("Exportar Dados &Pedido"), {},
            Check::RelatoriosExportacao);
    addItem(uti, mnu("mnuExp_Pro"), QStringLiteral("Exportar Dados P&roduto"), {},
            Check::RelatoriosExportacao);
    uti->addSeparator();
    addItem(uti, mnu("mnuUti_Blo"), QStringLiteral("&Bloco de Notas"), Qt::CTRL | Qt::Key_B);
    addItem(uti, mnu("mnuUti_Cal"), QStringLiteral("&Calculadora"), Qt::CTRL | Qt::Key_C);
    uti->addSeparator();
    addItem(uti, mnu("mnuUti_Bac"), QStringLiteral("B&ackup do Sistema"));
    addItem(uti, mnu("mnuBackupOnLine"), QStringLiteral("Backup OnLine"));
    uti->addSeparator();
    QAction* alerta =
        addItem(uti, mnu("mnuAlertaAniversariante"), QStringLiteral("Alerta de Aniversariantes"));
    alerta->setCheckable(true);
    alerta->setChecked(true);
    uti->addSeparator();
    addItem(uti, mnu("mnuUti_Imp"), QStringLiteral("Impressora"));

    // The check of the report menu runs when the menu opens, not per item.
    QMenu* rel = addMenu(nullptr, mnu("mnuRel"), QStringLiteral("&Relatórios"));
    connect(rel, &QMenu::aboutToShow, this, &MDIPrincipal::checkReportsOnOpen);
    QMenu* relPed = addMenu(rel, mnu("mnuRel_Ped"), QStringLiteral("&Pedidos"));
    addItem(relPed, mnu("mnu_Rel_Ped_Todos_Pedidos"), QStringLiteral("&Todos Pedidos"));
    addItem(relPed, mnu("mnu_Rel_Ped_Forma_Pagamento"), QStringLiteral("Forma de &Pagamento"));
    addItem(relPed, mnu("mnu_Rel_Ped_Entregador"), QStringLiteral("Entregador"));
    QMenu* relCli = addMenu(rel, mnu("mnuRel_Cli"), QStringLiteral("&Clientes"));
    addItem(relCli, mnu("mnu_Rel_Cli_Todos_Clietes"), QStringLiteral("Todos Clientes"));
    QMenu* relPro = addMenu(rel, mnu("mnuRel_Pro"), QStringLiteral("P&rodutos"));
    addItem(relPro, mnu("mnuRel_Pro_Produtos_Vendidos"), QStringLiteral("&Produtos Vendidos"));
    addItem(relPro, mnu("mnuRel_Pro_Todos_Produtos"), QStringLiteral("&Todos Produtos"));

    QMenu* usu = addMenu(nullptr, mnu("mnuUsu"), QStringLiteral("&Usuário"));
    addItem(usu, mnu("mnuUsu_Tro"), QStringLiteral("&Trocar Usuário"));

    QMenu* aju = addMenu(nullptr, mnu("mnuAju"), QStringLiteral("&Ajuda"));
    addItem(aju, mnu("mnuAju_Inf"), QStringLiteral("&Informações do Sistema"));
    addItem(aju, mnu("mnuAju_Aju"), QStringLiteral("&Ajuda do Sistema"), Qt::Key_F1);
    addItem(aju, mnu("mnuProcuraAtualizacao"), QStringLiteral("&Procurar Atualizações"));

    QMenu* sai = addMenu(nullptr, mnu("mnuSai"), QStringLiteral("&Sair"));
    addItem(sai, mnu("mnuSai_Enc"), QStringLiteral("&Encerrar Sistema"), Qt::CTRL | Qt::Key_F4);
}

// The single place where menu items get their action. Items not listed stay disabled until
// the screen they open exists.
void MDIPrincipal::wireActions() {
    setOpener(mnu("mnuUti_Blo"), [this] { startProgram(true); });
    setOpener(mnu("mnuUti_Cal"), [this] { startProgram(false); });
    setOpener(mnu("mnuUti_Bac"), [this] {
        frmBackup backup(m_context, this);
        abreModal(backup);
    });
    setOpener(mnu("mnuCliente"), [this] { abreCadastro<frmCliente>(); });
    setOpener(mnu("mnuPedido"), [this] { abreCadastro<frmPedido>(); });
    setOpener(mnu("mnuUti_Imp"), [this] {
        frmImpressora impressora(m_context, this);
        abreModal(impressora);
    });
    setOpener(mnu("mnuProduto"), [this] { abreCadastro<frmProduto>(); });
    setOpener(mnu("mnuCad_Cat"), [this] { abreCadastro<frmCategoria>(); });
    setOpener(mnu("mnuUsuario"), [this] { abreCadastro<frmUsuario>(); });
    setOpener(mnu("mnuCadEntregador"), [this] { abreCadastro<frmEntregador>(); });
    setOpener(mnu("mnuCon_Cli"), [this] { consulta<frmCliente>(); });
    setOpener(mnu("mnuCon_Pro"), [this] { consulta<frmProduto>(); });
    setOpener(mnu("mnuCon_Cat"), [this] { consulta<frmCategoria>(); });
    setOpener(mnu("mnuConUsu"), [this] { consulta<frmUsuario>(); });
    setOpener(mnu("mnuConEntregador"), [this] { consulta<frmEntregador>(); });
    setOpener(mnu("mnuAlertaAniversariante"), [this] { toggleAlertaAniversario(); });
    setOpener(mnu("mnuUsu_Tro"), [this] { TrocaUsuario(); });
    setOpener(mnu("mnuAju_Inf"), [this] { mostraInformacoes(); });
    setOpener(mnu("mnuAju_Aju"), [this] { mostraAjuda(); });
    setOpener(mnu("mnuSai_Enc"), [this] { EncerraSistema(); });
}

void MDIPrincipal::buildImageMenu() {
    struct Entry {
        ImageMenu::Button button;
        const char* menuName;
    };
    const QList<Entry> entries = {
        {{QStringLiteral("Cliente"), QStringLiteral("Cliente"), QStringLiteral("Cliente - F2")},
         "mnuCliente"},
        {{QStringLiteral("Pedido"), QStringLiteral("Pedido"), QStringLiteral("Pedido - F3")},
         "mnuPedido"},
        {{QStringLiteral("Produto"), QStringLiteral("Produto"), QStringLiteral("Produto - F4")},
         "mnuProduto"},
        {{QStringLiteral("Categoria"), QStringLiteral("Categoria"),
          QStringLiteral("Categoria - F5")},
         "mnuCad_Cat"},
        {{QStringLiteral("Usuario"), QStringLiteral("Usuários"), QStringLiteral("Usuários - F6")},
         "mnuUsuario"},
        {{QStringLiteral("Consulta_Pedido"), QStringLiteral("Consulta Pedido"), QString()},
         "mnuCon_Ped"},
        {{QStringLiteral("Lista_Preco"), QStringLiteral("Lista de Preço"),
          QStringLiteral("Lista de Preço - F12")},
         "mnuConTabelaPreco"},
        {{QStringLiteral("Sair"), QStringLiteral("Sair"), QString()}, "mnuSai_Enc"},
    };
    QList<ImageMenu::Button> buttons;
    for (const Entry& entry : entries) {
        buttons.append(entry.button);
        m_imageItems.insert(entry.button.name, mnu(entry.menuName));
    }
    m_imageMenu = new ImageMenu(buttons, this);
    for (auto it = m_imageItems.cbegin(); it != m_imageItems.cend(); ++it) {
        m_imageMenu->setButtonEnabled(it.key(), false);
    }
    connect(m_imageMenu, &ImageMenu::clicked, this, [this](const QString& button) {
        const QString menuName = m_imageItems.value(button);
        // The users' image button refuses with the second of the two texts.
        const Check check = button == QLatin1String("Usuario") ? Check::UsuarioConsulta
                                                               : m_items.value(menuName).check;
        run(menuName, check);
    });
}

void MDIPrincipal::buildStatusBar() {
    statusBar()->setObjectName(QStringLiteral("stbPrincipal"));
    m_panelEmpresa = new QLabel(m_context.settings.gNomeEmpresa, this);
    m_panelEmpresa->setObjectName(QStringLiteral("stbPrincipal_Panel1"));
    m_panelUsuario = new QLabel(kBrisko + QLatin1Char(' ') + programVersion(), this);
    m_panelUsuario->setObjectName(QStringLiteral("stbPrincipal_Panel2"));
    statusBar()->addWidget(m_panelEmpresa, 1);
    statusBar()->addWidget(m_panelUsuario, 1);
}

void MDIPrincipal::loadBackground() {
    if (m_context.settings.gImagemFundo.isEmpty()) {
        return;
    }
    const QString file = m_context.home.imagesFolder() + m_context.settings.gImagemFundo;
    const QPixmap picture(file);
    if (QFileInfo(file).isFile() && !picture.isNull()) {
        m_mdiArea->setBackground(picture);
    }
}

void MDIPrincipal::setUsuario(const QString& nome) {
    m_panelUsuario->setText(nome);
}

QString MDIPrincipal::usuario() const {
    return m_panelUsuario->text();
}

QAction* MDIPrincipal::menuItem(const QString& name) const {
    if (const QMenu* menu = m_menus.value(name)) {
        return menu->menuAction();
    }
    return m_items.value(name).action;
}

QMenu* MDIPrincipal::menu(const QString& name) const {
    return m_menus.value(name);
}

bool MDIPrincipal::janelaVisivel() const {
    return isVisible() && !isMinimized();
}

void MDIPrincipal::setOpener(const QString& menuName, Opener open) {
    const auto it = m_items.find(menuName);
    if (it == m_items.end()) {
        qWarning("MDIPrincipal: no menu item %s", qPrintable(menuName));
        return;
    }
    it->open = std::move(open);
    const bool enabled = static_cast<bool>(it->open);
    it->action->setEnabled(enabled);
    for (auto image = m_imageItems.cbegin(); image != m_imageItems.cend(); ++image) {
        if (image.value() == menuName) {
            m_imageMenu->setButtonEnabled(image.key(), enabled);
        }
    }
}

std::optional<authority::Area> MDIPrincipal::areaOf(Check check) {
    switch (check) {
    case Check::None:
        return std::nullopt;
    case Check::Usuario:
    case Check::UsuarioConsulta:
        return authority::Area::UserScreens;
    case Check::RelatoriosExportacao:
        return authority::Area::ReportsAndExports;
    }
    return std::nullopt;
}

QString MDIPrincipal::refusalText(Check check) {
    return check == Check::Usuario
               ? QStringLiteral("Voce não tem autoridade suficiente para executar essa ação")
               : QStringLiteral("Voce não tem autoridade sufuciente para executar essa ação");
}

void MDIPrincipal::run(const QString& menuName, Check check) {
    const Item item = m_items.value(menuName);
    if (!item.open || !autorizado(check)) {
        return;
    }
    try {
        item.open();
    } catch (const std::exception& e) {
        TrataErro(m_context.messages, e);
    }
}

std::function<void()> MDIPrincipal::recusa(Check check) {
    const std::optional<authority::Area> area = areaOf(check);
    if (!area) {
        return {};
    }
    try {
        if (UsuarioAuthority(m_context.connections).permits(m_context.session, *area)) {
            return {};
        }
    } catch (const std::exception&) {
        return [this, failure = std::current_exception()] {
            try {
                std::rethrow_exception(failure);
            } catch (const std::exception& e) {
                TrataErro(m_context.messages, e);
            }
        };
    }
    return [this, check] {
        m_context.messages.show(Icon::Critical, QStringLiteral("Usuário"), refusalText(check));
    };
}

bool MDIPrincipal::autorizado(Check check) {
    const std::function<void()> refusal = recusa(check);
    if (refusal) {
        refusal();
    }
    return !refusal;
}

// The menu is about to pop up: a refused user sees it close at once, its items out of
// reach meanwhile, and the refusal after it has closed.
void MDIPrincipal::checkReportsOnOpen() {
    QMenu* rel = m_menus.value(mnu("mnuRel"));
    std::function<void()> refusal = recusa(Check::RelatoriosExportacao);
    if (!refusal) {
        return;
    }
    const QList<QAction*> entries = rel->actions();
    for (QAction* entry : entries) {
        entry->setEnabled(false);
    }
    QTimer::singleShot(0, rel, [rel, entries, refusal = std::move(refusal)] {
        rel->close();
        for (QAction* entry : entries) {
            entry->setEnabled(true);
        }
        refusal();
    });
}

void MDIPrincipal::toggleAlertaAniversario() {
    QAction* alerta = m_items.value(mnu("mnuAlertaAniversariante")).action;
    // The action has already flipped its mark; it only changes once the user agrees.
    const bool marcar = alerta->isChecked();
    alerta->setChecked(!marcar);
    const QString question = marcar
                                 ? QStringLiteral("Deseja marcar Alerta de Aniversariantes ?")
                                 : QStringLiteral("Deseja desmarcar Alerta de Aniversariantes ?");
    if (!m_context.messages.askYesNo(Icon::Question, kBrisko, question)) {
        return;
    }
    alerta->setChecked(marcar);
    m_context.session.alertaAniversario = marcar;
}

void MDIPrincipal::startProgram(bool notepad) {
    const auto program =
        notepad ? ExternalPrograms::Program::BlocoDeNotas : ExternalPrograms::Program::Calculadora;
    try {
        ExternalPrograms::start(program, m_context.home.iniPath());
    } catch (const std::exception& e) {
        if (notepad) {
            MostraErro(m_context.messages, e);
        } else {
            TrataErro(m_context.messages, e);
        }
    }
}

void MDIPrincipal::mostraAjuda() {
    m_context.messages.show(Icon::Information, kBrisko,
                            QStringLiteral("Para obter ajuda sobre o sistema acesse o site de "
                                           "suporte:\n") +
                                frmSobre::kSuporteSite);
}

void MDIPrincipal::mostraInformacoes() {
    frmSobre sobre(m_context, this);
    abreModal(sobre);
}

void MDIPrincipal::abreFilha(QWidget* screen) {
    m_mdiArea->addSubWindow(screen)->show();
}

void MDIPrincipal::abreModal(QDialog& screen) {
    screen.exec();
}

bool MDIPrincipal::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_mdiArea->viewport() && event->type() == QEvent::MouseMove) {
        m_imageMenu->setAllIdle();
    }
    return QMainWindow::eventFilter(watched, event);
}

void MDIPrincipal::closeEvent(QCloseEvent* event) {
    if (m_encerrando) {
        m_tray->remove();
        QMainWindow::closeEvent(event);
        return;
    }
    event->ignore();
    escondeJanela();
}

// Without a notification area the window goes to the taskbar instead, so it can always be
// brought back.
void MDIPrincipal::escondeJanela() {
    if (m_tray->show()) {
        hide();
    } else {
        showMinimized();
    }
}

void MDIPrincipal::MostraJanela() {
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

// Newest first, so that a screen that refuses to close while one of its own windows is
// open sees that window gone. Open windows of a screen are its descendants and come after
// it; subwindows of the MDI area come in the order they were added.
bool MDIPrincipal::EncerraFormularios() {
    QList<QPointer<QWidget>> screens;
    const QList<QWidget*> descendants = findChildren<QWidget*>();
    for (QWidget* widget : descendants) {
        const bool subWindow = qobject_cast<QMdiSubWindow*>(widget) != nullptr;
        const bool dialog = widget->isWindow() && qobject_cast<QDialog*>(widget) != nullptr;
        if ((subWindow || dialog) && !widget->isHidden()) {
            screens.append(widget);
        }
    }
    for (auto it = screens.crbegin(); it != screens.crend(); ++it) {
        QWidget* screen = *it;
        if (screen && !screen->close()) {
            return false;
        }
    }
    return true;
}

// The icon stays out of the notification area meanwhile: it would bring the window back
// past the login.
void MDIPrincipal::TrocaUsuario() {
    if (!EncerraFormularios()) {
        return;
    }
    m_tray->remove();
    hide();
    Q_EMIT trocarUsuario();
}

void MDIPrincipal::EncerraSistema() {
    if (!m_context.messages.askYesNo(Icon::Information, kBrisko,
                                     QStringLiteral("Deseja encerrar o sistema?"))) {
        return;
    }
    if (m_context.settings.gModoServidor == QLatin1String("servidor")) {
        copiaBancoSaida();
        stopCallerIdentification();
        if (m_context.settings.backupOnlineAtivo()) {
            runOnlineBackup();
        }
    }
    termina();
}

void MDIPrincipal::SaiDoSistema() {
    m_encerrando = true;
    if (m_context.settings.gModoServidor == QLatin1String("servidor")) {
        copiaBancoSaida();
    }
    termina();
}

// A failed copy is reported and the program still ends.
void MDIPrincipal::copiaBancoSaida() {
    try {
        m_exitCopy(m_context.connections.db());
    } catch (const std::exception& e) {
        TrataErro(m_context.messages, e);
    }
}

// The sound input when it is the configured source and can be opened, and always the local
// channel other programs deliver calls through. A source that cannot work is reported once
// and the program runs without it.
void MDIPrincipal::setupCallerIdentification() {
    auto adiciona = [this](CallerIdSource* fonte) {
        QString erro;
        if (!fonte->start(&erro)) {
            delete fonte;
            return false;
        }
        connect(fonte, &CallerIdSource::numeroRecebido, this, &MDIPrincipal::chamadaRecebida);
        m_fontesChamada.append(fonte);
        return true;
    };
    if (fonteChamadaEhSom(m_context.settings)) {
        const std::optional<QString> aviso = verificaIdentificacaoChamada(
            m_context.settings, SoundCallerIdSource::dispositivosDeEntrada());
        if (aviso)
            m_context.messages.show(Icon::None, kBrisko, *aviso);
        else if (!adiciona(new SoundCallerIdSource(m_context.settings.gDispositivoChamada, this)))
            m_context.messages.show(Icon::None, kBrisko, avisoComponente());
    }
    adiciona(
        new LocalCallerIdChannel(LocalCallerIdChannel::serverName(m_context.home.root()), this));
}

void MDIPrincipal::stopCallerIdentification() {
    for (CallerIdSource* fonte : std::as_const(m_fontesChamada))
        fonte->stop();
}

void MDIPrincipal::chamadaRecebida(const QString& reported) {
    const std::optional<QString> telefone = numeroDaChamada(reported);
    if (!telefone)
        return;
    for (frmPedido* aberto : findChildren<frmPedido*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (aberto->isVisible()) {
            aberto->recebeChamada(*telefone);
            return;
        }
    }
    abreCadastro<frmPedido>()->recebeChamada(*telefone);
}

// The online backup does not exist yet: there is nothing to send.
void MDIPrincipal::runOnlineBackup() {}

void MDIPrincipal::termina() {
    m_encerrando = true;
    stopCallerIdentification();
    m_tray->remove();
    m_exit(0);
}
