#include "orders/screens/frmPedido.h"

#include "common/Text.h"
#include "common/screens/ErrorRoutine.h"
#include "common/screens/FieldLeave.h"
#include "common/screens/ScreenContext.h"
#include "common/screens/Widgets.h"
#include "config/AppHome.h"
#include "config/Session.h"
#include "config/Settings.h"
#include "data/Connections.h"
#include "data/Database.h"
#include "masterdata/ClienteStore.h"
#include "masterdata/ProdutoStore.h"
#include "masterdata/UsuarioStore.h"
#include "masterdata/screens/ClienteLookup.h"
#include "masterdata/screens/frmCad_Cli_Ped.h"
#include "orders/DispatchText.h"
#include "orders/Pagamento.h"
#include "orders/PedidoStore.h"
#include "orders/Receipt.h"
#include "orders/ReceiptPrinter.h"
#include "orders/screens/frmDesconto.h"
#include "orders/screens/frmMensagem.h"
#include "orders/screens/frmPagamento.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QDateTime>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Enter presses the focused button as well as the default one, as attendants expect.
constexpr bool kEnterPressesFocused = true;

const QString kTitulo = QStringLiteral("Brisko");
const QString kAviso = QStringLiteral("Aviso");
const QString kPedido = QStringLiteral("Pedido");
const QString kCrLf = QStringLiteral("\r\n");

QToolButton* pictureButton(const QString& name, const QString& text, const QString& tip,
                           QWidget* parent) {
    auto* made = new QToolButton(parent);
    made->setObjectName(name);
    made->setText(text);
    made->setToolTip(tip);
    made->setMinimumSize(40, 28);
    return made;
}

QLabel* label(const QString& text, QWidget* parent) {
    return new QLabel(text, parent);
}

QString ouEspaco(const QString& valor) {
    return valor.isNull() ? QStringLiteral(" ") : valor;
}

bool soNumeros(const QString& texto) {
    bool ok = false;
    texto.trimmed().toDouble(&ok);
    return ok;
}

} // namespace

