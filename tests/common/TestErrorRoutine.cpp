#include "common/screens/ErrorRoutine.h"
#include "common/screens/LoggingMessageBoxes.h"
#include "data/DbError.h"
#include "support/ScriptedMessageBoxes.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <stdexcept>

namespace {

const QString kInUseText = QStringLiteral(
    "Banco de dados em uso por outro processo.\nClique em \"SALVAR ou FINALIZAR\" novamente.");
const QString kExcelText =
    QStringLiteral("O arquivo excel esta sendo usado por algum processo.\n"
                   "Feche todos os arquivos excel abertos e tente executar novamente.");

QString readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return QString();
    }
    return QString::fromUtf8(file.readAll());
}

} // namespace

class TestErrorRoutine : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void dialogHasTenLines();
    void emptyDescriptionStillGivesTenLines();
    void knownNumbersGiveTheirNotice_data();
    void knownNumbersGiveTheirNotice();
    void otherNumbersShowTheDialog_data();
    void otherNumbersShowTheDialog();
    void plainExceptionIsTheProgramsOwn();
    void mostraErroSkipsTheNotices();
    void loggingWritesOneLinePerMessage();
    void loggingAnswersFromItsQueueThenYes();
    void answersParseFromText();
};

void TestErrorRoutine::initTestCase() {
    QCoreApplication::setApplicationName(QStringLiteral("Brisko"));
}

void TestErrorRoutine::dialogHasTenLines() {
    const QString text = errorDialogText(
        DbError(-2147217900, QStringLiteral("Sintaxe incorreta"), QStringLiteral("QSQLITE")));
    const QStringList expected = {
        QStringLiteral("O programa não pode executar essa ação. Favor entrar em contato     "),
        QStringLiteral("com o Administrador do sistema!!!"),
        QString(),
        QStringLiteral("Resumo do Erro "),
        QString(),
        QStringLiteral("Sintaxe incorreta"),
        QString(),
        QStringLiteral("Erro número #-2147217900"),
        QStringLiteral("Na Linha 0"),
        QStringLiteral("Gerado por QSQLITE"),
    };
    QCOMPARE(text.split(u'\n'), expected);
}

void TestErrorRoutine::emptyDescriptionStillGivesTenLines() {
    const QStringList lines = errorDialogText(DbError(5, QString())).split(u'\n');
    QCOMPARE(lines.size(), 10);
    QCOMPARE(lines.at(5), QString());
    QCOMPARE(lines.at(7), QStringLiteral("Erro número #5"));
    QCOMPARE(lines.at(9), QStringLiteral("Gerado por Delivery"));
}

void TestErrorRoutine::knownNumbersGiveTheirNotice_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("expected");
    QTest::newRow("in use") << DbError::kInUse << QStringLiteral("QPSQL") << kInUseText;
    QTest::newRow("excel") << DbError::kFileInUse << QStringLiteral("Delivery") << kExcelText;
    QTest::newRow("70 from the database")
        << DbError::kFileInUse << QStringLiteral("QSQLITE") << kExcelText;
}

void TestErrorRoutine::knownNumbersGiveTheirNotice() {
    QFETCH(int, number);
    QFETCH(QString, source);
    QFETCH(QString, expected);
    ScriptedMessageBoxes messages;
    TrataErro(messages, DbError(number, QStringLiteral("whatever"), source));
    QCOMPARE(messages.count(), 1);
    QCOMPARE(messages.last().icon, MessageBoxes::Icon::Information);
    QCOMPARE(messages.last().caption, QStringLiteral("Aviso"));
    QCOMPARE(messages.last().text, expected);
    QVERIFY(!messages.last().question);
}

void TestErrorRoutine::otherNumbersShowTheDialog_data() {
    QTest::addColumn<int>("number");
    QTest::newRow("generic") << DbError::kGeneric;
    QTest::newRow("zero") << 0;
    QTest::newRow("71") << 71;
    QTest::newRow("in use plus one") << DbError::kInUse + 1;
}

