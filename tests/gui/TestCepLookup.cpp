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

using namespace Qt::StringLiterals;

using namespace std::chrono_literals;

namespace {

QByteArray answer(const QByteArray& children) {
    return "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?><webservicecep>" + children +
           "</webservicecep>";
}

// Latin-1 on the wire, with an accented city.
const QByteArray kCompleto =
    answer("<uf>rs</uf><cidade>S\xc3O JO\xc3O DO SUL</cidade><bairro>Passo D'Areia</bairro>"
           "<tipo_logradouro>Avenida</tipo_logradouro><logradouro>Assis Brasil</logradouro>"
           "<resultado>1</resultado><resultado_txt>sucesso - cep completo</resultado_txt>");
const QStringList kCompletoAddress = {"RS", "São João do Sul", "Passo D'Areia", "Avenida",
                                      "Assis Brasil"};
const QStringList kTyped = {"SP", "DIGITADA", "CENTRO", "RUA", "DAS FLORES"};

// The boxes of a customer screen, as both screens hand them over.
class Harness : public QWidget {
public:
    Harness() {
        auto* layout = new QVBoxLayout(this);
        for (QWidget* w : std::initializer_list<QWidget*>{cboUF, txtCidade, txtBairro, cboTipo,
                                                          txtLogradouro, mskCEP, txtNome})
            layout->addWidget(w);
        for (QComboBox* box : {cboUF, cboTipo})
            box->setEditable(true);
        cboUF->addItems({u"RS"_s, u"SP"_s});
        cboTipo->addItems({u"AVENIDA"_s, u"RUA"_s});
        cboUF->setEditText(kTyped[0]);
        txtCidade->setText(kTyped[1]);
        txtBairro->setText(kTyped[2]);
        cboTipo->setEditText(kTyped[3]);
        txtLogradouro->setText(kTyped[4]);
        mskCEP->setInputMask(CepLookup::kInputMask);
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

bool cursorOverridden() {
    return QApplication::overrideCursor() != nullptr;
}

} // namespace

class TestCepLookup : public QObject {
    Q_OBJECT

    std::unique_ptr<LocalHttpServer> m_server;
    QTemporaryDir m_dir;
    AppHome m_home{m_dir.path()};
    Connections m_connections{ConnectionSpec{}};
    Settings m_settings;
    Session m_session;
    ScriptedMessageBoxes m_messages;
    ScreenContext m_context{m_messages, m_connections, m_settings, m_session, m_home};
    std::unique_ptr<Harness> m_harness;

    void serve(const QByteArray& body, std::chrono::milliseconds delay = 0ms, int status = 200) {
        LocalHttpServer::Response response;
        response.status = status;
        if (status != 200)
            response.reason = "Erro";
        response.headers.append({"Content-Type", QByteArray("text/xml; charset=iso-8859-1")});
        response.body = body;
        response.delay = delay;
        m_server->setResponse(response);
    }
    // The dialog shown over the harness, its code typed and btnOk pressed.
    std::unique_ptr<frmCep_Ped_Cad_Cli> openDialog(const QString& typed) {
        m_harness->show();
        if (!QTest::qWaitForWindowExposed(m_harness.get()))
            qFatal("harness not shown");
        auto dialog =
            std::make_unique<frmCep_Ped_Cad_Cli>(m_context, m_harness->target(), m_harness.get());
        dialog->open();
        dialog->mskCEP()->setText(typed);
        dialog->btnOk()->click();
        return dialog;
    }

private Q_SLOTS:
    void init() {
        m_server = std::make_unique<LocalHttpServer>();
        QVERIFY(m_server->start());
        m_settings.gServicoCep = m_server->baseUrl().toString();
        m_messages.clear();
        m_harness = std::make_unique<Harness>();
    }

    void cleanup() {
        m_harness.reset();
        QVERIFY2(!cursorOverridden(), "the busy pointer was left on");
        while (cursorOverridden())
            QApplication::restoreOverrideCursor();
        m_server.reset();
    }

    void maskedBoxGivesNineCharactersAndEightDigits_data() {
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
        QTest::newRow("letters refused") << "9135a0000"
                                         << "91350-000" << true << "91350000";
    }

    void maskedBoxGivesNineCharactersAndEightDigits() {
        QFETCH(QString, typed);
        QLineEdit box;
        box.setInputMask(CepLookup::kInputMask);
        box.setText(typed);
        QTEST(box.displayText(), "shown");
        QTEST(CepLookup::completo(box), "complete");
        QTEST(CepLookup::digits(box), "digits");
    }

