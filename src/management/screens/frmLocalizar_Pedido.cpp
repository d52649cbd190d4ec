#include "management/screens/frmLocalizar_Pedido.h"

#include "common/screens/ScreenContext.h"
#include "data/Connections.h"
#include "data/DbError.h"
#include "management/PedidoListModel.h"
#include "management/PedidoQueries.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

constexpr int kAlturaNormal = 5865;
constexpr int kAlturaHistorico = 3435;
const QString kFormatoData = QStringLiteral("dd/MM/yyyy");

LookupDialogBase::Definition definicao() {
    return {.kind = LookupDialogBase::Kind::Localizar,
            .title = QStringLiteral("Localizar Pedido"),
            .listName = QStringLiteral("lstSelecionar_Pedido"),
            .columns = PedidoListModel::columns(),
            .notFoundText = QStringLiteral("Pedido não cadastrado!!!"),
            .notFoundCaption = QStringLiteral("Brisko")};
}

int pixels(int twips) {
    return twips / ScreenOptions::kTwipsPerPixel;
}

} // namespace

frmLocalizar_Pedido::frmLocalizar_Pedido(ScreenContext& context, QWidget* parent)
    : LookupDialogBase(context, definicao(), parent),
      m_queries(std::make_unique<PedidoQueries>(db())),
      m_model(std::make_unique<PedidoListModel>(*m_queries)) {
    setObjectName(QStringLiteral("frmLocalizar_Pedido"));
    setModel(m_model.get());
    connect(m_model.get(), &PedidoListModel::loadFailed, this,
            [this](const DbError& e) { error(e); });
    connect(m_model.get(), &PedidoListModel::searched, this, &frmLocalizar_Pedido::carregaTop);

    QGroupBox* frame = addSearchFrame(QStringLiteral("fraPedido"), QString());
    auto criterio = [&](const char* nome, const QString& legenda) {
        auto* opcao = new QRadioButton(legenda, frame);
        opcao->setObjectName(QLatin1String(nome));
        opcao->setAutoExclusive(false);
        frame->layout()->addWidget(opcao);
        connect(opcao, &QRadioButton::clicked, this, [this, opcao] { escolhe(opcao); });
        return opcao;
    };
    m_optData_Pedido = criterio("optData_Pedido", QStringLiteral("Data do Pedido"));
    m_mskData_Pedido = addSearchBox(frame, QStringLiteral("mskData_Pedido"), KeyFilterMode::None);
    m_mskData_Pedido->setInputMask(QStringLiteral("99/99/9999"));
    m_optTelefone = criterio("optTelefone", QStringLiteral("Telefone"));
    m_mskTelefone = addSearchBox(frame, QStringLiteral("mskTelefone"), KeyFilterMode::None);
    m_optNome_Cliente = criterio("optNome_Cliente", QStringLiteral("Nome"));
    m_txtNome_Cliente =
        addSearchBox(frame, QStringLiteral("txtNome_Cliente"), KeyFilterMode::Capitals);
    m_optNumero_Pedido = criterio("optNumero_Pedido", QStringLiteral("N. Pedido"));
    m_txtNumero_Pedido =
        addSearchBox(frame, QStringLiteral("txtNumero_Pedido"), KeyFilterMode::OrderNumber);

    list()->setFixedHeight(pixels(kAlturaNormal));

    m_frmTop = new QGroupBox(QStringLiteral("Top Solicitações"), this);
    m_frmTop->setObjectName(QStringLiteral("frmTop"));
    m_lstTop = new QTreeView(m_frmTop);
    m_lstTop->setObjectName(QStringLiteral("lstTopProdutosPedidos"));
    m_lstTop->setRootIsDecorated(false);
    m_lstTop->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lstTop->setUniformRowHeights(true);
    m_top = new QStandardItemModel(0, 3, this);
    m_top->setHorizontalHeaderLabels(
        {QStringLiteral("Descrição"), QStringLiteral("Qtd"), QStringLiteral("Valor")});
    m_top->horizontalHeaderItem(1)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_top->horizontalHeaderItem(2)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_lstTop->setModel(m_top);
    m_lstTop->setColumnWidth(0, pixels(5000));
    m_lstTop->setColumnWidth(1, pixels(600));
    m_lstTop->setColumnWidth(2, pixels(1000));
    auto* topLayout = new QVBoxLayout(m_frmTop);
    topLayout->addWidget(m_lstTop);
    // Below the order list, above the buttons.
    if (auto* principal = qobject_cast<QVBoxLayout*>(layout()))
        principal->insertWidget(principal->count() - 1, m_frmTop);
    m_frmTop->hide();
    roundFrame(frame);
    roundFrame(m_frmTop);
}

