#include "app/screens/MDIPrincipal.h"

#include "app/screens/ImageMenu.h"
#include "app/screens/MnemonicPrecedence.h"
#include "app/screens/ProgramVersion.h"
#include "app/screens/TrayController.h"
#include "app/screens/frmSobre.h"
#include "common/screens/ErrorRoutine.h"
#include "common/screens/MessageBoxes.h"
#include "common/screens/ScreenContext.h"
#include "config/AppHome.h"
#include "config/Session.h"
#include "config/Settings.h"
#include "data/Connections.h"
#include "data/DbError.h"
#include "data/SalesSummary.h"
#include "shell/CallerId.h"
#include "shell/DatabaseBackup.h"
#include "shell/ExternalPrograms.h"
#include "shell/LocalCallerIdChannel.h"
#include "shell/SoundCallerIdSource.h"
#include "shell/UsuarioAuthority.h"
#include "shell/screens/BackupOnLine.h"

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
      m_exitCopy([](Database& db) { DatabaseBackup::exitCopy(db); }),
      // Without the business or the remote server configured it is skipped without a word.
      m_onlineBackup([this] { ExecutaBackupOnLine(m_context, this, BackupOnLineOrigem::Saida); }) {
    setObjectName(QStringLiteral("MDIPrincipal"));
    setWindowTitle(kCaption);
    setWindowIcon(QIcon(QStringLiteral(":/images/brisko_48.png")));
    m_mdiArea->setObjectName(QStringLiteral("mdiArea"));
    m_mdiArea->viewport()->setMouseTracking(true);
    m_mdiArea->viewport()->installEventFilter(this);

    buildMenus();
    new MnemonicPrecedence(this);
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

    connect(m_tray, &TrayController::abrirMenuPrincipal, this, &MDIPrincipal::MostraJanela);
    connect(m_tray, &TrayController::informacoes, this, &MDIPrincipal::mostraInformacoes);
    connect(m_tray, &TrayController::sair, this, &MDIPrincipal::SaiDoSistema);

    m_context.session.alertaAniversario = menuItem(mnu("mnuAlertaAniversariante"))->isChecked();
    resize(1024, 700);
    if (m_context.settings.identificaChamadaAtiva())
        setupCallerIdentification();
}

MDIPrincipal::~MDIPrincipal() = default;

void MDIPrincipal::buildMenus() {
    menuBar()->setObjectName(QStringLiteral("mnuPrincipal"));
    for (const CatalogueMenu& entry : catalogueMenus()) {
        QMenu* parent = m_menus.value(entry.parent);
        QMenu* menu = parent ? parent->addMenu(entry.caption) : menuBar()->addMenu(entry.caption);
        menu->setObjectName(entry.name);
        menu->menuAction()->setObjectName(entry.name);
        m_menus.insert(entry.name, menu);
        if (entry.checkOnOpen != AuthorityCheck::None) {
            connect(menu, &QMenu::aboutToShow, this,
                    [this, menu, check = entry.checkOnOpen] { checkMenuOnOpen(menu, check); });
        }
    }
    for (const CatalogueEntry& entry : screenCatalogue()) {
        if (entry.menu.isEmpty())
            continue;
        QMenu* menu = m_menus.value(entry.menu);
        if (entry.separatorBefore)
            menu->addSeparator();
        QAction* action = menu->addAction(entry.caption);
        action->setObjectName(entry.name);
        action->setShortcut(entry.key);
        action->setCheckable(entry.checkable);
        action->setChecked(entry.checkable);
        action->setEnabled(entry.available());
        // Rows whose screen is not built yet are left out of sight.
        action->setVisible(entry.available());
        Opener open;
        if (entry.available())
            open = [this, name = entry.name] { abre(name); };
        m_items.insert(entry.name, Item{action, entry.check, std::move(open)});
        connect(action, &QAction::triggered, this,
                [this, name = entry.name, check = entry.check] { run(name, check); });
    }
}

