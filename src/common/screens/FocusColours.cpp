#include "common/screens/FocusColours.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
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
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { focusChanged(now); });
    // setText leaves the cursor at the end, which scrolls a long text to its tail. Shown from
    // its start, the cursor returns to the end when the focus comes by key or by the program,
    // so typing still goes after the text.
    if (auto* line = qobject_cast<QLineEdit*>(field)) {
        connect(line, &QLineEdit::textChanged, this, [this, line] {
            // setText clears the modified flag; typing (even without the focus) sets it.
            if (!line->hasFocus() && !line->isModified()) {
                line->setCursorPosition(0);
                m_shownFromStart = true;
            }
        });
        line->installEventFilter(this);
    }
}

bool FocusColours::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_field && event->type() == QEvent::FocusIn && m_shownFromStart) {
        m_shownFromStart = false;
        auto* line = static_cast<QLineEdit*>(m_field);
        if (static_cast<QFocusEvent*>(event)->reason() != Qt::MouseFocusReason &&
            line->cursorPosition() == 0 && !line->hasSelectedText())
            line->end(false);
    }
    return QObject::eventFilter(watched, event);
}

QColor FocusColours::restingColour() const {
    return m_keyField ? kKeyField : kNormal;
}

QColor FocusColours::background(const QWidget* field) {
    return field->palette().color(QPalette::Base);
}

// Every field of the window that receives the focus is repainted, not only the two the focus
// moved between: focus moved by the program while a message box was up reaches the window
// without events for the field that had it, which kept its colour beside the new one. A
// popup list or another window taking the focus leaves the field its colour.
void FocusColours::focusChanged(QWidget* now) {
    if (now && now->window() == m_field->window())
        paint(m_field, m_field->hasFocus() ? kFocused : restingColour());
}

// Edit fields and lists paint their face with Base; a combo box that cannot be edited uses
// Button. The disabled group keeps the locked look.
void FocusColours::paint(QWidget* field, const QColor& colour) {
    QPalette palette = field->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Base, colour);
        if (auto* combo = qobject_cast<QComboBox*>(field); combo && !combo->isEditable())
            palette.setColor(group, QPalette::Button, colour);
    }
    palette.setColor(QPalette::Disabled, QPalette::Base, kLocked);
    palette.setColor(QPalette::Disabled, QPalette::Button, kLocked);
    palette.setColor(QPalette::Disabled, QPalette::Text, kLockedText);
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, kLockedText);
    field->setPalette(palette);
}
