#include "orders/screens/frmDesconto.h"
#include "support/ScreenFixture.h"

#include <QLineEdit>

class TestfrmDesconto : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void amountPreparesItem() {
        ScreenFixture f;
        frmDesconto screen(f.context, QStringLiteral("R$ 80,00"));
        screen.show();
        QCOMPARE(screen.txtDetalhe()->text(), QStringLiteral("Desconto"));
        typeText(screen.txtValor_Desconto(), QStringLiteral("5a"));
        QCOMPARE(screen.txtValor_Desconto()->text(), QStringLiteral("5"));
        screen.btnAdicionar()->click();
        QCOMPARE(screen.result(), int(QDialog::Accepted));
        QVERIFY(screen.item());
        QCOMPARE(screen.item()->produto, QStringLiteral("Desconto"));
        QCOMPARE(screen.item()->preco, QStringLiteral("R$ -5,00"));
        QCOMPARE(f.messages.count(), 0);
    }

    void percentageOfTotal() {
        ScreenFixture f;
        frmDesconto screen(f.context, QStringLiteral("R$ 80,00"));
        screen.show();
        screen.txtDetalhe()->clear();
        typeText(screen.txtDetalhe(), QStringLiteral("promo"));
        screen.txtPc_Desconto()->setText(QStringLiteral("10"));
        screen.btnAdicionar()->click();
        QCOMPARE(screen.item()->produto, QStringLiteral("% PROMO"));
        QCOMPARE(screen.item()->preco, QStringLiteral("R$ -8,00"));
    }

    void nothingTypedStaysOpen() {
        ScreenFixture f;
        frmDesconto screen(f.context, QStringLiteral("R$ 80,00"));
        screen.show();
        screen.btnAdicionar()->click();
        QCOMPARE(f.messages.count(), 1);
        QCOMPARE(f.messages.last().icon, MessageBoxes::Icon::Critical);
        QCOMPARE(f.messages.last().caption, QStringLiteral("Brisko"));
        QCOMPARE(f.messages.last().text,
                 QStringLiteral("Favor digitar um valor ou percentual de Desconto."));
        QVERIFY(screen.isVisible());
        QVERIFY(!screen.item());
    }

    void percentageWithoutTotalClosesRefused() {
        ScreenFixture f;
        frmDesconto screen(f.context, QString());
        screen.show();
        screen.txtPc_Desconto()->setText(QStringLiteral("10"));
        screen.btnAdicionar()->click();
        QCOMPARE(f.messages.last().icon, MessageBoxes::Icon::Information);
        QCOMPARE(f.messages.last().text,
                 QStringLiteral("% de Desconto não permitido para Pedido com Total Zero."));
        QVERIFY(!screen.isVisible());
        QCOMPARE(screen.result(), int(QDialog::Rejected));
        QVERIFY(!screen.item());
    }
};

QTEST_MAIN(TestfrmDesconto)
#include "TestfrmDesconto.moc"
