#pragma once

#include <QString>

class AppHome;

// A new home as the first start makes it: the built-in administrator's password hash as
// SenhaAdministrador, so no installation shares a known password, and an empty database.
namespace NewHome {

// Gives the administrator's password to a first start that nobody watches.
inline constexpr const char* kSenhaVariable = "BRISKO_SENHA_ADMINISTRADOR";

// The variable's password as the login screen would type it; empty when not given.
QString senhaFromEnvironment();

// Throws std::exception when the home cannot be made; nothing is left behind then.
void create(const AppHome& home, const QString& senha);

} // namespace NewHome
