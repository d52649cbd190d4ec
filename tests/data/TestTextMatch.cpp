#include "data/Database.h"
#include "data/TextMatch.h"
#include "support/TestDatabase.h"

#include <QTest>

namespace {

using Engine = ConnectionSpec::Engine;

const QStringList kNames = {
    QStringLiteral("JOÃO SILVA"), QStringLiteral("Jose"), QStringLiteral("Ana"),
    QStringLiteral("jp"),         QStringLiteral("Jo"),   QStringLiteral("JOZÉ"),
    QStringLiteral("jn"),         QStringLiteral("ÁGUA"), QStringLiteral("agua"),
};

void insertCustomers(Database& db, const QStringList& names) {
    int key = 0;
    for (const QString& name : names)
        db.exec(QStringLiteral("INSERT INTO TB_Cliente (cli_ID, cli_Telefone, cli_Nome, "
                               "cli_Logradouro) VALUES (?, ?, ?, ?)"),
                {++key, QString::number(1000 + key), name, name});
}

QStringList select(Database& db, const textMatch::SqlCondition& condition) {
    QString sql = QStringLiteral("SELECT cli_Nome FROM TB_Cliente");
    if (!condition.isEmpty())
        sql += QStringLiteral(" WHERE ") + condition.sql;
    sql += QStringLiteral(" ORDER BY ") +
           textMatch::foldOrder(db.engine(), QStringLiteral("cli_Nome"));
    QSqlQuery query = db.exec(sql, condition.binds);
    QStringList names;
    while (query.next())
        names << query.value(0).toString();
    return names;
}

// EXPLAIN cannot be prepared on PostgreSQL; these test constants are inlined instead.
QString inlined(QString sql, const QVariantList& binds) {
    for (const QVariant& bind : binds) {
        const qsizetype at = sql.indexOf(QLatin1Char('?'));
        const QString literal =
            bind.typeId() == QMetaType::QString
                ? QLatin1Char('\'') + bind.toString().replace("'", "''") + QLatin1Char('\'')
                : bind.toString();
        sql.replace(at, 1, literal);
    }
    return sql;
}

QString plan(Database& db, const QString& sql, const QVariantList& binds) {
    QStringList lines;
    if (db.engine() == Engine::Sqlite) {
        QSqlQuery query = db.exec(QStringLiteral("EXPLAIN QUERY PLAN ") + sql, binds);
        while (query.next())
            lines << query.value(3).toString();
    } else {
        db.exec(QStringLiteral("SET enable_seqscan = off"));
        QSqlQuery query = db.exec(QStringLiteral("EXPLAIN ") + inlined(sql, binds));
        while (query.next())
            lines << query.value(0).toString();
        db.exec(QStringLiteral("RESET enable_seqscan"));
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace

class TextMatchTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void equalityIgnoresCaseNotAccents_data();
    void equalityIgnoresCaseNotAccents();
    void prefixFindsOnlyWhatStartsWithIt_data();
    void prefixFindsOnlyWhatStartsWithIt();
    void upperBoundIsTheNextText_data();
    void upperBoundIsTheNextText();
    void lookupsUseTheIndexes_data();
    void lookupsUseTheIndexes();
};

void TextMatchTest::equalityIgnoresCaseNotAccents_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("searched");
    QTest::addColumn<bool>("found");
    QTest::newRow("lower finds upper") << "JOÃO"
                                       << "joão" << true;
    QTest::newRow("upper finds lower") << "joão"
                                       << "JOÃO" << true;
    QTest::newRow("acute") << "ÁREA"
                           << "área" << true;
    QTest::newRow("cedilla") << "Ç"
                             << "ç" << true;
    QTest::newRow("mixed") << "Açúcar Mascavo"
                           << "AÇÚCAR MASCAVO" << true;
    QTest::newRow("decomposed stored") << QStringLiteral("JOA\u0303O") << "joão" << true;
    QTest::newRow("decomposed searched") << "JOÃO" << QStringLiteral("joa\u0303o") << true;
    QTest::newRow("accent matters") << "JOAO"
                                    << "joão" << false;
    QTest::newRow("whole text") << "ANA"
                                << "AN" << false;
    QTest::newRow("blanks matter") << "ANA "
                                   << "ana" << false;
}

void TextMatchTest::equalityIgnoresCaseNotAccents() {
    QFETCH(QString, stored);
    QFETCH(QString, searched);
    TestDatabase fixture;
    auto db = fixture.create();
    insertCustomers(*db, {stored, QStringLiteral("OUTRO")});
    const auto condition =
        textMatch::foldEquals(db->engine(), QStringLiteral("cli_Nome"), searched);
    QTEST(select(*db, condition) == QStringList{stored}, "found");
}

void TextMatchTest::prefixFindsOnlyWhatStartsWithIt_data() {
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QStringList>("expected"); // in fold (code point) order
    QTest::newRow("jo") << "jo" << QStringList{"Jo", "Jose", "JOZÉ", "JOÃO SILVA"};
    QTest::newRow("JO upper") << "JO" << QStringList{"Jo", "Jose", "JOZÉ", "JOÃO SILVA"};
    QTest::newRow("accented prefix") << "joã" << QStringList{"JOÃO SILVA"};
    QTest::newRow("accent is a different letter") << "á" << QStringList{"ÁGUA"};
    QTest::newRow("plain a") << "A" << QStringList{"agua", "Ana"};
    QTest::newRow("exact short name") << "jp" << QStringList{"jp"};
    QTest::newRow("nothing") << "zz" << QStringList{};
    QTest::newRow("empty prefix is no condition")
        << "" << QStringList{"agua", "Ana", "jn", "Jo", "Jose", "JOZÉ", "JOÃO SILVA", "jp", "ÁGUA"};
}

void TextMatchTest::prefixFindsOnlyWhatStartsWithIt() {
    QFETCH(QString, prefix);
    TestDatabase fixture;
    auto db = fixture.create();
    insertCustomers(*db, kNames);
    const auto condition = textMatch::foldPrefix(db->engine(), QStringLiteral("cli_Nome"), prefix);
    QCOMPARE(condition.isEmpty(), prefix.isEmpty());
    QTEST(select(*db, condition), "expected");
}

void TextMatchTest::upperBoundIsTheNextText_data() {
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("bound");
    QTest::addColumn<bool>("exists");
    QTest::newRow("last letter") << "jo"
                                 << "jp" << true;
    QTest::newRow("accented last letter") << "joã"
                                          << "joä" << true;
    QTest::newRow("past latin-1") << QStringLiteral("a\u00ff") << QStringLiteral("a\u0100") << true;
    QTest::newRow("skips surrogates")
        << QStringLiteral("x\ud7ff") << QStringLiteral("x\ue000") << true;
    QTest::newRow("outside the BMP")
        << QStringLiteral("a\U0001F600") << QStringLiteral("a\U0001F601") << true;
    QTest::newRow("highest code point carries") << QStringLiteral("ab\U0010FFFF") << "ac" << true;
    QTest::newRow("only highest code points") << QStringLiteral("\U0010FFFF") << "" << false;
    QTest::newRow("empty") << ""
                           << "" << false;
}

void TextMatchTest::upperBoundIsTheNextText() {
    QFETCH(QString, prefix);
    QFETCH(QString, bound);
    QFETCH(bool, exists);
    const auto upper = textMatch::prefixUpperBound(prefix);
    QCOMPARE(upper.has_value(), exists);
    if (exists)
        QCOMPARE(*upper, bound);
}

void TextMatchTest::lookupsUseTheIndexes_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("match"); // fold-prefix, fold-equal, plain
    QTest::addColumn<QString>("index");
    QTest::newRow("customer name prefix") << "TB_Cliente"
                                          << "cli_Nome"
                                          << "fold-prefix"
                                          << "ix_cliente_nome_fold";
    QTest::newRow("customer name") << "TB_Cliente"
                                   << "cli_Nome"
                                   << "fold-equal"
                                   << "ix_cliente_nome_fold";
    QTest::newRow("street") << "TB_Cliente"
                            << "cli_Logradouro"
                            << "fold-prefix"
                            << "ix_cliente_logradouro_fold";
    QTest::newRow("customer telephone") << "TB_Cliente"
                                        << "cli_Telefone"
                                        << "plain"
                                        << "ix_cliente_telefone";
    QTest::newRow("product") << "TB_Produto"
                             << "pro_Produto"
                             << "fold-prefix"
                             << "ix_produto_nome_fold";
    QTest::newRow("category") << "TB_Categoria"
                              << "cat_Categoria"
                              << "fold-equal"
                              << "ix_categoria_nome_fold";
    QTest::newRow("delivery person") << "TB_Entregador"
                                     << "ent_Nome"
                                     << "fold-equal"
                                     << "ix_entregador_nome_fold";
    QTest::newRow("user") << "TB_Usuario"
                          << "usu_Nome"
                          << "fold-equal"
                          << "ix_usuario_nome_fold";
    QTest::newRow("order customer name") << "TB_Pedido"
                                         << "ped_cli_Nome"
                                         << "fold-prefix"
                                         << "ix_pedido_nome_fold";
    QTest::newRow("order telephone") << "TB_Pedido"
                                     << "ped_cli_Telefone"
                                     << "plain"
                                     << "ix_pedido_telefone";
    QTest::newRow("order items") << "TB_Item"
                                 << "ite_Ono"
                                 << "plain"
                                 << "ix_item_ono";
}

