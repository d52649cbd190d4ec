#include "app/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>

SingleInstance::SingleInstance(const QString& homeRoot) {
    // In the temporary folder rather than the home: the home may be a read-only or shared
    // folder, and the check comes before anything is read from it.
    const QByteArray id =
        QCryptographicHash::hash(homeRoot.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    m_lock = std::make_unique<QLockFile>(QDir::tempPath() + QStringLiteral("/brisko-") +
                                         QString::fromLatin1(id) + QStringLiteral(".lock"));
    m_lock->setStaleLockTime(0);
}

bool SingleInstance::acquire() {
    return m_lock->tryLock(0);
}
