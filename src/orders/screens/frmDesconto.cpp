#include "orders/screens/frmDesconto.h"

#include "common/screens/ScreenContext.h"
#include "common/screens/Widgets.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
ScreenOptions opcoes() {
    ScreenOptions o;
    o.titleButtons = TitleButtonSet::CloseOnly;
    return o;
}

} // namespace

frmDesconto::frmDesconto(ScreenContext& context, const QString& totalTexto, QWidget* parent)
    : ScreenBase(context.messages, parent, opcoes()), m_totalTexto(totalTexto),
      m_txtValor(widgets::lineEdit(this, QStringLiteral("txtValor_Desconto"))),
      m_txtPc(widgets::lineEdit(this, QStringLiteral("txtPc_Desconto"))),
      m_txtDetalhe(widgets::lineEdit(this, QStringLiteral("txtDetalhe"))),
      m_btnAdicionar(new QPushButton(QStringLiteral("&Adicionar"), this)) {
    setObjectName(QStringLiteral("frmDesconto"));
    auto* layout = new QFormLayout(this);
    auto* label7 = new QLabel(QStringLiteral("Desconto"), this);
    label7->setObjectName(QStringLiteral("Label7"));
    layout->addRow(label7);
    layout->addRow(QStringLiteral("Valor"), m_txtValor);
    layout->addRow(QStringLiteral("%"), m_txtPc);
    layout->addRow(QStringLiteral("Detalhe"), m_txtDetalhe);
    m_btnAdicionar->setObjectName(QStringLiteral("btnAdicionar"));
    layout->addRow(m_btnAdicionar);
    m_txtDetalhe->setText(QStringLiteral("Desconto"));
    attachFocusColours(m_txtValor);
    attachFocusColours(m_txtPc);
    attachKeyFilter(m_txtValor, KeyFilterMode::Amount);
    attachKeyFilter(m_txtDetalhe, KeyFilterMode::Capitals);
    connect(m_btnAdicionar, &QPushButton::clicked, this, &frmDesconto::btnAdicionar_Click);
}

void frmDesconto::btnAdicionar_Click() {
    const ResultadoDesconto r =
        calculaDesconto(m_txtValor->text(), m_txtPc->text(), m_txtDetalhe->text(), m_totalTexto);
    if (std::holds_alternative<DescontoSemValor>(r)) {
        messages().show(MessageBoxes::Icon::Critical, QStringLiteral("Brisko"),
                        QStringLiteral("Favor digitar um valor ou percentual de Desconto."));
        m_txtValor->setFocus();
        return;
    }
    if (std::holds_alternative<DescontoTotalZero>(r)) {
        messages().show(MessageBoxes::Icon::Information, QStringLiteral("Brisko"),
                        QStringLiteral("% de Desconto não permitido para Pedido com Total Zero."));
        m_concluido = true;
        reject();
        return;
    }
    m_item = std::get<ItemDesconto>(r);
    m_concluido = true;
    accept();
}
