#include "ExportBench.h"

#include "BenchRegistry.h"
#include "data/Database.h"
#include "management/SpreadsheetExport.h"
#include "management/XlsxSheet.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <ctime>
#include <memory>
#include <stdexcept>

namespace {

// CPU time of the whole process, every thread included (the export reads and writes on two).
double processCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1000.0 + double(now.tv_nsec) / 1e6;
}

struct MemoryNote {
    double peakMb = 0;
    double aboveStartMb = 0;
    QList<double> cpuMs;
    QString text() const {
        QList<double> sorted = cpuMs;
        std::sort(sorted.begin(), sorted.end());
        const double median = sorted.isEmpty() ? 0 : sorted.at(sorted.size() / 2);
        return QStringLiteral("peak resident %1 MB (%2 MB above the resident size at its "
                              "start), CPU time median %3 ms over %4 runs")
            .arg(peakMb, 0, 'f', 1)
            .arg(aboveStartMb, 0, 'f', 1)
            .arg(median, 0, 'f', 0)
            .arg(sorted.size());
    }
};

struct Timed {
    BenchOperation operation;
    BenchExtras extras;
};

Timed exportOperation(const QString& name, double targetMs, int runs, Database& db,
                      const ExportRequest& request, qint64 expectedRows) {
    auto note = std::make_shared<MemoryNote>();
    BenchOperation operation{name, targetMs, runs, [&db, request, expectedRows, note] {
                                 PeakMemory::reset();
                                 const double start = PeakMemory::statusMb("VmRSS");
                                 const double cpuStart = processCpuMs();
                                 const ExportResult result = runExport(db, request, {});
                                 note->cpuMs << processCpuMs() - cpuStart;
                                 const double peak = PeakMemory::statusMb("VmHWM");
                                 note->peakMb = std::max(note->peakMb, peak);
                                 note->aboveStartMb = std::max(note->aboveStartMb, peak - start);
                                 if (result.rows != expectedRows)
                                     throw std::runtime_error("the export wrote a wrong count");
                             }};
    return {operation, {1, [note] { return note->text(); }}};
}

} // namespace

void registerExportOperations(BenchRegistry& registry, Database& db) {
    const auto folder = std::make_shared<QTemporaryDir>(
        QDir::temp().filePath(QStringLiteral("brisko-bench-export-XXXXXX")));
    const QString path = folder->path();

    BenchOperation empty{QStringLiteral("export: empty check"), 10.0, 200, [&db] {
                             if (!exportHasRows(db, ExportKind::Pedidos))
                                 throw std::runtime_error("no order items");
                         }};
    registry.add(empty);

    const qint64 customers =
        db.scalar(QStringLiteral("SELECT count(*) FROM TB_Cliente")).toLongLong();
    Timed clientes = exportOperation(QStringLiteral("export: %1 customers").arg(customers), 4000.0,
                                     3, db, {ExportKind::Clientes, path, std::nullopt}, customers);
    // Keeps the folder for as long as the operation exists.
    clientes.operation.runOnce = [run = clientes.operation.runOnce, folder] { run(); };
    registry.add(clientes.operation, clientes.extras);

    const QDate last =
        Database::dateFrom(db.scalar(QStringLiteral("SELECT MAX(ped_data) FROM TB_Pedido")));
    if (!last.isValid())
        return;
    const QDate monthEnd = QDate(last.year(), last.month(), 1).addDays(-1);
    const QDate monthStart = QDate(monthEnd.year(), monthEnd.month(), 1);
    const QDate yearStart = QDate(last.year() - 1, 1, 1);
    QDate yearEnd = QDate(last.year() - 1, 12, 31);
    const QString countSql =
        QStringLiteral("SELECT count(*) FROM TB_Pedido INNER JOIN TB_Item ON TB_Pedido.ped_ono = "
                       "TB_Item.ite_Ono WHERE TB_Pedido.ped_data BETWEEN ? AND ?");
    const auto items = [&](const QDate& from, const QDate& to) {
        return db.scalar(countSql, {Database::dateValue(from), Database::dateValue(to)})
            .toLongLong();
    };
    const qint64 monthItems = items(monthStart, monthEnd);
    const Timed month = exportOperation(
        QStringLiteral("export: order items of %1 (%2 rows)")
            .arg(monthStart.toString(QStringLiteral("MM/yyyy")))
            .arg(monthItems),
        4000.0, 3, db, {ExportKind::Pedidos, path, Period{monthStart, monthEnd}}, monthItems);
    registry.add(month.operation, month.extras);
    qint64 yearItems = items(yearStart, yearEnd);
    // A busier year than a worksheet holds is refused; its first months that fit are timed.
    while (yearItems > XlsxSheet::kMaxRows && yearEnd.month() > 1) {
        yearEnd = QDate(yearEnd.year(), yearEnd.month(), 1).addDays(-1);
        yearItems = items(yearStart, yearEnd);
    }
    if (yearItems > 0 && yearItems <= XlsxSheet::kMaxRows) {
        Timed year = exportOperation(
            QStringLiteral("export: order items of %1 to %2 (%3 rows)")
                .arg(yearStart.toString(QStringLiteral("MM/yyyy")),
                     yearEnd.toString(QStringLiteral("MM/yyyy")))
                .arg(yearItems),
            50000.0, 1, db, {ExportKind::Pedidos, path, Period{yearStart, yearEnd}}, yearItems);
        year.extras.warmUpRuns = 0;
        registry.add(year.operation, year.extras);
    }
}
