#include "data/SalesSummary.h"

#include "data/Database.h"
#include "data/Schema.h"

#include <QStringList>

namespace salesSummary {

namespace {

using Engine = ConnectionSpec::Engine;

struct Summary {
    QString table;
    // Key columns and the expressions that fill them; %P stands for the order, %I for the item.
    QList<std::pair<QString, QString>> keys;
    QString prefix;
};

const QString kCounters[] = {QStringLiteral("Itens"), QStringLiteral("Quantidade"),
                             QStringLiteral("Quantidades"), QStringLiteral("Total"),
                             QStringLiteral("Totais")};

QList<Summary> summaries() {
    return {{QLatin1String(kPorDia),
             {{QStringLiteral("rvd_Data"), QStringLiteral("%P.ped_data")},
              {QStringLiteral("rvd_cat"), QStringLiteral("%I.ite_cat")},
              {QStringLiteral("rvd_Nome"), QStringLiteral("%I.ite_Nome")}},
             QStringLiteral("rvd_")},
            {QLatin1String(kPorTelefone),
             {{QStringLiteral("rvt_Telefone"), QStringLiteral("%P.ped_cli_Telefone")},
              {QStringLiteral("rvt_Nome"), QStringLiteral("%I.ite_Nome")},
              {QStringLiteral("rvt_cat"), QStringLiteral("%I.ite_cat")}},
             QStringLiteral("rvt_")}};
}

QStringList keyColumns(const Summary& s) {
    QStringList columns;
    for (const auto& key : s.keys)
        columns << key.first;
    return columns;
}

QStringList counterColumns(const Summary& s) {
    QStringList columns;
    for (const QString& counter : kCounters)
        columns << s.prefix + counter;
    return columns;
}

void createTable(Database& db, const Summary& s) {
    const bool pg = db.engine() == Engine::Postgres;
    QStringList columns;
    for (const QString& key : keyColumns(s))
        columns << key + (key.endsWith(QLatin1String("_Data")) && pg ? QStringLiteral(" DATE")
                                                                     : QStringLiteral(" TEXT"));
    for (const QString& counter : counterColumns(s))
        columns << counter + QStringLiteral(" BIGINT NOT NULL");
    db.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2)")
                .arg(s.table, columns.join(QStringLiteral(", "))));
    // The key of every upsert; also what the report's period and the history's telephone read.
    db.exec(QStringLiteral("CREATE UNIQUE INDEX IF NOT EXISTS ux_%1 ON %2 (%3)")
                .arg(s.table.toLower(), s.table, keyColumns(s).join(QStringLiteral(", "))));
}

// Adds (sign "") or takes away (sign "-") the items that `from` and `join` give with their
// orders, of the orders that are not cancelled only. `order` and `item` name the two sides.
QString upsert(const Summary& s, const QString& from, const QString& join, const QString& order,
               const QString& item, const QString& sign) {
    QStringList keys;
    for (const auto& key : s.keys)
        keys << QString(key.second)
                    .replace(QLatin1String("%P"), order)
                    .replace(QLatin1String("%I"), item);
    const QString quantity = item + QStringLiteral(".ite_Quantidade");
    const QString total = item + QStringLiteral(".ite_Total");
    const QStringList values{
        sign + QStringLiteral("count(*)"),
        sign + QStringLiteral("COALESCE(sum(%1), 0)").arg(quantity),
        sign + QStringLiteral("count(%1)").arg(quantity),
        sign + QStringLiteral("COALESCE(sum(%1), 0)").arg(total),
        sign + QStringLiteral("count(%1)").arg(total),
    };
    QStringList sets;
    for (const QString& counter : counterColumns(s))
        sets << QStringLiteral("%1 = %2.%1 + excluded.%1").arg(counter, s.table);
    return QStringLiteral("INSERT INTO %1 (%2, %3) SELECT %4, %5 FROM %6 WHERE %7 AND "
                          "COALESCE(%8.ped_Status, '') <> 'CANCELADO' GROUP BY %4 ON CONFLICT "
                          "(%2) DO UPDATE SET %9")
        .arg(s.table, keyColumns(s).join(QStringLiteral(", ")),
             counterColumns(s).join(QStringLiteral(", ")), keys.join(QStringLiteral(", ")),
             values.join(QStringLiteral(", ")), from, join, order, sets.join(QStringLiteral(", ")));
}

struct Change {
    QString row;  // NEW or OLD
    QString sign; // "" adds, "-" takes away
};

