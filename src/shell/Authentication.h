#pragma once

#include <QString>

class Database;

// Decides whether a user name and password let someone in: the built-in administrator, or a
// row of TB_Usuario whose login name and password match exactly. Names and passwords are
// compared as given (the login screen has already put them through its key filter).
class Authentication {
public:
    static inline const QString kAdministradorUsuario = QStringLiteral("BRISKO");
    static inline const QString kAdministradorSenha = QStringLiteral("KOBALT");
    static inline const QString kAdministradorNome = QStringLiteral("ADMINISTRADOR");
    // Non-numbered key of section Geral: a PasswordHash that replaces the administrator's
    // built-in password.
    static inline const QString kSenhaAdministradorKey = QStringLiteral("SenhaAdministrador");

    struct Result {
        bool ok = false;
        bool administrador = false;
        qint64 usuId = 0;
        QString usuNome;
    };

    // `administratorHash` empty: the built-in password holds. Otherwise only that hash does;
    // a value that is not a well-formed hash lets no administrator in.
    explicit Authentication(const QString& administratorHash = {});
    static Authentication fromIni(const QString& iniPath);

    // Needs no database, so the administrator can get in while it cannot be opened.
    bool isAdministrador(const QString& usuario, const QString& senha) const;

    // A matching password still kept as plain text is replaced by its hash before the answer
    // comes back. Throws DbError when the database fails.
    Result check(Database& db, const QString& usuario, const QString& senha) const;

private:
    QString m_administratorHash;
};