    void registryLookupWritesTheAnswer_data() {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("address");
        QTest::addColumn<QString>("cep");
        QTest::addColumn<QColor>("cepColour");
        const QColor red = CepLookup::kNotFoundText;
        const QColor black = CepLookup::kNormalText;
        QTest::newRow("complete, accented city, leading zero")
            << kCompleto << "01001000" << kCompletoAddress << "01001-000" << black;
        // Elements in another order, the city-wide answer with empty street elements.
        QTest::newRow("single code for the city")
            << answer("<resultado_txt>sucesso - cep \xfanico</resultado_txt><logradouro/><bairro>"
                      "</bairro><cidade>ILHABELA</cidade><uf>sp</uf><resultado>2</resultado>")
            << "11630000" << QStringList{"SP", "Ilhabela", "CENTRO", "RUA", "DAS FLORES"}
            << "11630-000" << red;
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

    void registryLookupWritesTheAnswer() {
        QFETCH(QByteArray, body);
        QFETCH(QString, typed);
        QFETCH(QString, cep);
        serve(body);
        m_harness->mskCEP->setText(typed);
        // A red code from an earlier answer turns black only with a complete one.
        CepLookup::paintText(m_harness->mskCEP, CepLookup::kNotFoundText);
        CepLookup lookup(m_context, m_harness->target());
        QSignalSpy finished(&lookup, &CepLookup::finished);
        QVERIFY(lookup.startFromTarget());
        QVERIFY(lookup.isPending());
        QVERIFY(cursorOverridden());
        QVERIFY(finished.wait(5000));
        QVERIFY(!cursorOverridden());
        QCOMPARE(m_server->requestTargets(),
                 QStringList{u"/web_cep.php?cep=%1&formato=xml"_s.arg(QString(cep).remove(u'-'))});
        QCOMPARE(m_messages.count(), 0);
        QTEST(m_harness->address(), "address");
        QCOMPARE(m_harness->mskCEP->displayText(), cep);
        QTEST(CepLookup::textColour(m_harness->mskCEP), "cepColour");
    }

    // The registry's button and the dialog each refuse an incomplete code with their own words.
    void incompleteCodeSendsNoRequest() {
        serve(kCompleto);
        m_harness->mskCEP->setText(u"0100100"_s);
        CepLookup lookup(m_context, m_harness->target());
        QSignalSpy finished(&lookup, &CepLookup::finished);
        QVERIFY(!lookup.startFromTarget());
        QVERIFY(!lookup.isPending());
        QVERIFY(!cursorOverridden());
        QCOMPARE(m_messages.last().icon, MessageBoxes::Icon::Warning);
        QCOMPARE(m_messages.last().caption, u"Brisko"_s);
        QCOMPARE(m_messages.texts(),
                 QStringList{u"Digite o CEP com 8 Digitos e apenas Números."_s});

        m_messages.clear();
        auto dialog = openDialog(u"0100"_s);
        QCOMPARE(dialog->windowTitle(), u"Localizar Endereço"_s);
        QCOMPARE(dialog->btnOk()->text(), u"Incluir"_s);
        QVERIFY(!dialog->isVisible());
        QVERIFY(!dialog->lookup().isPending());
        QVERIFY(dialog->lblStatusCEP(1)->isHidden());
        QCOMPARE(m_messages.last().icon, MessageBoxes::Icon::Warning);
        QCOMPARE(m_messages.last().caption, u"Localizar CEP ON-Line"_s);
        QCOMPARE(m_messages.texts(), QStringList{u"Digite o CEP com 8 Digitos e apenas Numeros"_s});
        QCOMPARE(m_harness->focusWidget(), m_harness->txtNome);
        QVERIFY(!finished.wait(300));
        QCOMPARE(m_server->requestCount(), 0);
        QCOMPARE(m_harness->address(), kTyped);
    }

    void slowAnswerEndsAtTheTimeOutWithoutFreezing() {
        serve(kCompleto, 1500ms);
        m_harness->mskCEP->setText(u"01001000"_s);
        CepLookup lookup(m_context, m_harness->target());
        lookup.setTimeout(300ms);
        QSignalSpy finished(&lookup, &CepLookup::finished);
        int ticks = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, this, [&ticks] { ++ticks; });
        ticker.start(20);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(lookup.startFromTarget());
        QVERIFY(clock.elapsed() < 100);
        QVERIFY(finished.wait(1200));
        QVERIFY(clock.elapsed() >= 250);
        QVERIFY2(ticks >= 5, qPrintable(QString::number(ticks)));
        QVERIFY(!cursorOverridden());
        QCOMPARE(m_messages.count(), 1);
        QVERIFY(m_messages.last().text.contains(u"300 ms"_s));
        // The late answer writes nothing.
        QVERIFY(!finished.wait(1600));
        QCOMPARE(m_harness->address(), kTyped);
    }

