#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// Refuses a second running copy on the same home. The lock dies with its process, so a
// crashed copy never blocks the next start.
class SingleInstance {
public:
    explicit SingleInstance(const QString& homeRoot);
    bool acquire();

private:
    std::unique_ptr<QLockFile> m_lock;
};
