#include "app/screens/MnemonicPrecedence.h"

#include "common/screens/ScreenBase.h"

#include <QAbstractButton>
#include <QApplication>
#include <QShortcutEvent>

MnemonicPrecedence::MnemonicPrecedence(QObject* parent) : QObject(parent) {
    qApp->installEventFilter(this);
}

bool MnemonicPrecedence::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Shortcut || !static_cast<QShortcutEvent*>(event)->isAmbiguous())
        return QObject::eventFilter(watched, event);
    QWidget* screen = QApplication::focusWidget();
    while (screen && !qobject_cast<ScreenBase*>(screen))
        screen = screen->parentWidget();
    if (!screen)
        return QObject::eventFilter(watched, event);
    const QKeySequence key = static_cast<QShortcutEvent*>(event)->key();
    for (QAbstractButton* button : screen->findChildren<QAbstractButton*>()) {
        if (button->isVisible() && button->isEnabled() &&
            QKeySequence::mnemonic(button->text()) == key) {
            button->click();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
