#pragma once

#include "masterdata/Produto.h"

#include <QList>
#include <QStringList>
#include <optional>

class Database;

// The price table's reads: the categories the products name, and the products of one of them
// (any letter case) or of all, by name from the last to the first.
class TabelaPreco {
public:
    explicit TabelaPreco(Database& db) : m_db(db) {}

    // In upper case, in name order, each once.
    QStringList categorias() const;
    // std::nullopt: every product.
    QList<Produto> produtos(const std::optional<QString>& categoria) const;

private:
    Database& m_db;
};