void MDIPrincipal::buildImageMenu() {
    QList<ImageMenu::Button> buttons;
    QHash<QString, AuthorityCheck> checks;
    for (const CatalogueEntry& entry : screenCatalogue()) {
        if (entry.image.isEmpty())
            continue;
        buttons.append({entry.image, entry.imageCaption, entry.imageToolTip});
        m_imageItems.insert(entry.image, entry.name);
        checks.insert(entry.image,
                      entry.imageCheck != AuthorityCheck::None ? entry.imageCheck : entry.check);
    }
    m_imageMenu = new ImageMenu(buttons, this);
    for (auto it = m_imageItems.cbegin(); it != m_imageItems.cend(); ++it)
        m_imageMenu->setButtonEnabled(it.key(), static_cast<bool>(m_items.value(it.value()).open));
    connect(m_imageMenu, &ImageMenu::clicked, this, [this, checks](const QString& button) {
        run(m_imageItems.value(button), checks.value(button));
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
    it->action->setVisible(enabled);
    for (auto image = m_imageItems.cbegin(); image != m_imageItems.cend(); ++image) {
        if (image.value() == menuName)
            m_imageMenu->setButtonEnabled(image.key(), enabled);
    }
}

QDialog* MDIPrincipal::aberta(const QString& screenName) const {
    const QWidget* area = m_mdiArea->viewport();
    for (QDialog* open : area->findChildren<QDialog*>(screenName, Qt::FindDirectChildrenOnly)) {
        if (!open->isHidden()) // shown, also while the window is in the notification area
            return open;
    }
    return nullptr;
}

QDialog* MDIPrincipal::abre(const QString& itemName,
                            const std::function<void(QDialog&)>& antesDeMostrar) {
    const auto& catalogue = screenCatalogue();
    const auto entry = std::find_if(catalogue.cbegin(), catalogue.cend(),
                                    [&](const CatalogueEntry& e) { return e.name == itemName; });
    if (entry == catalogue.cend() || !entry->available())
        return nullptr;
    if (entry->opening == CatalogueEntry::Opening::Action) {
        entry->action(*this);
        return nullptr;
    }
    if (entry->opening == CatalogueEntry::Opening::Modal) {
        const std::unique_ptr<QDialog> screen(entry->create(m_context, this));
        if (entry->prepare)
            entry->prepare(*screen, *this);
        if (antesDeMostrar)
            antesDeMostrar(*screen);
        if (entry->afterOpen)
            entry->afterOpen(*screen, true);
        abreModal(*screen);
        return nullptr;
    }
    QDialog* screen = aberta(entry->screen);
    const bool novo = screen == nullptr;
    QPointer<QWidget> field = screen ? screen->focusWidget() : nullptr;
    if (!screen) {
        // Inside the main window's area, owned by it and freed when closed: the menu keys
        // work from it and it hides with the window.
        screen = entry->create(m_context, m_mdiArea->viewport());
        field = screen->focusWidget(); // the field it chose; lost with the window flags
        screen->setWindowFlags(Qt::Widget);
        screen->setAutoFillBackground(true); // a window paints its own; a child must ask
        screen->setAttribute(Qt::WA_DeleteOnClose);
        if (entry->prepare)
            entry->prepare(*screen, *this);
        if (antesDeMostrar)
            antesDeMostrar(*screen);
        screen->show();
    }
    screen->raise();
    if (field && field->isEnabled() && field->isVisibleTo(screen))
        field->setFocus();
    else
        focaPrimeiroCampo(*screen);
    if (entry->afterOpen)
        entry->afterOpen(*screen, novo);
    return screen->isVisible() ? screen : nullptr;
}

// The first control that can take the focus: a registry in browse state begins with locked
// fields, and a screen left without the focus gets none of its keys (Esc, Alt+letter).
void MDIPrincipal::focaPrimeiroCampo(QWidget& screen) {
    for (QWidget* w = screen.nextInFocusChain(); w && w != &screen; w = w->nextInFocusChain()) {
        if (screen.isAncestorOf(w) && w->isEnabled() && w->isVisibleTo(&screen) &&
            (w->focusPolicy() & Qt::TabFocus)) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

std::optional<authority::Area> MDIPrincipal::areaOf(AuthorityCheck check) {
    switch (check) {
    case AuthorityCheck::None:
        return std::nullopt;
    case AuthorityCheck::Usuario:
    case AuthorityCheck::UsuarioConsulta:
        return authority::Area::UserScreens;
    case AuthorityCheck::RelatoriosExportacao:
        return authority::Area::ReportsAndExports;
    }
    return std::nullopt;
}

QString MDIPrincipal::refusalText(AuthorityCheck check) {
    return check == AuthorityCheck::Usuario
               ? QStringLiteral("Voce não tem autoridade suficiente para executar essa ação")
               : QStringLiteral("Voce não tem autoridade sufuciente para executar essa ação");
}

void MDIPrincipal::run(const QString& menuName, AuthorityCheck check) {
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

std::function<void()> MDIPrincipal::recusa(AuthorityCheck check) {
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

bool MDIPrincipal::autorizado(AuthorityCheck check) {
    const std::function<void()> refusal = recusa(check);
    if (refusal) {
        refusal();
    }
    return !refusal;
}

// The menu is about to pop up: a refused user sees it close at once, its items out of
// reach meanwhile, and the refusal after it has closed.
void MDIPrincipal::checkMenuOnOpen(QMenu* rel, AuthorityCheck check) {
    std::function<void()> refusal = recusa(check);
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

void MDIPrincipal::alternaAlertaAniversario() {
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

void MDIPrincipal::iniciaPrograma(bool notepad) {
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
    abre(QStringLiteral("mnuAju_Inf"));
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
        const bool dialog =
            (widget->isWindow() || widget->parentWidget() == m_mdiArea->viewport()) &&
            qobject_cast<QDialog*>(widget) != nullptr;
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

// A failed copy is reported and the program still ends. The sales summaries are moved up
// first, so that the copy holds them and tomorrow's readers add up one day at most; that may
// wait for another workstation's lock, and the readers manage without it.
void MDIPrincipal::copiaBancoSaida() {
    try {
        salesSummary::catchUp(m_context.connections.db());
    } catch (const DbError&) {
    }
    try {
        m_exitCopy(m_context.connections.db());
    } catch (const std::exception& e) {
        TrataErro(m_context.messages, e);
    }
}

// The sound input when it is the configured source and can be opened, and always the local
// channel other programs deliver calls through. A source that cannot work is reported once
// (the window lives for the whole run) and the program runs without it.
void MDIPrincipal::setupCallerIdentification() {
    auto adiciona = [this](CallerIdSource* fonte, QString* erro = nullptr) {
        if (!fonte->start(erro)) {
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
    QString erro;
    if (!adiciona(
            new LocalCallerIdChannel(LocalCallerIdChannel::serverName(m_context.home.root()), this),
            &erro))
        m_context.messages.show(Icon::Warning, kBrisko,
                                QStringLiteral("As chamadas enviadas por outros programas não "
                                               "serão recebidas.") +
                                    u'\n' + erro);
}

void MDIPrincipal::stopCallerIdentification() {
    for (CallerIdSource* fonte : std::as_const(m_fontesChamada))
        fonte->stop();
}

void MDIPrincipal::chamadaRecebida(const QString& reported) {
    if (const std::optional<QString> telefone = numeroDaChamada(reported))
        entregaChamada(*this, *telefone);
}

void MDIPrincipal::runOnlineBackup() {
    m_onlineBackup();
}

void MDIPrincipal::termina() {
    m_encerrando = true;
    stopCallerIdentification();
    m_tray->remove();
    m_exit(0);
}
