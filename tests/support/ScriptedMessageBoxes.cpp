#include "support/ScriptedMessageBoxes.h"

#include <QtGlobal>

ScriptedMessageBoxes::ScriptedMessageBoxes(std::initializer_list<bool> answers)
    : m_answers(answers) {}

void ScriptedMessageBoxes::show(Icon icon, const QString& caption, const QString& text) {
    m_messages.append(Message{icon, caption, text, false});
}

bool ScriptedMessageBoxes::askYesNo(Icon icon, const QString& caption, const QString& text) {
    m_messages.append(Message{icon, caption, text, true});
    if (m_answers.empty()) {
        ++m_unscripted;
        if (!m_tolerateUnscripted) {
            qFatal("Unscripted question [%s] %s", qPrintable(caption), qPrintable(text));
        }
        return false;
    }
    const bool yes = m_answers.front();
    m_answers.pop_front();
    return yes;
}

void ScriptedMessageBoxes::answer(std::initializer_list<bool> answers) {
    m_answers.insert(m_answers.end(), answers.begin(), answers.end());
}

QStringList ScriptedMessageBoxes::texts() const {
    QStringList out;
    for (const Message& m : m_messages) {
        out.append(m.text);
    }
    return out;
}

void ScriptedMessageBoxes::clear() {
    m_messages.clear();
    m_answers.clear();
    m_unscripted = 0;
}
