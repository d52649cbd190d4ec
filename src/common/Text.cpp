#include "common/Text.h"

#include "common/Money.h"

#include <QDate>
#include <QDateTime>
#include <QStringView>
#include <QTime>

#include <cmath>
#include <limits>
#include <optional>
#include <stdexcept>

namespace {

// Only blanks are trimmed, not tabs or line breaks, which belong to the data.
QString trimBlanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ') {
        ++begin;
    }
    while (end > begin && text[end - 1] == u' ') {
        --end;
    }
    return text.sliced(begin, end - begin);
}

bool matchesAt(const QString& s, qsizetype pos, QStringView word) {
    return s.size() - pos >= word.size() && QStringView(s).sliced(pos, word.size()) == word;
}

std::optional<QDate> readDate(const QVariant& value) {
    if (value.isNull()) {
        return std::nullopt;
    }
    QDate date;
    switch (value.typeId()) {
    case QMetaType::QDate:
        date = value.toDate();
        break;
    case QMetaType::QDateTime:
        date = value.toDateTime().date();
        break;
    case QMetaType::QString: {
        const QString text = value.toString().trimmed();
        date = QDate::fromString(text, QStringLiteral("d/M/yyyy"));
        if (!date.isValid()) {
            date = QDate::fromString(text, Qt::ISODate);
        }
        break;
    }
    default:
        break;
    }
    if (!date.isValid()) {
        return std::nullopt;
    }
    return date;
}

// Currency keeps four decimals; its text drops trailing zeros: 12.5, 3, 0.1234.
QString currencyText(qint64 tenThousandths) {
    const bool negative = tenThousandths < 0;
    const quint64 magnitude =
        negative ? 0 - static_cast<quint64>(tenThousandths) : static_cast<quint64>(tenThousandths);
    QString text = QString::number(magnitude / 10000);
    if (const quint64 fraction = magnitude % 10000; fraction != 0) {
        QString decimals = QStringLiteral("%1").arg(fraction, 4, 10, QChar(u'0'));
        while (decimals.endsWith(u'0')) {
            decimals.chop(1);
        }
        text += u'.' + decimals;
    }
    return negative ? u'-' + text : text;
}

[[noreturn]] void throwOverflow(const QVariant& value) {
    throw std::overflow_error("value out of currency range: " + value.toString().toStdString());
}

// Rounds half to even to four decimals, as a conversion to currency does.
qint64 toTenThousandths(const QVariant& value) {
    if (value.typeId() == qMetaTypeId<Money>()) {
        constexpr qint64 kLimit = std::numeric_limits<qint64>::max() / 100;
        const qint64 cents = value.value<Money>().cents();
        if (cents > kLimit || cents < -kLimit) {
            throwOverflow(value);
        }
        return cents * 100;
    }
    const double scaled = std::nearbyint(value.toDouble() * 10000.0);
    constexpr double kTwoTo63 = 9223372036854775808.0;
    if (!(std::fabs(scaled) < kTwoTo63)) {
        throwOverflow(value);
    }
    return static_cast<qint64>(scaled);
}

bool isCurrencyLike(const QVariant& value) {
    const int type = value.typeId();
    return type == QMetaType::Double || type == QMetaType::Float || type == qMetaTypeId<Money>();
}

bool isDateTimeLike(const QVariant& value) {
    return value.typeId() == QMetaType::QDate || value.typeId() == QMetaType::QDateTime;
}

QString dateTimeText(const QVariant& value, bool formatoServidor) {
    const QDateTime moment = value.typeId() == QMetaType::QDate
                                 ? QDateTime(value.toDate(), QTime(0, 0))
                                 : value.toDateTime();
    const QString quote = formatoServidor ? QStringLiteral("'") : QStringLiteral("#");
    QString text = quote + moment.date().toString(QStringLiteral("yyyy-MM-dd"));
    if (const QString time = moment.time().toString(QStringLiteral("HH:mm"));
        time != QLatin1String("00:00")) {
        text += u' ' + time;
    }
    return text + quote;
}

} // namespace

QString SoNumeros(const QVariant& value) {
    if (value.isNull()) {
        return {};
    }
    QString digits;
    for (const QChar c : value.toString()) {
        if (c >= u'0' && c <= u'9') {
            digits += c;
        }
    }
    return digits;
}

QString FormataTelefone(QString& t) {
    const QString original = t;
    t = SoNumeros(t);
    if (t.trimmed().isEmpty()) {
        return original;
    }
    if (t.size() == 8) {
        return t.first(4) + u'-' + t.last(4);
    }
    if (t.size() == 9) {
        return t.first(5) + u'-' + t.last(4);
    }
    return original;
}

