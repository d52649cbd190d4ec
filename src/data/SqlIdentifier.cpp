#include "data/SqlIdentifier.h"

#include <stdexcept>

namespace sqlIdentifier {

bool isPlain(const QString& name) {
    if (name.isEmpty() || name.size() > 63)
        return false;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name.at(i).unicode();
        const bool letter = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_';
        const bool digit = c >= u'0' && c <= u'9';
        if (!letter && !(digit && i > 0))
            return false;
    }
    return true;
}

const QString& require(const QString& name) {
    if (!isPlain(name))
        throw std::invalid_argument("not a plain SQL identifier: " + name.toStdString());
    return name;
}

} // namespace sqlIdentifier
