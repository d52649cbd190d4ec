#include "management/screens/frmRelatorio_Entregador.h"

#include "management/ReportQueries.h"

frmRelatorio_Entregador::frmRelatorio_Entregador(ScreenContext& context, QWidget* parent)
    : ComboPeriodReportBase(context, parent, QStringLiteral("frmRelatorio_Entregador"),
                            QStringLiteral("Relatórios de Entregador"),
                            {QStringLiteral("fraEntregador"), QStringLiteral("Entregador:"),
                             QStringLiteral("cboEntregador")}) {
    guarded([this] {
        fillCombo(relatorios::nomesEntregadores(db()),
                  QStringLiteral("Não existe entregador cadastrado.    "));
    });
}

void frmRelatorio_Entregador::gera() {
    std::optional<Periodo> periodo;
    if (porPeriodo() && !(periodo = checkPeriod(inicio(), fim())))
        return;
    std::shared_ptr<const ReportRows> rows = relatorios::entregas(db(), filtro(), periodo, fonte());
    if (rows->rowCount() == 0) {
        messages().show(MessageBoxes::Icon::Information,
                        periodo ? QStringLiteral("Relatório de Entrega")
                                : QStringLiteral("Relatório de Forma_Pagamento"),
                        QStringLiteral("Não existe relatório para exibir"));
        return;
    }
    openPreview(
        relatorios::layoutComPeriodo(reportLayouts::entregador(), periodo, QDate::currentDate()),
        std::move(rows));
    close();
}
