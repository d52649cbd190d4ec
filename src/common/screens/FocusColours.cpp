#include "common/screens/FocusColours.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QPalette>
#include <QWidget>

void FocusColours::attach(QWidget* field, bool keyField) {
    auto* colours = field->findChild<FocusColours*>(QString(), Qt::FindDirectChildrenOnly);
    if (colours) {
        colours->m_keyField = keyField;
    } else {
        colours = new FocusColours(field, keyField);
    }
    paint(field, field->hasFocus() ? kFocused : colours->restingColour());
}

FocusColours::FocusColours(QWidget* field, bool keyField)
    : QObject(field), m_field(field), m_keyField(keyField) {
    field->installEventFilter(this);
}

QColor FocusColours::restingColour() const {
    return m_keyField ? kKeyField : kNormal;
}

QColor FocusColours::background(const QWidget* field) {
    return field->palette().color(QPalette::Base);
}

bool FocusColours::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_field) {
        if (event->type() == QEvent::FocusIn) {
            paint(m_field, kFocused);
        } else if (event->type() == QEvent::FocusOut) {
            // A popup list or a switch to another window leaves the field its focus.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
                paint(m_field, restingColour());
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

// Edit fields and lists paint their face with Base; a combo box that cannot be edited uses
// Button.
void FocusColours::paint(QWidget* field, const QColor& colour) {
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, colour);
    if (auto* combo = qobject_cast<QComboBox*>(field); combo && !combo->isEditable()) {
        palette.setColor(QPalette::Button, colour);
    }
    field->setPalette(palette);
}
