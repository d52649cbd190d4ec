#include "orders/Desconto.h"

namespace {

QString precoNegativo(const Money& valor) {
    return QStringLiteral("R$ ") + (-valor).formatPlain();
}

} // namespace

Money percentualDe(qint64 pctCentesimos, const Money& total) {
    // cents × hundredths of a percent / 10000
    const qint64 produto = pctCentesimos * total.cents();
    const qint64 quociente = produto / 10000;
    const qint64 resto = produto % 10000;
    qint64 cents = quociente;
    if (resto * 2 >= 10000)
        ++cents;
    else if (resto * 2 <= -10000)
        --cents;
    return Money::fromCents(cents);
}

ResultadoDesconto calculaDesconto(const QString& valorTexto, const QString& percentualTexto,
                                  const QString& detalhe, const QString& totalTexto) {
    const std::optional<Money> valor = Money::parse(valorTexto);
    if (valor)
        return ItemDesconto{detalhe, precoNegativo(*valor)};
    const std::optional<Money> percentual = Money::parse(percentualTexto);
    if (!percentual)
        return DescontoSemValor{};
    const std::optional<Money> total = Money::parse(totalTexto);
    if (!total)
        return DescontoTotalZero{};
    return ItemDesconto{QStringLiteral("% ") + detalhe,
                        precoNegativo(percentualDe(percentual->cents(), *total))};
}
