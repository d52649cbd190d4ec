#include "app/NewHome.h"

#include "common/KeyFilter.h"
#include "config/AppHome.h"
#include "config/DatabaseLocation.h"
#include "config/IniFile.h"
#include "config/Settings.h"
#include "data/Database.h"
#include "masterdata/PasswordHash.h"
#include "shell/Authentication.h"

namespace NewHome {

QString senhaFromEnvironment() {
    return filterText(KeyFilterMode::Login, qEnvironmentVariable(kSenhaVariable));
}

void create(const AppHome& home, const QString& senha) {
    const QString hash = PasswordHash::hash(senha);
    home.createDefaultAtomically([&hash](const AppHome& staged) {
        GravaIni(staged.iniPath(), Settings::kSection, Authentication::kSenhaAdministradorKey,
                 hash);
        Database::open(ConnectionSpec::sqlite(staged.dbFolder() + DatabaseLocation::kFileName),
                       Database::OpenMode::CreateIfMissing);
    });
}

} // namespace NewHome
