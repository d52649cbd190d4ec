#include "data/SalesSummary.h"

#include "data/Database.h"
#include "data/Schema.h"
#include "data/Transaction.h"

#include <QStringList>
#include <stdexcept>

namespace salesSummary {

namespace {

using Engine = ConnectionSpec::Engine;

struct Key {
    QString column;
    QString source; // %P stands for the order, %I for the item
    bool date = false;
};

struct Summary {
    QString table;
    QList<Key> keys;
    QString prefix;
};

const QString kCounters[] = {QStringLiteral("Itens"), QStringLiteral("Quantidade"),
                             QStringLiteral("Quantidades"), QStringLiteral("Total"),
                             QStringLiteral("Totais")};

const QString kMarca = QStringLiteral("brisko_resumo_marca");
const QString kMarcaAtual = QStringLiteral("(SELECT marca FROM brisko_resumo_marca)");
const QString kAteMarca = QStringLiteral(" <= ") + kMarcaAtual;

QList<Summary> summaries() {
    const QString cat = QStringLiteral("%I.ite_cat");
    const QString nome = QStringLiteral("%I.ite_Nome");
    return {{QLatin1String(kPorDia),
             {{QStringLiteral("rvd_Data"), QStringLiteral("%P.ped_data"), true},
              {QStringLiteral("rvd_cat"), cat},
              {QStringLiteral("rvd_Nome"), nome}},
             QStringLiteral("rvd_")},
            {QLatin1String(kPorProduto),
             {{QStringLiteral("rvp_cat"), cat}, {QStringLiteral("rvp_Nome"), nome}},
             QStringLiteral("rvp_")},
            {QLatin1String(kPorTelefone),
             {{QStringLiteral("rvt_Telefone"), QStringLiteral("%P.ped_cli_Telefone")},
              {QStringLiteral("rvt_Nome"), nome},
              {QStringLiteral("rvt_cat"), cat}},
             QStringLiteral("rvt_")}};
}

// The key's expression with `order` and `item` naming the two sides.
QString keySource(const Key& key, const QString& order, const QString& item) {
    return QString(key.source)
        .replace(QLatin1String("%P"), order)
        .replace(QLatin1String("%I"), item);
}

QStringList keyColumns(const Summary& s) {
    QStringList columns;
    for (const Key& key : s.keys)
        columns << key.column;
    return columns;
}

QStringList counterColumns(const Summary& s) {
    QStringList columns;
    for (const QString& counter : kCounters)
        columns << s.prefix + counter;
    return columns;
}

// SQLite keeps each summary in its key's order (a row's neighbours share its page, so an order
// writes few pages), which needs keys that are never null: a null text key is kept as ''. A
// PostgreSQL date stays a date, null included.
bool nullableKey(Engine engine, const Key& key) {
    return key.date && engine == Engine::Postgres;
}

void createTable(Database& db, const Summary& s) {
    const Engine engine = db.engine();
    QStringList columns;
    for (const Key& key : s.keys)
        columns << key.column +
                       (key.date && engine == Engine::Postgres ? QStringLiteral(" DATE")
                                                               : QStringLiteral(" TEXT")) +
                       (nullableKey(engine, key) ? QString() : QStringLiteral(" NOT NULL"));
    for (const QString& counter : counterColumns(s))
        columns << counter + QStringLiteral(" BIGINT NOT NULL");
    const QString keys = keyColumns(s).join(QStringLiteral(", "));
    if (engine == Engine::Sqlite) {
        db.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2, PRIMARY KEY (%3)) WITHOUT ROWID")
                    .arg(s.table, columns.join(QStringLiteral(", ")), keys));
        return;
    }
    db.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2)")
                .arg(s.table, columns.join(QStringLiteral(", "))));
    db.exec(QStringLiteral("CREATE UNIQUE INDEX IF NOT EXISTS ux_%1 ON %2 (%3)")
                .arg(s.table.toLower(), s.table, keys));
}

// Adds (sign "") or takes away (sign "-") the items that `from` and `join` give with their
// orders, of the orders that are not cancelled only. `order` and `item` name the two sides.
QString upsert(Engine engine, const Summary& s, const QString& from, const QString& join,
               const QString& order, const QString& item, const QString& sign) {
    QStringList keys;
    for (const Key& key : s.keys) {
        const QString source = keySource(key, order, item);
        keys << (nullableKey(engine, key) ? source
                                          : QStringLiteral("COALESCE(%1, '')").arg(source));
    }
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

// True when a row the trigger sees is behind the mark: orders past it are left to the readers,
// so taking an order runs nothing more.
QString behindMark(const Trigger& trigger) {
    QStringList rows;
    for (const Change& change : trigger.changes)
        rows << change.row +
                    (trigger.onItem ? QStringLiteral(".ite_Ono") : QStringLiteral(".ped_ono")) +
                    kAteMarca;
    return rows.join(QStringLiteral(" OR "));
}

QStringList statements(Engine engine, const Trigger& trigger) {
    QStringList body;
    for (const Change& change : trigger.changes) {
        for (const Summary& s : summaries()) {
            if (trigger.onItem)
                body << upsert(
                    engine, s, QStringLiteral("TB_Pedido p"),
                    QStringLiteral("p.ped_ono = %1.ite_Ono AND p.ped_ono").arg(change.row) +
                        kAteMarca,
                    QStringLiteral("p"), change.row, change.sign);
            else
                body << upsert(
                    engine, s, QStringLiteral("TB_Item i"),
                    QStringLiteral("i.ite_Ono = %1.ped_ono AND %1.ped_ono").arg(change.row) +
                        kAteMarca,
                    change.row, QStringLiteral("i"), change.sign);
        }
    }
    return body;
}

// Adds the orders taken since the mark and moves the mark to the last of them.
void advance(Database& db) {
    const qint64 from = db.scalar(QStringLiteral("SELECT marca FROM ") + kMarca).toLongLong();
    const qint64 to =
        db.scalar(QStringLiteral("SELECT COALESCE(max(ped_ono), 0) FROM TB_Pedido")).toLongLong();
    if (to <= from)
        return;
    for (const Summary& s : summaries())
        db.exec(upsert(db.engine(), s,
                       QStringLiteral("TB_Pedido p JOIN TB_Item i ON i.ite_Ono = p.ped_ono"),
                       QStringLiteral("p.ped_ono > ? AND p.ped_ono <= ?"), QStringLiteral("p"),
                       QStringLiteral("i"), {}),
                {from, to});
    db.exec(QStringLiteral("UPDATE %1 SET marca = ?").arg(kMarca), {to});
}

} // namespace

