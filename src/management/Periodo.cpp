#include "management/Periodo.h"

#include "management/PeriodCheck.h"

// The same reading as every other period of the program, in the report screens' terms.
std::variant<Periodo, FalhaPeriodo> validaPeriodo(const QString& inicio, const QString& fim) {
    const PeriodCheck verdict = checkPeriod(inicio, fim);
    if (verdict.ok())
        return Periodo{verdict.period->start, verdict.period->end};
    return FalhaPeriodo{verdict.box == PeriodCheck::Box::Start ? FalhaPeriodo::Campo::Inicio
                                                               : FalhaPeriodo::Campo::Fim,
                        verdict.severity == PeriodCheck::Severity::Information, verdict.message};
}
