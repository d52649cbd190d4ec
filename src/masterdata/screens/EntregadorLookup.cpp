#include "masterdata/screens/EntregadorLookup.h"

#include "masterdata/EntregadorStore.h"

#include <QGroupBox>
#include <QLineEdit>

namespace {
constexpr int kNome = 1; // the list column the pick reads
} // namespace

LookupDialogBase::Definition EntregadorLookup::registryDefinition(Kind kind) {
    return {.kind = kind,
            .title = kind == Kind::Localizar ? QStringLiteral("Localizar Entregador")
                                             : QStringLiteral("Selecionar Entregador"),
            .listName = QStringLiteral("lstSelecionar_Entregador"),
            .columns = {{QStringLiteral("Codigo"), 1200},
                        {QStringLiteral("Nome"), 3200},
                        {QStringLiteral("Telefone"), 1200}},
            .notFoundText = QStringLiteral("Entregador não cadastrado!!!"),
            .notFoundCaption = QStringLiteral("Brisko")};
}

EntregadorLookup::EntregadorLookup(ScreenContext& context, const Definition& definition,
                                   QWidget* parent)
    : LookupDialogBase(context, definition, parent) {
    QGroupBox* frame = addSearchFrame(QStringLiteral("fraNome"), QStringLiteral("Filtro por Nome"));
    m_txtNome = addSearchBox(frame, QStringLiteral("txtNome"), KeyFilterMode::None);
    refresh();
}

void EntregadorLookup::refill() {
    const QList<Entregador> entregadores =
        EntregadorStore(db()).searchIgnoringAccents(m_txtNome->text());
    QList<QStringList> rows;
    rows.reserve(entregadores.size());
    for (const Entregador& entregador : entregadores)
        rows << QStringList{QString::number(entregador.codigo), entregador.nome,
                            entregador.telefone};
    setRows(rows);
}

bool EntregadorLookup::pick(int row) {
    m_escolhido = EntregadorStore(db()).findByName(nomeAt(row));
    return m_escolhido.has_value();
}

QWidget* EntregadorLookup::searchBox() const {
    return m_txtNome;
}

QString EntregadorLookup::nomeAt(int row) const {
    return cellText(row, kNome);
}
