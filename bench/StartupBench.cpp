#include "StartupBench.h"

#include "app/NewHome.h"

#include <QDir>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
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
    double cpuMs = 0; // user + system: what a busy shared machine does not inflate
    bool ok = false;
};

// The program's own peak resident memory so far (VmHWM, kilobytes), or 0 once it is gone.
// Not wait4's ru_maxrss: the child starts on the bench's address space (posix_spawn's
// vfork-style clone, or fork's copy of it), and exec folds that address space's high-water
// mark into the process's maxrss, so the child's ru_maxrss is never below the bench's own
// peak (checked: a 300 MB parent gives a spawned `sleep` 320 MB, its VmHWM 1.7 MB). VmHWM
// belongs to the address space exec created, that is to the program alone.
long peakKb(pid_t pid) {
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%d/status", int(pid));
    std::FILE* status = std::fopen(path, "r");
    if (!status) {
        return 0;
    }
    long kb = 0;
    char line[256];
    while (std::fgets(line, sizeof line, status)) {
        if (std::sscanf(line, "VmHWM: %ld kB", &kb) == 1) {
            break;
        }
    }
    std::fclose(status);
    return kb;
}

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
    // A program that never reaches its first screen must not hang the measurement.
    const auto deadline = started + std::chrono::seconds(20);
    pid_t waited = 0;
    // The high-water mark only grows: the last reading before the program ends is its peak,
    // short of at most the last millisecond, which is its exit.
    long lastPeakKb = 0;
    rusage usage{}; // its times are the child's own, unlike its maxrss
    while ((waited = wait4(pid, &status, WNOHANG, &usage)) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            wait4(pid, &status, 0, &usage);
            return run;
        }
        lastPeakKb = std::max(lastPeakKb, peakKb(pid));
        usleep(1000);
    }
    if (waited != pid) {
        return run;
    }
    run.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started)
                 .count();
    run.peakMb = static_cast<double>(lastPeakKb) / 1024.0;
    const auto ms = [](const timeval& t) {
        return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3;
    };
    run.cpuMs = ms(usage.ru_utime) + ms(usage.ru_stime);
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Nearest rank.
double p99(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    if (v.empty()) {
        return 0;
    }
    const auto rank = static_cast<std::size_t>(std::ceil(0.99 * double(v.size())));
    return v[std::max<std::size_t>(rank, 1) - 1];
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
    std::vector<double> cpu;
    for (int i = 0; i < runs; ++i) {
        const Run run = startOnce(home);
        if (!run.ok) {
            return QStringLiteral("start-up: run %1 failed\n").arg(i + 1);
        }
        times.push_back(run.ms);
        peaks.push_back(run.peakMb);
        cpu.push_back(run.cpuMs);
    }
    QString out;
    QTextStream s(&out);
    s << QStringLiteral("start-up to %1 (%2 runs, %3)\n")
             .arg(QString::fromLatin1(kFirstScreen))
             .arg(runs)
             .arg(qEnvironmentVariableIsSet("DISPLAY") ? QStringLiteral("display")
                                                       : QStringLiteral("offscreen"));
    s << QStringLiteral("  time   median %1 ms, p99 %2 ms, target <= %3 ms: %4\n")
             .arg(median(times), 0, 'f', 1)
             .arg(p99(times), 0, 'f', 1)
             .arg(kTargetMs)
             .arg(median(times) <= kTargetMs ? QStringLiteral("met") : QStringLiteral("MISSED"));
    s << QStringLiteral("  cpu    median %1 ms, p99 %2 ms\n")
             .arg(median(cpu), 0, 'f', 1)
             .arg(p99(cpu), 0, 'f', 1);
    const double peak = *std::max_element(peaks.begin(), peaks.end());
    s << QStringLiteral("  memory peak (the program's own VmHWM) median %1 MB, max %2 MB, "
                        "target <= %3 MB: %4\n")
             .arg(median(peaks), 0, 'f', 1)
             .arg(peak, 0, 'f', 1)
             .arg(kTargetMb)
             .arg(peak <= kTargetMb ? QStringLiteral("met") : QStringLiteral("MISSED"));
    return out;
}
