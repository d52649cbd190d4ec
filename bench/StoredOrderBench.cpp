#include "StoredOrderBench.h"

#include "BenchRegistry.h"
#include "data/Database.h"
#include "management/PedidoChanges.h"
#include "management/PedidoListModel.h"
#include "management/PedidoQueries.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSqlQuery>
#include <cstdio>
#include <memory>
#include <stdexcept>

namespace {

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

void searchPage(PedidoListModel& model, const BuscaPedido& busca) {
    model.search(busca);
    model.data(model.index(0, 2)); // the first cell painted
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
        "SELECT ped_cli_Telefone, count(*) FROM TB_Pedido GROUP BY ped_cli_Telefone ORDER BY 2 "
        "DESC LIMIT 1"));
    busiest.next();
    const QString frequente = busiest.value(0).toString();
    const qint64 pedidosFrequente = busiest.value(1).toLongLong();
    busiest.finish();

    const auto queries = std::make_shared<PedidoQueries>(db);
    const auto model = std::make_shared<PedidoListModel>(*queries);
    auto any = [&random](const QStringList& list) -> const QString& {
        return list.at(std::uniform_int_distribution<qsizetype>(0, list.size() - 1)(random));
    };
    auto letters = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    using Por = BuscaPedido::Por;

    {
        // Every order listed (an empty name box) and scrolled to the end.
        PedidoListModel all(*queries);
        QElapsedTimer timer;
        timer.start();
        all.search(BuscaPedido::prefixo(Por::Nome, QString()));
        all.fetchAll();
        std::printf("all %d orders listed in %.0f ms: resident %.0f MB, peak %.0f MB\n",
                    all.orderRows(), double(timer.elapsed()), memoryMb("VmRSS:"),
                    memoryMb("VmHWM:"));
        std::printf("history customer: %s with %lld orders; today's date: %s\n\n",
                    qPrintable(frequente), static_cast<long long>(pedidosFrequente),
                    qPrintable(hoje.toString(Qt::ISODate)));
    }

    registry.add({QStringLiteral("order search opening on today's orders"), 10.0, 300,
                  [model, hoje] { searchPage(*model, BuscaPedido::doDia(hoje)); }});
    registry.add({QStringLiteral("keystroke: telephone prefix of 1-2 characters"), 10.0, 300,
                  [model, telefones, any, letters] {
                      searchPage(*model, BuscaPedido::prefixo(Por::Telefone,
                                                              any(*telefones).left(letters(1, 2))));
                  }});
    registry.add({QStringLiteral("keystroke: telephone prefix of 3-8 characters"), 10.0, 300,
                  [model, telefones, any, letters] {
                      searchPage(*model, BuscaPedido::prefixo(Por::Telefone,
                                                              any(*telefones).left(letters(3, 8))));
                  }});
    registry.add({QStringLiteral("keystroke: name prefix of 1-4 characters"), 10.0, 300,
                  [model, nomes, any, letters] {
                      searchPage(*model,
                                 BuscaPedido::prefixo(Por::Nome, any(*nomes).left(letters(1, 4))));
                  }});
    registry.add(
        {QStringLiteral("keystroke: order number prefix of 1-3 digits"), 10.0, 300,
         [model, maior, &random] {
             const QString numero =
                 QString::number(std::uniform_int_distribution<qint64>(1, maior)(random));
             searchPage(*model, BuscaPedido::prefixo(
                                    Por::Numero,
                                    numero.left(std::uniform_int_distribution<int>(1, 3)(random))));
         }});
    registry.add({QStringLiteral("keystroke: a date"), 10.0, 300, [model, hoje, &random] {
                      searchPage(*model, BuscaPedido::doDia(hoje.addDays(
                                             -std::uniform_int_distribution<int>(0, 900)(random))));
                  }});
    registry.add({QStringLiteral("a whole telephone"), 2.0, 1000, [model, telefones, any] {
                      searchPage(*model, BuscaPedido::prefixo(Por::Telefone, any(*telefones)));
                  }});
    registry.add({QStringLiteral("a whole name"), 2.0, 1000, [model, nomes, any] {
                      searchPage(*model, BuscaPedido::prefixo(Por::Nome, any(*nomes)));
                  }});
    registry.add({QStringLiteral("order number prefix \"1\", first rows"), 5.0, 1000,
                  [model] { searchPage(*model, BuscaPedido::prefixo(Por::Numero, "1")); }});
    registry.add({QStringLiteral("history of the busiest customer, summary and top products"), 5.0,
                  300, [queries, frequente] {
                      PedidoListModel history(*queries);
                      history.setResumo(true);
                      history.search(BuscaPedido::prefixo(Por::Telefone, frequente));
                      history.fetchAll();
                      queries->topProdutos(frequente);
                  }});
    registry.add(
        {QStringLiteral("MostraPedido: one order with its items"), 2.0, 2000,
         [queries, maior, &random] {
             if (!queries->consulta(std::uniform_int_distribution<qint64>(1, maior)(random)))
                 throw std::runtime_error("a stored order was not found");
         }});
    const auto changes = std::make_shared<PedidoChanges>(db);
    registry.add(
        {QStringLiteral("cancellation (durable commit)"), 10.0, 300, [changes, maior, &random] {
             changes->cancelar(std::uniform_int_distribution<qint64>(1, maior)(random));
         }});
}
