#pragma once

#include "common/screens/ScreenBase.h"
#include "config/Settings.h"

#include <QList>
#include <QString>

#include <optional>

class QLabel;
class QProgressBar;
class QTimer;

// The loading screen between the login and the main window: a progress bar that runs from
// 1 to 100 in 15 ms steps, then hands over.
class frmLoad : public ScreenBase {
    Q_OBJECT
public:
    frmLoad(MessageBoxes& messages, const Settings& settings, QWidget* parent = nullptr);

    QProgressBar* pb1() const { return m_pb1; }
    QLabel* Label2() const { return m_label2; }
    QTimer* Timer1() const { return m_timer1; }

    // The sound inputs the caller-identification check looks at; the machine's own when
    // never set.
    void setDispositivosDeEntrada(const QList<QString>& dispositivos);

public Q_SLOTS:
    void Timer1_Timer();

Q_SIGNALS:
    // The bar reached 100: the main window takes over.
    void concluido();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void avisaIdentificacaoChamada();

    Settings m_settings; // the caller may hand a temporary
    std::optional<QList<QString>> m_dispositivos;
    bool m_chamadaVerificada = false;
    QProgressBar* m_pb1;
    QLabel* m_label2;
    QTimer* m_timer1;
};
