#pragma once

#include "data/ConnectionSpec.h"
#include "shell/OnlineBackupSetup.h"

#include <QObject>
#include <memory>

class QThread;

// One online backup on a worker thread with its own connections, so the window that shows
// it keeps painting. Its signals arrive on the thread that owns the object.
class OnlineBackupRun : public QObject {
    Q_OBJECT
public:
    OnlineBackupRun(const ConnectionSpec& local, const OnlineBackupSetup& setup,
                    QObject* parent = nullptr);
    // Waits for the worker: a run is never cut off half way through a batch.
    ~OnlineBackupRun() override;

    void start();
    bool isRunning() const;

Q_SIGNALS:
    void tableStarted(int index, int count, const QString& table, qint64 pending);
    void rowsSent(qint64 sent, qint64 pending);
    // `message` is empty on success, the failure's text otherwise.
    void finished(bool ok, const QString& message, qint64 rowsSent);

private:
    void work();

    ConnectionSpec m_local;
    OnlineBackupSetup m_setup;
    std::unique_ptr<QThread> m_thread;
};
