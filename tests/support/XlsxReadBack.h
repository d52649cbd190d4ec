#pragma once

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtGlobal>

// An .xlsx file as an independent reader (openpyxl, through support/xlsx_dump.py) sees it.
inline QJsonObject readBack(const QString& path) {
    // Debian's own interpreter, the one its python3-openpyxl is installed for.
    const QString interpreter = QFileInfo::exists(QStringLiteral("/usr/bin/python3"))
                                    ? QStringLiteral("/usr/bin/python3")
                                    : QStringLiteral("python3");
    QProcess python;
    python.start(interpreter,
                 {QStringLiteral(BRISKO_TEST_SOURCE_DIR "/support/xlsx_dump.py"), path});
    if (!python.waitForFinished(60000) || python.exitCode() != 0)
        qFatal("openpyxl could not read %s: %s", qPrintable(path),
               python.readAllStandardError().constData());
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}
