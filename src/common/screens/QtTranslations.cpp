#include "common/screens/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool instalaTraducoesQt(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    const QLocale brasil(QLocale::Portuguese, QLocale::Brazil);
    if (!translator->load(brasil, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}
