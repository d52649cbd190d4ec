#pragma once

#include "common/Money.h"

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

// One row of the order search: what the list shows of an order.
struct ResumoPedido {
    qint64 numero = 0;
    QString telefone;
    QString nome;
    QDate data;
    std::optional<Money> total; // none when the column is NULL
    QString status;
    QString entregador;
};

// An item of a stored order as the consultation grid shows it.
struct ItemGravado {
    QString nome;
    std::optional<int> quantidade;
    std::optional<Money> preco;
    std::optional<Money> total;
};

// A stored order with everything the consultation screen shows. `usuario` is empty when the
// operator is no longer registered.
struct PedidoGravado {
    qint64 numero = 0;
    QDate data;
    qint64 usuId = 0;
    QString usuario;
    QString telefone, nome, tipo, logradouro, numeroEndereco, complemento, bairro, cidade, uf, cep,
        observacao;
    QString formaPagamento;
    std::optional<Money> valorPago, troco, total;
    QString mensagem; // as stored, NULL read as empty
    QString status;
    QString entregador;
    QList<ItemGravado> itens;

    // The consultation's message field: the message, " - ", the status, " -".
    QString mensagemComStatus() const {
        return mensagem + QStringLiteral(" - ") + status + QStringLiteral(" -");
    }
};

// The three summary figures of a customer's history.
struct TotaisHistorico {
    Money total;
    int pedidos = 0;
    int cancelados = 0;
};

// A line of "Top Solicitações".
struct ProdutoSolicitado {
    QString nome;
    QString categoria;
    qint64 quantidade = 0;
    Money total;
};
