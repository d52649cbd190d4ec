#include "common/Error.h"
#include "config/IniFile.h"
#include "shell/ExternalPrograms.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(ExternalPrograms::Program)

namespace {

using Program = ExternalPrograms::Program;

QString makeExecutable(const QTemporaryDir& dir, const QString& name) {
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write("#!/bin/sh\n") < 0) {
        qFatal("cannot write %s", qPrintable(file.fileName()));
    }
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return file.fileName();
}

} // namespace

class TestExternalPrograms : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void resolution_data() {
        QTest::addColumn<Program>("program");
        QTest::addColumn<QString>("configured");
        QTest::addColumn<QStringList>("expected"); // names in the folder; empty: not found
        QTest::newRow("notepad: first default present")
            << Program::BlocoDeNotas << "" << QStringList{"gedit"};
        QTest::newRow("calculator: first default present")
            << Program::Calculadora << "" << QStringList{"galculator"};
        QTest::newRow("configured, with arguments")
            << Program::BlocoDeNotas << "\"meu editor\" --novo"
            << QStringList{"meu editor", "--novo"};
        QTest::newRow("configured but missing")
            << Program::Calculadora << "/nao/existe/calc" << QStringList{};
    }
    void resolution() {
        QFETCH(Program, program);
        QFETCH(QString, configured);
        QFETCH(QStringList, expected);
        QTemporaryDir dir;
        const QStringList defaults = ExternalPrograms::defaults(program);
        // The second and the last default are installed, and a program of our own.
        makeExecutable(dir, defaults[1]);
        makeExecutable(dir, defaults.last());
        makeExecutable(dir, QStringLiteral("meu editor"));
        const QString ini = dir.filePath(QStringLiteral("Configuracao.ini"));
        if (!configured.isEmpty()) {
            GravaIni(ini, QStringLiteral("Geral"), ExternalPrograms::iniKey(program), configured);
        }
        try {
            QStringList command = ExternalPrograms::resolve(program, ini, {dir.path()});
            QVERIFY(!expected.isEmpty());
            expected[0] = dir.filePath(expected[0].isEmpty() ? defaults[1] : expected[0]);
            QCOMPARE(command, expected);
        } catch (const Error& e) {
            QVERIFY2(expected.isEmpty(), qPrintable(e.description()));
            QCOMPARE(e.number(), ExternalPrograms::kNotFound);
            QVERIFY(e.description().contains(configured));
        }
    }

    void nothingInstalledNamesTheDefaults() {
        QTemporaryDir dir;
        try {
            ExternalPrograms::resolve(Program::BlocoDeNotas, dir.filePath(QStringLiteral("x.ini")),
                                      {dir.path()});
            QFAIL("no error");
        } catch (const Error& e) {
            QCOMPARE(e.number(), ExternalPrograms::kNotFound);
            QVERIFY(e.description().contains(
                ExternalPrograms::defaults(Program::BlocoDeNotas).join(QStringLiteral(", "))));
        }
    }
};

QTEST_GUILESS_MAIN(TestExternalPrograms)
#include "TestExternalPrograms.moc"