QString NomeProprio(const QString& text) {
    QString s = u' ' + trimBlanks(text.toLower());
    for (qsizetype i = 1; i < s.size(); ++i) {
        if (s[i - 1] == u' ') {
            s[i] = s[i].toUpper();
        }
    }
    s = trimBlanks(s);

    // The first word has no blank before it, so a leading particle keeps its capital.
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == u'\'' && i + 1 < s.size()) {
            s[i + 1] = s[i + 1].toUpper();
        }
        if (matchesAt(s, i, u" E ") || matchesAt(s, i, u" De ") || matchesAt(s, i, u" Da ") ||
            matchesAt(s, i, u" Do ") || matchesAt(s, i, u" Das ") || matchesAt(s, i, u" Dos ")) {
            s[i + 1] = s[i + 1].toLower();
        }
    }
    return s;
}

QString FormataDataSQL(const QVariant& value) {
    const std::optional<QDate> date = readDate(value);
    if (!date) {
        return QStringLiteral("NULL");
    }
    return u'#' + date->toString(QStringLiteral("MM/dd/yyyy")) + u'#';
}

QVariant toSqlDate(const QVariant& value) {
    const std::optional<QDate> date = readDate(value);
    return date ? QVariant(*date) : QVariant(QMetaType::fromType<QDate>());
}

QString MontaValores(QVariantList& values, bool formatoServidor) {
    QString list;
    for (QVariant& value : values) {
        if (value.isNull()) {
            list += QStringLiteral(",Null");
            continue;
        }
        const QVariant original = value;
        QString text;
        if (isCurrencyLike(original)) {
            text = currencyText(toTenThousandths(original));
        } else {
            text = trimBlanks(original.toString());
        }
        value = text;

        if (original.typeId() == QMetaType::QString) {
            list += text.isEmpty() ? QStringLiteral(",Null")
                                   : QStringLiteral(",'") +
                                         QString(text).replace(u'\'', QStringLiteral("''")) + u'\'';
        } else if (isDateTimeLike(original)) {
            list += u',' + dateTimeText(original, formatoServidor);
        } else {
            list += u',' + text;
        }
    }
    return list.mid(1);
}

QStringList CarregaUF() {
    return {QStringLiteral("AC"), QStringLiteral("AL"), QStringLiteral("AM"), QStringLiteral("AP"),
            QStringLiteral("BA"), QStringLiteral("CE"), QStringLiteral("DF"), QStringLiteral("ES"),
            QStringLiteral("GO"), QStringLiteral("MA"), QStringLiteral("MG"), QStringLiteral("MS"),
            QStringLiteral("MT"), QStringLiteral("PA"), QStringLiteral("PB"), QStringLiteral("PE"),
            QStringLiteral("PI"), QStringLiteral("PR"), QStringLiteral("RJ"), QStringLiteral("RN"),
            QStringLiteral("RO"), QStringLiteral("RR"), QStringLiteral("RS"), QStringLiteral("SC"),
            QStringLiteral("SE"), QStringLiteral("SP"), QStringLiteral("TO")};
}

QStringList CarregaTipoLogradouro() {
    return {
        QStringLiteral("ALAMEDA"),    QStringLiteral("ÁREA"),        QStringLiteral("AVENIDA"),
        QStringLiteral("CAMPO"),      QStringLiteral("CHÁCARA"),     QStringLiteral("COLÔNIA"),
        QStringLiteral("CONDOMÍNIO"), QStringLiteral("CONJUNTO"),    QStringLiteral("DISTRITO"),
        QStringLiteral("ESPLANADA"),  QStringLiteral("ESTAÇÃO"),     QStringLiteral("ESTRADA"),
        QStringLiteral("FAZENDA"),    QStringLiteral("FEIRA"),       QStringLiteral("JARDIM"),
        QStringLiteral("LADEIRA"),    QStringLiteral("LAGO"),        QStringLiteral("LAGOA"),
        QStringLiteral("LARGO"),      QStringLiteral("LOTEAMENTO"),  QStringLiteral("MORRO"),
        QStringLiteral("NÚCLEO"),     QStringLiteral("PARQUE"),      QStringLiteral("PASSARELA"),
        QStringLiteral("PÁTIO"),      QStringLiteral("PRAÇA"),       QStringLiteral("QUADRA"),
        QStringLiteral("RECANTO"),    QStringLiteral("RESIDENCIAL"), QStringLiteral("RODOVIA"),
        QStringLiteral("RUA"),        QStringLiteral("SETOR"),       QStringLiteral("SÍTIO"),
        QStringLiteral("TRAVESSA"),   QStringLiteral("TRECHO"),      QStringLiteral("TREVO"),
        QStringLiteral("VALE"),       QStringLiteral("VEREDA"),      QStringLiteral("VIA"),
        QStringLiteral("VIADUTO"),    QStringLiteral("VIELA"),       QStringLiteral("VILA")};
}
