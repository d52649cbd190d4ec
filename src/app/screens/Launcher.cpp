#include "app/screens/Launcher.h"

#include "app/DatabaseLocation.h"
#include "app/screens/frmLoad.h"
#include "common/screens/ErrorRoutine.h"
#include "common/screens/MessageBoxes.h"
#include "data/Database.h"
#include "shell/screens/MDIPrincipal.h"

#include <QCoreApplication>
#include <QTimer>

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
    if (!openDatabase()) {
        return false;
    }

    m_load = std::make_unique<frmLoad>(m_messages, m_settings);
    connect(m_load.get(), &frmLoad::concluido, this, &Launcher::showMainWindow);
    m_load->show();
    return true;
}

bool Launcher::openDatabase() {
    try {
        const auto location =
            DatabaseLocation::resolve(m_settings.gCaminhoBanco, m_home.dbFolder());
        m_settings.gCaminhoBanco = location->gCaminhoBanco;
        m_settings.gModoServidor = location->gModoServidor;
        m_db = Database::open(location->spec, Database::OpenMode::ExistingOnly);
        return true;
    } catch (const std::exception& e) {
        TrataErro(m_messages, e);
        return false;
    }
}

void Launcher::showMainWindow() {
    m_main = std::make_unique<MDIPrincipal>();
    m_main->show();
    // The loading screen closes itself once it has handed over.
    QTimer::singleShot(0, this, [this] { m_load.reset(); });
}
