#pragma once

#include "management/screens/ComboPeriodReportBase.h"

// Orders per delivery person, of every day or of a period.
class frmRelatorio_Entregador : public ComboPeriodReportBase {
    Q_OBJECT

public:
    frmRelatorio_Entregador(ScreenContext& context, QWidget* parent = nullptr);

protected:
    void gera() override;
};
