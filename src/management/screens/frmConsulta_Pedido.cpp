#include "management/screens/frmConsulta_Pedido.h"

#include "common/screens/ScreenContext.h"
#include "data/Connections.h"
#include "data/DbError.h"
#include "management/MensagemEntregador.h"
#include "management/PedidoChanges.h"
#include "management/PedidoQueries.h"
#include "management/screens/frmLocalizar_Pedido.h"
#include "management/screens/frmSelecionar_Entregador_Pedido.h"

#include <QClipboard>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QString kBrisko = QStringLiteral("Brisko");
const QString kCancelado = QStringLiteral("CANCELADO");
constexpr int kTitleRoom = 28;

ScreenOptions opcoes() {
    ScreenOptions o;
    o.radius = ScreenOptions::kRegistryRadius;
    o.placement = ScreenPlacement::TopCentred;
    o.topTwips = 500;
    return o;
}

QString plain(const std::optional<Money>& valor) {
    return valor ? valor->formatPlain() : QString();
}

QString listed(const std::optional<Money>& valor) {
    return valor ? valor->formatList() : QString();
}

} // namespace

frmConsulta_Pedido::frmConsulta_Pedido(ScreenContext& context, QWidget* parent)
    : ScreenBase(context.messages, parent, opcoes()), m_context(context),
      m_lblPedido(new QLabel(this)), m_lblData(new QLabel(this)), m_lblUsu_Id(new QLabel(this)),
      m_lblUsuario(new QLabel(this)), m_mskTelefone(campo("mskTelefone")),
      m_txtNome(campo("txtNome")), m_txtTipo(campo("txtTipo")),
      m_txtLogradouro(campo("txtLogradouro")), m_txtNumero(campo("txtNumero")),
      m_txtComplemento(campo("txtComplemento")), m_txtBairro(campo("txtBairro")),
      m_txtCidade(campo("txtCidade")), m_txtUF(campo("txtUF")), m_txtCep(campo("txtCep")),
      m_txtObservacao(campo("txtObservacao")), m_txtFormaPagamento(campo("txtFormaPagamento")),
      m_txtValorPago(campo("txtValorPago")), m_txtTroco(campo("txtTroco")),
      m_txtTotal(campo("txtTotal")), m_txtMensagem(campo("txtMensagem")),
      m_txtEntregador(campo("txtEntregador")), m_fgdPedido(new QTableWidget(this)),
      m_btnProcurar(new QPushButton(QStringLiteral("&Procurar"), this)),
      m_btnCancelar(new QPushButton(QStringLiteral("&Cancelar"), this)),
      m_btnImprimir(new QPushButton(QStringLiteral("&Imprimir"), this)),
      m_btnEntregador(new QPushButton(QStringLiteral("&Entreg."), this)),
      m_btnMsg(new QPushButton(QStringLiteral("Whatsapp"), this)) {
    setObjectName(QStringLiteral("frmConsulta_Pedido"));
    setWindowTitle(QStringLiteral("Consultar Pedido"));
    setModal(false);
    m_lblPedido->setObjectName(QStringLiteral("lblPedido"));
    m_lblData->setObjectName(QStringLiteral("lblData"));
    m_lblUsu_Id->setObjectName(QStringLiteral("lblUsu_Id"));
    m_lblUsuario->setObjectName(QStringLiteral("lblUsuario"));
    QFont destaque = m_lblPedido->font();
    destaque.setBold(true);
    destaque.setPointSizeF(destaque.pointSizeF() * 1.4);
    m_lblPedido->setFont(destaque);

    auto* titulo = new QLabel(QStringLiteral("Consultar Pedido"), this);
    titulo->setObjectName(QStringLiteral("lblTitulo"));
    QFont tituloFonte = titulo->font();
    tituloFonte.setBold(true);
    tituloFonte.setPointSizeF(tituloFonte.pointSizeF() * 1.3);
    titulo->setFont(tituloFonte);

    auto quadro = [this](const char* nome, const QString& legenda,
                         std::initializer_list<QWidget*> conteudo) {
        auto* frame = new QGroupBox(legenda, this);
        frame->setObjectName(QLatin1String(nome));
        auto* linha = new QHBoxLayout(frame);
        for (QWidget* w : conteudo)
            linha->addWidget(w);
        roundFrame(frame);
        return frame;
    };
    auto* topo = new QHBoxLayout;
    topo->addWidget(quadro("Frame6", QStringLiteral("Numero do Pedido"), {m_lblPedido}));
    topo->addWidget(quadro("Frame7", QStringLiteral("Data"), {m_lblData}));
    topo->addWidget(quadro("fraTelefone", QStringLiteral("Telefone do Cliente"), {m_mskTelefone}));
    topo->addWidget(quadro("Frame2", QStringLiteral("Usuário"), {m_lblUsu_Id, m_lblUsuario}), 1);

    auto* campos = new QGridLayout;
    auto par = [this, campos](int linha, int coluna, const QString& legenda, QLineEdit* campo,
                              int largura = 1) {
        auto* rotulo = new QLabel(legenda, this);
        rotulo->setBuddy(campo);
        campos->addWidget(rotulo, linha, coluna);
        campos->addWidget(campo, linha, coluna + 1, 1, largura);
    };
    par(0, 0, QStringLiteral("Nome"), m_txtNome, 3);
    par(0, 4, QStringLiteral("Tipo"), m_txtTipo);
    par(1, 0, QStringLiteral("Logradouro"), m_txtLogradouro, 3);
    par(1, 4, QStringLiteral("Numero"), m_txtNumero);
    par(2, 0, QStringLiteral("Complemento"), m_txtComplemento);
    par(2, 2, QStringLiteral("Bairro"), m_txtBairro);
    par(2, 4, QStringLiteral("Cidade"), m_txtCidade);
    par(3, 0, QStringLiteral("UF"), m_txtUF);
    par(3, 2, QStringLiteral("CEP"), m_txtCep);
    par(3, 4, QStringLiteral("Entregador"), m_txtEntregador);
    par(4, 0, QStringLiteral("Observação"), m_txtObservacao, 5);
    par(5, 0, QStringLiteral("Forma Pagamento"), m_txtFormaPagamento);
    par(5, 2, QStringLiteral("VL. Pago"), m_txtValorPago);
    par(5, 4, QStringLiteral("Troco"), m_txtTroco);
    par(6, 0, QStringLiteral("Total à Pagar"), m_txtTotal);
    par(6, 2, QStringLiteral("Mensagem"), m_txtMensagem, 3);

    m_fgdPedido->setObjectName(QStringLiteral("fgdPedido"));
    m_fgdPedido->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_fgdPedido->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_fgdPedido->verticalHeader()->hide();
    const QFontMetrics medida(m_fgdPedido->font());
    const int caractere = medida.horizontalAdvance(QLatin1Char('0'));
    m_fgdPedido->setColumnCount(5);
    m_fgdPedido->setColumnWidth(0, caractere * 2);
    m_fgdPedido->setColumnWidth(1, caractere * 56);
    m_fgdPedido->setColumnWidth(2, caractere * 13);
    m_fgdPedido->setColumnWidth(3, caractere * 16);
    m_fgdPedido->setColumnWidth(4, caractere * 16);
    LimpaTela();

    auto* botoes = new QHBoxLayout;
    const std::pair<QPushButton*, const char*> nomes[] = {{m_btnProcurar, "btnProcurar"},
                                                          {m_btnCancelar, "btnCancelar"},
                                                          {m_btnImprimir, "btnImprimir"},
                                                          {m_btnEntregador, "btnEntregador"},
                                                          {m_btnMsg, "btnMsg"}};
    for (const auto& [botao, nome] : nomes) {
        botao->setObjectName(QLatin1String(nome));
        botao->setAutoDefault(false);
        botoes->addWidget(botao);
    }
    botoes->addStretch(1);
    command1()->setText(QStringLiteral("Command1"));
    connect(m_btnProcurar, &QPushButton::clicked, this, &frmConsulta_Pedido::btnProcurar_Click);
    connect(m_btnCancelar, &QPushButton::clicked, this, &frmConsulta_Pedido::btnCancelar_Click);
    connect(m_btnImprimir, &QPushButton::clicked, this, &frmConsulta_Pedido::btnImprimir_Click);
    connect(m_btnEntregador, &QPushButton::clicked, this, &frmConsulta_Pedido::btnEntregador_Click);
    connect(m_btnMsg, &QPushButton::clicked, this, &frmConsulta_Pedido::btnMsg_Click);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, kTitleRoom, 12, 12);
    layout->addWidget(titulo);
    layout->addLayout(topo);
    layout->addLayout(campos);
    layout->addWidget(m_fgdPedido, 1);
    layout->addLayout(botoes);
    resize(900, 620);
}

