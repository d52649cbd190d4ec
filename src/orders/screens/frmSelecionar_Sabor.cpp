#include "orders/screens/frmSelecionar_Sabor.h"

#include "common/screens/ScreenContext.h"
#include "masterdata/CategoriaStore.h"
#include "masterdata/ProdutoStore.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTreeView>

namespace {

const QString kTodos = QStringLiteral("TODOS");

LookupDialogBase::Definition definicao(int posicao) {
    LookupDialogBase::Definition d;
    d.kind = LookupDialogBase::Kind::Selecionar;
    d.title = QStringLiteral("Produto");
    d.listName = QStringLiteral("lstProduto");
    d.columns = {{QStringLiteral("Produto"), 6500, Qt::AlignLeft | Qt::AlignVCenter},
                 {QStringLiteral("Valor"), 1300, Qt::AlignRight | Qt::AlignVCenter}};
    d.notFoundText = QStringLiteral("Produto não cadastrado");
    d.notFoundCaption = posicao == frmSelecionar_Sabor::kUltima ? QStringLiteral("Brisko")
                                                                : QStringLiteral("Produto");
    return d;
}

QString ouEspaco(const QString& texto) {
    return texto.isEmpty() ? QStringLiteral(" ") : texto;
}

} // namespace

frmSelecionar_Sabor::frmSelecionar_Sabor(ScreenContext& context, CadeiaSabores& cadeia, int posicao,
                                         QWidget* parent)
    : LookupDialogBase(context, definicao(posicao), parent), m_cadeia(cadeia), m_posicao(posicao),
      m_cboCategoria(new QComboBox(this)), m_label3(new QLabel(this)) {
    setObjectName(posicao == 1 ? QStringLiteral("frmSelecionar_Sabor")
                               : QStringLiteral("frmSelecionar_Sabor%1").arg(posicao));
    QGroupBox* frame = addSearchFrame(QStringLiteral("fraProduto"), QString());
    m_cboCategoria->setObjectName(QStringLiteral("cboCategoria"));
    frame->layout()->addWidget(new QLabel(QStringLiteral("Categoria"), frame));
    frame->layout()->addWidget(m_cboCategoria);
    frame->layout()->addWidget(new QLabel(QStringLiteral("Produto"), frame));
    m_txtProduto = addSearchBox(frame, QStringLiteral("txtProduto"), KeyFilterMode::SearchText);

    m_label3->setObjectName(QStringLiteral("Label3"));
    m_label3->setText(posicao == 1 ? QStringLiteral("Selecione o PRODUTO Tecle ENTER")
                                   : QStringLiteral("Selecione o PRODUTO e Tecle ENTER"));
    layout()->addWidget(m_label3);
    if (posicao < kUltima) {
        m_label4 = new QLabel(QStringLiteral("Como Selecionar outro Sabor ? Clique aqui"), this);
        m_label4->setObjectName(QStringLiteral("Label4"));
        m_label4->setCursor(Qt::PointingHandCursor);
        m_label4->installEventFilter(this);
        layout()->addWidget(m_label4);
    }
    if (posicao >= 3) {
        command1()->setText(QStringLiteral("&Cancelar"));
        command1()->show();
        layout()->addWidget(command1());
    }

    auto* model = qobject_cast<QStandardItemModel*>(list()->model());
    connect(model, &QStandardItemModel::itemChanged, this, [this](QStandardItem* item) {
        if (item->column() == 0 && item->checkState() == Qt::Checked)
            marcado();
    });
    connect(m_cboCategoria, &QComboBox::currentTextChanged, this, [this](const QString& texto) {
        if (m_posicao == 1)
            m_cadeia.categoriaPrimeira = texto;
        refresh();
    });
    carregaCategorias();
}

SelecaoSabor frmSelecionar_Sabor::escolher(ScreenContext& context, CadeiaSabores& cadeia,
                                           QWidget* parent) {
    frmSelecionar_Sabor primeira(context, cadeia, 1, parent);
    primeira.exec();
    return primeira.selecao();
}

void frmSelecionar_Sabor::carregaCategorias() {
    const QSignalBlocker quiet(m_cboCategoria);
    m_cboCategoria->addItems(CategoriaStore(db()).names());
    m_cboCategoria->addItem(kTodos);
    QString inicial = kTodos;
    if (m_posicao == 1 && !m_cadeia.ultimaCategoria.isEmpty())
        inicial = m_cadeia.ultimaCategoria;
    else if (m_posicao > 1 && !m_cadeia.categoriaPrimeira.isEmpty())
        inicial = m_cadeia.categoriaPrimeira;
    const int indice = m_cboCategoria->findText(inicial);
    m_cboCategoria->setCurrentIndex(indice >= 0 ? indice : m_cboCategoria->count() - 1);
    if (m_posicao == 1)
        m_cadeia.categoriaPrimeira = m_cboCategoria->currentText();
    refresh();
}

