#include "masterdata/screens/frmCliente.h"

#include "common/Text.h"
#include "masterdata/ClienteStore.h"
#include "masterdata/screens/CepLookup.h"
#include "masterdata/screens/ClienteFields.h"
#include "masterdata/screens/ClienteLookup.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString kCancelada = QStringLiteral(" Operação cancelada");
const QString kNaoCadastrado = QStringLiteral("Cliente não cadastrado!!!");
} // namespace

frmCliente::frmCliente(ScreenContext& context, QWidget* parent)
    : RegistryScreenBase(context, parent, registryOptions(TitleButtonSet::All)),
      m_campos(new ClienteFields(messages(), ClienteFields::Tipos::Padrao, this)),
      m_btnCep(new QPushButton(QStringLiteral("&Cep"), this)) {
    setObjectName(QStringLiteral("frmCliente"));
    setWindowTitle(QStringLiteral("Cadastro de Cliente"));
    m_btnCep->setObjectName(QStringLiteral("btnCep"));
    m_cepLookup = new CepLookup(context, m_campos->cepTarget(), this);

    auto* cep = new QHBoxLayout;
    cep->addStretch(1);
    cep->addWidget(m_btnCep);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 32, 16, 16);
    layout->addWidget(m_campos);
    layout->addLayout(cep);
    layout->addWidget(buttonBar());

    for (QWidget* field : m_campos->lockable())
        addField(field);
    addEditingButton(m_btnCep);
    connect(m_btnCep, &QPushButton::clicked, this, &frmCliente::btnCep_Click);
    whenLeft(m_campos->mskTelefone(), [this] { mskTelefone_LostFocus(); });
    start();
}

frmCliente::~frmCliente() = default;

void frmCliente::clearFields() {
    m_campos->clear();
}

bool frmCliente::isTableEmpty() {
    return ClienteStore(db()).isEmpty();
}

QString frmCliente::emptyTableText(bool) const {
    return QStringLiteral("Não existem clientes cadastrado");
}

QWidget* frmCliente::firstField() const {
    return m_campos->mskTelefone();
}

// A cancelled selection disabled the masked boxes; a new record needs them again.
bool frmCliente::prepareInclusion() {
    m_campos->setMaskedEnabled(true);
    return true;
}

void frmCliente::prepareSelection(State) {
    m_campos->setMaskedEnabled(true);
}

bool frmCliente::selecionar() {
    return escolheCom<frmSelecionar_Cliente>([this](const Cliente& r) { m_campos->mostra(r); });
}

bool frmCliente::localizar() {
    return escolheCom<frmLocalizar_Cliente>([this](const Cliente& r) { m_campos->mostra(r); });
}

void frmCliente::selectionCancelled() {
    RegistryScreenBase::selectionCancelled();
    m_campos->setMaskedEnabled(false);
}

std::optional<QString> frmCliente::deletionQuestion() const {
    if (m_campos->txtNome()->text().isEmpty() || m_campos->txtLogradouro()->text().isEmpty())
        return std::nullopt;
    return QStringLiteral("Deseja deletar o(a) cliente ") + m_campos->txtNome()->text() +
           QStringLiteral(" ?");
}

QString frmCliente::deletionCancelledText() const {
    return kCancelada;
}

void frmCliente::deleteRecord() {
    // By code: a telephone shared by two rows would take both.
    deletionDone(ClienteStore(db()).remove(m_campos->txtCodigo()->text().toLongLong()),
                 QStringLiteral("O cliente ") + m_campos->txtNome()->text() +
                     QStringLiteral(" foi deletado com sucesso!!!"),
                 kNaoCadastrado);
}

bool frmCliente::saveInclusion() {
    // Enter on the default button does not leave the telephone box: format it here too, so
    // the stored number is the one the order screen searches for.
    formataTelefone();
    if (!m_campos->validate())
        return false;
    const std::optional<qint64> codigo = ClienteStore(db()).insert(m_campos->typed());
    if (!codigo) {
        m_campos->telefoneTomado();
        return false;
    }
    m_campos->txtCodigo()->setText(QString::number(*codigo));
    aviso(QStringLiteral("Cliente cadastrado com sucesso"));
    return true;
}

bool frmCliente::saveChange() {
    formataTelefone();
    if (!m_campos->validate())
        return false;
    if (!pergunta(QStringLiteral("Deseja alterar o cadastro do cliente ") +
                  m_campos->txtNome()->text() + QStringLiteral(" ?"))) {
        aviso(kCancelada);
        return false;
    }
    // The telephone must keep finding one customer.
    return changeSaved(
        ClienteStore(db()).update(m_campos->typed()),
        QStringLiteral("Cadastro do cliente alterado com sucesso"),
        [this] { m_campos->telefoneTomado(); }, kNaoCadastrado);
}

void frmCliente::formataTelefone() {
    QLineEdit* box = m_campos->mskTelefone();
    QString telefone = box->text();
    const QString formatado = FormataTelefone(telefone);
    if (formatado != box->text())
        box->setText(formatado);
}

void frmCliente::mskTelefone_LostFocus() {
    formataTelefone();
    if (operacao() == Operacao::Inclusao && state() == State::Inclusion)
        m_campos->recusaTelefoneTomado(ClienteStore(db()));
}

void frmCliente::btnCep_Click() {
    try {
        m_cepLookup->startFromTarget();
    } catch (const std::exception& failure) {
        error(failure);
    }
}
