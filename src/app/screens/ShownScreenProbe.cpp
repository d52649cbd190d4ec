#include "app/screens/ShownScreenProbe.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>

ShownScreenProbe::ShownScreenProbe(QObject* parent)
    : QObject(parent), m_tracePath(qEnvironmentVariable("BRISKO_TRACE")),
      m_exitAfter(qEnvironmentVariable("BRISKO_EXIT_AFTER")) {}

bool ShownScreenProbe::wanted() {
    return qEnvironmentVariableIsSet("BRISKO_TRACE") ||
           qEnvironmentVariableIsSet("BRISKO_EXIT_AFTER");
}

bool ShownScreenProbe::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->isWindow() && !watched->objectName().isEmpty()) {
        const QString name = watched->objectName();
        if (!m_tracePath.isEmpty()) {
            QFile file(m_tracePath);
            if (file.open(QIODevice::Append)) {
                file.write(name.toUtf8() + '\n');
            }
        }
        if (name == m_exitAfter) {
            // After the show has been painted, not before.
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        }
    }
    return QObject::eventFilter(watched, event);
}
