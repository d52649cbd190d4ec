#include "shell/screens/frmUsuario.h"

#include "common/screens/ScreenContext.h"
#include "common/screens/Widgets.h"
#include "config/Session.h"
#include "masterdata/UsuarioStore.h"
#include "masterdata/screens/UsuarioLookup.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QVBoxLayout>

namespace {
const QString kCancelada = QStringLiteral(" Operação Cancelada !!!");
const QString kDuplicado = QStringLiteral("Usuário já esta cadastrado");
const QString kNaoCadastrado = QStringLiteral("Usuario não cadastrado!!!");

// The name and the login are both unique: either taken is told the same way.
WriteOutcome asWriteOutcome(UsuarioStore::Outcome outcome) {
    switch (outcome) {
    case UsuarioStore::Outcome::Saved:
        return WriteOutcome::Saved;
    case UsuarioStore::Outcome::NotFound:
        return WriteOutcome::NotFound;
    default:
        return WriteOutcome::NameTaken;
    }
}

QString dataCurta(const QDate& data) {
    return data.isValid() ? QLocale::system().toString(data, QLocale::ShortFormat) : QString();
}

} // namespace

frmUsuario::frmUsuario(ScreenContext& context, QWidget* parent)
    : RegistryScreenBase(context, parent, registryOptions(TitleButtonSet::CloseOnly)),
      m_fraCodigo(new QGroupBox(this)),
      m_txtCodigo(widgets::lineEdit(m_fraCodigo, QStringLiteral("txtCodigo"))),
      m_fraData(new QGroupBox(this)), m_lblData(new QLabel(m_fraData)),
      m_txtNome(widgets::lineEdit(this, QStringLiteral("txtNome"))),
      m_txtUsuario(widgets::lineEdit(this, QStringLiteral("txtUsuario"))),
      m_txtSenha(widgets::lineEdit(this, QStringLiteral("txtSenha"))),
      m_txtConfirmacao(widgets::lineEdit(this, QStringLiteral("txtConfirmacao"))),
      m_fraAcesso(new QGroupBox(QStringLiteral("Acesso"), this)),
      m_ckbCadUsuarios(new QCheckBox(QStringLiteral("Cadastra Usuários"), m_fraAcesso)),
      m_ckbRelatorio(
          new QCheckBox(QStringLiteral("Visualiza Relatórios e Exportar dados"), m_fraAcesso)) {
    setObjectName(QStringLiteral("frmUsuario"));
    setWindowTitle(QStringLiteral("Cadastro de Usuário"));
    m_fraCodigo->setObjectName(QStringLiteral("fraCodigo"));
    m_txtCodigo->setReadOnly(true); // always the assigned code
    m_fraData->setObjectName(QStringLiteral("fraData"));
    m_lblData->setObjectName(QStringLiteral("lblData"));
    m_txtSenha->setEchoMode(QLineEdit::Password);
    m_txtConfirmacao->setEchoMode(QLineEdit::Password);
    m_fraAcesso->setObjectName(QStringLiteral("fraAcesso"));
    m_ckbCadUsuarios->setObjectName(QStringLiteral("ckbCadUsuarios"));
    m_ckbCadUsuarios->setToolTip(QStringLiteral("Libera o acesso para cadastrar novos usuarios"));
    m_ckbRelatorio->setObjectName(QStringLiteral("ckbRelatorio"));
    m_ckbRelatorio->setToolTip(
        QStringLiteral("Libera o acesso aos relatórios e exportação de dados"));

    auto* codigo = new QHBoxLayout(m_fraCodigo);
    codigo->addWidget(new QLabel(QStringLiteral("Codigo"), m_fraCodigo));
    codigo->addWidget(m_txtCodigo);
    auto* data = new QHBoxLayout(m_fraData);
    data->addWidget(new QLabel(QStringLiteral("Data"), m_fraData));
    data->addWidget(m_lblData, 1);
    auto* topo = new QHBoxLayout;
    topo->addWidget(m_fraCodigo);
    topo->addWidget(m_fraData);
    auto* acesso = new QVBoxLayout(m_fraAcesso);
    acesso->addWidget(m_ckbCadUsuarios);
    acesso->addWidget(m_ckbRelatorio);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Nome"), m_txtNome);
    form->addRow(QStringLiteral("Usuário"), m_txtUsuario);
    form->addRow(QStringLiteral("Senha"), m_txtSenha);
    form->addRow(QStringLiteral("Confirmação"), m_txtConfirmacao);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 32, 16, 16);
    layout->addLayout(topo);
    layout->addLayout(form);
    layout->addWidget(m_fraAcesso);
    layout->addWidget(buttonBar());

    attachFocusColours(m_txtCodigo, true);
    addField(m_fraCodigo);
    for (QLineEdit* box : {m_txtNome, m_txtUsuario, m_txtSenha, m_txtConfirmacao}) {
        attachFocusColours(box);
        attachKeyFilter(box, KeyFilterMode::Capitals);
        addField(box);
    }
    whenLeft(m_txtNome, [this] { checkDuplicate(m_txtNome); });
    whenLeft(m_txtUsuario, [this] { checkDuplicate(m_txtUsuario); });
    loadConcedidas();
    start();
}

