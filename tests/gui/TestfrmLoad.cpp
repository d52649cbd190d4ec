#include "app/screens/frmLoad.h"
#include "config/Settings.h"
#include "shell/CallerId.h"
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

    void callerIdWarningShowsOnceBeforeTheBarAndOnlyForUpperCaseS() {
        const QString semPlaca =
            QStringLiteral("O Sistema não identificou uma placa de SOM ou a mesma não esta "
                           "funcionando.\nO programa sera inicializado sem a função de "
                           "identificação automatica.");
        struct Case {
            QString identifica;
            QList<QString> dispositivos;
            QString expected; // empty: nothing shown
        };
        const QList<Case> cases = {
            {QStringLiteral("S"), {}, semPlaca},
            {QStringLiteral("S"), {QStringLiteral("Microfone USB")}, avisoComponente()},
            {QStringLiteral("S"), {QStringLiteral("Entrada de linha")}, {}},
            {QStringLiteral("s"), {}, {}},
        };
        for (const Case& c : cases) {
            ScriptedMessageBoxes messages;
            Settings settings;
            settings.gIdentificaChamada = c.identifica;
            settings.gDispositivoChamada = QStringLiteral("Entrada de linha");
            frmLoad load(messages, settings);
            load.setDispositivosDeEntrada(c.dispositivos);
            QVERIFY(messages.messages().isEmpty());
            load.show();
            QVERIFY(load.Timer1()->isActive());
            load.hide();
            load.show(); // shown again: no second warning
            if (c.expected.isEmpty()) {
                QVERIFY2(messages.messages().isEmpty(), qPrintable(c.identifica));
                continue;
            }
            QCOMPARE(messages.messages().size(), 1);
            const auto& m = messages.messages().first();
            QCOMPARE(m.icon, MessageBoxes::Icon::None);
            QCOMPARE(m.caption, QStringLiteral("Brisko"));
            QCOMPARE(m.text, c.expected);
            QVERIFY(!m.question);
        }
    }
};

QTEST_MAIN(TestfrmLoad)
#include "TestfrmLoad.moc"
