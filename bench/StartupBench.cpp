#include "StartupBench.h"

#include "app/NewHome.h"

#include <QDir>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

const char* const kFirstScreen = "frmAutenticacao";
constexpr double kTargetMs = 500;
constexpr double kTargetMb = 100;

struct Run {
    double ms = 0;
    double peakMb = 0;
    bool ok = false;
};

Run startOnce(const QString& home) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("BRISKO_HOME"), home);
    env.insert(QStringLiteral("BRISKO_EXIT_AFTER"), QString::fromLatin1(kFirstScreen));
    // The first start would otherwise wait for the administrator's password.
    env.insert(QString::fromLatin1(NewHome::kSenhaVariable), QStringLiteral("BENCH"));
    env.insert(QStringLiteral("BRISKO_MSGBOX"),
               QStringLiteral("log:") + home + QStringLiteral("/bench-messages.log"));
    if (!env.contains(QStringLiteral("DISPLAY"))) {
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    }
    std::vector<QByteArray> storage;
    for (const QString& entry : env.toStringList()) {
        storage.push_back(entry.toLocal8Bit());
    }
    std::vector<char*> envp;
    for (QByteArray& entry : storage) {
        envp.push_back(entry.data());
    }
    envp.push_back(nullptr);
    QByteArray exe(BRISKO_EXE);
    char* argv[] = {exe.data(), nullptr};

    Run run;
    const auto started = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, exe.constData(), nullptr, nullptr, argv, envp.data()) != 0) {
        return run;
    }
    int status = 0;
    rusage usage{};
    // A program that never reaches its first screen must not hang the measurement.
    const auto deadline = started + std::chrono::seconds(20);
    pid_t waited = 0;
    while ((waited = wait4(pid, &status, WNOHANG, &usage)) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            wait4(pid, &status, 0, &usage);
            return run;
        }
        usleep(1000);
    }
    if (waited != pid) {
        return run;
    }
    run.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started)
                 .count();
    run.peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace

QString startupReport(int runs) {
    QTemporaryDir dir;
    const QString home = dir.filePath(QStringLiteral("home"));
    // The first start creates the home and its database; it is not what is measured.
    if (!startOnce(home).ok) {
        return QStringLiteral("start-up: the program did not reach %1\n")
            .arg(QString::fromLatin1(kFirstScreen));
    }
    std::vector<double> times;
    std::vector<double> peaks;
    for (int i = 0; i < runs; ++i) {
        const Run run = startOnce(home);
        if (!run.ok) {
            return QStringLiteral("start-up: run %1 failed\n").arg(i + 1);
        }
        times.push_back(run.ms);
        peaks.push_back(run.peakMb);
    }
    QString out;
    QTextStream s(&out);
    s << QStringLiteral("start-up to %1 (%2 runs, %3)\n")
             .arg(QString::fromLatin1(kFirstScreen))
             .arg(runs)
             .arg(qEnvironmentVariableIsSet("DISPLAY") ? QStringLiteral("display")
                                                       : QStringLiteral("offscreen"));
    s << QStringLiteral("  time   median %1 ms, max %2 ms, target <= %3 ms: %4\n")
             .arg(median(times), 0, 'f', 1)
             .arg(*std::max_element(times.begin(), times.end()), 0, 'f', 1)
             .arg(kTargetMs)
             .arg(median(times) <= kTargetMs ? QStringLiteral("met") : QStringLiteral("MISSED"));
    const double peak = *std::max_element(peaks.begin(), peaks.end());
    s << QStringLiteral("  memory peak %1 MB, target <= %2 MB: %3\n")
             .arg(peak, 0, 'f', 1)
             .arg(kTargetMb)
             .arg(peak <= kTargetMb ? QStringLiteral("met") : QStringLiteral("MISSED"));
    return out;
}
