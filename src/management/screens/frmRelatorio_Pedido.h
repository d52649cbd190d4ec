#pragma once

#include "management/screens/ReportScreenBase.h"

class QLabel;
class QLineEdit;
class QRadioButton;

// Orders (all, of a period or of a range of numbers) with a summary per payment method.
class frmRelatorio_Pedido : public ReportScreenBase {
    Q_OBJECT

public:
    frmRelatorio_Pedido(ScreenContext& context, QWidget* parent = nullptr);

private:
    void criterioMudou();
    void GeraRelatorio(bool porPreco);
    // The number typed in `box`; tells and focuses it when it is missing or not a number.
    std::optional<qint64> pedido(QLineEdit* box, const QString& falta, const QString& errado);

    QRadioButton* m_optTodos;
    QRadioButton* m_optPeriodo;
    QRadioButton* m_optPedido;
    QLineEdit* m_mskData_Inicio;
    QLineEdit* m_mskData_Fim;
    QLineEdit* m_txtPedido_Inicio;
    QLineEdit* m_txtPedido_Final;
    QLabel* m_label2;
    QLabel* m_label3;
};
