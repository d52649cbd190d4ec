#include "data/Database.h"
#include "data/Schema.h"
#include "data/Transaction.h"
#include "support/TestDatabase.h"

#include <QElapsedTimer>
#include <QSqlRecord>
#include <QTest>

namespace {

using Engine = ConnectionSpec::Engine;

QStringList fieldNames(Database& db, const QString& table) {
    const QSqlRecord record =
        db.exec(QStringLiteral("SELECT * FROM %1 WHERE 1 = 0").arg(table)).record();
    QStringList names;
    for (int i = 0; i < record.count(); ++i)
        names << record.fieldName(i);
    return names;
}

// Every row as text, in a stable order, to compare before and after a rebuild.
QStringList dump(Database& db, const QString& table, const QString& orderBy) {
    QSqlQuery query = db.exec(QStringLiteral("SELECT * FROM %1 ORDER BY %2").arg(table, orderBy));
    QStringList rows;
    while (query.next()) {
        QStringList values;
        for (int i = 0; i < query.record().count(); ++i)
            values << (query.isNull(i) ? QStringLiteral("<null>") : query.value(i).toString());
        rows << values.join(QLatin1Char('|'));
    }
    return rows;
}

// Replaces `table` by the same table with `column` only `width` characters wide, as an old
// file would have it.
void narrow(Database& db, const QString& table, const QString& column, int width) {
    Schema::Table def = Schema::table(table);
    for (auto& c : def.columns) {
        if (c.name == column)
            c.width = width;
    }
    db.exec(QStringLiteral("DROP TABLE ") + table);
    db.exec(Schema::createTableSql(db.engine(), def));
    for (const auto& index : Schema::indexes()) {
        if (index.table == table)
            db.exec(Schema::createIndexSql(db.engine(), index));
    }
}

void insertProduct(Database& db, int key, const QString& name) {
    db.exec(QStringLiteral("INSERT INTO TB_Produto (Pro_ID, pro_Categoria, pro_Produto, Pro_Preco, "
                           "Pro_Descricao) VALUES (?, ?, ?, ?, ?)"),
            {key, QStringLiteral("PIZZAS"), name, qint64(3990) + key, QStringLiteral("d'água")});
}

// Holds what a second workstation reading or writing these tables would hold.
void holdTables(Database& other) {
    if (other.engine() == Engine::Postgres)
        other.exec(QStringLiteral("LOCK TABLE TB_Item, TB_Produto IN ACCESS SHARE MODE"));
}

} // namespace

class SchemaTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void columnsAreInInsertOrder_data();
    void columnsAreInInsertOrder();
    void automaticIdIsFilledByTheDatabase();
    void keysAreNeverRepeated_data();
    void keysAreNeverRepeated();
    void reopeningKeepsDataAndVersion();
    void databaseWithoutVersionIsAdopted();
    void newerSchemaIsRefused();
    void wideningKeepsEveryRow();
    void wideColumnsAreLeftAlone();
    void narrowColumnBehindALockIsInUse();
};

