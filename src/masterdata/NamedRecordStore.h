#pragma once

#include "common/WriteOutcome.h"
#include "data/Database.h"
#include "data/Keys.h"
#include "data/TextMatch.h"
#include "data/Transaction.h"
#include "masterdata/RegistryQueries.h"

#include <QList>
#include <QSqlQuery>
#include <QStringList>
#include <optional>

// What a registry table keyed by a code, whose names are unique under the fold (case and
// accents aside), does the same way for every such table: lookups by code, name and name
// prefix, the name check, deletion by code, and writes that check the name inside their
// transaction.
template <typename Record> class NamedRecordStore {
public:
    struct Table {
        QString name;
        QString key;
        QString nameColumn;
        QString columns; // the columns `read` takes, in its order
        Record (*read)(const QSqlQuery& query);
        QString Record::*nome;
    };

    NamedRecordStore(Database& db, const Table& table) : m_db(db), m_table(table) {}

    bool isEmpty() const { return !registryQueries::hasRows(m_db, m_table.name); }
    // Ordered by code.
    QList<Record> all() const { return select({}, {}, m_table.key); }
    // Names starting with `prefix`, ordered by code; every row for an empty prefix.
    QList<Record> search(const QString& prefix) const {
        return where(textMatch::foldPrefix(m_db.engine(), m_table.nameColumn, prefix));
    }
    // The same without regard to accents ("joao" finds "JOÃO"), for searching only.
    QList<Record> searchIgnoringAccents(const QString& prefix) const {
        return where(textMatch::searchPrefix(m_db.engine(), m_table.nameColumn, prefix));
    }
    std::optional<Record> find(qint64 codigo) const {
        return first(
            select(QStringLiteral(" WHERE %1 = ?").arg(m_table.key), {codigo}, m_table.key));
    }
    std::optional<Record> findByName(const QString& nome) const {
        return first(where(textMatch::foldEquals(m_db.engine(), m_table.nameColumn, nome)));
    }
    // The names in alphabetical order, for the lists of the other screens.
    QStringList names() const {
        QStringList result;
        for (const Record& record : select({}, {},
                                           textMatch::foldOrder(m_db.engine(), m_table.nameColumn) +
                                               QStringLiteral(", ") + m_table.key))
            result << record.*m_table.nome;
        return result;
    }
    // Whether a row other than `exceptCodigo` (0: any) has the name.
    bool existsOther(const QString& nome, qint64 exceptCodigo = 0) const {
        return registryQueries::nameTaken(m_db, m_table.name, m_table.key, m_table.nameColumn, nome,
                                          exceptCodigo);
    }
    bool remove(qint64 codigo) {
        return registryQueries::removeByKey(m_db, m_table.name, m_table.key, codigo);
    }

protected:
    // Inserts `columns` (the key first) with a new code; none when the name is taken. The
    // allocation's lock keeps another workstation from adding the same name meanwhile.
    std::optional<qint64> insertNamed(const QString& nome, const QString& columns,
                                      QVariantList valuesAfterKey) {
        Transaction transaction(m_db);
        const qint64 codigo = nextKey(m_db, m_table.name, m_table.key);
        if (existsOther(nome))
            return std::nullopt;
        valuesAfterKey.prepend(codigo);
        const QString marks = QStringLiteral("?, ").repeated(valuesAfterKey.size() - 1);
        m_db.exec(
            QStringLiteral("INSERT INTO %1 (%2) VALUES (%3?)").arg(m_table.name, columns, marks),
            valuesAfterKey);
        transaction.commit();
        return codigo;
    }

    // `assignments` ("a = ?, b = ?") of the row `codigo`, bound to `values`.
    WriteOutcome updateNamed(qint64 codigo, const QString& nome, const QString& assignments,
                             QVariantList values) {
        Transaction transaction(m_db);
        lockForWriting(m_db, m_table.name); // the name check stays true until commit
        if (existsOther(nome, codigo))
            return WriteOutcome::NameTaken;
        values.append(codigo);
        const QSqlQuery query = m_db.exec(QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                                              .arg(m_table.name, assignments, m_table.key),
                                          values);
        if (query.numRowsAffected() == 0)
            return WriteOutcome::NotFound;
        transaction.commit();
        return WriteOutcome::Saved;
    }

    Database& m_db;

private:
    static std::optional<Record> first(const QList<Record>& found) {
        return found.isEmpty() ? std::nullopt : std::optional(found.first());
    }

    QList<Record> where(const textMatch::SqlCondition& condition) const {
        QVariantList binds;
        const QString clause = registryQueries::whereClause({condition}, binds);
        return select(clause, binds, m_table.key);
    }

    QList<Record> select(const QString& where, const QVariantList& binds,
                         const QString& orderBy) const {
        QSqlQuery query = m_db.exec(QStringLiteral("SELECT %1 FROM %2%3 ORDER BY %4")
                                        .arg(m_table.columns, m_table.name, where, orderBy),
                                    binds);
        QList<Record> result;
        while (query.next())
            result.append(m_table.read(query));
        return result;
    }

    Table m_table;
};
