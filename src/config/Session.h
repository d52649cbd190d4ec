#pragma once

#include <QString>

// Who is working, for the whole run: the current user and the failed-login count, which no
// user switch resets.
class Session {
public:
    static constexpr int kMaxTentativas = 3;

    QString gUsuarioNome;  // display name; status bar and authority checks
    QString gUsuarioLogin; // set by the built-in administrator login only
    QString gUsuarioSenha;
    qint64 usuId = 0; // stored with every order taken; 0 for the built-in administrator
    int gTentativas = 0;
    bool alertaAniversario = true;
};
