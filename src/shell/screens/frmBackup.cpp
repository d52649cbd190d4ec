#include "shell/screens/frmBackup.h"

#include "common/screens/BusyCursor.h"
#include "common/screens/ScreenContext.h"
#include "common/screens/Widgets.h"
#include "data/Connections.h"
#include "data/Database.h"
#include "data/DbError.h"
#include "shell/DatabaseBackup.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QSettings>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

using widgets::named;

constexpr int kEdgeTwips = 50;
// What a drive that is not ready reports.
constexpr int kDeviceUnavailable = 68;

QPushButton* button(QWidget* parent, const char* name, const QString& text,
                    const QString& tooltip) {
    QPushButton* b = widgets::button(parent, QLatin1String(name), text);
    b->setToolTip(tooltip);
    return b;
}

bool onServer(const ScreenContext& context) {
    return context.connections.spec().engine != ConnectionSpec::Engine::Sqlite;
}

// The folder of the last copy while it is still there; empty otherwise.
QString lastCopyFolder(const BackupHistory& history) {
    const QString path = history.last().path;
    const QString folder = QFileInfo(path).absolutePath();
    return !path.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

} // namespace

frmBackup::frmBackup(ScreenContext& context, QWidget* parent, QSettings* store)
    : ScreenBase(context.messages, parent,
                 ScreenOptions{.titleButtons = TitleButtonSet::None, .frameless = false}),
      m_context(context), m_ownStore(store ? nullptr
                                           : std::make_unique<QSettings>(QStringLiteral("Brisko"),
                                                                         QStringLiteral("Brisko"))),
      m_history(store ? *store : *m_ownStore) {
    setObjectName(QStringLiteral("frmBackup"));
    setWindowTitle(QStringLiteral("Backup"));
    setModal(true);
    buildControls();
    if (const QScreen* display = screen()) {
        const int edge = kEdgeTwips / ScreenOptions::kTwipsPerPixel;
        move(display->availableGeometry().topLeft() + QPoint(edge, edge));
    }
    Form_Load();
}

frmBackup::~frmBackup() = default;

void frmBackup::buildControls() {
    m_fraBack = named<QGroupBox>(this, "fra_back", QStringLiteral("Backup Atual"));
    m_drive1 = named<QComboBox>(m_fraBack, "Drive1");
    m_drive1->setToolTip(QStringLiteral("Selecione o Disco"));
    m_folders = new QFileSystemModel(this);
    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_dir1 = named<QTreeView>(m_fraBack, "Dir1");
    m_dir1->setToolTip(QStringLiteral("Selecione o Diretório"));
    m_dir1->setModel(m_folders);
    m_dir1->setHeaderHidden(true);
    for (int column = 1; column < m_folders->columnCount(); ++column)
        m_dir1->hideColumn(column);
    m_dir1->setMinimumSize(320, 220);
    // The destination folder: follows Dir1, and can be typed.
    m_file1 = named<QLineEdit>(m_fraBack, "File1");

    m_btnSalvar =
        button(this, "btnSalvar", QStringLiteral("&Backup"), QStringLiteral("Iniciar o Backup"));
    m_btnRestaurar = button(this, "btnRestaurar", QStringLiteral("&Restaurar"),
                            QStringLiteral("Iniciar a restauração"));
    m_btnCancelar =
        button(this, "btnCancelar", QStringLiteral("&Cancelar"), QStringLiteral("Cancelar / Sair"));
    m_cdgRestaurar = named<QFileDialog>(this, "cdgRestaurar");
    m_cdgRestaurar->setFileMode(QFileDialog::ExistingFile);
    m_cdgRestaurar->setAcceptMode(QFileDialog::AcceptOpen);
    m_cdgRestaurar->setNameFilters(
        {QStringLiteral("Backup do Brisko (*.db)"), QStringLiteral("Todos os arquivos (*)")});

    auto* back = new QVBoxLayout(m_fraBack);
    back->addWidget(m_drive1);
    back->addWidget(m_dir1, 1);
    back->addWidget(m_file1);

    m_fraLast = named<QGroupBox>(this, "fra_last", QStringLiteral("Detalhes do último Backup"));
    m_lblDestino =
        named<QLabel>(m_fraLast, "lbl_destino", QStringLiteral("Destino do último backup"));
    m_lblUltimaData =
        named<QLabel>(m_fraLast, "lbl_ultimaData", QStringLiteral("Data do último backup"));
    m_lblUltimaHora =
        named<QLabel>(m_fraLast, "lbl_ultimaHora", QStringLiteral("Hora do último backup"));
    auto* last = new QGridLayout(m_fraLast);
    last->addWidget(named<QLabel>(m_fraLast, "lbl_adestino", QStringLiteral("Destino :")), 0, 0);
    last->addWidget(m_lblDestino, 0, 1);
    last->addWidget(named<QLabel>(m_fraLast, "lbl_aultimaData", QStringLiteral("Data   :")), 1, 0);
    last->addWidget(m_lblUltimaData, 1, 1);
    last->addWidget(named<QLabel>(m_fraLast, "lbl_aultimaHora", QStringLiteral("Hora  :")), 2, 0);
    last->addWidget(m_lblUltimaHora, 2, 1);
    last->setColumnStretch(1, 1);

    m_lblStatus = named<QLabel>(this, "lbl_Status");
    m_lblStatus->setWordWrap(true);
    m_prgBackup = named<QProgressBar>(this, "prgBackup");
    m_prgBackup->hide();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_btnSalvar);
    buttons->addWidget(m_btnRestaurar);
    buttons->addWidget(m_btnCancelar);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_fraBack, 1);
    layout->addLayout(buttons);
    layout->addWidget(m_fraLast);
    layout->addWidget(m_prgBackup);
    layout->addWidget(m_lblStatus);

    connect(m_drive1, &QComboBox::currentIndexChanged, this, &frmBackup::Drive1_Change);
    connect(m_dir1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { Dir1_Change(current); });
    connect(m_file1, &QLineEdit::textChanged, this, &frmBackup::File1_Change);
    connect(m_btnSalvar, &QPushButton::clicked, this, &frmBackup::btnSalvar_Click);
    connect(m_btnRestaurar, &QPushButton::clicked, this, &frmBackup::btnRestaurar_Click);
    connect(m_btnCancelar, &QPushButton::clicked, this, &QWidget::close);
}

