#pragma once

#include <QString>

// A file written under a temporary name beside its target and put in the target's place only
// when complete, so a failure at any point leaves the previous file as it was. The temporary
// file is removed unless commit() succeeded. Throws DbError.
class ReplacingFile {
public:
    explicit ReplacingFile(const QString& target);
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    const QString& target() const { return m_target; }
    const QString& temporaryPath() const { return m_temporary; }
    void commit();

private:
    QString m_target;
    QString m_temporary;
    bool m_committed = false;
};

// Creates `folder` with its parents when missing. Throws DbError.
void ensureFolder(const QString& folder);
