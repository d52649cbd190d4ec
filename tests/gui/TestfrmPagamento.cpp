#include "orders/screens/frmPagamento.h"
#include "support/ScreenFixture.h"

#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QToolButton>

class TestfrmPagamento : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cashCountedWithNotes() {
        ScreenFixture f;
        frmPagamento screen(f.context, QStringLiteral("R$ 47,50"));
        screen.show();
        QVERIFY(screen.txtPagamento()->isVisible());
        QVERIFY(!screen.txtOutros()->isVisible());
        QVERIFY(screen.btnOk()->isDefault());
        screen.imagem("imgDinheiro")->click();
        QCOMPARE(screen.moldura("imgDinheiro")->property("larguraBorda").toInt(), 2);
        QCOMPARE(screen.moldura("imgVisa")->property("larguraBorda").toInt(), 1);
        for (int i = 0; i < 5; ++i)
            screen.imgNota("10,00")->click();
        QCOMPARE(screen.txtPagamento()->text(), QStringLiteral("50,00"));
        screen.btnOk()->click();
        QCOMPARE(screen.result(), int(QDialog::Accepted));
        QCOMPARE(*screen.pagamento(), (Pagamento{"DINHEIRO", "50,00", "2,50", false}));
    }

    void emptyCashRefused() {
        ScreenFixture f;
        frmPagamento screen(f.context, QStringLiteral("R$ 47,50"));
        screen.show();
        screen.btnOk()->click();
        QCOMPARE(f.messages.count(), 1);
        QCOMPARE(f.messages.last().icon, MessageBoxes::Icon::Information);
        QCOMPARE(f.messages.last().caption, QStringLiteral("Aviso"));
        QCOMPARE(f.messages.last().text, QStringLiteral("Informe o valor à pagar"));
        QVERIFY(screen.isVisible());
        QVERIFY(!screen.pagamento());
    }

    void cardCopiesTotal() {
        ScreenFixture f;
        frmPagamento screen(f.context, QStringLiteral("R$ 47,50"));
        screen.show();
        screen.imagem("imgMasterCrédito")->click();
        QVERIFY(!screen.isVisible());
        QCOMPARE(*screen.pagamento(),
                 (Pagamento{"MASTERCARD CRÉDITO", "R$ 47,50", "R$ 0,00", false}));
    }

    void otherMethodTyped() {
        ScreenFixture f;
        frmPagamento screen(f.context, QString());
        screen.show();
        screen.imagem("imgOutros")->click();
        QVERIFY(!screen.frmNotas()->isVisible());
        QVERIFY(screen.txtOutros()->isVisible());
        QVERIFY(screen.btnOutros()->isDefault());
        typeText(screen.txtOutros(), QStringLiteral("pix"));
        screen.btnOutros()->click();
        QCOMPARE(*screen.pagamento(), (Pagamento{"PIX", "", "R$ 0,00", false}));
    }

    void command1WritesNothing() {
        ScreenFixture f;
        frmPagamento screen(f.context, QStringLiteral("R$ 10,00"));
        screen.show();
        screen.command1()->click();
        QVERIFY(!screen.pagamento());
        QCOMPARE(screen.result(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(TestfrmPagamento)
#include "TestfrmPagamento.moc"
