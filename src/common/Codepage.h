#pragma once

#include <QByteArray>
#include <QString>

// Windows-1252, the code page of the settings file and of the receipt by default.
// Bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D have no letter and map to the control characters of
// the same code, as Windows does, so every byte survives a round trip.
namespace codepage {

// The Windows-1252 code of a character; -1 when the character has none.
int win1252Code(QChar c);
QChar fromWin1252Code(int code);

QByteArray toWin1252(const QString& text, char replacement = '?');
QString fromWin1252(const QByteArray& bytes);

// The DOS code pages receipt printers offer: 850 (multilingual) and 860 (Portuguese). Bytes
// below 0x80 are ASCII in both; a character outside the page becomes `replacement`.
QByteArray toCp850(const QString& text, char replacement = '?');
QByteArray toCp860(const QString& text, char replacement = '?');

} // namespace codepage
