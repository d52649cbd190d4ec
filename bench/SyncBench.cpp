#include "SyncBench.h"

#include "BenchRegistry.h"
#include "data/Database.h"
#include "data/Transaction.h"
#include "shell/OnlineBackupRun.h"
#include "shell/RemoteServer.h"
#include "shell/SyncEngine.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <stdexcept>

namespace {

constexpr double kTargetRowsPerSecond = 20000;
constexpr double kTargetMemoryMb = 100;
constexpr double kTargetDailyMs = 2000;
constexpr int kDailyOrders = 1000;

// Peak resident memory of this process since the last reset, in MB.
double peakMb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

// The data set was made before: only what the backup itself takes counts.
void resetPeak() {
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

struct Timed {
    double ms = 0;
    qint64 rows = 0;
    qint64 longestStallMs = 0;
};

// Runs the backup as the program does, on its worker thread, while this thread's event loop
// ticks every 10 ms like a window that must keep painting.
Timed runInBackground(const ConnectionSpec& local, const OnlineBackupSetup& setup) {
    OnlineBackupRun run(local, setup);
    QEventLoop loop;
    QString failure;
    Timed timed;
    QObject::connect(&run, &OnlineBackupRun::finished, &loop,
                     [&](bool ok, const QString& message, qint64 rows) {
                         if (!ok)
                             failure = message;
                         timed.rows = rows;
                         loop.quit();
                     });
    QElapsedTimer sinceTick;
    QTimer tick;
    tick.setInterval(10);
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        timed.longestStallMs = std::max(timed.longestStallMs, sinceTick.restart());
    });
    QElapsedTimer clock;
    clock.start();
    sinceTick.start();
    tick.start();
    run.start();
    loop.exec();
    timed.ms = double(clock.nsecsElapsed()) / 1e6;
    if (!failure.isEmpty())
        throw std::runtime_error(failure.toStdString());
    return timed;
}

void addOrders(Database& db, int count) {
    const qint64 first =
        db.scalar(QStringLiteral("SELECT COALESCE(MAX(ped_ono), 0) + 1 FROM TB_Pedido"))
            .toLongLong();
    Transaction transaction(db);
    QSqlQuery order = db.prepare(QStringLiteral(
        "INSERT INTO TB_Pedido (ped_ono, ped_usu_id, ped_data, ped_cli_Telefone, ped_cli_Nome, "
        "ped_Forma_Pagamento, ped_Valor_Pago, ped_Troco, ped_Total, ped_Status) VALUES (?, 1, ?, "
        "'3333-4444', 'CLIENTE D''ÁVILA', 'DINHEIRO', 10000, 1260, 8740, 'CONCLUIDO')"));
    QSqlQuery item = db.prepare(QStringLiteral(
        "INSERT INTO TB_Item (ite_Ono, ite_Nome, ite_Quantidade, ite_Preco, ite_Total, ite_cat) "
        "VALUES (?, 'CALABRESA GRANDE / MUÇARELA GRANDE', 1, 4590, 4590, 'PIZZAS')"));
    for (qint64 ono = first; ono < first + count; ++ono) {
        db.execPrepared(order, {ono, Database::dateValue(QDate::currentDate())});
        for (int line = 0; line < 3; ++line)
            db.execPrepared(item, {ono});
    }
    order.finish();
    item.finish();
    transaction.commit();
}

QString verdict(bool met) {
    return met ? QStringLiteral("ok") : QStringLiteral("MISSED");
}

} // namespace

QString syncReport(Database& db, const QString& remoteUri, qint64 empresa, int dailyRuns) {
    const auto target = RemoteServer::parse(remoteUri);
    if (!target)
        throw std::runtime_error("--sync-remote is not a postgresql:// URI or ODBC string");
    const OnlineBackupSetup setup{empresa, *target};
    {
        // A first run: this business has nothing on the remote and every row is new.
        const auto remote = RemoteServer::open(*target);
        for (const SyncTable& table : syncTables()) {
            remote->exec(QStringLiteral("DELETE FROM %1 WHERE Id_Empresa = ?").arg(table.name),
                         {empresa});
            db.exec(QStringLiteral("UPDATE %1 SET fl_sincroniza = NULL").arg(table.name));
        }
    }
    QString report = QStringLiteral("online backup to %1\n").arg(target->describe());
    resetPeak();
    const Timed first = runInBackground(db.spec(), setup);
    const double rate = double(first.rows) / (first.ms / 1000.0);
    const double memory = peakMb();
    report += QStringLiteral("first run: %1 rows in %2 s = %3 rows/s (target >= %4) %5\n")
                  .arg(first.rows)
                  .arg(first.ms / 1000.0, 0, 'f', 1)
                  .arg(rate, 0, 'f', 0)
                  .arg(kTargetRowsPerSecond, 0, 'f', 0)
                  .arg(verdict(rate >= kTargetRowsPerSecond));
    report += QStringLiteral("peak memory: %1 MB (target <= %2) %3\n")
                  .arg(memory, 0, 'f', 1)
                  .arg(kTargetMemoryMb, 0, 'f', 0)
                  .arg(verdict(memory <= kTargetMemoryMb));
    report += QStringLiteral("longest event-loop stall during the run: %1 ms\n")
                  .arg(first.longestStallMs);

    std::vector<double> daily;
    for (int i = 0; i < dailyRuns; ++i) {
        addOrders(db, kDailyOrders);
        const Timed run = runInBackground(db.spec(), setup);
        if (run.rows != kDailyOrders * 4)
            throw std::runtime_error("a daily run did not send the day's rows");
        daily.push_back(run.ms);
    }
    if (!daily.empty()) {
        const double median = percentile(daily, 50);
        report += QStringLiteral("daily run (%1 orders, %2 rows), %3 runs: median %4 ms, p99 %5 "
                                 "ms (target <= %6) %7\n")
                      .arg(kDailyOrders)
                      .arg(kDailyOrders * 4)
                      .arg(daily.size())
                      .arg(median, 0, 'f', 0)
                      .arg(percentile(daily, 99), 0, 'f', 0)
                      .arg(kTargetDailyMs, 0, 'f', 0)
                      .arg(verdict(median <= kTargetDailyMs));
    }
    return report;
}
