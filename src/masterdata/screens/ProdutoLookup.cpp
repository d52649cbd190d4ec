#include "masterdata/screens/ProdutoLookup.h"

#include "masterdata/CategoriaStore.h"
#include "masterdata/ProdutoStore.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLayout>
#include <QLineEdit>

namespace {

const QString kTodos = QStringLiteral("TODOS");

LookupDialogBase::Definition definition(LookupDialogBase::Kind kind) {
    const bool localizar = kind == LookupDialogBase::Kind::Localizar;
    return {.kind = kind,
            .title = localizar ? QStringLiteral("Localizar Produto")
                               : QStringLiteral("Selecionar Produto"),
            .listName = QStringLiteral("lstSelecionar_Produto"),
            .columns = {{QStringLiteral("Codigo"), localizar ? 1000 : 700},
                        {QStringLiteral("Categoria"), localizar ? 1200 : 1000},
                        {QStringLiteral("Produto"), localizar ? 2600 : 3000},
                        {QStringLiteral("Preço"), localizar ? 1200 : 1440}},
            .notFoundText = QStringLiteral("Produto não cadastrado!!!"),
            .notFoundCaption = QStringLiteral("Brisko")};
}

} // namespace

ProdutoLookup::ProdutoLookup(ScreenContext& context, Kind kind, QWidget* parent)
    : LookupDialogBase(context, definition(kind), parent) {
    QGroupBox* categoriaFrame =
        addSearchFrame(QStringLiteral("fraCategoria"), QStringLiteral("Filtro por Categoria"));
    m_cboCategoria = new QComboBox(categoriaFrame);
    m_cboCategoria->setObjectName(QStringLiteral("cboCategoria"));
    categoriaFrame->layout()->addWidget(m_cboCategoria);
    attachFocusColours(m_cboCategoria);

    QGroupBox* produtoFrame =
        addSearchFrame(QStringLiteral("fraProduto"), QStringLiteral("Filtro por Nome"));
    m_txtProduto =
        addSearchBox(produtoFrame, QStringLiteral("txtProduto"), KeyFilterMode::SearchText);

    try {
        m_cboCategoria->addItems(CategoriaStore(db()).names());
    } catch (const std::exception& failure) {
        error(failure);
    }
    m_cboCategoria->addItem(kTodos);
    m_cboCategoria->setCurrentIndex(m_cboCategoria->count() - 1);
    // Every choice reloads the whole list, the same category again included (only `activated`
    // tells that one): it undoes a search typed meanwhile. A new category is loaded twice, a
    // cheap price for never missing one.
    connect(m_cboCategoria, &QComboBox::currentIndexChanged, this, &ProdutoLookup::loadFullList);
    connect(m_cboCategoria, &QComboBox::activated, this, &ProdutoLookup::loadFullList);
    loadFullList();
}

std::optional<QString> ProdutoLookup::categoria() const {
    const QString chosen = m_cboCategoria->currentText();
    return chosen == kTodos ? std::nullopt : std::optional(chosen);
}

void ProdutoLookup::showProducts(const QList<Produto>& produtos) {
    QList<QStringList> rows;
    rows.reserve(produtos.size());
    for (const Produto& produto : produtos)
        rows << QStringList{QString::number(produto.codigo), produto.categoria, produto.nome,
                            produto.preco.formatList()};
    setRows(rows);
}

void ProdutoLookup::loadFullList() {
    try {
        showProducts(ProdutoStore(db()).list(categoria(), ProdutoStore::Order::ByCategory));
    } catch (const std::exception& failure) {
        error(failure);
    }
}

void ProdutoLookup::refill() {
    showProducts(ProdutoStore(db()).searchPrefix(categoria(), m_txtProduto->text()));
}

bool ProdutoLookup::pick(int row) {
    // A chosen category also lists the categories it begins, so the row's own category,
    // not the chosen one, tells which product the row is.
    const std::optional<QString> categoriaDaLinha =
        categoria() ? std::optional(cellText(row, 1)) : std::nullopt;
    const QList<Produto> found =
        ProdutoStore(db()).searchPrefix(categoriaDaLinha, cellText(row, 2).trimmed());
    m_escolhido = found.isEmpty() ? std::nullopt : std::optional(found.first());
    return m_escolhido.has_value();
}

QWidget* ProdutoLookup::searchBox() const {
    return m_txtProduto;
}
