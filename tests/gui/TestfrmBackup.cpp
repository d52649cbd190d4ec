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

using namespace Qt::StringLiterals;

namespace {

using Icon = MessageBoxes::Icon;
const QString kCopied = u"Todos os dados foram Copiados com Sucesso"_s;

// An installation with one order stored, a per-user store on an ini file, and the screen.
struct Installation {
    QTemporaryDir dir;
    AppHome home{dir.path()};
    Connections connections;
    Settings settings;
    Session session;
    ScriptedMessageBoxes messages;
    QSettings store{dir.filePath(u"user.ini"_s), QSettings::IniFormat};
    ScreenContext context{messages, connections, settings, session, home};
    std::unique_ptr<frmBackup> screen;

    explicit Installation(const std::optional<ConnectionSpec>& server = {})
        : connections(server ? *server : ownDatabase()) {}

    ConnectionSpec ownDatabase() {
        QDir().mkpath(home.dbFolder());
        const auto spec = ConnectionSpec::sqlite(home.dbFolder() + u"Delivery.db"_s);
        Database::open(spec, Database::OpenMode::CreateIfMissing)
            ->exec(u"INSERT INTO TB_Pedido (ped_ono) VALUES (1)"_s);
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
        return store.value(u"Settings/"_s + QLatin1String(key)).toString();
    }
    int orders() { return connections.db().scalar(u"SELECT count(*) FROM TB_Pedido"_s).toInt(); }
};

int ordersIn(const QString& file) {
    return Database::open(ConnectionSpec::sqlite(file), Database::OpenMode::ExistingOnly)
        ->scalar(u"SELECT count(*) FROM TB_Pedido"_s)
        .toInt();
}

} // namespace

