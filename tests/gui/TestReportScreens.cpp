// ctest-label: db
#include "management/ReportRenderer.h"
#include "management/ReportTable.h"
#include "management/screens/ReportPreview.h"
#include "management/screens/frmRelatorio_Entregador.h"
#include "management/screens/frmRelatorio_Forma_Pagamento.h"
#include "management/screens/frmRelatorio_Pedido.h"
#include "support/ScreenFixture.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

namespace {

using Icon = MessageBoxes::Icon;

ReportPreview* openPreview() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* preview = qobject_cast<ReportPreview*>(w); preview && preview->isVisible())
            return preview;
    return nullptr;
}

void closePreviews(ScriptedMessageBoxes& messages) {
    while (ReportPreview* preview = openPreview()) {
        messages.answer({true});
        preview->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

} // namespace

class TestReportScreens : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void periodCheck_data();
    void periodCheck();
    void ordersChecks_data();
    void ordersChecks();
    void previewNavigationAndClosing();

private:
    std::unique_ptr<ScreenFixture> m_f;
};

void TestReportScreens::initTestCase() {
    m_f = std::make_unique<ScreenFixture>();
    Database& db = *m_f->db;
    const QList<QVariantList> pedidos{
        {2, Database::dateValue(QDate(2024, 3, 4)), QStringLiteral("Dinheiro"), 2550,
         QStringLiteral("Ana")},
        {3, Database::dateValue(QDate(2024, 3, 5)), QStringLiteral("Cartão"), 3000,
         QStringLiteral("Bia")},
        {4, Database::dateValue(QDate(2024, 3, 6)), QStringLiteral("Pix"), 900,
         QStringLiteral("Bia")},
    };
    for (const QVariantList& p : pedidos)
        db.exec(QStringLiteral("INSERT INTO TB_Pedido (ped_ono, ped_data, ped_Forma_Pagamento, "
                               "ped_Total, ped_Entregador, ped_Status) VALUES (?, ?, ?, ?, ?, "
                               "'ENTREGUE')"),
                p);
    db.exec(QStringLiteral(
        "INSERT INTO TB_Entregador (ent_ID, ent_Nome) VALUES (1, 'Ana'), (2, 'Bia')"));
}

// Both period screens: each wrong box is told, emptied and focused; a good period reaches
// the preview with its heading and both days' orders, and the screen closes.
void TestReportScreens::periodCheck_data() {
    QTest::addColumn<bool>("entregador");
    QTest::addColumn<QString>("inicio");
    QTest::addColumn<QString>("fim");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("focused");
    QTest::newRow("no start") << false << ""
                              << "05032024"
                              << "Informe a data inicial" << int(Icon::Information)
                              << "mskData_Inicio";
    QTest::newRow("wrong start") << true << "31022024"
                                 << "05032024"
                                 << "Data inicial incorreta" << int(Icon::Warning)
                                 << "mskData_Inicio";
    QTest::newRow("no end") << false << "04032024"
                            << ""
                            << "Informe a data final" << int(Icon::Information) << "mskData_Fim";
    QTest::newRow("wrong end") << true << "04032024"
                               << "05132024"
                               << "Data final incorreta" << int(Icon::Warning) << "mskData_Fim";
    QTest::newRow("payment, two days") << false << "04032024"
                                       << "05032024"
                                       << "" << 0 << "";
    QTest::newRow("courier, two days") << true << "04032024"
                                       << "05032024"
                                       << "" << 0 << "";
}

void TestReportScreens::periodCheck() {
    QFETCH(bool, entregador);
    QFETCH(QString, inicio);
    QFETCH(QString, fim);
    QFETCH(QString, message);
    QFETCH(int, icon);
    m_f->messages.clear();
    std::unique_ptr<ComboPeriodReportBase> screen;
    if (entregador)
        screen = std::make_unique<frmRelatorio_Entregador>(m_f->context);
    else
        screen = std::make_unique<frmRelatorio_Forma_Pagamento>(m_f->context);
    screen->show();
    QCOMPARE(screen->combo()->itemText(0), QStringLiteral("TODOS"));
    QCOMPARE(screen->combo()->count(), entregador ? 3 : 4);
    screen->findChild<QRadioButton*>("optPeriodo")->click();
    auto* boxInicio = screen->findChild<QLineEdit*>("mskData_Inicio");
    auto* boxFim = screen->findChild<QLineEdit*>("mskData_Fim");
    QTest::keyClicks(boxInicio, inicio);
    QTest::keyClicks(boxFim, fim);
    screen->findChild<QPushButton*>("btnImprimir")->click();
    if (!message.isEmpty()) {
        QCOMPARE(m_f->messages.texts().last(), message);
        QCOMPARE(int(m_f->messages.last().icon), icon);
        QCOMPARE(m_f->messages.last().caption, QStringLiteral("Aviso"));
        QFETCH(QString, focused);
        auto* box = screen->findChild<QLineEdit*>(focused);
        QCOMPARE(box->displayText(), QStringLiteral("__/__/____"));
        QCOMPARE(screen->focusWidget(), static_cast<QWidget*>(box));
        QVERIFY(!openPreview());
        return;
    }
    ReportPreview* preview = openPreview();
    QVERIFY(preview);
    QVERIFY(!screen->isVisible());
    ReportLayout layout = preview->renderer().layout();
    QCOMPARE(layout.control("section4", "lblPeriodo")->text,
             QStringLiteral("Período: De 04/03/2024 a 05/03/2024"));
    QCOMPARE(preview->windowTitle(),
             entregador ? QStringLiteral("Entregador") : QStringLiteral("Forma de Pagamento"));
    const QImage page = preview->renderer().pageImage(0, 48);
    QVERIFY(!page.isNull());
    closePreviews(m_f->messages);
}

