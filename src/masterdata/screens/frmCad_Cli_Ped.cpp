#include "masterdata/screens/frmCad_Cli_Ped.h"

#include "common/screens/ErrorRoutine.h"
#include "common/screens/FieldLeave.h"
#include "common/screens/RegistryScreenBase.h"
#include "common/screens/ScreenContext.h"
#include "common/screens/Widgets.h"
#include "data/Connections.h"
#include "masterdata/ClienteStore.h"
#include "masterdata/screens/ClienteFields.h"
#include "masterdata/screens/frmCep_Ped_Cad_Cli.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {} // namespace

frmCad_Cli_Ped::frmCad_Cli_Ped(ScreenContext& context, const QString& telefone, QWidget* parent)
    : ScreenBase(context.messages, parent, RegistryScreenBase::registryOptions()),
      m_context(context),
      m_campos(new ClienteFields(context.messages, ClienteFields::Tipos::ComFavela, this)),
      m_btnSalvar(widgets::button(this, QStringLiteral("btnSalvar"), QStringLiteral("&Salvar"))),
      m_btnSair(widgets::button(this, QStringLiteral("btnSair"), QStringLiteral("Sai&r"))),
      m_btnCep(widgets::button(this, QStringLiteral("btnCep"), QStringLiteral("&Cep"))) {
    setObjectName(QStringLiteral("frmCad_Cli_Ped"));
    setWindowTitle(QStringLiteral("Cadastro de Cliente"));
    command1()->setText(QStringLiteral("Command1"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_btnCep);
    buttons->addStretch(1);
    buttons->addWidget(m_btnSalvar);
    buttons->addWidget(m_btnSair);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 32, 16, 16);
    layout->addWidget(m_campos);
    layout->addLayout(buttons);

    connect(m_btnSalvar, &QPushButton::clicked, this, &frmCad_Cli_Ped::btnSalvar_Click);
    connect(m_btnSair, &QPushButton::clicked, this, &QWidget::close);
    connect(m_btnCep, &QPushButton::clicked, this, &frmCad_Cli_Ped::btnCep_Click);
    FieldLeave::attach(m_campos->mskTelefone(), [this] { mskTelefone_LostFocus(); });

    // Editing from the start, with the order screen's telephone as typed there.
    m_campos->clear();
    m_campos->mskTelefone()->setText(telefone);
    m_btnSalvar->setDefault(true);
    m_campos->mskTelefone()->setFocus();
}

void frmCad_Cli_Ped::btnSalvar_Click() {
    try {
        if (!salva())
            return;
    } catch (const std::exception& failure) {
        MostraErro(messages(), failure);
        return;
    }
    Q_EMIT clienteCadastrado(*m_cadastrado);
    accept();
}

bool frmCad_Cli_Ped::salva() {
    if (m_estado != Estado::Editando || !m_campos->validate())
        return false;
    Cliente cliente = m_campos->typed();
    const std::optional<qint64> codigo = ClienteStore(m_context.connections.db()).insert(cliente);
    if (!codigo) { // taken since the box was left, or never left
        m_campos->telefoneTomado();
        return false;
    }
    cliente.codigo = *codigo;
    m_campos->txtCodigo()->setText(QString::number(*codigo));
    messages().show(MessageBoxes::Icon::Information, QStringLiteral("Aviso"),
                    QStringLiteral("Cliente cadastrado com sucesso"));
    m_estado = Estado::Salvo;
    for (QWidget* field : m_campos->lockable())
        field->setEnabled(false);
    m_campos->setMaskedEnabled(false);
    m_btnSalvar->setEnabled(false);
    m_btnCep->setEnabled(false);
    m_cadastrado = cliente;
    return true;
}

void frmCad_Cli_Ped::mskTelefone_LostFocus() {
    try {
        if (m_estado == Estado::Editando)
            m_campos->recusaTelefoneTomado(ClienteStore(m_context.connections.db()));
    } catch (const std::exception& failure) {
        MostraErro(messages(), failure);
    }
}

void frmCad_Cli_Ped::btnCep_Click() {
    try {
        frmCep_Ped_Cad_Cli dialog(m_context, m_campos->cepTarget(), this);
        dialog.exec();
        m_campos->txtNome()->setFocus();
    } catch (const std::exception& failure) {
        error(failure);
    }
}
