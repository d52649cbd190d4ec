#include "data/Database.h"
#include "masterdata/ProdutoStore.h"
#include "support/TestDatabase.h"

#include <QObject>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

Produto produto(const QString& categoria, const QString& nome, qint64 cents) {
    Produto p;
    p.categoria = categoria;
    p.nome = nome;
    p.preco = Money::fromCents(cents);
    return p;
}

QStringList namesOf(const QList<Produto>& produtos) {
    QStringList names;
    for (const Produto& p : produtos)
        names << p.nome;
    return names;
}

// PIZZAS: CALABRESA, MUSSARELA, ATUM; PIZZAS DOCES: BRIGADEIRO; BEBIDAS: ÁGUA.
void fillMenu(ProdutoStore& store) {
    store.insert(produto("PIZZAS", "MUSSARELA", 3500));
    store.insert(produto("BEBIDAS", "ÁGUA", 300));
    store.insert(produto("PIZZAS DOCES", "BRIGADEIRO", 4200));
    store.insert(produto("PIZZAS", "CALABRESA", 3800));
    store.insert(produto("PIZZAS", "ATUM", 4000));
}

} // namespace

class ProdutoStoreTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void insertKeepsEveryFieldAndTheCodesRule() {
        TestDatabase fx;
        auto db = fx.create();
        ProdutoStore store(*db);
        QVERIFY(store.isEmpty());
        Produto p = produto("PIZZAS", "PORTUGUESA", 123456789);
        p.descricao = u"PRESUNTO, OVO E CEBOLA"_s;
        p.fornecedor = u"LATICÍNIOS SÃO JOSÉ"_s;
        p.representante = u"JOÃO"_s;
        p.repTelefone = u"11 5555-1234"_s;
        p.codigo = *store.insert(p);
        QCOMPARE(p.codigo, qint64(1));
        QCOMPARE(store.find(1), std::optional(p));
        QVERIFY(db->scalar(u"SELECT fl_sincroniza FROM TB_Produto"_s).isNull());
        QCOMPARE(*store.insert(produto("PIZZAS", "ATUM", 0)), qint64(2));
        QVERIFY(store.remove(2));
        QCOMPARE(*store.insert(produto("PIZZAS", "ATUM", 0)), qint64(2));
    }

    void updateRewritesEveryFieldAndMarksTheRow() {
        TestDatabase fx;
        auto db = fx.create();
        ProdutoStore store(*db);
        Produto p = produto("PIZZAS", "ATUM", 4000);
        p.codigo = *store.insert(p);
        p.categoria = u"ESPECIAIS"_s;
        p.nome = u"ATUM SÓLIDO"_s;
        p.preco = Money::fromCents(4590);
        p.descricao = u"ATUM E CEBOLA"_s;
        p.fornecedor = u"F"_s;
        p.representante = u"R"_s;
        p.repTelefone = u"1234"_s;
        QCOMPARE(store.update(p), WriteOutcome::Saved);
        QCOMPARE(store.find(p.codigo), std::optional(p));
        QCOMPARE(db->scalar(u"SELECT fl_sincroniza FROM TB_Produto"_s).toString(), u"S"_s);
        p.codigo = 99;
        QCOMPARE(store.update(p), WriteOutcome::NameTaken);
        p.nome = u"SARDINHA"_s;
        QCOMPARE(store.update(p), WriteOutcome::NotFound);
        QCOMPARE(namesOf(store.ofCategory(u"ESPECIAIS"_s)), QStringList{"ATUM SÓLIDO"});
    }

    void refusesNamesOfOtherProducts() {
        TestDatabase fx;
        auto db = fx.create();
        ProdutoStore store(*db);
        const qint64 atum = *store.insert(produto("PIZZAS", "ATUM", 4000));
        Produto other = produto("PIZZAS", "CALABRESA", 3800);
        other.codigo = *store.insert(other);

        QVERIFY(store.existsOther(u"atum"_s));
        QVERIFY(!store.existsOther(u"atum"_s, atum));
        QCOMPARE(store.insert(produto("BEBIDAS", "Atum", 100)), std::nullopt);
        other.nome = u"ATUM"_s;
        QCOMPARE(store.update(other), WriteOutcome::NameTaken);
        QCOMPARE(store.find(other.codigo)->nome, u"CALABRESA"_s);
        other.nome = u"calabresa"_s;
        QCOMPARE(store.update(other), WriteOutcome::Saved);
    }

    void storesTextExactly_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("apostrophes") << "PIZZA D'ANGELO'; DELETE FROM TB_Produto; --";
        QTest::newRow("accents") << u"CORAÇÃO À MODA DO JOÃO"_s;
        QTest::newRow("100 characters") << u"Ç"_s + QString(99, u'A');
    }

    void storesTextExactly() {
        QFETCH(QString, name);
        TestDatabase fx;
        auto db = fx.create();
        ProdutoStore store(*db);
        fillMenu(store);
        Produto p = produto("PIZZAS", name, 1);
        p.descricao = name;
        p.codigo = *store.insert(p);
        QCOMPARE(store.find(p.codigo), std::optional(p));
        QCOMPARE(store.searchPrefix(std::nullopt, name), QList<Produto>{p});
        QCOMPARE(store.searchPrefix(u"PIZZAS"_s, name.toLower()), QList<Produto>{p});
        QCOMPARE(store.searchContaining(std::nullopt, name.mid(1, 20), ProdutoStore::Order::ByName),
                 QList<Produto>{p});
        QCOMPARE(store.price(u"PIZZAS"_s, name), std::optional(p.preco));
    }

    void lookupListsByCategoryPrefix() {
        TestDatabase fx;
        auto db = fx.create();
        ProdutoStore store(*db);
        fillMenu(store);
        QCOMPARE(namesOf(store.list(std::nullopt, ProdutoStore::Order::ByCategory)),
                 (QStringList{"ÁGUA", "MUSSARELA", "CALABRESA", "ATUM", "BRIGADEIRO"}));
        QCOMPARE(namesOf(store.list(u"PIZZAS"_s, ProdutoStore::Order::ByCategory)),
                 (QStringList{"MUSSARELA", "CALABRESA", "ATUM", "BRIGADEIRO"}));
        QCOMPARE(namesOf(store.list(u"pizzas d"_s, ProdutoStore::Order::ByCategory)),
                 QStringList{"BRIGADEIRO"});
        QCOMPARE(namesOf(store.ofCategory(u"pizzas"_s)),
                 (QStringList{"ATUM", "CALABRESA", "MUSSARELA"}));
    }

    void prefixSearchWithinOneCategoryOrAll() {
        TestDatabase fx;
        auto db = fx.create();
        ProdutoStore store(*db);
        fillMenu(store);
        store.insert(produto("ESPECIAIS", "CALABRESA ACEBOLADA", 4100));
        QCOMPARE(namesOf(store.searchPrefix(std::nullopt, QString())).size(), 6);
        QCOMPARE(namesOf(store.searchPrefix(std::nullopt, u"cala"_s)),
                 (QStringList{"CALABRESA", "CALABRESA ACEBOLADA"}));
        QCOMPARE(namesOf(store.searchPrefix(u"ESPECIAIS"_s, u"CALA"_s)),
                 QStringList{"CALABRESA ACEBOLADA"});
        QCOMPARE(namesOf(store.searchPrefix(u"PIZZAS"_s, QString())),
                 (QStringList{"ATUM", "CALABRESA", "MUSSARELA"}));
        QCOMPARE(namesOf(store.searchPrefix(std::nullopt, u"água"_s)), QStringList{"ÁGUA"});
        QCOMPARE(namesOf(store.searchPrefix(std::nullopt, u"ABRE"_s)), QStringList{});
    }

    void flavourSearchFindsTheTextAnywhere_data() {
        QTest::addColumn<QString>("categoria"); // empty: every category
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("middle, all") << u""_s << u"ab"_s << QStringList{"CALABRESA"};
        QTest::newRow("middle, accent") << u""_s << u"gua"_s << QStringList{"ÁGUA"};
        QTest::newRow("several") << u""_s << u"a"_s
                                 << QStringList{"ATUM", "BRIGADEIRO", "CALABRESA", "MUSSARELA",
                                                "ÁGUA"};
        QTest::newRow("one category")
            << u"PIZZAS"_s << u"a"_s << QStringList{"ATUM", "CALABRESA", "MUSSARELA"};
        QTest::newRow("percent is literal") << u""_s << u"%"_s << QStringList{"50% OFF"};
        QTest::newRow("underscore is literal") << u""_s << u"_"_s << QStringList{};
        QTest::newRow("empty text lists the category")
            << u"BEBIDAS"_s << u""_s << QStringList{"50% OFF", "ÁGUA"};
    }

    void flavourSearchFindsTheTextAnywhere() {
        QFETCH(QString, categoria);
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        TestDatabase fx;
        auto db = fx.create();
        ProdutoStore store(*db);
        fillMenu(store);
        store.insert(produto("BEBIDAS", "50% OFF", 1));
        const auto category = categoria.isEmpty() ? std::nullopt : std::optional(categoria);
        QCOMPARE(namesOf(store.searchContaining(category, text, ProdutoStore::Order::ByName)),
                 expected);
    }

    void flavourListOrders() {
        TestDatabase fx;
        auto db = fx.create();
        ProdutoStore store(*db);
        fillMenu(store);
        QCOMPARE(namesOf(store.list(std::nullopt, ProdutoStore::Order::ByName)),
                 (QStringList{"ATUM", "BRIGADEIRO", "CALABRESA", "MUSSARELA", "ÁGUA"}));
        QCOMPARE(namesOf(store.list(std::nullopt, ProdutoStore::Order::ByCategoryAndName)),
                 (QStringList{"ÁGUA", "ATUM", "CALABRESA", "MUSSARELA", "BRIGADEIRO"}));
        QCOMPARE(namesOf(store.searchContaining(std::nullopt, u"r"_s,
                                                ProdutoStore::Order::ByCategoryAndName)),
                 (QStringList{"CALABRESA", "MUSSARELA", "BRIGADEIRO"}));
    }

    void priceOfTheDeliveryFee() {
        TestDatabase fx;
        auto db = fx.create();
        ProdutoStore store(*db);
        store.insert(produto("TAXA DE ENTREGA", "CENTRO", 500));
        store.insert(produto("PIZZAS", "CENTRO ESPECIAL", 9900));
        QCOMPARE(store.price(u"TAXA DE ENTREGA"_s, u"centro"_s),
                 std::optional(Money::fromCents(500)));
        QCOMPARE(store.price(u"TAXA DE ENTREGA"_s, u"CENTRO ESPECIAL"_s), std::nullopt);
        QCOMPARE(store.price(u"TAXA DE ENTREGA"_s, u"CENT"_s), std::nullopt);
    }

    void removeTakesOnlyThatCode() {
        TestDatabase fx;
        auto db = fx.create();
        ProdutoStore store(*db);
        fillMenu(store);
        QVERIFY(store.remove(2));
        QVERIFY(!store.remove(2));
        QCOMPARE(namesOf(store.list(std::nullopt, ProdutoStore::Order::ByName)),
                 (QStringList{"ATUM", "BRIGADEIRO", "CALABRESA", "MUSSARELA"}));
    }
};

BRISKO_DB_TEST_MAIN(ProdutoStoreTest)
#include "TestProdutoStore.moc"
