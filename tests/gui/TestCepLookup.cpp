#include "common/screens/ErrorRoutine.h"
#include "common/screens/ScreenContext.h"
#include "config/AppHome.h"
#include "config/Session.h"
#include "config/Settings.h"
#include "data/Connections.h"
#include "masterdata/CepAnswerParser.h"
#include "masterdata/screens/CepLookup.h"
#include "masterdata/screens/frmCep_Ped_Cad_Cli.h"
#include "support/LocalHttpServer.h"
#include "support/ScriptedMessageBoxes.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <memory>

using namespace std::chrono_literals;

namespace {

const QByteArray kXmlType = "text/xml; charset=iso-8859-1";

QByteArray answer(const QByteArray& children) {
    return "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?><webservicecep>" + children +
           "</webservicecep>";
}

// Latin-1 on the wire, with an accented city.
const QByteArray kCompleto =
    answer("<uf>rs</uf><cidade>S\xc3O JO\xc3O DO SUL</cidade><bairro>Passo D'Areia</bairro>"
           "<tipo_logradouro>Avenida</tipo_logradouro><logradouro>Assis Brasil</logradouro>"
           "<resultado>1</resultado><resultado_txt>sucesso - cep completo</resultado_txt>");

// The six boxes of a customer screen, as both screens hand them over.
class Harness : public QWidget {
public:
    Harness() {
        auto* layout = new QVBoxLayout(this);
        for (QWidget* w : std::initializer_list<QWidget*>{cboUF, txtCidade, txtBairro, cboTipo,
                                                          txtLogradouro, mskCEP, txtNome}) {
            layout->addWidget(w);
        }
        cboUF->setEditable(true);
        cboUF->addItems({QStringLiteral("RS"), QStringLiteral("SP")});
        cboUF->setEditText(QStringLiteral("SP"));
        cboTipo->setEditable(true);
        cboTipo->addItems({QStringLiteral("AVENIDA"), QStringLiteral("RUA")});
        cboTipo->setEditText(QStringLiteral("RUA"));
        mskCEP->setInputMask(CepLookup::kInputMask);
        txtCidade->setText(QStringLiteral("DIGITADA"));
        txtBairro->setText(QStringLiteral("CENTRO"));
        txtLogradouro->setText(QStringLiteral("DAS FLORES"));
    }

    CepTarget target() {
        return {cboUF, txtCidade, txtBairro, cboTipo, txtLogradouro, mskCEP, txtNome};
    }
    QStringList address() const {
        return {cboUF->currentText(), txtCidade->text(), txtBairro->text(), cboTipo->currentText(),
                txtLogradouro->text()};
    }

    QComboBox* cboUF = new QComboBox(this);
    QLineEdit* txtCidade = new QLineEdit(this);
    QLineEdit* txtBairro = new QLineEdit(this);
    QComboBox* cboTipo = new QComboBox(this);
    QLineEdit* txtLogradouro = new QLineEdit(this);
    QLineEdit* mskCEP = new QLineEdit(this);
    QLineEdit* txtNome = new QLineEdit(this);
};

const QStringList kTyped = {"SP", "DIGITADA", "CENTRO", "RUA", "DAS FLORES"};

bool cursorOverridden() {
    return QApplication::overrideCursor() != nullptr;
}

} // namespace

class TestCepLookup : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void maskedBoxGivesNineCharactersAndEightDigits_data();
    void maskedBoxGivesNineCharactersAndEightDigits();
    void registryLookupWritesTheAnswer_data();
    void registryLookupWritesTheAnswer();
    void registryRefusesAnIncompleteCode();
    void failedAnswerKeepsTheFieldsAndShowsTheErrorDialog_data();
    void failedAnswerKeepsTheFieldsAndShowsTheErrorDialog();
    void slowAnswerEndsAtTheTimeOutWithoutFreezing();
    void secondStartReplacesThePendingOne();
    void destroyingWhilePendingRestoresThePointer();

    void dialogControls();
    void dialogCompleteAnswer();
    void dialogNotFoundPaintsTheCodeRed();
    void dialogIncompleteCodeClosesWithoutRequest();
    void dialogErrorKeepsTheDialogOpenWithTheTypedCode();
    void dialogClosedWhilePendingWritesNothing();

