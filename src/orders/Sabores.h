#pragma once

#include "common/Money.h"

#include <QList>
#include <QString>

// One flavour taken on a selection screen.
struct Sabor {
    QString nome;
    Money preco;
    QString categoria;
};

// The item the flavours make together.
struct ItemComposto {
    QString texto;
    Money preco;
    QString categoria;
};

// Names joined with " / " in pick order, the dearest price (on a tie the earlier one stays),
// the category of the last flavour.
ItemComposto compoeSabores(const QList<Sabor>& sabores);

// The state the flavour screens share while one order screen lives: a new one per order
// screen, so the remembered category starts empty there.
struct CadeiaSabores {
    static constexpr int kMaxSabores = 4;

    QString ultimaCategoria;   // category last used on the first screen
    QString categoriaPrimeira; // category the first screen shows now
    QList<Sabor> sabores;      // flavours ticked so far for the item being chosen
};
