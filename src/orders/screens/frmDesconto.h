#pragma once

#include "common/screens/ScreenBase.h"
#include "orders/Desconto.h"

#include <optional>

class QLineEdit;
struct ScreenContext;

// Discount as an amount or a percentage of the order's total; prepares a negative item that
// the order screen adds like any other.
class frmDesconto : public ScreenBase {
    Q_OBJECT
public:
    frmDesconto(ScreenContext& context, const QString& totalTexto, QWidget* parent = nullptr);

    // After exec: the prepared item (the dialog was accepted), else nothing.
    std::optional<ItemDesconto> item() const { return m_item; }
    // Closed by its own button (an item prepared, or a percentage refused for a zero total),
    // not cancelled: the order screen's focus then goes to its "Adicionar".
    bool concluido() const { return m_concluido; }

    QLineEdit* txtValor_Desconto() const { return m_txtValor; }
    QLineEdit* txtPc_Desconto() const { return m_txtPc; }
    QLineEdit* txtDetalhe() const { return m_txtDetalhe; }
    QPushButton* btnAdicionar() const { return m_btnAdicionar; }

public Q_SLOTS:
    void btnAdicionar_Click();

private:
    QString m_totalTexto;
    QLineEdit* m_txtValor;
    QLineEdit* m_txtPc;
    QLineEdit* m_txtDetalhe;
    QPushButton* m_btnAdicionar;
    std::optional<ItemDesconto> m_item;
    bool m_concluido = false;
};
