#include "data/ConnectionSpec.h"

#include <QUrl>
#include <QUrlQuery>

ConnectionSpec ConnectionSpec::sqlite(const QString& file) {
    ConnectionSpec spec;
    spec.engine = Engine::Sqlite;
    spec.sqliteFile = file;
    return spec;
}

std::optional<ConnectionSpec> ConnectionSpec::fromPostgresUri(const QString& uri) {
    const QUrl url(uri.trimmed(), QUrl::StrictMode);
    if (!url.isValid())
        return std::nullopt;
    const QString scheme = url.scheme().toLower();
    if (scheme != QLatin1String("postgresql") && scheme != QLatin1String("postgres"))
        return std::nullopt;

    ConnectionSpec spec;
    spec.engine = Engine::Postgres;
    spec.host = url.host(QUrl::FullyDecoded);
    spec.port = url.port(5432);
    spec.user = url.userName(QUrl::FullyDecoded);
    spec.password = url.password(QUrl::FullyDecoded);
    QString path = url.path(QUrl::FullyDecoded);
    if (path.startsWith(QLatin1Char('/')))
        path.remove(0, 1);
    if (path.contains(QLatin1Char('/')))
        return std::nullopt;
    spec.databaseName = path;

    // The driver joins its options with ';': a decoded part holding one would smuggle in an
    // option of its own.
    const auto smuggles = [](const QString& part) { return part.contains(QLatin1Char(';')); };
    QStringList options;
    const auto items = QUrlQuery(url).queryItems(QUrl::FullyDecoded);
    for (const auto& [key, value] : items) {
        if (smuggles(key) || smuggles(value))
            return std::nullopt;
        options << key + QLatin1Char('=') + value;
    }
    if (smuggles(spec.host) || smuggles(spec.user) || smuggles(spec.password) ||
        smuggles(spec.databaseName))
        return std::nullopt;
    spec.connectOptions = options.join(QLatin1Char(';'));
    return spec;
}

QString ConnectionSpec::describe() const {
    if (engine == Engine::Sqlite)
        return QStringLiteral("SQLite %1").arg(sqliteFile);
    const QString who = user.isEmpty() ? QString() : user + QLatin1Char('@');
    const QString where = host.isEmpty() ? QStringLiteral("localhost") : host;
    return QStringLiteral("PostgreSQL %1%2:%3/%4").arg(who, where).arg(port).arg(databaseName);
}
