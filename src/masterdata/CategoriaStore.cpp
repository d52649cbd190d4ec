#include "masterdata/CategoriaStore.h"

namespace {

Categoria read(const QSqlQuery& query) {
    return {query.value(0).toLongLong(), registryQueries::textAt(query, 1)};
}

} // namespace

CategoriaStore::CategoriaStore(Database& db)
    : NamedRecordStore(db, {QStringLiteral("TB_Categoria"), QStringLiteral("cat_ID"),
                            QStringLiteral("cat_Categoria"),
                            QStringLiteral("cat_ID, cat_Categoria"), &read, &Categoria::nome}) {}

std::optional<qint64> CategoriaStore::insert(const QString& nome) {
    return insertNamed(nome, QStringLiteral("cat_ID, cat_Categoria"),
                       {registryQueries::storedText(nome)});
}

WriteOutcome CategoriaStore::update(const Categoria& categoria) {
    return updateNamed(categoria.codigo, categoria.nome,
                       QStringLiteral("cat_Categoria = ?, fl_sincroniza = 'S'"),
                       {registryQueries::storedText(categoria.nome)});
}
