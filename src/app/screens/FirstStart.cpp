#include "app/screens/FirstStart.h"

#include "app/NewHome.h"
#include "common/screens/ErrorRoutine.h"
#include "config/AppHome.h"
#include "shell/screens/frmSenhaAdministrador.h"

namespace FirstStart {

bool createHome(const AppHome& home, MessageBoxes& messages) {
    QString senha = NewHome::senhaFromEnvironment();
    if (senha.isEmpty()) {
        frmSenhaAdministrador screen(messages);
        if (screen.exec() != QDialog::Accepted) {
            return false;
        }
        senha = screen.senha();
    }
    try {
        NewHome::create(home, senha);
    } catch (const std::exception& e) {
        TrataErro(messages, e);
        return false;
    }
    return true;
}

} // namespace FirstStart
