#include "common/screens/ScreenContext.h"
#include "config/AppHome.h"
#include "config/Session.h"
#include "config/Settings.h"
#include "data/Connections.h"
#include "data/Database.h"
#include "shell/BackupHistory.h"
#include "shell/DatabaseBackup.h"
#include "shell/screens/frmBackup.h"
#include "support/ScriptedMessageBoxes.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

using Icon = MessageBoxes::Icon;
const QString kCopied = QStringLiteral("Todos os dados foram Copiados com Sucesso");

// An installation with one order stored, a per-user store on an ini file, and the screen.
struct Installation {
    QTemporaryDir dir;
    AppHome home{dir.path()};
    Connections connections;
    Settings settings;
    Session session;
    ScriptedMessageBoxes messages;
    QSettings store{dir.filePath(QStringLiteral("user.ini")), QSettings::IniFormat};
    ScreenContext context{messages, connections, settings, session, home};
    std::unique_ptr<frmBackup> screen;

    explicit Installation(const std::optional<ConnectionSpec>& server = {})
        : connections(server ? *server : ownDatabase()) {}

    ConnectionSpec ownDatabase() {
        QDir().mkpath(home.dbFolder());
        const auto spec = ConnectionSpec::sqlite(home.dbFolder() + QStringLiteral("Delivery.db"));
        Database::open(spec, Database::OpenMode::CreateIfMissing)
            ->exec(QStringLiteral("INSERT INTO TB_Pedido (ped_ono) VALUES (1)"));
        return spec;
    }
    frmBackup& open() {
        screen = std::make_unique<frmBackup>(context, nullptr, &store);
        screen->show();
        return *screen;
    }
    template <typename Widget> Widget* control(const char* name) const {
        auto* widget = screen->findChild<Widget*>(QLatin1String(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    QString label(const char* name) const { return control<QLabel>(name)->text(); }
    void click(const char* name) const {
        QTest::mouseClick(control<QPushButton>(name), Qt::LeftButton);
    }
    // Answers the open-file dialog as soon as it is up: picks `file`, or cancels when empty.
    void restore(const QString& file) const {
        auto* dialog = control<QFileDialog>("cdgRestaurar");
        QTimer::singleShot(0, dialog, [dialog, file] {
            QTRY_VERIFY(dialog->isVisible());
            if (file.isEmpty()) {
                dialog->reject();
                return;
            }
            dialog->selectFile(file);
            static_cast<QDialog*>(dialog)->accept(); // QFileDialog checks the choice
        });
        click("btnRestaurar");
    }
    QString remembered(const char* key) const {
        return store.value(QStringLiteral("Settings/") + QLatin1String(key)).toString();
    }
    int orders() {
        return connections.db().scalar(QStringLiteral("SELECT count(*) FROM TB_Pedido")).toInt();
    }
};

int ordersIn(const QString& file) {
    return Database::open(ConnectionSpec::sqlite(file), Database::OpenMode::ExistingOnly)
        ->scalar(QStringLiteral("SELECT count(*) FROM TB_Pedido"))
        .toInt();
}

} // namespace

class TestfrmBackup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QApplication::setApplicationName(QStringLiteral("Brisko")); }
    void loadShowsTheLastBackup_data();
    void loadShowsTheLastBackup();
    void backupWritesTheFileAndRemembersIt_data();
    void backupWritesTheFileAndRemembersIt();
    void failedBackupKeepsScreenAndRemembersNothing();
    void folderFollowsTheDrive();
    void restoreOfAGoodFile();
    void restoreOfAWrongFileChangesNothing();
    void serverDatabaseOffersNothing();
};

void TestfrmBackup::loadShowsTheLastBackup_data() {
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<QStringList>("shown");
    const QString path = QStringLiteral("/media/pen/Delivery.db");
    QTest::newRow("never") << QDateTime()
                           << QStringList{QStringLiteral("Nenhum backup feito anteriormente"),
                                          QStringLiteral(" "), QStringLiteral(" ")};
    QTest::newRow("afternoon") << QDateTime(QDate(2024, 1, 5), QTime(15, 7, 9))
                               << QStringList{path, QStringLiteral("05, jan, 2024"),
                                              QStringLiteral("03:07:09 PM")};
    QTest::newRow("midnight") << QDateTime(QDate(2023, 12, 31), QTime(0, 0, 0))
                              << QStringList{path, QStringLiteral("31, dez, 2023"),
                                             QStringLiteral("12:00:00 AM")};
}

