#include "masterdata/screens/frmEntregador.h"

#include "common/screens/Widgets.h"
#include "masterdata/EntregadorStore.h"
#include "masterdata/screens/EntregadorLookup.h"

#include <QDate>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
const QString kCancelada = QStringLiteral(" Operação cancelada");
const QString kDuplicado = QStringLiteral("Entregador já esta cadastrado");
const QString kNaoCadastrado = QStringLiteral("Entregador não cadastrado!!!");
const QString kDataFormato = QStringLiteral("dd/MM/yyyy");

} // namespace

frmEntregador::frmEntregador(ScreenContext& context, QWidget* parent)
    : RegistryScreenBase(context, parent, registryOptions(TitleButtonSet::All)),
      m_fraCodigo(widgets::frame(this, QStringLiteral("fraCodigo"), QStringLiteral("Codigo"))),
      m_txtCodigo(new QLineEdit(m_fraCodigo)),
      m_fraTelefone(
          widgets::frame(this, QStringLiteral("fraTelefone"), QStringLiteral("Telefone"))),
      m_mskTelefone(new QLineEdit(m_fraTelefone)),
      m_fraData(widgets::frame(this, QStringLiteral("fraData"), QStringLiteral("Data"))),
      m_lblData(new QLabel(m_fraData)), m_txtNome(new QLineEdit(this)),
      m_txtObservacao(new QLineEdit(this)) {
    setObjectName(QStringLiteral("frmEntregador"));
    setWindowTitle(QStringLiteral("Cadastro de Entregador"));
    m_txtCodigo->setObjectName(QStringLiteral("txtCodigo"));
    m_txtCodigo->setReadOnly(true); // always the assigned code
    m_mskTelefone->setObjectName(QStringLiteral("mskTelefone"));
    m_lblData->setObjectName(QStringLiteral("lblData"));
    m_txtNome->setObjectName(QStringLiteral("txtNome"));
    m_txtObservacao->setObjectName(QStringLiteral("txtObservacao"));

    m_fraCodigo->layout()->addWidget(m_txtCodigo);
    m_fraTelefone->layout()->addWidget(m_mskTelefone);
    m_fraData->layout()->addWidget(m_lblData);
    auto* top = new QHBoxLayout;
    top->addWidget(m_fraCodigo);
    top->addWidget(m_fraTelefone);
    top->addWidget(m_fraData);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Nome"), m_txtNome);
    form->addRow(QStringLiteral("Observação"), m_txtObservacao);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 32, 16, 16);
    layout->addLayout(top);
    layout->addLayout(form);
    layout->addWidget(buttonBar());

    attachFocusColours(m_txtCodigo, true);
    for (QLineEdit* box : {m_mskTelefone, m_txtNome, m_txtObservacao}) {
        attachFocusColours(box);
        attachKeyFilter(box, KeyFilterMode::Capitals);
    }
    addField(m_fraCodigo);
    addField(m_fraTelefone);
    addField(m_txtNome);
    addField(m_txtObservacao);
    m_fraData->setEnabled(false); // the date is the program's, never typed
    whenLeft(m_txtNome, [this] { checkDuplicate(); });
    start();
}

void frmEntregador::clearFields() {
    m_lblData->setText(QDate::currentDate().toString(kDataFormato));
    m_txtCodigo->clear();
    m_txtNome->clear();
    m_txtObservacao->clear();
    m_mskTelefone->clear();
}

bool frmEntregador::isTableEmpty() {
    return EntregadorStore(db()).isEmpty();
}

QString frmEntregador::emptyTableText(bool) const {
    return QStringLiteral("Não existem Entregador cadastrado");
}

QWidget* frmEntregador::firstField() const {
    return m_mskTelefone;
}

void frmEntregador::mostra(const Entregador& entregador) {
    m_txtCodigo->setText(QString::number(entregador.codigo));
    m_txtNome->setText(entregador.nome);
    m_mskTelefone->setText(entregador.telefone);
    m_lblData->setText(entregador.data.isValid() ? entregador.data.toString(kDataFormato)
                                                 : QString());
    m_txtObservacao->setText(entregador.observacao);
}

bool frmEntregador::selecionar() {
    return escolheCom<frmSelecionar_Entregador>([this](const Entregador& r) { mostra(r); });
}

bool frmEntregador::localizar() {
    return escolheCom<frmLocalizar_Entregador>([this](const Entregador& r) { mostra(r); });
}

std::optional<QString> frmEntregador::deletionQuestion() const {
    if (m_txtNome->text().isEmpty())
        return std::nullopt;
    return QStringLiteral("Deseja deletar o(a) Entregador ") + m_txtNome->text() +
           QStringLiteral(" ?");
}

QString frmEntregador::deletionCancelledText() const {
    return kCancelada;
}

void frmEntregador::deleteRecord() {
    // By code: the name alone could also match someone else's row.
    deletionDone(EntregadorStore(db()).remove(m_txtCodigo->text().toLongLong()),
                 QStringLiteral("O Entregador ") + m_txtNome->text() +
                     QStringLiteral(" foi deletado com sucesso!!!"),
                 kNaoCadastrado);
}

Entregador frmEntregador::typed() const {
    return {.codigo = m_txtCodigo->text().toLongLong(),
            .telefone = m_mskTelefone->text(),
            .data = QDate::fromString(m_lblData->text(), kDataFormato),
            .nome = m_txtNome->text(),
            .observacao = m_txtObservacao->text()};
}

bool frmEntregador::validate() {
    if (m_txtNome->text().isEmpty()) {
        aviso(QStringLiteral("Informe o nome do Entregador!!!"));
        m_txtNome->setFocus();
        return false;
    }
    return true;
}

void frmEntregador::nameTaken() {
    aviso(kDuplicado);
    m_txtNome->setFocus();
}

bool frmEntregador::saveInclusion() {
    if (!validate())
        return false;
    const std::optional<qint64> codigo = EntregadorStore(db()).insert(typed());
    if (!codigo) { // another workstation took the name meanwhile
        nameTaken();
        return false;
    }
    m_txtCodigo->setText(QString::number(*codigo));
    aviso(QStringLiteral("Entregador cadastrado com sucesso"));
    return true;
}

bool frmEntregador::saveChange() {
    if (!validate())
        return false;
    if (!pergunta(QStringLiteral("Deseja alterar o cadastro do Entregador ") + m_txtNome->text() +
                  QStringLiteral(" ?"))) {
        aviso(kCancelada);
        return false;
    }
    // Orders and deletions go by name: it must stay unique.
    return changeSaved(
        EntregadorStore(db()).update(typed()),
        QStringLiteral("Cadastro do Entregador alterado com sucesso"), [this] { nameTaken(); },
        kNaoCadastrado);
}

void frmEntregador::checkDuplicate() {
    if (operacao() != Operacao::Inclusao || state() != State::Inclusion ||
        m_txtNome->text().isEmpty())
        return;
    if (EntregadorStore(db()).existsOther(m_txtNome->text())) {
        aviso(kDuplicado);
        m_txtNome->clear();
        m_txtNome->setFocus();
    }
}
