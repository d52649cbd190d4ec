#pragma once

#include "common/Money.h"

#include <QString>
#include <QtGlobal>

// An item of the price list. `categoria` is the category's name, not its code.
struct Produto {
    qint64 codigo = 0;
    QString categoria;
    QString nome; // up to 100 characters
    Money preco;
    QString descricao;
    QString fornecedor;
    QString representante;
    QString repTelefone;

    bool operator==(const Produto&) const = default;
};
