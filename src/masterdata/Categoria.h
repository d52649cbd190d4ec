#pragma once

#include <QString>
#include <QtGlobal>

// A product category; products refer to it by name.
struct Categoria {
    qint64 codigo = 0;
    QString nome;

    bool operator==(const Categoria&) const = default;
};