frmPedido::frmPedido(ScreenContext& context, QWidget* parent)
    : ScreenBase(context.messages, parent,
                 ScreenOptions{ScreenOptions::kRegistryRadius, TitleButtonSet::All, true,
                               ScreenPlacement::TopCentred, 200}),
      m_context(context),
      m_mskTelefone(widgets::lineEdit(this, QStringLiteral("mskTelefone"),
                                      QStringLiteral("Digite o Telefone do Cliente"))),
      m_btnProcurar(widgets::button(this, QStringLiteral("btnProcurar"),
                                    QStringLiteral("&Procurar"), kEnterPressesFocused)),
      m_tmrBtnProcurar(new QTimer(this)), m_imgLocalizaPedido(new QLabel(this)),
      m_txtNome(widgets::lineEdit(this, QStringLiteral("txtNome"))),
      m_txtTipo(widgets::lineEdit(this, QStringLiteral("txtTipo"))),
      m_txtLogradouro(widgets::lineEdit(this, QStringLiteral("txtLogradouro"))),
      m_txtNumero(widgets::lineEdit(this, QStringLiteral("txtNumero"))),
      m_txtComplemento(widgets::lineEdit(this, QStringLiteral("txtComplemento"))),
      m_txtBairro(widgets::lineEdit(this, QStringLiteral("txtBairro"))),
      m_txtCidade(widgets::lineEdit(this, QStringLiteral("txtCidade"))),
      m_txtUF(widgets::lineEdit(this, QStringLiteral("txtUF"))),
      m_txtCep(widgets::lineEdit(this, QStringLiteral("txtCep"))),
      m_txtObservacao(widgets::lineEdit(this, QStringLiteral("txtObservacao"))),
      m_txtAlergia(widgets::lineEdit(this, QStringLiteral("txtAlergia"))),
      m_txtProduto(widgets::lineEdit(this, QStringLiteral("txtProduto"))),
      m_txtQuantidade(widgets::lineEdit(this, QStringLiteral("txtQuantidade"))),
      m_txtPreco(widgets::lineEdit(this, QStringLiteral("txtPreco"))),
      m_txtPreco_Total(widgets::lineEdit(this, QStringLiteral("txtPreco_Total"))),
      m_btnNovo(widgets::button(this, QStringLiteral("btnNovo"), QStringLiteral("&Novo"),
                                kEnterPressesFocused)),
      m_btnTrocar(pictureButton(QStringLiteral("btnTrocar"), QStringLiteral("..."),
                                QStringLiteral("Incluir"), this)),
      m_btnAdicionar(widgets::button(this, QStringLiteral("btnAdicionar"),
                                     QStringLiteral("&Adicionar"), kEnterPressesFocused)),
      m_fgdPedido(new QTableWidget(this)),
      m_txtTotal(widgets::lineEdit(this, QStringLiteral("txtTotal"))),
      m_txtFormaPagamento(widgets::lineEdit(this, QStringLiteral("txtFormaPagamento"))),
      m_txtValorPago(widgets::lineEdit(this, QStringLiteral("txtValorPago"))),
      m_txtTroco(widgets::lineEdit(this, QStringLiteral("txtTroco"))),
      m_btnDesconto(pictureButton(QStringLiteral("btnDesconto"), QStringLiteral("%"),
                                  QStringLiteral("Desconto"), this)),
      m_btnPagamento(widgets::button(this, QStringLiteral("btnPagamento"),
                                     QStringLiteral("&Pagamento"), kEnterPressesFocused)),
      m_btnMensagem(widgets::button(this, QStringLiteral("btnMensagem"),
                                    QStringLiteral("&Mensagem"), kEnterPressesFocused)),
      m_btnFinalizar(widgets::button(this, QStringLiteral("btnFinalizar"),
                                     QStringLiteral("&Finalizar"), kEnterPressesFocused)),
      m_btnLimpar(widgets::button(this, QStringLiteral("btnLimpar"), QStringLiteral("&Limpar"),
                                  kEnterPressesFocused)),
      m_command2(widgets::button(this, QStringLiteral("Command2"), QStringLiteral("&Limpar"),
                                 kEnterPressesFocused)),
      m_lblPedido(new QLabel(this)), m_lblData(new QLabel(this)), m_lblUsuario(new QLabel(this)),
      m_lblUsu_Id(new QLabel(this)) {
    setObjectName(QStringLiteral("frmPedido"));
    setWindowTitle(QStringLiteral("Pedido"));
    command1()->setText(QStringLiteral("Command1"));
    m_tmrBtnProcurar->setObjectName(QStringLiteral("tmrBtnProcurar"));
    m_tmrBtnProcurar->setInterval(100);
    m_tmrBtnProcurar->setSingleShot(true);
    m_imgLocalizaPedido->setObjectName(QStringLiteral("imgLocalizaPedido"));
    m_fgdPedido->setObjectName(QStringLiteral("fgdPedido"));
    m_lblPedido->setObjectName(QStringLiteral("lblPedido"));
    m_lblData->setObjectName(QStringLiteral("lblData"));
    m_lblUsuario->setObjectName(QStringLiteral("lblUsuario"));
    m_lblUsu_Id->setObjectName(QStringLiteral("lblUsu_Id"));

    buildLayout();
    connectHandlers();

    // Loading.
    carregaUsuario();
    m_lblData->setText(QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
    m_sabores = CadeiaSabores{};
    mostraGrade();
    setDefault(m_btnProcurar);
    DesabilitaItem();
    m_btnAdicionar->setEnabled(false);
    m_btnNovo->setEnabled(false);
    m_imgLocalizaPedido->hide();
    m_mskTelefone->setFocus();
}

struct frmPedido::Consultas {
    explicit Consultas(Database& db) : conexao(db.connectionName()), clientes(db), pedidos(db) {}
    QString conexao;
    ClienteStore clientes;
    PedidoStore pedidos;
};

frmPedido::~frmPedido() = default;

frmPedido::Consultas& frmPedido::consultas() {
    Database& db = m_context.connections.db();
    if (!m_consultas || m_consultas->conexao != db.connectionName())
        m_consultas = std::make_unique<Consultas>(db);
    return *m_consultas;
}

void frmPedido::buildLayout() {
    auto* titulo = label(QStringLiteral("Pedido"), this);
    QFont grande = titulo->font();
    grande.setPointSize(grande.pointSize() + 6);
    grande.setBold(true);
    titulo->setFont(grande);

    m_imgLocalizaPedido->setText(QStringLiteral("Histórico de Pedidos"));
    m_imgLocalizaPedido->setCursor(Qt::PointingHandCursor);
    m_imgLocalizaPedido->setStyleSheet(
        QStringLiteral("QLabel { color: #1a4f9c; text-decoration: underline; }"));

    auto* telefone = new QHBoxLayout;
    telefone->addWidget(label(QStringLiteral("Telefone"), this));
    telefone->addWidget(m_mskTelefone, 1);
    telefone->addWidget(m_btnProcurar);
    telefone->addSpacing(24);
    telefone->addWidget(m_imgLocalizaPedido);
    telefone->addStretch(1);
    auto* cabecalho = new QGridLayout;
    cabecalho->addWidget(label(QStringLiteral("Numero do Pedido"), this), 0, 0);
    cabecalho->addWidget(m_lblPedido, 0, 1);
    cabecalho->addWidget(label(QStringLiteral("Data"), this), 1, 0);
    cabecalho->addWidget(m_lblData, 1, 1);
    auto* usuario = new QGroupBox(QStringLiteral("Usuário"), this);
    auto* usuarioLayout = new QHBoxLayout(usuario);
    usuarioLayout->addWidget(m_lblUsu_Id);
    usuarioLayout->addWidget(m_lblUsuario, 1);
    auto* topo = new QHBoxLayout;
    topo->addLayout(telefone, 3);
    topo->addLayout(cabecalho);
    topo->addWidget(usuario, 1);

    auto* cliente = new QGroupBox(QStringLiteral("Cliente"), this);
    auto* c = new QGridLayout(cliente);
    c->addWidget(label(QStringLiteral("Nome do Cliente"), this), 0, 0);
    c->addWidget(m_txtNome, 0, 1, 1, 5);
    c->addWidget(label(QStringLiteral("Tipo de Logradouro"), this), 1, 0);
    c->addWidget(m_txtTipo, 1, 1);
    c->addWidget(label(QStringLiteral("Endereço"), this), 1, 2);
    c->addWidget(m_txtLogradouro, 1, 3);
    c->addWidget(label(QStringLiteral("Nº"), this), 1, 4);
    c->addWidget(m_txtNumero, 1, 5);
    c->addWidget(label(QStringLiteral("Complemento"), this), 2, 0);
    c->addWidget(m_txtComplemento, 2, 1);
    c->addWidget(label(QStringLiteral("Bairro"), this), 2, 2);
    c->addWidget(m_txtBairro, 2, 3);
    c->addWidget(label(QStringLiteral("CEP"), this), 2, 4);
    c->addWidget(m_txtCep, 2, 5);
    c->addWidget(label(QStringLiteral("Cidade"), this), 3, 0);
    c->addWidget(m_txtCidade, 3, 1);
    c->addWidget(label(QStringLiteral("Estado"), this), 3, 2);
    c->addWidget(m_txtUF, 3, 3);
    c->addWidget(label(QStringLiteral("Observação"), this), 4, 0);
    c->addWidget(m_txtObservacao, 4, 1, 1, 5);
    c->setColumnStretch(3, 1);
    m_txtAlergia->hide(); // carried, never shown nor stored
    m_txtNumero->setMaximumWidth(90);
    m_txtUF->setMaximumWidth(60);

    auto* item = new QGroupBox(QStringLiteral("Item"), this);
    auto* i = new QGridLayout(item);
    i->addWidget(label(QStringLiteral("Produdo"), this), 0, 0);
    i->addWidget(label(QStringLiteral("Quantidade"), this), 0, 2);
    i->addWidget(label(QStringLiteral("Preço"), this), 0, 3);
    i->addWidget(label(QStringLiteral("Preço Total"), this), 0, 4);
    i->addWidget(m_txtProduto, 1, 0);
    i->addWidget(m_btnTrocar, 1, 1);
    i->addWidget(m_txtQuantidade, 1, 2);
    i->addWidget(m_txtPreco, 1, 3);
    i->addWidget(m_txtPreco_Total, 1, 4);
    i->addWidget(m_btnNovo, 1, 5);
    i->addWidget(m_btnAdicionar, 1, 6);
    i->setColumnStretch(0, 1);
    m_txtQuantidade->setMaximumWidth(90);

    m_fgdPedido->setColumnCount(6);
    m_fgdPedido->setToolTip(QStringLiteral("Clique no Item para Excluir"));
    m_fgdPedido->verticalHeader()->hide();
    m_fgdPedido->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_fgdPedido->setSelectionMode(QAbstractItemView::SingleSelection);
    m_fgdPedido->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_fgdPedido->setColumnWidth(0, 12);
    m_fgdPedido->setColumnWidth(1, 130);
    m_fgdPedido->setColumnWidth(3, 90);
    m_fgdPedido->setColumnWidth(4, 110);
    m_fgdPedido->setColumnWidth(5, 110);
    m_fgdPedido->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    m_fgdPedido->setMinimumHeight(180);
    auto* dica = label(
        QStringLiteral("DICA : Para EXCLUIR um registro, dê um duplo clique sobre a linha."), this);
    dica->setObjectName(QStringLiteral("Label29"));

    auto* pagamento = new QGridLayout;
    pagamento->addWidget(label(QStringLiteral("Total à Pagar"), this), 0, 0);
    pagamento->addWidget(m_txtTotal, 1, 0);
    pagamento->addWidget(label(QStringLiteral("Forma de Pagamento"), this), 0, 1);
    pagamento->addWidget(m_txtFormaPagamento, 1, 1);
    pagamento->addWidget(label(QStringLiteral("Valor Pago"), this), 0, 2);
    pagamento->addWidget(m_txtValorPago, 1, 2);
    pagamento->addWidget(label(QStringLiteral("Troco"), this), 0, 3);
    pagamento->addWidget(m_txtTroco, 1, 3);
    m_txtTotal->setReadOnly(true);
    QFont negrito = m_txtTotal->font();
    negrito.setBold(true);
    negrito.setPointSize(negrito.pointSize() + 3);
    m_txtTotal->setFont(negrito);
    m_txtTroco->setFont(negrito);

    auto* botoes = new QHBoxLayout;
    botoes->addWidget(m_btnDesconto);
    botoes->addWidget(m_btnPagamento);
    botoes->addWidget(m_btnMensagem);
    botoes->addStretch(1);
    botoes->addWidget(m_btnFinalizar);
    botoes->addWidget(m_btnLimpar);
    m_command2->hide(); // the second clear button of the design; same action as btnLimpar

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 34, 18, 18);
    layout->addWidget(titulo);
    layout->addLayout(topo);
    layout->addWidget(cliente);
    layout->addWidget(item);
    layout->addWidget(m_fgdPedido, 1);
    layout->addWidget(dica);
    layout->addLayout(pagamento);
    layout->addLayout(botoes);
    resize(1020, 740);

    for (QLineEdit* field : {m_mskTelefone, m_txtNome, m_txtTipo, m_txtLogradouro, m_txtNumero,
                             m_txtComplemento, m_txtBairro, m_txtCidade, m_txtUF, m_txtCep,
                             m_txtObservacao, m_txtProduto, m_txtQuantidade, m_txtPreco,
                             m_txtPreco_Total, m_txtFormaPagamento, m_txtValorPago, m_txtTroco})
        attachFocusColours(field, field == m_mskTelefone);
    attachKeyFilter(m_txtPreco, KeyFilterMode::Amount);
    attachKeyFilter(m_txtPreco_Total, KeyFilterMode::Amount);
    attachKeyFilter(m_txtQuantidade, KeyFilterMode::Digits);
}

