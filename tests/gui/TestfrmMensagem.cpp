#include "orders/screens/frmMensagem.h"
#include "support/ScreenFixture.h"

#include <QLineEdit>
#include <QSignalSpy>

class TestfrmMensagem : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void adicionarEmitsUpperCasedTextAndCloses() {
        ScreenFixture f;
        frmMensagem screen(f.context);
        QSignalSpy spy(&screen, &frmMensagem::mensagemAdicionada);
        screen.show();
        typeText(screen.txtMensagem(), QStringLiteral("troco para ção"));
        screen.btnAdicionar()->click();
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("TROCO PARA ÇÃO"));
        QVERIFY(!screen.isVisible());
        // opening again shows an empty box
        screen.show();
        QVERIFY(screen.txtMensagem()->text().isEmpty());
    }

    void command1ClosesWithoutSignal() {
        ScreenFixture f;
        frmMensagem screen(f.context);
        QSignalSpy spy(&screen, &frmMensagem::mensagemAdicionada);
        screen.show();
        typeText(screen.txtMensagem(), QStringLiteral("abc"));
        screen.command1()->click();
        QCOMPARE(spy.count(), 0);
        QVERIFY(!screen.isVisible());
        QVERIFY(!screen.isModal());
    }
};

QTEST_MAIN(TestfrmMensagem)
#include "TestfrmMensagem.moc"
