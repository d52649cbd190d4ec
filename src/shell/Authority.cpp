#include "shell/Authority.h"

#include "config/Session.h"
#include "shell/Authentication.h"

namespace authority {

bool refuses(int code, Area area) {
    if (code < kMinCode || code > kMaxCode) {
        return true;
    }
    switch (area) {
    case Area::UserScreens:
        return code == 4;
    case Area::ReportsAndExports:
        return code == 2 || code == 4;
    }
    return true;
}

bool isBuiltInAdministrator(const Session& session) {
    return session.gUsuarioSenha == Authentication::kAdministradorSenha ||
           session.gUsuarioLogin == Authentication::kAdministradorUsuario;
}

} // namespace authority
