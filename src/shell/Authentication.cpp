#include "shell/Authentication.h"

#include "config/IniFile.h"
#include "config/Settings.h"
#include "data/Database.h"
#include "data/Transaction.h"
#include "masterdata/PasswordHash.h"

#include <QSqlQuery>

namespace {

// Replaces the stored value (plain text or an older hash) only when it is still the one just
// checked, so two workstations upgrading the same user at once both leave a valid hash.
void upgradeToHash(Database& db, qint64 usuId, const QString& senha, const QString& stored) {
    Transaction transaction(db);
    db.exec(QStringLiteral("UPDATE TB_Usuario SET usu_Senha = ?, fl_sincroniza = 'S' "
                           "WHERE usu_ID = ? AND usu_Senha = ?"),
            {PasswordHash::hash(senha), usuId, stored});
    transaction.commit();
}

} // namespace

Authentication::Authentication(const QString& administratorHash)
    : m_administratorHash(administratorHash) {}

Authentication Authentication::fromIni(const QString& iniPath) {
    return Authentication(LeIni(iniPath, Settings::kSection, kSenhaAdministradorKey));
}

bool Authentication::isAdministrador(const QString& usuario, const QString& senha) const {
    if (usuario != kAdministradorUsuario) {
        return false;
    }
    if (m_administratorHash.isEmpty()) {
        return senha == kAdministradorSenha;
    }
    return PasswordHash::verify(senha, m_administratorHash);
}

Authentication::Result Authentication::check(Database& db, const QString& usuario,
                                             const QString& senha) const {
    if (isAdministrador(usuario, senha)) {
        return {true, true, 0, kAdministradorNome};
    }
    if (usuario.isEmpty() || senha.isEmpty()) {
        return {};
    }
    QSqlQuery row = db.exec(QStringLiteral("SELECT usu_ID, usu_Nome, usu_Usuario, usu_Senha "
                                           "FROM TB_Usuario WHERE usu_Usuario = ? ORDER BY usu_ID"),
                            {usuario});
    if (!row.next() || row.value(2).toString() != usuario) {
        return {};
    }
    const qint64 usuId = row.value(0).toLongLong();
    const QString nome = row.value(1).toString();
    const QString stored = row.value(3).toString();
    row.finish();

    const bool hashed = PasswordHash::isHash(stored);
    if (hashed ? !PasswordHash::verify(senha, stored)
               : !PasswordHash::sameBytes(senha.toUtf8(), stored.toUtf8()))
        return {};
    if (PasswordHash::needsUpgrade(stored))
        upgradeToHash(db, usuId, senha, stored);
    return {true, false, usuId, nome};
}
