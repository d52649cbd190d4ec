// ctest-label: unit
#include "masterdata/CepClient.h"

#include "support/LocalHttpServer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

using namespace std::chrono_literals;

namespace {

const QByteArray kSaoPaulo =
    "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?><webservicecep><uf>SP</uf>"
    "<cidade>S\xe3o Paulo</cidade><bairro>S\xe9</bairro><tipo_logradouro>Pra\xe7"
    "a"
    "</tipo_logradouro><logradouro>da S\xe9</logradouro><resultado>1</resultado>"
    "<resultado_txt>sucesso - cep completo</resultado_txt></webservicecep>";
const QByteArray kXmlType = "text/xml; charset=iso-8859-1";

// The process's peak resident memory (VmHWM), in KiB.
qint64 peakMemoryKiB() {
    QFile status(u"/proc/self/status"_s);
    const QByteArray text = status.open(QIODevice::ReadOnly) ? status.readAll() : QByteArray();
    const qsizetype at = text.indexOf("VmHWM:");
    return at < 0 ? 0 : text.mid(at + 6, 20).trimmed().split(' ').first().toLongLong();
}

} // namespace

class TestCepClient : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() {
        m_server = std::make_unique<LocalHttpServer>();
        QVERIFY(m_server->start());
        m_client = std::make_unique<CepClient>(m_server->baseUrl().toString());
    }

    void cleanup() {
        m_client.reset();
        m_server.reset();
    }

    void requestUrl_data() {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("url");

        QTest::newRow("host only")
            << "cep.exemplo.com.br"
            << "http://cep.exemplo.com.br/web_cep.php?cep=01001000&formato=xml";
        QTest::newRow("url with path, no slash")
            << "https://exemplo.com.br/servicos"
            << "https://exemplo.com.br/servicos/web_cep.php?cep=01001000&formato=xml";
        QTest::newRow("url with slash")
            << " http://10.0.0.5:8080/ "
            << "http://10.0.0.5:8080/web_cep.php?cep=01001000&formato=xml";
    }

    void requestUrl() {
        QFETCH(QString, base);

        QTEST(CepClient::requestUrl(base, u"01001000"_s).toString(), "url");
    }

    void completeAnswerOverTheNetwork() {
        m_server->setBody(kSaoPaulo, kXmlType);

        const CepResult result = m_client->lookupAndWait(u"01001000"_s);

        QCOMPARE(m_server->requestTargets(),
                 QStringList{u"/web_cep.php?cep=01001000&formato=xml"_s});
        QVERIFY2(!result.error, qPrintable(result.error ? result.error->description() : QString()));
        QCOMPARE(result.kind, CepResult::Kind::Completo);
        QCOMPARE(result.uf, u"SP"_s);
        QCOMPARE(result.cidade, u"São Paulo"_s);
        QCOMPARE(result.bairro, u"Sé"_s);
        QCOMPARE(result.tipoLogradouro, u"Praça"_s);
        QCOMPARE(result.logradouro, u"Da Sé"_s);
        QCOMPARE(result.cepFormatado, u"01001-000"_s);
    }

    void serviceAnswers_data() {
        QTest::addColumn<QByteArray>("children");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("cidade");
        QTest::addColumn<QString>("bairro");

        QTest::newRow("single code for the city")
            << QByteArray("<uf>SP</uf><cidade>Ilhabela</cidade><bairro/><logradouro></logradouro>"
                          "<resultado_txt>sucesso - cep \xfanico</resultado_txt>")
            << int(CepResult::Kind::Unico) << "Ilhabela"
            << "";
        QTest::newRow("not found")
            << QByteArray("<uf></uf><cidade></cidade><bairro></bairro><resultado>0</resultado>"
                          "<resultado_txt>servico indisponivel/cep invalido</resultado_txt>")
            << int(CepResult::Kind::NaoEncontrado) << ""
            << "";
        QTest::newRow("empty city, other fields filled")
            << QByteArray("<uf>RS</uf><cidade/><bairro>PASSO D'AREIA</bairro>"
                          "<resultado_txt>sucesso - cep completo</resultado_txt>")
            << int(CepResult::Kind::Completo) << ""
            << "Passo D'Areia";
    }

    void serviceAnswers() {
        QFETCH(QByteArray, children);
        m_server->setBody("<?xml version=\"1.0\" encoding=\"iso-8859-1\"?><webservicecep>" +
                              children + "</webservicecep>",
                          kXmlType);

        const CepResult result = m_client->lookupAndWait(u"91350000"_s);

        QVERIFY(!result.error);
        QTEST(int(result.kind), "kind");
        QTEST(result.cidade, "cidade");
        QTEST(result.bairro, "bairro");
    }

    void failedAnswers_data() {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("contentType");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("mentions");

        QTest::newRow("malformed xml") << 200 << kXmlType << kSaoPaulo.chopped(20) << "XML";
        QTest::newRow("html page instead of xml")
            << 200 << QByteArray("text/html")
            << QByteArray("<html><body><p>Manuten\xe7\xe3o programada<br></body></html>") << "XML";
        QTest::newRow("http 500 with an xml body") << 500 << kXmlType << kSaoPaulo << "HTTP 500";
        QTest::newRow("http 404 page")
            << 404 << QByteArray("text/html") << QByteArray("<h1>Not Found</h1>") << "HTTP 404";
    }

    void failedAnswers() {
        QFETCH(int, status);
        QFETCH(QByteArray, contentType);
        QFETCH(QByteArray, body);
        QFETCH(QString, mentions);
        LocalHttpServer::Response response;
        response.status = status;
        response.reason = status == 200 ? "OK" : "Erro";
        response.headers.append({"Content-Type", contentType});
        response.body = body;
        m_server->setResponse(response);

        const CepResult result = m_client->lookupAndWait(u"01001000"_s);

        QVERIFY(result.isError());
        QVERIFY(result.error.has_value());
        QVERIFY2(result.error->description().contains(mentions),
                 qPrintable(result.error->description()));
        QVERIFY(result.uf.isEmpty());
        QVERIFY(result.cidade.isEmpty());
    }

    void slowAnswerEndsAtTheTimeOut_data() {
        QTest::addColumn<int>("headerDelayMs");
        QTest::addColumn<int>("fillerPauseMs");

        QTest::newRow("late headers") << 1500 << 0;
        QTest::newRow("body trickling in") << 0 << 100;
    }

    void slowAnswerEndsAtTheTimeOut() {
        QFETCH(int, headerDelayMs);
        QFETCH(int, fillerPauseMs);
        LocalHttpServer::Response response;
        response.headers.append({"Content-Type", kXmlType});
        response.body = kSaoPaulo.left(60);
        response.delay = std::chrono::milliseconds(headerDelayMs);
        response.fillerBytes = 1000;
        response.fillerPause = std::chrono::milliseconds(fillerPauseMs);
        m_server->setResponse(response);
        m_client->setTimeout(300ms);
        QSignalSpy spy(m_client.get(), &CepClient::finished);
        QElapsedTimer clock;
        clock.start();

        m_client->lookup(u"01001000"_s);

        QVERIFY(spy.wait(1200));
        QVERIFY(clock.elapsed() >= 250);
        QVERIFY(clock.elapsed() < 1200);
        const auto result = spy.takeFirst().at(0).value<CepResult>();
        QVERIFY(result.isError());
        QVERIFY(result.error->description().contains(u"300 ms"_s));
        QVERIFY(!m_client->isPending());
        // The late answer must not bring a second result.
        QVERIFY(!spy.wait(1600));
    }

    // Cut off as it arrives, whether or not its size was announced: neither memory nor time
    // may tell how much the server would have sent.
    void oversizedAnswerIsAFailedLookup_data() {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<bool>("announced");

        QTest::newRow("one byte over") << CepClient::kMaxAnswerBytes + 1 << false;
        QTest::newRow("16 MiB") << (qint64(16) << 20) << true;
        QTest::newRow("256 MiB, unannounced") << (qint64(256) << 20) << false;
        QTest::newRow("1 GiB") << (qint64(1) << 30) << true;
        QTest::newRow("1 GiB, unannounced") << (qint64(1) << 30) << false;
    }

    void oversizedAnswerIsAFailedLookup() {
        QFETCH(qint64, size);
        QFETCH(bool, announced);
        LocalHttpServer::Response response;
        response.headers.append({"Content-Type", kXmlType});
        response.body = kSaoPaulo.left(60);
        response.fillerBytes = size - response.body.size();
        response.announceLength = announced;
        m_server->setResponse(response);
        const qint64 peakBefore = peakMemoryKiB();
        QElapsedTimer clock;
        clock.start();

        const CepResult result = m_client->lookupAndWait(u"01001000"_s);

        const qint64 grownKiB = peakMemoryKiB() - peakBefore;
        qInfo("%lld bytes: %lld ms, peak grew %lld KiB", size, clock.elapsed(), grownKiB);
        QVERIFY(result.isError());
        QVERIFY2(result.error->description().contains(u"64 KiB"_s),
                 qPrintable(result.error->description()));
        QVERIFY(result.uf.isEmpty());
        QVERIFY(clock.elapsed() < 1000);
        QVERIFY(grownKiB < 32 * 1024);
    }

    void unreachableService() {
        const QString base = m_server->baseUrl().toString();
        m_client.reset();
        m_server.reset(); // nothing listens on that port any more
        CepClient client(base);

        const CepResult result = client.lookupAndWait(u"01001000"_s);

        QVERIFY(result.isError());
        QVERIFY(result.error->description().startsWith(u"Não foi possível"_s));
    }

    void incompleteCodeMakesNoRequest() {
        m_server->setBody(kSaoPaulo, kXmlType);

        const CepResult result = m_client->lookupAndWait(u"0100100"_s);

        QVERIFY(result.isError());
        QCOMPARE(m_server->requestCount(), 0);
    }

    void resultArrivesAfterLookupReturns() {
        m_server->setBody(kSaoPaulo, kXmlType);
        QSignalSpy spy(m_client.get(), &CepClient::finished);

        m_client->lookup(u"01001000"_s);

        QCOMPARE(spy.count(), 0);
        QVERIFY(m_client->isPending());
        QVERIFY(spy.wait(5000));
        QCOMPARE(spy.count(), 1);
        QVERIFY(spy.at(0).at(0).value<CepResult>().isCompleto());
    }

    void newerLookupSilencesTheOlder() {
        LocalHttpServer::Response response;
        response.headers.append({"Content-Type", kXmlType});
        response.body = kSaoPaulo;
        response.delay = 100ms;
        m_server->setResponse(response);
        QSignalSpy spy(m_client.get(), &CepClient::finished);

        m_client->lookup(u"0100"_s); // refused, its queued result is dropped
        m_client->lookup(u"91010000"_s);
        m_client->lookup(u"01001000"_s);

        QVERIFY(spy.wait(5000));
        QVERIFY(!spy.wait(400));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).value<CepResult>().cepFormatado, u"01001-000"_s);
    }

private:
    std::unique_ptr<LocalHttpServer> m_server;
    std::unique_ptr<CepClient> m_client;
};

QTEST_GUILESS_MAIN(TestCepClient)
#include "TestCepClient.moc"
