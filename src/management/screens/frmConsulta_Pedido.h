#pragma once

#include "common/screens/ScreenBase.h"

#include <QDateTime>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
struct ScreenContext;

// One stored order in full: header, items, delivery person; cancels it, assigns the delivery
// person, copies the "Whatsapp" text and reprints the receipt. Orders reach it through
// MostraPedido, called by the order search.
class frmConsulta_Pedido : public ScreenBase {
    Q_OBJECT
public:
    // Reprints the receipt of the order with that number; connected from outside, as the
    // receipt belongs to order taking.
    using Reimpressao = std::function<void(qint64 numero)>;

    frmConsulta_Pedido(ScreenContext& context, QWidget* parent = nullptr);

    void setReimpressao(Reimpressao reimprime) { m_reimprime = std::move(reimprime); }
    // The time printed on the "Whatsapp" text.
    void setRelogio(std::function<QDateTime()> relogio) { m_relogio = std::move(relogio); }

    // Shows the order; false, after "Pedido não cadastrado!!!", when there is none. Errors go
    // to the error routine and count as not shown.
    bool MostraPedido(qint64 numero);
    void LimpaTela();
    // Only looking: every action button off until the screen closes.
    void setSomenteLeitura();

    qint64 numero() const;
    QTableWidget* fgdPedido() const { return m_fgdPedido; }

public Q_SLOTS:
    void btnCancelar_Click();
    void btnMsg_Click();
    void btnImprimir_Click();
    void btnEntregador_Click();
    void btnProcurar_Click();

private:
    QLineEdit* campo(const char* nome);
    void preencheGrade();
    void cancela();

    ScreenContext& m_context;
    Reimpressao m_reimprime;
    std::function<QDateTime()> m_relogio = [] { return QDateTime::currentDateTime(); };
    QLabel* m_lblPedido;
    QLabel* m_lblData;
    QLabel* m_lblUsu_Id;
    QLabel* m_lblUsuario;
    QLineEdit* m_mskTelefone;
    QLineEdit* m_txtNome;
    QLineEdit* m_txtTipo;
    QLineEdit* m_txtLogradouro;
    QLineEdit* m_txtNumero;
    QLineEdit* m_txtComplemento;
    QLineEdit* m_txtBairro;
    QLineEdit* m_txtCidade;
    QLineEdit* m_txtUF;
    QLineEdit* m_txtCep;
    QLineEdit* m_txtObservacao;
    QLineEdit* m_txtFormaPagamento;
    QLineEdit* m_txtValorPago;
    QLineEdit* m_txtTroco;
    QLineEdit* m_txtTotal;
    QLineEdit* m_txtMensagem;
    QLineEdit* m_txtEntregador;
    QTableWidget* m_fgdPedido;
    QPushButton* m_btnProcurar;
    QPushButton* m_btnCancelar;
    QPushButton* m_btnImprimir;
    QPushButton* m_btnEntregador;
    QPushButton* m_btnMsg;
};
