#pragma once

#include "common/KeyFilter.h"

#include <QObject>

class QKeyEvent;
class QWidget;

// Applies a key filter to the characters typed into an edit field (line edit, editable combo
// box, plain text edit): each typed character is replaced or dropped as `filterKey` says.
// Keys without a character (arrows, Tab, Esc, shortcuts) and Enter pass untouched, so the
// focus never moves and the default button still works. Pasting from the keyboard goes
// through the same filter.
class KeyFilterAttacher : public QObject {
    Q_OBJECT
public:
    // The filter lives as a child of `field`; attaching again changes its mode.
    static void attach(QWidget* field, KeyFilterMode mode);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    KeyFilterAttacher(QWidget* field, KeyFilterMode mode);
    bool filterKeyPress(QObject* receiver, QKeyEvent* key);
    void pasteFiltered();

    QWidget* m_field;
    KeyFilterMode m_mode;
    bool m_resending = false;
};
