#pragma once

#include "shell/Authority.h"

#include <QString>
#include <optional>

class Connections;
class Session;

// The authority check against the current user's row in TB_Usuario.
class UsuarioAuthority {
public:
    explicit UsuarioAuthority(Connections& connections) : m_connections(connections) {}

    // The code stored for the user with that display name; none when no row has it.
    // Throws DbError when the database cannot be read.
    std::optional<int> autoridade(const QString& usuNome);

    // False for a user whose row is missing (renamed or deleted while logged in).
    // The administrator is permitted without touching the database.
    bool permits(const Session& session, authority::Area area);

private:
    Connections& m_connections;
};
