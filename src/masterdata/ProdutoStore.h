#pragma once

#include "common/WriteOutcome.h"
#include "data/TextMatch.h"
#include "masterdata/Produto.h"

#include <QList>
#include <optional>

class Database;

// TB_Produto. A category filter of std::nullopt stands for "TODOS" (every category).
class ProdutoStore {
public:
    enum class Order {
        ByCategory,        // category, then code: the lookup dialogs
        ByName,            // the first flavour screen
        ByCategoryAndName, // the further flavour screens
    };

    explicit ProdutoStore(Database& db) : m_db(db) {}

    bool isEmpty() const;
    std::optional<Produto> find(qint64 codigo) const;

    // Lookup dialogs: every product, or those whose category starts with `categoria`.
    QList<Produto> list(const std::optional<QString>& categoria, Order order) const;
    // Lookup dialogs' typed search and pick: names starting with `prefix`, every product or
    // those of exactly `categoria`.
    QList<Produto> searchPrefix(const std::optional<QString>& categoria,
                                const QString& prefix) const;
    // Flavour screens' typed search: names containing `text` anywhere.
    QList<Produto> searchContaining(const std::optional<QString>& categoria, const QString& text,
                                    Order order) const;
    // The products naming exactly this category, by name.
    QList<Produto> ofCategory(const QString& categoria) const;
    // The price of the product of that category and name (the delivery fee's lookup, on each
    // call: the statement stays prepared on the connection).
    std::optional<Money> price(const QString& categoria, const QString& nome) const;

    // Whether a product other than `exceptCodigo` (0: any) has the name.
    bool existsOther(const QString& nome, qint64 exceptCodigo = 0) const;

    // The new product's code (its `codigo` is ignored); none when the name is taken.
    std::optional<qint64> insert(const Produto& produto);
    WriteOutcome update(const Produto& produto);
    bool remove(qint64 codigo);

private:
    QList<Produto> select(const QList<textMatch::SqlCondition>& conditions, Order order) const;

    Database& m_db;
};
