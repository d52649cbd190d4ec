#pragma once

#include "management/screens/ComboPeriodReportBase.h"

// Sales total per payment method, of every day or of a period.
class frmRelatorio_Forma_Pagamento : public ComboPeriodReportBase {
    Q_OBJECT

public:
    frmRelatorio_Forma_Pagamento(ScreenContext& context, QWidget* parent = nullptr);

protected:
    void gera() override;
};
