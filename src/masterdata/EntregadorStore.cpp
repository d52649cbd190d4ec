#include "masterdata/EntregadorStore.h"

namespace {

using registryQueries::storedText;
using registryQueries::textAt;

Entregador read(const QSqlQuery& query) {
    return {query.value(0).toLongLong(), textAt(query, 1), Database::dateFrom(query.value(2)),
            textAt(query, 3), textAt(query, 4)};
}

const QString kColumns = QStringLiteral("ent_ID, ent_Telefone, ent_data, ent_Nome, ent_Observacao");

} // namespace

EntregadorStore::EntregadorStore(Database& db)
    : NamedRecordStore(db, {QStringLiteral("TB_Entregador"), QStringLiteral("ent_ID"),
                            QStringLiteral("ent_Nome"), kColumns, &read, &Entregador::nome}) {}

std::optional<qint64> EntregadorStore::insert(const Entregador& entregador) {
    return insertNamed(entregador.nome, kColumns,
                       {storedText(entregador.telefone), Database::dateValue(entregador.data),
                        storedText(entregador.nome), storedText(entregador.observacao)});
}

WriteOutcome EntregadorStore::update(const Entregador& entregador) {
    return updateNamed(entregador.codigo, entregador.nome,
                       QStringLiteral("ent_Telefone = ?, ent_Nome = ?, ent_Observacao = ?"),
                       {storedText(entregador.telefone), storedText(entregador.nome),
                        storedText(entregador.observacao)});
}
