#include "shell/LocalCallerIdChannel.h"

#include <QSignalSpy>
#include <QUuid>
#include <QtTest>

#include <thread>

class TestLocalCallerIdChannel : public QObject {
    Q_OBJECT

    static QString uniqueName() {
        return LocalCallerIdChannel::serverName(QUuid::createUuid().toString());
    }

private Q_SLOTS:
    void clientDeliversTheNumber() {
        const QString name = uniqueName();
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
        QString error;
        QVERIFY(!enviaChamada(uniqueName(), QStringLiteral("987654321"), &error));
        QVERIFY(error.contains(QStringLiteral("não está em execução")));
        QVERIFY(!enviaChamada(uniqueName(), QStringLiteral("12"), &error));
    }

    void namesDifferPerHome() {
        QVERIFY(LocalCallerIdChannel::serverName(QStringLiteral("/a")) !=
                LocalCallerIdChannel::serverName(QStringLiteral("/b")));
        QCOMPARE(LocalCallerIdChannel::serverName(QStringLiteral("/a")),
                 LocalCallerIdChannel::serverName(QStringLiteral("/a")));
    }
};

QTEST_GUILESS_MAIN(TestLocalCallerIdChannel)
#include "TestLocalCallerIdChannel.moc"
