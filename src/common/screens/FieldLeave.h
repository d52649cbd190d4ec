#pragma once

#include <QObject>
#include <functional>

class QWidget;

// Calls a handler when the user leaves an edit field for another control of the same window
// (Tab, a click elsewhere). The focus going to a message box or to another window is not
// leaving, so a handler that shows a message does not run again.
class FieldLeave : public QObject {
    Q_OBJECT
public:
    static void attach(QWidget* field, std::function<void()> handler);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FieldLeave(QWidget* field, std::function<void()> handler);

    std::function<void()> m_handler;
    bool m_running = false;
};
