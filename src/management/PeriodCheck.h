#pragma once

#include <QDate>
#include <QString>
#include <optional>

// A period of days, both ends included.
struct Period {
    QDate start;
    QDate end;
};

// The verdict on the two date boxes of a period: the period, or the first problem found with
// the box it concerns and the message that names it.
struct PeriodCheck {
    enum class Box { Start, End };
    enum class Severity { Information, Warning };

    std::optional<Period> period;
    Box box = Box::Start;
    Severity severity = Severity::Information;
    QString message;

    bool ok() const { return period.has_value(); }
};

// Reads "dd/mm/yyyy" texts as typed in masked date boxes; a box without any digit is empty.
PeriodCheck checkPeriod(const QString& startText, const QString& endText);
