#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// One timed operation: `runOnce` does the whole thing once (choosing its own random input)
// and is timed from the outside.
struct BenchOperation {
    QString name;
    double targetMedianMs = 0; // 0: no target
    int runs = 1000;
    std::function<void()> runOnce;
};

struct BenchResult {
    QString name;
    int runs = 0;
    double medianMs = 0;
    double p99Ms = 0;
    double targetMedianMs = 0;

    bool hasTarget() const { return targetMedianMs > 0; }
    bool met() const { return !hasTarget() || medianMs <= targetMedianMs; }
};

// What a long operation changes from the defaults of a run.
struct BenchExtras {
    int warmUpRuns = 20;
    // A line printed after the table (for example the memory the operation took).
    std::function<QString()> note;
};

// The operations of a run, in the order they were added. Each theme of benchmarks has a
// register...Operations(BenchRegistry&, ...) function that main calls.
class BenchRegistry {
public:
    void add(BenchOperation operation, BenchExtras extras = {});
    const std::vector<BenchOperation>& operations() const { return m_operations; }
    // Parallel to operations().
    const std::vector<BenchExtras>& extras() const { return m_extras; }

private:
    std::vector<BenchOperation> m_operations;
    std::vector<BenchExtras> m_extras;
};

class Database;

// Peak resident memory of this process since the last reset (Linux).
struct PeakMemory {
    static void reset();
    // "VmRSS" or "VmHWM" in MB.
    static double statusMb(const char* field);
};

// The first column of every row of `sql`, as text: the random inputs of the benchmarks.
QStringList firstColumn(Database& db, const QString& sql);

// The p-th percentile (0..100) of the samples, nearest rank.
double percentile(std::vector<double> samples, double p);
BenchResult measure(const BenchOperation& operation, int warmUpRuns = 20);
QString formatResults(const QList<BenchResult>& results);
