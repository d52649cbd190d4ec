#include "masterdata/ClienteStore.h"

#include "data/Database.h"
#include "data/Keys.h"
#include "data/TextMatch.h"
#include "data/Transaction.h"
#include "masterdata/RegistryQueries.h"

#include <QSqlQuery>

namespace {

const QString kTable = QStringLiteral("TB_Cliente");
const QString kKey = QStringLiteral("cli_ID");
const QString kTelefone = QStringLiteral("cli_Telefone");
const QString kColumns = QStringLiteral(
    "cli_ID, cli_Telefone, cli_Nome, cli_RG, cli_Tipo, cli_Logradouro, cli_Numero, "
    "cli_Complemento, cli_Bairro, cli_Cidade, cli_UF, cli_CEP, cli_Data_Nasc, cli_Email, "
    "cli_Observacao");
// Far below both engines' limits on bound parameters.
constexpr int kTelefonesPorConsulta = 500;

Cliente clienteAt(const QSqlQuery& row) {
    using registryQueries::textAt;
    return Cliente{row.value(0).toLongLong(),
                   textAt(row, 1),
                   textAt(row, 2),
                   textAt(row, 3),
                   textAt(row, 4),
                   textAt(row, 5),
                   textAt(row, 6),
                   textAt(row, 7),
                   textAt(row, 8),
                   textAt(row, 9),
                   textAt(row, 10),
                   textAt(row, 11),
                   Database::dateFrom(row.value(12)),
                   textAt(row, 13),
                   textAt(row, 14)};
}

// Every field but the code, in the column order of kColumns.
QVariantList fieldValues(const Cliente& c) {
    using registryQueries::storedText;
    return {
        storedText(c.telefone),    storedText(c.nome),       storedText(c.rg),
        storedText(c.tipo),        storedText(c.logradouro), storedText(c.numero),
        storedText(c.complemento), storedText(c.bairro),     storedText(c.cidade),
        storedText(c.uf),          storedText(c.cep),        Database::dateValue(c.dataNascimento),
        storedText(c.email),       storedText(c.observacao)};
}

QString placeholders(qsizetype count) {
    QStringList marks;
    marks.reserve(count);
    for (qsizetype i = 0; i < count; ++i)
        marks << QStringLiteral("?");
    return marks.join(QLatin1Char(','));
}

} // namespace

bool ClienteStore::isEmpty() const {
    return !registryQueries::hasRows(m_db, kTable);
}

std::optional<Cliente> ClienteStore::find(qint64 codigo) const {
    const auto found = select(QStringLiteral(" WHERE cli_ID = ?"), {codigo}, kKey, 1, 0);
    return found.isEmpty() ? std::nullopt : std::optional(found.first());
}

std::optional<Cliente> ClienteStore::findByTelefone(const QString& telefone) const {
    std::optional<Cliente> found;
    m_db.execKept(QStringLiteral("SELECT %1 FROM TB_Cliente WHERE cli_Telefone = ? ORDER BY "
                                 "cli_ID LIMIT 1")
                      .arg(kColumns),
                  {telefone}, [&found](const QSqlQuery& row) { found = clienteAt(row); });
    return found;
}

bool ClienteStore::telefoneTaken(const QString& telefone, qint64 exceptCodigo) const {
    return m_db
        .scalar(QStringLiteral("SELECT 1 FROM TB_Cliente WHERE cli_Telefone = ? AND cli_ID <> ? "
                               "LIMIT 1"),
                {telefone, exceptCodigo})
        .isValid();
}

QList<Cliente> ClienteStore::all(int limit, int offset) const {
    return select({}, {}, kKey, limit, offset);
}

QList<Cliente> ClienteStore::search(Busca por, const QString& prefix, int limit, int offset) const {
    const auto engine = m_db.engine();
    textMatch::SqlCondition condition;
    QString orderBy = kKey;
    switch (por) {
    case Busca::Nome:
        condition = textMatch::searchPrefix(engine, QStringLiteral("cli_Nome"), prefix);
        orderBy = textMatch::searchExpression(engine, QStringLiteral("cli_Nome")) +
                  QStringLiteral(", ") + kKey;
        break;
    case Busca::Endereco:
        condition = textMatch::searchPrefix(engine, QStringLiteral("cli_Logradouro"), prefix);
        orderBy = textMatch::searchExpression(engine, QStringLiteral("cli_Logradouro")) +
                  QStringLiteral(", ") + kKey;
        break;
    case Busca::Telefone:
        condition = textMatch::codePrefix(engine, kTelefone, prefix);
        break;
    }
    QVariantList binds;
    const QString where = registryQueries::whereClause({condition}, binds);
    return select(where, binds, orderBy, limit, offset);
}

