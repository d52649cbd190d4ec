#include "data/Database.h"
#include "data/TextMatch.h"
#include "support/TestDatabase.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

using Engine = ConnectionSpec::Engine;

const QStringList kNames = {
    u"JOÃO SILVA"_s, u"Jose"_s, u"Ana"_s,  u"jp"_s,   u"Jo"_s,
    u"JOZÉ"_s,       u"jn"_s,   u"ÁGUA"_s, u"agua"_s,
};

void insertCustomers(Database& db, const QStringList& names) {
    int key = 0;
    for (const QString& name : names)
        db.exec(QStringLiteral("INSERT INTO TB_Cliente (cli_ID, cli_Telefone, cli_Nome, "
                               "cli_Logradouro) VALUES (?, ?, ?, ?)"),
                {++key, QString::number(1000 + key), name, name});
}

QStringList select(Database& db, const textMatch::SqlCondition& condition) {
    QString sql = u"SELECT cli_Nome FROM TB_Cliente"_s;
    if (!condition.isEmpty())
        sql += u" WHERE "_s + condition.sql;
    sql += u" ORDER BY "_s + textMatch::foldOrder(db.engine(), u"cli_Nome"_s);
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
        QSqlQuery query = db.exec(u"EXPLAIN QUERY PLAN "_s + sql, binds);
        while (query.next())
            lines << query.value(3).toString();
    } else {
        db.exec(u"SET enable_seqscan = off"_s);
        QSqlQuery query = db.exec(u"EXPLAIN "_s + inlined(sql, binds));
        while (query.next())
            lines << query.value(0).toString();
        db.exec(u"RESET enable_seqscan"_s);
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace

class TextMatchTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void equalityIgnoresCaseNotAccents_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("searched");
        QTest::addColumn<bool>("found");
        QTest::newRow("lower finds upper") << u"JOÃO"_s << u"joão"_s << true;
        QTest::newRow("upper finds lower") << u"joão"_s << u"JOÃO"_s << true;
        QTest::newRow("acute") << u"ÁREA"_s << u"área"_s << true;
        QTest::newRow("cedilla") << u"Ç"_s << u"ç"_s << true;
        QTest::newRow("mixed") << u"Açúcar Mascavo"_s << u"AÇÚCAR MASCAVO"_s << true;
        QTest::newRow("decomposed stored") << u"JOA\u0303O"_s << u"joão"_s << true;
        QTest::newRow("decomposed searched") << u"JOÃO"_s << u"joa\u0303o"_s << true;
        QTest::newRow("accent matters") << u"JOAO"_s << u"joão"_s << false;
        QTest::newRow("whole text") << u"ANA"_s << u"AN"_s << false;
        QTest::newRow("blanks matter") << u"ANA "_s << u"ana"_s << false;
    }

    void equalityIgnoresCaseNotAccents() {
        QFETCH(QString, stored);
        QFETCH(QString, searched);
        TestDatabase fixture;
        auto db = fixture.create();
        insertCustomers(*db, {stored, u"OUTRO"_s});
        const auto condition = textMatch::foldEquals(db->engine(), u"cli_Nome"_s, searched);
        QTEST(select(*db, condition) == QStringList{stored}, "found");
    }

    void prefixFindsOnlyWhatStartsWithIt_data() {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QStringList>("expected"); // in fold (code point) order
        QTest::newRow("jo") << u"jo"_s << QStringList{"Jo", "Jose", "JOZÉ", "JOÃO SILVA"};
        QTest::newRow("JO upper") << u"JO"_s << QStringList{"Jo", "Jose", "JOZÉ", "JOÃO SILVA"};
        QTest::newRow("accented prefix") << u"joã"_s << QStringList{"JOÃO SILVA"};
        QTest::newRow("accent is a different letter") << u"á"_s << QStringList{"ÁGUA"};
        QTest::newRow("plain a") << u"A"_s << QStringList{"agua", "Ana"};
        QTest::newRow("exact short name") << u"jp"_s << QStringList{"jp"};
        QTest::newRow("nothing") << u"zz"_s << QStringList{};
        QTest::newRow("empty prefix is no condition")
            << u""_s
            << QStringList{"agua", "Ana", "jn", "Jo", "Jose", "JOZÉ", "JOÃO SILVA", "jp", "ÁGUA"};
    }

    void prefixFindsOnlyWhatStartsWithIt() {
        QFETCH(QString, prefix);
        TestDatabase fixture;
        auto db = fixture.create();
        insertCustomers(*db, kNames);
        const auto condition = textMatch::foldPrefix(db->engine(), u"cli_Nome"_s, prefix);
        QCOMPARE(condition.isEmpty(), prefix.isEmpty());
        QTEST(select(*db, condition), "expected");
    }

    void upperBoundIsTheNextText_data() {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("bound");
        QTest::addColumn<bool>("exists");
        QTest::newRow("last letter") << u"jo"_s << u"jp"_s << true;
        QTest::newRow("accented last letter") << u"joã"_s << u"joä"_s << true;
        QTest::newRow("past latin-1") << u"a\u00ff"_s << u"a\u0100"_s << true;
        QTest::newRow("skips surrogates") << u"x\ud7ff"_s << u"x\ue000"_s << true;
        QTest::newRow("outside the BMP") << u"a\U0001F600"_s << u"a\U0001F601"_s << true;
        QTest::newRow("highest code point carries") << u"ab\U0010FFFF"_s << u"ac"_s << true;
        QTest::newRow("only highest code points") << u"\U0010FFFF"_s << u""_s << false;
        QTest::newRow("empty") << u""_s << u""_s << false;
    }

    void upperBoundIsTheNextText() {
        QFETCH(QString, prefix);
        QFETCH(QString, bound);
        QFETCH(bool, exists);
        const auto upper = textMatch::prefixUpperBound(prefix);
        QCOMPARE(upper.has_value(), exists);
        if (exists)
            QCOMPARE(*upper, bound);
    }

    void lookupsUseTheIndexes_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("match"); // fold-prefix, fold-equal, plain
        QTest::addColumn<QString>("index");
        QTest::newRow("customer name prefix")
            << u"TB_Cliente"_s << u"cli_Nome"_s << u"fold-prefix"_s << u"ix_cliente_nome_fold"_s;
        QTest::newRow("customer name")
            << u"TB_Cliente"_s << u"cli_Nome"_s << u"fold-equal"_s << u"ix_cliente_nome_fold"_s;
        QTest::newRow("street") << u"TB_Cliente"_s << u"cli_Logradouro"_s << u"fold-prefix"_s
                                << u"ix_cliente_logradouro_fold"_s;
        QTest::newRow("customer telephone")
            << u"TB_Cliente"_s << u"cli_Telefone"_s << u"plain"_s << u"ix_cliente_telefone"_s;
        QTest::newRow("product") << u"TB_Produto"_s << u"pro_Produto"_s << u"fold-prefix"_s
                                 << u"ix_produto_nome_fold"_s;
        QTest::newRow("category") << u"TB_Categoria"_s << u"cat_Categoria"_s << u"fold-equal"_s
                                  << u"ix_categoria_nome_fold"_s;
        QTest::newRow("delivery person") << u"TB_Entregador"_s << u"ent_Nome"_s << u"fold-equal"_s
                                         << u"ix_entregador_nome_fold"_s;
        QTest::newRow("user") << u"TB_Usuario"_s << u"usu_Nome"_s << u"fold-equal"_s
                              << u"ix_usuario_nome_fold"_s;
        QTest::newRow("order customer name")
            << u"TB_Pedido"_s << u"ped_cli_Nome"_s << u"fold-prefix"_s << u"ix_pedido_nome_fold"_s;
        QTest::newRow("order telephone")
            << u"TB_Pedido"_s << u"ped_cli_Telefone"_s << u"plain"_s << u"ix_pedido_telefone"_s;
        QTest::newRow("order items")
            << u"TB_Item"_s << u"ite_Ono"_s << u"plain"_s << u"ix_item_ono"_s;
    }

    void lookupsUseTheIndexes() {
        QFETCH(QString, table);
        QFETCH(QString, column);
        QFETCH(QString, match);
        QFETCH(QString, index);
        TestDatabase fixture;
        auto db = fixture.create();
        textMatch::SqlCondition condition;
        if (match == QLatin1String("fold-prefix"))
            condition = textMatch::foldPrefix(db->engine(), column, u"Jo"_s);
        else if (match == QLatin1String("fold-equal"))
            condition = textMatch::foldEquals(db->engine(), column, u"João"_s);
        else
            condition = {column + u" = ?"_s, {u"1133334444"_s}};
        QString sql = u"SELECT * FROM %1 WHERE %2"_s.arg(table, condition.sql);
        const QString where = plan(*db, sql, condition.binds);
        QVERIFY2(where.contains(index), qPrintable(where));

        // The first hundred in name order come straight from the index, without a sort.
        if (match == QLatin1String("fold-prefix")) {
            sql += u" ORDER BY %1 LIMIT 100"_s.arg(textMatch::foldOrder(db->engine(), column));
            const QString ordered = plan(*db, sql, condition.binds);
            QVERIFY2(ordered.contains(index), qPrintable(ordered));
            QVERIFY2(!ordered.contains(QLatin1String("TEMP B-TREE")) &&
                         !ordered.contains(QLatin1String("Sort")),
                     qPrintable(ordered));
        }
    }
};

BRISKO_DB_TEST_MAIN(TextMatchTest)
#include "TestTextMatch.moc"
