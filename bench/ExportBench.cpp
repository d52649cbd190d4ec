#include "ExportBench.h"

#include "BenchRegistry.h"
#include "data/Database.h"
#include "management/SpreadsheetExport.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <memory>
#include <stdexcept>

namespace {

struct MemoryNote {
    double peakMb = 0;
    double aboveStartMb = 0;
    QString text() const {
        return QStringLiteral("peak resident %1 MB (%2 MB above the resident size at its start)")
            .arg(peakMb, 0, 'f', 1)
            .arg(aboveStartMb, 0, 'f', 1);
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
                                 const ExportResult result = runExport(db, request, {});
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
    const QDate yearEnd = QDate(last.year() - 1, 12, 31);
    const QDate yearStart = QDate(last.year() - 1, 1, 1);
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
    const qint64 yearItems = items(yearStart, yearEnd);
    if (yearItems > 0) {
        Timed year = exportOperation(
            QStringLiteral("export: order items of %1 (%2 rows)")
                .arg(yearStart.year())
                .arg(yearItems),
            50000.0, 1, db, {ExportKind::Pedidos, path, Period{yearStart, yearEnd}}, yearItems);
        year.extras.warmUpRuns = 0;
        registry.add(year.operation, year.extras);
    }
}