void frmUsuario::loadConcedidas() {
    // Until the current user's code is known nothing can be granted.
    m_ckbCadUsuarios->setEnabled(false);
    m_ckbRelatorio->setEnabled(false);
    try {
        const std::optional<Usuario> atual =
            UsuarioStore(db()).findByNome(context().session.gUsuarioNome);
        // No row: the built-in administrator, who may grant everything.
        const Permissoes concedidas = permissoesConcedidasPor(atual ? atual->autoridade : 0);
        m_ckbCadUsuarios->setEnabled(concedidas.cadastraUsuarios);
        m_ckbRelatorio->setEnabled(concedidas.visualizaRelatorios);
    } catch (const std::exception& failure) {
        error(failure);
    }
}

void frmUsuario::mostraUsuario(const Usuario& usuario) {
    m_txtCodigo->setText(QString::number(usuario.codigo));
    m_data = usuario.data;
    m_lblData->setText(dataCurta(usuario.data));
    m_txtNome->setText(usuario.nome);
    m_txtUsuario->setText(usuario.usuario);
    m_txtSenha->clear();
    m_txtConfirmacao->clear();
    const Permissoes permissoes = permissoesDe(usuario.autoridade);
    m_ckbCadUsuarios->setChecked(permissoes.cadastraUsuarios);
    m_ckbRelatorio->setChecked(permissoes.visualizaRelatorios);
}

void frmUsuario::clearFields() {
    // The permission boxes keep their state: a new user starts with what they show.
    m_txtCodigo->clear();
    m_data = {};
    m_lblData->clear();
    m_txtNome->clear();
    m_txtUsuario->clear();
    m_txtSenha->clear();
    m_txtConfirmacao->clear();
}

bool frmUsuario::isTableEmpty() {
    return UsuarioStore(db()).isEmpty();
}

QString frmUsuario::emptyTableText(bool) const {
    return QStringLiteral("Não existem usuários cadastrados");
}

QWidget* frmUsuario::firstField() const {
    return m_txtNome;
}

QWidget* frmUsuario::firstEditField() const {
    return m_txtSenha;
}

bool frmUsuario::prepareInclusion() {
    m_data = QDate::currentDate();
    m_lblData->setText(dataCurta(m_data));
    // A box this user may not touch may still show a picked user's permission; it must not
    // pass on to the new user.
    if (!m_ckbCadUsuarios->isEnabled())
        m_ckbCadUsuarios->setChecked(false);
    if (!m_ckbRelatorio->isEnabled())
        m_ckbRelatorio->setChecked(false);
    return true;
}

void frmUsuario::prepareSelection(State state) {
    if (state != State::Change)
        return;
    // Name and login cannot be changed.
    m_txtNome->setEnabled(false);
    m_txtUsuario->setEnabled(false);
}

bool frmUsuario::selecionar() {
    return escolheCom<frmSelecionar_Usuario>([this](const Usuario& r) { mostraUsuario(r); });
}

bool frmUsuario::localizar() {
    return escolheCom<frmLocalizar_Usuario>([this](const Usuario& r) { mostraUsuario(r); });
}

std::optional<QString> frmUsuario::deletionQuestion() const {
    if (m_txtUsuario->text().isEmpty())
        return std::nullopt;
    return QStringLiteral("Deseja deletar o usuário ") + m_txtUsuario->text() +
           QStringLiteral(" ?");
}

