#include "StoredOrderBench.h"

#include "BenchRegistry.h"
#include "ChildRun.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "data/Transaction.h"
#include "management/PedidoChanges.h"
#include "management/PedidoListModel.h"
#include "management/PedidoQueries.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QProcessEnvironment>
#include <QSqlQuery>
#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>
#include <stdexcept>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kPedidosHistorico = 200;

// "VmRSS" or "VmHWM" of this process in MB.
double memoryMb(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field) + 1).trimmed().split(' ').first().toDouble() / 1024;
    }
    return 0;
}

double processCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// User and system time of another process of this machine (the server's process of the
// connection), in clock ticks turned into ms.
double otherCpuMs(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return 0;
    return double(fields.at(11).toLongLong() + fields.at(12).toLongLong()) * 1e3 /
           double(sysconf(_SC_CLK_TCK));
}

// The CPU time of an operation's timed runs: the shared machine stretches wall times, not
// these. This process's time per run, and on PostgreSQL the server's over all the runs.
class CpuMeter {
public:
    CpuMeter(qint64 serverPid, int warmUpRuns, int runs)
        : m_serverPid(serverPid), m_warmUpRuns(warmUpRuns), m_runs(runs) {}

    void run(const std::function<void()>& operation) {
        const bool first = m_calls++ == m_warmUpRuns;
        if (first && m_serverPid)
            m_serverStart = otherCpuMs(m_serverPid);
        const double start = processCpuMs();
        operation();
        if (m_calls > m_warmUpRuns)
            m_client.push_back(processCpuMs() - start);
        if (m_calls == m_warmUpRuns + m_runs && m_serverPid)
            m_serverMs = otherCpuMs(m_serverPid) - m_serverStart;
    }
    QString note() const {
        QString text = QStringLiteral("CPU median %1 ms, p99 %2 ms")
                           .arg(percentile(m_client, 50), 0, 'f', 3)
                           .arg(percentile(m_client, 99), 0, 'f', 3);
        if (m_serverPid)
            text += QStringLiteral("; server CPU %1 ms a run (mean)")
                        .arg(m_serverMs / m_runs, 0, 'f', 3);
        return text;
    }

private:
    qint64 m_serverPid;
    int m_warmUpRuns;
    int m_runs;
    int m_calls = 0;
    std::vector<double> m_client;
    double m_serverStart = 0;
    double m_serverMs = 0;
};

void searchPage(PedidoListModel& model, const BuscaPedido& busca) {
    model.search(busca);
    model.data(model.index(0, 2)); // the first cell painted
}

// `quantos` distinct orders that exist and are not cancelled, drawn at random.
QList<qint64> abertos(Database& db, qint64 maior, std::mt19937_64& random, int quantos) {
    QList<qint64> pedidos;
    for (int tentativa = 0; pedidos.size() < quantos && tentativa < 100 * quantos; ++tentativa) {
        const qint64 numero = std::uniform_int_distribution<qint64>(1, maior)(random);
        const QVariant status = db.scalar(
            QStringLiteral("SELECT COALESCE(ped_Status, '') FROM TB_Pedido WHERE ped_ono = ?"),
            {numero});
        if (status.isValid() && status.toString() != QLatin1String("CANCELADO") &&
            !pedidos.contains(numero))
            pedidos << numero;
    }
    if (pedidos.size() < quantos)
        throw std::runtime_error("too few orders left to cancel");
    return pedidos;
}

