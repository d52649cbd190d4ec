#pragma once

#include "shell/Authority.h"

#include <QHash>
#include <QMainWindow>
#include <QString>
#include <functional>
#include <optional>

class CallerIdSource;
class Database;
class ImageMenu;
class QAction;
class QDialog;
class QLabel;
class QMdiArea;
class QMenu;
class TrayController;
struct ScreenContext;

// The main window: menus, the image menu, the status bar with the current user, the
// notification-area icon and the exit sequence. Every other screen is opened from here.
// Closing it with its close box only hides it; the program ends through EncerraSistema or
// the icon's "&Sair".
class MDIPrincipal : public QMainWindow {
    Q_OBJECT
public:
    // The number event of the caller identification: the order screen, opened or reused,
    // gets the caller's number and searches by itself; a call during an order is ignored.
    void chamadaRecebida(const QString& reported);

    using Opener = std::function<void()>;
    using ExitFunction = std::function<void(int)>;
    using ExitCopy = std::function<void(Database&)>;

    static inline const QString kCaption = QStringLiteral("Brisko - Menu Principal");

    explicit MDIPrincipal(ScreenContext& context, QWidget* parent = nullptr);
    ~MDIPrincipal() override;

    // The second panel of the status bar.
    void setUsuario(const QString& nome);
    QString usuario() const;

    QMdiArea* mdiArea() const { return m_mdiArea; }
    ImageMenu* imageMenu() const { return m_imageMenu; }
    TrayController* tray() const { return m_tray; }
    // The menu item of that name (`mnuCliente`...), the report menu's own action for `mnuRel`.
    QAction* menuItem(const QString& name) const;
    QMenu* menu(const QString& name) const;
    // Shown, neither hidden in the notification area nor minimised.
    bool janelaVisivel() const;

    // What a menu item does. An item without an opener is disabled, and so is its image
    // button; the authority check of the item runs before the opener.
    void setOpener(const QString& menuName, Opener open);
    // How the program ends (QCoreApplication::exit by default) and how the exit copy is made
    // (DatabaseBackup::exitCopy by default).
    void setExitFunction(ExitFunction exit) { m_exit = std::move(exit); }
    void setExitCopy(ExitCopy copy) { m_exitCopy = std::move(copy); }

    // Screens open as children of the MDI area, or modally over the window.
    void abreFilha(QWidget* screen);
    void abreModal(QDialog& screen);
    // A registry screen: the one already open is brought forward instead of a second copy.
    template <typename Screen> Screen* abreCadastro();

public Q_SLOTS:
    // The exit sequence: the question, then in servidor mode the exit copy, the stop of the
    // caller identification and the online backup; then the end.
    void EncerraSistema();
    // Closes every screen opened over the window, newest first. False when one refused.
    bool EncerraFormularios();
    // Closes the screens, hides the window and hands over to the login.
    void TrocaUsuario();
    // Back from the notification area or the taskbar.
    void MostraJanela();
    // The icon menu's "&Sair": ends without a question and without the online backup.
    void SaiDoSistema();

Q_SIGNALS:
    void trocarUsuario();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Which authority check guards an item, and with which of the two refusal texts.
    enum class Check { None, Usuario, UsuarioConsulta, RelatoriosExportacao };

    struct Item {
        QAction* action = nullptr;
        Check check = Check::None;
        Opener open;
    };

    static std::optional<authority::Area> areaOf(Check check);
    static QString refusalText(Check check);

    void buildMenus();
    void buildImageMenu();
    void buildStatusBar();
    void loadBackground();
    void wireActions();

    QMenu* addMenu(QMenu* parent, const QString& name, const QString& caption);
    QAction* addItem(QMenu* menu, const QString& name, const QString& caption,
                     const QKeySequence& key = {}, Check check = Check::None);

    void run(const QString& menuName, Check check);
    // Decides at once; what to tell a refused user is returned, to show when it suits.
    // Empty when the action may go on.
    std::function<void()> recusa(Check check);
    bool autorizado(Check check);
    void checkReportsOnOpen();
    void toggleAlertaAniversario();
    void startProgram(bool notepad);
    void mostraAjuda();
    void mostraInformacoes();
    void escondeJanela();
    void copiaBancoSaida();
    void setupCallerIdentification();
    void stopCallerIdentification();
    void runOnlineBackup();
    void termina();

    // The consultation items: the registry screen in browse state with its lookup dialog.
    template <typename Screen> void consulta();

    ScreenContext& m_context;
    QList<CallerIdSource*> m_fontesChamada;
    QMdiArea* m_mdiArea;
    ImageMenu* m_imageMenu = nullptr;
    TrayController* m_tray;
    QLabel* m_panelEmpresa = nullptr;
    QLabel* m_panelUsuario = nullptr;
    QHash<QString, Item> m_items;
    QHash<QString, QMenu*> m_menus;
    // image button -> the menu item it stands for
    QHash<QString, QString> m_imageItems;
    ExitFunction m_exit;
    ExitCopy m_exitCopy;
    bool m_encerrando = false;
};

template <typename Screen> Screen* MDIPrincipal::abreCadastro() {
    for (Screen* open : findChildren<Screen*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (open->isVisible()) {
            open->raise();
            open->activateWindow();
            return open;
        }
    }
    auto* screen = new Screen(m_context, this); // owned by the window, freed when closed
    screen->setAttribute(Qt::WA_DeleteOnClose);
    screen->show();
    return screen;
}

template <typename Screen> void MDIPrincipal::consulta() {
    abreCadastro<Screen>()->btnProcurar1_Click();
}
