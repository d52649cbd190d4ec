#pragma once

#include "app/screens/ScreenCatalogue.h"
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

    ScreenContext& context() const { return m_context; }

    // Opens what the catalogue item names, without its authority check: a child screen is
    // returned (the open copy brought forward), a modal one has closed when this returns.
    // `antesDeMostrar` runs on a new screen before it is shown.
    QDialog* abre(const QString& itemName,
                  const std::function<void(QDialog&)>& antesDeMostrar = {});
    // The open child screen of that object name, if any.
    QDialog* aberta(const QString& screenName) const;

    // Replaces what a menu item does (tests); the authority check still runs first.
    void setOpener(const QString& menuName, Opener open);
    // How the program ends (QCoreApplication::exit by default) and how the exit copy is made
    // (DatabaseBackup::exitCopy by default).
    void setExitFunction(ExitFunction exit) { m_exit = std::move(exit); }
    void setExitCopy(ExitCopy copy) { m_exitCopy = std::move(copy); }
    // The online backup at the end of the exit sequence (ExecutaBackupOnLine by default).
    void setOnlineBackup(std::function<void()> backup) { m_onlineBackup = std::move(backup); }

    // Screens open as children of the MDI area, or modally over the window.
    void abreFilha(QWidget* screen);
    void abreModal(QDialog& screen);

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
    void iniciaPrograma(bool blocoDeNotas);
    void alternaAlertaAniversario();
    void mostraAjuda();
    void mostraInformacoes();

Q_SIGNALS:
    void trocarUsuario();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Item {
        QAction* action = nullptr;
        AuthorityCheck check = AuthorityCheck::None;
        Opener open;
    };

    static std::optional<authority::Area> areaOf(AuthorityCheck check);
    static void focaPrimeiroCampo(QWidget& screen);
    static QString refusalText(AuthorityCheck check);

    void buildMenus();
    void buildImageMenu();
    void buildStatusBar();
    void loadBackground();

    void run(const QString& menuName, AuthorityCheck check);
    // Decides at once; what to tell a refused user is returned, to show when it suits.
    // Empty when the action may go on.
    std::function<void()> recusa(AuthorityCheck check);
    bool autorizado(AuthorityCheck check);
    void checkMenuOnOpen(QMenu* menu, AuthorityCheck check);
    void escondeJanela();
    void copiaBancoSaida();
    void setupCallerIdentification();
    void stopCallerIdentification();
    void runOnlineBackup();
    void termina();

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
    std::function<void()> m_onlineBackup;
    bool m_encerrando = false;
};
