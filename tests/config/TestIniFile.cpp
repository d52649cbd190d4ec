#include "config/IniFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestIniFile : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString writeRaw(const QByteArray& bytes) {
        const QString path = m_dir.filePath(QStringLiteral("raw.ini"));
        QFile file(path);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(bytes);
        return path;
    }

    static QByteArray readRaw(const QString& path) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }

private Q_SLOTS:
    void missingFileSectionOrKeyReadsEmpty() {
        QCOMPARE(LeIni(m_dir.filePath(QStringLiteral("none.ini")), QStringLiteral("Geral"),
                       QStringLiteral("5")),
                 QString());
        const QString path = writeRaw("[Outra]\r\n5=x\r\n[Geral]\r\n1=a\r\n");
        QCOMPARE(LeIni(path, QStringLiteral("Geral"), QStringLiteral("5")), QString());
        QCOMPARE(LeIni(path, QStringLiteral("Nada"), QStringLiteral("1")), QString());
        QCOMPARE(LeIni(path, QStringLiteral("Outra"), QStringLiteral("5")), QStringLiteral("x"));
    }

    void namesIgnoreCaseAndValuesKeepIt() {
        const QString path = writeRaw("[GERAL]\n  Chave = Valor Misto \n");
        QCOMPARE(LeIni(path, QStringLiteral("geral"), QStringLiteral("CHAVE")),
                 QStringLiteral("Valor Misto"));
    }

    void valueIsCappedAt255Characters() {
        const QByteArray value(300, 'x');
        const QString path = writeRaw("[Geral]\r\n1=" + value + "\r\n");
        QCOMPARE(LeIni(path, QStringLiteral("Geral"), QStringLiteral("1")).size(), 255);
    }

    void fileIsReadAndWrittenInWindows1252() {
        const QString path = writeRaw("[Geral]\r\n2=Pizzaria Cora\xE7\xE3o \x80\r\n");
        QCOMPARE(LeIni(path, QStringLiteral("Geral"), QStringLiteral("2")),
                 QStringLiteral("Pizzaria Coração €"));

        GravaIni(path, QStringLiteral("Geral"), QStringLiteral("3"), QStringLiteral("Açaí"));
        QVERIFY(readRaw(path).contains("3=A\xE7"
                                       "a\xED\r\n"));
    }

    void writingCreatesFolderFileAndSection() {
        const QString path = m_dir.filePath(QStringLiteral("novo/Configuracao/Configuracao.ini"));
        GravaIni(path, QStringLiteral("Geral"), QStringLiteral("6"), QStringLiteral("CUPOM"));
        QCOMPARE(readRaw(path), QByteArray("[Geral]\r\n6=CUPOM\r\n"));
    }

    void writingReplacesOnlyItsKeyAndKeepsTheRest() {
        const QString path =
            writeRaw("; comentário\r\n[Geral]\r\n1=um\r\n2=dois\r\n\r\n[Outra]\r\n2=outro\r\n");
        GravaIni(path, QStringLiteral("geral"), QStringLiteral("2"), QStringLiteral("novo"));
        GravaIni(path, QStringLiteral("Geral"), QStringLiteral("9"), QStringLiteral("nove"));
        QCOMPARE(readRaw(path), QByteArray("; comentário\r\n[Geral]\r\n1=um\r\n2=novo\r\n9=nove\r\n"
                                           "\r\n[Outra]\r\n2=outro\r\n"));
    }

    void outerBlanksQuotesAndControlCharactersSurviveARoundTrip() {
        const QString path = m_dir.filePath(QStringLiteral("blanks.ini"));
        const QStringList values = {QStringLiteral(" lead"),
                                    QStringLiteral("trail "),
                                    QStringLiteral("\"quoted\""),
                                    QStringLiteral("a=b"),
                                    QStringLiteral(" c:\\x41\\ "),
                                    QStringLiteral("\nline\r\x0b") + QChar(0) +
                                        QStringLiteral("\\x41\t")};
        for (const QString& v : values) {
            GravaIni(path, QStringLiteral("Geral"), QStringLiteral("1"), v);
            QCOMPARE(LeIni(path, QStringLiteral("Geral"), QStringLiteral("1")), v);
        }
    }

    void unwritableFileThrows() {
        const QString blocker = m_dir.filePath(QStringLiteral("file"));
        writeRaw("");
        QFile(m_dir.filePath(QStringLiteral("raw.ini"))).copy(blocker);
        // A file where a folder should be: the folder cannot be made, nor the file written.
        QVERIFY_THROWS_EXCEPTION(
            std::exception, GravaIni(blocker + QStringLiteral("/x.ini"), QStringLiteral("Geral"),
                                     QStringLiteral("1"), QStringLiteral("v")));
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "TestIniFile.moc"
