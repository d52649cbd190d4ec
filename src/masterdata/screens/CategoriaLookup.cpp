#include "masterdata/screens/CategoriaLookup.h"

#include "masterdata/CategoriaStore.h"

#include <QGroupBox>
#include <QLineEdit>

namespace {
LookupDialogBase::Definition definition(LookupDialogBase::Kind kind) {
    const bool localizar = kind == LookupDialogBase::Kind::Localizar;
    return {.kind = kind,
            .title = localizar ? QStringLiteral("Localizar Categoria")
                               : QStringLiteral("Selecionar Categoria"),
            .listName = QStringLiteral("lstSelecionar_Categoria"),
            .columns = {{QStringLiteral("Codigo"), localizar ? 1400 : 1300},
                        {QStringLiteral("Categoria"), 4200}},
            .notFoundText = QStringLiteral("Categoria não cadastrada!!!"),
            .notFoundCaption = QStringLiteral("Categoria")};
}
} // namespace

CategoriaLookup::CategoriaLookup(ScreenContext& context, Kind kind, QWidget* parent)
    : LookupDialogBase(context, definition(kind), parent) {
    QGroupBox* frame =
        addSearchFrame(QStringLiteral("fraCategoria"), QStringLiteral("Filtro por Categoria"));
    m_txtCategoria =
        addSearchBox(frame, QStringLiteral("txtCategoria"),
                     kind == Kind::Localizar ? KeyFilterMode::Capitals : KeyFilterMode::SearchText);
    refresh();
}

void CategoriaLookup::refill() {
    const QList<Categoria> categorias = CategoriaStore(db()).search(m_txtCategoria->text());
    QList<QStringList> rows;
    rows.reserve(categorias.size());
    for (const Categoria& categoria : categorias)
        rows << QStringList{QString::number(categoria.codigo), categoria.nome};
    setRows(rows);
}

bool CategoriaLookup::pick(int row) {
    m_escolhida = CategoriaStore(db()).findByName(cellText(row, 1));
    return m_escolhida.has_value();
}

QWidget* CategoriaLookup::searchBox() const {
    return m_txtCategoria;
}
