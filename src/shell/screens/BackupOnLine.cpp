#include "shell/screens/BackupOnLine.h"

#include "common/screens/MessageBoxes.h"
#include "common/screens/ScreenContext.h"
#include "config/AppHome.h"
#include "config/Settings.h"
#include "shell/OnlineBackupSetup.h"
#include "shell/screens/frmSincroniza.h"

bool ExecutaBackupOnLine(ScreenContext& context, QWidget* parent, BackupOnLineOrigem origem) {
    const auto setup = OnlineBackupSetup::from(Settings::read(context.home.iniPath()));
    if (const auto* missing = std::get_if<QString>(&setup)) {
        if (origem == BackupOnLineOrigem::Menu)
            context.messages.show(MessageBoxes::Icon::Information, QStringLiteral("Aviso"),
                                  *missing);
        return false;
    }
    frmSincroniza screen(context, std::get<OnlineBackupSetup>(setup), parent);
    screen.exec();
    return screen.succeeded();
}
