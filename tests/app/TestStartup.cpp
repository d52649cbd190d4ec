// ctest-label: gui
#include "config/EmbaralhaTexto.h"
#include "config/IniFile.h"
#include "config/Settings.h"
#include "data/ConnectionSpec.h"
#include "data/Database.h"
#include "support/BriskoProcess.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kNoDatabase = QStringLiteral("Não foi possivel localizar a base de dados.\n"
                                           "Entre em contato com o Administrador do sistema.");

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_homes = 0;

    QString newHomePath() { return m_dir.filePath(QStringLiteral("home%1").arg(++m_homes)); }

    QString homeWithSetting5(const QString& value) {
        const QString home = newHomePath();
        Settings::write(home + QStringLiteral("/Configuracao/Configuracao.ini"), 5, value);
        return home;
    }

    static void createDatabase(const QString& file) {
        QDir().mkpath(QFileInfo(file).absolutePath());
        Database::open(ConnectionSpec::sqlite(file), Database::OpenMode::CreateIfMissing);
    }

    static void verifyNoDatabaseMessage(BriskoProcess& run) {
        QVERIFY(run.waitForExit() != 0);
        const auto messages = run.messages();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages.at(0).icon, QStringLiteral("Information"));
        QCOMPARE(messages.at(0).caption, QStringLiteral("Aviso"));
        QCOMPARE(messages.at(0).text, kNoDatabase);
        QVERIFY(run.shownScreens().isEmpty());
    }

private Q_SLOTS:
    void firstStartCreatesHomeWithSettingsAndEmptyDatabase() {
        const QString home = newHomePath();
        BriskoProcess run(home, m_dir.path());
        run.exitAfter(QStringLiteral("frmAutenticacao"));
        run.start();
        QCOMPARE(run.waitForExit(), 0);
        QVERIFY2(run.messages().isEmpty(), qPrintable(run.messages().value(0).text));

        const QString ini = home + QStringLiteral("/Configuracao/Configuracao.ini");
        QCOMPARE(LeIni(ini, QStringLiteral("Geral"), QStringLiteral("5")),
                 EmbaralhaTexto(QStringLiteral("servidor")));
        const auto db =
            Database::open(ConnectionSpec::sqlite(home + QStringLiteral("/DB/Delivery.db")),
                           Database::OpenMode::ExistingOnly);
        QCOMPARE(db->scalar(QStringLiteral("SELECT COUNT(*) FROM TB_Pedido")).toInt(), 0);
    }

    void missingSettingsFileStopsBeforeAnyScreen() {
        const QString home = newHomePath();
        QDir().mkpath(home);
        BriskoProcess run(home, m_dir.path());
        run.start();
        verifyNoDatabaseMessage(run);
    }

    void emptyDatabaseSettingStopsBeforeAnyScreen() {
        const QString home = newHomePath();
        Settings::write(home + QStringLiteral("/Configuracao/Configuracao.ini"), 6,
                        QStringLiteral("CUPOM"));
        BriskoProcess run(home, m_dir.path());
        run.start();
        verifyNoDatabaseMessage(run);
    }

    void secondCopyIsRefusedAndACrashedCopyBlocksNothing() {
        const QString home = newHomePath();
        BriskoProcess first(home, m_dir.path());
        first.start();
        QVERIFY(first.waitForShown(QStringLiteral("frmAutenticacao")));

        BriskoProcess second(home, m_dir.path());
        second.start();
        QVERIFY(second.waitForExit() != 0);
        const auto messages = second.messages();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages.at(0).icon, QStringLiteral("None"));
        QCOMPARE(messages.at(0).caption, QStringLiteral("Brisko"));
        QCOMPARE(messages.at(0).text,
                 QStringLiteral("Atenção !!! Brisko já esta sendo executado. "));
        QVERIFY(second.shownScreens().isEmpty());
        QVERIFY(first.messages().isEmpty());

        // Another home is another installation.
        BriskoProcess elsewhere(newHomePath(), m_dir.path());
        elsewhere.exitAfter(QStringLiteral("frmAutenticacao"));
        elsewhere.start();
        QCOMPARE(elsewhere.waitForExit(), 0);

        first.kill();
        BriskoProcess third(home, m_dir.path());
        third.exitAfter(QStringLiteral("frmAutenticacao"));
        third.start();
        QCOMPARE(third.waitForExit(), 0);
        QVERIFY(third.messages().isEmpty());
    }

    void folderSettingGetsItsSeparatorAndNeedsTheDatabaseFile() {
        const QString folder = m_dir.filePath(QStringLiteral("dados"));
        QDir().mkpath(folder);
        const QString home = homeWithSetting5(folder);

        // The login opens the database: it tells the failure and stays up, so the built-in
        // administrator can still get in.
        BriskoProcess missing(home, m_dir.path());
        missing.exitAfter(QStringLiteral("frmAutenticacao"));
        missing.start();
        QCOMPARE(missing.waitForExit(), 0);
        QCOMPARE(missing.shownScreens(), QStringList{QStringLiteral("frmAutenticacao")});
        const auto messages = missing.messages();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages.at(0).icon, QStringLiteral("Critical"));
        QVERIFY(messages.at(0).text.startsWith(
            QStringLiteral("O programa não pode executar essa ação.")));
        QVERIFY2(!QFile::exists(folder + QStringLiteral("/Delivery.db")),
                 "a missing database must not be replaced by an empty one");
        QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("dadosDelivery.db"))));

        createDatabase(folder + QStringLiteral("/Delivery.db"));
        BriskoProcess present(home, m_dir.path());
        present.exitAfter(QStringLiteral("frmAutenticacao"));
        present.start();
        QCOMPARE(present.waitForExit(), 0);
        QVERIFY(present.messages().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "TestStartup.moc"
