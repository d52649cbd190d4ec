#pragma once

#include "data/ConnectionSpec.h"
#include "data/DbError.h"
#include "management/SpreadsheetExport.h"

#include <QObject>
#include <atomic>
#include <thread>

// Runs one export on a thread of its own with its own connection, so the window that started
// it keeps painting. The signals arrive on the thread that owns the job; progress is sent a
// few times a second, not per row. Destroying a running job stops it and keeps the earlier
// file.
class ExportJob : public QObject {
    Q_OBJECT
public:
    ExportJob(const ConnectionSpec& spec, const ExportRequest& request, QObject* parent = nullptr);
    ~ExportJob() override;

    void start();
    bool isRunning() const { return m_running; }

Q_SIGNALS:
    void progressed(qint64 done, qint64 total);
    void succeeded(const QString& path, qint64 rows);
    void failed(const QString& description, int number, const QString& source);

private:
    void run();
    void finishedWith(const std::function<void()>& report);

    ConnectionSpec m_spec;
    ExportRequest m_request;
    std::thread m_thread;
    std::atomic<bool> m_stop = false;
    bool m_running = false;
};
