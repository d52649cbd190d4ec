#include "shell/OnlineBackupRun.h"

#include "data/Database.h"
#include "data/DbError.h"
#include "shell/SyncEngine.h"

#include <QThread>

namespace {

// Signals emitted on the worker reach receivers of the owner's thread queued.
class SignallingObserver : public SyncObserver {
public:
    explicit SignallingObserver(OnlineBackupRun& run) : m_run(run) {}
    void tableStarted(int index, int count, const QString& table, qint64 pending) override {
        Q_EMIT m_run.tableStarted(index, count, table, pending);
    }
    void batchSent(const QString&, qint64 sent, qint64 pending) override {
        Q_EMIT m_run.rowsSent(sent, pending);
    }

private:
    OnlineBackupRun& m_run;
};

} // namespace

OnlineBackupRun::OnlineBackupRun(const ConnectionSpec& local, const OnlineBackupSetup& setup,
                                 QObject* parent)
    : QObject(parent), m_local(local), m_setup(setup) {}

OnlineBackupRun::~OnlineBackupRun() {
    if (m_thread)
        m_thread->wait();
}

void OnlineBackupRun::start() {
    if (isRunning())
        return;
    if (m_thread)
        m_thread->wait();
    m_thread.reset(QThread::create([this] { work(); }));
    m_thread->start();
}

bool OnlineBackupRun::isRunning() const {
    return m_thread && m_thread->isRunning();
}

void OnlineBackupRun::work() {
    bool ok = false;
    QString message;
    qint64 sent = 0;
    try {
        const auto local = Database::open(m_local, Database::OpenMode::ExistingOnly);
        const auto remote = RemoteServer::open(m_setup.remote);
        SignallingObserver observer(*this);
        sent = SyncEngine(*local, *remote, m_setup.empresa, &observer).run().sent;
        ok = true;
    } catch (const DbError& failure) {
        message = m_setup.remote.scrub(failure.description());
    } catch (const std::exception& failure) {
        message = m_setup.remote.scrub(QString::fromLocal8Bit(failure.what()));
    }
    Q_EMIT finished(ok, message, sent);
}