// The data set's customers have a few dozen orders at most: the busiest one gets copies of the
// oldest orders, with their items, up to `pedidos`. Writes, so it runs only when the history
// benchmark is chosen.
void ensureHistory(Database& db, const QString& telefone, const QDate& hoje, qint64 pedidos) {
    const qint64 tem =
        db.scalar(QStringLiteral("SELECT count(*) FROM TB_Pedido WHERE ped_cli_Telefone = ?"),
                  {telefone})
            .toLongLong();
    if (tem >= pedidos)
        return;
    const qint64 deslocamento =
        db.scalar(QStringLiteral("SELECT MAX(ped_ono) FROM TB_Pedido")).toLongLong();
    auto copia = [](const QString& tabela, const QMap<QString, QString>& troca) {
        QStringList colunas = Schema::table(tabela).columnNames();
        if (colunas.first() == QLatin1String("Id"))
            colunas.removeFirst();
        QStringList valores;
        for (const QString& coluna : colunas)
            valores << troca.value(coluna, coluna);
        return QStringLiteral("INSERT INTO %1 (%2) SELECT %3 FROM %1 ")
            .arg(tabela, colunas.join(QStringLiteral(", ")), valores.join(QStringLiteral(", ")));
    };
    const bool postgres = db.engine() == ConnectionSpec::Engine::Postgres;
    Transaction transaction(db);
    db.exec(copia(QStringLiteral("TB_Pedido"),
                  {{QStringLiteral("ped_ono"), QStringLiteral("ped_ono + ?")},
                   {QStringLiteral("ped_data"),
                    postgres ? QStringLiteral("CAST(? AS DATE)") : QStringLiteral("?")},
                   {QStringLiteral("ped_cli_Telefone"), QStringLiteral("CAST(? AS TEXT)")}}) +
                QStringLiteral("WHERE ped_ono <= ?"),
            {deslocamento, Database::dateValue(hoje), telefone, pedidos - tem});
    db.exec(copia(QStringLiteral("TB_Item"),
                  {{QStringLiteral("ite_Ono"), QStringLiteral("ite_Ono + ?")}}) +
                QStringLiteral("WHERE ite_Ono <= ?"),
            {deslocamento, pedidos - tem});
    transaction.commit();
}

} // namespace

