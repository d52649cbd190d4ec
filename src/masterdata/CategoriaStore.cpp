#include "masterdata/CategoriaStore.h"

#include "data/Database.h"
#include "data/Keys.h"
#include "data/TextMatch.h"
#include "data/Transaction.h"
#include "masterdata/RegistryQueries.h"

namespace {

const QString kTable = QStringLiteral("TB_Categoria");
const QString kKey = QStringLiteral("cat_ID");
const QString kName = QStringLiteral("cat_Categoria");

} // namespace

bool CategoriaStore::isEmpty() const {
    return !registryQueries::hasRows(m_db, kTable);
}

QList<Categoria> CategoriaStore::all() const {
    return select({}, {}, kKey);
}

QList<Categoria> CategoriaStore::search(const QString& prefix) const {
    QVariantList binds;
    const QString where =
        registryQueries::whereClause({textMatch::foldPrefix(m_db.engine(), kName, prefix)}, binds);
    return select(where, binds, kKey);
}

std::optional<Categoria> CategoriaStore::find(qint64 codigo) const {
    const auto found = select(QStringLiteral(" WHERE cat_ID = ?"), {codigo}, kKey);
    return found.isEmpty() ? std::nullopt : std::optional(found.first());
}

std::optional<Categoria> CategoriaStore::findByName(const QString& nome) const {
    QVariantList binds;
    const QString where =
        registryQueries::whereClause({textMatch::foldEquals(m_db.engine(), kName, nome)}, binds);
    const auto found = select(where, binds, kKey);
    return found.isEmpty() ? std::nullopt : std::optional(found.first());
}

QStringList CategoriaStore::names() const {
    QStringList result;
    for (const Categoria& categoria :
         select({}, {}, textMatch::foldOrder(m_db.engine(), kName) + QStringLiteral(", cat_ID")))
        result << categoria.nome;
    return result;
}

bool CategoriaStore::existsOther(const QString& nome, qint64 exceptCodigo) const {
    return registryQueries::nameTaken(m_db, kTable, kKey, kName, nome, exceptCodigo);
}

std::optional<qint64> CategoriaStore::insert(const QString& nome) {
    Transaction transaction(m_db);
    // The allocation's lock also keeps another workstation from adding the same name now.
    const qint64 codigo = nextKey(m_db, kTable, kKey);
    if (existsOther(nome))
        return std::nullopt;
    m_db.exec(QStringLiteral("INSERT INTO TB_Categoria (cat_ID, cat_Categoria) VALUES (?, ?)"),
              {codigo, registryQueries::storedText(nome)});
    transaction.commit();
    return codigo;
}

WriteOutcome CategoriaStore::update(const Categoria& categoria) {
    Transaction transaction(m_db);
    lockForWriting(m_db, kTable); // the name check stays true until commit
    if (existsOther(categoria.nome, categoria.codigo))
        return WriteOutcome::NameTaken;
    const QSqlQuery query = m_db.exec(
        QStringLiteral(
            "UPDATE TB_Categoria SET cat_Categoria = ?, fl_sincroniza = 'S' WHERE cat_ID = ?"),
        {registryQueries::storedText(categoria.nome), categoria.codigo});
    if (query.numRowsAffected() == 0)
        return WriteOutcome::NotFound;
    transaction.commit();
    return WriteOutcome::Saved;
}

bool CategoriaStore::remove(qint64 codigo) {
    return registryQueries::removeByKey(m_db, kTable, kKey, codigo);
}

QList<Categoria> CategoriaStore::select(const QString& where, const QVariantList& binds,
                                        const QString& orderBy) const {
    QSqlQuery query =
        m_db.exec(QStringLiteral("SELECT cat_ID, cat_Categoria FROM TB_Categoria%1 ORDER BY %2")
                      .arg(where, orderBy),
                  binds);
    QList<Categoria> result;
    while (query.next())
        result.append({query.value(0).toLongLong(), registryQueries::textAt(query, 1)});
    return result;
}
