#pragma once

#include <QObject>
#include <QRegion>

class QWidget;

// Keeps a widget shaped as a rounded rectangle whose corner ellipse is `radius` by `radius`
// pixels, re-shaping it whenever it is shown, activated or resized.
class RoundedMask : public QObject {
    Q_OBJECT
public:
    // The mask lives as a child of `target`.
    static void attach(QWidget* target, int radius);

    static QRegion roundedRegion(const QRect& rect, int radius);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    RoundedMask(QWidget* target, int radius);
    void apply();

    QWidget* m_target;
    int m_radius;
};
