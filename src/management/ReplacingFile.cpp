#include "management/ReplacingFile.h"

#include "data/DbError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <filesystem>
#include <system_error>

namespace {

DbError writeError(const QString& path, const QString& reason) {
    return DbError(DbError::kGeneric, QStringLiteral("Não foi possível gravar o arquivo %1: %2")
                                          .arg(QDir::toNativeSeparators(path), reason));
}

std::filesystem::path nativePath(const QString& path) {
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

} // namespace

ReplacingFile::ReplacingFile(const QString& target) : m_target(target) {
    const QFileInfo info(target);
    // Reserves a name no other run uses; the writer then overwrites the empty file.
    QTemporaryFile reserve(info.absolutePath() + QStringLiteral("/~") + info.completeBaseName() +
                           QStringLiteral("-XXXXXX.tmp"));
    reserve.setAutoRemove(false);
    if (!reserve.open())
        throw writeError(target, reserve.errorString());
    // A reserved name is private to its owner; the export is an ordinary file.
    reserve.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                           QFileDevice::ReadGroup | QFileDevice::ReadOther);
    m_temporary = reserve.fileName();
}

ReplacingFile::~ReplacingFile() {
    if (!m_committed)
        QFile::remove(m_temporary);
}

void ReplacingFile::commit() {
    std::error_code error;
    // Replaces an existing file in one step; refuses to replace a folder.
    std::filesystem::rename(nativePath(m_temporary), nativePath(m_target), error);
    if (error)
        throw writeError(m_target, QString::fromLocal8Bit(error.message()));
    m_committed = true;
}

void ensureFolder(const QString& folder) {
    if (QFileInfo(folder).isDir())
        return;
    if (!QDir().mkpath(folder))
        throw DbError(DbError::kGeneric, QStringLiteral("Não foi possível criar a pasta %1.")
                                             .arg(QDir::toNativeSeparators(folder)));
}
