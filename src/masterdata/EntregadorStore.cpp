#include "masterdata/EntregadorStore.h"

#include "data/Database.h"
#include "data/Keys.h"
#include "data/TextMatch.h"
#include "data/Transaction.h"
#include "masterdata/RegistryQueries.h"

namespace {

const QString kTable = QStringLiteral("TB_Entregador");
const QString kKey = QStringLiteral("ent_ID");
const QString kName = QStringLiteral("ent_Nome");

} // namespace

bool EntregadorStore::isEmpty() const {
    return !registryQueries::hasRows(m_db, kTable);
}

QList<Entregador> EntregadorStore::all() const {
    return select({}, {}, kKey);
}

QList<Entregador> EntregadorStore::search(const QString& prefix) const {
    QVariantList binds;
    const QString where = registryQueries::whereClause(
        {textMatch::searchPrefix(m_db.engine(), kName, prefix)}, binds);
    return select(where, binds, kKey);
}

std::optional<Entregador> EntregadorStore::find(qint64 codigo) const {
    const auto found = select(QStringLiteral(" WHERE ent_ID = ?"), {codigo}, kKey);
    return found.isEmpty() ? std::nullopt : std::optional(found.first());
}

std::optional<Entregador> EntregadorStore::findByName(const QString& nome) const {
    QVariantList binds;
    const QString where =
        registryQueries::whereClause({textMatch::foldEquals(m_db.engine(), kName, nome)}, binds);
    const auto found = select(where, binds, kKey);
    return found.isEmpty() ? std::nullopt : std::optional(found.first());
}

QStringList EntregadorStore::names() const {
    QStringList result;
    for (const Entregador& entregador :
         select({}, {}, textMatch::foldOrder(m_db.engine(), kName) + QStringLiteral(", ent_ID")))
        result << entregador.nome;
    return result;
}

bool EntregadorStore::existsOther(const QString& nome, qint64 exceptCodigo) const {
    return registryQueries::nameTaken(m_db, kTable, kKey, kName, nome, exceptCodigo);
}

std::optional<qint64> EntregadorStore::insert(const Entregador& entregador) {
    using registryQueries::storedText;
    Transaction transaction(m_db);
    // The allocation's lock also keeps another workstation from adding the same name now.
    const qint64 codigo = nextKey(m_db, kTable, kKey);
    if (existsOther(entregador.nome))
        return std::nullopt;
    m_db.exec(QStringLiteral("INSERT INTO TB_Entregador (ent_ID, ent_Telefone, ent_data, "
                             "ent_Nome, ent_Observacao) VALUES (?, ?, ?, ?, ?)"),
              {codigo, storedText(entregador.telefone), Database::dateValue(entregador.data),
               storedText(entregador.nome), storedText(entregador.observacao)});
    transaction.commit();
    return codigo;
}

WriteOutcome EntregadorStore::update(const Entregador& entregador) {
    using registryQueries::storedText;
    Transaction transaction(m_db);
    lockForWriting(m_db, kTable); // the name check stays true until commit
    if (existsOther(entregador.nome, entregador.codigo))
        return WriteOutcome::NameTaken;
    const QSqlQuery query =
        m_db.exec(QStringLiteral("UPDATE TB_Entregador SET ent_Telefone = ?, ent_Nome = ?, "
                                 "ent_Observacao = ? WHERE ent_ID = ?"),
                  {storedText(entregador.telefone), storedText(entregador.nome),
                   storedText(entregador.observacao), entregador.codigo});
    if (query.numRowsAffected() == 0)
        return WriteOutcome::NotFound;
    transaction.commit();
    return WriteOutcome::Saved;
}

bool EntregadorStore::remove(qint64 codigo) {
    return registryQueries::removeByKey(m_db, kTable, kKey, codigo);
}

QList<Entregador> EntregadorStore::select(const QString& where, const QVariantList& binds,
                                          const QString& orderBy) const {
    QSqlQuery query = m_db.exec(QStringLiteral("SELECT ent_ID, ent_Telefone, ent_data, ent_Nome, "
                                               "ent_Observacao FROM TB_Entregador%1 ORDER BY %2")
                                    .arg(where, orderBy),
                                binds);
    using registryQueries::textAt;
    QList<Entregador> result;
    while (query.next())
        result.append({query.value(0).toLongLong(), textAt(query, 1),
                       Database::dateFrom(query.value(2)), textAt(query, 3), textAt(query, 4)});
    return result;
}
