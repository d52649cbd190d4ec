#include "shell/SyncEngine.h"

#include "data/Database.h"
#include "data/DbError.h"
#include "data/Schema.h"
#include "data/Transaction.h"
#include "shell/RemoteServer.h"

#include <QHash>
#include <QSet>
#include <QSqlQuery>
#include <algorithm>
#include <limits>
#include <stdexcept>
#include <utility>

namespace {

using Kind = Schema::ColumnKind;
using Replace = SyncTable::Replace;

const QString kPending = QStringLiteral("(fl_sincroniza IS NULL OR fl_sincroniza = 'S')");
const QString kFlag = QStringLiteral("fl_sincroniza");

// The remote gets each value in the type its column has, whatever the local engine stored.
QVariant remoteValue(const Schema::Column& column, const QVariant& value) {
    switch (column.kind) {
    case Kind::AutoId:
    case Kind::PrimaryKey:
    case Kind::UniqueKey:
    case Kind::Integer:
    case Kind::Money:
        return value.isNull() ? QVariant(QMetaType::fromType<qlonglong>())
                              : QVariant(value.toLongLong());
    case Kind::Date:
        return Database::dateValue(Database::dateFrom(value));
    case Kind::Text:
    case Kind::Flag:
        break;
    }
    return value.isNull() ? QVariant(QMetaType::fromType<QString>()) : QVariant(value.toString());
}

int columnIndex(const Schema::Table& table, const QString& name) {
    const QStringList names = table.columnNames();
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (names.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    throw std::invalid_argument("no column " + name.toStdString());
}

QString placeholders(int count) {
    QString text = QStringLiteral("(?");
    for (int i = 1; i < count; ++i)
        text += QStringLiteral(",?");
    return text + QLatin1Char(')');
}

// The array type a PostgreSQL remote column of this kind takes its values in.
QString pgArrayType(Kind kind) {
    switch (kind) {
    case Kind::AutoId:
    case Kind::PrimaryKey:
    case Kind::UniqueKey:
    case Kind::Integer:
        return QStringLiteral("integer[]");
    case Kind::Money:
        return QStringLiteral("bigint[]");
    case Kind::Date:
        return QStringLiteral("date[]");
    case Kind::Text:
    case Kind::Flag:
        break;
    }
    return QStringLiteral("text[]");
}

// One element of a PostgreSQL array literal; texts quoted, so that nothing in them is syntax.
void appendElement(QString& literal, const QVariant& value) {
    if (value.isNull()) {
        literal += QStringLiteral("NULL");
    } else if (value.typeId() == QMetaType::QDate) {
        literal += value.toDate().toString(Qt::ISODate);
    } else if (value.typeId() == QMetaType::LongLong) {
        literal += QString::number(value.toLongLong());
    } else {
        QString text = value.toString();
        text.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
            .replace(QLatin1Char('"'), QStringLiteral("\\\""));
        literal += QLatin1Char('"') + text + QLatin1Char('"');
    }
}

// A PostgreSQL array literal of quoted elements.
QString arrayLiteral(const QStringList& items) {
    if (items.isEmpty())
        return QStringLiteral("{}");
    return QStringLiteral("{\"") + items.join(QStringLiteral("\",\"")) + QStringLiteral("\"}");
}

} // namespace

QList<SyncTable> syncTables() {
    auto t = [](const char* name, const char* key, Replace replace, const char* pageKey) {
        return SyncTable{QLatin1String(name), QLatin1String(key), replace, QLatin1String(pageKey)};
    };
    return {
        t("tb_usuario", "usu_ID", Replace::ByKey, "usu_ID"),
        t("tb_categoria", "cat_ID", Replace::ByKey, "cat_ID"),
        t("tb_cliente", "cli_Telefone", Replace::ByKey, "cli_ID"),
        t("tb_entregador", "ent_Nome", Replace::ByKey, "ent_ID"),
        t("tb_item", "ite_Ono", Replace::OrderLines, "ite_Ono"),
        t("tb_pedido", "ped_ono", Replace::ByKey, "ped_ono"),
        t("tb_produto", "Pro_ID", Replace::Identical, "Pro_ID"),
    };
}

SyncEngine::SyncEngine(Database& local, RemoteServer& remote, qint64 empresa,
                       SyncObserver* observer)
    : m_local(local), m_remote(remote), m_empresa(empresa), m_observer(observer) {}

SyncEngine::Result SyncEngine::run() {
    m_result = {};
    const QList<SyncTable> tables = syncTables();
    for (int i = 0; i < tables.size(); ++i) {
        const SyncTable& table = tables.at(i);
        try {
            ensurePendingIndex(table);
            const qint64 pending = countPending(table);
            if (m_observer)
                m_observer->tableStarted(i, int(tables.size()), table.name, pending);
            if (pending > 0)
                sendTable(table, pending);
        } catch (const DbError& failure) {
            throw DbError(failure.number(),
                          QStringLiteral("O backup online parou na tabela %1: %2")
                              .arg(table.name, failure.description()),
                          failure.source());
        }
    }
    return m_result;
}

// Finding the few pending rows among millions must not read the whole table every day.
void SyncEngine::ensurePendingIndex(const SyncTable& table) {
    const bool pg = m_local.engine() == Database::Engine::Postgres;
    try {
        m_local.exec(QStringLiteral("CREATE INDEX %1 IF NOT EXISTS ix_sync_%2 ON %2 (%3) WHERE %4")
                         .arg(pg ? QStringLiteral("CONCURRENTLY") : QString(), table.name,
                              table.pageKey, kPending));
    } catch (const DbError&) {
        // Only speed is lost: without the index the pending rows are found by a scan.
    }
}

qint64 SyncEngine::countPending(const SyncTable& table) {
    return m_local
        .scalar(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2").arg(table.name, kPending))
        .toLongLong();
}

QList<SyncEngine::Row> SyncEngine::readRows(const SyncTable& table, const QString& where,
                                            const QVariantList& binds) {
    const Schema::Table schema = Schema::table(table.name);
    const bool pg = m_local.engine() == Database::Engine::Postgres;
    const int identity = pg ? 2 : 1;
    const QString sql =
        QStringLiteral("SELECT %1, %2 FROM %3 WHERE %4")
            .arg(pg ? QStringLiteral("ctid::text, ctid::text || '/' || xmin::text")
                    : QStringLiteral("rowid"),
                 schema.columnNames().join(QStringLiteral(", ")), table.name, where);
    QSqlQuery query = m_local.exec(sql, binds);
    const int flag = columnIndex(schema, kFlag);
    QList<Row> rows;
    while (query.next()) {
        Row row;
        row.id = query.value(0);
        if (pg)
            row.version = query.value(1).toString();
        for (int c = 0; c < schema.columns.size(); ++c) {
            const QVariant value = query.value(identity + c);
            row.raw.append(value);
            row.values.append(remoteValue(schema.columns.at(c), value));
        }
        const QVariant state = row.raw.at(flag);
        row.pending = state.isNull() || state.toString() == QLatin1String("S");
        rows.append(row);
    }
    return rows;
}

QList<SyncEngine::Row> SyncEngine::nextPage(const SyncTable& table, QVariant& after) {
    const Schema::Table schema = Schema::table(table.name);
    QList<Row> rows;
    if (table.replace != Replace::OrderLines) {
        rows = readRows(table,
                        QStringLiteral("%1 AND %2 > ? ORDER BY %2 LIMIT %3")
                            .arg(kPending, table.pageKey)
                            .arg(kBatchRows),
                        {after});
        if (!rows.isEmpty())
            after = rows.constLast().raw.at(columnIndex(schema, table.pageKey));
        return rows;
    }
    // Whole orders: their lines replace the remote ones together.
    QSqlQuery orders = m_local.exec(QStringLiteral("SELECT DISTINCT %1 FROM %2 WHERE %3 AND %1 > ? "
                                                   "ORDER BY %1 LIMIT %4")
                                        .arg(table.pageKey, table.name, kPending)
                                        .arg(kOrdersPerBatch),
                                    {after});
    QVariantList numbers;
    while (orders.next())
        numbers.append(orders.value(0));
    if (numbers.isEmpty())
        return rows;
    after = numbers.constLast();
    return readRows(table,
                    QStringLiteral("%1 IN %2 ORDER BY %1")
                        .arg(table.pageKey, placeholders(int(numbers.size()))),
                    numbers);
}

void SyncEngine::sendTable(const SyncTable& table, qint64 pending) {
    QVariant after = std::numeric_limits<int>::min();
    qint64 done = 0;
    try {
        for (;;) {
            const QList<Row> rows = nextPage(table, after);
            if (rows.isEmpty())
                break;
            sendBatch(table, rows);
            for (const Row& row : rows)
                done += row.pending ? 1 : 0;
            if (m_observer)
                m_observer->batchSent(table.name, done, std::max(done, pending));
            m_confirmed.append(rows);
            if (m_confirmed.size() >= kMarkRows)
                flushMarks(table);
        }
    } catch (...) {
        // What the remote already holds is marked even when the run stops here.
        try {
            flushMarks(table);
        } catch (const DbError&) {
            // Unmarked rows are only sent again.
        }
        throw;
    }
    flushMarks(table);
}

// Marks go in groups of batches: a local commit per batch would cost more than the batch.
void SyncEngine::flushMarks(const SyncTable& table) {
    const QList<Row> rows = std::exchange(m_confirmed, {});
    if (!rows.isEmpty())
        m_result.marked += markSent(table, rows);
}

void SyncEngine::sendBatch(const SyncTable& table, const QList<Row>& rows) {
    const Schema::Table schema = Schema::table(table.name);
    const int key = columnIndex(schema, table.key);
    QList<const Row*> toInsert;
    QVariantList keys;
    switch (table.replace) {
    case Replace::ByKey: {
        // One remote row per key: of several local rows with one key the last read wins.
        QHash<QString, qsizetype> last;
        for (qsizetype i = 0; i < rows.size(); ++i)
            last.insert(rows.at(i).raw.at(key).toString(), i);
        for (qsizetype i = 0; i < rows.size(); ++i) {
            if (last.value(rows.at(i).raw.at(key).toString()) != i)
                continue;
            toInsert.append(&rows.at(i));
            keys.append(rows.at(i).values.at(key));
        }
        break;
    }
    case Replace::OrderLines: {
        QSet<qlonglong> seen;
        for (const Row& row : rows) {
            toInsert.append(&row);
            const qlonglong number = row.values.at(key).toLongLong();
            if (!seen.contains(number)) {
                seen.insert(number);
                keys.append(row.values.at(key));
            }
        }
        break;
    }
    case Replace::Identical:
        for (const Row& row : rows)
            toInsert.append(&row);
        break;
    }

    m_remote.begin();
    try {
        if (table.replace == Replace::Identical) {
            for (const Row* row : std::as_const(toInsert))
                deleteIdentical(table, *row);
        } else {
            deleteIn(table, keys);
        }
        insertRows(table, toInsert);
        m_remote.commit();
    } catch (...) {
        m_remote.rollback();
        throw;
    }
    m_result.sent += toInsert.size();
}

void SyncEngine::deleteIn(const SyncTable& table, const QVariantList& keys) {
    if (keys.isEmpty())
        return;
    if (m_remote.kind() == RemoteServer::Kind::Postgres) {
        QString literal = QStringLiteral("{");
        for (qsizetype i = 0; i < keys.size(); ++i) {
            if (i > 0)
                literal += QLatin1Char(',');
            appendElement(literal, keys.at(i));
        }
        const Schema::Table schema = Schema::table(table.name);
        const Kind kind = schema.columns.at(columnIndex(schema, table.key)).kind;
        m_remote.exec(
            QStringLiteral("DELETE FROM %1 WHERE Id_Empresa = ? AND %2 = ANY(CAST(? AS %3))")
                .arg(table.name, table.key, pgArrayType(kind)),
            {m_empresa, literal + QLatin1Char('}')});
        return;
    }
    const qsizetype chunk = m_remote.maxParameters() - 1;
    for (qsizetype from = 0; from < keys.size(); from += chunk) {
        const QVariantList part = keys.mid(from, chunk);
        QVariantList binds{m_empresa};
        binds.append(part);
        m_remote.exec(QStringLiteral("DELETE FROM %1 WHERE Id_Empresa = ? AND %2 IN %3")
                          .arg(table.name, table.key, placeholders(int(part.size()))),
                      binds);
    }
}

void SyncEngine::deleteIdentical(const SyncTable& table, const Row& row) {
    const QStringList names = Schema::table(table.name).columnNames();
    QString sql = QStringLiteral("DELETE FROM %1 WHERE Id_Empresa = ?").arg(table.name);
    QVariantList binds{m_empresa};
    for (qsizetype c = 0; c < names.size(); ++c) {
        if (row.values.at(c).isNull()) {
            sql += QStringLiteral(" AND %1 IS NULL").arg(names.at(c));
        } else {
            sql += QStringLiteral(" AND %1 = ?").arg(names.at(c));
            binds.append(row.values.at(c));
        }
    }
    m_remote.exec(sql, binds);
}

void SyncEngine::insertRows(const SyncTable& table, const QList<const Row*>& rows) {
    if (m_remote.kind() == RemoteServer::Kind::Postgres) {
        insertColumns(table, rows);
        return;
    }
    const QStringList names = Schema::table(table.name).columnNames();
    const int width = int(names.size()) + 1;
    const qsizetype perStatement = std::clamp<qsizetype>(m_remote.maxParameters() / width, 1, 1000);
    const QString head = QStringLiteral("INSERT INTO %1 (Id_Empresa, %2) VALUES ")
                             .arg(table.name, names.join(QStringLiteral(", ")));
    const QString tuple = placeholders(width);
    for (qsizetype from = 0; from < rows.size(); from += perStatement) {
        const qsizetype count = std::min(perStatement, rows.size() - from);
        QString sql = head;
        QVariantList binds;
        binds.reserve(count * width);
        for (qsizetype i = 0; i < count; ++i) {
            sql += i == 0 ? tuple : QLatin1Char(',') + tuple;
            binds.append(m_empresa);
            binds.append(rows.at(from + i)->values);
        }
        m_remote.exec(sql, binds);
    }
}

// PostgreSQL parses one array per column much faster than thousands of bound values.
void SyncEngine::insertColumns(const SyncTable& table, const QList<const Row*>& rows) {
    const Schema::Table schema = Schema::table(table.name);
    QStringList arrays;
    QVariantList binds{m_empresa};
    for (qsizetype c = 0; c < schema.columns.size(); ++c) {
        arrays << QStringLiteral("CAST(? AS %1)").arg(pgArrayType(schema.columns.at(c).kind));
        QString literal = QStringLiteral("{");
        for (qsizetype r = 0; r < rows.size(); ++r) {
            if (r > 0)
                literal += QLatin1Char(',');
            appendElement(literal, rows.at(r)->values.at(c));
        }
        binds.append(literal + QLatin1Char('}'));
    }
    m_remote.exec(QStringLiteral("INSERT INTO %1 (Id_Empresa, %2) SELECT CAST(? AS integer), u.* "
                                 "FROM unnest(%3) AS u")
                      .arg(table.name, schema.columnNames().join(QStringLiteral(", ")),
                           arrays.join(QStringLiteral(", "))),
                  binds);
}

// A row is marked only while it is the version that was read: PostgreSQL gives every
// version its own ctid and xmin; on SQLite every column must still hold what was read.
qint64 SyncEngine::markSent(const SyncTable& table, const QList<Row>& rows) {
    if (m_local.engine() == Database::Engine::Postgres) {
        QStringList ids;
        QStringList versions;
        for (const Row& row : rows) {
            if (!row.pending)
                continue;
            ids.append(row.id.toString());
            versions.append(row.version);
        }
        if (ids.isEmpty())
            return 0;
        return m_local
            .exec(QStringLiteral("UPDATE %1 SET fl_sincroniza = 'N' WHERE ctid = ANY(CAST(? AS "
                                 "tid[])) AND ctid::text || '/' || xmin::text = ANY(CAST(? AS "
                                 "text[]))")
                      .arg(table.name),
                  {arrayLiteral(ids), arrayLiteral(versions)})
            .numRowsAffected();
    }
    const QStringList names = Schema::table(table.name).columnNames();
    QString sql =
        QStringLiteral("UPDATE %1 SET fl_sincroniza = 'N' WHERE rowid = ?").arg(table.name);
    for (const QString& name : names)
        sql += QStringLiteral(" AND %1 IS ?").arg(name);
    qint64 marked = 0;
    Transaction transaction(m_local);
    QSqlQuery update = m_local.prepare(sql);
    for (const Row& row : rows) {
        if (!row.pending)
            continue;
        QVariantList binds{row.id};
        binds.append(row.raw);
        m_local.execPrepared(update, binds);
        marked += update.numRowsAffected();
    }
    update.finish();
    transaction.commit();
    return marked;
}