private:
    void serve(const QByteArray& body, std::chrono::milliseconds delay = 0ms);
    void showHarness();
    // The dialog shown over the harness, its code typed and btnOk pressed.
    std::unique_ptr<frmCep_Ped_Cad_Cli> openDialog(const QString& typed);

    std::unique_ptr<LocalHttpServer> m_server;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<AppHome> m_home;
    std::unique_ptr<Connections> m_connections;
    Settings m_settings;
    Session m_session;
    ScriptedMessageBoxes m_messages;
    std::unique_ptr<ScreenContext> m_context;
    std::unique_ptr<Harness> m_harness;
};

void TestCepLookup::init() {
    m_server = std::make_unique<LocalHttpServer>();
    QVERIFY(m_server->start());
    m_dir = std::make_unique<QTemporaryDir>();
    m_home = std::make_unique<AppHome>(m_dir->path());
    m_connections = std::make_unique<Connections>(ConnectionSpec{});
    m_settings = Settings{};
    m_settings.gServicoCep = m_server->baseUrl().toString();
    m_messages.clear();
    m_context = std::make_unique<ScreenContext>(
        ScreenContext{m_messages, *m_connections, m_settings, m_session, *m_home});
    m_harness = std::make_unique<Harness>();
}

void TestCepLookup::cleanup() {
    m_harness.reset();
    m_context.reset();
    QVERIFY2(!cursorOverridden(), "the busy pointer was left on");
    while (cursorOverridden()) {
        QApplication::restoreOverrideCursor();
    }
    m_server.reset();
}

void TestCepLookup::serve(const QByteArray& body, std::chrono::milliseconds delay) {
    LocalHttpServer::Response response;
    response.headers.append({"Content-Type", kXmlType});
    response.body = body;
    response.delay = delay;
    m_server->setResponse(response);
}

void TestCepLookup::showHarness() {
    m_harness->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_harness.get()));
}

std::unique_ptr<frmCep_Ped_Cad_Cli> TestCepLookup::openDialog(const QString& typed) {
    auto dialog =
        std::make_unique<frmCep_Ped_Cad_Cli>(*m_context, m_harness->target(), m_harness.get());
    dialog->open();
    dialog->mskCEP()->setText(typed);
    dialog->btnOk()->click();
    return dialog;
}

void TestCepLookup::maskedBoxGivesNineCharactersAndEightDigits_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("complete");
    QTest::addColumn<QString>("digits");

    QTest::newRow("empty") << ""
                           << "_____-___" << false << "";
    QTest::newRow("seven digits") << "0100100"
                                  << "01001-00_" << false << "";
    QTest::newRow("leading zero") << "01001000"
                                  << "01001-000" << true << "01001000";
    QTest::newRow("typed with hyphen") << "91350-000"
                                       << "91350-000" << true << "91350000";
    QTest::newRow("letters are refused by the mask") << "9135a0000"
                                                     << "91350-000" << true << "91350000";
}

void TestCepLookup::maskedBoxGivesNineCharactersAndEightDigits() {
    QFETCH(QString, typed);
    QLineEdit box;
    box.setInputMask(CepLookup::kInputMask);
    box.setText(typed);

    QTEST(box.displayText(), "shown");
    QTEST(CepLookup::completo(box), "complete");
    QTEST(CepLookup::digits(box), "digits");
}

void TestCepLookup::registryLookupWritesTheAnswer_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("address");
    QTest::addColumn<QString>("cep");
    QTest::addColumn<QColor>("cepColour");

    const QColor red = CepLookup::kNotFoundText;
    const QColor black = CepLookup::kNormalText;
    QTest::newRow("complete, accented city, leading zero")
        << kCompleto << "01001000"
        << QStringList{"RS", "São João do Sul", "Passo D'Areia", "Avenida", "Assis Brasil"}
        << "01001-000" << black;
    // Elements in another order, the city-wide answer with empty street elements.
    QTest::newRow("single code for the city")
        << answer("<resultado_txt>sucesso - cep \xfanico</resultado_txt><logradouro/>"
                  "<bairro></bairro><cidade>ILHABELA</cidade><uf>sp</uf><resultado>2</resultado>")
        << "11630000" << QStringList{"SP", "Ilhabela", "CENTRO", "RUA", "DAS FLORES"} << "11630-000"
        << red;
    QTest::newRow("not found keeps what was typed")
        << answer("<uf></uf><cidade></cidade><bairro></bairro><resultado>0</resultado>"
                  "<resultado_txt>servico indisponivel/cep invalido</resultado_txt>")
        << "99999999" << kTyped << "99999-999" << red;
    QTest::newRow("element without text, the others written")
        << answer("<uf>RS</uf><cidade/><bairro>PASSO D'AREIA</bairro><tipo_logradouro>"
                  "<x/></tipo_logradouro><logradouro>DA AZENHA</logradouro><extra>1</extra>"
                  "<resultado_txt>SUCESSO - CEP COMPLETO</resultado_txt>")
        << "90160-000" << QStringList{"RS", "DIGITADA", "Passo D'Areia", "RUA", "Da Azenha"}
        << "90160-000" << black;
}

