#pragma once

#include <QString>

// The settings file's scrambling: each character's Windows-1252 code XOR its 1-based
// position, after trimming. Applying it twice gives the trimmed text back.
QString EmbaralhaTexto(const QString& text);