struct Trigger {
    QString name;
    QString event;
    bool onItem; // on TB_Item, else on TB_Pedido
    QList<Change> changes;
    QString table() const {
        return onItem ? QStringLiteral("TB_Item") : QStringLiteral("TB_Pedido");
    }
};

QList<Trigger> triggers() {
    const Change added{QStringLiteral("NEW"), {}};
    const Change removed{QStringLiteral("OLD"), QStringLiteral("-")};
    return {
        {QStringLiteral("tr_resumo_item_mais"), QStringLiteral("INSERT"), true, {added}},
        {QStringLiteral("tr_resumo_item_troca"),
         QStringLiteral("UPDATE OF ite_Ono, ite_Nome, ite_Quantidade, ite_Total, ite_cat"),
         true,
         {removed, added}},
        {QStringLiteral("tr_resumo_item_menos"), QStringLiteral("DELETE"), true, {removed}},
        {QStringLiteral("tr_resumo_pedido_mais"), QStringLiteral("INSERT"), false, {added}},
        {QStringLiteral("tr_resumo_pedido_troca"),
         QStringLiteral("UPDATE OF ped_ono, ped_data, ped_cli_Telefone, ped_Status"),
         false,
         {removed, added}},
        {QStringLiteral("tr_resumo_pedido_menos"), QStringLiteral("DELETE"), false, {removed}},
    };
}

QStringList statements(const Trigger& trigger) {
    QStringList body;
    for (const Change& change : trigger.changes) {
        for (const Summary& s : summaries()) {
            if (trigger.onItem)
                body << upsert(s, QStringLiteral("TB_Pedido p"),
                               QStringLiteral("p.ped_ono = %1.ite_Ono").arg(change.row),
                               QStringLiteral("p"), change.row, change.sign);
            else
                body << upsert(s, QStringLiteral("TB_Item i"),
                               QStringLiteral("i.ite_Ono = %1.ped_ono").arg(change.row), change.row,
                               QStringLiteral("i"), change.sign);
        }
    }
    return body;
}

} // namespace

void installTriggers(Database& db) {
    for (const Summary& s : summaries()) {
        if (!tableExists(db, s.table))
            return;
    }
    const bool pg = db.engine() == Engine::Postgres;
    for (const Trigger& trigger : triggers()) {
        if (pg) {
            const QString function = QStringLiteral("brisko_") + trigger.name;
            db.exec(QStringLiteral("CREATE OR REPLACE FUNCTION %1() RETURNS trigger LANGUAGE "
                                   "plpgsql AS $resumo$BEGIN %2; RETURN NULL; END$resumo$")
                        .arg(function, statements(trigger).join(QStringLiteral("; "))));
            db.exec(QStringLiteral("DROP TRIGGER IF EXISTS %1 ON %2")
                        .arg(trigger.name, trigger.table()));
            db.exec(QStringLiteral("CREATE TRIGGER %1 AFTER %2 ON %3 FOR EACH ROW EXECUTE "
                                   "FUNCTION %4()")
                        .arg(trigger.name, trigger.event, trigger.table(), function));
        } else {
            db.exec(QStringLiteral("DROP TRIGGER IF EXISTS ") + trigger.name);
            db.exec(QStringLiteral("CREATE TRIGGER %1 AFTER %2 ON %3 FOR EACH ROW BEGIN %4; END")
                        .arg(trigger.name, trigger.event, trigger.table(),
                             statements(trigger).join(QStringLiteral("; "))));
        }
    }
}

void dropTriggers(Database& db) {
    const bool pg = db.engine() == Engine::Postgres;
    for (const Trigger& trigger : triggers())
        db.exec(QStringLiteral("DROP TRIGGER IF EXISTS ") + trigger.name +
                (pg ? QStringLiteral(" ON ") + trigger.table() : QString()));
}

void create(Database& db) {
    for (const Summary& s : summaries()) {
        createTable(db, s);
        db.exec(QStringLiteral("DELETE FROM ") + s.table);
        db.exec(upsert(s, QStringLiteral("TB_Pedido p JOIN TB_Item i ON i.ite_Ono = p.ped_ono"),
                       QStringLiteral("1 = 1"), QStringLiteral("p"), QStringLiteral("i"), {}));
        if (db.engine() == Engine::Postgres)
            db.exec(QStringLiteral("ANALYZE ") + s.table);
    }
    installTriggers(db);
}

} // namespace salesSummary