void SchemaTest::columnsAreInInsertOrder_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("columns");
    QTest::newRow("TB_Categoria") << "TB_Categoria"
                                  << QStringList{"Id", "cat_ID", "cat_Categoria", "fl_sincroniza"};
    QTest::newRow("TB_Produto") << "TB_Produto"
                                << QStringList{"Id",
                                               "Pro_ID",
                                               "pro_Categoria",
                                               "pro_Produto",
                                               "Pro_Preco",
                                               "Pro_Descricao",
                                               "pro_Fornecedor",
                                               "pro_Representante",
                                               "pro_Rep_Telefone",
                                               "fl_sincroniza"};
    QTest::newRow("TB_Cliente") << "TB_Cliente"
                                << QStringList{"Id",
                                               "cli_ID",
                                               "cli_Telefone",
                                               "cli_Nome",
                                               "cli_RG",
                                               "cli_Tipo",
                                               "cli_Logradouro",
                                               "cli_Numero",
                                               "cli_Complemento",
                                               "cli_Bairro",
                                               "cli_Cidade",
                                               "cli_UF",
                                               "cli_CEP",
                                               "cli_Data_Nasc",
                                               "cli_Email",
                                               "cli_Observacao",
                                               "fl_sincroniza"};
    QTest::newRow("TB_Entregador")
        << "TB_Entregador" << QStringList{"ent_ID",   "ent_Telefone",   "ent_data",
                                          "ent_Nome", "ent_Observacao", "fl_sincroniza"};
    QTest::newRow("TB_Usuario")
        << "TB_Usuario"
        << QStringList{"Id",          "usu_ID",    "usu_Data",       "usu_Nome",
                       "usu_Usuario", "usu_Senha", "usu_Autoridade", "fl_sincroniza"};
    QTest::newRow("TB_Pedido") << "TB_Pedido"
                               << QStringList{"ped_ono",
                                              "ped_usu_id",
                                              "ped_data",
                                              "ped_cli_Telefone",
                                              "ped_cli_Nome",
                                              "ped_cli_Tipo",
                                              "ped_cli_Logradouro",
                                              "ped_cli_Numero",
                                              "ped_cli_Complemento",
                                              "ped_cli_Bairro",
                                              "ped_cli_Cidade",
                                              "ped_cli_UF",
                                              "ped_cli_CEP",
                                              "ped_cli_Observacao",
                                              "ped_Forma_Pagamento",
                                              "ped_Valor_Pago",
                                              "ped_Troco",
                                              "ped_Total",
                                              "ped_Mensagem",
                                              "ped_Status",
                                              "ped_Entregador",
                                              "fl_sincroniza"};
    QTest::newRow("TB_Item") << "TB_Item"
                             << QStringList{"ite_Ono",   "ite_Nome", "ite_Quantidade", "ite_Preco",
                                            "ite_Total", "ite_cat",  "fl_sincroniza"};
}

void SchemaTest::columnsAreInInsertOrder() {
    QFETCH(QString, table);
    QFETCH(QStringList, columns);
    TestDatabase fixture;
    auto db = fixture.create();
    // PostgreSQL keeps unquoted names in lower case; statements may use any capitals.
    if (db->engine() == Engine::Postgres)
        for (QString& column : columns)
            column = column.toLower();
    QCOMPARE(fieldNames(*db, table), columns);
    QCOMPARE(Schema::table(table).columnNames().join(',').toLower(), columns.join(',').toLower());
}

void SchemaTest::automaticIdIsFilledByTheDatabase() {
    TestDatabase fixture;
    auto db = fixture.create();
    insertProduct(*db, 1, QStringLiteral("MUÇARELA"));
    insertProduct(*db, 2, QStringLiteral("CALABRESA"));
    QSqlQuery query = db->exec(QStringLiteral("SELECT Id, Pro_ID FROM TB_Produto ORDER BY Pro_ID"));
    QVERIFY(query.next());
    const qint64 first = query.value(0).toLongLong();
    QVERIFY(query.next());
    QVERIFY(first > 0);
    QVERIFY(query.value(0).toLongLong() > first);
}

void SchemaTest::keysAreNeverRepeated_data() {
    QTest::addColumn<QString>("insert");
    QTest::newRow("order number")
        << "INSERT INTO TB_Pedido (ped_ono, ped_Status) VALUES (?, 'CONCLUIDO')";
    QTest::newRow("delivery person")
        << "INSERT INTO TB_Entregador (ent_ID, ent_Nome) VALUES (?, 'ZÉ')";
    QTest::newRow("category") << "INSERT INTO TB_Categoria (cat_ID, cat_Categoria) VALUES (?, 'X')";
    QTest::newRow("customer") << "INSERT INTO TB_Cliente (cli_ID, cli_Telefone) VALUES (?, '1')";
}

void SchemaTest::keysAreNeverRepeated() {
    QFETCH(QString, insert);
    TestDatabase fixture;
    auto db = fixture.create();
    db->exec(insert, {7});
    QVERIFY_THROWS_EXCEPTION(DbError, db->exec(insert, {7}));
}

