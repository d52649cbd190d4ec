#include "common/screens/LoggingMessageBoxes.h"

#include <QFile>

LoggingMessageBoxes::LoggingMessageBoxes(const QString& path, std::deque<bool> answers)
    : m_path(path), m_answers(std::move(answers)) {}

void LoggingMessageBoxes::show(Icon icon, const QString& caption, const QString& text) {
    append(icon, caption, text);
}

bool LoggingMessageBoxes::askYesNo(Icon icon, const QString& caption, const QString& text) {
    append(icon, caption, text);
    if (m_answers.empty()) {
        return true;
    }
    const bool answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

std::deque<bool> LoggingMessageBoxes::answersFromText(const QString& text) {
    std::deque<bool> answers;
    for (const QChar c : text.toUpper()) {
        if (c == u'Y' || c == u'S') {
            answers.push_back(true);
        } else if (c == u'N') {
            answers.push_back(false);
        }
    }
    return answers;
}

QString LoggingMessageBoxes::formatLine(Icon icon, const QString& caption, const QString& text) {
    QString flat = text;
    flat.replace(QStringLiteral("\r\n"), QStringLiteral("\\n"));
    flat.replace(u'\n', QStringLiteral("\\n"));
    return messageIconName(icon) + u'\t' + caption + u'\t' + flat + u'\n';
}

// Opened per message so that every line is on disk even if the run ends abruptly.
void LoggingMessageBoxes::append(Icon icon, const QString& caption, const QString& text) {
    QFile file(m_path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        file.write(formatLine(icon, caption, text).toUtf8());
    }
}
