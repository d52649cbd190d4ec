#pragma once

#include "masterdata/Categoria.h"
#include "masterdata/WriteOutcome.h"

#include <QList>
#include <QStringList>
#include <optional>

class Database;

// TB_Categoria. Names are unique under the fold (case and accents aside); products keep
// naming a category that is renamed or deleted.
class CategoriaStore {
public:
    explicit CategoriaStore(Database& db) : m_db(db) {}

    bool isEmpty() const;
    // Ordered by code.
    QList<Categoria> all() const;
    // Names starting with `prefix`, ordered by code; every category for an empty prefix.
    QList<Categoria> search(const QString& prefix) const;
    std::optional<Categoria> find(qint64 codigo) const;
    std::optional<Categoria> findByName(const QString& nome) const;
    // The names in alphabetical order, for the category lists of the other screens.
    QStringList names() const;

    // Whether a category other than `exceptCodigo` (0: any) has the name.
    bool existsOther(const QString& nome, qint64 exceptCodigo = 0) const;

    // The new category's code; none when the name is taken.
    std::optional<qint64> insert(const QString& nome);
    WriteOutcome update(const Categoria& categoria);
    bool remove(qint64 codigo);

private:
    QList<Categoria> select(const QString& where, const QVariantList& binds,
                            const QString& orderBy) const;

    Database& m_db;
};