void SchemaTest::reopeningKeepsDataAndVersion() {
    TestDatabase fixture;
    {
        auto db = fixture.create();
        QCOMPARE(Schema::version(*db), Schema::kVersion);
        db->exec(QStringLiteral("INSERT INTO TB_Categoria (cat_ID, cat_Categoria) VALUES (?, ?)"),
                 {1, QStringLiteral("PIZZAS")});
    }
    for (int round = 0; round < 2; ++round) {
        auto db = fixture.openAnother();
        QCOMPARE(Schema::version(*db), Schema::kVersion);
        QCOMPARE(db->scalar(QStringLiteral("SELECT count(*) FROM brisko_schema_version")).toInt(),
                 1);
        QCOMPARE(
            db->scalar(QStringLiteral("SELECT cat_Categoria FROM TB_Categoria WHERE cat_ID = ?"),
                       {1})
                .toString(),
            QStringLiteral("PIZZAS"));
    }
}

void SchemaTest::databaseWithoutVersionIsAdopted() {
    TestDatabase fixture;
    {
        auto db = fixture.create();
        db->exec(QStringLiteral(
                     "INSERT INTO TB_Cliente (cli_ID, cli_Telefone, cli_Nome) VALUES (?, ?, ?)"),
                 {1, QStringLiteral("1133334444"), QStringLiteral("JOÃO")});
        db->exec(QStringLiteral("DROP TABLE brisko_schema_version"));
        db->exec(QStringLiteral("DROP INDEX ix_cliente_nome_fold"));
        QCOMPARE(Schema::version(*db), 0);
    }
    auto db = fixture.openAnother();
    QCOMPARE(Schema::version(*db), Schema::kVersion);
    QCOMPARE(
        db->scalar(QStringLiteral("SELECT cli_Nome FROM TB_Cliente WHERE cli_ID = 1")).toString(),
        QStringLiteral("JOÃO"));
    const QString indexCount =
        db->engine() == Engine::Sqlite
            ? QStringLiteral(
                  "SELECT count(*) FROM sqlite_master WHERE name = 'ix_cliente_nome_fold'")
            : QStringLiteral(
                  "SELECT count(*) FROM pg_indexes WHERE indexname = 'ix_cliente_nome_fold'");
    QCOMPARE(db->scalar(indexCount).toInt(), 1);
}

void SchemaTest::newerSchemaIsRefused() {
    TestDatabase fixture;
    {
        auto db = fixture.create();
        db->exec(QStringLiteral("UPDATE brisko_schema_version SET version = ?"),
                 {Schema::kVersion + 1});
    }
    try {
        fixture.openAnother();
        QFAIL("a database of a newer program was opened");
    } catch (const DbError& e) {
        QCOMPARE(e.number(), DbError::kGeneric);
        QVERIFY(!e.isInUse());
    }
}

