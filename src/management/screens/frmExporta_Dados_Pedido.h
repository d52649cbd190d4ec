#pragma once

#include "management/screens/ExportScreenBase.h"

class PeriodBoxes;
class QLineEdit;

// The order items of the days between "Data Inicial" and "Data Final" into Pedidos.xlsx.
class frmExporta_Dados_Pedido : public ExportScreenBase {
    Q_OBJECT
public:
    frmExporta_Dados_Pedido(ScreenContext& context, QWidget* parent = nullptr);

    QLineEdit* mskData_Inicio() const;
    QLineEdit* mskData_Fim() const;

protected:
    bool acceptPeriod(std::optional<Period>& period) override;

private:
    PeriodBoxes* m_period;
};