void TestfrmBackup::loadShowsTheLastBackup() {
    QFETCH(QDateTime, when);
    QFETCH(QStringList, shown);
    Installation at;
    if (when.isValid())
        BackupHistory(at.store).remember(shown.first(), when);
    frmBackup& screen = at.open();

    QCOMPARE((QStringList{at.label("lbl_destino"), at.label("lbl_ultimaData"),
                          at.label("lbl_ultimaHora")}),
             shown);
    QCOMPARE(at.label("lbl_Status"),
             QStringLiteral("Selecione o caminho de destino e pressione o botão : Inicia Backup"));
    QVERIFY(!screen.options().frameless && screen.isModal());
    QVERIFY(at.control<QPushButton>("btnSalvar")->isEnabled());
    QVERIFY(at.messages.messages().isEmpty());
}

void TestfrmBackup::backupWritesTheFileAndRemembersIt_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("written");
    QTest::newRow("folder") << "pen"
                            << "pen/Delivery.db";
    QTest::newRow("folder ending in a separator") << "pen/"
                                                  << "pen/Delivery.db";
    QTest::newRow("folder not there yet") << "pen/novo"
                                          << "pen/novo/Delivery.db";
}

void TestfrmBackup::backupWritesTheFileAndRemembersIt() {
    QFETCH(QString, folder);
    QFETCH(QString, written);
    Installation at;
    QTemporaryDir target;
    QDir(target.path()).mkpath(QStringLiteral("pen"));
    const QString file = target.filePath(written);
    for (int round = 1; round <= 2; ++round) { // the second copy replaces the first
        at.open();
        at.control<QLineEdit>("File1")->setText(target.path() + QLatin1Char('/') + folder);
        at.click("btnSalvar");
        QCOMPARE(at.messages.count(), round);
        QCOMPARE(at.messages.last().text, kCopied);
        QCOMPARE(at.messages.last().icon, Icon::Information);
        QCOMPARE(at.messages.last().caption, QStringLiteral("Backup"));
        QCOMPARE(at.label("lbl_Status"), QStringLiteral("Backup realizado com sucesso."));
        QVERIFY(!at.screen->isVisible());
        QCOMPARE(ordersIn(file), round);
        at.connections.db().exec(QStringLiteral("INSERT INTO TB_Pedido (ped_ono) VALUES (?)"),
                                 {round + 1});
    }
    QCOMPARE(at.remembered("BackupPath"), QDir::toNativeSeparators(file));
    QVERIFY(QRegularExpression(QStringLiteral("^\\d\\d, [a-z]{3}, \\d{4}$"))
                .match(at.remembered("BackupDate"))
                .hasMatch());
    QVERIFY(QRegularExpression(QStringLiteral("^(0[1-9]|1[0-2]):[0-5]\\d:[0-5]\\d [AP]M$"))
                .match(at.remembered("BackupTime"))
                .hasMatch());
}

void TestfrmBackup::failedBackupKeepsScreenAndRemembersNothing() {
    Installation at;
    QTemporaryDir target;
    const QString plainFile = target.filePath(QStringLiteral("arquivo"));
    QFile(plainFile).open(QIODevice::WriteOnly);
    at.open();
    at.control<QLineEdit>("File1")->setText(plainFile + QStringLiteral("/pasta"));
    at.click("btnSalvar");

    QCOMPARE(at.messages.count(), 1);
    QCOMPARE(at.messages.last().icon, Icon::None);
    QCOMPARE(at.messages.last().caption, QStringLiteral("Brisko"));
    QVERIFY2(at.messages.last().text.startsWith(
                 QStringLiteral("%1 - Não foi possível criar a pasta").arg(DbError::kGeneric)),
             qPrintable(at.messages.last().text));
    QVERIFY(at.remembered("BackupPath").isEmpty());
    QVERIFY(at.screen->isVisible());
    QVERIFY(at.control<QPushButton>("btnSalvar")->isEnabled());
}

