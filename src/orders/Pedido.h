#pragma once

#include "common/Money.h"

#include <QDate>
#include <QList>
#include <QString>

// One row of the order's item grid.
struct ItemPedido {
    QString categoria; // "TAXA DE ENTREGA" for the delivery fee
    QString nome;      // product, or the composed flavours "A / B"
    int quantidade = 0;
    Money preco; // unit price; negative for a discount
    Money total; // line total

    // "R$ 32,50", "R$ -5,00": prices as the grid, the receipt and the consultation show them.
    static QString texto(const Money& valor) { return QStringLiteral("R$ ") + valor.formatPlain(); }

    bool operator==(const ItemPedido&) const = default;
};

// A snapshot of the order being taken (or of a stored one, for a reprint): what finalisation
// stores, the receipt prints and the dispatch text lists.
struct Pedido {
    qint64 numero = 0; // 0 until stored
    qint64 usuId = 0;
    QString usuario;
    QDate data;

    QString telefone;
    QString nome;
    QString tipo;
    QString logradouro;
    QString numeroEndereco;
    QString complemento;
    QString bairro;
    QString cidade;
    QString uf;
    QString cep;
    QString observacao;

    // The payment as its boxes on the order screen hold it ("DINHEIRO", "2,50", "R$ 0,00";
    // empty when not chosen yet): the attendant may type into them, and the receipt prints
    // them exactly as they stand. The store converts them at finalisation.
    QString formaPagamento;
    QString valorPago;
    QString troco;
    Money total;

    QString mensagem;
    QList<ItemPedido> itens;

    bool operator==(const Pedido&) const = default;
};
