#include "app/DataGenerator.h"
#include "app/NewHome.h"
#include "app/SampleDataCommand.h"
#include "config/AppHome.h"
#include "config/Settings.h"
#include "shell/Authentication.h"
#include "support/TestDatabase.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run {
    int exitCode;
    QString out;
    QString err;
};

Run dadosExemplo(const QString& home, const QString& senha) {
    QProcess process;
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("BRISKO_HOME"), home);
    env.insert(QString::fromLatin1(NewHome::kSenhaVariable), senha);
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(BRISKO_EXE), {QString::fromLatin1(SampleDataCommand::kOption)});
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

qint64 rows(Database& db, const QString& sql) {
    return db.scalar(sql).toLongLong();
}

} // namespace

class TestSampleData : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // SQLite: the command makes the home and fills its own database; PostgreSQL: the home's
    // setting 5 names the server's database.
    void commandFillsTheHomesDatabaseOnceAndRefusesAfter() {
        QTemporaryDir dir;
        const AppHome home(dir.filePath(QStringLiteral("home")));
        const Run noPassword = dadosExemplo(home.root(), {});
        QCOMPARE(noPassword.exitCode, 1);
        QVERIFY(noPassword.err.contains(QStringLiteral("ainda não existe")));
        QVERIFY(!home.exists());

        TestDatabase fx;
        std::unique_ptr<Database> db;
        if (TestDatabase::engineFromEnvironment() == ConnectionSpec::Engine::Postgres) {
            db = fx.create();
            NewHome::create(home, QStringLiteral("SEGREDO"));
            Settings::write(home.iniPath(), 5, fx.locator());
        }
        const Run first = dadosExemplo(home.root(), QStringLiteral("segredo"));
        QVERIFY2(first.exitCode == 0, qPrintable(first.err));
        QVERIFY(first.out.contains(QStringLiteral("Dados de exemplo gravados: 5 categorias")));
        QVERIFY(Authentication::fromIni(home.iniPath())
                    .isAdministrador(QStringLiteral("BRISKO"), QStringLiteral("SEGREDO")));
        if (!db) {
            db = Database::open(
                ConnectionSpec::sqlite(home.dbFolder() + QStringLiteral("Delivery.db")),
                Database::OpenMode::ExistingOnly);
        }

        QCOMPARE(rows(*db, QStringLiteral("SELECT COUNT(*) FROM TB_Produto WHERE pro_Categoria = "
                                          "'TAXA DE ENTREGA'")),
                 2);
        const qint64 customers = rows(*db, QStringLiteral("SELECT COUNT(*) FROM TB_Cliente"));
        QVERIFY(customers >= 200 && customers < 1000);
        QCOMPARE(rows(*db, QStringLiteral("SELECT COUNT(DISTINCT cli_Telefone) FROM TB_Cliente")),
                 customers);
        // Every stored order adds up to its lines.
        QCOMPARE(rows(*db, QStringLiteral("SELECT COUNT(*) FROM TB_Pedido p WHERE ped_Total <> "
                                          "(SELECT SUM(ite_Total) FROM TB_Item i WHERE "
                                          "i.ite_Ono = p.ped_ono)")),
                 0);
        QSqlQuery dates =
            db->exec(QStringLiteral("SELECT ped_data FROM TB_Pedido ORDER BY ped_ono"));
        QDate previous;
        QDate first_;
        while (dates.next()) {
            const QDate day = Database::dateFrom(dates.value(0));
            QVERIFY2(!previous.isValid() || day >= previous, "dates rise with the numbers");
            if (!first_.isValid())
                first_ = day;
            previous = day;
        }
        QCOMPARE(previous, QDate::currentDate());
        QVERIFY(first_.daysTo(previous) >= 14 && first_.daysTo(previous) <= 42);
        const auto gerente = Authentication().check(*db, DataGenerator::kSampleUsers.at(0),
                                                    DataGenerator::kSamplePassword);
        QVERIFY(gerente.ok);

        const qint64 orders = rows(*db, QStringLiteral("SELECT COUNT(*) FROM TB_Pedido"));
        const Run again = dadosExemplo(home.root(), QStringLiteral("outra"));
        QCOMPARE(again.exitCode, SampleDataCommand::kRecusado);
        QCOMPARE(again.err,
                 QStringLiteral("A base de dados já contém dados: os dados de exemplo "
                                "só são gravados numa base vazia.\nNada foi alterado.\n"));
        QCOMPARE(rows(*db, QStringLiteral("SELECT COUNT(*) FROM TB_Pedido")), orders);
    }
};

BRISKO_DB_TEST_MAIN(TestSampleData)
#include "TestSampleData.moc"
