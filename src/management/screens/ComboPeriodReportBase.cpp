#include "management/screens/ComboPeriodReportBase.h"

#include "common/screens/Widgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
const QString kTodos = QStringLiteral("TODOS");
} // namespace

ComboPeriodReportBase::ComboPeriodReportBase(ScreenContext& context, QWidget* parent,
                                             const QString& name, const QString& titulo,
                                             const Combo& combo)
    : ReportScreenBase(context, parent, name, titulo, ScreenOptions::kDialogRadius) {
    QGroupBox* comboFrame = widgets::frame(this, combo.frame, QString());
    roundFrame(comboFrame);
    m_combo = widgets::named<QComboBox>(comboFrame, combo.name);
    QLabel* label = widgets::label(comboFrame, QStringLiteral("Label1"), combo.caption);
    label->setBuddy(m_combo);
    comboFrame->layout()->addWidget(label);
    comboFrame->layout()->addWidget(m_combo);
    m_combo->setMinimumWidth(220);

    QGroupBox* periodo = widgets::frame(this, QStringLiteral("fraPeriodo"), QString());
    roundFrame(periodo);
    m_optTodos = option(periodo, QStringLiteral("optTodos"), QStringLiteral("Todos"));
    m_optPeriodo = option(periodo, QStringLiteral("optPeriodo"), QStringLiteral("Por Período"));
    periodo->layout()->addWidget(m_optTodos);
    periodo->layout()->addWidget(m_optPeriodo);
    m_optTodos->setChecked(true);

    auto* dates = new QGridLayout;
    m_mskData_Inicio = dateBox(this, QStringLiteral("mskData_Inicio"));
    m_mskData_Fim = dateBox(this, QStringLiteral("mskData_Fim"));
    dates->addWidget(widgets::label(this, QStringLiteral("Label2"), QStringLiteral("Inicial")), 0,
                     0);
    dates->addWidget(widgets::label(this, QStringLiteral("Label3"), QStringLiteral("Final")), 0, 1);
    dates->addWidget(m_mskData_Inicio, 1, 0);
    dates->addWidget(m_mskData_Fim, 1, 1);
    m_mskData_Inicio->setEnabled(false);
    m_mskData_Fim->setEnabled(false);

    QPushButton* imprimir =
        widgets::button(this, QStringLiteral("btnImprimir"), QStringLiteral("&Gerar Relatório"));
    imprimir->setDefault(true);

    body()->addWidget(comboFrame);
    body()->addWidget(periodo);
    body()->addLayout(dates);
    body()->addWidget(imprimir, 0, Qt::AlignRight);

    connect(m_optPeriodo, &QRadioButton::clicked, this, [this] {
        for (QLineEdit* box : {m_mskData_Inicio, m_mskData_Fim}) {
            box->setEnabled(true);
            resetDateBox(box);
        }
        periodoEscolhido();
        m_mskData_Inicio->setFocus();
    });
    connect(m_optTodos, &QRadioButton::clicked, this, [this] {
        m_mskData_Inicio->setEnabled(false);
        m_mskData_Fim->setEnabled(false);
    });
    connect(imprimir, &QPushButton::clicked, this, [this] { guarded([this] { gera(); }); });
}

void ComboPeriodReportBase::fillCombo(const QStringList& items, const QString& vazio) {
    m_combo->clear();
    if (items.isEmpty()) {
        messages().show(MessageBoxes::Icon::Information, QStringLiteral("Brisko"), vazio);
        return;
    }
    m_combo->addItem(kTodos);
    m_combo->addItems(items);
    m_combo->setCurrentIndex(0);
}

QString ComboPeriodReportBase::filtro() const {
    return m_combo->currentIndex() <= 0 ? QString() : m_combo->currentText();
}

bool ComboPeriodReportBase::porPeriodo() const {
    return m_optPeriodo->isChecked();
}
