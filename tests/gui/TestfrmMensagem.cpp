#include "orders/screens/frmMensagem.h"
#include "support/ScreenFixture.h"

#include <QPlainTextEdit>
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
        QVERIFY(screen.txtMensagem()->toPlainText().isEmpty());

        typeText(screen.txtMensagem(), QStringLiteral("abc"));
        screen.command1()->click();
        QCOMPARE(spy.count(), 1);
        QVERIFY(!screen.isVisible());
        QVERIFY(!screen.isModal());
    }

    // The whole message is seen as the receipt prints it: 48 characters a line, 144 at most,
    // one line; Enter adds it.
    void theWholeMessageIsSeenAndEnterAddsIt() {
        ScreenFixture f;
        frmMensagem screen(f.context);
        QSignalSpy spy(&screen, &frmMensagem::mensagemAdicionada);
        screen.show();
        QPlainTextEdit* box = screen.txtMensagem();
        const QFontMetrics metrics(box->font());
        QVERIFY(box->viewport()->width() >= metrics.horizontalAdvance(QString(48, u'M')));
        QVERIFY(box->viewport()->height() >= 3 * metrics.lineSpacing());
        typeText(box, QString(150, u'x'));
        QCOMPARE(box->toPlainText(), QString(144, u'X'));
        box->setPlainText(QStringLiteral("A\nB"));
        QCOMPARE(box->toPlainText(), QStringLiteral("A B"));
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("A B"));
    }
};

QTEST_MAIN(TestfrmMensagem)
#include "TestfrmMensagem.moc"