void frmPedido::connectHandlers() {
    connect(m_btnProcurar, &QPushButton::clicked, this, &frmPedido::btnProcurar_Click);
    connect(m_mskTelefone, &QLineEdit::textChanged, this,
            [this](const QString& texto) { m_mskTelefone->setCursorPosition(int(texto.size())); });
    connect(m_tmrBtnProcurar, &QTimer::timeout, this, [this] {
        m_tmrBtnProcurar->stop();
        m_btnProcurar->click();
    });
    connect(m_btnNovo, &QPushButton::clicked, this, &frmPedido::btnNovo_Click);
    connect(m_btnTrocar, &QToolButton::clicked, this, &frmPedido::btnTrocar_Click);
    connect(m_btnAdicionar, &QPushButton::clicked, this, &frmPedido::btnAdicionar_Click);
    connect(m_btnDesconto, &QToolButton::clicked, this, &frmPedido::btnDesconto_Click);
    connect(m_btnPagamento, &QPushButton::clicked, this, &frmPedido::btnPagamento_Click);
    connect(m_btnMensagem, &QPushButton::clicked, this, &frmPedido::btnMensagem_Click);
    connect(m_btnFinalizar, &QPushButton::clicked, this, &frmPedido::btnFinalizar_Click);
    connect(m_btnLimpar, &QPushButton::clicked, this, &frmPedido::btnLimpar_Click);
    connect(m_command2, &QPushButton::clicked, this, &frmPedido::btnLimpar_Click);
    connect(m_txtQuantidade, &QLineEdit::textChanged, this, [this] { recalculaLinha(0); });
    connect(m_fgdPedido, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { guarded([this, row] { removeLinha(row + 1); }); });
    // The payment boxes stay editable; what they show is what is stored.
    auto pagamento = [this] {
        m_draft.setPagamento(m_txtFormaPagamento->text(), m_txtValorPago->text(),
                             m_txtTroco->text());
    };
    for (QLineEdit* field : {m_txtFormaPagamento, m_txtValorPago, m_txtTroco})
        connect(field, &QLineEdit::textEdited, this, pagamento);
    FieldLeave::attach(m_txtNome, [this] {
        if (soNumeros(m_txtNome->text()))
            messages().show(MessageBoxes::Icon::Critical, kAviso,
                            QStringLiteral("Este campo nao aceita numeros"));
    });
    // A price that cannot be read is said so and kept for correcting, never made a zero.
    FieldLeave::attach(m_txtPreco, [this] {
        if (!m_txtPreco->isEnabled() || m_txtPreco->text().trimmed().isEmpty())
            return;
        const std::optional<Money> preco = Money::parse(m_txtPreco->text());
        if (!preco) {
            messages().show(MessageBoxes::Icon::Information, kAviso,
                            QStringLiteral("Preço inválido. Digite o valor como 12,50."));
            m_txtPreco->setFocus();
            m_txtPreco->selectAll();
            return;
        }
        m_txtPreco->setText(OrderDraft::textoPreco(*preco));
        recalculaLinha(1);
    });
    for (QWidget* watched :
         {static_cast<QWidget*>(m_mskTelefone), static_cast<QWidget*>(m_txtQuantidade),
          static_cast<QWidget*>(m_fgdPedido)})
        watched->installEventFilter(this);
    m_imgLocalizaPedido->installEventFilter(this);
}

