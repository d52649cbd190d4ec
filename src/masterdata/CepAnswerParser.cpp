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

// The element's own text, its child elements skipped. The reader reports an entity it could
// not resolve as a reference with no text; its name is kept in `unresolved` so that the answer
// is refused rather than read as a field that happens to be empty.
QString elementText(QXmlStreamReader& xml, QString& unresolved) {
    QString text;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::Characters:
            text += xml.text();
            break;
        case QXmlStreamReader::EntityReference:
            if (unresolved.isEmpty()) {
                unresolved = xml.name().toString();
            }
            break;
        case QXmlStreamReader::StartElement:
            xml.skipCurrentElement();
            break;
        case QXmlStreamReader::EndElement:
            return text;
        default:
            break;
        }
    }
    return text;
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
    QString unresolved;
    while (xml.readNext() != QXmlStreamReader::StartElement && !xml.atEnd()) {
        if (xml.tokenType() != QXmlStreamReader::DTD) {
            continue;
        }
        // The reader never fetches an external entity: its references vanish without a trace.
        for (const QXmlStreamEntityDeclaration& entity : xml.entityDeclarations()) {
            if (unresolved.isEmpty() &&
                (!entity.systemId().isEmpty() || !entity.publicId().isEmpty())) {
                unresolved = entity.name().toString();
            }
        }
    }
    if (xml.tokenType() != QXmlStreamReader::StartElement) {
        return errorResult(QStringLiteral("A resposta do serviço de CEP não é um XML: %1")
                               .arg(xml.hasError() ? xml.errorString() : QStringLiteral("vazia")));
    }
    // The root's children, then whatever follows the root, which must still be well-formed.
    bool rootOpen = true;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement && rootOpen) {
            const QString name = xml.name().toString();
            const QString text = elementText(xml, unresolved);
            hasResultText = storeField(result, name, text) || hasResultText;
        } else if (token == QXmlStreamReader::EndElement) {
            rootOpen = false;
        } else if (token == QXmlStreamReader::EntityReference && unresolved.isEmpty()) {
            unresolved = xml.name().toString();
        }
    }
    if (xml.hasError()) {
        return errorResult(
            QStringLiteral("A resposta do serviço de CEP não é um XML válido: %1 (linha %2)")
                .arg(xml.errorString())
                .arg(xml.lineNumber()));
    }
    if (!unresolved.isEmpty()) {
        return errorResult(
            QStringLiteral("A resposta do serviço de CEP cita a entidade \"&%1;\" sem defini-la.")
                .arg(unresolved));
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
