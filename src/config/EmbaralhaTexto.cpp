#include "config/EmbaralhaTexto.h"

#include "common/Codepage.h"

namespace {

// Blanks only: a tab or another control character is part of the value.
QString trimBlanks(const QString& text) {
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text.at(start) == QLatin1Char(' ')) {
        ++start;
    }
    while (end > start && text.at(end - 1) == QLatin1Char(' ')) {
        --end;
    }
    return text.mid(start, end - start);
}

} // namespace

QString EmbaralhaTexto(const QString& text) {
    const QString trimmed = trimBlanks(text);
    QString out;
    out.reserve(trimmed.size());
    for (qsizetype i = 0; i < trimmed.size(); ++i) {
        int code = codepage::win1252Code(trimmed.at(i));
        if (code < 0) {
            code = '?'; // what the ANSI conversion makes of a character it cannot hold
        }
        out.append(codepage::fromWin1252Code(code ^ static_cast<int>((i + 1) & 0xFF)));
    }
    return out;
}
