#include "orders/screens/frmPagamento.h"
#include "support/ScreenFixture.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
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

    // Every box is framed below the title images, a click anywhere in it chooses the method,
    // and the keyboard reaches every method: arrows and Enter, or Alt + the letter.
    void everyMethodBoxIsFramedAndChosenByKeyboard() {
        ScreenFixture f;
        frmPagamento screen(f.context, QStringLiteral("R$ 47,50"));
        showActive(&screen);
        const int imagens =
            screen.findChild<QLabel*>(QStringLiteral("imgClose"))->geometry().bottom();
        QStringList nomes{QStringLiteral("imgOutros")};
        for (const FormaPagamento& forma : formasPagamento())
            nomes << forma.imagem;
        for (const QString& nome : nomes) {
            QFrame* moldura = screen.moldura(nome);
            QVERIFY2(moldura->geometry().top() > imagens, qPrintable(nome));
            QCOMPARE(screen.imagem(nome)->geometry(), moldura->contentsRect());
            const QImage face = moldura->grab().toImage();
            QCOMPARE(face.pixelColor(0, face.height() / 2), QColor(Qt::black));
        }

        screen.imagem("imgDinheiro")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), screen.imagem("imgAmex"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(*screen.pagamento(),
                 (Pagamento{"AMERICAN EXPRESS", "R$ 47,50", "R$ 0,00", false}));

        // Alt + a letter of its own chooses each method; O stays the Ok buttons'.
        QSet<QKeySequence> teclas{QKeySequence::mnemonic(screen.btnOk()->text())};
        for (const QString& nome : nomes)
            teclas << QKeySequence::mnemonic(screen.imagem(nome)->text());
        QCOMPARE(teclas.size(), nomes.size() + 1);
        QVERIFY(!teclas.contains(QKeySequence()));
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
