#pragma once

#include <QObject>
#include <QString>
#include <memory>

class AppHome;
class QAction;
class QMenu;
class QSystemTrayIcon;

// The main window's notification-area icon with its menu `mnuPopUP`. Where the desktop has
// no notification area the icon cannot be shown, and the window must stay reachable some
// other way: `isAvailable()` tells the window so.
class TrayController : public QObject {
    Q_OBJECT
public:
    TrayController(const AppHome& home, QObject* parent = nullptr);
    ~TrayController() override;

    static QString toolTipText();
    static QString balloonTitle();
    static QString balloonText();

    bool isAvailable() const { return m_available; }
    // For desktops that report a notification area wrongly, and for tests.
    void setAvailable(bool available) { m_available = available; }

    // Puts the icon in the notification area (again) with its balloon. False when there is
    // no notification area.
    bool show();
    void remove();
    bool isShown() const;

    QSystemTrayIcon* icon() const { return m_icon.get(); }
    QMenu* menu() const { return m_menu.get(); }

Q_SIGNALS:
    void abrirMenuPrincipal();
    void informacoes();
    void sair();

private:
    QAction* addItem(const QString& name, const QString& caption);

    std::unique_ptr<QMenu> m_menu;
    std::unique_ptr<QSystemTrayIcon> m_icon;
    bool m_available;
};
