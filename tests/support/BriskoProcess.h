#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <memory>

class QProcess;

// Runs the program as a separate process on a home of the test's choosing, with its message
// boxes written to a log (and questions answered from a script) and its shown screens traced.
class BriskoProcess {
public:
    struct Message {
        QString icon;
        QString caption;
        QString text;
    };

    explicit BriskoProcess(const QString& home, const QString& workDir);
    ~BriskoProcess();

    // Ends the program as soon as the screen with this object name has been shown.
    void exitAfter(const QString& screen);
    void setEnv(const QString& name, const QString& value);

    void start();
    bool waitForShown(const QString& screen, int timeoutMs = 10000);
    // Exit code, or -1 when the process had to be killed after the time-out.
    int waitForExit(int timeoutMs = 15000);
    void kill();

    QList<Message> messages() const;
    QStringList shownScreens() const;
    QString standardError() const { return m_stderr; }

private:
    QString m_msgLog;
    QString m_trace;
    QProcessEnvironment m_env;
    std::unique_ptr<QProcess> m_process;
    QString m_stderr;
};
