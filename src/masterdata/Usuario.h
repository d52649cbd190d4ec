#pragma once

#include <QDate>
#include <QString>
#include <QtGlobal>

// A user of the program. `nome` is shown and checked for authority, `usuario` is typed at
// the login; each is unique.
struct Usuario {
    qint64 codigo = 0;
    QDate data; // registration date, written once
    QString nome;
    QString usuario;
    QString senhaHash; // PasswordHash form; never the password itself
    int autoridade = 4;

    bool operator==(const Usuario&) const = default;
};

// The two permissions of the user screen that make up an authority code.
struct Permissoes {
    bool cadastraUsuarios = false;
    bool visualizaRelatorios = false;

    bool operator==(const Permissoes&) const = default;
};

// 1: both, 2: users only, 3: reports only, 4: neither.
inline int autoridadeDe(bool cadastraUsuarios, bool visualizaRelatorios) {
    if (cadastraUsuarios)
        return visualizaRelatorios ? 1 : 2;
    return visualizaRelatorios ? 3 : 4;
}

// The inverse of autoridadeDe; a code outside 1-4 grants nothing.
inline Permissoes permissoesDe(int autoridade) {
    switch (autoridade) {
    case 1:
        return {true, true};
    case 2:
        return {true, false};
    case 3:
        return {false, true};
    default:
        return {};
    }
}

// Which permissions a user with `autoridade` may hand out on the user screen: codes 3 and 4
// none, code 2 only user registration, anyone else (code 1, or no row: the built-in
// administrator) both.
inline Permissoes permissoesConcedidasPor(int autoridade) {
    switch (autoridade) {
    case 3:
    case 4:
        return {};
    case 2:
        return {true, false};
    default:
        return {true, true};
    }
}