QLineEdit* frmConsulta_Pedido::campo(const char* nome) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QLatin1String(nome));
    edit->setReadOnly(true);
    return edit;
}

qint64 frmConsulta_Pedido::numero() const {
    return m_lblPedido->text().toLongLong();
}

bool frmConsulta_Pedido::MostraPedido(qint64 numero) {
    bool mostrado = false;
    guarded([&] {
        const std::optional<PedidoGravado> pedido =
            PedidoQueries(m_context.connections.db()).consulta(numero);
        if (!pedido) {
            messages().show(MessageBoxes::Icon::Information, kBrisko,
                            QStringLiteral("Pedido não cadastrado!!!"));
            return;
        }
        const PedidoGravado& p = *pedido;
        m_lblPedido->setText(QString::number(p.numero));
        m_lblData->setText(p.data.isValid() ? p.data.toString(QStringLiteral("dd/MM/yyyy"))
                                            : QString());
        m_lblUsu_Id->setText(QString::number(p.usuId));
        m_lblUsuario->setText(p.usuario);
        const std::pair<QLineEdit*, QString> textos[] = {{m_mskTelefone, p.telefone},
                                                         {m_txtNome, p.nome},
                                                         {m_txtTipo, p.tipo},
                                                         {m_txtLogradouro, p.logradouro},
                                                         {m_txtNumero, p.numeroEndereco},
                                                         {m_txtComplemento, p.complemento},
                                                         {m_txtBairro, p.bairro},
                                                         {m_txtCidade, p.cidade},
                                                         {m_txtUF, p.uf},
                                                         {m_txtCep, p.cep},
                                                         {m_txtObservacao, p.observacao},
                                                         {m_txtFormaPagamento, p.formaPagamento},
                                                         {m_txtValorPago, plain(p.valorPago)},
                                                         {m_txtTroco, plain(p.troco)},
                                                         {m_txtTotal, plain(p.total)},
                                                         {m_txtMensagem, p.mensagemComStatus()},
                                                         {m_txtEntregador, p.entregador}};
        for (const auto& [campo, texto] : textos) {
            campo->setText(texto);
            campo->setCursorPosition(0);
        }
        m_fgdPedido->setRowCount(1);
        int linha = 1;
        for (const ItemGravado& item : p.itens) {
            m_fgdPedido->setRowCount(linha + 1);
            const QString celulas[] = {QString(), item.nome,
                                       item.quantidade ? QString::number(*item.quantidade)
                                                       : QString(),
                                       listed(item.preco), listed(item.total)};
            for (int coluna = 0; coluna < 5; ++coluna) {
                auto* celula = new QTableWidgetItem(celulas[coluna]);
                if (coluna >= 2)
                    celula->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                m_fgdPedido->setItem(linha, coluna, celula);
            }
            ++linha;
        }
        mostrado = true;
    });
    return mostrado;
}