QString frmUsuario::deletionCancelledText() const {
    return kCancelada;
}

void frmUsuario::deleteRecord() {
    deletionDone(UsuarioStore(db()).remove(m_txtCodigo->text().toLongLong()),
                 QStringLiteral(" usuário deletado com sucesso"), kNaoCadastrado);
}

bool frmUsuario::informa(QLineEdit* box, const QString& text) {
    if (!box->text().isEmpty())
        return true;
    aviso(text);
    box->setFocus();
    return false;
}

bool frmUsuario::confirmacaoConfere() {
    if (m_txtSenha->text() == m_txtConfirmacao->text())
        return true;
    messages().show(MessageBoxes::Icon::Information, QStringLiteral("Usuário"),
                    QStringLiteral("Confirmação esta diferente da senha informada !!!"));
    m_txtConfirmacao->setFocus();
    return false;
}

Usuario frmUsuario::mostrado() const {
    Usuario usuario;
    usuario.codigo = m_txtCodigo->text().toLongLong();
    usuario.data = m_data;
    usuario.nome = m_txtNome->text();
    usuario.usuario = m_txtUsuario->text();
    usuario.autoridade = autoridadeDe(m_ckbCadUsuarios->isChecked(), m_ckbRelatorio->isChecked());
    return usuario;
}

bool frmUsuario::saveInclusion() {
    if (!informa(m_txtNome, QStringLiteral("Informe o nome do usuário !!!")) ||
        !informa(m_txtUsuario, QStringLiteral("Informe o usuário !!!")) ||
        !informa(m_txtSenha, QStringLiteral("Informe a senha !!!")) ||
        !informa(m_txtConfirmacao, QStringLiteral("Informe a confirmacao da senha !!!")) ||
        !confirmacaoConfere())
        return false;
    const Usuario usuario = mostrado();
    const UsuarioStore::Inclusao inclusao = UsuarioStore(db()).insert(usuario, m_txtSenha->text());
    if (inclusao.outcome != UsuarioStore::Outcome::Saved) { // taken meanwhile elsewhere
        aviso(kDuplicado);
        if (inclusao.outcome == UsuarioStore::Outcome::UsuarioTaken)
            m_txtUsuario->setFocus();
        else
            m_txtNome->setFocus();
        return false;
    }
    m_txtCodigo->setText(QString::number(inclusao.codigo));
    aviso(QStringLiteral("Usuário cadastrado com sucesso"));
    return true;
}

bool frmUsuario::saveChange() {
    if (!informa(m_txtUsuario, QStringLiteral("Informe o usuário !!!")))
        return false;
    // The stored password cannot be shown; both boxes left empty keep it.
    const bool novaSenha = !m_txtSenha->text().isEmpty() || !m_txtConfirmacao->text().isEmpty();
    if (novaSenha &&
        (!informa(m_txtSenha, QStringLiteral("Informe a senha !!!")) ||
         !informa(m_txtConfirmacao, QStringLiteral("Informe a confirmacao da senha !!!")) ||
         !confirmacaoConfere()))
        return false;
    if (!pergunta(QStringLiteral("Deseja alterar o usuário ") + m_txtUsuario->text() +
                  QStringLiteral(" ?"))) {
        aviso(kCancelada);
        return false;
    }
    const Usuario usuario = mostrado();
    const std::optional<QString> senha =
        novaSenha ? std::optional(m_txtSenha->text()) : std::nullopt;
    return changeSaved(
        asWriteOutcome(UsuarioStore(db()).update(usuario, senha)),
        QStringLiteral("Usuário alterado com sucesso!!!"), [this] { aviso(kDuplicado); },
        kNaoCadastrado);
}

void frmUsuario::checkDuplicate(QLineEdit* box) {
    // Only a new user is checked; a change cannot touch the name or the login.
    if (state() != State::Inclusion || box->text().isEmpty())
        return;
    const UsuarioStore store(db());
    const bool taken =
        box == m_txtNome ? store.nomeTaken(box->text()) : store.usuarioTaken(box->text());
    if (!taken)
        return;
    aviso(kDuplicado);
    box->clear();
    box->setFocus();
}
