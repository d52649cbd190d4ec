#include "masterdata/screens/frmProduto.h"

#include "masterdata/CategoriaStore.h"
#include "masterdata/ProdutoStore.h"
#include "masterdata/screens/ProdutoLookup.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString kDuplicado = QStringLiteral("Produto já esta cadastrado");
const QString kBrisko = QStringLiteral("Brisko");
constexpr int kNameLength = 100;
} // namespace

frmProduto::frmProduto(ScreenContext& context, QWidget* parent)
    : RegistryScreenBase(context, parent, registryOptions(TitleButtonSet::CloseOnly)),
      m_fraCodigo(new QGroupBox(this)), m_txtCodigo(new QLineEdit(m_fraCodigo)),
      m_cboCategoria(new QComboBox(this)),
      m_txtProduto(addTextField(QStringLiteral("txtProduto"), KeyFilterMode::Capitals)),
      m_txtPreco(addTextField(QStringLiteral("txtPreco"), KeyFilterMode::Amount)),
      m_txtDescricao(addTextField(QStringLiteral("txtDescricao"), KeyFilterMode::Capitals)),
      m_txtFornecedor(addTextField(QStringLiteral("txtFornecedor"), KeyFilterMode::Capitals)),
      m_txtRepresentante(addTextField(QStringLiteral("txtRepresentante"), KeyFilterMode::Capitals)),
      m_mskRep_Telefone(addTextField(QStringLiteral("mskRep_Telefone"), KeyFilterMode::None)),
      m_btnTrocar(new QPushButton(QStringLiteral("Copia Produto para Descrição"), this)) {
    setObjectName(QStringLiteral("frmProduto"));
    setWindowTitle(QStringLiteral("Cadastro de Produto"));
    m_fraCodigo->setObjectName(QStringLiteral("fraCodigo"));
    m_txtCodigo->setObjectName(QStringLiteral("txtCodigo"));
    m_txtCodigo->setReadOnly(true); // always the assigned code
    m_cboCategoria->setObjectName(QStringLiteral("cboCategoria"));
    // A list, not a box: typing picks a listed category ("p" gives PIZZAS), so no product is
    // saved under a category typed by mistake.
    m_cboCategoria->setEditable(false);
    m_txtProduto->setMaxLength(kNameLength);
    // The look of the empty telephone box of old, without ever storing the placeholder.
    m_mskRep_Telefone->setPlaceholderText(QStringLiteral("_____-____"));
    m_btnTrocar->setObjectName(QStringLiteral("btnTrocar"));
    connect(m_btnTrocar, &QPushButton::clicked, this, &frmProduto::btnTrocar_Click);

    auto* codigo = new QHBoxLayout(m_fraCodigo);
    codigo->addWidget(new QLabel(QStringLiteral("Codigo"), m_fraCodigo));
    codigo->addWidget(m_txtCodigo);
    auto* descricao = new QHBoxLayout;
    descricao->addWidget(m_txtDescricao, 1);
    descricao->addWidget(m_btnTrocar);
    auto* form = new QFormLayout;
    form->addRow(m_fraCodigo);
    form->addRow(QStringLiteral("Categoria"), m_cboCategoria);
    form->addRow(QStringLiteral("Produto"), m_txtProduto);
    form->addRow(QStringLiteral("Preço"), m_txtPreco);
    form->addRow(QStringLiteral("Descrição "), descricao);
    form->addRow(QStringLiteral("Fornecedor"), m_txtFornecedor);
    form->addRow(QStringLiteral("Representante"), m_txtRepresentante);
    form->addRow(QStringLiteral("Telefone do Representante"), m_mskRep_Telefone);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 32, 16, 16);
    layout->addLayout(form);
    layout->addWidget(buttonBar());

    attachFocusColours(m_txtCodigo, true);
    attachFocusColours(m_cboCategoria);
    addField(m_fraCodigo);
    addField(m_cboCategoria);
    for (QLineEdit* box : {m_txtProduto, m_txtPreco, m_txtDescricao, m_txtFornecedor,
                           m_txtRepresentante, m_mskRep_Telefone})
        addField(box);
    // It edits a field, so it is on only while the fields are.
    addEditingButton(m_btnTrocar);
    whenLeft(m_txtProduto, [this] { checkDuplicate(); });
    start();
}

QLineEdit* frmProduto::addTextField(const QString& name, KeyFilterMode filter) {
    auto* box = new QLineEdit(this);
    box->setObjectName(name);
    attachFocusColours(box);
    if (filter != KeyFilterMode::None)
        attachKeyFilter(box, filter);
    return box;
}

void frmProduto::clearFields() {
    m_txtCodigo->clear();
    m_cboCategoria->clear();
    for (QLineEdit* box : {m_txtProduto, m_txtPreco, m_txtDescricao, m_txtFornecedor,
                           m_txtRepresentante, m_mskRep_Telefone})
        box->clear();
}

bool frmProduto::isTableEmpty() {
    return ProdutoStore(db()).isEmpty();
}

QString frmProduto::emptyTableText(bool) const {
    return QStringLiteral("Não existem produtos cadastrados");
}

QWidget* frmProduto::firstField() const {
    return m_cboCategoria;
}

QWidget* frmProduto::firstEditField() const {
    return m_txtProduto;
}

bool frmProduto::carregaCategorias() {
    const QStringList names = CategoriaStore(db()).names();
    m_cboCategoria->clear();
    m_cboCategoria->addItems(names);
    if (names.isEmpty())
        return false;
    m_cboCategoria->setCurrentIndex(0);
    return true;
}