void TextMatchTest::lookupsUseTheIndexes() {
    QFETCH(QString, table);
    QFETCH(QString, column);
    QFETCH(QString, match);
    QFETCH(QString, index);
    TestDatabase fixture;
    auto db = fixture.create();
    textMatch::SqlCondition condition;
    if (match == QLatin1String("fold-prefix"))
        condition = textMatch::foldPrefix(db->engine(), column, QStringLiteral("Jo"));
    else if (match == QLatin1String("fold-equal"))
        condition = textMatch::foldEquals(db->engine(), column, QStringLiteral("João"));
    else
        condition = {column + QStringLiteral(" = ?"), {QStringLiteral("1133334444")}};
    QString sql = QStringLiteral("SELECT * FROM %1 WHERE %2").arg(table, condition.sql);
    const QString where = plan(*db, sql, condition.binds);
    QVERIFY2(where.contains(index), qPrintable(where));

    // The first hundred in name order come straight from the index, without a sort.
    if (match == QLatin1String("fold-prefix")) {
        sql += QStringLiteral(" ORDER BY %1 LIMIT 100")
                   .arg(textMatch::foldOrder(db->engine(), column));
        const QString ordered = plan(*db, sql, condition.binds);
        QVERIFY2(ordered.contains(index), qPrintable(ordered));
        QVERIFY2(!ordered.contains(QLatin1String("TEMP B-TREE")) &&
                     !ordered.contains(QLatin1String("Sort")),
                 qPrintable(ordered));
    }
}

BRISKO_DB_TEST_MAIN(TextMatchTest)
#include "TestTextMatch.moc"
