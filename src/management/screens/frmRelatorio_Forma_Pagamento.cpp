#include "management/screens/frmRelatorio_Forma_Pagamento.h"

#include "management/ReportQueries.h"

frmRelatorio_Forma_Pagamento::frmRelatorio_Forma_Pagamento(ScreenContext& context, QWidget* parent)
    : ComboPeriodReportBase(context, parent, QStringLiteral("frmRelatorio_Forma_Pagamento"),
                            QStringLiteral("Relatórios de Forma de Pagamento"),
                            {QStringLiteral("fraEntregador"), QStringLiteral("Forma de Entrega:"),
                             QStringLiteral("cboFormaPagamento")}) {
    guarded([this] {
        fillCombo(relatorios::formasPagamentoUsadas(db()),
                  QStringLiteral("Não existe entregador cadastrado.    "));
    });
}

void frmRelatorio_Forma_Pagamento::gera() {
    std::optional<Periodo> periodo;
    if (porPeriodo() && !(periodo = checkPeriod(inicio(), fim())))
        return;
    ReportTable rows = relatorios::formasPagamento(db(), filtro(), periodo);
    if (rows.rowCount() == 0) {
        messages().show(MessageBoxes::Icon::Information,
                        periodo ? QStringLiteral("Relatório de Vendas")
                                : QStringLiteral("Relatório de Forma_Pagamento"),
                        QStringLiteral("Não existe relatório para exibir"));
        return;
    }
    openPreview(relatorios::layoutComPeriodo(reportLayouts::formaPagamento(), periodo,
                                             QDate::currentDate()),
                std::move(rows));
    close();
}
