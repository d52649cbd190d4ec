#include "management/screens/frmTabela_Preco.h"

#include "common/screens/ScreenContext.h"
#include "data/Connections.h"
#include "management/TabelaPreco.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString kTodos = QStringLiteral("TODOS");
constexpr int kTitleRoom = 28;

ScreenOptions opcoes() {
    ScreenOptions o;
    o.titleButtons = TitleButtonSet::CloseOnly;
    return o;
}

QWidget* mensagemVisivel() {
    for (QWidget* widget : QApplication::allWidgets()) {
        if (widget->isVisible() && widget->objectName().toUpper() == QLatin1String("FRMMENSAGEM"))
            return widget;
    }
    return nullptr;
}

} // namespace

frmTabela_Preco::frmTabela_Preco(ScreenContext& context, QWidget* parent)
    : ScreenBase(context.messages, parent, opcoes()), m_context(context),
      m_janelaMensagem(&mensagemVisivel), m_cboCategoria(new QComboBox(this)),
      m_lstTabela_Preco(new QTreeWidget(this)) {
    setObjectName(QStringLiteral("frmTabela_Preco"));
    setWindowTitle(QStringLiteral("Tabela de Preços"));
    setModal(false);
    auto* titulo = new QLabel(QStringLiteral("Tabela de Preços"), this);
    titulo->setObjectName(QStringLiteral("lblTitulo"));
    QFont fonte = titulo->font();
    fonte.setBold(true);
    fonte.setPointSizeF(fonte.pointSizeF() * 1.3);
    titulo->setFont(fonte);

    auto* fraProduto = new QGroupBox(this);
    fraProduto->setObjectName(QStringLiteral("fraProduto"));
    auto* label1 = new QLabel(QStringLiteral("Categoria:"), fraProduto);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setBuddy(m_cboCategoria);
    m_cboCategoria->setObjectName(QStringLiteral("cboCategoria"));
    auto* linha = new QHBoxLayout(fraProduto);
    linha->addWidget(label1);
    linha->addWidget(m_cboCategoria, 1);
    roundFrame(fraProduto);
    attachFocusColours(m_cboCategoria);

    m_lstTabela_Preco->setObjectName(QStringLiteral("lstTabela_Preco"));
    m_lstTabela_Preco->setRootIsDecorated(false);
    m_lstTabela_Preco->setUniformRowHeights(true);
    m_lstTabela_Preco->setHeaderLabels(
        {QStringLiteral("Produto"), QStringLiteral("Descrição"), QStringLiteral("Preço")});
    const int larguras[] = {2800, 6900, 1200};
    for (int i = 0; i < 3; ++i)
        m_lstTabela_Preco->setColumnWidth(i, larguras[i] / ScreenOptions::kTwipsPerPixel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, kTitleRoom, 12, 12);
    layout->addWidget(titulo);
    layout->addWidget(fraProduto);
    layout->addWidget(m_lstTabela_Preco, 1);
    resize(760, 460);

    connect(m_cboCategoria, &QComboBox::activated, this,
            [this](int) { CarregaTabela(m_cboCategoria->currentText()); });
    try {
        carregaCategorias();
    } catch (const std::exception& failure) {
        error(failure);
    }
}

void frmTabela_Preco::carregaCategorias() {
    m_cboCategoria->clear();
    m_cboCategoria->addItem(kTodos);
    m_cboCategoria->addItems(TabelaPreco(m_context.connections.db()).categorias());
    m_cboCategoria->setCurrentIndex(0);
}

void frmTabela_Preco::CarregaTabela(const QString& categoria) {
    try {
        const QList<Produto> produtos =
            TabelaPreco(m_context.connections.db())
                .produtos(categoria == kTodos ? std::nullopt : std::optional(categoria));
        m_lstTabela_Preco->clear();
        QList<QTreeWidgetItem*> linhas;
        linhas.reserve(produtos.size());
        for (const Produto& p : produtos)
            linhas << new QTreeWidgetItem({p.nome, p.descricao, p.preco.formatList()});
        m_lstTabela_Preco->addTopLevelItems(linhas);
    } catch (const std::exception& failure) {
        error(failure);
    }
}

void frmTabela_Preco::closeEvent(QCloseEvent* event) {
    if (QWidget* mensagem = m_janelaMensagem ? m_janelaMensagem() : nullptr) {
        messages().show(MessageBoxes::Icon::Information, QStringLiteral("Brisko"),
                        QStringLiteral("A janela de mensagem ainda esta aberta."));
        mensagem->raise();
        mensagem->activateWindow();
        event->ignore();
        return;
    }
    ScreenBase::closeEvent(event);
}
