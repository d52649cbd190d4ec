#pragma once

#include "common/screens/MessageBoxes.h"

#include <deque>

// Writes each message as one line "icon<TAB>caption<TAB>text" (line breaks in the text as the
// two characters \n) and answers questions from a queue, Yes once the queue is empty. Lets a
// run of the program without anyone at the screen be checked afterwards.
class LoggingMessageBoxes : public MessageBoxes {
public:
    explicit LoggingMessageBoxes(const QString& path, std::deque<bool> answers = {});

    void show(Icon icon, const QString& caption, const QString& text) override;
    bool askYesNo(Icon icon, const QString& caption, const QString& text) override;

    // "YNS": Y and S are Yes, N is No, anything else is skipped.
    static std::deque<bool> answersFromText(const QString& text);
    static QString formatLine(Icon icon, const QString& caption, const QString& text);

private:
    void append(Icon icon, const QString& caption, const QString& text);

    QString m_path;
    std::deque<bool> m_answers;
};
