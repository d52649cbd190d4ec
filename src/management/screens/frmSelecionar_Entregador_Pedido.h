#pragma once

#include "masterdata/screens/EntregadorLookup.h"

// Assigns a delivery person to the order shown on the consultation screen: the delivery
// persons' list narrowed by name, and the pick written into the order.
class frmSelecionar_Entregador_Pedido : public EntregadorLookup {
    Q_OBJECT
public:
    frmSelecionar_Entregador_Pedido(ScreenContext& context, qint64 pedido,
                                    QWidget* parent = nullptr);

    // Enter in the list: the assignment alone.
    void AtualizaEntregador();

Q_SIGNALS:
    void entregadorAtualizado(const QString& nome);

protected:
    // "&Procurar": the assignment, then the question whether to leave.
    void procurar() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    qint64 m_pedido;
};