void TestReportScreens::ordersChecks_data() {
    QTest::addColumn<QString>("criterio");
    QTest::addColumn<QString>("primeiro");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("message");
    QTest::newRow("no criterion") << ""
                                  << ""
                                  << "Relatório"
                                  << "Selecione um criterio para a consulta consulta.";
    QTest::newRow("no first order") << "optPedido"
                                    << ""
                                    << "Aviso"
                                    << "Informe o pedido inicial";
    QTest::newRow("not a number") << "optPedido"
                                  << "1x"
                                  << "Aviso"
                                  << "Pedido inicial incorreto";
    QTest::newRow("empty period") << "optPeriodo"
                                  << ""
                                  << "Relatório de Vendas"
                                  << "Não existe relatório para exibir";
}

void TestReportScreens::ordersChecks() {
    QFETCH(QString, criterio);
    QFETCH(QString, primeiro);
    m_f->messages.clear();
    frmRelatorio_Pedido screen(m_f->context);
    screen.show();
    if (!criterio.isEmpty())
        screen.findChild<QRadioButton*>(criterio)->click();
    if (criterio == u"optPedido") {
        screen.findChild<QLineEdit*>("txtPedido_Inicio")->setText(primeiro);
        screen.findChild<QLineEdit*>("txtPedido_Final")->setText("3");
    } else if (criterio == u"optPeriodo") {
        QTest::keyClicks(screen.findChild<QLineEdit*>("mskData_Inicio"), "01012024");
        QTest::keyClicks(screen.findChild<QLineEdit*>("mskData_Fim"), "31012024");
    }
    m_f->messages.answer({true});
    auto* optCodigo = screen.findChild<QRadioButton*>("optCodigo");
    optCodigo->click();
    QFETCH(QString, message);
    QCOMPARE(m_f->messages.texts(), (QStringList{"Deseja visualizar o relatório?", message}));
    QTEST(m_f->messages.last().caption, "caption");
    QVERIFY(!openPreview());
    if (criterio != u"optPeriodo")
        QVERIFY(!optCodigo->isChecked());
}

// The preview turns pages by key, keeps open on No and closes on Yes.
void TestReportScreens::previewNavigationAndClosing() {
    auto rows = std::make_shared<ReportTable>(
        QStringList{"ped_Ono", "ped_Entregador", "ped_Status", "ped_Total"});
    for (int i = 0; i < 200; ++i)
        rows->append({i, QStringLiteral("Ana"), QStringLiteral("ENTREGUE"), 100});
    ReportLayout layout = reportLayouts::entregador();
    auto* preview =
        new ReportPreview(m_f->messages, std::make_unique<ReportRenderer>(layout, rows));
    preview->show();
    QVERIFY(preview->pageCount() > 2);
    QCOMPARE(preview->findChild<QLabel*>("lblPagina")->text(),
             QStringLiteral("Página 1 de %1").arg(preview->pageCount()));
    QTest::keyClick(preview, Qt::Key_PageDown);
    QCOMPARE(preview->page(), 1);
    QTest::keyClick(preview, Qt::Key_End);
    QCOMPARE(preview->page(), preview->pageCount() - 1);
    QTest::keyClick(preview, Qt::Key_Home);
    QCOMPARE(preview->page(), 0);
    const double zoom = preview->zoom();
    QTest::keyClick(preview, Qt::Key_Plus, Qt::ControlModifier);
    QVERIFY(preview->zoom() > zoom);
    m_f->messages.clear();
    m_f->messages.answer({false});
    preview->close();
    QVERIFY(preview->isVisible());
    QCOMPARE(m_f->messages.last().text, QStringLiteral("Aborta Impressão?"));
    QCOMPARE(int(m_f->messages.last().icon), int(Icon::Question));
    closePreviews(m_f->messages);
    QVERIFY(!openPreview());
}

BRISKO_DB_SCREEN_TEST_MAIN(TestReportScreens)
#include "TestReportScreens.moc"
