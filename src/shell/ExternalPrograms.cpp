#include "shell/ExternalPrograms.h"

#include "common/Error.h"
#include "config/IniFile.h"
#include "config/Settings.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

QString findProgram(const QString& name, const QStringList& searchPaths) {
    if (QFileInfo(name).isAbsolute()) {
        const QFileInfo file(name);
        return file.isFile() && file.isExecutable() ? name : QString();
    }
    return QStandardPaths::findExecutable(name, searchPaths);
}

[[noreturn]] void notFound(const QString& what) {
    throw Error(QStringLiteral("Programa não encontrado: ") + what, ExternalPrograms::kNotFound);
}

} // namespace

QString ExternalPrograms::iniKey(Program program) {
    return program == Program::BlocoDeNotas ? QStringLiteral("BlocoDeNotas")
                                            : QStringLiteral("Calculadora");
}

QStringList ExternalPrograms::defaults(Program program) {
#ifdef Q_OS_WIN
    return {program == Program::BlocoDeNotas ? QStringLiteral("notepad")
                                             : QStringLiteral("calc.exe")};
#else
    if (program == Program::BlocoDeNotas) {
        return {QStringLiteral("gnome-text-editor"), QStringLiteral("gedit"),
                QStringLiteral("mousepad"), QStringLiteral("kate"), QStringLiteral("pluma")};
    }
    return {QStringLiteral("gnome-calculator"), QStringLiteral("galculator"),
            QStringLiteral("kcalc"), QStringLiteral("xcalc")};
#endif
}

QStringList ExternalPrograms::resolve(Program program, const QString& iniPath,
                                      const QStringList& searchPaths) {
    const QString configured = LeIni(iniPath, Settings::kSection, iniKey(program)).trimmed();
    if (!configured.isEmpty()) {
        QStringList command = QProcess::splitCommand(configured);
        const QString found = command.isEmpty() ? QString() : findProgram(command[0], searchPaths);
        if (found.isEmpty()) {
            notFound(configured);
        }
        command[0] = found;
        return command;
    }
    const QStringList candidates = defaults(program);
    for (const QString& candidate : candidates) {
        const QString found = findProgram(candidate, searchPaths);
        if (!found.isEmpty()) {
            return {found};
        }
    }
    notFound(candidates.join(QStringLiteral(", ")));
}

void ExternalPrograms::start(Program program, const QString& iniPath) {
    QStringList command = resolve(program, iniPath);
    const QString executable = command.takeFirst();
    if (!QProcess::startDetached(executable, command)) {
        notFound(executable);
    }
}
