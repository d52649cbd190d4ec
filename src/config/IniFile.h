#pragma once

#include <QString>

// Windows-style ini files in Windows-1252, as the settings file has always been written.
// Section and key names compare without regard to case; values are kept as written.

// The value of `key` in `section`, at most 255 characters; empty when file, section or key
// is missing.
QString LeIni(const QString& path, const QString& section, const QString& key);

// Writes `value` under `key` in `section`, creating the folder, file, section or key as
// needed and keeping every other line. Throws Error when the file cannot be written.
void GravaIni(const QString& path, const QString& section, const QString& key,
              const QString& value);
