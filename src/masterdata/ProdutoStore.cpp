#include "masterdata/ProdutoStore.h"

#include "data/Database.h"
#include "data/Keys.h"
#include "data/Transaction.h"
#include "masterdata/RegistryQueries.h"

#include <QSqlQuery>

using textMatch::SqlCondition;

namespace {

const QString kTable = QStringLiteral("TB_Produto");
const QString kKey = QStringLiteral("Pro_ID");
const QString kName = QStringLiteral("pro_Produto");
const QString kCategory = QStringLiteral("pro_Categoria");

// A substring match no index can serve; folding both sides keeps it case- and
// accent-insensitive, and escaping keeps typed '%' and '_' literal.
SqlCondition foldContains(const QString& column, const QString& text) {
    if (text.isEmpty())
        return {};
    QString folded = textMatch::foldText(text);
    folded.replace(u'\\', QStringLiteral("\\\\"))
        .replace(u'%', QStringLiteral("\\%"))
        .replace(u'_', QStringLiteral("\\_"));
    return {QStringLiteral("brisko_fold(%1) LIKE ? ESCAPE '\\'").arg(column),
            {QStringLiteral("%") + folded + QStringLiteral("%")}};
}

SqlCondition categoryEquals(ConnectionSpec::Engine engine,
                            const std::optional<QString>& categoria) {
    return categoria ? textMatch::foldEquals(engine, kCategory, *categoria) : SqlCondition{};
}

QString orderBy(ConnectionSpec::Engine engine, ProdutoStore::Order order) {
    const QString category = textMatch::foldOrder(engine, kCategory);
    const QString name = textMatch::foldOrder(engine, kName);
    switch (order) {
    case ProdutoStore::Order::ByCategory:
        return category + QStringLiteral(", Pro_ID");
    case ProdutoStore::Order::ByName:
        return name + QStringLiteral(", Pro_ID");
    case ProdutoStore::Order::ByCategoryAndName:
        break;
    }
    return category + QStringLiteral(", ") + name + QStringLiteral(", Pro_ID");
}

QVariantList writtenValues(const Produto& produto) {
    using registryQueries::storedText;
    return {storedText(produto.categoria),  storedText(produto.nome),
            produto.preco.cents(),          storedText(produto.descricao),
            storedText(produto.fornecedor), storedText(produto.representante),
            storedText(produto.repTelefone)};
}

} // namespace

bool ProdutoStore::isEmpty() const {
    return !registryQueries::hasRows(m_db, kTable);
}

std::optional<Produto> ProdutoStore::find(qint64 codigo) const {
    const auto found = select({{QStringLiteral("Pro_ID = ?"), {codigo}}}, Order::ByName);
    return found.isEmpty() ? std::nullopt : std::optional(found.first());
}

QList<Produto> ProdutoStore::list(const std::optional<QString>& categoria, Order order) const {
    return select(
        {categoria ? textMatch::foldPrefix(m_db.engine(), kCategory, *categoria) : SqlCondition{}},
        order);
}

QList<Produto> ProdutoStore::searchPrefix(const std::optional<QString>& categoria,
                                          const QString& prefix) const {
    return select({categoryEquals(m_db.engine(), categoria),
                   textMatch::foldPrefix(m_db.engine(), kName, prefix)},
                  Order::ByName);
}

QList<Produto> ProdutoStore::searchContaining(const std::optional<QString>& categoria,
                                              const QString& text, Order order) const {
    return select({categoryEquals(m_db.engine(), categoria), foldContains(kName, text)}, order);
}

QList<Produto> ProdutoStore::ofCategory(const QString& categoria) const {
    return select({categoryEquals(m_db.engine(), categoria)}, Order::ByName);
}

std::optional<Money> ProdutoStore::price(const QString& categoria, const QString& nome) const {
    QVariantList binds;
    const QString where =
        registryQueries::whereClause({categoryEquals(m_db.engine(), categoria),
                                      textMatch::foldEquals(m_db.engine(), kName, nome)},
                                     binds);
    std::optional<Money> preco;
    m_db.execKept(QStringLiteral("SELECT Pro_Preco FROM TB_Produto%1 ORDER BY %2 LIMIT 1")
                      .arg(where, orderBy(m_db.engine(), Order::ByName)),
                  binds, [&preco](const QSqlQuery& row) {
                      preco = Money::fromCents(row.value(0).toLongLong());
                  });
    return preco;
}

bool ProdutoStore::existsOther(const QString& nome, qint64 exceptCodigo) const {
    return registryQueries::nameTaken(m_db, kTable, kKey, kName, nome, exceptCodigo);
}

std::optional<qint64> ProdutoStore::insert(const Produto& produto) {
    Transaction transaction(m_db);
    // The allocation's lock also keeps another workstation from adding the same name now.
    const qint64 codigo = nextKey(m_db, kTable, kKey);
    if (existsOther(produto.nome))
        return std::nullopt;
    m_db.exec(QStringLiteral("INSERT INTO TB_Produto (Pro_ID, pro_Categoria, pro_Produto, "
                             "Pro_Preco, Pro_Descricao, pro_Fornecedor, pro_Representante, "
                             "pro_Rep_Telefone) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
              QVariantList{codigo} + writtenValues(produto));
    transaction.commit();
    return codigo;
}

WriteOutcome ProdutoStore::update(const Produto& produto) {
    Transaction transaction(m_db);
    lockForWriting(m_db, kTable); // the name check stays true until commit
    if (existsOther(produto.nome, produto.codigo))
        return WriteOutcome::NameTaken;
    const QSqlQuery query =
        m_db.exec(QStringLiteral("UPDATE TB_Produto SET pro_Categoria = ?, pro_Produto = ?, "
                                 "Pro_Preco = ?, Pro_Descricao = ?, pro_Fornecedor = ?, "
                                 "pro_Representante = ?, pro_Rep_Telefone = ?, fl_sincroniza = 'S' "
                                 "WHERE Pro_ID = ?"),
                  writtenValues(produto) + QVariantList{produto.codigo});
    if (query.numRowsAffected() == 0)
        return WriteOutcome::NotFound;
    transaction.commit();
    return WriteOutcome::Saved;
}

bool ProdutoStore::remove(qint64 codigo) {
    return registryQueries::removeByKey(m_db, kTable, kKey, codigo);
}

QList<Produto> ProdutoStore::select(const QList<SqlCondition>& conditions, Order order) const {
    QVariantList binds;
    const QString where = registryQueries::whereClause(conditions, binds);
    QSqlQuery query = m_db.exec(
        QStringLiteral("SELECT Pro_ID, pro_Categoria, pro_Produto, Pro_Preco, Pro_Descricao, "
                       "pro_Fornecedor, pro_Representante, pro_Rep_Telefone FROM TB_Produto%1 "
                       "ORDER BY %2")
            .arg(where, orderBy(m_db.engine(), order)),
        binds);
    using registryQueries::textAt;
    QList<Produto> result;
    while (query.next())
        result.append({query.value(0).toLongLong(), textAt(query, 1), textAt(query, 2),
                       Money::fromCents(query.value(3).toLongLong()), textAt(query, 4),
                       textAt(query, 5), textAt(query, 6), textAt(query, 7)});
    return result;
}
