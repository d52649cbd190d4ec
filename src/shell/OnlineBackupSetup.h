#pragma once

#include "shell/RemoteServer.h"

#include <QString>
#include <variant>

class Settings;

// What the online backup needs from the settings: this business's identifier (setting 14, a
// whole number) and where the remote server is (key ServidorRemoto).
struct OnlineBackupSetup {
    qint64 empresa = 0;
    RemoteServer::Target remote;

    // The setup, or the text saying what is missing or wrong.
    static std::variant<OnlineBackupSetup, QString> from(const Settings& settings);
};
