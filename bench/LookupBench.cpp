#include "LookupBench.h"

#include "BenchRegistry.h"
#include "data/Database.h"
#include "data/TextMatch.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <memory>
#include <stdexcept>

namespace {

constexpr int kPageSize = 100;

// Reads every value of every row, as a screen filling its fields would.
int drain(QSqlQuery& query) {
    int rows = 0;
    const int columns = query.record().count();
    while (query.next()) {
        for (int i = 0; i < columns; ++i)
            query.value(i);
        ++rows;
    }
    query.finish();
    return rows;
}

} // namespace

void registerLookupOperations(BenchRegistry& registry, Database& db, std::mt19937_64& random) {
    const auto telephones = std::make_shared<QStringList>(
        firstColumn(db, QStringLiteral("SELECT cli_Telefone FROM TB_Cliente")));
    const auto names = std::make_shared<QStringList>(
        firstColumn(db, QStringLiteral("SELECT cli_Nome FROM TB_Cliente")));
    if (telephones->isEmpty())
        throw std::runtime_error("the database has no customers");
    auto any = [&random](const QStringList& list) -> const QString& {
        return list.at(std::uniform_int_distribution<qsizetype>(0, list.size() - 1)(random));
    };

    auto byTelephone = std::make_shared<QSqlQuery>(
        db.prepare(QStringLiteral("SELECT * FROM TB_Cliente WHERE cli_Telefone = ?")));
    registry.add(
        {QStringLiteral("customer by telephone"), 0.2, 5000, [&db, byTelephone, telephones, any] {
             db.execPrepared(*byTelephone, {any(*telephones)});
             if (drain(*byTelephone) == 0)
                 throw std::runtime_error("a stored telephone was not found");
         }});

    // The condition's shape does not depend on the prefix, so one prepared statement serves.
    const auto shape =
        textMatch::foldPrefix(db.engine(), QStringLiteral("cli_Nome"), QStringLiteral("ab"));
    auto byName = std::make_shared<QSqlQuery>(db.prepare(
        QStringLiteral("SELECT * FROM TB_Cliente WHERE %1 ORDER BY %2 LIMIT %3")
            .arg(shape.sql, textMatch::foldOrder(db.engine(), QStringLiteral("cli_Nome")))
            .arg(kPageSize)));
    registry.add({QStringLiteral("customer name prefix, first 100"), 5.0, 2000,
                  [&db, &random, byName, names, any] {
                      const int letters = std::uniform_int_distribution<int>(2, 3)(random);
                      const QString prefix = any(*names).left(letters);
                      const auto condition =
                          textMatch::foldPrefix(db.engine(), QStringLiteral("cli_Nome"), prefix);
                      db.execPrepared(*byName, condition.binds);
                      if (drain(*byName) == 0)
                          throw std::runtime_error("a stored name's prefix found nothing");
                  }});
}
