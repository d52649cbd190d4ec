#include "shell/screens/frmAutenticacao.h"

#include "common/screens/BusyCursor.h"
#include "common/screens/ScreenContext.h"
#include "config/AppHome.h"
#include "config/Session.h"
#include "config/Settings.h"
#include "data/Connections.h"
#include "data/Database.h"
#include "data/DbError.h"
#include "data/Schema.h"
#include "shell/screens/LoginLook.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProcess>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <optional>

namespace {

const QString kAviso = QStringLiteral("Aviso");
const QString kTentativasExcedidas =
    QStringLiteral("O Programa será fechado por exceder o numero de tentativas.   ") +
    QLatin1Char('\n') + QStringLiteral("Caso não consiga entrar no sistema entre em") +
    QLatin1Char('\n') + QStringLiteral("contato com o ADMINISTRADOR do sistema.") +
    QLatin1Char('\n');

using LoginLook::label;

} // namespace

frmAutenticacao::frmAutenticacao(ScreenContext& context, QWidget* parent)
    : ScreenBase(context.messages, parent,
                 {.radius = ScreenOptions::kLoginRadius,
                  .titleButtons = TitleButtonSet::None,
                  .placement = ScreenPlacement::Centred}),
      m_context(context), m_authentication(Authentication::fromIni(context.home.iniPath())),
      m_txtUsuario(makeField(QStringLiteral("txtUsuario"))),
      m_txtSenha(makeField(QStringLiteral("txtSenha"))),
      m_imgEntrar(LoginLook::imageButton(this, QStringLiteral("imgEntrar"),
                                         LoginLook::Picture::Entrar, QStringLiteral("Entrar"))),
      m_imgCancelar(LoginLook::imageButton(this, QStringLiteral("imgCancelar"),
                                           LoginLook::Picture::Cancelar,
                                           QStringLiteral("Cancelar"))),
      m_lblVersao(label(this, QStringLiteral("lblVersao"), QStringLiteral("Versão ") + kVersao)),
      m_lblIdEmpresa(label(this, QStringLiteral("lblIdEmpresa"), context.settings.gCodigoEmpresa)) {
    setObjectName(QStringLiteral("frmAutenticacao"));
    setWindowTitle(QCoreApplication::applicationName());
    setFixedSize(380, 250);
    setStyleSheet(LoginLook::styleSheet(QStringLiteral("frmAutenticacao")) +
                  QStringLiteral("QLabel#lblVersao { text-decoration: underline; }"));

    m_txtUsuario->installEventFilter(this);
    m_txtSenha->installEventFilter(this);
    m_txtSenha->setEchoMode(QLineEdit::Password);
    m_lblVersao->setCursor(Qt::PointingHandCursor);
    m_lblVersao->setToolTip(QStringLiteral("Suporte remoto"));
    m_lblVersao->installEventFilter(this);

    auto* fields = new QGridLayout;
    fields->addWidget(label(this, QStringLiteral("lblUsuario"), QStringLiteral("Usuário:")), 0, 0);
    fields->addWidget(m_txtUsuario, 0, 1);
    fields->addWidget(label(this, QStringLiteral("lblSenha"), QStringLiteral("Senha:")), 1, 0);
    fields->addWidget(m_txtSenha, 1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_imgEntrar);
    buttons->addWidget(m_imgCancelar);

    auto* footer = new QHBoxLayout;
    footer->addWidget(m_lblVersao);
    footer->addStretch(1);
    footer->addWidget(m_lblIdEmpresa);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 14, 20, 10);
    layout->addLayout(LoginLook::header(this));
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->addStretch(1);
    layout->addLayout(footer);

    setTabOrder(m_txtUsuario, m_txtSenha);
    setTabOrder(m_txtSenha, m_imgEntrar);
    setTabOrder(m_imgEntrar, m_imgCancelar);
    connect(m_imgEntrar, &QToolButton::clicked, this, &frmAutenticacao::imgEntrar_Click);
    connect(m_imgCancelar, &QToolButton::clicked, this, &frmAutenticacao::imgCancelar_Click);
}

QLineEdit* frmAutenticacao::makeField(const QString& name) {
    auto* field = new QLineEdit(this);
    field->setObjectName(name);
    attachKeyFilter(field, KeyFilterMode::Login);
    return field;
}

bool frmAutenticacao::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn && (watched == m_txtUsuario || watched == m_txtSenha)) {
        // After the click that brought the focus has placed the cursor.
        auto* field = static_cast<QLineEdit*>(watched);
        QTimer::singleShot(0, field, &QLineEdit::selectAll);
    } else if (watched == m_lblVersao && event->type() == QEvent::MouseButtonRelease &&
               static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        lblVersao_Click();
        return true;
    }
    return ScreenBase::eventFilter(watched, event);
}

