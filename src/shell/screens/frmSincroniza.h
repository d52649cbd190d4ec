#pragma once

#include "common/screens/ScreenBase.h"
#include "shell/OnlineBackupSetup.h"

class OnlineBackupRun;
class QLabel;
class QProgressBar;
struct ScreenContext;

// The online backup's progress: starts sending when shown, closes itself when done. It
// cannot be closed while rows are going; a failure is shown before it closes.
class frmSincroniza : public ScreenBase {
    Q_OBJECT
public:
    frmSincroniza(ScreenContext& context, const OnlineBackupSetup& setup,
                  QWidget* parent = nullptr);
    ~frmSincroniza() override;

    bool isRunning() const { return m_running; }
    bool succeeded() const { return m_succeeded; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Activate();
    void tableStarted(int index, int count, const QString& table, qint64 pending);
    void rowsSent(qint64 sent, qint64 pending);
    void finished(bool ok, const QString& message);

    OnlineBackupRun* m_run;
    bool m_started = false;
    bool m_running = false;
    bool m_succeeded = false;
    QLabel* m_lblProcesso;
    QLabel* m_lblTabela;
    QProgressBar* m_pbProcesso;
    QProgressBar* m_pbTabela;
};
