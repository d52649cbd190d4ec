#include "masterdata/CepAnswerParser.h"

#include "common/Text.h"

#include <QXmlStreamReader>

namespace {

const QString kCompleto = QStringLiteral("SUCESSO - CEP COMPLETO");
const QString kUnico = QStringLiteral("SUCESSO - CEP ÚNICO");
// Some answers lose the accent on the way.
const QString kUnicoSemAcento = QStringLiteral("SUCESSO - CEP UNICO");

QString capitalised(const QString& text) {
    return NomeProprio(text.toUpper());
}

bool storeField(CepResult& result, QStringView name, const QString& text) {
    if (name == u"uf") {
        result.uf = text.toUpper();
    } else if (name == u"cidade") {
        result.cidade = capitalised(text);
    } else if (name == u"bairro") {
        result.bairro = capitalised(text);
    } else if (name == u"tipo_logradouro") {
        result.tipoLogradouro = capitalised(text);
    } else if (name == u"logradouro") {
        result.logradouro = capitalised(text);
    } else if (name == u"resultado") {
        result.resultado = text.trimmed();
    } else if (name == u"resultado_txt") {
        result.resultadoTxt = text.toUpper();
        return true;
    }
    return false;
}

CepResult errorResult(const QString& description) {
    CepResult result;
    result.error = cepError(description);
    return result;
}

} // namespace

CepResult::Kind cepKindFor(const QString& resultadoTxt) {
    const QString upper = resultadoTxt.toUpper();
    if (upper == kCompleto) {
        return CepResult::Kind::Completo;
    }
    if (upper == kUnico || upper == kUnicoSemAcento) {
        return CepResult::Kind::Unico;
    }
    return CepResult::Kind::NaoEncontrado;
}

CepResult parseCepAnswer(const QByteArray& body, const QString& digits) {
    CepResult result;
    bool hasResultText = false;
    QXmlStreamReader xml(body);
    if (!xml.readNextStartElement()) {
        return errorResult(QStringLiteral("A resposta do serviço de CEP não é um XML: %1")
                               .arg(xml.hasError() ? xml.errorString() : QStringLiteral("vazia")));
    }
    while (xml.readNextStartElement()) {
        const QString name = xml.name().toString();
        const QString text = xml.readElementText(QXmlStreamReader::SkipChildElements);
        hasResultText = storeField(result, name, text) || hasResultText;
    }
    // Whatever follows the root must still be well-formed.
    while (!xml.atEnd() && !xml.hasError()) {
        xml.readNext();
    }
    if (xml.hasError()) {
        return errorResult(
            QStringLiteral("A resposta do serviço de CEP não é um XML válido: %1 (linha %2)")
                .arg(xml.errorString())
                .arg(xml.lineNumber()));
    }
    // Without a result text the elements it carries are still written, as a code not found.
    result.kind = hasResultText ? cepKindFor(result.resultadoTxt) : CepResult::Kind::NaoEncontrado;
    if (result.kind == CepResult::Kind::Completo) {
        result.cepFormatado = formatCep(digits);
    }
    return result;
}

std::optional<QString> cepDigits(const QString& maskedText) {
    if (maskedText.size() != 9 || maskedText.contains(u'_')) {
        return std::nullopt;
    }
    const QString digits = SoNumeros(maskedText);
    if (digits.size() != 8) {
        return std::nullopt;
    }
    return digits;
}

QString formatCep(const QString& digits) {
    return digits.left(5) + u'-' + digits.mid(5);
}

Error cepError(const QString& description) {
    return Error(description);
}
