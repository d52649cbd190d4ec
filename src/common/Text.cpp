#include "common/Text.h"

#include <QDate>
#include <QDateTime>
#include <QStringView>
#include <QTime>

#include <optional>

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

QVariant toSqlDate(const QVariant& value) {
    const std::optional<QDate> date = readDate(value);
    return date ? QVariant(*date) : QVariant(QMetaType::fromType<QDate>());
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
