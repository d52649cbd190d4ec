#include "config/AppHome.h"

#include "config/Settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <stdexcept>

AppHome::AppHome(const QString& root) : m_root(QDir::cleanPath(QDir(root).absolutePath())) {}

AppHome AppHome::resolve() {
    const QString fromEnv = qEnvironmentVariable("BRISKO_HOME");
    if (!fromEnv.isEmpty()) {
        return AppHome(fromEnv);
    }
#ifdef Q_OS_WIN
    return AppHome(QCoreApplication::applicationDirPath());
#else
    return AppHome(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                   QStringLiteral("/Brisko"));
#endif
}

bool AppHome::exists() const {
    return QFileInfo(m_root).isDir();
}

QString AppHome::iniPath() const {
    return m_root + QStringLiteral("/Configuracao/Configuracao.ini");
}
QString AppHome::dbFolder() const {
    return m_root + QStringLiteral("/DB/");
}
QString AppHome::imagesFolder() const {
    return m_root + QStringLiteral("/Imagens/");
}
QString AppHome::iconFolder() const {
    return m_root + QStringLiteral("/Icon/");
}
QString AppHome::reportsFolder() const {
    return m_root + QStringLiteral("/reports/");
}
QString AppHome::supportFolder() const {
    return m_root + QStringLiteral("/Suporte/");
}
QString AppHome::cupomPath() const {
    return m_root + QStringLiteral("/Cupom.txt");
}

QString AppHome::backupFolder() {
#ifdef Q_OS_WIN
    return QStringLiteral("c:/Brisko Backup/");
#else
    return QDir::homePath() + QStringLiteral("/Brisko Backup/");
#endif
}

QString AppHome::exportsFolder() {
#ifdef Q_OS_WIN
    return QStringLiteral("c:/Brisko_Relatorios/");
#else
    return QDir::homePath() + QStringLiteral("/Brisko_Relatorios/");
#endif
}

void AppHome::createDefault() const {
    QDir dir;
    for (const QString& folder :
         {QStringLiteral("/Configuracao"), QStringLiteral("/DB"), QStringLiteral("/Imagens"),
          QStringLiteral("/Icon"), QStringLiteral("/reports"), QStringLiteral("/Suporte")}) {
        dir.mkpath(m_root + folder);
    }
    Settings::write(iniPath(), 5, QStringLiteral("servidor"));
    Settings::write(iniPath(), 6, QStringLiteral("CUPOM"));
    Settings::write(iniPath(), 8, QStringLiteral("1"));
    Settings::write(iniPath(), 13, QStringLiteral("N"));
    // No remote server is configured on a new machine.
    Settings::write(iniPath(), 15, QStringLiteral("N"));
}

void AppHome::createDefaultAtomically(
    const std::function<void(const AppHome& staged)>& finish) const {
    const AppHome staged(m_root + QStringLiteral(".novo"));
    // What an interrupted first start left behind.
    QDir(staged.root()).removeRecursively();
    if (!QDir().mkpath(staged.root())) {
        throw std::runtime_error(QStringLiteral("Não foi possível criar a pasta %1.")
                                     .arg(QDir::toNativeSeparators(staged.root()))
                                     .toStdString());
    }
    staged.createDefault();
    finish(staged);
    if (!QDir().rename(staged.root(), m_root)) {
        QDir(staged.root()).removeRecursively();
        throw std::runtime_error(QStringLiteral("Não foi possível criar a pasta %1.")
                                     .arg(QDir::toNativeSeparators(m_root))
                                     .toStdString());
    }
}
