#include "shell/CallerId.h"

#include "common/Text.h"
#include "config/Settings.h"

#include <QRegularExpression>

namespace {

const QString kSemFuncao =
    QStringLiteral("O programa sera inicializado sem a função de identificação automatica.");

} // namespace

std::optional<QString> numeroDaChamada(const QString& reported) {
    if (reported.trimmed().isEmpty()) {
        return std::nullopt;
    }
    QString numero;
    if (reported.size() == 14) {
        numero = reported.right(10).left(9);
    } else {
        numero = reported.right(9).left(8);
    }
    if (SoNumeros(numero).isEmpty()) {
        return std::nullopt;
    }
    return FormataTelefone(numero);
}

bool ehRelatoDeTelefone(const QString& line) {
    static const QRegularExpression frame(QStringLiteral("^[AD][0-9]{11,12}[C#]$"));
    return frame.match(line).hasMatch();
}

std::optional<QString> relatoDeTelefone(const QString& typed, QString* error) {
    const QString text = typed.trimmed();
    if (ehRelatoDeTelefone(text)) {
        return text;
    }

    QString digits = SoNumeros(text);
    if (text.startsWith(QStringLiteral("+55"))) {
        digits.remove(0, 2);
    }
    while (digits.startsWith(u'0')) {
        digits.remove(0, 1);
    }
    QString area = QStringLiteral("00");
    QString numero;
    switch (digits.size()) {
    case 8:
    case 9:
        numero = digits;
        break;
    case 10:
    case 11:
        area = digits.left(2);
        numero = digits.mid(2);
        break;
    default:
        if (error) {
            *error = QStringLiteral("\"%1\" não é um número de telefone: informe 8 ou 9 "
                                    "dígitos, com ou sem o DDD.")
                         .arg(typed);
        }
        return std::nullopt;
    }
    return QStringLiteral("A1") + area + numero + u'C';
}

bool fonteChamadaEhSom(const Settings& settings) {
    return settings.gFonteChamada != QLatin1String("nenhuma");
}

std::optional<QString> verificaIdentificacaoChamada(const Settings& settings,
                                                    const QList<QString>& inputDevices) {
    if (!settings.identificaChamadaAtiva() || !fonteChamadaEhSom(settings)) {
        return std::nullopt;
    }
    if (inputDevices.isEmpty()) {
        return QStringLiteral("O Sistema não identificou uma placa de SOM ou a mesma não esta "
                              "funcionando.") +
               u'\n' + kSemFuncao;
    }
    if (!settings.gDispositivoChamada.isEmpty() &&
        !inputDevices.contains(settings.gDispositivoChamada)) {
        return avisoComponente();
    }
    return std::nullopt;
}

QString avisoComponente() {
    return QStringLiteral("Não foi localizado um componente do sistema.") + u'\n' + kSemFuncao +
           u'\n' + QStringLiteral("ID: E001");
}
