#include "common/KeyFilter.h"

#include "common/Codepage.h"

namespace {

constexpr int kBackspace = 8;
constexpr int kEnter = 13;
constexpr int kSpace = 32;
constexpr int kDelete = 127;

bool isDigit(int code) {
    return code >= '0' && code <= '9';
}
bool isAsciiLower(int code) {
    return code >= 'a' && code <= 'z';
}
bool isAsciiUpper(int code) {
    return code >= 'A' && code <= 'Z';
}

bool isEditingKey(int code) {
    return code == kBackspace || code == kEnter || code == kDelete;
}

bool isNumberPunctuation(int code) {
    return code == '+' || code == ',' || code == '-' || code == '.';
}

QChar asciiUpper(QChar key) {
    return QChar(key.unicode() - ('a' - 'A'));
}

// A letter of the code page whose case partner lies outside it (µ, ß) stays as it is, so the
// field never receives a character the code page cannot store.
QChar changeCase(QChar key, bool upper) {
    const QChar changed = upper ? key.toUpper() : key.toLower();
    if (codepage::win1252Code(key) >= 0 && codepage::win1252Code(changed) < 0) {
        return key;
    }
    return changed;
}

std::optional<QChar> amount(QChar key, int code) {
    if (isEditingKey(code) || isDigit(code) || code == '.' || code == ',' || code == kSpace) {
        return key;
    }
    return std::nullopt;
}

std::optional<QChar> orderNumber(QChar key, int code) {
    if (isEditingKey(code) || isDigit(code) || isNumberPunctuation(code)) {
        return key;
    }
    return std::nullopt;
}

std::optional<QChar> searchText(QChar key, int code) {
    if (isAsciiLower(code)) {
        return asciiUpper(key);
    }
    if (isEditingKey(code) || isDigit(code) || isNumberPunctuation(code) || code == kSpace ||
        isAsciiUpper(code)) {
        return key;
    }
    return std::nullopt;
}

} // namespace

std::optional<QChar> filterKey(KeyFilterMode mode, QChar key) {
    const int code = codepage::win1252Code(key);
    switch (mode) {
    case KeyFilterMode::None:
        return key;
    case KeyFilterMode::Capitals:
        return changeCase(key, true);
    case KeyFilterMode::LowerCase:
        return changeCase(key, false);
    case KeyFilterMode::Amount:
        return amount(key, code);
    case KeyFilterMode::OrderNumber:
        return orderNumber(key, code);
    case KeyFilterMode::Digits:
        return isEditingKey(code) || isDigit(code) ? std::optional<QChar>(key) : std::nullopt;
    case KeyFilterMode::SearchText:
        return searchText(key, code);
    case KeyFilterMode::Login:
        return isAsciiLower(code) ? asciiUpper(key) : key;
    }
    return key;
}

QString filterText(KeyFilterMode mode, const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (const auto kept = filterKey(mode, c)) {
            out.append(*kept);
        }
    }
    return out;
}