void SchemaTest::wideningKeepsEveryRow() {
    TestDatabase fixture;
    auto db = fixture.create();
    narrow(*db, QStringLiteral("TB_Item"), QStringLiteral("ite_Nome"), 50);
    narrow(*db, QStringLiteral("TB_Produto"), QStringLiteral("pro_Produto"), 50);
    QCOMPARE(declaredTextWidth(*db, QStringLiteral("TB_Item"), QStringLiteral("ite_Nome")), 50);
    QCOMPARE(declaredTextWidth(*db, QStringLiteral("TB_Produto"), QStringLiteral("pro_Produto")),
             50);

    for (int i = 1; i <= 3; ++i) {
        insertProduct(*db, i, QStringLiteral("PIZZA %1 D'ÁGUA ").arg(i).leftJustified(50, u'X'));
        db->exec(
            QStringLiteral("INSERT INTO TB_Item (ite_Ono, ite_Nome, ite_Quantidade, ite_Preco, "
                           "ite_Total, ite_cat, fl_sincroniza) VALUES (?, ?, ?, ?, ?, ?, ?)"),
            {i, QStringLiteral("1/2 MUÇARELA 1/2 CALABRESA %1").arg(i), i, qint64(4590),
             qint64(4590) * i, QStringLiteral("PIZZAS"),
             i == 2 ? QVariant(QMetaType::fromType<QString>()) : QVariant(QStringLiteral("S"))});
    }
    db->exec(QStringLiteral("DELETE FROM TB_Produto WHERE Pro_ID = 3"));
    const QStringList items = dump(*db, QStringLiteral("TB_Item"), QStringLiteral("ite_Ono"));
    const QStringList products = dump(*db, QStringLiteral("TB_Produto"), QStringLiteral("Pro_ID"));

    US_AtualizaTamanhoNomeItem(*db);

    QCOMPARE(declaredTextWidth(*db, QStringLiteral("TB_Item"), QStringLiteral("ite_Nome")), 100);
    QCOMPARE(declaredTextWidth(*db, QStringLiteral("TB_Produto"), QStringLiteral("pro_Produto")),
             100);
    QCOMPARE(dump(*db, QStringLiteral("TB_Item"), QStringLiteral("ite_Ono")), items);
    QCOMPARE(dump(*db, QStringLiteral("TB_Produto"), QStringLiteral("Pro_ID")), products);
    QCOMPARE(fieldNames(*db, QStringLiteral("TB_Item")).join(',').toLower(),
             Schema::table(QStringLiteral("TB_Item")).columnNames().join(',').toLower());

    // A full name now fits, the deleted product's number does not come back, and the
    // rebuilt tables still have their lookup indexes.
    const QString hundred = QStringLiteral("Ç").repeated(100);
    insertProduct(*db, 4, hundred);
    QCOMPARE(db->scalar(QStringLiteral("SELECT pro_Produto FROM TB_Produto WHERE Pro_ID = 4"))
                 .toString(),
             hundred);
    const qint64 newId =
        db->scalar(QStringLiteral("SELECT Id FROM TB_Produto WHERE Pro_ID = 4")).toLongLong();
    const qint64 lastOldId =
        db->scalar(QStringLiteral("SELECT Id FROM TB_Produto WHERE Pro_ID = 2")).toLongLong();
    QVERIFY2(newId > lastOldId + 1, qPrintable(QString::number(newId)));
    const QString indexCount =
        db->engine() == Engine::Sqlite
            ? QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'index' AND name IN "
                             "('ix_item_ono', 'ix_produto_nome_fold')")
            : QStringLiteral("SELECT count(*) FROM pg_indexes WHERE indexname IN "
                             "('ix_item_ono', 'ix_produto_nome_fold')");
    QCOMPARE(db->scalar(indexCount).toInt(), 2);
}

void SchemaTest::wideColumnsAreLeftAlone() {
    TestDatabase fixture;
    auto db = fixture.create();
    auto other = fixture.openAnother();
    Transaction held(*other);
    holdTables(*other);
    QElapsedTimer timer;
    timer.start();
    US_AtualizaTamanhoNomeItem(*db);
    QVERIFY2(timer.elapsed() < 2000, "waited for a lock it did not need");
    QCOMPARE(declaredTextWidth(*db, QStringLiteral("TB_Item"), QStringLiteral("ite_Nome")), 100);
}

void SchemaTest::narrowColumnBehindALockIsInUse() {
    TestDatabase fixture;
    auto db = fixture.create();
    narrow(*db, QStringLiteral("TB_Item"), QStringLiteral("ite_Nome"), 50);
    db->exec(QStringLiteral("INSERT INTO TB_Item (ite_Ono, ite_Nome) VALUES (1, 'X')"));
    auto other = fixture.openAnother();
    {
        Transaction held(*other);
        holdTables(*other);
        try {
            US_AtualizaTamanhoNomeItem(*db);
            QFAIL("widened under another workstation's lock");
        } catch (const DbError& e) {
            QVERIFY2(e.isInUse(), qPrintable(e.description()));
        }
    }
    QCOMPARE(declaredTextWidth(*db, QStringLiteral("TB_Item"), QStringLiteral("ite_Nome")), 50);
    QCOMPARE(db->scalar(QStringLiteral("SELECT count(*) FROM TB_Item")).toInt(), 1);
    US_AtualizaTamanhoNomeItem(*db);
    QCOMPARE(declaredTextWidth(*db, QStringLiteral("TB_Item"), QStringLiteral("ite_Nome")), 100);
}

BRISKO_DB_TEST_MAIN(SchemaTest)
#include "TestSchema.moc"
