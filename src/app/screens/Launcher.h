#pragma once

#include "app/AppHome.h"
#include "app/Settings.h"
#include "app/SingleInstance.h"

#include <QObject>

#include <memory>

class Database;
class MDIPrincipal;
class MessageBoxes;
class frmLoad;

// The start-up sequence: one copy per home, the settings, the database, then the screens in
// their order. Owns what lives for the whole run.
class Launcher : public QObject {
    Q_OBJECT
public:
    explicit Launcher(MessageBoxes& messages, QObject* parent = nullptr);
    ~Launcher() override;

    // False when the program must end; the reason has been shown.
    bool start();

private:
    bool openDatabase();
    void showMainWindow();

    MessageBoxes& m_messages;
    AppHome m_home;
    SingleInstance m_instance;
    Settings m_settings;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<frmLoad> m_load;
    std::unique_ptr<MDIPrincipal> m_main;
};
