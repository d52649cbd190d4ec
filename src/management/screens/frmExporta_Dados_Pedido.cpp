#include "management/screens/frmExporta_Dados_Pedido.h"

#include "management/screens/PeriodBoxes.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

frmExporta_Dados_Pedido::frmExporta_Dados_Pedido(ScreenContext& context, QWidget* parent)
    : ExportScreenBase(context, parent, ExportKind::Pedidos,
                       {QStringLiteral("frmExporta_Dados_Pedido"),
                        QStringLiteral("Exporta todos os Pedidos para Excel"),
                        QStringLiteral("Exportar dados dos Pedidos"),
                        QStringLiteral("Não existe pedido cadastrado!!!"),
                        QStringLiteral("Exporta Dados Pedido")}) {
    auto* frame = new QGroupBox(this);
    frame->setObjectName(QStringLiteral("Frame1"));
    m_period = new PeriodBoxes(frame);
    auto* grid = new QGridLayout(frame);
    auto* start = new QLabel(QStringLiteral("Data Inicial"), frame);
    auto* end = new QLabel(QStringLiteral("Data Final"), frame);
    start->setBuddy(m_period->mskData_Inicio());
    end->setBuddy(m_period->mskData_Fim());
    grid->addWidget(start, 0, 0);
    grid->addWidget(m_period->mskData_Inicio(), 0, 1);
    grid->addWidget(end, 0, 2);
    grid->addWidget(m_period->mskData_Fim(), 0, 3);
    body()->addWidget(frame);
    roundFrame(frame);
    setTabOrder(m_period->mskData_Inicio(), m_period->mskData_Fim());
    setTabOrder(m_period->mskData_Fim(), btnExportar());
    m_period->mskData_Inicio()->setFocus();
}

QLineEdit* frmExporta_Dados_Pedido::mskData_Inicio() const {
    return m_period->mskData_Inicio();
}

QLineEdit* frmExporta_Dados_Pedido::mskData_Fim() const {
    return m_period->mskData_Fim();
}

bool frmExporta_Dados_Pedido::acceptPeriod(std::optional<Period>& period) {
    period = m_period->check(messages());
    return period.has_value();
}