void TestCepLookup::registryLookupWritesTheAnswer() {
    QFETCH(QByteArray, body);
    QFETCH(QString, typed);
    QFETCH(QString, cep);
    serve(body);
    m_harness->mskCEP->setText(typed);
    // A red code from an earlier answer turns black only with a complete one.
    CepLookup::paintText(m_harness->mskCEP, CepLookup::kNotFoundText);
    CepLookup lookup(*m_context, m_harness->target());
    QSignalSpy finished(&lookup, &CepLookup::finished);

    QVERIFY(lookup.startFromTarget());

    QVERIFY(lookup.isPending());
    QVERIFY(cursorOverridden());
    QVERIFY(finished.wait(5000));
    QVERIFY(!cursorOverridden());
    QCOMPARE(m_server->requestTargets(),
             QStringList{
                 QStringLiteral("/web_cep.php?cep=%1&formato=xml").arg(QString(cep).remove(u'-'))});
    QCOMPARE(m_messages.count(), 0);
    QTEST(m_harness->address(), "address");
    QCOMPARE(m_harness->mskCEP->displayText(), cep);
    QTEST(CepLookup::textColour(m_harness->mskCEP), "cepColour");
}

void TestCepLookup::registryRefusesAnIncompleteCode() {
    serve(kCompleto);
    m_harness->mskCEP->setText(QStringLiteral("0100100"));
    CepLookup lookup(*m_context, m_harness->target());
    QSignalSpy finished(&lookup, &CepLookup::finished);

    QVERIFY(!lookup.startFromTarget());

    QVERIFY(!lookup.isPending());
    QVERIFY(!cursorOverridden());
    QCOMPARE(m_messages.count(), 1);
    QCOMPARE(m_messages.last().icon, MessageBoxes::Icon::Warning);
    QCOMPARE(m_messages.last().caption, QStringLiteral("Brisko"));
    QCOMPARE(m_messages.last().text,
             QStringLiteral("Digite o CEP com 8 Digitos e apenas Números."));
    QVERIFY(!finished.wait(300));
    QCOMPARE(m_server->requestCount(), 0);
}

void TestCepLookup::failedAnswerKeepsTheFieldsAndShowsTheErrorDialog_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("mentions");

    QTest::newRow("malformed") << kCompleto.chopped(25) << "XML";
    QTest::newRow("no result text") << answer("<uf>RS</uf><cidade>CANOAS</cidade>") << "resultado";
}

void TestCepLookup::failedAnswerKeepsTheFieldsAndShowsTheErrorDialog() {
    QFETCH(QByteArray, body);
    QFETCH(QString, mentions);
    serve(body);
    m_harness->mskCEP->setText(QStringLiteral("01001000"));
    const QColor before = CepLookup::textColour(m_harness->mskCEP);
    CepLookup lookup(*m_context, m_harness->target());
    QSignalSpy finished(&lookup, &CepLookup::finished);

    QVERIFY(lookup.startFromTarget());
    QVERIFY(finished.wait(5000));

    QVERIFY(finished.at(0).at(0).value<CepResult>().isError());
    QCOMPARE(m_harness->address(), kTyped);
    QCOMPARE(m_harness->mskCEP->displayText(), QStringLiteral("01001-000"));
    QCOMPARE(CepLookup::textColour(m_harness->mskCEP), before);
    QCOMPARE(m_messages.count(), 1);
    QCOMPARE(m_messages.last().icon, MessageBoxes::Icon::Critical);
    QCOMPARE(m_messages.last().text,
             errorDialogText(*finished.at(0).at(0).value<CepResult>().error));
    QVERIFY2(m_messages.last().text.contains(mentions), qPrintable(m_messages.last().text));
}

