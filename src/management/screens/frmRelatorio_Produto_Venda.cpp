#include "management/screens/frmRelatorio_Produto_Venda.h"

#include "management/ReportQueries.h"

#include <QApplication>
#include <QLineEdit>

frmRelatorio_Produto_Venda::frmRelatorio_Produto_Venda(ScreenContext& context, QWidget* parent)
    : ComboPeriodReportBase(context, parent, QStringLiteral("frmRelatorio_Produto_Venda"),
                            QStringLiteral("Relatórios de Venda Produto"),
                            {QStringLiteral("fraProduto"), QStringLiteral("Categoria:"),
                             QStringLiteral("cboCategoria")}) {
    guarded([this] {
        fillCombo(relatorios::categoriasVendidas(db()),
                  QStringLiteral("Não existe venda cadastrada. "));
    });
}

// Proposes the current month.
void frmRelatorio_Produto_Venda::periodoEscolhido() {
    const QDate hoje = QDate::currentDate();
    inicio()->setText(QStringLiteral("01/") + hoje.toString(QStringLiteral("MM/yyyy")));
    fim()->setText(hoje.toString(QStringLiteral("dd/MM/yyyy")));
}

void frmRelatorio_Produto_Venda::gera() {
    std::optional<Periodo> periodo;
    if (porPeriodo()) {
        const auto lido = validaPeriodo(inicio()->displayText(), fim()->displayText());
        if (!std::holds_alternative<Periodo>(lido)) {
            messages().show(MessageBoxes::Icon::Warning, QStringLiteral("Brisko"),
                            QStringLiteral("Atenção !!! Data Inicial e Data Final devem ser "
                                           "válidas."));
            inicio()->setFocus();
            return;
        }
        periodo = std::get<Periodo>(lido);
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct Restore {
        ~Restore() { QApplication::restoreOverrideCursor(); }
    } restore;
    const QString categoria = filtro();
    openPreview(relatorios::layoutVendas(categoria, periodo, QDate::currentDate()),
                relatorios::vendasPorCategoria(db(), categoria, periodo), true);
}
