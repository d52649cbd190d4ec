#pragma once

#include "common/Money.h"

#include <QString>
#include <variant>

// The discount item prepared for the order screen: an ordinary item with a negative price.
struct ItemDesconto {
    QString produto;
    QString preco; // "R$ -5,00"; also the line total, quantity being 1

    bool operator==(const ItemDesconto&) const = default;
};

struct DescontoSemValor {};  // neither box holds a number
struct DescontoTotalZero {}; // a percentage while the order has no total

using ResultadoDesconto = std::variant<DescontoSemValor, DescontoTotalZero, ItemDesconto>;

// What "&Adicionar" of the discount screen prepares from its boxes and the order's total text.
// An amount wins over a percentage.
ResultadoDesconto calculaDesconto(const QString& valorTexto, const QString& percentualTexto,
                                  const QString& detalhe, const QString& totalTexto);

// pct (held as hundredths, "12,5" = 1250) of `total`, rounded to the centavo half away from
// zero.
Money percentualDe(qint64 pctCentesimos, const Money& total);
