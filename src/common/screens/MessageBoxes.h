#pragma once

#include <QString>
#include <memory>

// Every message a screen shows goes through this, so a test or a scripted run can read the
// exact texts and answer the questions.
class MessageBoxes {
public:
    enum class Icon { None, Information, Question, Warning, Critical };

    virtual ~MessageBoxes() = default;

    virtual void show(Icon icon, const QString& caption, const QString& text) = 0;
    // true = Yes
    virtual bool askYesNo(Icon icon, const QString& caption, const QString& text) = 0;
};

QString messageIconName(MessageBoxes::Icon icon);
