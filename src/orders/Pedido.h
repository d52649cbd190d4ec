#pragma once

#include <QDate>
#include <QList>
#include <QString>

// One row of the order's item grid, as the attendant sees it: every value is the text shown
// (a quantity as typed, prices as "R$ 32,50"), because the receipt and the dispatch text print
// those texts and the store converts them once, at finalisation.
struct ItemPedido {
    QString categoria;  // "TAXA DE ENTREGA" for the delivery fee
    QString nome;       // product, or the composed flavours "A / B"
    QString quantidade; // as typed
    QString preco;      // unit price text, e.g. "R$ 32,50" or "R$ -5,00"
    QString total;      // line total text

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

    // Texts as shown: "DINHEIRO", "2,50", "R$ 0,00"; empty when not chosen yet.
    QString formaPagamento;
    QString valorPago;
    QString troco;
    QString total;

    QString mensagem;
    QList<ItemPedido> itens;

    bool operator==(const Pedido&) const = default;
};
