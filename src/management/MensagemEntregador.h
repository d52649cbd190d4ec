#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

// What the consultation screen shows of an order, as the texts the message copies.
struct MensagemConsulta {
    struct Item {
        QString quantidade;
        QString produto;
    };
    QString pedido;
    QString nome;
    QString logradouro;
    QString numero;
    QString complemento;
    QString telefone;
    QList<Item> itens;
    QString troco;
    QString total;
    QString formaPagamento;
    QString valorPago;
    QString mensagem;
};

// The "Whatsapp" text for the delivery person, every line ending in CR LF; the message field
// is cut into lines of 48 characters and stops after 144.
QString mensagemEntregador(const MensagemConsulta& m, const QDateTime& agora);