void registerStoredOrderOperations(BenchRegistry& registry, Database& db, std::mt19937_64& random) {
    const auto telefones = std::make_shared<QStringList>(
        firstColumn(db, QStringLiteral("SELECT cli_Telefone FROM TB_Cliente")));
    const auto nomes = std::make_shared<QStringList>(
        firstColumn(db, QStringLiteral("SELECT cli_Nome FROM TB_Cliente")));
    const qint64 maior =
        db.scalar(QStringLiteral("SELECT MAX(ped_ono) FROM TB_Pedido")).toLongLong();
    if (telefones->isEmpty() || maior == 0)
        throw std::runtime_error("the database has no customers or orders");
    const QDate hoje =
        Database::dateFrom(db.scalar(QStringLiteral("SELECT MAX(ped_data) FROM TB_Pedido")));
    QSqlQuery busiest = db.exec(QStringLiteral(
        "SELECT ped_cli_Telefone FROM TB_Pedido GROUP BY ped_cli_Telefone ORDER BY count(*) "
        "DESC LIMIT 1"));
    busiest.next();
    const QString frequente = busiest.value(0).toString();
    busiest.finish();

    const qint64 serverPid = db.engine() == ConnectionSpec::Engine::Postgres
                                 ? db.scalar(QStringLiteral("SELECT pg_backend_pid()")).toLongLong()
                                 : 0;
    // Every timed operation below, with its CPU time noted.
    auto add = [&registry, serverPid](BenchOperation operation) {
        const int warmUpRuns = BenchExtras().warmUpRuns;
        const auto meter = std::make_shared<CpuMeter>(serverPid, warmUpRuns, operation.runs);
        operation.runOnce = [meter, run = std::move(operation.runOnce)] { meter->run(run); };
        registry.add(std::move(operation), {warmUpRuns, [meter] { return meter->note(); }});
    };

    const auto queries = std::make_shared<PedidoQueries>(db);
    const auto model = std::make_shared<PedidoListModel>(*queries);
    auto any = [&random](const QStringList& list) -> const QString& {
        return list.at(std::uniform_int_distribution<qsizetype>(0, list.size() - 1)(random));
    };
    auto letters = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    using Por = BuscaPedido::Por;

    // Every order listed (an empty name box) and scrolled to the end, in a copy of the bench
    // that does only that: its peak is the list's with a program's libraries and connection.
    const auto memoria = std::make_shared<QString>();
    registry.add({QStringLiteral("stored orders: every order listed and scrolled to the end"), 0, 1,
                  [memoria] {
                      QStringList args = QCoreApplication::arguments();
                      args[0] = QCoreApplication::applicationFilePath();
                      args << QStringLiteral("--child") << QStringLiteral("listing");
                      const ChildRun run =
                          runChild(args, QProcessEnvironment::systemEnvironment().toStringList(),
                                   std::chrono::minutes(5));
                      if (!run.ok)
                          throw std::runtime_error("the listing process failed");
                      *memoria = QStringLiteral("a process of its own, peak %1 MB (target <= 150 "
                                                "MB resident), %2 ms")
                                     .arg(run.peakKb / 1024.0, 0, 'f', 0)
                                     .arg(run.ms, 0, 'f', 0);
                  }},
                 {0, [memoria] { return *memoria; }});

    add({QStringLiteral("stored orders: order search opening on today's orders"), 10.0, 300,
         [model, hoje] { searchPage(*model, BuscaPedido::doDia(hoje)); }});
    add({QStringLiteral("stored orders: keystroke: telephone prefix of 1-2 characters"), 10.0, 300,
         [model, telefones, any, letters] {
             searchPage(*model,
                        BuscaPedido::prefixo(Por::Telefone, any(*telefones).left(letters(1, 2))));
         }});
    add({QStringLiteral("stored orders: keystroke: telephone prefix of 3-8 characters"), 10.0, 300,
         [model, telefones, any, letters] {
             searchPage(*model,
                        BuscaPedido::prefixo(Por::Telefone, any(*telefones).left(letters(3, 8))));
         }});
    add({QStringLiteral("stored orders: keystroke: name prefix of 1-4 characters"), 10.0, 300,
         [model, nomes, any, letters] {
             searchPage(*model, BuscaPedido::prefixo(Por::Nome, any(*nomes).left(letters(1, 4))));
         }});
    add({QStringLiteral("stored orders: keystroke: order number prefix of 1-3 digits"), 10.0, 300,
         [model, maior, &random] {
             const QString numero =
                 QString::number(std::uniform_int_distribution<qint64>(1, maior)(random));
             searchPage(*model, BuscaPedido::prefixo(
                                    Por::Numero,
                                    numero.left(std::uniform_int_distribution<int>(1, 3)(random))));
         }});
    add({QStringLiteral("stored orders: keystroke: a date"), 10.0, 300, [model, hoje, &random] {
             searchPage(*model, BuscaPedido::doDia(hoje.addDays(
                                    -std::uniform_int_distribution<int>(0, 900)(random))));
         }});
    add({QStringLiteral("stored orders: a whole telephone"), 2.0, 1000, [model, telefones, any] {
             searchPage(*model, BuscaPedido::prefixo(Por::Telefone, any(*telefones)));
         }});
    add({QStringLiteral("stored orders: a whole name"), 2.0, 1000, [model, nomes, any] {
             searchPage(*model, BuscaPedido::prefixo(Por::Nome, any(*nomes)));
         }});
    add({QStringLiteral("stored orders: order number prefix \"1\", first rows"), 5.0, 1000,
         [model] { searchPage(*model, BuscaPedido::prefixo(Por::Numero, "1")); }});
    add({QStringLiteral(
             "stored orders: history of a customer with %1 orders, summary and top products")
             .arg(kPedidosHistorico),
         5.0, 300, [&db, queries, frequente, hoje, pronto = std::make_shared<bool>()] {
             if (!*pronto) {
                 ensureHistory(db, frequente, hoje, kPedidosHistorico);
                 *pronto = true;
             }
             PedidoListModel history(*queries);
             history.setResumo(true);
             history.search(BuscaPedido::prefixo(Por::Telefone, frequente));
             history.fetchAll();
             if (history.orderRows() < kPedidosHistorico)
                 throw std::runtime_error("the history lists too few orders");
             queries->topProdutos(frequente);
         }});
    add({QStringLiteral("stored orders: MostraPedido: one order with its items"), 2.0, 2000,
         [queries, maior, &random] {
             if (!queries->consulta(std::uniform_int_distribution<qint64>(1, maior)(random)))
                 throw std::runtime_error("a stored order was not found");
         }});
    const auto changes = std::make_shared<PedidoChanges>(db);
    // Orders not cancelled yet, drawn before the first run: a run on a database an earlier run
    // used then cancels as many orders as the first did.
    add({QStringLiteral("stored orders: cancellation (durable commit)"), 10.0, 300,
         [changes, maior, &random, &db, fila = std::make_shared<QList<qint64>>()] {
             if (fila->isEmpty())
                 *fila = abertos(db, maior, random, BenchExtras().warmUpRuns + 300);
             if (changes->cancelar(fila->takeLast()) != PedidoChanges::Cancelamento::Cancelado)
                 throw std::runtime_error("an order drawn for cancelling was not cancelled");
         }});
}

int listEveryOrder(Database& db) {
    PedidoQueries queries(db);
    PedidoListModel all(queries);
    QElapsedTimer timer;
    timer.start();
    all.search(BuscaPedido::prefixo(BuscaPedido::Por::Nome, QString()));
    all.fetchAll();
    std::printf("%lld orders listed in %lld ms, resident %.0f MB\n",
                static_cast<long long>(all.orderRows()), static_cast<long long>(timer.elapsed()),
                memoryMb("VmRSS:"));
    return all.orderRows() > 0 ? 0 : 1;
}
