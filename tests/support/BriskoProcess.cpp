#include "support/BriskoProcess.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <QUuid>

namespace {

QStringList readLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

BriskoProcess::BriskoProcess(const QString& home, const QString& workDir)
    : m_env(QProcessEnvironment::systemEnvironment()), m_process(std::make_unique<QProcess>()) {
    const QString id = QUuid::createUuid().toString(QUuid::Id128).left(12);
    m_msgLog = workDir + QStringLiteral("/messages-") + id + QStringLiteral(".log");
    m_trace = workDir + QStringLiteral("/trace-") + id + QStringLiteral(".log");
    m_env.insert(QStringLiteral("BRISKO_HOME"), home);
    m_env.insert(QStringLiteral("BRISKO_MSGBOX"), QStringLiteral("log:") + m_msgLog);
    m_env.insert(QStringLiteral("BRISKO_TRACE"), m_trace);
    m_env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    m_env.remove(QStringLiteral("BRISKO_EXIT_AFTER"));
    // A new home takes the built-in password the tests log in with, without asking for it.
    m_env.insert(QStringLiteral("BRISKO_SENHA_ADMINISTRADOR"), QStringLiteral("KOBALT"));
}

BriskoProcess::~BriskoProcess() {
    kill();
}

void BriskoProcess::exitAfter(const QString& screen) {
    setEnv(QStringLiteral("BRISKO_EXIT_AFTER"), screen);
}

void BriskoProcess::setEnv(const QString& name, const QString& value) {
    m_env.insert(name, value);
}

void BriskoProcess::start() {
    m_process->setProcessEnvironment(m_env);
    m_process->setProcessChannelMode(QProcess::SeparateChannels);
    m_process->start(QStringLiteral(BRISKO_EXE), {});
    m_process->waitForStarted();
}

bool BriskoProcess::waitForShown(const QString& screen, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        if (shownScreens().contains(screen)) {
            return true;
        }
        if (m_process->state() == QProcess::NotRunning) {
            return shownScreens().contains(screen);
        }
        QThread::msleep(20);
    }
    return false;
}

int BriskoProcess::waitForExit(int timeoutMs) {
    if (m_process->state() != QProcess::NotRunning && !m_process->waitForFinished(timeoutMs)) {
        kill();
        return -1;
    }
    m_stderr = QString::fromUtf8(m_process->readAllStandardError());
    return m_process->exitStatus() == QProcess::NormalExit ? m_process->exitCode() : -1;
}

void BriskoProcess::kill() {
    if (m_process->state() != QProcess::NotRunning) {
        m_process->kill();
        m_process->waitForFinished(5000);
    }
}

QList<BriskoProcess::Message> BriskoProcess::messages() const {
    QList<Message> out;
    for (const QString& line : readLines(m_msgLog)) {
        const QStringList parts = line.split(QLatin1Char('\t'));
        if (parts.size() >= 3) {
            QString text = parts.mid(2).join(QLatin1Char('\t'));
            text.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
            out.append({parts.at(0), parts.at(1), text});
        }
    }
    return out;
}

QStringList BriskoProcess::shownScreens() const {
    return readLines(m_trace);
}
