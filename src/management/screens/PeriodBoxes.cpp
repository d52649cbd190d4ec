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
    const PeriodCheck verdict = checkPeriod(m_start->text(), m_end->text());
    if (verdict.ok())
        return verdict.period;
    messages.show(verdict.severity == PeriodCheck::Severity::Warning
                      ? MessageBoxes::Icon::Warning
                      : MessageBoxes::Icon::Information,
                  QStringLiteral("Aviso"), verdict.message);
    QLineEdit* box = verdict.box == PeriodCheck::Box::Start ? m_start : m_end;
    reset(box);
    box->setFocus();
    return std::nullopt;
}
