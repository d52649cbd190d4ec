#include "management/PeriodCheck.h"

#include "common/Text.h"

namespace {

std::optional<QDate> readDay(const QString& text) {
    const QDate date = QDate::fromString(text.trimmed(), QStringLiteral("dd/MM/yyyy"));
    return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
}

} // namespace

PeriodCheck checkPeriod(const QString& startText, const QString& endText) {
    using Box = PeriodCheck::Box;
    using Severity = PeriodCheck::Severity;
    const struct {
        const QString& text;
        Box box;
        QString missing;
        QString wrong;
    } boxes[] = {
        {startText, Box::Start, QStringLiteral("Informe a data inicial"),
         QStringLiteral("Data inicial incorreta")},
        {endText, Box::End, QStringLiteral("Informe a data final"),
         QStringLiteral("Data final incorreta")},
    };
    QDate days[2];
    for (int i = 0; i < 2; ++i) {
        const auto& b = boxes[i];
        if (SoNumeros(b.text).isEmpty())
            return {std::nullopt, b.box, Severity::Information, b.missing};
        const auto day = readDay(b.text);
        if (!day)
            return {std::nullopt, b.box, Severity::Warning, b.wrong};
        days[i] = *day;
    }
    return {Period{days[0], days[1]}, Box::Start, Severity::Information, QString()};
}