QHash<QString, EstatisticaCliente> ClienteStore::estatisticas(const QStringList& telefones) const {
    QHash<QString, EstatisticaCliente> result;
    for (const QString& telefone : telefones)
        result.insert(telefone, {});
    const QStringList distinct = result.keys();
    for (qsizetype start = 0; start < distinct.size(); start += kTelefonesPorConsulta) {
        const QStringList chunk = distinct.mid(start, kTelefonesPorConsulta);
        QVariantList binds;
        for (const QString& telefone : chunk)
            binds << telefone;
        QSqlQuery row = m_db.exec(
            QStringLiteral("SELECT ped_cli_Telefone, COUNT(*), MIN(ped_data), MAX(ped_data), "
                           "SUM(ped_Total) FROM TB_Pedido WHERE ped_cli_Telefone IN (%1) "
                           "AND upper(ped_Status) <> 'CANCELADO' GROUP BY ped_cli_Telefone")
                .arg(placeholders(chunk.size())),
            binds);
        while (row.next()) {
            EstatisticaCliente& figures = result[row.value(0).toString()];
            figures.quantidade = row.value(1).toInt();
            figures.desde = Database::dateFrom(row.value(2));
            figures.ultimoPedido = Database::dateFrom(row.value(3));
            if (!row.value(4).isNull())
                figures.consumo = Money::fromCents(row.value(4).toLongLong());
        }
    }
    return result;
}

std::optional<qint64> ClienteStore::insert(const Cliente& cliente) {
    Transaction transaction(m_db);
    // The allocation's lock also keeps another workstation from adding the telephone now.
    const qint64 codigo = nextKey(m_db, kTable, kKey);
    if (telefoneTaken(cliente.telefone))
        return std::nullopt;
    m_db.exec(QStringLiteral("INSERT INTO TB_Cliente (%1) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)")
                  .arg(kColumns),
              QVariantList{codigo} + fieldValues(cliente));
    transaction.commit();
    return codigo;
}

WriteOutcome ClienteStore::update(const Cliente& cliente) {
    Transaction transaction(m_db);
    lockForWriting(m_db, kTable);
    if (telefoneTaken(cliente.telefone, cliente.codigo))
        return WriteOutcome::NameTaken;
    const QSqlQuery query = m_db.exec(
        QStringLiteral("UPDATE TB_Cliente SET cli_Telefone = ?, cli_Nome = ?, cli_RG = ?, "
                       "cli_Tipo = ?, cli_Logradouro = ?, cli_Numero = ?, cli_Complemento = ?, "
                       "cli_Bairro = ?, cli_Cidade = ?, cli_UF = ?, cli_CEP = ?, "
                       "cli_Data_Nasc = ?, cli_Email = ?, cli_Observacao = ?, "
                       "fl_sincroniza = 'S' WHERE cli_ID = ?"),
        fieldValues(cliente) + QVariantList{cliente.codigo});
    if (query.numRowsAffected() < 1)
        return WriteOutcome::NotFound;
    transaction.commit();
    return WriteOutcome::Saved;
}

bool ClienteStore::remove(qint64 codigo) {
    return registryQueries::removeByKey(m_db, kTable, kKey, codigo);
}

QList<Cliente> ClienteStore::select(const QString& where, const QVariantList& binds,
                                    const QString& orderBy, int limit, int offset) const {
    QString sql =
        QStringLiteral("SELECT %1 FROM TB_Cliente%2 ORDER BY %3").arg(kColumns, where, orderBy);
    QVariantList allBinds = binds;
    if (limit >= 0) {
        sql += QStringLiteral(" LIMIT ? OFFSET ?");
        allBinds << limit << qMax(offset, 0);
    } else if (offset > 0) {
        // SQLite accepts OFFSET only after a LIMIT; a negative LIMIT there means none.
        sql += m_db.engine() == ConnectionSpec::Engine::Postgres
                   ? QStringLiteral(" OFFSET ?")
                   : QStringLiteral(" LIMIT -1 OFFSET ?");
        allBinds << offset;
    }
    QSqlQuery row = m_db.exec(sql, allBinds);
    QList<Cliente> result;
    while (row.next())
        result << clienteAt(row);
    return result;
}
