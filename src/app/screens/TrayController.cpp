#include "app/screens/TrayController.h"

#include "app/screens/ProgramVersion.h"
#include "config/AppHome.h"

#include <QFileInfo>
#include <QIcon>
#include <QMenu>
#include <QSystemTrayIcon>

namespace {

// The notification area of some platforms takes no longer texts.
constexpr int kMaxToolTip = 127;
constexpr int kMaxBalloonText = 255;
constexpr int kMaxBalloonTitle = 63;

QIcon trayIcon(const AppHome& home) {
    const QString file = home.iconFolder() + QStringLiteral("Brisko_48.ico");
    if (QFileInfo::exists(file)) {
        const QIcon icon(file);
        if (!icon.isNull()) {
            return icon;
        }
    }
    return QIcon(QStringLiteral(":/images/brisko_48.png"));
}

} // namespace

TrayController::TrayController(const AppHome& home, QObject* parent)
    : QObject(parent), m_menu(std::make_unique<QMenu>()),
      m_icon(std::make_unique<QSystemTrayIcon>(trayIcon(home))),
      m_available(QSystemTrayIcon::isSystemTrayAvailable()) {
    m_menu->setObjectName(QStringLiteral("mnuPopUP"));
    connect(
        addItem(QStringLiteral("itmAbrirMenuPrincipal"), QStringLiteral("Abrir Menu Principal")),
        &QAction::triggered, this, &TrayController::abrirMenuPrincipal);
    // Listed without an action.
    addItem(QStringLiteral("itmAjuda"), QStringLiteral("&Ajuda do Sistema"));
    connect(addItem(QStringLiteral("itmInformacoes"), QStringLiteral("&Informações sobre Sistema")),
            &QAction::triggered, this, &TrayController::informacoes);
    connect(addItem(QStringLiteral("itmSair"), QStringLiteral("&Sair")), &QAction::triggered, this,
            &TrayController::sair);

    m_icon->setToolTip(toolTipText());
    m_icon->setContextMenu(m_menu.get());
    connect(m_icon.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::DoubleClick) {
                    Q_EMIT abrirMenuPrincipal();
                }
            });
}

TrayController::~TrayController() {
    m_icon->hide();
}

QAction* TrayController::addItem(const QString& name, const QString& caption) {
    QAction* action = m_menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

QString TrayController::toolTipText() {
    return QStringLiteral("Software - Brisko").left(kMaxToolTip);
}

QString TrayController::balloonTitle() {
    return QStringLiteral("Brisko").left(kMaxBalloonTitle);
}

QString TrayController::balloonText() {
    return (QStringLiteral("O sistema Brisko continua ativo!\nBrisko v") + programVersion() +
            QStringLiteral("\nSysTray"))
        .left(kMaxBalloonText);
}

bool TrayController::show() {
    if (!m_available) {
        return false;
    }
    // Shown afresh each time, as a desktop restart may have dropped it.
    m_icon->hide();
    m_icon->show();
    m_icon->showMessage(balloonTitle(), balloonText(), QSystemTrayIcon::Information);
    return true;
}

void TrayController::remove() {
    m_icon->hide();
}

bool TrayController::isShown() const {
    return m_icon->isVisible();
}