void frmAutenticacao::showEvent(QShowEvent* event) {
    ScreenBase::showEvent(event);
    if (m_carregado) {
        return;
    }
    m_carregado = true;
    m_txtUsuario->clear();
    m_txtSenha->clear();
    m_txtUsuario->setFocus();
    try {
        const BusyCursor busy;
        m_context.connections.db();
    } catch (const std::exception& e) {
        error(e);
    }
}

void frmAutenticacao::closeEvent(QCloseEvent* event) {
    // Closing the login without getting in is leaving the program, also after a user switch
    // when the main window is only hidden.
    if (!m_concluido) {
        encerra(kSaidaCancelar);
    }
    ScreenBase::closeEvent(event);
}

void frmAutenticacao::imgEntrar_Click() {
    const QString usuario = m_txtUsuario->text();
    const QString senha = m_txtSenha->text();

    Database* db = nullptr;
    std::optional<DbError> openFailure;
    try {
        const BusyCursor busy;
        db = &m_context.connections.db();
    } catch (const DbError& e) {
        openFailure = e;
    } catch (const std::exception& e) {
        openFailure = DbError(DbError::kGeneric, QString::fromLocal8Bit(e.what()));
    }
    if (db) {
        atualizaTamanhoNomeItem(*db);
    }

    if (m_authentication.isAdministrador(usuario, senha)) {
        entra({true, true, 0, Authentication::kAdministradorNome}, usuario, senha);
        return;
    }
    if (usuario.isEmpty()) {
        aviso(QStringLiteral("Digite o usuário."));
        m_txtUsuario->setFocus();
        return;
    }
    if (senha.isEmpty()) {
        aviso(QStringLiteral("Digite a Senha"));
        m_txtSenha->setFocus();
        return;
    }
    if (!db) {
        error(*openFailure);
        return;
    }
    Authentication::Result result;
    try {
        result = m_authentication.check(*db, usuario, senha);
    } catch (const std::exception& e) {
        error(e);
        return;
    }
    if (result.ok) {
        entra(result, usuario, senha);
    } else {
        recusa();
    }
}

void frmAutenticacao::atualizaTamanhoNomeItem(Database& db) {
    try {
        US_AtualizaTamanhoNomeItem(db);
    } catch (const DbError& e) {
        // The login goes on and the next one tries again; only a database held elsewhere is
        // worth telling.
        if (e.isInUse()) {
            error(e);
        }
    }
}

void frmAutenticacao::entra(const Authentication::Result& result, const QString& usuario,
                            const QString& senha) {
    Session& session = m_context.session;
    session.gUsuarioNome = result.usuNome;
    session.usuId = result.usuId;
    // Only the administrator's own login lifts the authority checks; a user who comes in
    // after him in the same run does not keep them.
    session.gUsuarioLogin = result.administrador ? usuario : QString();
    session.gUsuarioSenha = result.administrador ? senha : QString();
    m_concluido = true;
    Q_EMIT autenticado();
    close();
}

void frmAutenticacao::recusa() {
    aviso(QStringLiteral("Usuário ou senha invalidos"));
    m_txtUsuario->setFocus();
    m_txtUsuario->selectAll();
    Session& session = m_context.session;
    ++session.gTentativas;
    if (session.gTentativas >= Session::kMaxTentativas) {
        messages().show(MessageBoxes::Icon::Critical, QStringLiteral("Autenticação"),
                        kTentativasExcedidas);
        encerra(kSaidaTentativas);
    }
}

void frmAutenticacao::imgCancelar_Click() {
    encerra(kSaidaCancelar);
}

void frmAutenticacao::lblVersao_Click() {
    const QString tool = m_context.home.supportFolder() + kSuporteRemoto;
    if (!QFileInfo::exists(tool)) {
        aviso(QStringLiteral("O programa de suporte remoto não foi encontrado:") +
              QLatin1Char('\n') + QDir::toNativeSeparators(tool));
        return;
    }
    if (!QProcess::startDetached(tool, {}, QFileInfo(tool).absolutePath())) {
        aviso(QStringLiteral("Não foi possível iniciar o programa de suporte remoto:") +
              QLatin1Char('\n') + QDir::toNativeSeparators(tool));
    }
}

void frmAutenticacao::aviso(const QString& text) {
    messages().show(MessageBoxes::Icon::Information, kAviso, text);
}

void frmAutenticacao::encerra(int code) {
    m_concluido = true;
    Q_EMIT encerrarPrograma(code);
}
