#include "config/IniFile.h"
#include "orders/screens/frmImpressora.h"
#include "support/ScreenFixture.h"

#include <QLineEdit>

class TestfrmImpressora : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void opensWithSetting6AndSaves() {
        ScreenFixture f;
        f.home.createDefault();
        frmImpressora screen(f.context);
        QCOMPARE(screen.txtImpressora()->text(), QStringLiteral("CUPOM"));
        screen.txtImpressora()->clear();
        screen.txtImpressora()->setFocus();
        typeText(screen.txtImpressora(), QStringLiteral("/dev/usb/lp0"));
        QCOMPARE(screen.txtImpressora()->text(), QStringLiteral("/DEV/USB/LP0"));
        screen.show();
        screen.btnAdicionar()->click();
        QCOMPARE(LeIni(f.home.iniPath(), Settings::kSection, QStringLiteral("6")),
                 QStringLiteral("/DEV/USB/LP0"));
        QCOMPARE(f.settings.gImpressora, QStringLiteral("/DEV/USB/LP0"));
        QCOMPARE(f.messages.count(), 1);
        QCOMPARE(f.messages.last().icon, MessageBoxes::Icon::Information);
        QCOMPARE(f.messages.last().caption, QStringLiteral("Brisko"));
        QCOMPARE(f.messages.last().text,
                 QStringLiteral("Impressora /DEV/USB/LP0 Cadastrada com sucesso.  "));
        QVERIFY(!screen.isVisible());
    }

    void command1ClosesWithoutSaving() {
        ScreenFixture f;
        f.home.createDefault();
        frmImpressora screen(f.context);
        screen.show();
        screen.txtImpressora()->setText(QStringLiteral("OUTRA"));
        screen.command1()->click();
        QVERIFY(!screen.isVisible());
        QCOMPARE(LeIni(f.home.iniPath(), Settings::kSection, QStringLiteral("6")),
                 QStringLiteral("CUPOM"));
        QCOMPARE(f.messages.count(), 0);
    }
};

BRISKO_DB_SCREEN_TEST_MAIN(TestfrmImpressora)
#include "TestfrmImpressora.moc"
