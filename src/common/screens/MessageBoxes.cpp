#include "common/screens/MessageBoxes.h"

#include "common/screens/LoggingMessageBoxes.h"
#include "common/screens/QtMessageBoxes.h"

#include <QProcessEnvironment>

namespace {
const QString kLogPrefix = QStringLiteral("log:");
}

QString messageIconName(MessageBoxes::Icon icon) {
    switch (icon) {
    case MessageBoxes::Icon::None:
        return QStringLiteral("None");
    case MessageBoxes::Icon::Information:
        return QStringLiteral("Information");
    case MessageBoxes::Icon::Question:
        return QStringLiteral("Question");
    case MessageBoxes::Icon::Warning:
        return QStringLiteral("Warning");
    case MessageBoxes::Icon::Critical:
        return QStringLiteral("Critical");
    }
    return QString();
}

std::unique_ptr<MessageBoxes> makeMessageBoxes() {
    const auto env = QProcessEnvironment::systemEnvironment();
    const QString target = env.value(QStringLiteral("BRISKO_MSGBOX"));
    if (target.startsWith(kLogPrefix)) {
        return std::make_unique<LoggingMessageBoxes>(
            target.mid(kLogPrefix.size()), LoggingMessageBoxes::answersFromText(
                                               env.value(QStringLiteral("BRISKO_MSGBOX_ANSWERS"))));
    }
    return std::make_unique<QtMessageBoxes>();
}
