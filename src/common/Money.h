#pragma once

#include <QMetaType>
#include <QString>
#include <QtGlobal>

#include <compare>
#include <optional>

// An amount of Brazilian reais held as whole centavos, so sums never drift.
class Money {
public:
    constexpr Money() = default;

    static constexpr Money fromCents(qint64 cents) { return Money(cents); }

    // Accepts the forms a person types or the program shows: "12", "12,5", "1.234,50",
    // "R$ 1.234,50", "R$1,00", "-R$ 5,00", "R$ -5,00", with blanks around. Thousands groups
    // must be complete ("12.50" is refused rather than read as 1.250,00) and at most two
    // decimals are taken ("1,234" is refused rather than silently rounded).
    static std::optional<Money> parse(const QString& text);

    static Money max(const Money& a, const Money& b) { return a < b ? b : a; }

    constexpr qint64 cents() const { return m_cents; }
    constexpr bool isZero() const { return m_cents == 0; }

    // "R$ 1.234,50"; negative amounts carry the sign in front: "-R$ 5,00".
    QString format() const;
    // The list columns' "R$ ##,##0.00" renders exactly like format().
    QString formatList() const { return format(); }
    // "1.234,50", the form of the amount fields.
    QString formatPlain() const;
    // "1234.50": point decimal, no grouping, for files read by other programs.
    QString toDecimalString() const;

    constexpr auto operator<=>(const Money&) const = default;

    constexpr Money operator-() const { return Money(-m_cents); }
    constexpr Money& operator+=(const Money& other) {
        m_cents += other.m_cents;
        return *this;
    }
    constexpr Money& operator-=(const Money& other) {
        m_cents -= other.m_cents;
        return *this;
    }
    constexpr Money& operator*=(int quantity) {
        m_cents *= quantity;
        return *this;
    }

private:
    constexpr explicit Money(qint64 cents) : m_cents(cents) {}

    qint64 m_cents = 0;
};

constexpr Money operator+(Money a, const Money& b) {
    return a += b;
}
constexpr Money operator-(Money a, const Money& b) {
    return a -= b;
}
constexpr Money operator*(Money a, int quantity) {
    return a *= quantity;
}
constexpr Money operator*(int quantity, Money a) {
    return a *= quantity;
}

Q_DECLARE_METATYPE(Money)
