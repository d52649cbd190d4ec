#include "masterdata/screens/UsuarioLookup.h"

#include "masterdata/UsuarioStore.h"

#include <QGroupBox>
#include <QLineEdit>

namespace {
LookupDialogBase::Definition definition(LookupDialogBase::Kind kind) {
    return {.kind = kind,
            .title = kind == LookupDialogBase::Kind::Localizar
                         ? QStringLiteral("Localizar Usuários")
                         : QStringLiteral("Selecionar Usuários"),
            .listName = QStringLiteral("lstSelecionar_Usuario"),
            .columns = {{QStringLiteral("Codigo"), 1000},
                        {QStringLiteral("Nome"), 3000},
                        {QStringLiteral("Usuario"), 1600}},
            .notFoundText = QStringLiteral("Usuario não cadastrado!!!"),
            .notFoundCaption = QStringLiteral("Brisko")};
}
} // namespace

UsuarioLookup::UsuarioLookup(ScreenContext& context, Kind kind, QWidget* parent)
    : LookupDialogBase(context, definition(kind), parent) {
    QGroupBox* frame =
        addSearchFrame(QStringLiteral("fraUsuario"), QStringLiteral("Filtro por Nome"));
    m_txtNome = addSearchBox(frame, QStringLiteral("txtNome"), KeyFilterMode::SearchText);
    refresh();
}

void UsuarioLookup::refill() {
    const QList<Usuario> usuarios = UsuarioStore(db()).search(m_txtNome->text());
    QList<QStringList> rows;
    rows.reserve(usuarios.size());
    for (const Usuario& usuario : usuarios)
        rows << QStringList{QString::number(usuario.codigo), usuario.nome, usuario.usuario};
    setRows(rows);
}

bool UsuarioLookup::pick(int row) {
    m_escolhido = UsuarioStore(db()).findByNome(cellText(row, 1));
    return m_escolhido.has_value();
}

QWidget* UsuarioLookup::searchBox() const {
    return m_txtNome;
}
