#include "masterdata/screens/ClienteLookup.h"

#include "data/DbError.h"
#include "masterdata/ClienteListModel.h"

#include <QDate>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QTreeView>

namespace {

ClienteListModel::Variante variante(LookupDialogBase::Kind kind) {
    return kind == LookupDialogBase::Kind::Localizar ? ClienteListModel::Variante::Localizar
                                                     : ClienteListModel::Variante::Selecionar;
}

LookupDialogBase::Definition definition(LookupDialogBase::Kind kind) {
    return {.kind = kind,
            .title = kind == LookupDialogBase::Kind::Localizar
                         ? QStringLiteral("Localizar Cliente")
                         : QStringLiteral("Selecionar Cliente"),
            .listName = QStringLiteral("lstSelecionar_Cliente"),
            .columns = ClienteListModel::columns(variante(kind)),
            .notFoundText = QStringLiteral("Cliente não cadastrado!!!"),
            .notFoundCaption = QStringLiteral("Brisko")};
}

QRadioButton* option(const QString& name, const QString& caption, QGroupBox* frame) {
    auto* button = new QRadioButton(caption, frame);
    button->setObjectName(name);
    frame->layout()->addWidget(button);
    return button;
}

} // namespace

ClienteLookup::ClienteLookup(ScreenContext& context, Kind kind, QWidget* parent)
    : LookupDialogBase(context, definition(kind), parent), m_store(db()),
      m_model(new ClienteListModel(m_store, variante(kind), QDate::currentDate(), this)) {
    setObjectName(kind == Kind::Localizar ? QStringLiteral("frmLocalizar_Cliente")
                                          : QStringLiteral("frmSelecionar_Cliente"));
    setModel(m_model);
    // Rows fetched while the list is scrolled fail inside the view's painting.
    connect(m_model, &ClienteListModel::loadFailed, this,
            [this](const DbError& failure) { error(failure); });

    // No key filter: names and streets are searched as typed.
    m_fraFiltro = addSearchFrame(QStringLiteral("fraFiltro"), QStringLiteral("Filtro por Nome"));
    m_optNome = option(QStringLiteral("optNome"), QStringLiteral("Nome"), m_fraFiltro);
    m_txtNome = addSearchBox(m_fraFiltro, QStringLiteral("txtNome"), KeyFilterMode::None);
    m_optTelefone = option(QStringLiteral("optTelefone"), QStringLiteral("Telefone"), m_fraFiltro);
    m_mskTelefone = addSearchBox(m_fraFiltro, QStringLiteral("mskTelefone"), KeyFilterMode::None);
    m_optEndereco = option(QStringLiteral("optEndereco"), QStringLiteral("Endereço"), m_fraFiltro);
    m_txtEndereco = addSearchBox(m_fraFiltro, QStringLiteral("txtEndereco"), KeyFilterMode::None);
    m_label1 = new QLabel(QStringLiteral("(Ex: Faria Lima) Não usar Av. Rua."), m_fraFiltro);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_fraFiltro->layout()->addWidget(m_label1);
    connect(m_optNome, &QRadioButton::clicked, this, &ClienteLookup::optNome_Click);
    connect(m_optTelefone, &QRadioButton::clicked, this, &ClienteLookup::optTelefone_Click);
    connect(m_optEndereco, &QRadioButton::clicked, this, &ClienteLookup::optEndereco_Click);

    refresh();
    optTelefone_Click(); // callers mostly know the telephone
}

void ClienteLookup::optNome_Click() {
    escolheBusca(m_optNome, m_txtNome);
}

void ClienteLookup::optTelefone_Click() {
    escolheBusca(m_optTelefone, m_mskTelefone);
}

void ClienteLookup::optEndereco_Click() {
    escolheBusca(m_optEndereco, m_txtEndereco);
}

// The boxes keep their text and the list stays as it is until the next keystroke.
void ClienteLookup::escolheBusca(QRadioButton* option, QLineEdit* box) {
    for (QRadioButton* each : {m_optNome, m_optTelefone, m_optEndereco})
        each->setChecked(each == option);
    for (QLineEdit* each : {m_txtNome, m_mskTelefone, m_txtEndereco})
        each->setEnabled(each == box);
    box->setFocus();
}

void ClienteLookup::refill() {
    // Each box searches its own column, whichever option is on: the box whose text changed
    // decides. The opening load has no box behind it.
    const QObject* origin = sender();
    if (origin == m_txtNome)
        m_model->setSearch(ClienteStore::Busca::Nome, m_txtNome->text());
    else if (origin == m_mskTelefone)
        m_model->setSearch(ClienteStore::Busca::Telefone, m_mskTelefone->text());
    else if (origin == m_txtEndereco)
        m_model->setSearch(ClienteStore::Busca::Endereco, m_txtEndereco->text());
    else
        m_model->loadAll();
}

bool ClienteLookup::pick(int row) {
    m_escolhido = m_store.findByTelefone(m_model->telefoneAt(row));
    return m_escolhido.has_value();
}

QWidget* ClienteLookup::searchBox() const {
    return m_mskTelefone;
}

void frmLocalizar_Cliente::procurar() {
    if (!paraPedido()) {
        ClienteLookup::procurar();
        return;
    }
    if (rowCount() == 0) {
        reject(); // the order screen's telephone stays as it was
        return;
    }
    m_telefoneEscolhido = model().telefoneAt(selectedRow());
    accept();
}

void frmLocalizar_Cliente::rowDoubleClicked(int row) {
    if (!paraPedido())
        return;
    list()->setCurrentIndex(list()->model()->index(row, 0)); // the row clicked is the one taken
    btnProcurar1_Click();
}
