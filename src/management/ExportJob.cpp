#include "management/ExportJob.h"

#include "data/Database.h"

#include <QElapsedTimer>
#include <QMetaObject>

namespace {

constexpr qint64 kProgressIntervalMs = 50;

struct Stopped {};

} // namespace

ExportJob::ExportJob(const ConnectionSpec& spec, const ExportRequest& request, QObject* parent)
    : QObject(parent), m_spec(spec), m_request(request) {}

ExportJob::~ExportJob() {
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
}

void ExportJob::start() {
    if (m_running)
        return;
    if (m_thread.joinable())
        m_thread.join();
    m_stop = false;
    m_running = true;
    m_thread = std::thread([this] { run(); });
}

void ExportJob::run() {
    try {
        const auto db = Database::open(m_spec, Database::OpenMode::ExistingOnly);
        QElapsedTimer sinceReport;
        sinceReport.start();
        const ExportResult result =
            runExport(*db, m_request, [this, &sinceReport](qint64 done, qint64 total) {
                if (m_stop)
                    throw Stopped{};
                if (done != 0 && done != total && sinceReport.elapsed() < kProgressIntervalMs)
                    return;
                sinceReport.restart();
                QMetaObject::invokeMethod(
                    this, [this, done, total] { Q_EMIT progressed(done, total); },
                    Qt::QueuedConnection);
            });
        finishedWith([this, result] { Q_EMIT succeeded(result.path, result.rows); });
    } catch (const Stopped&) {
        finishedWith({});
    } catch (const DbError& e) {
        finishedWith([this, e] { Q_EMIT failed(e.description(), e.number(), e.source()); });
    } catch (const std::exception& e) {
        const QString what = QString::fromLocal8Bit(e.what());
        finishedWith(
            [this, what] { Q_EMIT failed(what, DbError::kGeneric, DbError::kProgramSource); });
    }
}

void ExportJob::finishedWith(const std::function<void()>& report) {
    QMetaObject::invokeMethod(
        this,
        [this, report] {
            m_running = false;
            if (report)
                report();
        },
        Qt::QueuedConnection);
}
