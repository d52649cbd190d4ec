#pragma once

#include "common/screens/ScreenBase.h"

class QLabel;
class QProgressBar;
class QTimer;
class Settings;

// The loading screen between the login and the main window: a progress bar that runs from
// 1 to 100 in 15 ms steps, then hands over.
class frmLoad : public ScreenBase {
    Q_OBJECT
public:
    frmLoad(MessageBoxes& messages, const Settings& settings, QWidget* parent = nullptr);

    QProgressBar* pb1() const { return m_pb1; }
    QLabel* Label2() const { return m_label2; }
    QTimer* Timer1() const { return m_timer1; }

public Q_SLOTS:
    void Timer1_Timer();

Q_SIGNALS:
    // The bar reached 100: the main window takes over.
    void concluido();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QProgressBar* m_pb1;
    QLabel* m_label2;
    QTimer* m_timer1;
};
