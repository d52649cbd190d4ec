#include "masterdata/screens/frmCategoria.h"

#include "masterdata/CategoriaStore.h"
#include "masterdata/screens/CategoriaLookup.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
const QString kNaoCadastrada = QStringLiteral("Categoria não cadastrada!!!");
const QString kCancelada = QStringLiteral(" Operação Cancelada !!!");
const QString kDuplicada = QStringLiteral("Categoria já esta cadastrado");
} // namespace

frmCategoria::frmCategoria(ScreenContext& context, QWidget* parent)
    : RegistryScreenBase(context, parent, registryOptions(TitleButtonSet::CloseOnly)),
      m_fraCodigo(new QGroupBox(this)), m_txtCodigo(new QLineEdit(m_fraCodigo)),
      m_txtCategoria(new QLineEdit(this)) {
    setObjectName(QStringLiteral("frmCategoria"));
    setWindowTitle(QStringLiteral("Cadastro de Categoria"));
    m_fraCodigo->setObjectName(QStringLiteral("fraCodigo"));
    m_txtCodigo->setObjectName(QStringLiteral("txtCodigo"));
    m_txtCodigo->setReadOnly(true); // always the assigned code
    m_txtCategoria->setObjectName(QStringLiteral("txtCategoria"));
    m_txtCategoria->setMaxLength(50);

    auto* codigo = new QHBoxLayout(m_fraCodigo);
    codigo->addWidget(new QLabel(QStringLiteral("Codigo"), m_fraCodigo));
    codigo->addWidget(m_txtCodigo);
    auto* form = new QFormLayout;
    form->addRow(m_fraCodigo);
    form->addRow(QStringLiteral("Categoria"), m_txtCategoria);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 32, 16, 16);
    layout->addLayout(form);
    layout->addWidget(buttonBar());

    attachFocusColours(m_txtCodigo, true);
    attachFocusColours(m_txtCategoria);
    attachKeyFilter(m_txtCategoria, KeyFilterMode::Capitals);
    addField(m_fraCodigo);
    addField(m_txtCategoria);
    whenLeft(m_txtCategoria, [this] { checkDuplicate(); });
    start();
}

void frmCategoria::clearFields() {
    m_txtCodigo->clear();
    m_txtCategoria->clear();
}

bool frmCategoria::isTableEmpty() {
    return CategoriaStore(db()).isEmpty();
}

QString frmCategoria::emptyTableText(bool deleting) const {
    return deleting ? QStringLiteral("Não existem categoria cadastrada")
                    : QStringLiteral("Não existe categoria cadastrada");
}

QWidget* frmCategoria::firstField() const {
    return m_txtCategoria;
}

void frmCategoria::mostra(const Categoria& categoria) {
    m_txtCodigo->setText(QString::number(categoria.codigo));
    m_txtCategoria->setText(categoria.nome);
}

bool frmCategoria::selecionar() {
    return escolheCom<frmSelecionar_Categoria>([this](const Categoria& c) { mostra(c); });
}

bool frmCategoria::localizar() {
    return escolheCom<frmLocalizar_Categoria>([this](const Categoria& c) { mostra(c); });
}

std::optional<QString> frmCategoria::deletionQuestion() const {
    if (m_txtCategoria->text().isEmpty())
        return std::nullopt;
    return QStringLiteral("Deseja deletar a categoria ") + m_txtCategoria->text() +
           QStringLiteral(" ?");
}

QString frmCategoria::deletionCancelledText() const {
    return kCancelada;
}

void frmCategoria::deleteRecord() {
    deletionDone(CategoriaStore(db()).remove(m_txtCodigo->text().toLongLong()),
                 QStringLiteral("Categoria deletada com sucesso!!!"), kNaoCadastrada);
}

bool frmCategoria::validate() {
    if (m_txtCategoria->text().isEmpty()) {
        aviso(QStringLiteral("Informe a categoria !!!"));
        m_txtCategoria->setFocus();
        return false;
    }
    return true;
}

bool frmCategoria::saveInclusion() {
    if (!validate())
        return false;
    const std::optional<qint64> codigo = CategoriaStore(db()).insert(m_txtCategoria->text());
    if (!codigo) { // another workstation took the name meanwhile
        aviso(kDuplicada);
        m_txtCategoria->setFocus();
        return false;
    }
    m_txtCodigo->setText(QString::number(*codigo));
    aviso(QStringLiteral("Categoria cadastrada com sucesso"));
    return true;
}

bool frmCategoria::saveChange() {
    if (!validate())
        return false;
    if (!pergunta(QStringLiteral("Deseja alterar a Categoria ") + m_txtCategoria->text() +
                  QStringLiteral(" ?"))) {
        aviso(kCancelada);
        return false;
    }
    const Categoria categoria{m_txtCodigo->text().toLongLong(), m_txtCategoria->text()};
    return changeSaved(
        CategoriaStore(db()).update(categoria), QStringLiteral("Categoria alterada com sucesso!!!"),
        [this] {
            aviso(kDuplicada);
            m_txtCategoria->setFocus();
        },
        kNaoCadastrada);
}

void frmCategoria::checkDuplicate() {
    if (operacao() != Operacao::Inclusao || state() != State::Inclusion ||
        m_txtCategoria->text().isEmpty())
        return;
    if (CategoriaStore(db()).existsOther(m_txtCategoria->text())) {
        aviso(kDuplicada);
        m_txtCategoria->clear();
        m_txtCategoria->setFocus();
    }
}
