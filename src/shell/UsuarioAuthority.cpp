#include "shell/UsuarioAuthority.h"

#include "config/Session.h"
#include "data/Connections.h"
#include "data/Database.h"

std::optional<int> UsuarioAuthority::autoridade(const QString& usuNome) {
    QSqlQuery query = m_connections.db().exec(
        QStringLiteral("SELECT usu_Autoridade FROM TB_Usuario WHERE usu_Nome = ?"), {usuNome});
    if (!query.next()) {
        return std::nullopt;
    }
    const QVariant code = query.value(0);
    // A row without a code has no authority at all.
    return code.isNull() ? 0 : code.toInt();
}

bool UsuarioAuthority::permits(const Session& session, authority::Area area) {
    if (authority::isBuiltInAdministrator(session)) {
        return true;
    }
    const std::optional<int> code = autoridade(session.gUsuarioNome);
    return code && !authority::refuses(*code, area);
}
