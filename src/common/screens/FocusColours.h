#pragma once

#include <QColor>
#include <QObject>

class QWidget;

// Pale green behind an edit field or list while it has the focus; white after it loses it, or
// pale yellow for a key field.
class FocusColours : public QObject {
    Q_OBJECT
public:
    static inline const QColor kFocused = QColor(192, 255, 192);
    static inline const QColor kNormal = QColor(255, 255, 255);
    static inline const QColor kKeyField = QColor(255, 255, 192);

    // Gives `field` its resting colour now; the handler lives as a child of `field`.
    // Attaching again only changes whether it is a key field.
    static void attach(QWidget* field, bool keyField = false);

    static QColor background(const QWidget* field);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FocusColours(QWidget* field, bool keyField);
    QColor restingColour() const;
    static void paint(QWidget* field, const QColor& colour);

    QWidget* m_field;
    bool m_keyField;
};