void TestErrorRoutine::otherNumbersShowTheDialog() {
    QFETCH(int, number);
    ScriptedMessageBoxes messages;
    const DbError failure(number, QStringLiteral("Falhou"), QStringLiteral("QPSQL"));
    TrataErro(messages, failure);
    QCOMPARE(messages.count(), 1);
    QCOMPARE(messages.last().icon, MessageBoxes::Icon::Critical);
    QCOMPARE(messages.last().caption, QStringLiteral("Brisko"));
    QCOMPARE(messages.last().text, errorDialogText(failure));
}

void TestErrorRoutine::plainExceptionIsTheProgramsOwn() {
    ScriptedMessageBoxes messages;
    TrataErro(messages, std::runtime_error("disco cheio"));
    const QStringList lines = messages.last().text.split(u'\n');
    QCOMPARE(lines.at(5), QStringLiteral("disco cheio"));
    QCOMPARE(lines.at(7), QStringLiteral("Erro número #%1").arg(DbError::kGeneric));
    QCOMPARE(lines.at(9), QStringLiteral("Gerado por Delivery"));

    // A DbError passed as std::exception keeps its number.
    const DbError inUse(DbError::kInUse, QStringLiteral("locked"));
    TrataErro(messages, static_cast<const std::exception&>(inUse));
    QCOMPARE(messages.last().text, kInUseText);
}

void TestErrorRoutine::mostraErroSkipsTheNotices() {
    ScriptedMessageBoxes messages;
    const DbError failure(DbError::kInUse, QStringLiteral("locked"), QStringLiteral("QSQLITE"));
    MostraErro(messages, failure);
    MostraErro(messages, static_cast<const std::exception&>(DbError(70, QString())));
    QCOMPARE(messages.count(), 2);
    QCOMPARE(messages.messages().at(0).icon, MessageBoxes::Icon::Critical);
    QCOMPARE(messages.messages().at(0).text, errorDialogText(failure));
    QVERIFY(messages.messages().at(1).text.contains(QStringLiteral("Erro número #70")));
}

void TestErrorRoutine::loggingWritesOneLinePerMessage() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("messages.log"));
    LoggingMessageBoxes messages(path);
    TrataErro(messages, DbError(DbError::kInUse, QString()));
    messages.show(MessageBoxes::Icon::Warning, QStringLiteral("Atenção"),
                  QStringLiteral("Informe o Nome do Cliente."));
    QCOMPARE(readAll(path),
             QStringLiteral("Information\tAviso\tBanco de dados em uso por outro processo.\\n"
                            "Clique em \"SALVAR ou FINALIZAR\" novamente.\n"
                            "Warning\tAtenção\tInforme o Nome do Cliente.\n"));
}

void TestErrorRoutine::loggingAnswersFromItsQueueThenYes() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("messages.log"));
    LoggingMessageBoxes messages(path, {false, true, false});
    QCOMPARE(messages.askYesNo(MessageBoxes::Icon::Information, QStringLiteral("Aviso"),
                               QStringLiteral("Deseja alterar a Categoria PIZZAS ?")),
             false);
    QCOMPARE(messages.askYesNo(MessageBoxes::Icon::Question, QString(), QStringLiteral("2")), true);
    QCOMPARE(messages.askYesNo(MessageBoxes::Icon::Question, QString(), QStringLiteral("3")),
             false);
    QCOMPARE(messages.askYesNo(MessageBoxes::Icon::Question, QString(), QStringLiteral("4")), true);
    const QStringList lines = readAll(path).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines.at(0),
             QStringLiteral("Information\tAviso\tDeseja alterar a Categoria PIZZAS ?"));
}

void TestErrorRoutine::answersParseFromText() {
    QCOMPARE(LoggingMessageBoxes::answersFromText(QStringLiteral("YnS x")),
             (std::deque<bool>{true, false, true}));
    QVERIFY(LoggingMessageBoxes::answersFromText(QString()).empty());
}

QTEST_GUILESS_MAIN(TestErrorRoutine)
#include "TestErrorRoutine.moc"