bool frmPedido::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (watched == m_mskTelefone) {
            QString texto = m_mskTelefone->text();
            m_mskTelefone->setText(FormataTelefone(texto));
            setDefault(m_btnProcurar);
        } else if (watched == m_txtQuantidade) {
            recalculaLinha(0);
        } else if (watched == m_fgdPedido) {
            setDefault(m_btnNovo);
        }
    } else if (event->type() == QEvent::MouseButtonDblClick && watched == m_imgLocalizaPedido) {
        Q_EMIT historicoPedidos(m_mskTelefone->text());
        return true;
    }
    return ScreenBase::eventFilter(watched, event);
}

bool frmPedido::escFecha() const {
    return m_mskTelefone->text().isEmpty() && m_draft.itens().isEmpty() &&
           m_txtProduto->text().isEmpty();
}

void frmPedido::setDefault(QPushButton* chosen) {
    for (QPushButton* other : {m_btnProcurar, m_btnNovo, m_btnAdicionar, m_btnFinalizar})
        other->setDefault(other == chosen);
}

void frmPedido::carregaUsuario() {
    const QString nome = m_context.session.gUsuarioNome;
    m_lblUsuario->setText(nome);
    std::optional<Usuario> usuario;
    if (!nome.isEmpty())
        usuario = UsuarioStore(m_context.connections.db()).findByNome(nome);
    if (usuario) {
        m_lblUsu_Id->setText(QString::number(usuario->codigo));
    } else {
        m_lblUsuario->setText(QStringLiteral("ADMINISTRADOR"));
        m_lblUsu_Id->setText(QStringLiteral("0"));
    }
}

