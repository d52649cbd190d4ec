#pragma once

#include "common/screens/MessageBoxes.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <deque>
#include <initializer_list>

// Records every message a screen shows, in order, and answers questions from a script.
// A question with nothing left in the script is a test fault: it aborts the test run with
// the question's text, unless tolerated, in which case it answers No and is counted.
class ScriptedMessageBoxes : public MessageBoxes {
public:
    struct Message {
        Icon icon;
        QString caption;
        QString text;
        bool question;
    };

    ScriptedMessageBoxes() = default;
    explicit ScriptedMessageBoxes(std::initializer_list<bool> answers);

    void show(Icon icon, const QString& caption, const QString& text) override;
    bool askYesNo(Icon icon, const QString& caption, const QString& text) override;

    void answer(std::initializer_list<bool> answers);
    void tolerateUnscripted(bool tolerate) { m_tolerateUnscripted = tolerate; }

    const QList<Message>& messages() const { return m_messages; }
    QStringList texts() const;
    int count() const { return static_cast<int>(m_messages.size()); }
    // The last message; only valid when count() > 0.
    const Message& last() const { return m_messages.back(); }
    int pendingAnswers() const { return static_cast<int>(m_answers.size()); }
    int unscriptedQuestions() const { return m_unscripted; }
    void clear();

private:
    QList<Message> m_messages;
    std::deque<bool> m_answers;
    int m_unscripted = 0;
    bool m_tolerateUnscripted = false;
};
