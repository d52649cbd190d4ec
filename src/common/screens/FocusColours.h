#pragma once

#include <QColor>
#include <QObject>

class QWidget;

// How an edit field or list looks: pale green behind it while it has the focus; white after it
// loses it, or pale yellow for a key field. A locked (disabled) field is grey with dark text: it
// reads as locked and stays readable. A line filled by the program shows its beginning.
class FocusColours : public QObject {
    Q_OBJECT
public:
    static inline const QColor kFocused = QColor(192, 255, 192);
    static inline const QColor kNormal = QColor(255, 255, 255);
    static inline const QColor kKeyField = QColor(255, 255, 192);
    static inline const QColor kLocked = QColor(226, 226, 226);
    static inline const QColor kLockedText = QColor(64, 64, 64);

    // Gives `field` its resting colour now; the handler lives as a child of `field`.
    // Attaching again only changes whether it is a key field.
    static void attach(QWidget* field, bool keyField = false);

    static QColor background(const QWidget* field);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FocusColours(QWidget* field, bool keyField);
    QColor restingColour() const;
    void focusChanged(QWidget* now);
    static void paint(QWidget* field, const QColor& colour);

    QWidget* m_field;
    bool m_keyField;
    bool m_shownFromStart = false;
};
