#include "StartupBench.h"

#include "ChildRun.h"

#include "app/NewHome.h"

#include <QDir>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const char* const kFirstScreen = "frmAutenticacao";
constexpr double kTargetMs = 500;
constexpr double kTargetMb = 100;

ChildRun startOnce(const QString& home) {
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
    // A program that never reaches its first screen must not hang the measurement.
    return runChild(QStringList{QString::fromLocal8Bit(BRISKO_EXE)}, env.toStringList(),
                    std::chrono::seconds(20));
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
        const ChildRun run = startOnce(home);
        if (!run.ok) {
            return QStringLiteral("start-up: run %1 failed\n").arg(i + 1);
        }
        times.push_back(run.ms);
        peaks.push_back(static_cast<double>(run.peakKb) / 1024.0);
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
