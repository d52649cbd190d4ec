#pragma once

#include "data/ConnectionSpec.h"

#include <QString>

#include <optional>

// Where the database lives, worked out from setting 5: the word "servidor" (the home's own
// DB folder; this workstation then backs it up), a folder holding Delivery.db, or a
// PostgreSQL URI for workstations sharing one server.
struct DatabaseLocation {
    static inline const QString kFileName = QStringLiteral("Delivery.db");

    ConnectionSpec spec;
    QString gCaminhoBanco; // the folder with its trailing separator; empty for a server
    QString gModoServidor;

    // Nothing when the setting is empty. Throws Error for a URI that cannot be read.
    static std::optional<DatabaseLocation> resolve(const QString& setting5,
                                                   const QString& homeDbFolder);
};