void frmProduto::showCategoria(const QString& categoria) {
    const int listed = m_cboCategoria->findText(categoria, Qt::MatchExactly);
    if (listed >= 0) {
        m_cboCategoria->setCurrentIndex(listed);
    } else { // a category deleted since still names the product
        m_cboCategoria->addItem(categoria);
        m_cboCategoria->setCurrentIndex(m_cboCategoria->count() - 1);
    }
}

bool frmProduto::prepareInclusion() {
    if (!carregaCategorias()) {
        messages().show(MessageBoxes::Icon::Information, kBrisko,
                        QStringLiteral("Favor cadastrar a categoria antes de cadastrar o produto"));
        return false;
    }
    return true;
}

void frmProduto::showProduto(const Produto& produto) {
    m_txtCodigo->setText(QString::number(produto.codigo));
    m_txtProduto->setText(produto.nome);
    m_txtPreco->setText(produto.preco.formatPlain());
    m_txtDescricao->setText(produto.descricao);
    m_txtFornecedor->setText(produto.fornecedor);
    m_txtRepresentante->setText(produto.representante);
    m_mskRep_Telefone->setText(produto.repTelefone);
}

bool frmProduto::selecionar() {
    return escolheCom<frmSelecionar_Produto>([this](const Produto& produto) {
        showProduto(produto);
        m_categoriaEscolhida = produto.categoria;
    });
}

void frmProduto::afterChangePick() {
    if (!carregaCategorias())
        messages().show(MessageBoxes::Icon::Information, kBrisko,
                        QStringLiteral("Não existe categoria cadastrada, favor cadastrar a "
                                       "categoria antes de cadastrar o produto"));
    showCategoria(m_categoriaEscolhida);
}

bool frmProduto::localizar() {
    return escolheCom<frmLocalizar_Produto>([this](const Produto& produto) {
        showProduto(produto);
        // Added even when listed, so a category deleted since is still shown.
        m_cboCategoria->addItem(produto.categoria);
        m_cboCategoria->setCurrentIndex(m_cboCategoria->count() - 1);
    });
}

std::optional<QString> frmProduto::deletionQuestion() const {
    if (m_txtProduto->text().isEmpty() || m_txtPreco->text().isEmpty())
        return std::nullopt;
    return QStringLiteral("Deseja deletar o produto ") + m_txtProduto->text() +
           QStringLiteral(" ?");
}

QString frmProduto::deletionCancelledText() const {
    return QStringLiteral(" OPERAÇÃO CANCELADA");
}

void frmProduto::deleteRecord() {
    deletionDone(ProdutoStore(db()).remove(m_txtCodigo->text().toLongLong()),
                 QStringLiteral(" Produto deletado com sucesso"),
                 QStringLiteral("Produto não cadastrado!!!"));
}

std::optional<Produto> frmProduto::validate(const QString& emptyPriceText) {
    if (m_cboCategoria->currentText().isEmpty()) {
        aviso(QStringLiteral("Informe a categoria do produto!!!"));
        m_txtProduto->setFocus();
        return std::nullopt;
    }
    if (m_txtProduto->text().isEmpty()) {
        aviso(QStringLiteral("Informe o produto!!!"));
        m_txtProduto->setFocus();
        return std::nullopt;
    }
    if (m_txtPreco->text().isEmpty()) {
        aviso(emptyPriceText);
        m_txtPreco->setFocus();
        return std::nullopt;
    }
    const std::optional<Money> preco = Money::parse(m_txtPreco->text());
    if (!preco) {
        aviso(QStringLiteral("Valor do produto inválido!!!"));
        m_txtPreco->setFocus();
        return std::nullopt;
    }
    return Produto{.codigo = m_txtCodigo->text().toLongLong(),
                   .categoria = m_cboCategoria->currentText(),
                   .nome = m_txtProduto->text(),
                   .preco = *preco,
                   .descricao = m_txtDescricao->text(),
                   .fornecedor = m_txtFornecedor->text(),
                   .representante = m_txtRepresentante->text(),
                   .repTelefone = m_mskRep_Telefone->text()};
}

bool frmProduto::saveInclusion() {
    const std::optional<Produto> produto =
        validate(QStringLiteral("Informe o valor do produto!!!"));
    if (!produto)
        return false;
    const std::optional<qint64> codigo = ProdutoStore(db()).insert(*produto);
    if (!codigo) { // another workstation took the name meanwhile
        aviso(kDuplicado);
        m_txtProduto->setFocus();
        return false;
    }
    m_txtCodigo->setText(QString::number(*codigo));
    aviso(QStringLiteral("Produto cadastrado com sucesso"));
    return true;
}

bool frmProduto::saveChange() {
    const std::optional<Produto> produto =
        validate(QStringLiteral("Informe o tipo preço do produto!!!"));
    if (!produto)
        return false;
    if (!pergunta(QStringLiteral("Deseja alterar o cadastro do produto ") + produto->nome +
                  QStringLiteral(" ?"))) {
        aviso(QStringLiteral(" Operação cancelada"));
        return false;
    }
    return changeSaved(
        ProdutoStore(db()).update(*produto), QStringLiteral("Produto alterado com sucesso!!!"),
        [this] {
            aviso(kDuplicado);
            m_txtProduto->setFocus();
        },
        QStringLiteral("Produto não cadastrado!!!"));
}

void frmProduto::checkDuplicate() {
    if (operacao() != Operacao::Inclusao || state() != State::Inclusion ||
        m_txtProduto->text().isEmpty())
        return;
    if (ProdutoStore(db()).existsOther(m_txtProduto->text())) {
        aviso(kDuplicado);
        m_txtProduto->clear();
        m_txtProduto->setFocus();
    }
}

void frmProduto::btnTrocar_Click() {
    const QString nome = m_txtProduto->text().trimmed();
    if (!nome.isEmpty())
        m_txtDescricao->setText(nome);
}