bool frmPedido::recebeChamada(const QString& telefoneFormatado) {
    if (!m_mskTelefone->text().trimmed().isEmpty())
        return false;
    m_mskTelefone->setText(telefoneFormatado);
    m_tmrBtnProcurar->start();
    return true;
}

// Customer search ----------------------------------------------------------------------------

void frmPedido::btnProcurar_Click() {
    guarded([this] { procuraCliente(); });
}

void frmPedido::procuraCliente() {
    if (m_mskTelefone->text().trimmed().isEmpty()) {
        frmLocalizar_Cliente lookup(m_context, this);
        lookup.setOrigem(frmLocalizar_Cliente::kOrigemPedido);
        lookup.exec();
        if (lookup.telefoneEscolhido())
            m_mskTelefone->setText(*lookup.telefoneEscolhido());
        if (!m_mskTelefone->text().trimmed().isEmpty())
            procuraCliente();
        return;
    }
    QString digitado = m_mskTelefone->text();
    const QString telefone = FormataTelefone(digitado);
    m_mskTelefone->setText(telefone);

    if (mostraCliente(telefone)) {
        ofereceTaxa(telefone);
        clienteEncontrado();
        return;
    }
    if (!messages().askYesNo(
            MessageBoxes::Icon::Question, kPedido,
            QStringLiteral("Cliente não cadastrado!!! Deseja cadastrar o cliente?"))) {
        LimpaPedido();
        return;
    }
    frmCad_Cli_Ped cadastro(m_context, telefone, this);
    connect(&cadastro, &frmCad_Cli_Ped::clienteCadastrado, this,
            [this](const Cliente& novo) { m_mskTelefone->setText(novo.telefone); });
    cadastro.exec();
    if (!m_mskTelefone->text().trimmed().isEmpty() && mostraCliente(m_mskTelefone->text(), false)) {
        clienteEncontrado();
        return;
    }
    messages().show(MessageBoxes::Icon::None, kPedido,
                    QStringLiteral("Cliente não foi cadastrado!!!"));
    LimpaPedido();
}

bool frmPedido::mostraCliente(const QString& telefone, bool avisaAniversario) {
    const std::optional<Cliente> cliente = consultas().clientes.findByTelefone(telefone);
    if (!cliente)
        return false;
    m_mskTelefone->setText(cliente->telefone);
    m_imgLocalizaPedido->show();
    m_txtNome->setText(ouEspaco(cliente->nome));
    m_txtTipo->setText(ouEspaco(cliente->tipo));
    m_txtLogradouro->setText(ouEspaco(cliente->logradouro));
    m_txtNumero->setText(ouEspaco(cliente->numero));
    m_txtComplemento->setText(ouEspaco(cliente->complemento));
    m_txtBairro->setText(ouEspaco(cliente->bairro));
    m_txtCidade->setText(ouEspaco(cliente->cidade));
    m_txtUF->setText(ouEspaco(cliente->uf));
    m_txtCep->setText(ouEspaco(cliente->cep));
    m_txtObservacao->setText(ouEspaco(cliente->observacao));

    const QDate hoje = QDate::currentDate();
    const QDate nascimento = cliente->dataNascimento;
    if (avisaAniversario && m_context.session.alertaAniversario && nascimento.isValid() &&
        nascimento.day() == hoje.day() && nascimento.month() == hoje.month())
        messages().show(MessageBoxes::Icon::Warning, kTitulo,
                        QStringLiteral("ANIVERSÁRIO DO CLIENTE. Não esqueça os PARABÉNS!!!"));
    return true;
}

void frmPedido::ofereceTaxa(const QString& telefone) {
    const std::optional<PedidoStore::UltimaTaxa> ultima =
        consultas().pedidos.ultimaTaxaEntrega(telefone);
    if (!ultima)
        return;
    if (!messages().askYesNo(
            MessageBoxes::Icon::Question, kTitulo,
            QStringLiteral("Deseja adicionar a última TAXA DE ENTREGA deste cliente  ?")))
        return;
    const OrderDraft::PrecoTaxa taxa =
        OrderDraft::precoTaxa(ultima->precoAtual, ultima->precoArmazenado);
    if (taxa.diferente)
        messages().show(MessageBoxes::Icon::Warning, kTitulo,
                        QStringLiteral("Atenção !!! Última taxa de extrega diferente da atual !"));
    m_draft.colocaTaxa(ultima->nome, ultima->quantidade, taxa.preco);
    mostraGrade();
    mostraTotal();
}

