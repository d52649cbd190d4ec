#pragma once

#include "common/screens/LookupDialogBase.h"
#include "management/BuscaPedido.h"

#include <functional>
#include <memory>

class PedidoListModel;
class PedidoQueries;
class QGroupBox;
class QLineEdit;
class QRadioButton;
class QStandardItemModel;
class QTreeView;

// The order search: today's orders at first, then by date, telephone, name or number prefix;
// the chosen order goes to the consultation. Opened with Origem "frmPedido" and a telephone
// it is the customer's history, with the summary rows and the most asked products.
class frmLocalizar_Pedido : public LookupDialogBase {
    Q_OBJECT
public:
    // Shows the order on the consultation screen (read-only when asked); false when the order
    // was not found and the search must stay open.
    using MostraPedido = std::function<bool(qint64 numero, bool somenteLeitura)>;

    frmLocalizar_Pedido(ScreenContext& context, QWidget* parent = nullptr);
    ~frmLocalizar_Pedido() override;

    // Set by the opener before the screen is shown.
    void setOrigem(const QString& origem) { m_origem = origem; }
    void setTelefone(const QString& telefone) { m_telefone = telefone; }
    void setMostraPedido(MostraPedido mostra) { m_mostraPedido = std::move(mostra); }

    bool historico() const { return m_origem == QLatin1String("frmPedido"); }
    PedidoListModel* pedidos() const { return m_model.get(); }
    QTreeView* lstTopProdutosPedidos() const { return m_lstTop; }

    void SelecionaPedido();

protected:
    void showEvent(QShowEvent* event) override;
    void refill() override;
    bool pick(int row) override;
    QWidget* searchBox() const override;
    void procurar() override;
    void rowDoubleClicked(int row) override;

private:
    void Form_Load();
    void escolhe(QRadioButton* opcao);
    void carregaTop();

    std::unique_ptr<PedidoQueries> m_queries;
    std::unique_ptr<PedidoListModel> m_model;
    QString m_origem;
    QString m_telefone;
    MostraPedido m_mostraPedido;
    bool m_carregado = false;
    QRadioButton* m_optData_Pedido;
    QRadioButton* m_optTelefone;
    QRadioButton* m_optNome_Cliente;
    QRadioButton* m_optNumero_Pedido;
    QLineEdit* m_mskData_Pedido;
    QLineEdit* m_mskTelefone;
    QLineEdit* m_txtNome_Cliente;
    QLineEdit* m_txtNumero_Pedido;
    QGroupBox* m_frmTop;
    QTreeView* m_lstTop;
    QStandardItemModel* m_top;
};