void TestCepLookup::slowAnswerEndsAtTheTimeOutWithoutFreezing() {
    serve(kCompleto, 1500ms);
    m_harness->mskCEP->setText(QStringLiteral("01001000"));
    CepLookup lookup(*m_context, m_harness->target());
    lookup.setTimeout(300ms);
    QSignalSpy finished(&lookup, &CepLookup::finished);
    int ticks = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, this, [&ticks] { ++ticks; });
    ticker.start(20);
    QElapsedTimer clock;
    clock.start();

    QVERIFY(lookup.startFromTarget());
    const qint64 returnedAfter = clock.elapsed();
    QVERIFY(finished.wait(1200));

    QVERIFY(returnedAfter < 100);
    QVERIFY(clock.elapsed() >= 250);
    QVERIFY2(ticks >= 5, qPrintable(QString::number(ticks)));
    QVERIFY(!cursorOverridden());
    QCOMPARE(m_messages.count(), 1);
    QVERIFY(m_messages.last().text.contains(QStringLiteral("300 ms")));
    QCOMPARE(m_harness->address(), kTyped);
    // The late answer writes nothing.
    QVERIFY(!finished.wait(1600));
    QCOMPARE(m_harness->address(), kTyped);
}

void TestCepLookup::secondStartReplacesThePendingOne() {
    serve(kCompleto, 200ms);
    CepLookup lookup(*m_context, m_harness->target());
    QSignalSpy finished(&lookup, &CepLookup::finished);

    lookup.start(QStringLiteral("91350000"));
    lookup.start(QStringLiteral("01001000"));

    QVERIFY(finished.wait(5000));
    QVERIFY(!finished.wait(500));
    QCOMPARE(finished.count(), 1);
    QCOMPARE(m_harness->mskCEP->displayText(), QStringLiteral("01001-000"));
    QVERIFY(!cursorOverridden());
}

void TestCepLookup::destroyingWhilePendingRestoresThePointer() {
    serve(kCompleto, 300ms);
    auto lookup = std::make_unique<CepLookup>(*m_context, m_harness->target());
    lookup->start(QStringLiteral("01001000"));
    QVERIFY(cursorOverridden());

    lookup.reset();

    QVERIFY(!cursorOverridden());
    QTest::qWait(600);
    QCOMPARE(m_harness->address(), kTyped);
    QCOMPARE(m_messages.count(), 0);
}

void TestCepLookup::dialogControls() {
    frmCep_Ped_Cad_Cli dialog(*m_context, m_harness->target(), m_harness.get());

    QCOMPARE(dialog.windowTitle(), QStringLiteral("Localizar Endereço"));
    QVERIFY(!(dialog.windowFlags() & Qt::FramelessWindowHint));
    QVERIFY(dialog.isModal());
    QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("Label1"))->text(), QStringLiteral("CEP"));
    QCOMPARE(dialog.mskCEP()->displayText(), QStringLiteral("_____-___"));
    QCOMPARE(dialog.btnOk()->text(), QStringLiteral("Incluir"));
    QVERIFY(dialog.btnOk()->isDefault());
    for (int i = 0; i < 2; ++i) {
        QLabel* status = dialog.findChild<QLabel*>(QStringLiteral("LblStatusCEP_%1").arg(i));
        QCOMPARE(status, dialog.lblStatusCEP(i));
        QCOMPARE(status->text(), QStringLiteral("Status:"));
        QVERIFY(status->isHidden());
        QCOMPARE(status->parentWidget(), dialog.fraTelefone());
    }
    QCOMPARE(dialog.mskCEP()->parentWidget(), dialog.fraTelefone());
}

void TestCepLookup::dialogCompleteAnswer() {
    serve(kCompleto, 100ms);
    showHarness();
    CepLookup::paintText(m_harness->mskCEP, CepLookup::kNotFoundText);

    auto dialog = openDialog(QStringLiteral("01001000"));
    QVERIFY(dialog->lookup().isPending());
    QVERIFY(dialog->isVisible());
    QVERIFY(dialog->lblStatusCEP(0)->isVisible());
    QVERIFY(dialog->lblStatusCEP(1)->isVisible());
    QSignalSpy finished(&dialog->lookup(), &CepLookup::finished);
    QVERIFY(finished.wait(5000));

    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->lblStatusCEP(1)->text(), QStringLiteral("SUCESSO - CEP COMPLETO"));
    QCOMPARE(dialog->lblStatusCEP(1)->palette().color(QPalette::WindowText),
             CepLookup::kNormalText);
    QCOMPARE(m_harness->address(),
             (QStringList{"RS", "São João do Sul", "Passo D'Areia", "Avenida", "Assis Brasil"}));
    QCOMPARE(m_harness->mskCEP->displayText(), QStringLiteral("01001-000"));
    QCOMPARE(CepLookup::textColour(m_harness->mskCEP), CepLookup::kNormalText);
    QCOMPARE(m_harness->focusWidget(), m_harness->txtNome);
    QCOMPARE(m_messages.count(), 0);
}

