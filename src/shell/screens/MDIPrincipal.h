#pragma once

#include <QMainWindow>

class QMdiArea;

// The main window: an MDI frame every other screen opens in. Menus, image menu and status
// bar contents come with the screens they lead to.
class MDIPrincipal : public QMainWindow {
    Q_OBJECT
public:
    explicit MDIPrincipal(QWidget* parent = nullptr);

    QMdiArea* mdiArea() const { return m_mdiArea; }

private:
    QMdiArea* m_mdiArea;
};
