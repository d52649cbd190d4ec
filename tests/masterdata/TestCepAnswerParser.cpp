#include "common/Error.h"
#include "masterdata/CepAnswerParser.h"

#include <QTest>

Q_DECLARE_METATYPE(CepResult::Kind)

namespace {

const QByteArray kLatin1Declaration = "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>";

QByteArray answer(const QByteArray& children, const QByteArray& declaration = kLatin1Declaration) {
    return declaration + "<webservicecep>" + children + "</webservicecep>";
}

} // namespace

class TestCepAnswerParser : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void answers_data();
    void answers();
    void notTheExpectedXml_data();
    void notTheExpectedXml();
    void maskedText_data();
    void maskedText();
};

void TestCepAnswerParser::answers_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("digits");
    QTest::addColumn<CepResult::Kind>("kind");
    QTest::addColumn<QString>("uf");
    QTest::addColumn<QString>("cidade");
    QTest::addColumn<QString>("bairro");
    QTest::addColumn<QString>("tipo");
    QTest::addColumn<QString>("logradouro");
    QTest::addColumn<QString>("resultadoTxt");
    QTest::addColumn<QString>("cepFormatado");

    const auto completo = CepResult::Kind::Completo;
    QTest::newRow("classic answer")
        << answer("<uf>RS</uf><cidade>Porto Alegre</cidade><bairro>Passo D'Areia</bairro>"
                  "<tipo_logradouro>Avenida</tipo_logradouro><logradouro>Assis Brasil</logradouro>"
                  "<resultado>1</resultado><resultado_txt>sucesso - cep completo</resultado_txt>")
        << "91010000" << completo << "RS"
        << "Porto Alegre"
        << "Passo D'Areia"
        << "Avenida"
        << "Assis Brasil"
        << "SUCESSO - CEP COMPLETO"
        << "91010-000";
    QTest::newRow("latin-1 accents, upper-case text, leading zero")
        << answer("<uf>sp</uf><cidade>S\xe3o Paulo</cidade><bairro>S\xc9</bairro>"
                  "<tipo_logradouro>PRA\xc7"
                  "A</tipo_logradouro>"
                  "<logradouro>DA S\xc9</logradouro>"
                  "<resultado_txt>SUCESSO - CEP COMPLETO</resultado_txt>")
        << "01001000" << completo << "SP" << QStringLiteral("São Paulo") << QStringLiteral("Sé")
        << QStringLiteral("Praça") << QStringLiteral("Da Sé") << "SUCESSO - CEP COMPLETO"
        << "01001-000";
    QTest::newRow("utf-8 declared")
        << answer("<cidade>S\xc3\xa3o Jos\xc3\xa9 dos Campos</cidade>"
                  "<resultado_txt>Sucesso - Cep Completo</resultado_txt>",
                  "<?xml version=\"1.0\" encoding=\"UTF-8\"?>")
        << "12245000" << completo << "" << QStringLiteral("São José dos Campos") << ""
        << ""
        << ""
        << "SUCESSO - CEP COMPLETO"
        << "12245-000";
    QTest::newRow("windows-1252 declared")
        << answer("<cidade>S\xe3o Paulo \x96 SP</cidade>"
                  "<resultado_txt>sucesso - cep completo</resultado_txt>",
                  "<?xml version=\"1.0\" encoding=\"windows-1252\"?>")
        << "01001000" << completo << "" << QStringLiteral("São Paulo – Sp") << ""
        << ""
        << ""
        << "SUCESSO - CEP COMPLETO"
        << "01001-000";
    QTest::newRow("any order, unknown elements skipped")
        << answer("<resultado_txt>sucesso - cep completo</resultado_txt>"
                  "<extra><uf>XX</uf></extra><logradouro>rua do porto</logradouro><uf>rj</uf>")
        << "20000000" << completo << "RJ"
        << ""
        << ""
        << ""
        << "Rua do Porto"
        << "SUCESSO - CEP COMPLETO"
        << "20000-000";
    QTest::newRow("empty elements leave only those fields empty")
        << answer("<uf>PR</uf><cidade>Curitiba</cidade><bairro/><tipo_logradouro></tipo_logradouro>"
                  "<logradouro>XV de Novembro</logradouro>"
                  "<resultado_txt>sucesso - cep completo</resultado_txt>")
        << "80020000" << completo << "PR"
        << "Curitiba"
        << ""
        << ""
        << "Xv de Novembro"
        << "SUCESSO - CEP COMPLETO"
        << "80020-000";
    QTest::newRow("single code for the city")
        << answer("<uf>SP</uf><cidade>Ilhabela</cidade><bairro></bairro><tipo_logradouro/>"
                  "<logradouro></logradouro><resultado>2</resultado>"
                  "<resultado_txt>sucesso - cep \xfanico</resultado_txt>")
        << "11630000" << CepResult::Kind::Unico << "SP"
        << "Ilhabela"
        << ""
        << ""
        << "" << QStringLiteral("SUCESSO - CEP ÚNICO") << "";
    QTest::newRow("not found")
        << answer("<uf></uf><cidade></cidade><resultado>0</resultado>"
                  "<resultado_txt>servi\xe7o indispon\xedvel/cep inv\xe1lido</resultado_txt>")
        << "99999999" << CepResult::Kind::NaoEncontrado << ""
        << ""
        << ""
        << ""
        << "" << QStringLiteral("SERVIÇO INDISPONÍVEL/CEP INVÁLIDO") << "";
    QTest::newRow("other result text still fills what came")
        << answer("<uf>MG</uf><cidade>belo horizonte</cidade>"
                  "<resultado_txt>sucesso - cep parcial</resultado_txt>")
        << "30000000" << CepResult::Kind::NaoEncontrado << "MG"
        << "Belo Horizonte"
        << ""
        << ""
        << ""
        << "SUCESSO - CEP PARCIAL"
        << "";
    QTest::newRow("no result text still fills what came")
        << answer("<cidade>porto alegre</cidade><uf>rs</uf>") << "91010000"
        << CepResult::Kind::NaoEncontrado << "RS"
        << "Porto Alegre"
        << ""
        << ""
        << ""
        << ""
        << "";
}

