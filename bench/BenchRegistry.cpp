#include "BenchRegistry.h"

#include "data/Database.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QSqlQuery>
#include <algorithm>
#include <cmath>

void BenchRegistry::add(BenchOperation operation, BenchExtras extras) {
    m_operations.push_back(std::move(operation));
    m_extras.push_back(std::move(extras));
}

double percentile(std::vector<double> samples, double p) {
    if (samples.empty())
        return 0;
    std::sort(samples.begin(), samples.end());
    const auto rank = static_cast<std::size_t>(std::ceil(p / 100.0 * double(samples.size())));
    return samples[std::clamp<std::size_t>(rank, 1, samples.size()) - 1];
}

BenchResult measure(const BenchOperation& operation, int warmUpRuns) {
    for (int i = 0; i < warmUpRuns; ++i)
        operation.runOnce();
    std::vector<double> samples;
    samples.reserve(std::size_t(operation.runs));
    QElapsedTimer timer;
    for (int i = 0; i < operation.runs; ++i) {
        timer.start();
        operation.runOnce();
        samples.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return {operation.name, operation.runs, percentile(samples, 50), percentile(samples, 99),
            operation.targetMedianMs};
}

QString formatResults(const QList<BenchResult>& results) {
    qsizetype width = 9;
    for (const BenchResult& result : results)
        width = std::max(width, result.name.size());
    QString text = QStringLiteral("%1  %2  %3  %4  %5\n")
                       .arg(QStringLiteral("operation"), -int(width))
                       .arg(QStringLiteral("runs"), 6)
                       .arg(QStringLiteral("median ms"), 10)
                       .arg(QStringLiteral("p99 ms"), 10)
                       .arg(QStringLiteral("target (median)"));
    for (const BenchResult& result : results) {
        const QString target =
            result.hasTarget()
                ? QStringLiteral("<= %1 ms  %2")
                      .arg(result.targetMedianMs)
                      .arg(result.met() ? QStringLiteral("ok") : QStringLiteral("MISSED"))
                : QStringLiteral("-");
        text += QStringLiteral("%1  %2  %3  %4  %5\n")
                    .arg(result.name, -int(width))
                    .arg(result.runs, 6)
                    .arg(result.medianMs, 10, 'f', 3)
                    .arg(result.p99Ms, 10, 'f', 3)
                    .arg(target);
    }
    return text;
}

QStringList firstColumn(Database& db, const QString& sql) {
    QSqlQuery query = db.exec(sql);
    QStringList values;
    while (query.next())
        values << query.value(0).toString();
    return values;
}

void PeakMemory::reset() {
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

double PeakMemory::statusMb(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QRegularExpression line(QLatin1String(field) + QStringLiteral(":\\s*(\\d+) kB"));
    const auto match = line.match(QString::fromLatin1(status.readAll()));
    return match.hasMatch() ? match.captured(1).toDouble() / 1024.0 : 0;
}