    void secondStartReplacesThePendingOneAndDestroyingRestoresThePointer() {
        serve(kCompleto, 200ms);
        auto lookup = std::make_unique<CepLookup>(m_context, m_harness->target());
        QSignalSpy finished(lookup.get(), &CepLookup::finished);
        lookup->start(u"91350000"_s);
        lookup->start(u"01001000"_s);
        QVERIFY(finished.wait(5000));
        QVERIFY(!finished.wait(500));
        QCOMPARE(finished.count(), 1);
        QCOMPARE(m_harness->mskCEP->displayText(), u"01001-000"_s);
        QVERIFY(!cursorOverridden());

        m_harness->cboUF->setEditText(kTyped[0]);
        lookup->start(u"01001000"_s);
        QVERIFY(cursorOverridden());
        lookup.reset();
        QVERIFY(!cursorOverridden());
        QTest::qWait(400);
        QCOMPARE(m_harness->cboUF->currentText(), kTyped[0]);
        QCOMPARE(m_messages.count(), 0);
    }

    // An answer closes the dialog and the focus goes to the name; a failed lookup keeps the
    // dialog open with the typed code, after the error dialog. The customer's code is
    // rewritten only by a found address.
    void dialogAnswer_data() {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("status");
        QTest::addColumn<QColor>("before");
        QTest::addColumn<QString>("statusText");
        QTest::addColumn<QStringList>("address");
        QTest::addColumn<QString>("cep");
        QTest::addColumn<QColor>("cepColour");
        QTest::addColumn<QString>("error");
        QTest::newRow("complete") << kCompleto << 200 << CepLookup::kNotFoundText
                                  << "SUCESSO - CEP COMPLETO" << kCompletoAddress << "01001-000"
                                  << QColor(CepLookup::kNormalText) << "";
        QTest::newRow("not found")
            << answer("<uf>SP</uf><cidade></cidade><resultado>0</resultado><resultado_txt>"
                      "servi\xe7o indispon\xedvel/cep inv\xe1lido</resultado_txt>")
            << 200 << CepLookup::kNormalText << "SERVIÇO INDISPONÍVEL/CEP INVÁLIDO" << kTyped
            << "12345-___" << QColor(255, 0, 0) << "";
        QTest::newRow("server error")
            << QByteArray("<h1>falha</h1>") << 500 << CepLookup::kNormalText << "Status:" << kTyped
            << "12345-___" << QColor(Qt::black) << "HTTP 500";
    }

    void dialogAnswer() {
        QFETCH(QByteArray, body);
        QFETCH(int, status);
        QFETCH(QColor, before);
        QFETCH(QString, error);
        serve(body, 100ms, status);
        m_harness->mskCEP->setText(u"12345"_s);
        CepLookup::paintText(m_harness->mskCEP, before);
        int messagesWhenClosed = -1;
        auto dialog = openDialog(u"01001000"_s);
        connect(dialog.get(), &QDialog::finished, this,
                [&] { messagesWhenClosed = m_messages.count(); });
        QVERIFY(dialog->lookup().isPending());
        QVERIFY(dialog->isVisible());
        QVERIFY(dialog->lblStatusCEP(0)->isVisible());
        QVERIFY(dialog->lblStatusCEP(1)->isVisible());
        QSignalSpy finished(&dialog->lookup(), &CepLookup::finished);
        QVERIFY(finished.wait(5000));
        QCOMPARE(dialog->isVisible(), !error.isEmpty());
        QCOMPARE(messagesWhenClosed, error.isEmpty() ? 0 : -1);
        QTEST(dialog->lblStatusCEP(1)->text(), "statusText");
        QTEST(m_harness->address(), "address");
        QTEST(m_harness->mskCEP->displayText(), "cep");
        QTEST(CepLookup::textColour(m_harness->mskCEP), "cepColour");
        if (error.isEmpty())
            QCOMPARE(m_harness->focusWidget(), m_harness->txtNome);
        else
            QCOMPARE(dialog->mskCEP()->text(), u"01001-000"_s);
        QCOMPARE(m_messages.count(), error.isEmpty() ? 0 : 1);
        QVERIFY(error.isEmpty() || m_messages.last().text.contains(error));
    }

    void dialogClosedWhilePendingWritesNothing() {
        serve(kCompleto, 400ms);
        m_harness->mskCEP->setText(u"12345"_s);
        auto dialog = openDialog(u"01001000"_s);
        QVERIFY(dialog->lookup().isPending());
        QSignalSpy finished(&dialog->lookup(), &CepLookup::finished);
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
        QVERIFY(!dialog->isVisible());
        QVERIFY(!dialog->lookup().isPending());
        QVERIFY(!cursorOverridden());
        QVERIFY(!finished.wait(900));
        QCOMPARE(m_harness->address(), kTyped);
        QCOMPARE(m_harness->mskCEP->text(), u"12345-"_s);
        QCOMPARE(m_messages.count(), 0);
    }
};

QTEST_MAIN(TestCepLookup)
#include "TestCepLookup.moc"
