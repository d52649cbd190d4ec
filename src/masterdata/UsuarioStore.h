#pragma once

#include "masterdata/Usuario.h"

#include <QList>
#include <QVariantList>
#include <optional>

class Database;

// TB_Usuario. Display names and logins are unique under the fold; passwords are stored only
// as PasswordHash values.
class UsuarioStore {
public:
    enum class Outcome {
        Saved,
        NomeTaken,    // another user has the display name; nothing written
        UsuarioTaken, // another user has the login; nothing written
        NotFound,     // no user has the code (deleted meanwhile); nothing written
    };
    struct Inclusao {
        Outcome outcome = Outcome::Saved;
        qint64 codigo = 0; // the new user's code when saved
    };

    explicit UsuarioStore(Database& db) : m_db(db) {}

    bool isEmpty() const;
    // Ordered by code.
    QList<Usuario> all() const;
    // Display names starting with `prefix`, ordered by code; everyone for an empty prefix.
    QList<Usuario> search(const QString& prefix) const;
    std::optional<Usuario> find(qint64 codigo) const;
    std::optional<Usuario> findByNome(const QString& nome) const;

    // Whether a user other than `exceptCodigo` (0: any) has the display name / login.
    bool nomeTaken(const QString& nome, qint64 exceptCodigo = 0) const;
    bool usuarioTaken(const QString& usuario, qint64 exceptCodigo = 0) const;

    // Stores `senha` hashed; `codigo` and `senhaHash` of `usuario` are ignored, a null `data`
    // becomes today.
    Inclusao insert(const Usuario& usuario, const QString& senha);
    // Name, login and authority; the password only when a new one is given, otherwise the
    // stored hash stays. Marks the row for the online backup.
    Outcome update(const Usuario& usuario, const std::optional<QString>& novaSenha);
    bool remove(qint64 codigo);

private:
    QList<Usuario> select(const QString& where, const QVariantList& binds) const;
    // Refusal of a name or login held by another user, or none.
    std::optional<Outcome> refusal(const QString& nome, const QString& usuario,
                                   qint64 exceptCodigo) const;

    Database& m_db;
};
