#include "data/Database.h"
#include "data/SalesSummary.h"
#include "data/Schema.h"
#include "data/Transaction.h"
#include "support/TestDatabase.h"

#include <QElapsedTimer>
#include <QSqlRecord>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

using Engine = ConnectionSpec::Engine;

QStringList fieldNames(Database& db, const QString& table) {
    const QSqlRecord record = db.exec(u"SELECT * FROM %1 WHERE 1 = 0"_s.arg(table)).record();
    QStringList names;
    for (int i = 0; i < record.count(); ++i)
        names << record.fieldName(i);
    return names;
}

// Every row as text, in a stable order, to compare before and after a rebuild.
QStringList dump(Database& db, const QString& table, const QString& orderBy) {
    QSqlQuery query = db.exec(u"SELECT * FROM %1 ORDER BY %2"_s.arg(table, orderBy));
    QStringList rows;
    while (query.next()) {
        QStringList values;
        for (int i = 0; i < query.record().count(); ++i)
            values << (query.isNull(i) ? u"<null>"_s : query.value(i).toString());
        rows << values.join(QLatin1Char('|'));
    }
    return rows;
}

// Replaces `table` by the same table with `column` only `width` characters wide, as an old
// file brought to this version would have it.
void narrow(Database& db, const QString& table, const QString& column, int width) {
    Schema::Table def = Schema::table(table);
    for (auto& c : def.columns) {
        if (c.name == column)
            c.width = width;
    }
    db.exec(u"DROP TABLE "_s + table);
    db.exec(Schema::createTableSql(db.engine(), def));
    for (const auto& index : Schema::indexes()) {
        if (index.table == table)
            db.exec(Schema::createIndexSql(db.engine(), index));
    }
    salesSummary::installTriggers(db);
}

void insertProduct(Database& db, int key, const QString& name) {
    db.exec(QStringLiteral("INSERT INTO TB_Produto (Pro_ID, pro_Categoria, pro_Produto, Pro_Preco, "
                           "Pro_Descricao) VALUES (?, ?, ?, ?, ?)"),
            {key, u"PIZZAS"_s, name, qint64(3990) + key, u"d'água"_s});
}

// Holds what a second workstation reading or writing these tables would hold.
void holdTables(Database& other) {
    if (other.engine() == Engine::Postgres)
        other.exec(u"LOCK TABLE TB_Item, TB_Produto IN ACCESS SHARE MODE"_s);
}

void insertOrder(Database& db, int number, const QString& day, const QString& telephone) {
    db.exec(u"INSERT INTO TB_Pedido (ped_ono, ped_data, ped_cli_Telefone, ped_Status) VALUES "
            "(?, ?, ?, 'CONCLUIDO')"_s,
            {number, Database::dateValue(QDate::fromString(day, Qt::ISODate)), telephone});
}

void insertItem(Database& db, int order, const QString& name, const QVariant& quantity,
                qint64 total) {
    db.exec(u"INSERT INTO TB_Item (ite_Ono, ite_Nome, ite_Quantidade, ite_Total, ite_cat) "
            "VALUES (?, ?, ?, ?, 'PIZZAS')"_s,
            {order, name, quantity, total});
}

