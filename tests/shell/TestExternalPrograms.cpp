#include "app/IniFile.h"
#include "data/DbError.h"
#include "shell/ExternalPrograms.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(ExternalPrograms::Program)

namespace {

using Program = ExternalPrograms::Program;

QString makeExecutable(const QString& folder, const QString& name) {
    const QString path = folder + QLatin1Char('/') + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        qFatal("cannot write %s", qPrintable(path));
    }
    file.write("#!/bin/sh\n");
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

} // namespace

class TestExternalPrograms : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void programs_data() {
        QTest::addColumn<Program>("program");
        QTest::addColumn<QString>("key");
        QTest::newRow("notepad") << Program::BlocoDeNotas << "BlocoDeNotas";
        QTest::newRow("calculator") << Program::Calculadora << "Calculadora";
    }

    void firstDefaultFoundWins_data() { programs_data(); }
    void firstDefaultFoundWins() {
        QFETCH(Program, program);
        QTemporaryDir dir;
        const QStringList defaults = ExternalPrograms::defaults(program);
        QVERIFY(defaults.size() >= 2);
        // Only the second and the last are installed: the earlier of them is taken.
        const QString second = makeExecutable(dir.path(), defaults[1]);
        makeExecutable(dir.path(), defaults.last());
        QCOMPARE(ExternalPrograms::resolve(program, dir.filePath(QStringLiteral("none.ini")),
                                           {dir.path()}),
                 QStringList{second});
    }

    void iniOverridesWithArguments_data() { programs_data(); }
    void iniOverridesWithArguments() {
        QFETCH(Program, program);
        QFETCH(QString, key);
        QTemporaryDir dir;
        makeExecutable(dir.path(), ExternalPrograms::defaults(program).first());
        const QString mine = makeExecutable(dir.path(), QStringLiteral("meu editor"));
        const QString ini = dir.filePath(QStringLiteral("Configuracao.ini"));
        GravaIni(ini, QStringLiteral("Geral"), key, QStringLiteral("\"meu editor\" --novo"));
        QCOMPARE(ExternalPrograms::resolve(program, ini, {dir.path()}),
                 (QStringList{mine, QStringLiteral("--novo")}));
    }

    void nothingFoundIsAnError_data() {
        QTest::addColumn<QString>("configured");
        QTest::newRow("no default installed") << QString();
        QTest::newRow("configured program missing") << "/nao/existe/editor";
    }
    void nothingFoundIsAnError() {
        QFETCH(QString, configured);
        QTemporaryDir dir;
        const QString ini = dir.filePath(QStringLiteral("Configuracao.ini"));
        if (!configured.isEmpty()) {
            GravaIni(ini, QStringLiteral("Geral"), QStringLiteral("BlocoDeNotas"), configured);
        }
        try {
            ExternalPrograms::resolve(Program::BlocoDeNotas, ini, {dir.path()});
            QFAIL("no error");
        } catch (const DbError& e) {
            QCOMPARE(e.number(), ExternalPrograms::kNotFound);
            QVERIFY(e.description().contains(
                configured.isEmpty() ? ExternalPrograms::defaults(Program::BlocoDeNotas).first()
                                     : configured));
        }
    }
};

QTEST_GUILESS_MAIN(TestExternalPrograms)
#include "TestExternalPrograms.moc"
