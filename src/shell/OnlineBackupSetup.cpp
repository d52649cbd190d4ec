#include "shell/OnlineBackupSetup.h"

#include "config/Settings.h"

#include <QStringList>

std::variant<OnlineBackupSetup, QString> OnlineBackupSetup::from(const Settings& settings) {
    QStringList problems;
    OnlineBackupSetup setup;
    const QString codigo = settings.gCodigoEmpresa.trimmed();
    bool numeric = false;
    setup.empresa = codigo.toLongLong(&numeric);
    if (codigo.isEmpty())
        problems << QStringLiteral("falta o código da empresa (chave 14 de Configuracao.ini).");
    else if (!numeric)
        problems << QStringLiteral("o código da empresa (chave 14 de Configuracao.ini) não é um "
                                   "número inteiro.");
    const QString key = settings.gServidorRemoto.trimmed();
    const auto remote = RemoteServer::parse(key);
    if (key.isEmpty())
        problems << QStringLiteral("falta o servidor remoto (chave %1 de Configuracao.ini).")
                        .arg(Settings::kServidorRemotoKey);
    else if (!remote)
        problems << QStringLiteral("a chave %1 de Configuracao.ini não é um endereço "
                                   "postgresql:// nem uma conexão ODBC.")
                        .arg(Settings::kServidorRemotoKey);
    if (!problems.isEmpty())
        return QStringLiteral("Backup OnLine não configurado:\n") +
               problems.join(QLatin1Char('\n'));
    setup.remote = *remote;
    return setup;
}
