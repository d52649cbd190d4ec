#include "common/screens/RegistryScreenBase.h"

#include "common/screens/FieldLeave.h"
#include "common/screens/ScreenContext.h"
#include "data/Connections.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace {
const QString kAviso = QStringLiteral("Aviso");
}

ScreenOptions RegistryScreenBase::registryOptions(TitleButtonSet titleButtons) {
    return ScreenOptions{.radius = ScreenOptions::kRegistryRadius,
                         .titleButtons = titleButtons,
                         .frameless = true,
                         .placement = ScreenPlacement::TopCentred,
                         .topTwips = 500};
}

RegistryScreenBase::RegistryScreenBase(ScreenContext& context, QWidget* parent,
                                       const ScreenOptions& options)
    : ScreenBase(context.messages, parent, options), m_context(context),
      m_buttonBar(new QWidget(this)) {
    auto* row = new QHBoxLayout(m_buttonBar);
    row->setContentsMargins(0, 0, 0, 0);
    m_btnIncluir = makeButton(QStringLiteral("btnIncluir"), QStringLiteral("&Incluir"));
    m_btnEditar = makeButton(QStringLiteral("btnEditar"), QStringLiteral("&Editar"));
    m_btnDeletar = makeButton(QStringLiteral("btnDeletar"), QStringLiteral("&Deletar"));
    m_btnSalvar = makeButton(QStringLiteral("btnSalvar"), QStringLiteral("&Salvar"));
    m_btnProcurar1 = makeButton(QStringLiteral("btnProcurar1"), QStringLiteral("&Procurar"));
    m_btnSair = makeButton(QStringLiteral("btnSair"), QStringLiteral("Sai&r"));
    connect(m_btnIncluir, &QPushButton::clicked, this, &RegistryScreenBase::btnIncluir_Click);
    connect(m_btnEditar, &QPushButton::clicked, this, &RegistryScreenBase::btnEditar_Click);
    connect(m_btnDeletar, &QPushButton::clicked, this, &RegistryScreenBase::btnDeletar_Click);
    connect(m_btnSalvar, &QPushButton::clicked, this, &RegistryScreenBase::btnSalvar_Click);
    connect(m_btnProcurar1, &QPushButton::clicked, this, &RegistryScreenBase::btnProcurar1_Click);
    connect(m_btnSair, &QPushButton::clicked, this, &QWidget::close);
    command1()->setText(QStringLiteral("Command1"));
}

QPushButton* RegistryScreenBase::makeButton(const QString& name, const QString& caption) {
    auto* button = new QPushButton(caption, m_buttonBar);
    button->setObjectName(name);
    button->setAutoDefault(false);
    m_buttonBar->layout()->addWidget(button);
    return button;
}

Database& RegistryScreenBase::db() const {
    return m_context.connections.db();
}

void RegistryScreenBase::addEditingButton(QPushButton* button) {
    button->setAutoDefault(false);
    m_editingButtons << button;
    button->setEnabled(m_state == State::Inclusion || m_state == State::Change);
}

void RegistryScreenBase::addField(QWidget* field) {
    m_fields << field;
    field->setEnabled(!m_locked);
}

void RegistryScreenBase::start() {
    setState(State::Browse);
    lockFields();
}

void RegistryScreenBase::setState(State state) {
    m_state = state;
    const bool editing = state == State::Inclusion || state == State::Change;
    m_btnIncluir->setEnabled(!editing);
    m_btnEditar->setEnabled(!editing);
    m_btnDeletar->setEnabled(!editing);
    m_btnProcurar1->setEnabled(!editing);
    m_btnSalvar->setEnabled(editing);
    m_btnSair->setEnabled(true);
    for (QPushButton* button : m_editingButtons)
        button->setEnabled(editing);
    if (state == State::Deletion)
        return; // the default button stays as it was
    m_btnSalvar->setDefault(editing);
    m_btnIncluir->setDefault(!editing);
}

void RegistryScreenBase::lockFields() {
    m_locked = true;
    for (QWidget* field : m_fields)
        field->setEnabled(false);
}

void RegistryScreenBase::unlockFields() {
    m_locked = false;
    for (QWidget* field : m_fields)
        field->setEnabled(true);
}

void RegistryScreenBase::whenLeft(QWidget* field, std::function<void()> handler) {
    FieldLeave::attach(field, [this, handler = std::move(handler)] { guarded(handler); });
}

void RegistryScreenBase::aviso(const QString& text) {
    messages().show(MessageBoxes::Icon::Information, kAviso, text);
}

bool RegistryScreenBase::changeSaved(WriteOutcome outcome, const QString& savedText,
                                     const std::function<void()>& taken,
                                     const QString& notFoundText) {
    switch (outcome) {
    case WriteOutcome::Saved:
        aviso(savedText);
        return true;
    case WriteOutcome::NameTaken:
        taken();
        return false;
    case WriteOutcome::NotFound:
        aviso(notFoundText);
        return false;
    }
    return false;
}

void RegistryScreenBase::deletionDone(bool removed, const QString& doneText,
                                      const QString& notFoundText) {
    aviso(removed ? doneText : notFoundText);
}

bool RegistryScreenBase::pergunta(const QString& text) {
    return messages().askYesNo(MessageBoxes::Icon::Information, kAviso, text);
}

void RegistryScreenBase::btnIncluir_Click() {
    guarded([this] {
        m_operacao = Operacao::Inclusao;
        unlockFields();
        clearFields();
        if (!prepareInclusion()) {
            setState(State::Browse);
            return;
        }
        setState(State::Inclusion);
        if (QWidget* field = firstField())
            field->setFocus();
    });
}

void RegistryScreenBase::btnEditar_Click() {
    guarded([this] {
        m_operacao = Operacao::Alteracao;
        if (isTableEmpty()) {
            aviso(emptyTableText(false));
            return;
        }
        unlockFields();
        clearFields();
        setState(State::Change);
        prepareSelection(State::Change);
        if (!selecionar()) {
            selectionCancelled();
            return;
        }
        afterChangePick();
        if (QWidget* field = firstEditField())
            field->setFocus();
    });
}

void RegistryScreenBase::btnDeletar_Click() {
    guarded([this] {
        if (isTableEmpty()) {
            aviso(emptyTableText(true));
            return;
        }
        unlockFields();
        clearFields();
        setState(State::Deletion);
        prepareSelection(State::Deletion);
        if (!selecionar()) {
            selectionCancelled();
            return;
        }
        const std::optional<QString> question = deletionQuestion();
        if (!question) {
            setState(State::Browse);
            lockFields();
            return;
        }
        if (!pergunta(*question)) {
            aviso(deletionCancelledText());
            if (clearsAfterCancelledDeletion())
                clearFields();
            lockFields();
            setState(State::Browse);
            return;
        }
        deleteRecord();
        clearFields();
        lockFields();
        setState(State::Browse);
    });
}

void RegistryScreenBase::btnSalvar_Click() {
    guarded([this] {
        const bool saved = m_operacao == Operacao::Alteracao ? saveChange() : saveInclusion();
        if (!saved)
            return;
        lockFields();
        setState(State::Browse);
        m_btnIncluir->setFocus();
    });
}

void RegistryScreenBase::btnProcurar1_Click() {
    consulta();
}

bool RegistryScreenBase::consulta() {
    bool escolhido = false;
    guarded([this, &escolhido] {
        setState(State::Browse);
        lockFields();
        escolhido = localizar();
    });
    return escolhido;
}

void RegistryScreenBase::selectionCancelled() {
    setState(State::Browse);
    lockFields();
    m_btnIncluir->setFocus();
}
