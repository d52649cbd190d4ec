#pragma once

#include "management/screens/ComboPeriodReportBase.h"

// Products sold per category, of every day or of a period; stays open after the preview.
class frmRelatorio_Produto_Venda : public ComboPeriodReportBase {
    Q_OBJECT

public:
    frmRelatorio_Produto_Venda(ScreenContext& context, QWidget* parent = nullptr);

protected:
    void periodoEscolhido() override;
    void gera() override;
};
