#pragma once

#include <QObject>
#include <QPoint>
#include <optional>

class QWidget;

// Moves a borderless window while the left button is held on its background.
class WindowDragger : public QObject {
    Q_OBJECT
public:
    // The dragger lives as a child of `window`.
    explicit WindowDragger(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    std::optional<QPoint> m_pressedAt;
};
