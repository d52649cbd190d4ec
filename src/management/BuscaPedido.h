#pragma once

#include <QDate>
#include <QString>

// What the order search looks for: orders of one day, or those whose telephone, customer
// name or number starts with the text.
struct BuscaPedido {
    enum class Por { Data, Telefone, Nome, Numero };

    Por por = Por::Data;
    QString texto; // the prefix; unused for a date
    QDate data;

    static BuscaPedido doDia(const QDate& dia) { return {Por::Data, {}, dia}; }
    static BuscaPedido prefixo(Por criterio, const QString& texto) { return {criterio, texto, {}}; }

    bool operator==(const BuscaPedido&) const = default;
};
