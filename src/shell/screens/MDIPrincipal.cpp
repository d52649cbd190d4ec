#include "shell/screens/MDIPrincipal.h"

#include <QCoreApplication>
#include <QMdiArea>
#include <QStatusBar>

MDIPrincipal::MDIPrincipal(QWidget* parent) : QMainWindow(parent), m_mdiArea(new QMdiArea(this)) {
    setObjectName(QStringLiteral("MDIPrincipal"));
    setWindowTitle(QCoreApplication::applicationName());
    setCentralWidget(m_mdiArea);
    statusBar()->setObjectName(QStringLiteral("stbPrincipal"));
    resize(1024, 700);
}