void TestCepAnswerParser::answers() {
    QFETCH(QByteArray, body);
    QFETCH(QString, digits);

    const CepResult result = parseCepAnswer(body, digits);

    QTEST(result.kind, "kind");
    QVERIFY(!result.error.has_value());
    QTEST(result.uf, "uf");
    QTEST(result.cidade, "cidade");
    QTEST(result.bairro, "bairro");
    QTEST(result.tipoLogradouro, "tipo");
    QTEST(result.logradouro, "logradouro");
    QTEST(result.resultadoTxt, "resultadoTxt");
    QTEST(result.cepFormatado, "cepFormatado");
}

void TestCepAnswerParser::notTheExpectedXml_data() {
    QTest::addColumn<QByteArray>("body");

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("plain text") << QByteArray("servico fora do ar");
    QTest::newRow("unclosed element")
        << answer("<uf>RS</uf><cidade>Porto Alegre<resultado_txt>sucesso - cep completo"
                  "</resultado_txt>");
    QTest::newRow("truncated") << answer("<uf>RS</uf>").chopped(5);
    QTest::newRow("html error page")
        << QByteArray("<!DOCTYPE html><html><head><title>502 Bad Gateway</title></head>"
                      "<body><h1>Bad Gateway</h1><br></body></html>");
    QTest::newRow("entity of an external dtd for the street")
        << QByteArray("<?xml version=\"1.0\"?><!DOCTYPE w SYSTEM \"w.dtd\">"
                      "<w><uf>RS</uf><logradouro>&rua;</logradouro>"
                      "<resultado_txt>sucesso - cep completo</resultado_txt></w>");
    QTest::newRow("external entity left unread")
        << QByteArray("<?xml version=\"1.0\"?><!DOCTYPE w [<!ENTITY rua SYSTEM \"file:///x\">]>"
                      "<w><uf>RS</uf><logradouro>&rua;</logradouro>"
                      "<resultado_txt>sucesso - cep completo</resultado_txt></w>");
    QTest::newRow("garbage after the root")
        << answer("<uf>RS</uf><resultado_txt>sucesso - cep completo</resultado_txt>") + "<x>";
}

void TestCepAnswerParser::notTheExpectedXml() {
    QFETCH(QByteArray, body);

    const CepResult result = parseCepAnswer(body, QStringLiteral("91010000"));

    QVERIFY(result.isError());
    QVERIFY(result.error.has_value());
    QCOMPARE(result.error->number(), Error::kGeneric);
    QVERIFY(!result.error->description().isEmpty());
    // No half-read address ever reaches a screen.
    QVERIFY(result.uf.isEmpty());
    QVERIFY(result.cidade.isEmpty());
    QVERIFY(result.cepFormatado.isEmpty());
}

void TestCepAnswerParser::maskedText_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("digits");

    QTest::newRow("complete") << "91010-000"
                              << "91010000";
    QTest::newRow("leading zero") << "01001-000"
                                  << "01001000";
    QTest::newRow("prompt left") << "01001-00_"
                                 << "";
    QTest::newRow("nothing typed") << "_____-___"
                                   << "";
    QTest::newRow("too short") << "01001-00"
                               << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TestCepAnswerParser::maskedText() {
    QFETCH(QString, typed);
    QFETCH(QString, digits);

    const std::optional<QString> read = cepDigits(typed);

    QCOMPARE(read.value_or(QString()), digits);
    if (read) {
        QCOMPARE(formatCep(*read), typed);
    }
}

QTEST_GUILESS_MAIN(TestCepAnswerParser)
#include "TestCepAnswerParser.moc"