void frmPedido::clienteEncontrado() {
    m_btnProcurar->setDefault(false);
    m_btnProcurar->setEnabled(false);
    m_btnNovo->setEnabled(true);
    setDefault(m_btnNovo);
    m_btnNovo->setFocus();
}

// Composing an item ---------------------------------------------------------------------------

void frmPedido::btnNovo_Click() {
    guarded([this] {
        if (ProdutoStore(m_context.connections.db()).isEmpty()) {
            messages().show(MessageBoxes::Icon::Information, kAviso,
                            QStringLiteral("Não existem produtos a serem selecionados"));
            return;
        }
        aplicaSelecao(frmSelecionar_Sabor::escolher(m_context, m_sabores, this));
        if (m_txtProduto->isEnabled()) {
            focaQuantidade();
            m_btnNovo->setEnabled(false);
            m_btnTrocar->setEnabled(true);
            m_btnAdicionar->setEnabled(true);
            setDefault(m_btnAdicionar);
            m_btnDesconto->setEnabled(false);
        }
    });
}

void frmPedido::btnTrocar_Click() {
    guarded([this] {
        aplicaSelecao(frmSelecionar_Sabor::escolher(m_context, m_sabores, this));
        focaQuantidade();
        recalculaLinha(0);
    });
}

// The proposed quantity is selected, so typing 2 gives 2, not 12.
void frmPedido::focaQuantidade() {
    m_txtQuantidade->setFocus();
    m_txtQuantidade->selectAll();
}

void frmPedido::aplicaSelecao(const SelecaoSabor& selecao) {
    if (selecao.resultado == SelecaoSabor::Resultado::Cancelado)
        return;
    HabilitaItem();
    if (selecao.resultado == SelecaoSabor::Resultado::Escolhido) {
        m_txtProduto->setText(selecao.produto);
        m_txtPreco->setText(selecao.preco);
        m_txtQuantidade->setText(QStringLiteral("1"));
        m_draft.setCategoria(selecao.categoria);
        recalculaLinha(0);
    }
    m_btnNovo->setEnabled(false);
    m_btnTrocar->setEnabled(true);
    m_btnAdicionar->setEnabled(true);
    setDefault(m_btnAdicionar);
}

void frmPedido::recalculaLinha(int quantidadeVazia) {
    if (!m_txtProduto->isEnabled())
        return; // nothing is being composed: the boxes are being emptied
    m_txtPreco_Total->setText(OrderDraft::textoPreco(
        OrderDraft::totalDaLinha(m_txtQuantidade->text(), m_txtPreco->text(), quantidadeVazia)));
    atualizaAdicionar();
}

void frmPedido::atualizaAdicionar() {
    const bool completo = !m_txtProduto->text().isEmpty() && !m_txtPreco->text().isEmpty() &&
                          !m_txtQuantidade->text().isEmpty() && !m_txtPreco_Total->text().isEmpty();
    m_btnAdicionar->setEnabled(completo);
    if (completo)
        setDefault(m_btnAdicionar);
}

void frmPedido::btnAdicionar_Click() {
    guarded([this] {
        if (m_txtQuantidade->text().isEmpty() || m_txtPreco_Total->text().isEmpty()) {
            messages().show(MessageBoxes::Icon::Information, kAviso,
                            QStringLiteral("Informe a quantidade e o preço."));
            m_txtQuantidade->setFocus();
            return;
        }
        m_draft.adiciona(m_draft.categoria(), m_txtProduto->text(), m_txtQuantidade->text(),
                         m_txtPreco->text());
        mostraGrade();
        mostraTotal();
        m_btnNovo->setEnabled(true);
        m_btnNovo->setFocus();
        setDefault(m_btnNovo);
        DesabilitaItem();
        for (QLineEdit* field : {m_txtProduto, m_txtQuantidade, m_txtPreco, m_txtPreco_Total})
            field->clear();
        m_btnAdicionar->setEnabled(false);
        m_btnDesconto->setEnabled(true);
    });
}

void frmPedido::removeLinha(int linha) {
    m_draft.remove(linha);
    mostraGrade();
    mostraTotal();
}

void frmPedido::mostraGrade() {
    const QStringList cabecalho = OrderDraft::cabecalho(m_draft.cabecalhoAtual());
    m_fgdPedido->setHorizontalHeaderLabels(cabecalho);
    const QList<ItemPedido>& itens = m_draft.itens();
    m_fgdPedido->setRowCount(m_draft.linhasGrade() - 1);
    for (int row = 0; row < m_fgdPedido->rowCount(); ++row) {
        const ItemPedido item = row < itens.size() ? itens.at(row) : ItemPedido{};
        const bool vazia = row >= itens.size();
        const QStringList colunas{QString(),
                                  item.categoria,
                                  item.nome,
                                  vazia ? QString() : QString::number(item.quantidade),
                                  vazia ? QString() : ItemPedido::texto(item.preco),
                                  vazia ? QString() : ItemPedido::texto(item.total)};
        for (int col = 0; col < colunas.size(); ++col) {
            auto* cell = new QTableWidgetItem(colunas.at(col));
            if (col >= 3)
                cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            else
                cell->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            m_fgdPedido->setItem(row, col, cell);
        }
    }
}

