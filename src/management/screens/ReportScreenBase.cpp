#include "management/screens/ReportScreenBase.h"

#include "management/screens/PeriodBoxes.h"
#include "masterdata/screens/ClienteFields.h"

#include "common/screens/ScreenContext.h"
#include "common/screens/Widgets.h"
#include "data/Connections.h"
#include "management/ReportRenderer.h"
#include "management/ReportTable.h"
#include "management/screens/ReportPreview.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
const QString& kMascaraData = ClienteFields::kMascaraData;
} // namespace

ReportScreenBase::ReportScreenBase(ScreenContext& context, QWidget* parent, const QString& name,
                                   const QString& titulo, int radius)
    : ScreenBase(context.messages, parent, ScreenOptions{.radius = radius}), m_context(context),
      m_body(new QVBoxLayout(this)) {
    setObjectName(name);
    setWindowTitle(titulo);
    m_body->setContentsMargins(20, 30, 20, 16);
    QLabel* title = widgets::label(this, QStringLiteral("lblTitulo"), titulo);
    QFont font = title->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.3);
    title->setFont(font);
    m_body->addWidget(title);
    m_body->addWidget(widgets::label(this, QStringLiteral("lblCriterio"),
                                     QStringLiteral("Selecione o critério para a visualização "
                                                    "do relatório")));
}

Database& ReportScreenBase::db() {
    return m_context.connections.db();
}

std::function<Database&()> ReportScreenBase::fonte() {
    return [&connections = m_context.connections]() -> Database& { return connections.db(); };
}

QRadioButton* ReportScreenBase::option(QWidget* parent, const QString& name,
                                       const QString& caption) {
    auto* button = widgets::named<QRadioButton>(parent, name, caption);
    roundFrame(button);
    return button;
}

QLineEdit* ReportScreenBase::dateBox(QWidget* parent, const QString& name) {
    QLineEdit* box = widgets::lineEdit(parent, name);
    box->setInputMask(kMascaraData);
    attachFocusColours(box);
    return box;
}

void ReportScreenBase::resetDateBox(QLineEdit* box) {
    PeriodBoxes::reset(box);
}

std::optional<Periodo> ReportScreenBase::checkPeriod(QLineEdit* inicio, QLineEdit* fim) {
    const std::optional<Period> period = PeriodBoxes::check(messages(), inicio, fim);
    if (!period)
        return std::nullopt;
    return Periodo{period->start, period->end};
}

QRadioButton* ReportScreenBase::orderingOption(QWidget* parent, const QString& name,
                                               const QString& caption, std::function<void()> run) {
    QRadioButton* button = option(parent, name, caption);
    button->setAutoExclusive(false);
    m_ordering << button;
    connect(button, &QRadioButton::clicked, this, [this, button, run = std::move(run)] {
        for (QRadioButton* other : std::as_const(m_ordering))
            other->setChecked(other == button);
        if (!messages().askYesNo(MessageBoxes::Icon::Information, kAviso,
                                 QStringLiteral("Deseja visualizar o relatório?"))) {
            clearOrdering();
            return;
        }
        guarded(run);
    });
    return button;
}

void ReportScreenBase::clearOrdering() {
    for (QRadioButton* button : std::as_const(m_ordering))
        button->setChecked(false);
}

void ReportScreenBase::openPreview(ReportLayout layout, ReportTable rows, bool maximised) {
    openPreview(std::move(layout), std::make_shared<const ReportTable>(std::move(rows)), maximised);
}

void ReportScreenBase::openPreview(ReportLayout layout, std::shared_ptr<const ReportRows> rows,
                                   bool maximised) {
    auto renderer = std::make_unique<ReportRenderer>(std::move(layout), std::move(rows));
    auto* preview = new ReportPreview(messages(), std::move(renderer), parentWidget());
    if (maximised)
        preview->showMaximized();
    else
        preview->show();
}