void frmSelecionar_Sabor::refill() {
    const QString escolhida = m_cboCategoria->currentText();
    const std::optional<QString> categoria =
        escolhida == kTodos || escolhida.isEmpty() ? std::nullopt : std::optional(escolhida);
    // The first screen lists by name; the later ones group every category together.
    const ProdutoStore::Order ordem = m_posicao == 1 || categoria
                                          ? ProdutoStore::Order::ByName
                                          : ProdutoStore::Order::ByCategoryAndName;
    ProdutoStore produtos(db());
    const QString texto = m_txtProduto ? m_txtProduto->text() : QString();
    m_produtos = texto.isEmpty() ? produtos.list(categoria, ordem)
                                 : produtos.searchContaining(categoria, texto, ordem);
    QList<QStringList> rows;
    rows.reserve(m_produtos.size());
    for (const Produto& produto : m_produtos)
        rows.append({ouEspaco(produto.nome), produto.preco.formatList()});
    const QSignalBlocker quiet(list()->model());
    setRows(rows);
    if (m_posicao < kUltima) {
        auto* model = qobject_cast<QStandardItemModel*>(list()->model());
        for (int row = 0; row < model->rowCount(); ++row) {
            model->item(row, 0)->setCheckable(true);
            model->item(row, 0)->setCheckState(Qt::Unchecked);
        }
    }
    list()->viewport()->update();
}

Sabor frmSelecionar_Sabor::sabor(int row) const {
    const Produto& produto = m_produtos.at(row);
    return Sabor{produto.nome, produto.preco, produto.categoria};
}

bool frmSelecionar_Sabor::pick(int row) {
    return row >= 0 && row < m_produtos.size();
}

QWidget* frmSelecionar_Sabor::searchBox() const {
    return m_txtProduto;
}

void frmSelecionar_Sabor::procurar() {
    const int row = selectedRow();
    if (rowCount() == 0 || !pick(row)) {
        // The screen stays as it is: the attendant may pick another category.
        messages().show(MessageBoxes::Icon::Information,
                        m_posicao == kUltima ? QStringLiteral("Brisko") : QStringLiteral("Produto"),
                        QStringLiteral("Produto não cadastrado"));
        return;
    }
    if (m_escolhendo)
        return;
    m_escolhendo = true;
    m_cadeia.sabores = m_cadeia.sabores.mid(0, m_posicao - 1);

    const auto* model = qobject_cast<const QStandardItemModel*>(list()->model());
    const bool marcada = m_posicao < kUltima && model->item(row, 0)->checkState() == Qt::Checked;
    if (marcada) {
        m_cadeia.sabores.append(sabor(row));
        frmSelecionar_Sabor proxima(context(), m_cadeia, m_posicao + 1, this);
        proxima.exec();
        m_selecao = proxima.selecao();
        if (m_selecao.resultado == SelecaoSabor::Resultado::Cancelado)
            m_selecao.resultado = SelecaoSabor::Resultado::SoHabilita;
    } else if (m_posicao == 1) {
        m_selecao = {SelecaoSabor::Resultado::Escolhido, m_produtos.at(row).nome, cellText(row, 1),
                     m_produtos.at(row).categoria};
    } else {
        m_cadeia.sabores.append(sabor(row));
        const ItemComposto item = compoeSabores(m_cadeia.sabores);
        m_selecao = {SelecaoSabor::Resultado::Escolhido, item.texto, item.preco.format(),
                     item.categoria};
    }
    m_escolhendo = false;
    accept();
}

// Only the button and the double click of the first screen remember the category, before
// anything is checked; Enter in the list and the tick boxes do not.
void frmSelecionar_Sabor::guardaCategoria() {
    if (m_posicao == 1)
        m_cadeia.ultimaCategoria = m_cboCategoria->currentText();
}

void frmSelecionar_Sabor::botaoProcurarClicado() {
    guardaCategoria();
    btnProcurar1_Click();
}

void frmSelecionar_Sabor::rowDoubleClicked(int) {
    guardaCategoria();
    btnProcurar1_Click();
}

void frmSelecionar_Sabor::marcado() {
    if (m_posicao >= kUltima || m_escolhendo)
        return;
    const auto* model = qobject_cast<const QStandardItemModel*>(list()->model());
    for (int row = 0; row < model->rowCount(); ++row) {
        if (model->item(row, 0)->checkState() == Qt::Checked) {
            const QModelIndex index = model->index(row, 0);
            list()->setCurrentIndex(index);
            list()->scrollTo(index);
            btnProcurar1_Click();
            return;
        }
    }
}

bool frmSelecionar_Sabor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_label4 && event->type() == QEvent::MouseButtonRelease) {
        messages().show(MessageBoxes::Icon::None, QStringLiteral("Brisko"),
                        QStringLiteral("Marque a Caixa de Seleção ao Lado do Produto para "
                                       "acrescentrar mais sabores"));
        return true;
    }
    return LookupDialogBase::eventFilter(watched, event);
}