void frmConsulta_Pedido::LimpaTela() {
    m_lblPedido->clear();
    for (QLineEdit* campo :
         {m_mskTelefone, m_txtNome, m_txtTipo, m_txtLogradouro, m_txtNumero, m_txtComplemento,
          m_txtBairro, m_txtCidade, m_txtUF, m_txtCep, m_txtObservacao, m_txtTotal, m_txtValorPago,
          m_txtTroco, m_txtFormaPagamento})
        campo->clear();
    m_fgdPedido->clearContents();
    m_fgdPedido->setRowCount(2);
    // The header is the grid's first row, as in a flex grid with one fixed row.
    m_fgdPedido->horizontalHeader()->hide();
    const QString cabecalho[] = {QString(), QStringLiteral("DETALHES DO PRODUTO"),
                                 QStringLiteral("QUANTIDADE"), QStringLiteral("PREÇO UNIT."),
                                 QStringLiteral("PREÇO TOTAL")};
    QFont negrito = m_fgdPedido->font();
    negrito.setBold(true);
    for (int coluna = 0; coluna < 5; ++coluna) {
        auto* celula = new QTableWidgetItem(cabecalho[coluna]);
        celula->setFont(negrito);
        celula->setFlags(Qt::ItemIsEnabled);
        celula->setBackground(palette().button());
        m_fgdPedido->setItem(0, coluna, celula);
    }
}