void TestCepLookup::dialogNotFoundPaintsTheCodeRed() {
    serve(answer("<uf>SP</uf><cidade></cidade><resultado>0</resultado>"
                 "<resultado_txt>servi\xe7o indispon\xedvel/cep inv\xe1lido</resultado_txt>"));
    showHarness();
    m_harness->mskCEP->setText(QStringLiteral("12345"));

    auto dialog = openDialog(QStringLiteral("99999-999"));
    QSignalSpy finished(&dialog->lookup(), &CepLookup::finished);
    QVERIFY(finished.wait(5000));

    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->lblStatusCEP(1)->text(), QStringLiteral("SERVIÇO INDISPONÍVEL/CEP INVÁLIDO"));
    QCOMPARE(CepLookup::textColour(m_harness->mskCEP), QColor(255, 0, 0));
    // The customer's code is not rewritten; the fields with text are.
    QCOMPARE(m_harness->mskCEP->text(), QStringLiteral("12345-"));
    QCOMPARE(m_harness->address(), (QStringList{"SP", "DIGITADA", "CENTRO", "RUA", "DAS FLORES"}));
    QCOMPARE(m_harness->focusWidget(), m_harness->txtNome);
    QCOMPARE(m_messages.count(), 0);
}

void TestCepLookup::dialogIncompleteCodeClosesWithoutRequest() {
    serve(kCompleto);
    showHarness();

    auto dialog = openDialog(QStringLiteral("0100"));

    QVERIFY(!dialog->isVisible());
    QVERIFY(!dialog->lookup().isPending());
    QVERIFY(dialog->lblStatusCEP(1)->isHidden());
    QCOMPARE(m_messages.count(), 1);
    QCOMPARE(m_messages.last().icon, MessageBoxes::Icon::Warning);
    QCOMPARE(m_messages.last().caption, QStringLiteral("Localizar CEP ON-Line"));
    QCOMPARE(m_messages.last().text, QStringLiteral("Digite o CEP com 8 Digitos e apenas Numeros"));
    QCOMPARE(m_harness->focusWidget(), m_harness->txtNome);
    QTest::qWait(200);
    QCOMPARE(m_server->requestCount(), 0);
    QCOMPARE(m_harness->address(), kTyped);
}

void TestCepLookup::dialogErrorKeepsTheDialogOpenWithTheTypedCode() {
    LocalHttpServer::Response response;
    response.status = 500;
    response.reason = "Erro";
    response.body = "<h1>falha</h1>";
    m_server->setResponse(response);
    showHarness();
    m_harness->mskCEP->setText(QStringLiteral("01001000"));

    auto dialog = openDialog(QStringLiteral("01001000"));
    QSignalSpy finished(&dialog->lookup(), &CepLookup::finished);
    QVERIFY(finished.wait(5000));

    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->mskCEP()->text(), QStringLiteral("01001-000"));
    QCOMPARE(m_messages.count(), 1);
    QCOMPARE(m_messages.last().icon, MessageBoxes::Icon::Critical);
    QVERIFY(m_messages.last().text.contains(QStringLiteral("HTTP 500")));
    QCOMPARE(m_harness->address(), kTyped);
    QCOMPARE(dialog->lblStatusCEP(1)->text(), QStringLiteral("Status:"));
}

void TestCepLookup::dialogClosedWhilePendingWritesNothing() {
    serve(kCompleto, 400ms);
    showHarness();
    m_harness->mskCEP->setText(QStringLiteral("12345"));

    auto dialog = openDialog(QStringLiteral("01001000"));
    QVERIFY(dialog->lookup().isPending());
    QSignalSpy finished(&dialog->lookup(), &CepLookup::finished);
    QTest::keyClick(dialog.get(), Qt::Key_Escape);

    QVERIFY(!dialog->isVisible());
    QVERIFY(!dialog->lookup().isPending());
    QVERIFY(!cursorOverridden());
    QVERIFY(!finished.wait(900));
    QCOMPARE(m_harness->address(), kTyped);
    QCOMPARE(m_harness->mskCEP->text(), QStringLiteral("12345-"));
    QCOMPARE(m_messages.count(), 0);
}

QTEST_MAIN(TestCepLookup)
#include "TestCepLookup.moc"
