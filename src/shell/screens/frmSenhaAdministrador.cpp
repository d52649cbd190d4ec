#include "shell/screens/frmSenhaAdministrador.h"

#include "shell/Authentication.h"
#include "shell/screens/LoginLook.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

frmSenhaAdministrador::frmSenhaAdministrador(MessageBoxes& messages, QWidget* parent)
    : ScreenBase(messages, parent,
                 {.radius = ScreenOptions::kLoginRadius,
                  .titleButtons = TitleButtonSet::None,
                  .placement = ScreenPlacement::Centred}),
      m_txtSenha(makeField(QStringLiteral("txtSenha"))),
      m_txtConfirmacao(makeField(QStringLiteral("txtConfirmacao"))),
      m_imgConfirmar(LoginLook::imageButton(this, QStringLiteral("imgConfirmar"),
                                            LoginLook::Picture::Entrar,
                                            QStringLiteral("Confirmar"))),
      m_imgCancelar(LoginLook::imageButton(this, QStringLiteral("imgCancelar"),
                                           LoginLook::Picture::Cancelar,
                                           QStringLiteral("Cancelar"))) {
    setObjectName(QStringLiteral("frmSenhaAdministrador"));
    setWindowTitle(QCoreApplication::applicationName());
    setFixedSize(420, 250);
    setStyleSheet(LoginLook::styleSheet(QStringLiteral("frmSenhaAdministrador")));

    auto* instrucao = LoginLook::label(
        this, QStringLiteral("lblInstrucao"),
        QStringLiteral("Primeira inicialização: defina a senha do administrador.") +
            QLatin1Char('\n') + QStringLiteral("Para entrar no sistema use o usuário ") +
            Authentication::kAdministradorUsuario + QStringLiteral(" e esta senha."));
    instrucao->setWordWrap(true);

    auto* fields = new QGridLayout;
    fields->addWidget(LoginLook::label(this, QStringLiteral("lblSenha"), QStringLiteral("Senha:")),
                      0, 0);
    fields->addWidget(m_txtSenha, 0, 1);
    fields->addWidget(LoginLook::label(this, QStringLiteral("lblConfirmacao"),
                                       QStringLiteral("Confirme a senha:")),
                      1, 0);
    fields->addWidget(m_txtConfirmacao, 1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_imgConfirmar);
    buttons->addWidget(m_imgCancelar);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 14, 20, 10);
    layout->addLayout(LoginLook::header(this));
    layout->addWidget(instrucao);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->addStretch(1);

    setTabOrder(m_txtSenha, m_txtConfirmacao);
    setTabOrder(m_txtConfirmacao, m_imgConfirmar);
    setTabOrder(m_imgConfirmar, m_imgCancelar);
    m_txtSenha->setFocus();
    connect(m_imgConfirmar, &QToolButton::clicked, this,
            &frmSenhaAdministrador::imgConfirmar_Click);
    connect(m_imgCancelar, &QToolButton::clicked, this, &frmSenhaAdministrador::close);
}

QLineEdit* frmSenhaAdministrador::makeField(const QString& name) {
    auto* field = new QLineEdit(this);
    field->setObjectName(name);
    field->setEchoMode(QLineEdit::Password);
    attachKeyFilter(field, KeyFilterMode::Login);
    field->installEventFilter(this);
    return field;
}

QString frmSenhaAdministrador::senha() const {
    return result() == QDialog::Accepted ? m_txtSenha->text() : QString();
}

bool frmSenhaAdministrador::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        (watched == m_txtSenha || watched == m_txtConfirmacao)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == m_txtSenha) {
                m_txtConfirmacao->setFocus();
            } else {
                imgConfirmar_Click();
            }
            return true;
        }
    }
    return ScreenBase::eventFilter(watched, event);
}

void frmSenhaAdministrador::imgConfirmar_Click() {
    if (m_txtSenha->text().isEmpty()) {
        aviso(QStringLiteral("Digite a Senha"), m_txtSenha);
        return;
    }
    if (m_txtConfirmacao->text().isEmpty()) {
        aviso(QStringLiteral("Digite a senha novamente para confirmar."), m_txtConfirmacao);
        return;
    }
    if (m_txtSenha->text() != m_txtConfirmacao->text()) {
        m_txtSenha->clear();
        m_txtConfirmacao->clear();
        aviso(QStringLiteral("As senhas digitadas não conferem. Digite-as novamente."), m_txtSenha);
        return;
    }
    accept();
}

void frmSenhaAdministrador::aviso(const QString& text, QLineEdit* focus) {
    messages().show(MessageBoxes::Icon::Information, QStringLiteral("Aviso"), text);
    focus->setFocus();
}
