#include "management/Periodo.h"

namespace {

bool vazio(const QString& text) {
    for (const QChar c : text)
        if (c.isDigit())
            return false;
    return true;
}

QDate data(const QString& text) {
    return QDate::fromString(text.trimmed(), QStringLiteral("dd/MM/yyyy"));
}

} // namespace

std::variant<Periodo, FalhaPeriodo> validaPeriodo(const QString& inicio, const QString& fim) {
    using Campo = FalhaPeriodo::Campo;
    if (vazio(inicio))
        return FalhaPeriodo{Campo::Inicio, true, QStringLiteral("Informe a data inicial")};
    const QDate primeiro = data(inicio);
    if (!primeiro.isValid())
        return FalhaPeriodo{Campo::Inicio, false, QStringLiteral("Data inicial incorreta")};
    if (vazio(fim))
        return FalhaPeriodo{Campo::Fim, true, QStringLiteral("Informe a data final")};
    const QDate ultimo = data(fim);
    if (!ultimo.isValid())
        return FalhaPeriodo{Campo::Fim, false, QStringLiteral("Data final incorreta")};
    return Periodo{primeiro, ultimo};
}