void frmPedido::mostraTotal() {
    m_txtTotal->setText(m_draft.totalTexto());
}

void frmPedido::HabilitaItem() {
    habilitaItem(true);
}

void frmPedido::DesabilitaItem() {
    habilitaItem(false);
}

void frmPedido::habilitaItem(bool habilitado) {
    const std::initializer_list<QWidget*> campos{m_txtProduto, m_txtPreco, m_txtQuantidade,
                                                 m_txtPreco_Total, m_btnTrocar};
    for (QWidget* field : campos)
        field->setEnabled(habilitado);
}

void frmPedido::HabilitaCliente() {
    for (QLineEdit* field :
         {m_txtNome, m_txtTipo, m_txtLogradouro, m_txtNumero, m_txtComplemento, m_txtBairro,
          m_txtCidade, m_txtUF, m_txtCep, m_txtObservacao, m_txtAlergia})
        field->setEnabled(true);
}

// Discount, payment, message ------------------------------------------------------------------

void frmPedido::btnDesconto_Click() {
    guarded([this] {
        frmDesconto desconto(m_context, m_txtTotal->text(), this);
        desconto.exec();
        const std::optional<ItemDesconto> item = desconto.item();
        if (!item) {
            if (desconto.concluido())
                m_btnAdicionar->setFocus();
            return;
        }
        m_txtProduto->setText(item->produto);
        m_txtPreco->setText(item->preco);
        m_txtQuantidade->setText(QStringLiteral("1"));
        m_txtPreco_Total->setText(OrderDraft::textoPreco(
            OrderDraft::totalDaLinha(m_txtQuantidade->text(), m_txtPreco->text())));
        atualizaAdicionar();
        m_btnAdicionar->setFocus();
    });
}

void frmPedido::btnPagamento_Click() {
    guarded([this] {
        frmPagamento pagamento(m_context, m_txtTotal->text(), this);
        pagamento.exec();
        const std::optional<Pagamento> escolhido = pagamento.pagamento();
        if (!escolhido)
            return;
        m_draft.setPagamento(escolhido->forma, escolhido->valorPago, escolhido->troco);
        m_txtFormaPagamento->setText(escolhido->forma);
        m_txtValorPago->setText(escolhido->valorPago);
        m_txtTroco->setText(escolhido->troco);
        if (escolhido->forma == QLatin1String("DINHEIRO")) {
            QPalette cores = m_txtTroco->palette();
            cores.setColor(QPalette::Text, corTroco(escolhido->trocoNegativo));
            m_txtTroco->setPalette(cores);
        }
    });
}

void frmPedido::btnMensagem_Click() {
    guarded([this] {
        if (!m_frmMensagem) {
            m_frmMensagem = new frmMensagem(m_context, this);
            m_frmMensagem->setAttribute(Qt::WA_DeleteOnClose);
            connect(m_frmMensagem, &frmMensagem::mensagemAdicionada, this,
                    [this](const QString& mensagem) { m_draft.setMensagem(mensagem); });
        }
        m_frmMensagem->show();
        m_frmMensagem->raise();
        m_frmMensagem->activateWindow();
        setDefault(m_btnFinalizar);
        if (m_btnFinalizar->isEnabled())
            m_btnFinalizar->setFocus();
    });
}

void frmPedido::fechaMensagem() {
    if (m_frmMensagem) {
        m_frmMensagem->setAttribute(Qt::WA_DeleteOnClose, false);
        m_frmMensagem->close();
        delete m_frmMensagem.data();
    }
}

void frmPedido::btnLimpar_Click() {
    fechaMensagem();
    LimpaPedido();
}

void frmPedido::closeEvent(QCloseEvent* event) {
    if (m_frmMensagem) {
        messages().show(MessageBoxes::Icon::Information, kTitulo,
                        QStringLiteral("A janela de mensagem ainda esta aberta."));
        m_frmMensagem->raise();
        m_frmMensagem->activateWindow();
        event->ignore();
        return;
    }
    ScreenBase::closeEvent(event);
    if (event->isAccepted())
        m_consultas.reset();
}

// Finalisation --------------------------------------------------------------------------------

void frmPedido::btnFinalizar_Click() {
    guarded([this] { finaliza(); });
}