void frmBackup::Form_Load() {
    m_dir1->setEnabled(false);
    m_btnSalvar->setEnabled(false);
    showLastBackup();
    if (onServer(m_context)) {
        m_fraBack->setEnabled(false);
        m_btnRestaurar->setEnabled(false);
        m_lblStatus->setText(DatabaseBackup::serverBackupMessage());
        return;
    }
    fillDrives();
    const QString lastFolder = lastCopyFolder(m_history);
    if (m_driveReady && !lastFolder.isEmpty())
        m_file1->setText(QDir::toNativeSeparators(lastFolder));
    m_lblStatus->setText(
        QStringLiteral("Selecione o caminho de destino e pressione o botão : Inicia Backup"));
}

void frmBackup::showLastBackup() {
    const BackupHistory::Record last = m_history.last();
    if (last.path.isEmpty()) {
        m_lblDestino->setText(QStringLiteral("Nenhum backup feito anteriormente"));
        m_lblUltimaData->setText(QStringLiteral(" "));
        m_lblUltimaHora->setText(QStringLiteral(" "));
        return;
    }
    m_lblDestino->setText(last.path);
    m_lblUltimaData->setText(last.date);
    m_lblUltimaHora->setText(last.time);
}

void frmBackup::fillDrives() {
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        roots.append(volume.rootPath());
    const QString lastFolder = lastCopyFolder(m_history);
    const QString start =
        QStorageInfo(lastFolder.isEmpty() ? QDir::homePath() : lastFolder).rootPath();
    roots.append(start);
    roots.sort();
    roots.removeDuplicates();
    const QSignalBlocker quiet(m_drive1);
    for (const QString& root : std::as_const(roots))
        m_drive1->addItem(QDir::toNativeSeparators(root), root);
    m_drive1->setCurrentIndex(m_drive1->findData(start));
    Drive1_Change();
}

void frmBackup::Drive1_Change() {
    const QString root = m_drive1->currentData().toString();
    const QStorageInfo drive(root);
    m_driveReady = drive.isValid() && drive.isReady();
    m_dir1->setEnabled(m_driveReady);
    m_btnSalvar->setEnabled(m_driveReady);
    if (!m_driveReady) {
        messages().show(MessageBoxes::Icon::None, QCoreApplication::applicationName(),
                        QStringLiteral("%1 - Dispositivo não disponível").arg(kDeviceUnavailable));
        return;
    }
    m_folders->setRootPath(root);
    m_dir1->setRootIndex(m_folders->index(root));
    m_file1->setText(QDir::toNativeSeparators(root));
}

