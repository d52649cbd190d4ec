#include "shell/LocalCallerIdChannel.h"

#include <QFileInfo>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <thread>

using namespace Qt::StringLiterals;

class TestLocalCallerIdChannel : public QObject {
    Q_OBJECT

    QTemporaryDir m_home;

private Q_SLOTS:
    void init() { qunsetenv("XDG_RUNTIME_DIR"); }

    void socketLivesInAPrivateDirectory_data() {
        QTest::addColumn<int>("runtimeMode"); // -1: no runtime directory
        QTest::addColumn<bool>("inRuntime");

        QTest::newRow("private runtime directory") << 0700 << true;
        QTest::newRow("runtime directory others may enter") << 0755 << false;
        QTest::newRow("no runtime directory") << -1 << false;
    }

    void socketLivesInAPrivateDirectory() {
        QFETCH(int, runtimeMode);
        QFETCH(bool, inRuntime);
        QTemporaryDir runtime;
        QTemporaryDir home;
        if (runtimeMode >= 0) {
            ::chmod(qPrintable(runtime.path()), mode_t(runtimeMode));
            qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        }
        const QString name = LocalCallerIdChannel::serverName(home.path());
        QCOMPARE(name.startsWith(runtime.path() + u'/'), inRuntime);
        QCOMPARE(name.startsWith(home.path() + u'/'), !inRuntime);

        LocalCallerIdChannel channel(name);
        QString error;
        QVERIFY2(channel.start(&error), qPrintable(error));
        struct stat folder {};
        QCOMPARE(::stat(qPrintable(QFileInfo(name).absolutePath()), &folder), 0);
        QCOMPARE(folder.st_mode & 077, 0u);
        QVERIFY(QFileInfo::exists(name));
    }

    void onlyTelephonesAreTaken_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QByteArray>("answer");

        QTest::newRow("mobile frame") << QByteArray("A111987654321C\n") << QByteArray("OK\n");
        QTest::newRow("fixed frame") << QByteArray("D11123456789#\n") << QByteArray("OK\n");
        QTest::newRow("words") << QByteArray("bom dia\n") << QByteArray("RECUSADO\n");
        QTest::newRow("frame too short") << QByteArray("A1C\n") << QByteArray("RECUSADO\n");
        QTest::newRow("bare digits") << QByteArray("11987654321\n") << QByteArray("RECUSADO\n");
        QTest::newRow("empty line") << QByteArray("\n") << QByteArray("RECUSADO\n");
    }

    void onlyTelephonesAreTaken() {
        QFETCH(QByteArray, line);
        QFETCH(QByteArray, answer);
        const QString name = LocalCallerIdChannel::serverName(m_home.path());
        LocalCallerIdChannel channel(name);
        QVERIFY(channel.start(nullptr));
        QSignalSpy calls(&channel, &CallerIdSource::numeroRecebido);
        QLocalSocket client;
        QByteArray received;
        connect(&client, &QLocalSocket::readyRead, this, [&] { received += client.readAll(); });
        client.connectToServer(name);
        client.write(line);

        QTRY_COMPARE(received, answer);
        QCOMPARE(calls.count(), answer == "OK\n" ? 1 : 0);
        if (!calls.isEmpty()) {
            QCOMPARE(calls.first().first().toByteArray() + '\n', line);
        }
    }

    void clientDeliversTheNumber() {
        const QString name = LocalCallerIdChannel::serverName(m_home.path());
        LocalCallerIdChannel channel(name);
        QString error;
        QVERIFY2(channel.start(&error), qPrintable(error));
        QSignalSpy calls(&channel, &CallerIdSource::numeroRecebido);

        bool sent = false;
        QString sendError;
        std::thread client(
            [&] { sent = enviaChamada(name, QStringLiteral("(11) 98765-4321"), &sendError); });
        QTRY_COMPARE(calls.count(), 1);
        client.join();
        QVERIFY2(sent, qPrintable(sendError));
        QCOMPARE(calls.at(0).at(0).toString(), QStringLiteral("A111987654321C"));

        // A second copy on the same name is refused; the first keeps listening.
        LocalCallerIdChannel second(name);
        QVERIFY(!second.start(&error));
        QVERIFY(error.contains(name));
    }

    void noProgramListeningIsAnError() {
        QTemporaryDir home;
        const QString name = LocalCallerIdChannel::serverName(home.path());
        QString error;
        QVERIFY(!enviaChamada(name, QStringLiteral("987654321"), &error));
        QVERIFY(error.contains(QStringLiteral("não está em execução")));
        QVERIFY(!enviaChamada(name, QStringLiteral("12"), &error));
    }

    void namesDifferPerHome() {
        QTemporaryDir runtime;
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        QVERIFY(LocalCallerIdChannel::serverName(QStringLiteral("/a")) !=
                LocalCallerIdChannel::serverName(QStringLiteral("/b")));
        QCOMPARE(LocalCallerIdChannel::serverName(QStringLiteral("/a")),
                 LocalCallerIdChannel::serverName(QStringLiteral("/a")));
    }
};

QTEST_GUILESS_MAIN(TestLocalCallerIdChannel)
#include "TestLocalCallerIdChannel.moc"
