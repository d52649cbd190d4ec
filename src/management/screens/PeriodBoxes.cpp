#include "management/screens/PeriodBoxes.h"

#include "common/screens/FocusColours.h"
#include "masterdata/screens/ClienteFields.h"

#include <QLineEdit>

namespace {

QLineEdit* dateBox(QWidget* parent, const char* name) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    PeriodBoxes::reset(box);
    FocusColours::attach(box);
    return box;
}

} // namespace

PeriodBoxes::PeriodBoxes(QWidget* parent)
    : QObject(parent), m_start(dateBox(parent, "mskData_Inicio")),
      m_end(dateBox(parent, "mskData_Fim")) {}

void PeriodBoxes::reset(QLineEdit* box) {
    box->setInputMask(QString());
    box->clear();
    box->setInputMask(ClienteFields::kMascaraData);
}

std::optional<Period> PeriodBoxes::check(MessageBoxes& messages) {
    return check(messages, m_start, m_end);
}

std::optional<Period> PeriodBoxes::check(MessageBoxes& messages, QLineEdit* start, QLineEdit* end) {
    const PeriodCheck verdict = checkPeriod(start->text(), end->text());
    if (verdict.ok())
        return verdict.period;
    messages.show(verdict.severity == PeriodCheck::Severity::Warning
                      ? MessageBoxes::Icon::Warning
                      : MessageBoxes::Icon::Information,
                  QStringLiteral("Aviso"), verdict.message);
    QLineEdit* box = verdict.box == PeriodCheck::Box::Start ? start : end;
    reset(box);
    box->setFocus();
    return std::nullopt;
}