class TestfrmBackup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QApplication::setApplicationName(u"Brisko"_s); }

    void loadShowsTheLastBackup_data() {
        QTest::addColumn<QDateTime>("when");
        QTest::addColumn<QStringList>("shown");
        const QString path = u"/media/pen/Delivery.db"_s;
        QTest::newRow("never") << QDateTime()
                               << QStringList{u"Nenhum backup feito anteriormente"_s, u" "_s,
                                              u" "_s};
        QTest::newRow("afternoon") << QDateTime(QDate(2024, 1, 5), QTime(15, 7, 9))
                                   << QStringList{path, u"05, jan, 2024"_s, u"03:07:09 PM"_s};
        QTest::newRow("midnight") << QDateTime(QDate(2023, 12, 31), QTime(0, 0, 0))
                                  << QStringList{path, u"31, dez, 2023"_s, u"12:00:00 AM"_s};
    }

    void loadShowsTheLastBackup() {
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
                 u"Selecione o caminho de destino e pressione o botão : Inicia Backup"_s);
        QVERIFY(!screen.options().frameless && screen.isModal());
        QVERIFY(at.control<QPushButton>("btnSalvar")->isEnabled());
        QVERIFY(at.messages.messages().isEmpty());
    }

    void backupWritesTheFileAndRemembersIt_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("written");
        QTest::newRow("folder") << u"pen"_s << u"pen/Delivery.db"_s;
        QTest::newRow("folder ending in a separator") << u"pen/"_s << u"pen/Delivery.db"_s;
        QTest::newRow("folder not there yet") << u"pen/novo"_s << u"pen/novo/Delivery.db"_s;
    }

    void backupWritesTheFileAndRemembersIt() {
        QFETCH(QString, folder);
        QFETCH(QString, written);
        Installation at;
        QTemporaryDir target;
        QDir(target.path()).mkpath(u"pen"_s);
        const QString file = target.filePath(written);
        for (int round = 1; round <= 2; ++round) { // the second copy replaces the first
            at.open();
            at.control<QLineEdit>("File1")->setText(target.path() + QLatin1Char('/') + folder);
            at.click("btnSalvar");
            QCOMPARE(at.messages.count(), round);
            QCOMPARE(at.messages.last().text, kCopied);
            QCOMPARE(at.messages.last().icon, Icon::Information);
            QCOMPARE(at.messages.last().caption, u"Backup"_s);
            QCOMPARE(at.label("lbl_Status"), u"Backup realizado com sucesso."_s);
            QVERIFY(!at.screen->isVisible());
            QCOMPARE(ordersIn(file), round);
            at.connections.db().exec(u"INSERT INTO TB_Pedido (ped_ono) VALUES (?)"_s, {round + 1});
        }
        QCOMPARE(at.remembered("BackupPath"), QDir::toNativeSeparators(file));
        QVERIFY(QRegularExpression(u"^\\d\\d, [a-z]{3}, \\d{4}$"_s)
                    .match(at.remembered("BackupDate"))
                    .hasMatch());
        QVERIFY(QRegularExpression(u"^(0[1-9]|1[0-2]):[0-5]\\d:[0-5]\\d [AP]M$"_s)
                    .match(at.remembered("BackupTime"))
                    .hasMatch());
    }

    void failedBackupKeepsScreenAndRemembersNothing() {
        Installation at;
        QTemporaryDir target;
        const QString plainFile = target.filePath(u"arquivo"_s);
        QFile(plainFile).open(QIODevice::WriteOnly);
        at.open();
        at.control<QLineEdit>("File1")->setText(plainFile + u"/pasta"_s);
        at.click("btnSalvar");

        QCOMPARE(at.messages.count(), 1);
        QCOMPARE(at.messages.last().icon, Icon::None);
        QCOMPARE(at.messages.last().caption, u"Brisko"_s);
        QVERIFY2(at.messages.last().text.startsWith(
                     u"%1 - Não foi possível criar a pasta"_s.arg(DbError::kGeneric)),
                 qPrintable(at.messages.last().text));
        QVERIFY(at.remembered("BackupPath").isEmpty());
        QVERIFY(at.screen->isVisible());
        QVERIFY(at.control<QPushButton>("btnSalvar")->isEnabled());
    }

    void folderFollowsTheDrive() {
        Installation at;
        at.open();
        auto* drives = at.control<QComboBox>("Drive1");
        auto* folder = at.control<QLineEdit>("File1");
        drives->setCurrentIndex(drives->findData(QDir::rootPath()));
        QCOMPARE(folder->text(), QDir::toNativeSeparators(QDir::rootPath()));
        // At a root the copy goes straight into it, with a single separator.
        QCOMPARE(backupDestination(QDir::rootPath()), QDir::rootPath() + u"Delivery.db"_s);
        QCOMPARE(backupDestination(u"C:/"_s), u"C:/Delivery.db"_s);
    }

    void restoreOfAGoodFile() {
        Installation at;
        QTemporaryDir target;
        const QString backup = target.filePath(u"Delivery.db"_s);
        DatabaseBackup::copyTo(at.connections.db(), backup);
        BackupHistory(at.store).remember(backup, QDateTime(QDate(2024, 1, 5), QTime(15, 7, 9)));
        at.connections.db().exec(u"INSERT INTO TB_Pedido (ped_ono) VALUES (2)"_s);
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
            QDir(at.home.dbFolder()).entryList({u"Delivery.db.antes-restauracao-*"_s});
        QCOMPARE(kept.size(), 1);
        QCOMPARE(ordersIn(at.home.dbFolder() + kept.first()), 2);
        QVERIFY(!at.screen->isVisible());
    }

    void restoreOfAWrongFileChangesNothing() {
        Installation at;
        QTemporaryDir target;
        QFile wrong(target.filePath(u"Delivery.db"_s));
        QVERIFY(wrong.open(QIODevice::WriteOnly) && wrong.write("não é um banco de dados\n") > 0);
        wrong.close();
        const QStringList before = QDir(at.home.dbFolder()).entryList(QDir::Files);
        at.open();
        at.restore(wrong.fileName());

        QCOMPARE(
            at.messages.texts(),
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

    void serverDatabaseOffersNothing() {
        ConnectionSpec server;
        server.engine = ConnectionSpec::Engine::Postgres;
        server.host = u"servidor.invalid"_s;
        Installation at(server);
        at.open();

        QCOMPARE(at.label("lbl_Status"), DatabaseBackup::serverBackupMessage());
        for (const char* name : {"btnSalvar", "btnRestaurar", "Drive1", "Dir1", "File1"})
            QVERIFY2(!at.control<QWidget>(name)->isEnabled(), name);
        QVERIFY(at.control<QPushButton>("btnCancelar")->isEnabled());
        QVERIFY(at.messages.messages().isEmpty());
        QVERIFY(!at.connections.isOpen());
    }
};

QTEST_MAIN(TestfrmBackup)
#include "TestfrmBackup.moc"
