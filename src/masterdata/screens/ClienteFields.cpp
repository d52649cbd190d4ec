#include "masterdata/screens/ClienteFields.h"

#include "common/Text.h"
#include "common/screens/FocusColours.h"
#include "common/screens/KeyFilterAttacher.h"
#include "common/screens/MessageBoxes.h"
#include "common/screens/Widgets.h"
#include "masterdata/ClienteStore.h"
#include "masterdata/screens/CepLookup.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

const QString kTipoPadrao = QStringLiteral("RUA");
const QString kUFPadrao = QStringLiteral("SP");

QStringList tiposDeLogradouro(ClienteFields::Tipos tipos) {
    QStringList list = CarregaTipoLogradouro();
    if (tipos == ClienteFields::Tipos::ComFavela)
        list.insert(list.indexOf(QStringLiteral("FAZENDA")), QStringLiteral("FAVELA"));
    return list;
}

QGroupBox* frame(const QString& name, const QString& caption, QWidget* parent) {
    QGroupBox* box = widgets::frame(parent, name, caption);
    box->layout()->setContentsMargins(6, 2, 6, 4);
    return box;
}

QComboBox* editableCombo(const QString& name, const QStringList& items, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(items);
    return combo;
}

} // namespace

ClienteFields::ClienteFields(MessageBoxes& messages, Tipos tipos, QWidget* parent)
    : QWidget(parent), m_messages(messages),
      m_fraCodigo(frame(QStringLiteral("fraCodigo"), QStringLiteral("Codigo"), this)),
      m_txtCodigo(new QLineEdit(m_fraCodigo)),
      m_fraTelefone(frame(QStringLiteral("fraTelefone"), QStringLiteral("Telefone"), this)),
      m_mskTelefone(new QLineEdit(m_fraTelefone)), m_txtNome(new QLineEdit(this)),
      m_txtRG(new QLineEdit(this)),
      m_cboTipo(editableCombo(QStringLiteral("cboTipo"), tiposDeLogradouro(tipos), this)),
      m_txtLogradouro(new QLineEdit(this)), m_txtNumero(new QLineEdit(this)),
      m_txtComplemento(new QLineEdit(this)), m_txtBairro(new QLineEdit(this)),
      m_txtCidade(new QLineEdit(this)),
      m_cboUF(editableCombo(QStringLiteral("cboUF"), CarregaUF(), this)),
      m_mskCEP(new QLineEdit(this)), m_mskData_Nasc(new QLineEdit(this)),
      m_txtEmail(new QLineEdit(this)), m_txtObservacao(new QLineEdit(this)) {
    setObjectName(QStringLiteral("fraCliente"));
    m_txtCodigo->setObjectName(QStringLiteral("txtCodigo"));
    m_txtCodigo->setReadOnly(true); // always the assigned code
    m_mskTelefone->setObjectName(QStringLiteral("mskTelefone"));
    m_txtNome->setObjectName(QStringLiteral("txtNome"));
    m_txtRG->setObjectName(QStringLiteral("txtRG"));
    m_txtLogradouro->setObjectName(QStringLiteral("txtLogradouro"));
    m_txtNumero->setObjectName(QStringLiteral("txtNumero"));
    m_txtComplemento->setObjectName(QStringLiteral("txtComplemento"));
    m_txtBairro->setObjectName(QStringLiteral("txtBairro"));
    m_txtCidade->setObjectName(QStringLiteral("txtCidade"));
    m_mskCEP->setObjectName(QStringLiteral("mskCEP"));
    m_mskCEP->setInputMask(CepLookup::kInputMask);
    m_mskData_Nasc->setObjectName(QStringLiteral("mskData_Nasc"));
    m_mskData_Nasc->setInputMask(kMascaraData);
    m_txtEmail->setObjectName(QStringLiteral("txtEmail"));
    m_txtObservacao->setObjectName(QStringLiteral("txtObservacao"));
    m_cboUF->lineEdit()->setMaxLength(2); // the column holds two characters

    m_fraCodigo->layout()->addWidget(m_txtCodigo);
    m_fraTelefone->layout()->addWidget(m_mskTelefone);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    const auto label = [this](const QString& caption, QWidget* buddy) {
        auto* text = new QLabel(caption, this);
        text->setBuddy(buddy);
        return text;
    };
    grid->addWidget(m_fraCodigo, 0, 0, 1, 2);
    grid->addWidget(m_fraTelefone, 0, 2, 1, 2);
    grid->addWidget(label(QStringLiteral("Nome"), m_txtNome), 1, 0);
    grid->addWidget(m_txtNome, 1, 1, 1, 3);
    grid->addWidget(label(QStringLiteral("RG"), m_txtRG), 2, 0);
    grid->addWidget(m_txtRG, 2, 1);
    grid->addWidget(label(QStringLiteral("Data Nasc."), m_mskData_Nasc), 2, 2);
    grid->addWidget(m_mskData_Nasc, 2, 3);
    grid->addWidget(label(QStringLiteral("Tipo"), m_cboTipo), 3, 0);
    grid->addWidget(m_cboTipo, 3, 1);
    grid->addWidget(label(QStringLiteral("CEP"), m_mskCEP), 3, 2);
    grid->addWidget(m_mskCEP, 3, 3);
    grid->addWidget(label(QStringLiteral("Logradouro"), m_txtLogradouro), 4, 0);
    grid->addWidget(m_txtLogradouro, 4, 1, 1, 3);
    grid->addWidget(label(QStringLiteral("Numero"), m_txtNumero), 5, 0);
    grid->addWidget(m_txtNumero, 5, 1);
    grid->addWidget(label(QStringLiteral("Complemento"), m_txtComplemento), 5, 2);
    grid->addWidget(m_txtComplemento, 5, 3);
    grid->addWidget(label(QStringLiteral("Bairro"), m_txtBairro), 6, 0);
    grid->addWidget(m_txtBairro, 6, 1);
    grid->addWidget(label(QStringLiteral("Cidade"), m_txtCidade), 6, 2);
    grid->addWidget(m_txtCidade, 6, 3);
    grid->addWidget(label(QStringLiteral("UF"), m_cboUF), 7, 0);
    grid->addWidget(m_cboUF, 7, 1);
    grid->addWidget(label(QStringLiteral("E-mail"), m_txtEmail), 7, 2);
    grid->addWidget(m_txtEmail, 7, 3);
    grid->addWidget(label(QStringLiteral("Observação"), m_txtObservacao), 8, 0);
    grid->addWidget(m_txtObservacao, 8, 1, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    setTabOrder(m_mskTelefone, m_txtNome);
    setTabOrder(m_txtNome, m_txtRG);
    setTabOrder(m_txtRG, m_mskData_Nasc);
    setTabOrder(m_mskData_Nasc, m_cboTipo);
    setTabOrder(m_cboTipo, m_mskCEP);
    setTabOrder(m_mskCEP, m_txtLogradouro);
    setTabOrder(m_txtLogradouro, m_txtNumero);
    setTabOrder(m_txtNumero, m_txtComplemento);
    setTabOrder(m_txtComplemento, m_txtBairro);
    setTabOrder(m_txtBairro, m_txtCidade);
    setTabOrder(m_txtCidade, m_cboUF);
    setTabOrder(m_cboUF, m_txtEmail);
    setTabOrder(m_txtEmail, m_txtObservacao);

    FocusColours::attach(m_txtCodigo, true);
    for (QWidget* box :
         QList<QWidget*>{m_mskTelefone, m_txtNome, m_txtRG, m_cboTipo, m_txtLogradouro, m_txtNumero,
                         m_txtComplemento, m_txtBairro, m_txtCidade, m_cboUF, m_txtObservacao}) {
        FocusColours::attach(box);
        KeyFilterAttacher::attach(box, KeyFilterMode::Capitals);
    }
    FocusColours::attach(m_txtEmail);
    KeyFilterAttacher::attach(m_txtEmail, KeyFilterMode::LowerCase);
    FocusColours::attach(m_mskCEP); // digits only: the masks need no filter
    FocusColours::attach(m_mskData_Nasc);
    clear();
}

QList<QWidget*> ClienteFields::lockable() const {
    return {m_fraCodigo,     m_fraTelefone, m_txtNome,        m_txtRG,     m_cboTipo,
            m_txtLogradouro, m_txtNumero,   m_txtComplemento, m_txtBairro, m_txtCidade,
            m_cboUF,         m_txtEmail,    m_txtObservacao};
}

void ClienteFields::setMaskedEnabled(bool enabled) {
    m_mskCEP->setEnabled(enabled);
    m_mskData_Nasc->setEnabled(enabled);
}

CepTarget ClienteFields::cepTarget() const {
    return CepTarget{.cboUF = m_cboUF,
                     .txtCidade = m_txtCidade,
                     .txtBairro = m_txtBairro,
                     .cboTipo = m_cboTipo,
                     .txtLogradouro = m_txtLogradouro,
                     .mskCEP = m_mskCEP,
                     .txtNome = m_txtNome};
}

void ClienteFields::clear() {
    for (QLineEdit* box :
         {m_txtCodigo, m_mskTelefone, m_txtNome, m_txtRG, m_txtLogradouro, m_txtNumero,
          m_txtComplemento, m_txtBairro, m_txtCidade, m_txtEmail, m_txtObservacao})
        box->clear();
    m_mskCEP->setInputMask(CepLookup::kInputMask);
    m_mskCEP->clear();
    m_mskData_Nasc->setInputMask(kMascaraData);
    m_mskData_Nasc->clear();
    m_cboTipo->setCurrentText(kTipoPadrao);
    m_cboUF->setCurrentText(kUFPadrao);
}

void ClienteFields::mostra(const Cliente& cliente) {
    m_txtCodigo->setText(QString::number(cliente.codigo));
    m_txtNome->setText(cliente.nome);
    m_mskTelefone->setText(cliente.telefone);
    m_txtRG->setText(cliente.rg);
    m_cboTipo->setCurrentText(cliente.tipo);
    m_txtLogradouro->setText(cliente.logradouro);
    m_txtNumero->setText(cliente.numero);
    m_txtComplemento->setText(cliente.complemento);
    m_txtBairro->setText(cliente.bairro);
    m_txtCidade->setText(cliente.cidade);
    m_cboUF->setCurrentText(cliente.uf);
    m_mskCEP->setText(cliente.cep);
    // Emptied for a customer without one, so no other customer's date stays on view.
    m_mskData_Nasc->setText(cliente.dataNascimento.isValid()
                                ? cliente.dataNascimento.toString(kFormatoData)
                                : QString());
    m_txtEmail->setText(cliente.email);
    m_txtObservacao->setText(cliente.observacao);
}

Cliente ClienteFields::typed() const {
    // A box without a single digit holds only the mask's separator: no postal code.
    const QString cep = SoNumeros(m_mskCEP->text()).isEmpty() ? QString() : m_mskCEP->text();
    return Cliente{.codigo = m_txtCodigo->text().toLongLong(),
                   .telefone = m_mskTelefone->text(),
                   .nome = m_txtNome->text(),
                   .rg = m_txtRG->text(),
                   .tipo = m_cboTipo->currentText(),
                   .logradouro = m_txtLogradouro->text(),
                   .numero = m_txtNumero->text(),
                   .complemento = m_txtComplemento->text(),
                   .bairro = m_txtBairro->text(),
                   .cidade = m_txtCidade->text(),
                   .uf = m_cboUF->currentText(),
                   .cep = cep,
                   .dataNascimento = toSqlDate(m_mskData_Nasc->text()).toDate(),
                   .email = m_txtEmail->text(),
                   .observacao = m_txtObservacao->text()};
}

bool ClienteFields::validate() {
    if (m_mskTelefone->text().isEmpty())
        return falha(QStringLiteral("Informe o telefone do cliente!!!"), m_mskTelefone);
    if (m_txtNome->text().isEmpty())
        return falha(QStringLiteral("Informe o nome do cliente!!!"), m_txtNome);
    if (m_cboTipo->currentText().isEmpty())
        return falha(QStringLiteral("Informe o tipo do logradouro!!!"), m_cboTipo);
    if (m_txtLogradouro->text().isEmpty())
        return falha(QStringLiteral("Informe o logradouro!!!"), m_txtLogradouro);
    if (m_txtNumero->text().isEmpty())
        return falha(QStringLiteral("Informe o numero da residencia!!!"), m_txtNumero);
    return true;
}

bool ClienteFields::recusaTelefoneTomado(const ClienteStore& store) {
    if (m_mskTelefone->text().isEmpty() || !store.telefoneTaken(m_mskTelefone->text()))
        return false;
    aviso(kDuplicado);
    m_mskTelefone->clear();
    m_mskTelefone->setFocus();
    return true;
}

void ClienteFields::telefoneTomado() {
    aviso(kDuplicado);
    m_mskTelefone->setFocus();
}

void ClienteFields::aviso(const QString& text) {
    m_messages.show(MessageBoxes::Icon::Information, QStringLiteral("Aviso"), text);
}

bool ClienteFields::falha(const QString& text, QWidget* field) {
    aviso(text);
    field->setFocus();
    return false;
}
