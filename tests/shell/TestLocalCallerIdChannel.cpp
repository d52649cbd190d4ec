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

    // The socket goes where only the user may enter; only a telephone's frame is taken.
    void privateChannelTakesOnlyTelephones_data() {
        QTest::addColumn<int>("runtimeMode"); // -1: no runtime directory
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QByteArray>("answer");

        QTest::newRow("private runtime, mobile")
            << 0700 << QByteArray("A111987654321C") << "OK\n"_ba;
        QTest::newRow("open runtime, fixed") << 0755 << QByteArray("D11123456789#") << "OK\n"_ba;
        QTest::newRow("no runtime, words") << -1 << QByteArray("bom dia") << "RECUSADO\n"_ba;
        QTest::newRow("short frame") << -1 << QByteArray("A1C") << "RECUSADO\n"_ba;
        QTest::newRow("bare digits") << 0700 << QByteArray("11987654321") << "RECUSADO\n"_ba;
    }

    void privateChannelTakesOnlyTelephones() {
        QFETCH(int, runtimeMode);
        QFETCH(QByteArray, line);
        QFETCH(QByteArray, answer);
        QTemporaryDir runtime;
        if (runtimeMode >= 0) {
            ::chmod(qPrintable(runtime.path()), mode_t(runtimeMode));
            qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        }
        const QString name = LocalCallerIdChannel::serverName(m_home.path());
        QCOMPARE(name.startsWith(runtime.path() + u'/'), runtimeMode == 0700);
        LocalCallerIdChannel channel(name);
        QString error;
        QVERIFY2(channel.start(&error), qPrintable(error));
        struct stat folder {};
        QCOMPARE(::stat(qPrintable(QFileInfo(name).absolutePath()), &folder), 0);
        QCOMPARE(folder.st_mode & 077, 0u);

        QSignalSpy calls(&channel, &CallerIdSource::numeroRecebido);
        QLocalSocket client;
        QByteArray received;
        connect(&client, &QLocalSocket::readyRead, this, [&] { received += client.readAll(); });
        client.connectToServer(name);
        client.write(line + '\n');
        QTRY_COMPARE(received, answer);
        QCOMPARE(calls.count(), answer == "OK\n" ? 1 : 0);
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
