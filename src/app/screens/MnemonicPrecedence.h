#pragma once

#include <QObject>

// The screens live inside the main window, so their buttons' Alt+letter keys and the menu
// bar's share one window: with two registries open Alt+S only moved the focus between their
// "Salvar" buttons, and in the order screen Alt+A opened "Ajuda" instead of pressing
// "Adicionar". When a key is claimed by several, the screen holding the focus wins.
class MnemonicPrecedence : public QObject {
    Q_OBJECT
public:
    explicit MnemonicPrecedence(QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
