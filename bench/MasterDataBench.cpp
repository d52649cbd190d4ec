#include "MasterDataBench.h"

#include "BenchRegistry.h"
#include "data/Database.h"
#include "masterdata/ClienteListModel.h"
#include "masterdata/ClienteStore.h"

#include <QSqlQuery>
#include <memory>
#include <stdexcept>

namespace {

// The rows a customer dialog shows without scrolling.
constexpr int kVisibleRows = 20;
// Generated telephones start with 9; the saved ones carry this prefix instead, so a second
// run against the same file goes on numbering after the first.
const QString kSavedPrefix = QStringLiteral("00");

QStringList names(Database& db) {
    QSqlQuery query = db.exec(QStringLiteral("SELECT cli_Nome FROM TB_Cliente"));
    QStringList values;
    while (query.next())
        values << query.value(0).toString();
    return values;
}

} // namespace

void registerMasterDataOperations(BenchRegistry& registry, Database& db, std::mt19937_64& random) {
    const auto allNames = std::make_shared<QStringList>(names(db));
    if (allNames->isEmpty())
        throw std::runtime_error("the database has no customers");
    const auto store = std::make_shared<ClienteStore>(db);
    const auto model = std::make_shared<ClienteListModel>(
        *store, ClienteListModel::Variante::Localizar, QDate::currentDate());

    registry.add({QStringLiteral("customer dialog refill after one keystroke, statistics included"),
                  16.0, 1000, [&random, store, model, allNames] {
                      const QString& name = allNames->at(std::uniform_int_distribution<qsizetype>(
                          0, allNames->size() - 1)(random));
                      const int letters = std::uniform_int_distribution<int>(1, 3)(random);
                      model->setSearch(ClienteStore::Busca::Nome, name.left(letters));
                      const int rows = std::min(model->rowCount(), kVisibleRows);
                      if (rows == 0)
                          throw std::runtime_error("a stored name's prefix found nothing");
                      for (int row = 0; row < rows; ++row)
                          for (int column = 0; column < model->columnCount(); ++column)
                              model->data(model->index(row, column));
                  }});

    const auto saved = std::make_shared<qint64>(
        db.scalar(QStringLiteral("SELECT count(*) FROM TB_Cliente WHERE cli_Telefone LIKE ?"),
                  {kSavedPrefix + QLatin1Char('%')})
            .toLongLong());
    registry.add({QStringLiteral("registry save (include)"), 10.0, 500, [store, saved] {
                      Cliente c;
                      c.telefone = kSavedPrefix +
                                   QStringLiteral("%1").arg(++*saved, 8, 10, QLatin1Char('0'));
                      c.nome = QStringLiteral("CLIENTE DE TESTE %1").arg(*saved);
                      c.tipo = QStringLiteral("RUA");
                      c.logradouro = QStringLiteral("DAS ACÁCIAS");
                      c.numero = QStringLiteral("120");
                      c.bairro = QStringLiteral("CENTRO");
                      c.cidade = QStringLiteral("SÃO PAULO");
                      c.uf = QStringLiteral("SP");
                      c.cep = QStringLiteral("01001-000");
                      if (!store->insert(c))
                          throw std::runtime_error("a new telephone was refused as taken");
                  }});
}
