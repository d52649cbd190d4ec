#include "app/screens/Launcher.h"

#include "app/screens/MDIPrincipal.h"
#include "app/screens/frmLoad.h"
#include "common/screens/ErrorRoutine.h"
#include "common/screens/MessageBoxes.h"
#include "config/DatabaseLocation.h"
#include "data/Connections.h"
#include "data/Database.h"
#include "shell/screens/frmAutenticacao.h"

#include <QCoreApplication>

namespace {

const QString kBaseNaoLocalizada =
    QStringLiteral("Não foi possivel localizar a base de dados.") + QLatin1Char('\n') +
    QStringLiteral("Entre em contato com o Administrador do sistema.");

} // namespace

Launcher::Launcher(MessageBoxes& messages, QObject* parent)
    : QObject(parent), m_messages(messages), m_home(AppHome::resolve()), m_instance(m_home.root()) {
}

Launcher::~Launcher() = default;

bool Launcher::start() {
    if (!m_instance.acquire()) {
        m_messages.show(MessageBoxes::Icon::None, QCoreApplication::applicationName(),
                        QStringLiteral("Atenção !!! Brisko já esta sendo executado. "));
        return false;
    }
    try {
        if (!m_home.exists()) {
            m_home.createDefault();
            Database::open(ConnectionSpec::sqlite(m_home.dbFolder() + DatabaseLocation::kFileName),
                           Database::OpenMode::CreateIfMissing);
        }
    } catch (const std::exception& e) {
        TrataErro(m_messages, e);
        return false;
    }

    m_settings = Settings::read(m_home.iniPath());
    m_settings.gFormatoServidor = false;
    if (m_settings.gCaminhoBanco.isEmpty()) {
        m_messages.show(MessageBoxes::Icon::Information, QStringLiteral("Aviso"),
                        kBaseNaoLocalizada);
        return false;
    }
    if (!locateDatabase()) {
        return false;
    }
    m_context.emplace(ScreenContext{m_messages, *m_connections, m_settings, m_session, m_home});
    showLogin();
    return true;
}

// Only where: the login opens the database, and keeps the screen up when it cannot.
bool Launcher::locateDatabase() {
    try {
        const auto location =
            DatabaseLocation::resolve(m_settings.gCaminhoBanco, m_home.dbFolder());
        m_settings.gCaminhoBanco = location->gCaminhoBanco;
        m_settings.gModoServidor = location->gModoServidor;
        m_connections = std::make_unique<Connections>(location->spec);
        return true;
    } catch (const std::exception& e) {
        TrataErro(m_messages, e);
        return false;
    }
}

void Launcher::showLogin() {
    m_login = std::make_unique<frmAutenticacao>(*m_context);
    connect(m_login.get(), &frmAutenticacao::autenticado, this, &Launcher::loggedIn);
    connect(m_login.get(), &frmAutenticacao::encerrarPrograma, this, &Launcher::encerrarPrograma);
    m_login->show();
}

void Launcher::loggedIn() {
    if (!m_main) {
        // Hidden until the loading screen hands over; kept for the whole run.
        m_main = std::make_unique<MDIPrincipal>(*m_context);
        connect(m_main.get(), &MDIPrincipal::trocarUsuario, this, &Launcher::switchUser);
    }
    m_main->setUsuario(m_session.gUsuarioNome);
    m_load = std::make_unique<frmLoad>(m_messages, m_settings);
    connect(m_load.get(), &frmLoad::concluido, this, &Launcher::showMainWindow);
    m_load->show();
}

void Launcher::showMainWindow() {
    m_main->show();
}

// The main window has closed its screens and hidden itself.
void Launcher::switchUser() {
    m_connections->close();
    showLogin();
}
