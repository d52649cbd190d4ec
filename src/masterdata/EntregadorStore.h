#pragma once

#include "masterdata/Entregador.h"
#include "masterdata/WriteOutcome.h"

#include <QList>
#include <QStringList>
#include <optional>

class Database;

// TB_Entregador. Names are unique under the fold, so a name picks one person. No write here
// marks a row for the online backup: an edited delivery person is not sent again.
class EntregadorStore {
public:
    explicit EntregadorStore(Database& db) : m_db(db) {}

    bool isEmpty() const;
    // Ordered by code.
    QList<Entregador> all() const;
    // Names starting with `prefix`, ordered by code; everyone for an empty prefix.
    QList<Entregador> search(const QString& prefix) const;
    std::optional<Entregador> find(qint64 codigo) const;
    std::optional<Entregador> findByName(const QString& nome) const;
    // The names in alphabetical order, for the report filters.
    QStringList names() const;

    // Whether a delivery person other than `exceptCodigo` (0: any) has the name.
    bool existsOther(const QString& nome, qint64 exceptCodigo = 0) const;

    // The new person's code (`codigo` is ignored); none when the name is taken.
    std::optional<qint64> insert(const Entregador& entregador);
    // Telephone, name and remarks; the registration date stays.
    WriteOutcome update(const Entregador& entregador);
    bool remove(qint64 codigo);

private:
    QList<Entregador> select(const QString& where, const QVariantList& binds,
                             const QString& orderBy) const;

    Database& m_db;
};