void TestfrmBackup::folderFollowsTheDrive() {
    Installation at;
    at.open();
    auto* drives = at.control<QComboBox>("Drive1");
    auto* folder = at.control<QLineEdit>("File1");
    drives->setCurrentIndex(drives->findData(QDir::rootPath()));
    QCOMPARE(folder->text(), QDir::toNativeSeparators(QDir::rootPath()));
    // At a root the copy goes straight into it, with a single separator.
    QCOMPARE(backupDestination(QDir::rootPath()), QDir::rootPath() + QStringLiteral("Delivery.db"));
    QCOMPARE(backupDestination(QStringLiteral("C:/")), QStringLiteral("C:/Delivery.db"));
}

void TestfrmBackup::restoreOfAGoodFile() {
    Installation at;
    QTemporaryDir target;
    const QString backup = target.filePath(QStringLiteral("Delivery.db"));
    DatabaseBackup::copyTo(at.connections.db(), backup);
    BackupHistory(at.store).remember(backup, QDateTime(QDate(2024, 1, 5), QTime(15, 7, 9)));
    at.connections.db().exec(QStringLiteral("INSERT INTO TB_Pedido (ped_ono) VALUES (2)"));
    at.open();
    at.restore(backup);

    QCOMPARE(at.messages.count(), 1);
    QCOMPARE(at.messages.last().icon, Icon::Information);
    QCOMPARE(at.messages.last().text,
             QStringLiteral("Backup restaurado com sucesso!!!\n\nDetalhes do ultimo Backup:\n"
                            "Local do Backup: %1\nHora do Backup: 03:07:09 PM\n")
                 .arg(QDir::toNativeSeparators(backup)));
    QCOMPARE(at.orders(), 1);
    const QStringList kept =
        QDir(at.home.dbFolder()).entryList({QStringLiteral("Delivery.db.antes-restauracao-*")});
    QCOMPARE(kept.size(), 1);
    QCOMPARE(ordersIn(at.home.dbFolder() + kept.first()), 2);
    QVERIFY(!at.screen->isVisible());
}

void TestfrmBackup::restoreOfAWrongFileChangesNothing() {
    Installation at;
    QTemporaryDir target;
    QFile wrong(target.filePath(QStringLiteral("Delivery.db")));
    QVERIFY(wrong.open(QIODevice::WriteOnly) && wrong.write("não é um banco de dados\n") > 0);
    wrong.close();
    const QStringList before = QDir(at.home.dbFolder()).entryList(QDir::Files);
    at.open();
    at.restore(wrong.fileName());

    QCOMPARE(at.messages.texts(),
             QStringList{QStringLiteral("%1 - O arquivo %2 não é um backup do banco de dados do "
                                        "Brisko. Nada foi alterado.")
                             .arg(DbError::kGeneric)
                             .arg(QDir::toNativeSeparators(wrong.fileName()))});
    QCOMPARE(at.messages.last().icon, Icon::None);
    QCOMPARE(QDir(at.home.dbFolder()).entryList(QDir::Files), before);
    QCOMPARE(at.orders(), 1);
    QVERIFY(at.screen->isVisible());

    at.restore({}); // no file chosen: the screen closes, nothing else happens
    QCOMPARE(at.messages.count(), 1);
    QVERIFY(!at.screen->isVisible());
}

void TestfrmBackup::serverDatabaseOffersNothing() {
    ConnectionSpec server;
    server.engine = ConnectionSpec::Engine::Postgres;
    server.host = QStringLiteral("servidor.invalid");
    Installation at(server);
    at.open();

    QCOMPARE(at.label("lbl_Status"), DatabaseBackup::serverBackupMessage());
    for (const char* name : {"btnSalvar", "btnRestaurar", "Drive1", "Dir1", "File1"})
        QVERIFY2(!at.control<QWidget>(name)->isEnabled(), name);
    QVERIFY(at.control<QPushButton>("btnCancelar")->isEnabled());
    QVERIFY(at.messages.messages().isEmpty());
    QVERIFY(!at.connections.isOpen());
}

QTEST_MAIN(TestfrmBackup)
#include "TestfrmBackup.moc"
