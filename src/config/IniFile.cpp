#include "config/IniFile.h"

#include "common/Codepage.h"
#include "common/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

namespace {

constexpr int kMaxValueLength = 255;

QStringList readLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QString text = codepage::fromWin1252(file.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.constLast().isEmpty()) {
        lines.removeLast();
    }
    return lines;
}

// "[name]" gives name; anything else gives a null string.
QString sectionName(const QString& line) {
    const QString t = line.trimmed();
    if (t.size() >= 2 && t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']'))) {
        return t.mid(1, t.size() - 2).trimmed();
    }
    return {};
}

bool keyOf(const QString& line, QString& key, QString& value) {
    const int eq = line.indexOf(QLatin1Char('='));
    if (eq <= 0 || line.trimmed().startsWith(QLatin1Char(';'))) {
        return false;
    }
    key = line.left(eq).trimmed();
    value = line.mid(eq + 1).trimmed();
    // A value that had to keep outer blanks was written quoted.
    if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) &&
        value.endsWith(QLatin1Char('"'))) {
        value = value.mid(1, value.size() - 2);
    }
    return true;
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString encodedValue(const QString& value) {
    const bool needsQuotes = value != value.trimmed() || value.startsWith(QLatin1Char('"'));
    return needsQuotes ? QLatin1Char('"') + value + QLatin1Char('"') : value;
}

} // namespace

QString LeIni(const QString& path, const QString& section, const QString& key) {
    bool inSection = false;
    for (const QString& line : readLines(path)) {
        const QString name = sectionName(line);
        if (!name.isNull()) {
            inSection = sameName(name, section);
            continue;
        }
        QString k;
        QString v;
        if (inSection && keyOf(line, k, v) && sameName(k, key)) {
            return v.left(kMaxValueLength);
        }
    }
    return {};
}

void GravaIni(const QString& path, const QString& section, const QString& key,
              const QString& value) {
    QStringList lines = readLines(path);
    const QString entry = key + QLatin1Char('=') + encodedValue(value);

    int sectionStart = -1;
    int sectionEnd = -1; // one past the last non-blank line of the section
    bool written = false;
    for (int i = 0; i < lines.size() && !written; ++i) {
        const QString name = sectionName(lines.at(i));
        if (!name.isNull()) {
            if (sectionStart >= 0) {
                break;
            }
            if (sameName(name, section)) {
                sectionStart = i;
                sectionEnd = i + 1;
            }
            continue;
        }
        if (sectionStart < 0) {
            continue;
        }
        if (!lines.at(i).trimmed().isEmpty()) {
            sectionEnd = i + 1;
        }
        QString k;
        QString v;
        if (keyOf(lines.at(i), k, v) && sameName(k, key)) {
            lines[i] = entry;
            written = true;
        }
    }
    if (!written) {
        if (sectionStart < 0) {
            lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
            lines.append(entry);
        } else {
            lines.insert(sectionEnd, entry);
        }
    }

    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        throw Error(file.errorString());
    }
    file.write(codepage::toWin1252(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
    if (!file.commit()) {
        throw Error(file.errorString());
    }
}
