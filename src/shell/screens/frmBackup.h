#pragma once

#include "common/screens/ScreenBase.h"
#include "shell/BackupHistory.h"

#include <functional>
#include <memory>

class QComboBox;
class QFileDialog;
class QFileSystemModel;
class QGroupBox;
class QLabel;
class QLineEdit;
class QModelIndex;
class QProgressBar;
class QPushButton;
class QSettings;
class QTreeView;
struct ScreenContext;

// Copies the database to a folder the user picks and remembers where and when; restores a
// copy chosen in a file dialog. An ordinary window: on a database server there is nothing
// to copy here, and the screen only says so.
class frmBackup : public ScreenBase {
    Q_OBJECT
public:
    // `store`: the per-user settings store holding the last copy; the program's own when null.
    explicit frmBackup(ScreenContext& context, QWidget* parent = nullptr,
                       QSettings* store = nullptr);
    ~frmBackup() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void Drive1_Change();
    void Dir1_Change(const QModelIndex& folder);
    void File1_Change(const QString& folder);
    void btnSalvar_Click();
    void btnRestaurar_Click();

    void buildControls();
    void fillDrives();
    void showLastBackup();
    // Runs a copy with the controls disabled and a busy cursor; a failure is shown and
    // leaves the screen open.
    bool attempt(const std::function<void()>& work);

    ScreenContext& m_context;
    std::unique_ptr<QSettings> m_ownStore;
    BackupHistory m_history;
    bool m_driveReady = false;
    bool m_working = false;

    QGroupBox* m_fraBack;
    QComboBox* m_drive1;
    QFileSystemModel* m_folders;
    QTreeView* m_dir1;
    QLineEdit* m_file1;
    QPushButton* m_btnSalvar;
    QPushButton* m_btnRestaurar;
    QPushButton* m_btnCancelar;
    QFileDialog* m_cdgRestaurar;
    QGroupBox* m_fraLast;
    QLabel* m_lblDestino;
    QLabel* m_lblUltimaData;
    QLabel* m_lblUltimaHora;
    QLabel* m_lblStatus;
    QProgressBar* m_prgBackup;
};
