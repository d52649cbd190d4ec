#pragma once

#include <QChar>
#include <QString>
#include <optional>

// The typing rules of the edit fields. Codes are those of Windows-1252, so a character outside
// that code page is never one of the listed keys.
enum class KeyFilterMode {
    None,
    Capitals,
    LowerCase,
    Amount,
    OrderNumber,
    Digits,
    SearchText,
    Login
};

// The character a typed key inserts under `mode`; nothing when the key is dropped.
std::optional<QChar> filterKey(KeyFilterMode mode, QChar key);

// `text` as if typed key by key: changed characters replaced, dropped ones left out.
QString filterText(KeyFilterMode mode, const QString& text);
