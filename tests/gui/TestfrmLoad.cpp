#include "app/Settings.h"
#include "app/screens/frmLoad.h"
#include "support/ScriptedMessageBoxes.h"

#include <QLabel>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

class TestfrmLoad : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void showsVersionOwnerAndBusiness() {
        ScriptedMessageBoxes messages;
        Settings settings;
        settings.gNomeProprietario = QStringLiteral("José da Silva");
        settings.gNomeEmpresa = QStringLiteral("Pizzaria Coração");
        frmLoad load(messages, settings);
        QCOMPARE(load.findChild<QLabel*>(QStringLiteral("lblVersion"))->text(),
                 QStringLiteral("Versão %1.%2.%3")
                     .arg(BRISKO_VERSION_MAJOR)
                     .arg(BRISKO_VERSION_MINOR)
                     .arg(BRISKO_VERSION_PATCH));
        QCOMPARE(load.findChild<QLabel*>(QStringLiteral("lblProprietario"))->text(),
                 settings.gNomeProprietario);
        QCOMPARE(load.findChild<QLabel*>(QStringLiteral("lblEmpresa"))->text(),
                 settings.gNomeEmpresa);
        QVERIFY(!load.titleButtons());
        QCOMPARE(load.options().radius, 20);
        QCOMPARE(load.Timer1()->interval(), 15);
        QVERIFY(!load.Timer1()->isActive());
    }

    void progressCountsOneToHundredThenHandsOverOnce() {
        ScriptedMessageBoxes messages;
        frmLoad load(messages, Settings{});
        QSignalSpy done(&load, &frmLoad::concluido);
        for (int i = 1; i <= 100; ++i) {
            QCOMPARE(done.count(), 0);
            load.Timer1_Timer();
            QCOMPARE(load.pb1()->value(), i);
            QCOMPARE(load.Label2()->text(), QString::number(i) + QStringLiteral("% Carregando..."));
        }
        QCOMPARE(done.count(), 1);
        load.Timer1_Timer();
        QCOMPARE(load.pb1()->value(), 100);
        QCOMPARE(done.count(), 1);
        QVERIFY(messages.messages().isEmpty());
    }

    void showingStartsTheTimerAndTheScreenClosesAtTheEnd() {
        ScriptedMessageBoxes messages;
        frmLoad load(messages, Settings{});
        QSignalSpy done(&load, &frmLoad::concluido);
        load.show();
        QVERIFY(load.Timer1()->isActive());
        QVERIFY(done.wait(5000));
        QTRY_VERIFY(!load.isVisible());
        QVERIFY(!load.Timer1()->isActive());
    }
};

QTEST_MAIN(TestfrmLoad)
#include "TestfrmLoad.moc"
