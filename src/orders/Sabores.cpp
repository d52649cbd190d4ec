#include "orders/Sabores.h"

#include <QStringList>

ItemComposto compoeSabores(const QList<Sabor>& sabores) {
    ItemComposto item;
    if (sabores.isEmpty())
        return item;
    QStringList nomes;
    item.preco = sabores.first().preco;
    for (const Sabor& sabor : sabores) {
        nomes << sabor.nome;
        if (item.preco < sabor.preco)
            item.preco = sabor.preco;
    }
    item.texto = nomes.join(QStringLiteral(" / "));
    item.categoria = sabores.last().categoria;
    return item;
}
