#include "common/screens/MessageBoxes.h"

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
