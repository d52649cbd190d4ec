#pragma once

#include <QString>
#include <QStringList>

// The platform's text editor and calculator, started from the utilities menu. Each can be
// named in the settings file (section Geral, keys BlocoDeNotas and Calculadora) as a program
// with optional arguments; otherwise the first of a short list of usual programs found on
// the PATH is used.
class ExternalPrograms {
public:
    enum class Program { BlocoDeNotas, Calculadora };

    // The number a program that cannot be found or started is reported with.
    static constexpr int kNotFound = 53;

    static QString iniKey(Program program);
    // The usual programs of this platform, in order of preference.
    static QStringList defaults(Program program);

    // The program and its arguments: the ini override when set, else the first default found.
    // `searchPaths` empty means the PATH. Throws Error(kNotFound) when nothing is found.
    static QStringList resolve(Program program, const QString& iniPath,
                               const QStringList& searchPaths = {});

    // Starts it detached. Throws Error(kNotFound) when it cannot be found or started.
    static void start(Program program, const QString& iniPath);
};