// Each summary, with the orders past its mark, against the same figures added up from the
// items themselves.
void compareSalesSummaries(Database& db) {
    const QString itens = u"FROM TB_Pedido p JOIN TB_Item i ON i.ite_Ono = p.ped_ono WHERE "
                          "COALESCE(p.ped_Status, '') <> 'CANCELADO' GROUP BY 1, 2, 3"_s;
    const QString resumo = u", sum(%1Itens), CASE WHEN sum(%1Quantidades) > 0 THEN "
                           "sum(%1Quantidade) END, CASE WHEN sum(%1Totais) > 0 THEN "
                           "sum(%1Total) END FROM %2 r GROUP BY 1, 2, 3 HAVING sum(%1Itens) > 0"_s;
    const QList<std::pair<QString, QString>> pairs{
        {u"SELECT p.ped_data, i.ite_cat, i.ite_Nome, count(*), sum(i.ite_Quantidade), "
         "sum(i.ite_Total) "_s +
             itens,
         u"SELECT rvd_Data, rvd_cat, rvd_Nome"_s +
             resumo.arg(u"rvd_"_s, salesSummary::withRecent(u"TB_Resumo_Venda_Dia"_s))},
        {u"SELECT i.ite_cat, i.ite_Nome, 0, count(*), sum(i.ite_Quantidade), sum(i.ite_Total) "_s +
             itens,
         u"SELECT rvp_cat, rvp_Nome, 0"_s +
             resumo.arg(u"rvp_"_s, salesSummary::withRecent(u"TB_Resumo_Venda_Produto"_s))},
        {u"SELECT p.ped_cli_Telefone, i.ite_Nome, i.ite_cat, count(*), sum(i.ite_Quantidade), "
         "sum(i.ite_Total) "_s +
             itens,
         u"SELECT rvt_Telefone, rvt_Nome, rvt_cat"_s +
             resumo.arg(u"rvt_"_s, salesSummary::withRecent(u"TB_Resumo_Venda_Telefone"_s))}};
    for (const auto& [truth, summary] : pairs) {
        const QStringList expected = dump(db, u"("_s + truth + u") t"_s, u"1, 2, 3"_s);
        QVERIFY(!expected.isEmpty());
        QCOMPARE(dump(db, u"("_s + summary + u") s"_s, u"1, 2, 3"_s), expected);
    }
}

} // namespace

class SchemaTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void columnsAreInInsertOrder_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("names");
        const char* const tables[][2] = {
            {"TB_Categoria", "Id cat_ID cat_Categoria fl_sincroniza"},
            {"TB_Produto", "Id Pro_ID pro_Categoria pro_Produto Pro_Preco Pro_Descricao "
                           "pro_Fornecedor pro_Representante pro_Rep_Telefone fl_sincroniza"},
            {"TB_Cliente", "Id cli_ID cli_Telefone cli_Nome cli_RG cli_Tipo cli_Logradouro "
                           "cli_Numero cli_Complemento cli_Bairro cli_Cidade cli_UF cli_CEP "
                           "cli_Data_Nasc cli_Email cli_Observacao fl_sincroniza"},
            {"TB_Entregador", "ent_ID ent_Telefone ent_data ent_Nome ent_Observacao fl_sincroniza"},
            {"TB_Usuario", "Id usu_ID usu_Data usu_Nome usu_Usuario usu_Senha usu_Autoridade "
                           "fl_sincroniza"},
            {"TB_Pedido", "ped_ono ped_usu_id ped_data ped_cli_Telefone ped_cli_Nome ped_cli_Tipo "
                          "ped_cli_Logradouro ped_cli_Numero ped_cli_Complemento ped_cli_Bairro "
                          "ped_cli_Cidade ped_cli_UF ped_cli_CEP ped_cli_Observacao "
                          "ped_Forma_Pagamento ped_Valor_Pago ped_Troco ped_Total ped_Mensagem "
                          "ped_Status ped_Entregador fl_sincroniza"},
            {"TB_Item",
             "ite_Ono ite_Nome ite_Quantidade ite_Preco ite_Total ite_cat fl_sincroniza"},
        };
        for (const auto& [table, columns] : tables)
            QTest::newRow(table) << QString::fromLatin1(table) << QString::fromLatin1(columns);
    }

    void columnsAreInInsertOrder() {
        QFETCH(QString, table);
        QFETCH(QString, names);
        QStringList columns = names.split(u' ');
        TestDatabase fixture;
        auto db = fixture.create();
        // PostgreSQL keeps unquoted names in lower case; statements may use any capitals.
        if (db->engine() == Engine::Postgres)
            for (QString& column : columns)
                column = column.toLower();
        QCOMPARE(fieldNames(*db, table), columns);
        QCOMPARE(Schema::table(table).columnNames().join(',').toLower(),
                 columns.join(',').toLower());
    }

    void automaticIdIsFilledByTheDatabase() {
        TestDatabase fixture;
        auto db = fixture.create();
        insertProduct(*db, 1, u"MUÇARELA"_s);
        insertProduct(*db, 2, u"CALABRESA"_s);
        QSqlQuery query = db->exec(u"SELECT Id, Pro_ID FROM TB_Produto ORDER BY Pro_ID"_s);
        QVERIFY(query.next());
        const qint64 first = query.value(0).toLongLong();
        QVERIFY(query.next());
        QVERIFY(first > 0);
        QVERIFY(query.value(0).toLongLong() > first);
    }

    void keysAreNeverRepeated_data() {
        QTest::addColumn<QString>("insert");
        QTest::newRow("order number")
            << u"INSERT INTO TB_Pedido (ped_ono, ped_Status) VALUES (?, 'CONCLUIDO')"_s;
        QTest::newRow("delivery person")
            << u"INSERT INTO TB_Entregador (ent_ID, ent_Nome) VALUES (?, 'ZÉ')"_s;
        QTest::newRow("category")
            << u"INSERT INTO TB_Categoria (cat_ID, cat_Categoria) VALUES (?, 'X')"_s;
        QTest::newRow("customer")
            << u"INSERT INTO TB_Cliente (cli_ID, cli_Telefone) VALUES (?, '1')"_s;
    }

    void keysAreNeverRepeated() {
        QFETCH(QString, insert);
        TestDatabase fixture;
        auto db = fixture.create();
        db->exec(insert, {7});
        QVERIFY_THROWS_EXCEPTION(DbError, db->exec(insert, {7}));
    }

    void reopeningKeepsDataAndVersion() {
        TestDatabase fixture;
        {
            auto db = fixture.create();
            QCOMPARE(Schema::version(*db), Schema::kVersion);
            db->exec(u"INSERT INTO TB_Categoria (cat_ID, cat_Categoria) VALUES (?, ?)"_s,
                     {1, u"PIZZAS"_s});
        }
        for (int round = 0; round < 2; ++round) {
            auto db = fixture.openAnother();
            QCOMPARE(Schema::version(*db), Schema::kVersion);
            QCOMPARE(db->scalar(u"SELECT count(*) FROM brisko_schema_version"_s).toInt(), 1);
            QCOMPARE(db->scalar(QStringLiteral(
                                    "SELECT cat_Categoria FROM TB_Categoria WHERE cat_ID = ?"),
                                {1})
                         .toString(),
                     u"PIZZAS"_s);
        }
    }

    void databaseWithoutVersionIsAdopted() {
        TestDatabase fixture;
        {
            auto db = fixture.create();
            db->exec(
                QStringLiteral(
                    "INSERT INTO TB_Cliente (cli_ID, cli_Telefone, cli_Nome) VALUES (?, ?, ?)"),
                {1, u"1133334444"_s, u"JOÃO"_s});
            db->exec(u"DROP TABLE brisko_schema_version"_s);
            db->exec(u"DROP INDEX ix_cliente_nome_fold"_s);
            QCOMPARE(Schema::version(*db), 0);
        }
        auto db = fixture.openAnother();
        QCOMPARE(Schema::version(*db), Schema::kVersion);
        QCOMPARE(db->scalar(u"SELECT cli_Nome FROM TB_Cliente WHERE cli_ID = 1"_s).toString(),
                 u"JOÃO"_s);
        const QString indexCount =
            db->engine() == Engine::Sqlite
                ? QStringLiteral(
                      "SELECT count(*) FROM sqlite_master WHERE name = 'ix_cliente_nome_fold'")
                : QStringLiteral(
                      "SELECT count(*) FROM pg_indexes WHERE indexname = 'ix_cliente_nome_fold'");
        QCOMPARE(db->scalar(indexCount).toInt(), 1);
    }

    void newerSchemaIsRefused() {
        TestDatabase fixture;
        {
            auto db = fixture.create();
            db->exec(u"UPDATE brisko_schema_version SET version = ?"_s, {Schema::kVersion + 1});
        }
        try {
            fixture.openAnother();
            QFAIL("a database of a newer program was opened");
        } catch (const DbError& e) {
            QCOMPARE(e.number(), DbError::kGeneric);
            QVERIFY(!e.isInUse());
        }
    }

    void wideningKeepsEveryRow() {
        TestDatabase fixture;
        auto db = fixture.create();
        narrow(*db, u"TB_Item"_s, u"ite_Nome"_s, 50);
        narrow(*db, u"TB_Produto"_s, u"pro_Produto"_s, 50);
        QCOMPARE(declaredTextWidth(*db, u"TB_Item"_s, u"ite_Nome"_s), 50);
        QCOMPARE(declaredTextWidth(*db, u"TB_Produto"_s, u"pro_Produto"_s), 50);

        for (int i = 1; i <= 3; ++i) {
            insertProduct(*db, i, u"PIZZA %1 D'ÁGUA "_s.arg(i).leftJustified(50, u'X'));
            db->exec(
                QStringLiteral("INSERT INTO TB_Item (ite_Ono, ite_Nome, ite_Quantidade, ite_Preco, "
                               "ite_Total, ite_cat, fl_sincroniza) VALUES (?, ?, ?, ?, ?, ?, ?)"),
                {i, u"1/2 MUÇARELA 1/2 CALABRESA %1"_s.arg(i), i, qint64(4590), qint64(4590) * i,
                 u"PIZZAS"_s,
                 i == 2 ? QVariant(QMetaType::fromType<QString>()) : QVariant(u"S"_s)});
        }
        db->exec(u"DELETE FROM TB_Produto WHERE Pro_ID = 3"_s);
        const QStringList items = dump(*db, u"TB_Item"_s, u"ite_Ono"_s);
        const QStringList products = dump(*db, u"TB_Produto"_s, u"Pro_ID"_s);

        US_AtualizaTamanhoNomeItem(*db);

        QCOMPARE(declaredTextWidth(*db, u"TB_Item"_s, u"ite_Nome"_s), 100);
        QCOMPARE(declaredTextWidth(*db, u"TB_Produto"_s, u"pro_Produto"_s), 100);
        QCOMPARE(dump(*db, u"TB_Item"_s, u"ite_Ono"_s), items);
        QCOMPARE(dump(*db, u"TB_Produto"_s, u"Pro_ID"_s), products);
        QCOMPARE(fieldNames(*db, u"TB_Item"_s).join(',').toLower(),
                 Schema::table(u"TB_Item"_s).columnNames().join(',').toLower());

        // A full name now fits, the deleted product's number does not come back, and the
        // rebuilt tables still have their lookup indexes.
        const QString hundred = u"Ç"_s.repeated(100);
        insertProduct(*db, 4, hundred);
        QCOMPARE(db->scalar(u"SELECT pro_Produto FROM TB_Produto WHERE Pro_ID = 4"_s).toString(),
                 hundred);
        const qint64 newId =
            db->scalar(u"SELECT Id FROM TB_Produto WHERE Pro_ID = 4"_s).toLongLong();
        const qint64 lastOldId =
            db->scalar(u"SELECT Id FROM TB_Produto WHERE Pro_ID = 2"_s).toLongLong();
        QVERIFY2(newId > lastOldId + 1, qPrintable(QString::number(newId)));
        const QString indexCount =
            db->engine() == Engine::Sqlite
                ? QStringLiteral(
                      "SELECT count(*) FROM sqlite_master WHERE type = 'index' AND name IN "
                      "('ix_item_ono', 'ix_produto_nome_fold')")
                : QStringLiteral("SELECT count(*) FROM pg_indexes WHERE indexname IN "
                                 "('ix_item_ono', 'ix_produto_nome_fold')");
        QCOMPARE(db->scalar(indexCount).toInt(), 2);

        // The rebuilt item table still keeps the sales summaries.
        insertOrder(*db, 1, u"2025-03-04"_s, u"1133334444"_s);
        insertItem(*db, 1, u"CALABRESA"_s, 1, 5000);
        compareSalesSummaries(*db);
    }

    // The summaries with the orders past their mark always read as the items do: orders taken
    // and changed on either side of the mark, items before or after their order, cancelling
    // either way round, deletions, null quantities; the migration fills them.
    void salesSummariesFollowEveryWrite() {
        TestDatabase fixture;
        auto db = fixture.create();
        insertOrder(*db, 1, u"2025-03-04"_s, u"1133334444"_s);
        insertItem(*db, 1, u"MUÇARELA"_s, 2, 9000);
        insertItem(*db, 1, u"REFRIGERANTE D'ÁGUA"_s, QVariant(QMetaType::fromType<int>()), 0);
        insertItem(*db, 2, u"MUÇARELA"_s, 1, 4500);
        insertItem(*db, 2, u"CALABRESA"_s, 3, 15000);
        insertOrder(*db, 2, u"2025-03-04"_s, u"1133334444"_s);
        for (int n = 3; n <= 6; ++n) {
            insertOrder(*db, n, u"2025-03-05"_s, u"11999990000"_s);
            insertItem(*db, n, u"MUÇARELA"_s, n, 4500 * n);
        }
        const QString held = u"SELECT sum(rvp_Itens) FROM TB_Resumo_Venda_Produto"_s;
        QCOMPARE(db->scalar(held).toInt(), 0);
        compareSalesSummaries(*db);
        salesSummary::catchUp(*db);
        QCOMPARE(db->scalar(held).toInt(), 8);
        compareSalesSummaries(*db);

        insertOrder(*db, 7, u"2025-03-07"_s, u"1133334444"_s);
        insertItem(*db, 7, u"CALABRESA"_s, 1, 5000);
        for (int n : {3, 7})
            db->exec(u"UPDATE TB_Pedido SET ped_Status = 'CANCELADO' WHERE ped_ono = ?"_s, {n});
        db->exec(u"UPDATE TB_Item SET ite_Quantidade = 0, ite_Total = 0 WHERE ite_Ono IN (3, 4, "
                 "7)"_s);
        db->exec(u"UPDATE TB_Pedido SET ped_Status = 'CANCELADO' WHERE ped_ono = 4"_s);
        db->exec(u"UPDATE TB_Pedido SET ped_data = ?, ped_cli_Telefone = '1' WHERE ped_ono = 5"_s,
                 {Database::dateValue(QDate(2025, 3, 6))});
        db->exec(u"UPDATE TB_Item SET ite_Quantidade = 7, fl_sincroniza = 'N' WHERE ite_Ono = 1 "
                 "AND ite_Nome = 'MUÇARELA'"_s);
        db->exec(u"DELETE FROM TB_Pedido WHERE ped_ono = 6"_s);
        db->exec(u"DELETE FROM TB_Item WHERE ite_Ono IN (2, 6) AND ite_Nome = 'MUÇARELA'"_s);
        insertOrder(*db, 8, u"2025-03-07"_s, u"1133334444"_s);
        insertItem(*db, 8, u"CALABRESA"_s, 2, 10000);
        compareSalesSummaries(*db);
        salesSummary::catchUp(*db);
        compareSalesSummaries(*db);
        QCOMPARE(db->scalar(u"SELECT count(*) FROM TB_Resumo_Venda_Dia WHERE rvd_Data = ? AND "
                            "rvd_Itens <> 0"_s,
                            {Database::dateValue(QDate(2025, 3, 5))})
                     .toInt(),
                 0);

        for (const char* table : {"TB_Resumo_Venda_Dia", "TB_Resumo_Venda_Produto",
                                  "TB_Resumo_Venda_Telefone", "brisko_resumo_marca"})
            db->exec(u"DROP TABLE "_s + QLatin1String(table));
        db->exec(u"UPDATE brisko_schema_version SET version = 5"_s);
        db.reset();
        db = fixture.openAnother();
        QCOMPARE(db->scalar(held).toInt(), 5);
        compareSalesSummaries(*db);
    }

    void wideColumnsAreLeftAlone() {
        TestDatabase fixture;
        auto db = fixture.create();
        auto other = fixture.openAnother();
        Transaction held(*other);
        holdTables(*other);
        QElapsedTimer timer;
        timer.start();
        US_AtualizaTamanhoNomeItem(*db);
        QVERIFY2(timer.elapsed() < 2000, "waited for a lock it did not need");
        QCOMPARE(declaredTextWidth(*db, u"TB_Item"_s, u"ite_Nome"_s), 100);
    }

    void narrowColumnBehindALockIsInUse() {
        TestDatabase fixture;
        auto db = fixture.create();
        narrow(*db, u"TB_Item"_s, u"ite_Nome"_s, 50);
        db->exec(u"INSERT INTO TB_Item (ite_Ono, ite_Nome) VALUES (1, 'X')"_s);
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
        QCOMPARE(declaredTextWidth(*db, u"TB_Item"_s, u"ite_Nome"_s), 50);
        QCOMPARE(db->scalar(u"SELECT count(*) FROM TB_Item"_s).toInt(), 1);
        US_AtualizaTamanhoNomeItem(*db);
        QCOMPARE(declaredTextWidth(*db, u"TB_Item"_s, u"ite_Nome"_s), 100);
    }
};

BRISKO_DB_TEST_MAIN(SchemaTest)
#include "TestSchema.moc"
