#include "management/screens/frmRelatorio_Pedido.h"

#include "common/screens/Widgets.h"
#include "management/ReportQueries.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

frmRelatorio_Pedido::frmRelatorio_Pedido(ScreenContext& context, QWidget* parent)
    : ReportScreenBase(context, parent, QStringLiteral("frmRelatorio_Pedido"),
                       QStringLiteral("Relatórios de Pedido"), 0) {
    QGroupBox* criterio = widgets::frame(this, QStringLiteral("fraPeriodo"), QString());
    roundFrame(criterio);
    m_optTodos = option(criterio, QStringLiteral("optTodos"), QStringLiteral("Todos"));
    m_optPeriodo = option(criterio, QStringLiteral("optPeriodo"), QStringLiteral("Por Período"));
    m_optPedido = option(criterio, QStringLiteral("optPedido"), QStringLiteral("Por Pedido"));
    for (QRadioButton* b : {m_optTodos, m_optPeriodo, m_optPedido})
        criterio->layout()->addWidget(b);

    auto* inputs = new QGridLayout;
    m_label2 = widgets::label(this, QStringLiteral("Label2"), QStringLiteral("Inicial"));
    m_label3 = widgets::label(this, QStringLiteral("Label3"), QStringLiteral("Final"));
    m_mskData_Inicio = dateBox(this, QStringLiteral("mskData_Inicio"));
    m_mskData_Fim = dateBox(this, QStringLiteral("mskData_Fim"));
    m_txtPedido_Inicio = widgets::lineEdit(this, QStringLiteral("txtPedido_Inicio"));
    m_txtPedido_Final = widgets::lineEdit(this, QStringLiteral("txtPedido_Final"));
    for (QLineEdit* box : {m_txtPedido_Inicio, m_txtPedido_Final}) {
        attachFocusColours(box);
        attachKeyFilter(box, KeyFilterMode::OrderNumber);
    }
    inputs->addWidget(m_label2, 0, 0);
    inputs->addWidget(m_label3, 0, 1);
    inputs->addWidget(m_mskData_Inicio, 1, 0);
    inputs->addWidget(m_mskData_Fim, 1, 1);
    inputs->addWidget(m_txtPedido_Inicio, 2, 0);
    inputs->addWidget(m_txtPedido_Final, 2, 1);

    QGroupBox* ordem = widgets::frame(this, QStringLiteral("fraOrdem"), QString());
    roundFrame(ordem);
    ordem->layout()->addWidget(orderingOption(ordem, QStringLiteral("optCodigo"),
                                              QStringLiteral("Ordem de Código"),
                                              [this] { GeraRelatorio(false); }));
    ordem->layout()->addWidget(orderingOption(ordem, QStringLiteral("optPreco"),
                                              QStringLiteral("Ordem de Preço"),
                                              [this] { GeraRelatorio(true); }));
    body()->addWidget(criterio);
    body()->addLayout(inputs);
    body()->addWidget(ordem);

    for (QRadioButton* b : {m_optTodos, m_optPeriodo, m_optPedido})
        connect(b, &QRadioButton::clicked, this, &frmRelatorio_Pedido::criterioMudou);
    for (QWidget* w :
         std::initializer_list<QWidget*>{m_label2, m_label3, m_mskData_Inicio, m_mskData_Fim,
                                         m_txtPedido_Inicio, m_txtPedido_Final})
        w->setVisible(false);
}

void frmRelatorio_Pedido::criterioMudou() {
    const bool periodo = m_optPeriodo->isChecked();
    const bool pedido = m_optPedido->isChecked();
    m_mskData_Inicio->setVisible(periodo);
    m_mskData_Fim->setVisible(periodo);
    // As the original screen does, the number boxes also show with the period.
    m_txtPedido_Inicio->setVisible(periodo || pedido);
    m_txtPedido_Final->setVisible(periodo || pedido);
    m_label2->setVisible(periodo || pedido);
    m_label3->setVisible(periodo || pedido);
    if (periodo) {
        for (QLineEdit* box : {m_mskData_Inicio, m_mskData_Fim}) {
            box->setEnabled(true);
            resetDateBox(box);
        }
        m_mskData_Inicio->setFocus();
    } else if (pedido) {
        m_txtPedido_Inicio->setFocus();
    }
}

std::optional<qint64> frmRelatorio_Pedido::pedido(QLineEdit* box, const QString& falta,
                                                  const QString& errado) {
    const QString text = box->text().trimmed();
    bool ok = false;
    const qint64 number = text.toLongLong(&ok);
    if (text.isEmpty() || !ok) {
        messages().show(text.isEmpty() ? MessageBoxes::Icon::Information
                                       : MessageBoxes::Icon::Warning,
                        kAviso, text.isEmpty() ? falta : errado);
        box->setFocus();
        return std::nullopt;
    }
    return number;
}

void frmRelatorio_Pedido::GeraRelatorio(bool porPreco) {
    relatorios::CriterioPedidos criterio;
    if (m_optPeriodo->isChecked()) {
        criterio.periodo = checkPeriod(m_mskData_Inicio, m_mskData_Fim);
        if (!criterio.periodo) {
            clearOrdering();
            return;
        }
    } else if (m_optPedido->isChecked()) {
        const auto primeiro = pedido(m_txtPedido_Inicio, QStringLiteral("Informe o pedido inicial"),
                                     QStringLiteral("Pedido inicial incorreto"));
        const auto ultimo =
            primeiro ? pedido(m_txtPedido_Final, QStringLiteral("Informe o pedido final"),
                              QStringLiteral("Pedido final incorreto"))
                     : std::nullopt;
        if (!ultimo) {
            clearOrdering();
            return;
        }
        criterio.faixa = relatorios::FaixaPedidos{*primeiro, *ultimo};
    } else if (!m_optTodos->isChecked()) {
        messages().show(MessageBoxes::Icon::Information, QStringLiteral("Relatório"),
                        QStringLiteral("Selecione um criterio para a consulta consulta."));
        clearOrdering();
        return;
    }
    relatorios::RelatorioPedidos relatorio = relatorios::pedidos(
        db(), criterio, porPreco ? relatorios::OrdemPedido::Preco : relatorios::OrdemPedido::Codigo,
        fonte());
    if (relatorio.quantidade == 0) {
        messages().show(MessageBoxes::Icon::Information,
                        criterio.periodo ? QStringLiteral("Relatório de Vendas")
                                         : QStringLiteral("Relatório de Pedido"),
                        QStringLiteral("Não existe relatório para exibir"));
        return;
    }
    ReportLayout layout = relatorios::layoutPedidos(relatorio, QDate::currentDate());
    openPreview(std::move(layout), std::move(relatorio.detalhe));
    close();
}