void frmBackup::Dir1_Change(const QModelIndex& folder) {
    if (folder.isValid())
        m_file1->setText(QDir::toNativeSeparators(m_folders->filePath(folder)));
}

void frmBackup::File1_Change(const QString& folder) {
    m_btnSalvar->setEnabled(m_driveReady && !folder.trimmed().isEmpty());
    // The tree follows a typed folder without rewriting what is being typed.
    const QModelIndex index = m_folders->index(QDir::fromNativeSeparators(folder.trimmed()));
    if (index.isValid() && index != m_dir1->currentIndex()) {
        const QSignalBlocker quiet(m_dir1->selectionModel());
        m_dir1->setCurrentIndex(index);
        m_dir1->scrollTo(index);
    }
}

void frmBackup::closeEvent(QCloseEvent* event) {
    // The window keeps painting during a copy, and a close request may arrive with it.
    if (m_working) {
        event->ignore();
        return;
    }
    ScreenBase::closeEvent(event);
}

bool frmBackup::attempt(const std::function<void()>& work) {
    const QList<QWidget*> controls{m_fraBack, m_btnSalvar, m_btnRestaurar, m_btnCancelar};
    QList<bool> enabled;
    for (QWidget* control : controls) {
        enabled.append(control->isEnabled());
        control->setEnabled(false);
    }
    m_prgBackup->reset();
    const QScopedValueRollback working(m_working, true);
    bool done = false;
    try {
        const BusyCursor busy; // gone before any message, also when the work fails
        work();
        done = true;
    } catch (const DbError& failure) {
        messages().show(MessageBoxes::Icon::None, QCoreApplication::applicationName(),
                        QStringLiteral("%1 - %2").arg(failure.number()).arg(failure.description()));
    } catch (const std::exception& failure) {
        error(failure);
    }
    m_prgBackup->hide();
    for (qsizetype i = 0; i < controls.size(); ++i)
        controls.at(i)->setEnabled(enabled.at(i));
    return done;
}

void frmBackup::btnSalvar_Click() {
    const QDateTime now = QDateTime::currentDateTime();
    const QString destination = backupDestination(m_file1->text().trimmed());
    const bool copied = attempt([&] {
        DatabaseBackup::copyTo(
            m_context.connections.db(), destination, [this](int done, int total) {
                m_prgBackup->show();
                m_prgBackup->setMaximum(total);
                m_prgBackup->setValue(done);
                // Painting goes on; clicks wait until the copy is over.
                QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            });
    });
    if (!copied)
        return;
    m_history.remember(QDir::toNativeSeparators(destination), now);
    m_lblStatus->setText(QStringLiteral("Backup realizado com sucesso."));
    m_btnSalvar->setEnabled(true);
    messages().show(MessageBoxes::Icon::Information, QStringLiteral("Backup"),
                    QStringLiteral("Todos os dados foram Copiados com Sucesso"));
    close();
}

void frmBackup::btnRestaurar_Click() {
    if (const QString lastFolder = lastCopyFolder(m_history); !lastFolder.isEmpty())
        m_cdgRestaurar->setDirectory(lastFolder);
    if (m_cdgRestaurar->exec() != QDialog::Accepted || m_cdgRestaurar->selectedFiles().isEmpty()) {
        close();
        return;
    }
    const QString chosen = m_cdgRestaurar->selectedFiles().constFirst();
    if (!attempt([&] { DatabaseBackup::restore(m_context.connections, chosen); }))
        return;
    messages().show(
        MessageBoxes::Icon::Information, QCoreApplication::applicationName(),
        QStringList{QStringLiteral("Backup restaurado com sucesso!!!"), QString(),
                    QStringLiteral("Detalhes do ultimo Backup:"),
                    QStringLiteral("Local do Backup: ") + QDir::toNativeSeparators(chosen),
                    QStringLiteral("Hora do Backup: ") + m_history.last().time, QString()}
            .join(QLatin1Char('\n')));
    close();
}
