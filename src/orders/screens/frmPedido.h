#pragma once

#include "common/screens/ScreenBase.h"
#include "orders/OrderDraft.h"
#include "orders/Sabores.h"
#include "orders/screens/frmMensagem.h"
#include "orders/screens/frmSelecionar_Sabor.h"

#include <QDateTime>
#include <QPointer>
#include <functional>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTimer;
class QToolButton;
struct ScreenContext;

// The order screen: from the caller's telephone to a stored, printed order. The order itself
// is an OrderDraft; this screen shows it and runs the steps around it.
class frmPedido : public ScreenBase {
    Q_OBJECT
public:
    explicit frmPedido(ScreenContext& context, QWidget* parent = nullptr);
    ~frmPedido() override;

    // The caller identification's way in: the number goes into an empty telephone box and
    // the search starts 100 ms later. False (and nothing changes) while a telephone is there.
    bool recebeChamada(const QString& telefoneFormatado);

    const OrderDraft& draft() const { return m_draft; }
    // The history image's action; the order search is not part of this screen.

Q_SIGNALS:
    // A double click on the history image: the order search's history of this telephone.
    void historicoPedidos(const QString& telefone);

public:
    // The time printed on the receipt and the dispatch text.
    void setRelogio(std::function<QDateTime()> relogio) { m_relogio = std::move(relogio); }

    QLineEdit* mskTelefone() const { return m_mskTelefone; }
    QPushButton* btnProcurar() const { return m_btnProcurar; }
    QTimer* tmrBtnProcurar() const { return m_tmrBtnProcurar; }
    QLabel* imgLocalizaPedido() const { return m_imgLocalizaPedido; }
    QLineEdit* txtNome() const { return m_txtNome; }
    QLineEdit* txtTipo() const { return m_txtTipo; }
    QLineEdit* txtLogradouro() const { return m_txtLogradouro; }
    QLineEdit* txtNumero() const { return m_txtNumero; }
    QLineEdit* txtComplemento() const { return m_txtComplemento; }
    QLineEdit* txtBairro() const { return m_txtBairro; }
    QLineEdit* txtCidade() const { return m_txtCidade; }
    QLineEdit* txtUF() const { return m_txtUF; }
    QLineEdit* txtCep() const { return m_txtCep; }
    QLineEdit* txtObservacao() const { return m_txtObservacao; }
    QLineEdit* txtAlergia() const { return m_txtAlergia; }
    QLineEdit* txtProduto() const { return m_txtProduto; }
    QLineEdit* txtQuantidade() const { return m_txtQuantidade; }
    QLineEdit* txtPreco() const { return m_txtPreco; }
    QLineEdit* txtPreco_Total() const { return m_txtPreco_Total; }
    QPushButton* btnNovo() const { return m_btnNovo; }
    QToolButton* btnTrocar() const { return m_btnTrocar; }
    QPushButton* btnAdicionar() const { return m_btnAdicionar; }
    QTableWidget* fgdPedido() const { return m_fgdPedido; }
    QLineEdit* txtTotal() const { return m_txtTotal; }
    QLineEdit* txtFormaPagamento() const { return m_txtFormaPagamento; }
    QLineEdit* txtValorPago() const { return m_txtValorPago; }
    QLineEdit* txtTroco() const { return m_txtTroco; }
    QToolButton* btnDesconto() const { return m_btnDesconto; }
    QPushButton* btnPagamento() const { return m_btnPagamento; }
    QPushButton* btnMensagem() const { return m_btnMensagem; }
    QPushButton* btnFinalizar() const { return m_btnFinalizar; }
    QPushButton* btnLimpar() const { return m_btnLimpar; }
    QPushButton* command2() const { return m_command2; }
    QLabel* lblPedido() const { return m_lblPedido; }
    QLabel* lblData() const { return m_lblData; }
    QLabel* lblUsuario() const { return m_lblUsuario; }
    QLabel* lblUsu_Id() const { return m_lblUsu_Id; }
    frmMensagem* janelaMensagem() const { return m_frmMensagem; }

public Q_SLOTS:
    void btnProcurar_Click();
    void btnNovo_Click();
    void btnTrocar_Click();
    void btnAdicionar_Click();
    void btnDesconto_Click();
    void btnPagamento_Click();
    void btnMensagem_Click();
    void btnFinalizar_Click();
    void btnLimpar_Click();
    void LimpaPedido();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The caller may still be on the line: Esc never throws an order away.
    bool escFecha() const override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildLayout();
    void connectHandlers();
    void carregaUsuario();
    void procuraCliente();
    bool mostraCliente(const QString& telefone, bool avisaAniversario = true);
    void ofereceTaxa(const QString& telefone);
    void clienteEncontrado();
    void aplicaSelecao(const SelecaoSabor& selecao);
    void focaQuantidade();
    void recalculaLinha(int quantidadeVazia);
    void atualizaAdicionar();
    void removeLinha(int linha);
    void mostraGrade();
    void mostraTotal();
    void mostraPagamento(bool trocoNegativo);
    void finaliza();
    Pedido snapshot() const;
    void imprime(const Pedido& pedido);
    void GeraMensagemEntregador(const Pedido& pedido);
    void HabilitaItem();
    void DesabilitaItem();
    void habilitaItem(bool habilitado);
    void HabilitaCliente();
    void setDefault(QPushButton* button);
    void fechaMensagem();

    // The lookups each call runs, kept prepared on the connection they were made for and
    // let go when the screen closes, before a user switch closes that connection.
    struct Consultas;
    Consultas& consultas();

    ScreenContext& m_context;
    std::unique_ptr<Consultas> m_consultas;
    OrderDraft m_draft;
    CadeiaSabores m_sabores;
    std::function<QDateTime()> m_relogio = [] { return QDateTime::currentDateTime(); };
    QPointer<frmMensagem> m_frmMensagem;

    QLineEdit* m_mskTelefone;
    QPushButton* m_btnProcurar;
    QTimer* m_tmrBtnProcurar;
    QLabel* m_imgLocalizaPedido;
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
    QLineEdit* m_txtAlergia;
    QLineEdit* m_txtProduto;
    QLineEdit* m_txtQuantidade;
    QLineEdit* m_txtPreco;
    QLineEdit* m_txtPreco_Total;
    QPushButton* m_btnNovo;
    QToolButton* m_btnTrocar;
    QPushButton* m_btnAdicionar;
    QTableWidget* m_fgdPedido;
    QLineEdit* m_txtTotal;
    QLineEdit* m_txtFormaPagamento;
    QLineEdit* m_txtValorPago;
    QLineEdit* m_txtTroco;
    QToolButton* m_btnDesconto;
    QPushButton* m_btnPagamento;
    QPushButton* m_btnMensagem;
    QPushButton* m_btnFinalizar;
    QPushButton* m_btnLimpar;
    QPushButton* m_command2;
    QLabel* m_lblPedido;
    QLabel* m_lblData;
    QLabel* m_lblUsuario;
    QLabel* m_lblUsu_Id;
};
