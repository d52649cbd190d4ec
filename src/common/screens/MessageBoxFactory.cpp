#include "common/screens/MessageBoxFactory.h"

#include "common/screens/LoggingMessageBoxes.h"
#include "common/screens/QtMessageBoxes.h"

#include <QProcessEnvironment>

std::unique_ptr<MessageBoxes> makeMessageBoxes() {
    const QString kLogPrefix = QStringLiteral("log:");
    const auto env = QProcessEnvironment::systemEnvironment();
    const QString target = env.value(QStringLiteral("BRISKO_MSGBOX"));
    if (target.startsWith(kLogPrefix)) {
        return std::make_unique<LoggingMessageBoxes>(
            target.mid(kLogPrefix.size()), LoggingMessageBoxes::answersFromText(
                                               env.value(QStringLiteral("BRISKO_MSGBOX_ANSWERS"))));
    }
    return std::make_unique<QtMessageBoxes>();
}
