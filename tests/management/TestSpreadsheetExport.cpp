// ctest-label: db
#include "data/Transaction.h"
#include "management/SpreadsheetExport.h"
#include "support/TestDatabase.h"
#include "support/XlsxReadBack.h"

#include <QDir>
#include <QJsonArray>
#include <QSqlQuery>

namespace {

// More rows than a few of the batches passed between reading and writing, and not a
// multiple of them.
constexpr int kCustomers = 2600;

// Accented text, then a character of two UTF-16 units exactly where a cell is full.
const QString kLongNote = QStringLiteral("AÇÃO ") + QString(32761, u'x') + QStringLiteral("😀 FIM");

struct Stop {};

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(no file)");
}

} // namespace

class TestSpreadsheetExport : public QObject {
    Q_OBJECT

    TestDatabase fx;
    std::unique_ptr<Database> db;
    QTemporaryDir folder;
    const ExportRequest request{ExportKind::Clientes, folder.path(), std::nullopt};

private Q_SLOTS:
    void initTestCase() {
        db = fx.create();
        Transaction transaction(*db);
        QSqlQuery insert =
            db->prepare(QStringLiteral("INSERT INTO TB_Cliente (cli_ID, cli_Telefone, cli_Nome, "
                                       "cli_Observacao) VALUES (?, ?, ?, ?)"));
        for (int id = 1; id <= kCustomers; ++id)
            db->execPrepared(insert, {id, QString::number(10000000 + id),
                                      QStringLiteral("JOSÉ Nº %1").arg(id),
                                      id == 1 ? QVariant(kLongNote) : QVariant()});
        transaction.commit();
    }
    void cleanupTestCase() { db.reset(); }

    void rowsComeOutCompleteAndInOrder() {
        QList<qint64> reported;
        const ExportResult result =
            runExport(*db, request, [&](qint64 done, qint64) { reported << done; });
        QCOMPARE(result.rows, kCustomers);
        QCOMPARE(reported.first(), 0);
        QCOMPARE(reported.last(), kCustomers);
        QVERIFY(std::is_sorted(reported.cbegin(), reported.cend()));

        const QJsonObject sheet = readBack(result.path);
        QCOMPARE(sheet["rows"].toInt(), kCustomers + 1);
        QStringList fills;
        for (int row = 0; row < kCustomers; ++row)
            fills << (row % 2 ? QStringLiteral("CCC0DA") : QStringLiteral("E5E0EC"));
        QCOMPARE(sheet["rowFills"].toVariant().toStringList(), fills);
        const QJsonValue cells = sheet["cells"];
        QCOMPARE(cells["2|cli_Nome"].toString(), QStringLiteral("s:JOSÉ Nº 1"));
        QCOMPARE(cells["2|cli_Observacao"].toString(), "s:" + kLongNote.left(32766));
        QCOMPARE(cells["3|cli_Observacao"].toString(), QStringLiteral("-"));
        QCOMPARE(cells["2601|cli_ID"].toString(), QStringLiteral("n:2600"));
        QCOMPARE(cells["2601|cli_Telefone"].toString(), QStringLiteral("s:10002600"));
        QCOMPARE(sheet["deflateSpeed"].toInt(), 3);
    }

    // Stopping half way (the window closed) leaves the earlier file as it was and nothing else.
    void stoppedExportKeepsTheEarlierFile() {
        const QString path = runExport(*db, request, {}).path;
        const QByteArray before = contents(path);
        QVERIFY_THROWS_EXCEPTION(Stop, runExport(*db, request, [](qint64 done, qint64) {
                                     if (done >= 1024)
                                         throw Stop{};
                                 }));
        QCOMPARE(contents(path), before);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
                 QStringList{exportFileName(ExportKind::Clientes)});
    }
};

BRISKO_DB_TEST_MAIN(TestSpreadsheetExport)
#include "TestSpreadsheetExport.moc"
