#include "common/screens/FieldLeave.h"

#include <QFocusEvent>
#include <QScopedValueRollback>
#include <QWidget>

FieldLeave::FieldLeave(QWidget* field, std::function<void()> handler)
    : QObject(field), m_handler(std::move(handler)) {
    field->installEventFilter(this);
}

void FieldLeave::attach(QWidget* field, std::function<void()> handler) {
    new FieldLeave(field, std::move(handler)); // owned by the field
}

bool FieldLeave::eventFilter(QObject* watched, QEvent* event) {
    // A field that loses the focus because it was locked or hidden was not left by the user.
    auto* field = static_cast<QWidget*>(watched);
    if (event->type() == QEvent::FocusOut && !m_running && field->isEnabled() &&
        field->isVisible()) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            const QScopedValueRollback guard(m_running, true);
            m_handler();
        }
    }
    return QObject::eventFilter(watched, event);
}