void frmPedido::finaliza() {
    if (m_draft.itens().isEmpty() || m_draft.itens().first().nome.isEmpty()) {
        messages().show(MessageBoxes::Icon::Information, kAviso,
                        QStringLiteral("Não existem produtos adicionados ao pedido"));
        btnNovo_Click();
        return;
    }
    if (m_txtValorPago->text().isEmpty() && m_txtTroco->text().isEmpty()) {
        messages().show(MessageBoxes::Icon::None, kPedido,
                        QStringLiteral("Informe a forma de pagamento"));
        btnPagamento_Click();
        return;
    }
    if (!messages().askYesNo(MessageBoxes::Icon::Information, kAviso,
                             QStringLiteral("Confirma finalização do pedido?"))) {
        messages().show(
            MessageBoxes::Icon::Information, kAviso,
            QStringLiteral("Pedido não foi finalizado!!! Informe a forma de pagamento"));
        return;
    }

    Pedido pedido = snapshot();
    // Numbered, header and items in one transaction: on failure nothing is stored and the
    // order stays on screen.
    pedido.numero = PedidoStore(m_context.connections.db()).finalizar(pedido);
    m_lblPedido->setText(QString::number(pedido.numero));
    m_lblPedido->repaint();

    const QString espacos(8, QLatin1Char(' '));
    messages().show(MessageBoxes::Icon::Information, kAviso,
                    QStringLiteral("Pedido..: ") + QString::number(pedido.numero) + espacos +
                        kCrLf + kCrLf + QStringLiteral("Cliente.: ") + pedido.nome + espacos +
                        kCrLf + QStringLiteral("Telefone: ") + pedido.telefone + espacos + kCrLf +
                        QStringLiteral("Data....: ") + m_lblData->text() + espacos + kCrLf + kCrLf +
                        QStringLiteral("Finalizado com sucesso!!!"));

    // The order is stored: a printer failure is reported and the order still reaches the
    // delivery person and leaves the screen, so it cannot be finalised twice.
    if (messages().askYesNo(MessageBoxes::Icon::Information, kAviso,
                            QStringLiteral("Deseja imprimir o cupom ?"))) {
        bool impresso = true;
        try {
            imprime(pedido);
        } catch (const std::exception& failure) {
            error(failure);
            impresso = false;
        }
        if (impresso && messages().askYesNo(MessageBoxes::Icon::Information, kAviso,
                                            QStringLiteral("Deseja imprimir o cupom novamente?"))) {
            try {
                imprime(pedido);
            } catch (const std::exception& failure) {
                error(failure);
            }
        }
    }
    GeraMensagemEntregador(pedido);
    fechaMensagem();
    LimpaPedido();
}

Pedido frmPedido::snapshot() const {
    Pedido pedido = m_draft.pedido();
    pedido.usuId = m_context.session.usuId;
    pedido.usuario = m_lblUsuario->text();
    pedido.data = QDate::fromString(m_lblData->text(), QStringLiteral("dd/MM/yyyy"));
    pedido.telefone = m_mskTelefone->text();
    pedido.nome = m_txtNome->text();
    pedido.tipo = m_txtTipo->text();
    pedido.logradouro = m_txtLogradouro->text();
    pedido.numeroEndereco = m_txtNumero->text();
    pedido.complemento = m_txtComplemento->text();
    pedido.bairro = m_txtBairro->text();
    pedido.cidade = m_txtCidade->text();
    pedido.uf = m_txtUF->text();
    pedido.cep = m_txtCep->text();
    pedido.observacao = m_txtObservacao->text();
    pedido.formaPagamento = m_txtFormaPagamento->text();
    pedido.valorPago = m_txtValorPago->text();
    pedido.troco = m_txtTroco->text();
    return pedido;
}

void frmPedido::imprime(const Pedido& pedido) {
    const Settings& settings = m_context.settings;
    const ReceiptHeader cabecalho{settings.gImprimeCabecalho, settings.gNomeEmpresa,
                                  settings.gEnderecoEmpresa, settings.gTelefoneEmpresa};
    const QString texto = receiptText(pedido, cabecalho, m_relogio(), ReceiptKind::Original);
    ReceiptPrinter(m_context.home.root())
        .print(settings.gImpressora, receiptBytes(texto, settings.gCodificacaoCupom));
}

void frmPedido::GeraMensagemEntregador(const Pedido& pedido) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(dispatchText(pedido, m_relogio()));
    messages().show(MessageBoxes::Icon::Information, kTitulo,
                    QStringLiteral("Mensagem Gerada com Sucesso.") + kCrLf +
                        QStringLiteral("Vincule o ENTREGADOR quando o Produto estiver pronto."));
}

void frmPedido::LimpaPedido() {
    m_lblPedido->clear();
    DesabilitaItem();
    for (QLineEdit* field : {m_mskTelefone,  m_txtNome,        m_txtTipo,           m_txtLogradouro,
                             m_txtNumero,    m_txtComplemento, m_txtBairro,         m_txtCidade,
                             m_txtUF,        m_txtCep,         m_txtObservacao,     m_txtProduto,
                             m_txtPreco,     m_txtQuantidade,  m_txtPreco_Total,    m_txtTotal,
                             m_txtValorPago, m_txtTroco,       m_txtFormaPagamento, m_txtAlergia})
        field->clear();
    m_draft.limpa();
    mostraGrade();
    m_imgLocalizaPedido->hide();
    HabilitaCliente();
    m_btnProcurar->setEnabled(true);
    setDefault(m_btnProcurar);
    m_btnNovo->setEnabled(false);
    m_btnAdicionar->setEnabled(false);
    m_btnDesconto->setEnabled(true);
    m_mskTelefone->setFocus();
}
