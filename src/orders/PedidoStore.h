#pragma once

#include "common/Money.h"
#include "masterdata/ProdutoStore.h"
#include "orders/Pedido.h"

#include <QString>
#include <optional>

class Database;

// TB_Pedido and TB_Item: storing a finished order and the customer's last delivery fee.
class PedidoStore {
public:
    // The fee line of the customer's most recent order that had one, and what that fee
    // product costs today (none when the price list no longer has it).
    struct UltimaTaxa {
        qint64 pedido = 0;
        QString nome;
        int quantidade = 0;
        Money precoArmazenado;
        std::optional<Money> precoAtual;
    };

    // Keeps its hot lookups prepared on `db` (see ProdutoStore): it must not outlive the
    // connection, and belongs to the connection's thread.
    explicit PedidoStore(Database& db) : m_db(db), m_produtos(db) {}
    virtual ~PedidoStore() = default;
    PedidoStore(const PedidoStore&) = delete;
    PedidoStore& operator=(const PedidoStore&) = delete;

    std::optional<UltimaTaxa> ultimaTaxaEntrega(const QString& telefone) const;

    // Stores the order with the next number (highest + 1, 1 for the first) and returns it.
    // Every amount is converted before anything is written; an amount that does not convert,
    // throws Error, a failing statement DbError; either leaves nothing stored. `numero` of the
    // argument is ignored.
    qint64 finalizar(const Pedido& pedido);

protected:
    // Runs inside the transaction once the header is written, before the items.
    virtual void headerWritten(qint64 /*numero*/) {}

private:
    Database& m_db;
    ProdutoStore m_produtos;
};
