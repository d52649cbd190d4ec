#include "common/Money.h"

#include <QStringView>

namespace {

// Fifteen integer digits cover any real amount and keep every sum far from overflow.
constexpr int kMaxIntegerDigits = 15;

bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

QStringView skipBlanks(QStringView s) {
    while (!s.isEmpty() && s.front().isSpace()) {
        s = s.sliced(1);
    }
    return s;
}

// Integer part with optional "." grouping: "1234" or "1.234"; nullopt when malformed.
std::optional<qint64> parseIntegerPart(QStringView s) {
    if (s.isEmpty()) {
        return 0;
    }
    const bool grouped = s.contains(u'.');
    qint64 value = 0;
    int digits = 0;
    int groupLength = 0;
    bool firstGroup = true;
    for (const QChar c : s) {
        if (c == u'.') {
            if (groupLength == 0 || (firstGroup ? groupLength > 3 : groupLength != 3)) {
                return std::nullopt;
            }
            firstGroup = false;
            groupLength = 0;
            continue;
        }
        if (!isAsciiDigit(c) || ++digits > kMaxIntegerDigits) {
            return std::nullopt;
        }
        ++groupLength;
        value = value * 10 + (c.unicode() - u'0');
    }
    if (grouped && (firstGroup || groupLength != 3)) {
        return std::nullopt;
    }
    return value;
}

QString groupThousands(qint64 units) {
    QString digits = QString::number(units);
    for (qsizetype pos = digits.size() - 3; pos > 0; pos -= 3) {
        digits.insert(pos, u'.');
    }
    return digits;
}

// The sign goes in front of everything, the currency symbol included: "-R$ 5,00".
QString render(qint64 cents, QStringView prefix, bool grouped, QChar decimalPoint) {
    const qint64 magnitude = cents < 0 ? -cents : cents;
    QString out = cents < 0 ? QStringLiteral("-") : QString();
    out += prefix;
    out += grouped ? groupThousands(magnitude / 100) : QString::number(magnitude / 100);
    out += decimalPoint;
    out += QStringLiteral("%1").arg(magnitude % 100, 2, 10, QChar(u'0'));
    return out;
}

} // namespace

std::optional<Money> Money::parse(const QString& text) {
    QStringView rest = QStringView(text).trimmed();
    bool negative = false;
    bool symbol = false;
    for (;;) {
        rest = skipBlanks(rest);
        if (!negative && rest.startsWith(u'-')) {
            negative = true;
            rest = rest.sliced(1);
        } else if (!symbol && rest.startsWith(u"R$", Qt::CaseInsensitive)) {
            symbol = true;
            rest = rest.sliced(2);
        } else {
            break;
        }
    }

    qsizetype comma = rest.indexOf(u',');
    // Without a comma, a point before one or two final digits is what an attendant means by a
    // decimal point ("12.50", "7.5"); before three digits it still groups thousands ("1.250").
    if (comma < 0) {
        const qsizetype point = rest.lastIndexOf(u'.');
        if (point >= 0 && rest.size() - point - 1 >= 1 && rest.size() - point - 1 <= 2)
            comma = point;
    }
    const QStringView integerText = comma < 0 ? rest : rest.first(comma);
    const QStringView decimalText = comma < 0 ? QStringView() : rest.sliced(comma + 1);
    if (rest.isEmpty() || (integerText.isEmpty() && decimalText.isEmpty()) ||
        decimalText.size() > 2) {
        return std::nullopt;
    }
    const std::optional<qint64> units = parseIntegerPart(integerText);
    if (!units) {
        return std::nullopt;
    }
    qint64 fraction = 0;
    for (qsizetype i = 0; i < 2; ++i) {
        const QChar c = i < decimalText.size() ? decimalText[i] : QChar(u'0');
        if (!isAsciiDigit(c)) {
            return std::nullopt;
        }
        fraction = fraction * 10 + (c.unicode() - u'0');
    }
    const qint64 cents = *units * 100 + fraction;
    return Money(negative ? -cents : cents);
}

QString Money::format() const {
    return render(m_cents, u"R$ ", true, u',');
}

QString Money::formatPlain() const {
    return render(m_cents, u"", true, u',');
}

QString Money::toDecimalString() const {
    return render(m_cents, u"", false, u'.');
}
