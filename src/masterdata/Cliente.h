#pragma once

#include "common/Money.h"

#include <QDate>
#include <QString>
#include <QtGlobal>
#include <optional>

// A customer. The telephone is how callers are found, so no two customers share one.
struct Cliente {
    qint64 codigo = 0;
    QString telefone;
    QString nome;
    QString rg;
    QString tipo; // street type
    QString logradouro;
    QString numero;
    QString complemento;
    QString bairro;
    QString cidade;
    QString uf;
    QString cep;
    QDate dataNascimento; // null when unknown
    QString email;
    QString observacao;

    bool operator==(const Cliente&) const = default;
};

// What a customer has ordered, cancelled orders left out.
struct EstatisticaCliente {
    int quantidade = 0;
    QDate desde;                  // first order; null without orders
    QDate ultimoPedido;           // null without orders
    std::optional<Money> consumo; // none without orders

    // Average order value, rounded to the centavo; none without orders.
    std::optional<Money> ticketMedio() const {
        if (!consumo || quantidade <= 0)
            return std::nullopt;
        const qint64 cents = consumo->cents();
        const qint64 half = cents >= 0 ? quantidade : -quantidade;
        return Money::fromCents((2 * cents + half) / (2 * qint64(quantidade)));
    }
    // At most one order: the lookup list marks the count.
    bool poucosPedidos() const { return quantidade <= 1; }
    // First order today and no other: worth a satisfaction call.
    bool clienteNovo(const QDate& hoje) const { return poucosPedidos() && desde == hoje; }

    bool operator==(const EstatisticaCliente&) const = default;
};
