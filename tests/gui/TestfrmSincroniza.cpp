// ctest-label: db
#include "config/IniFile.h"
#include "data/Transaction.h"
#include "shell/screens/BackupOnLine.h"
#include "shell/screens/frmSincroniza.h"
#include "support/RemoteTestServer.h"
#include "support/ScreenFixture.h"

#include <QLabel>
#include <QProgressBar>
#include <QTcpServer>

namespace {

void configure(const AppHome& home, const QString& empresa, const QString& remote) {
    Settings::write(home.iniPath(), 14, empresa);
    GravaIni(home.iniPath(), Settings::kSection, Settings::kServidorRemotoKey, remote);
}

void seedOrders(Database& db, int count) {
    Transaction transaction(db);
    QSqlQuery order = db.prepare(QStringLiteral("INSERT INTO TB_Pedido (ped_ono, ped_Status) "
                                                "VALUES (?, 'CONCLUIDO')"));
    QSqlQuery item =
        db.prepare(QStringLiteral("INSERT INTO TB_Item (ite_Ono, ite_Nome) VALUES (?, ?)"));
    for (int ono = 1; ono <= count; ++ono) {
        db.execPrepared(order, {ono});
        for (int line = 0; line < 3; ++line)
            db.execPrepared(item, {ono, QStringLiteral("ITEM %1").arg(line)});
    }
    order.finish();
    item.finish();
    transaction.commit();
}

} // namespace

class TestfrmSincroniza : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The menu says what is missing and opens nothing; the exit sequence says nothing.
    void missingSettingsAreSaidOnTheMenuOnly_data() {
        QTest::addColumn<QString>("empresa");
        QTest::addColumn<QString>("remote");
        QTest::addColumn<QString>("expected");
        const QString head = QStringLiteral("Backup OnLine não configurado:\n");
        const QString noCode =
            QStringLiteral("falta o código da empresa (chave 14 de Configuracao.ini).");
        const QString noServer =
            QStringLiteral("falta o servidor remoto (chave ServidorRemoto de Configuracao.ini).");
        QTest::newRow("nada") << ""
                              << "" << head + noCode + QLatin1Char('\n') + noServer;
        QTest::newRow("sem servidor") << "7"
                                      << "" << head + noServer;
        QTest::newRow("código não numérico")
            << "7A"
            << "postgresql://u:p@h/db"
            << head + QStringLiteral("o código da empresa (chave 14 de Configuracao.ini) não é "
                                     "um número inteiro.");
        QTest::newRow("chave sem forma")
            << "7"
            << "servidor.exemplo.com.br"
            << head + QStringLiteral("a chave ServidorRemoto de Configuracao.ini não é um "
                                     "endereço postgresql:// nem uma conexão ODBC.");
    }
    void missingSettingsAreSaidOnTheMenuOnly() {
        QFETCH(QString, empresa);
        QFETCH(QString, remote);
        QFETCH(QString, expected);
        ScreenFixture f;
        configure(f.home, empresa, remote);
        QVERIFY(!ExecutaBackupOnLine(f.context, nullptr, BackupOnLineOrigem::Saida));
        QCOMPARE(f.messages.count(), 0);
        QVERIFY(!ExecutaBackupOnLine(f.context, nullptr, BackupOnLineOrigem::Menu));
        QCOMPARE(f.messages.texts(), QStringList{expected});
        QCOMPARE(f.messages.last().caption, QStringLiteral("Aviso"));
    }

    // The window shows the tables and rows going, refuses to close meanwhile, and closes
    // itself at the end; a server that cannot be reached is reported without its password.
    void runsWithProgressAndCannotBeClosed_data() {
        QTest::addColumn<bool>("reachable");
        QTest::newRow("servidor no ar") << true;
        QTest::newRow("porta fechada") << false;
    }
    void runsWithProgressAndCannotBeClosed() {
        QFETCH(bool, reachable);
        if (!RemoteTestServer::available())
            QSKIP("BRISKO_TEST_PG is not set: the remote server is PostgreSQL");
        ScreenFixture f;
        const RemoteTestServer remote;
        seedOrders(*f.db, 3000);
        QString uri = remote.uri(1);
        if (!reachable) {
            QTcpServer closed;
            QVERIFY(closed.listen(QHostAddress::LocalHost));
            uri.replace(QStringLiteral(":%1/").arg(QUrl(uri).port()),
                        QStringLiteral(":%1/").arg(closed.serverPort()));
        }
        configure(f.home, QStringLiteral("1"), uri);

        QStringList seen;
        QList<int> rowValues;
        bool refused = false;
        onNextDialog<frmSincroniza>([&](frmSincroniza& screen) {
            auto* sampler = new QTimer(&screen);
            QObject::connect(sampler, &QTimer::timeout, &screen, [&] {
                const QString text =
                    screen.findChild<QLabel*>(QStringLiteral("lblProcesso"))->text();
                if (seen.isEmpty() || seen.last() != text)
                    seen << text;
                rowValues << screen.findChild<QProgressBar*>(QStringLiteral("pbTabela"))->value();
                if (!refused && screen.isRunning()) {
                    screen.close();
                    refused = screen.isVisible();
                }
            });
            sampler->start(1);
        });
        const bool done = ExecutaBackupOnLine(f.context, nullptr, BackupOnLineOrigem::Menu);
        QCOMPARE(done, reachable);
        if (!reachable) {
            QCOMPARE(f.messages.count(), 1);
            QCOMPARE(f.messages.last().caption, QStringLiteral("Backup OnLine"));
            QVERIFY(f.messages.last().text.startsWith(
                QStringLiteral("Não foi possível conectar ao servidor remoto PostgreSQL %1@")
                    .arg(remote.login(1))));
            QVERIFY(!f.messages.last().text.contains(remote.password(1)));
            return;
        }
        QCOMPARE(f.messages.count(), 0);
        QVERIFY(refused);
        QVERIFY2(seen.contains(QStringLiteral("Aguarde efetuando backup 4 de 7")),
                 qPrintable(seen.join(',')));
        QVERIFY(std::any_of(rowValues.cbegin(), rowValues.cend(),
                            [](int v) { return v > 0 && v < 9000; }));
        QCOMPARE(remote.scalar(QStringLiteral("SELECT COUNT(*) FROM tb_item")).toInt(), 9000);
        QCOMPARE(
            f.db->scalar(QStringLiteral("SELECT COUNT(*) FROM TB_Item WHERE fl_sincroniza = 'N'"))
                .toInt(),
            9000);
    }
};

BRISKO_DB_SCREEN_TEST_MAIN(TestfrmSincroniza)
#include "TestfrmSincroniza.moc"