void frmConsulta_Pedido::setSomenteLeitura() {
    for (QPushButton* botao :
         {m_btnCancelar, m_btnMsg, m_btnEntregador, m_btnImprimir, m_btnProcurar})
        botao->setEnabled(false);
}

void frmConsulta_Pedido::btnCancelar_Click() {
    guarded([this] { cancela(); });
}

void frmConsulta_Pedido::cancela() {
    Database& db = m_context.connections.db();
    const qint64 pedido = numero();
    const std::optional<QString> status = PedidoQueries(db).status(pedido);
    if (!status) {
        messages().show(MessageBoxes::Icon::Information, kBrisko,
                        QStringLiteral("Pedido não cadastrado!!!"));
        return;
    }
    if (*status == kCancelado) {
        messages().show(MessageBoxes::Icon::Information, kBrisko,
                        QStringLiteral("O pedido já esta cancelado!"));
        return;
    }
    if (!messages().askYesNo(MessageBoxes::Icon::Information, kBrisko,
                             QStringLiteral("Deseja cancelar o pedido Nº %1 ?").arg(pedido)))
        return;
    switch (PedidoChanges(db).cancelar(pedido)) {
    case PedidoChanges::Cancelamento::JaCancelado:
        messages().show(MessageBoxes::Icon::Information, kBrisko,
                        QStringLiteral("O pedido já esta cancelado!"));
        return;
    case PedidoChanges::Cancelamento::NaoEncontrado:
        messages().show(MessageBoxes::Icon::Information, kBrisko,
                        QStringLiteral("Pedido não cadastrado!!!"));
        return;
    case PedidoChanges::Cancelamento::Cancelado:
        break;
    }
    messages().show(MessageBoxes::Icon::Information, kBrisko,
                    QStringLiteral("Pedido cancelado com sucesso!"));
    LimpaTela();
    MostraPedido(pedido);
}

void frmConsulta_Pedido::btnMsg_Click() {
    MensagemConsulta m{m_lblPedido->text(),
                       m_txtNome->text(),
                       m_txtLogradouro->text(),
                       m_txtNumero->text(),
                       m_txtComplemento->text(),
                       m_mskTelefone->text(),
                       {},
                       m_txtTroco->text(),
                       m_txtTotal->text(),
                       m_txtFormaPagamento->text(),
                       m_txtValorPago->text(),
                       m_txtMensagem->text()};
    for (int linha = 1; linha < m_fgdPedido->rowCount(); ++linha) {
        auto texto = [this, linha](int coluna) {
            const QTableWidgetItem* celula = m_fgdPedido->item(linha, coluna);
            return celula ? celula->text() : QString();
        };
        m.itens.append({texto(2), texto(1)});
    }
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(mensagemEntregador(m, m_relogio()));
    messages().show(MessageBoxes::Icon::Information, kBrisko,
                    QStringLiteral("Mande esta mensagem para o Entregador."));
}

void frmConsulta_Pedido::btnImprimir_Click() {
    guarded([this] {
        if (!messages().askYesNo(MessageBoxes::Icon::Information, QStringLiteral("Aviso"),
                                 QStringLiteral("Deseja imprimir o cupom ?")))
            return;
        if (!m_reimprime)
            throw DbError(DbError::kGeneric,
                          QStringLiteral("A impressão do cupom não está disponível."));
        m_reimprime(numero());
    });
}

void frmConsulta_Pedido::btnEntregador_Click() {
    guarded([this] {
        frmSelecionar_Entregador_Pedido dialogo(m_context, numero(), this);
        connect(&dialogo, &frmSelecionar_Entregador_Pedido::entregadorAtualizado, m_txtEntregador,
                &QLineEdit::setText);
        dialogo.exec();
    });
}

void frmConsulta_Pedido::btnProcurar_Click() {
    guarded([this] {
        frmLocalizar_Pedido busca(m_context, this);
        busca.setMostraPedido([this](qint64 escolhido, bool) { return MostraPedido(escolhido); });
        busca.exec();
    });
}
