#pragma once

#include <QDate>
#include <QString>
#include <QtGlobal>

// A delivery person; orders name them by `nome`, which is therefore unique.
struct Entregador {
    qint64 codigo = 0;
    QString telefone;
    QDate data; // registration date, written once
    QString nome;
    QString observacao;

    bool operator==(const Entregador&) const = default;
};
