#pragma once

#include "app/SingleInstance.h"
#include "common/screens/ScreenContext.h"
#include "config/AppHome.h"
#include "config/Session.h"
#include "config/Settings.h"

#include <QObject>

#include <memory>
#include <optional>

class Connections;
class MDIPrincipal;
class MessageBoxes;
class frmAutenticacao;
class frmLoad;

// The start-up sequence: one copy per home, the settings, where the database lives, then the
// login, the loading screen and the main window, and the login again on a user switch. Owns
// what lives for the whole run.
class Launcher : public QObject {
    Q_OBJECT
public:
    explicit Launcher(MessageBoxes& messages, QObject* parent = nullptr);
    ~Launcher() override;

    // False when the program must end; the reason has been shown.
    bool start();

    frmAutenticacao* login() const { return m_login.get(); }
    frmLoad* loading() const { return m_load.get(); }
    MDIPrincipal* mainWindow() const { return m_main.get(); }
    const Session& session() const { return m_session; }

Q_SIGNALS:
    // The program must end with this exit code.
    void encerrarPrograma(int code);

private:
    bool locateDatabase();
    void showLogin();
    void loggedIn();
    void showMainWindow();
    void switchUser();

    MessageBoxes& m_messages;
    AppHome m_home;
    SingleInstance m_instance;
    Settings m_settings;
    Session m_session;
    std::unique_ptr<Connections> m_connections;
    std::optional<ScreenContext> m_context;
    // Screens last: they hold references into what is above. A screen that has handed over
    // stays until the next one of its kind replaces it, never destroyed inside its own signal.
    std::unique_ptr<frmAutenticacao> m_login;
    std::unique_ptr<frmLoad> m_load;
    std::unique_ptr<MDIPrincipal> m_main;
};
