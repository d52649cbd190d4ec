#include "common/screens/WindowDragger.h"

#include <QMouseEvent>
#include <QWidget>
#include <algorithm>

WindowDragger::WindowDragger(QWidget* window) : QObject(window), m_window(window) {
    window->installEventFilter(this);
}

bool WindowDragger::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_window) {
        return QObject::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            m_pressedAt = mouse->position().toPoint();
        }
        break;
    }
    case QEvent::MouseMove: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (m_pressedAt && (mouse->buttons() & Qt::LeftButton)) {
            // The press point stays under the pointer, as the window follows it; a screen inside
            // the main window stays inside its area.
            QPoint target = m_window->pos() + mouse->position().toPoint() - *m_pressedAt;
            if (!m_window->isWindow() && m_window->parentWidget()) {
                const QSize room = m_window->parentWidget()->size() - m_window->size();
                target.setX(std::clamp(target.x(), 0, std::max(0, room.width())));
                target.setY(std::clamp(target.y(), 0, std::max(0, room.height())));
            }
            m_window->move(target);
        }
        break;
    }
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            m_pressedAt.reset();
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