void installTriggers(Database& db) {
    if (!tableExists(db, kMarca))
        return;
    const bool pg = db.engine() == Engine::Postgres;
    for (const Trigger& trigger : triggers()) {
        if (pg) {
            const QString function = QStringLiteral("brisko_") + trigger.name;
            db.exec(QStringLiteral("CREATE OR REPLACE FUNCTION %1() RETURNS trigger LANGUAGE "
                                   "plpgsql AS $resumo$BEGIN IF %2 THEN %3; END IF; RETURN NULL; "
                                   "END$resumo$")
                        .arg(function, behindMark(trigger),
                             statements(db.engine(), trigger).join(QStringLiteral("; "))));
            db.exec(QStringLiteral("DROP TRIGGER IF EXISTS %1 ON %2")
                        .arg(trigger.name, trigger.table()));
            db.exec(QStringLiteral("CREATE TRIGGER %1 AFTER %2 ON %3 FOR EACH ROW EXECUTE "
                                   "FUNCTION %4()")
                        .arg(trigger.name, trigger.event, trigger.table(), function));
        } else {
            db.exec(QStringLiteral("DROP TRIGGER IF EXISTS ") + trigger.name);
            db.exec(QStringLiteral("CREATE TRIGGER %1 AFTER %2 ON %3 FOR EACH ROW WHEN %4 BEGIN "
                                   "%5; END")
                        .arg(trigger.name, trigger.event, trigger.table(), behindMark(trigger),
                             statements(db.engine(), trigger).join(QStringLiteral("; "))));
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
    }
    db.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (marca BIGINT NOT NULL)").arg(kMarca));
    db.exec(QStringLiteral("DELETE FROM ") + kMarca);
    db.exec(QStringLiteral("INSERT INTO %1 (marca) VALUES (0)").arg(kMarca));
    advance(db);
    if (db.engine() == Engine::Postgres) {
        for (const Summary& s : summaries())
            db.exec(QStringLiteral("ANALYZE ") + s.table);
    }
    installTriggers(db);
}

void catchUp(Database& db) {
    // Nothing past the mark: no transaction, and on PostgreSQL no lock.
    if (!db.scalar(QStringLiteral("SELECT 1 FROM TB_Pedido WHERE ped_ono > %1 LIMIT 1")
                       .arg(kMarcaAtual))
             .isValid())
        return;
    Transaction transaction(db);
    if (db.engine() == Engine::Postgres) {
        // Writers wait until the summaries have moved; a cancellation then finds its order
        // behind the mark and takes it out. Two catch-ups take turns on the mark.
        db.exec(QStringLiteral("LOCK TABLE TB_Pedido, TB_Item IN SHARE MODE"));
        db.exec(QStringLiteral("SELECT marca FROM brisko_resumo_marca FOR UPDATE"));
    }
    advance(db);
    transaction.commit();
}

QString withRecent(const QString& table) {
    for (const Summary& s : summaries()) {
        if (s.table != table)
            continue;
        // The recent side gives its keys as stored, so that the readers' conditions on them
        // reach the orders' and items' indexes; readers fold a null text key into ''.
        QStringList recent;
        for (const Key& key : s.keys)
            recent << keySource(key, QStringLiteral("p"), QStringLiteral("i"));
        recent << QStringLiteral("1") << QStringLiteral("COALESCE(i.ite_Quantidade, 0)")
               << QStringLiteral("CASE WHEN i.ite_Quantidade IS NULL THEN 0 ELSE 1 END")
               << QStringLiteral("COALESCE(i.ite_Total, 0)")
               << QStringLiteral("CASE WHEN i.ite_Total IS NULL THEN 0 ELSE 1 END");
        const QStringList names = keyColumns(s) + counterColumns(s);
        for (int i = 0; i < recent.size(); ++i)
            recent[i] += QStringLiteral(" AS ") + names.at(i);
        return QStringLiteral("(SELECT %1 FROM %2 UNION ALL SELECT %3 FROM TB_Pedido p JOIN "
                              "TB_Item i ON i.ite_Ono = p.ped_ono WHERE p.ped_ono > %4 AND "
                              "COALESCE(p.ped_Status, '') <> 'CANCELADO')")
            .arg(names.join(QStringLiteral(", ")), s.table, recent.join(QStringLiteral(", ")),
                 kMarcaAtual);
    }
    throw std::invalid_argument("unknown summary " + table.toStdString());
}

} // namespace salesSummary