frmLocalizar_Pedido::~frmLocalizar_Pedido() {
    // The view lets go of the model before the model goes.
    list()->setModel(nullptr);
}

void frmLocalizar_Pedido::showEvent(QShowEvent* event) {
    if (!m_carregado) {
        m_carregado = true;
        Form_Load();
    }
    LookupDialogBase::showEvent(event);
}

void frmLocalizar_Pedido::Form_Load() {
    m_model->setResumo(historico());
    if (historico()) {
        list()->setFixedHeight(pixels(kAlturaHistorico));
        m_frmTop->show();
        for (QRadioButton* opcao : {m_optNumero_Pedido, m_optData_Pedido, m_optNome_Cliente}) {
            opcao->setChecked(false);
            opcao->setEnabled(false);
        }
        m_optTelefone->setChecked(true);
        m_mskTelefone->setEnabled(true);
        for (QLineEdit* box : {m_mskData_Pedido, m_txtNumero_Pedido, m_txtNome_Cliente})
            box->setEnabled(false);
        btnProcurar1()->hide();
        m_mskTelefone->setText(m_telefone);
        m_mskTelefone->setFocus();
    } else {
        escolhe(m_optData_Pedido);
        m_mskData_Pedido->setText(QDate::currentDate().toString(kFormatoData));
        list()->setFocus();
    }
    // The first list shows with the screen.
    m_model->flush();
}

void frmLocalizar_Pedido::escolhe(QRadioButton* opcao) {
    const std::pair<QRadioButton*, QLineEdit*> pares[] = {{m_optData_Pedido, m_mskData_Pedido},
                                                          {m_optTelefone, m_mskTelefone},
                                                          {m_optNome_Cliente, m_txtNome_Cliente},
                                                          {m_optNumero_Pedido, m_txtNumero_Pedido}};
    for (const auto& [botao, caixa] : pares) {
        botao->setChecked(botao == opcao);
        caixa->setEnabled(botao == opcao);
        // Chosen by the space bar, the criterion is typed at once, as in the customer lookups.
        if (botao == opcao)
            caixa->setFocus();
    }
}

void frmLocalizar_Pedido::refill() {
    if (!m_carregado)
        return;
    if (m_optData_Pedido->isChecked()) {
        const QDate dia = QDate::fromString(m_mskData_Pedido->text(), kFormatoData);
        if (dia.isValid())
            m_model->requestSearch(BuscaPedido::doDia(dia));
    } else if (m_optTelefone->isChecked()) {
        m_model->requestSearch(
            BuscaPedido::prefixo(BuscaPedido::Por::Telefone, m_mskTelefone->text()));
    } else if (m_optNome_Cliente->isChecked()) {
        m_model->requestSearch(
            BuscaPedido::prefixo(BuscaPedido::Por::Nome, m_txtNome_Cliente->text()));
    } else if (m_optNumero_Pedido->isChecked()) {
        m_model->requestSearch(
            BuscaPedido::prefixo(BuscaPedido::Por::Numero, m_txtNumero_Pedido->text()));
    }
}

void frmLocalizar_Pedido::carregaTop() {
    if (!historico() || !m_optTelefone->isChecked())
        return;
    try {
        const QList<ProdutoSolicitado> produtos = m_queries->topProdutos(m_mskTelefone->text());
        m_top->setRowCount(0);
        for (const ProdutoSolicitado& produto : produtos) {
            auto* qtd = new QStandardItem(QString::number(produto.quantidade));
            auto* valor = new QStandardItem(produto.total.formatList());
            qtd->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            valor->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_top->appendRow({new QStandardItem(produto.nome), qtd, valor});
        }
    } catch (const std::exception& failure) {
        error(failure);
    }
}

void frmLocalizar_Pedido::SelecionaPedido() {
    m_model->flush();
    const int row = selectedRow();
    const qint64 numero = row < 0 ? 0 : m_model->numeroAt(row);
    if (numero == 0) {
        messages().show(MessageBoxes::Icon::Information, QStringLiteral("Brisko"),
                        QStringLiteral("Pedido não cadastrado!!!"));
        return;
    }
    if (m_mostraPedido && m_mostraPedido(numero, historico()))
        accept();
}

void frmLocalizar_Pedido::procurar() {
    SelecionaPedido();
}

void frmLocalizar_Pedido::rowDoubleClicked(int) {
    SelecionaPedido();
}

bool frmLocalizar_Pedido::pick(int) {
    return false;
}

QWidget* frmLocalizar_Pedido::searchBox() const {
    if (m_optTelefone->isChecked())
        return m_mskTelefone;
    if (m_optNome_Cliente->isChecked())
        return m_txtNome_Cliente;
    if (m_optNumero_Pedido->isChecked())
        return m_txtNumero_Pedido;
    return m_mskData_Pedido;
}
