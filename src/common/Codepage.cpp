#include "common/Codepage.h"

#include <array>

namespace codepage {
namespace {

// 0x80..0x9F; the rest of the page coincides with Latin-1.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

int win1252Code(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
        return u;
    }
    for (std::size_t i = 0; i < kHigh.size(); ++i) {
        if (kHigh[i] == u) {
            return static_cast<int>(0x80 + i);
        }
    }
    return -1;
}

QChar fromWin1252Code(int code) {
    code &= 0xFF;
    if (code >= 0x80 && code < 0xA0) {
        return QChar(kHigh[static_cast<std::size_t>(code - 0x80)]);
    }
    return QChar(static_cast<char16_t>(code));
}

QByteArray toWin1252(const QString& text, char replacement) {
    QByteArray out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const int code = win1252Code(c);
        out.append(code < 0 ? replacement : static_cast<char>(code));
    }
    return out;
}

QString fromWin1252(const QByteArray& bytes) {
    QString out;
    out.reserve(bytes.size());
    for (const char b : bytes) {
        out.append(fromWin1252Code(static_cast<unsigned char>(b)));
    }
    return out;
}

} // namespace codepage
