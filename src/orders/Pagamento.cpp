#include "orders/Pagamento.h"

#include "common/Money.h"

const QList<FormaPagamento>& formasPagamento() {
    static const QList<FormaPagamento> formas{
        {QStringLiteral("imgDinheiro"), kDinheiro},
        {QStringLiteral("imgCheque"), QStringLiteral("CHEQUE")},
        {QStringLiteral("imgVisa"), QStringLiteral("VISA")},
        {QStringLiteral("imgMaster"), QStringLiteral("MASTERCARD")},
        {QStringLiteral("imgAmex"), QStringLiteral("AMERICAN EXPRESS")},
        {QStringLiteral("imgElo"), QStringLiteral("ELO")},
        {QStringLiteral("imgVisaCredito"), QStringLiteral("VISA CRÉDITO")},
        {QStringLiteral("imgMasterCrédito"), QStringLiteral("MASTERCARD CRÉDITO")},
    };
    return formas;
}

const QStringList& valoresNotas() {
    static const QStringList valores{QStringLiteral("0,05"),  QStringLiteral("0,10"),
                                     QStringLiteral("0,25"),  QStringLiteral("0,50"),
                                     QStringLiteral("1"),     QStringLiteral("5,00"),
                                     QStringLiteral("10,00"), QStringLiteral("20,00"),
                                     QStringLiteral("50,00"), QStringLiteral("100,00")};
    return valores;
}

std::optional<Pagamento> pagamentoDinheiro(const QString& totalTexto, const QString& pagoTexto) {
    const std::optional<Money> pago = Money::parse(pagoTexto);
    if (!pago)
        return std::nullopt;
    const Money total = Money::parse(totalTexto).value_or(Money());
    const Money troco = *pago - total;
    return Pagamento{kDinheiro, pago->formatPlain(), troco.formatPlain(), troco < Money()};
}

Pagamento pagamentoSemTroco(const QString& forma, const QString& totalTexto) {
    return Pagamento{forma, totalTexto, QStringLiteral("R$ 0,00"), false};
}

QString somaNota(const QString& pagamentoTexto, const QString& tag) {
    const Money atual = Money::parse(pagamentoTexto).value_or(Money());
    return (atual + Money::parse(tag).value_or(Money())).formatPlain();
}
