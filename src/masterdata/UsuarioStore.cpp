#include "masterdata/UsuarioStore.h"

#include "data/Database.h"
#include "data/Keys.h"
#include "data/TextMatch.h"
#include "data/Transaction.h"
#include "masterdata/PasswordHash.h"
#include "masterdata/RegistryQueries.h"

namespace {

const QString kTable = QStringLiteral("TB_Usuario");
const QString kKey = QStringLiteral("usu_ID");
const QString kNome = QStringLiteral("usu_Nome");
const QString kUsuario = QStringLiteral("usu_Usuario");

Usuario usuarioAt(const QSqlQuery& row) {
    using registryQueries::textAt;
    return Usuario{row.value(0).toLongLong(),
                   Database::dateFrom(row.value(1)),
                   textAt(row, 2),
                   textAt(row, 3),
                   textAt(row, 4),
                   row.value(5).toInt()};
}

} // namespace

bool UsuarioStore::isEmpty() const {
    return !registryQueries::hasRows(m_db, kTable);
}

QList<Usuario> UsuarioStore::all() const {
    return select({}, {});
}

QList<Usuario> UsuarioStore::search(const QString& prefix) const {
    QVariantList binds;
    const QString where =
        registryQueries::whereClause({textMatch::foldPrefix(m_db.engine(), kNome, prefix)}, binds);
    return select(where, binds);
}

std::optional<Usuario> UsuarioStore::find(qint64 codigo) const {
    const auto found = select(QStringLiteral(" WHERE usu_ID = ?"), {codigo});
    return found.isEmpty() ? std::nullopt : std::optional(found.first());
}

std::optional<Usuario> UsuarioStore::findByNome(const QString& nome) const {
    QVariantList binds;
    const QString where =
        registryQueries::whereClause({textMatch::foldEquals(m_db.engine(), kNome, nome)}, binds);
    const auto found = select(where, binds);
    return found.isEmpty() ? std::nullopt : std::optional(found.first());
}

bool UsuarioStore::nomeTaken(const QString& nome, qint64 exceptCodigo) const {
    return registryQueries::nameTaken(m_db, kTable, kKey, kNome, nome, exceptCodigo);
}

bool UsuarioStore::usuarioTaken(const QString& usuario, qint64 exceptCodigo) const {
    return registryQueries::nameTaken(m_db, kTable, kKey, kUsuario, usuario, exceptCodigo);
}

UsuarioStore::Inclusao UsuarioStore::insert(const Usuario& usuario, const QString& senha) {
    using registryQueries::storedText;
    // Hashing is slow; it stays outside the transaction's lock.
    const QString hash = PasswordHash::hash(senha);
    Transaction transaction(m_db);
    // The allocation's lock also keeps another workstation from adding the same name now.
    const qint64 codigo = nextKey(m_db, kTable, kKey);
    if (const auto refused = refusal(usuario.nome, usuario.usuario, 0))
        return {*refused, 0};
    const QDate data = usuario.data.isValid() ? usuario.data : QDate::currentDate();
    m_db.exec(QStringLiteral("INSERT INTO TB_Usuario (usu_ID, usu_Data, usu_Nome, usu_Usuario, "
                             "usu_Senha, usu_Autoridade) VALUES (?, ?, ?, ?, ?, ?)"),
              {codigo, Database::dateValue(data), storedText(usuario.nome),
               storedText(usuario.usuario), hash, usuario.autoridade});
    transaction.commit();
    return {Outcome::Saved, codigo};
}

UsuarioStore::Outcome UsuarioStore::update(const Usuario& usuario,
                                           const std::optional<QString>& novaSenha) {
    using registryQueries::storedText;
    const std::optional<QString> hash =
        novaSenha ? std::optional(PasswordHash::hash(*novaSenha)) : std::nullopt;
    Transaction transaction(m_db);
    lockForWriting(m_db, kTable);
    if (const auto refused = refusal(usuario.nome, usuario.usuario, usuario.codigo))
        return *refused;
    QString sql = QStringLiteral("UPDATE TB_Usuario SET usu_Nome = ?, usu_Usuario = ?, "
                                 "usu_Autoridade = ?, fl_sincroniza = 'S'");
    QVariantList binds{storedText(usuario.nome), storedText(usuario.usuario), usuario.autoridade};
    if (hash) {
        sql += QStringLiteral(", usu_Senha = ?");
        binds << *hash;
    }
    sql += QStringLiteral(" WHERE usu_ID = ?");
    binds << usuario.codigo;
    if (m_db.exec(sql, binds).numRowsAffected() < 1)
        return Outcome::NotFound;
    transaction.commit();
    return Outcome::Saved;
}

bool UsuarioStore::remove(qint64 codigo) {
    return registryQueries::removeByKey(m_db, kTable, kKey, codigo);
}

QList<Usuario> UsuarioStore::select(const QString& where, const QVariantList& binds) const {
    QSqlQuery row = m_db.exec(QStringLiteral("SELECT usu_ID, usu_Data, usu_Nome, usu_Usuario, "
                                             "usu_Senha, usu_Autoridade FROM TB_Usuario%1 "
                                             "ORDER BY usu_ID")
                                  .arg(where),
                              binds);
    QList<Usuario> result;
    while (row.next())
        result << usuarioAt(row);
    return result;
}

std::optional<UsuarioStore::Outcome>
UsuarioStore::refusal(const QString& nome, const QString& usuario, qint64 exceptCodigo) const {
    if (nomeTaken(nome, exceptCodigo))
        return Outcome::NomeTaken;
    if (usuarioTaken(usuario, exceptCodigo))
        return Outcome::UsuarioTaken;
    return std::nullopt;
}
