#include "config/DatabaseLocation.h"

#include "common/Error.h"

std::optional<DatabaseLocation> DatabaseLocation::resolve(const QString& setting5,
                                                          const QString& homeDbFolder) {
    if (setting5.isEmpty()) {
        return std::nullopt;
    }
    DatabaseLocation location;
    if (setting5 == QLatin1String("servidor")) {
        location.gCaminhoBanco = homeDbFolder;
        location.gModoServidor = QStringLiteral("servidor");
    } else if (setting5.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive) ||
               setting5.startsWith(QLatin1String("postgres://"), Qt::CaseInsensitive)) {
        const std::optional<ConnectionSpec> spec = ConnectionSpec::fromPostgresUri(setting5);
        if (!spec) {
            throw Error(QStringLiteral("Endereço do servidor de banco de dados inválido."));
        }
        location.spec = *spec;
        return location;
    } else {
        location.gCaminhoBanco = setting5;
        // A folder written without its separator still means that folder.
        if (!location.gCaminhoBanco.endsWith(QLatin1Char('/')) &&
            !location.gCaminhoBanco.endsWith(QLatin1Char('\\'))) {
            location.gCaminhoBanco += QLatin1Char('/');
        }
    }
    location.spec = ConnectionSpec::sqlite(location.gCaminhoBanco + kFileName);
    return location;
}
