#include "data/Database.h"
#include "masterdata/ProdutoStore.h"
#include "support/TestDatabase.h"

#include <QObject>
#include <QTest>

class ProdutoStoreTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void insertKeepsEveryFieldAndTheCodesRule();
    void updateRewritesEveryFieldAndMarksTheRow();
    void refusesNamesOfOtherProducts();
    void storesTextExactly_data();
    void storesTextExactly();
    void lookupListsByCategoryPrefix();
    void prefixSearchWithinOneCategoryOrAll();
    void flavourSearchFindsTheTextAnywhere_data();
    void flavourSearchFindsTheTextAnywhere();
    void flavourListOrders();
    void priceOfTheDeliveryFee();
    void removeTakesOnlyThatCode();
};

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

void ProdutoStoreTest::insertKeepsEveryFieldAndTheCodesRule() {
    TestDatabase fx;
    auto db = fx.create();
    ProdutoStore store(*db);
    QVERIFY(store.isEmpty());
    Produto p = produto("PIZZAS", "PORTUGUESA", 123456789);
    p.descricao = QStringLiteral("PRESUNTO, OVO E CEBOLA");
    p.fornecedor = QStringLiteral("LATICÍNIOS SÃO JOSÉ");
    p.representante = QStringLiteral("JOÃO");
    p.repTelefone = QStringLiteral("11 5555-1234");
    p.codigo = *store.insert(p);
    QCOMPARE(p.codigo, qint64(1));
    QCOMPARE(store.find(1), std::optional(p));
    QVERIFY(db->scalar(QStringLiteral("SELECT fl_sincroniza FROM TB_Produto")).isNull());
    QCOMPARE(*store.insert(produto("PIZZAS", "ATUM", 0)), qint64(2));
    QVERIFY(store.remove(2));
    QCOMPARE(*store.insert(produto("PIZZAS", "ATUM", 0)), qint64(2));
}

void ProdutoStoreTest::updateRewritesEveryFieldAndMarksTheRow() {
    TestDatabase fx;
    auto db = fx.create();
    ProdutoStore store(*db);
    Produto p = produto("PIZZAS", "ATUM", 4000);
    p.codigo = *store.insert(p);
    p.categoria = QStringLiteral("ESPECIAIS");
    p.nome = QStringLiteral("ATUM SÓLIDO");
    p.preco = Money::fromCents(4590);
    p.descricao = QStringLiteral("ATUM E CEBOLA");
    p.fornecedor = QStringLiteral("F");
    p.representante = QStringLiteral("R");
    p.repTelefone = QStringLiteral("1234");
    QCOMPARE(store.update(p), WriteOutcome::Saved);
    QCOMPARE(store.find(p.codigo), std::optional(p));
    QCOMPARE(db->scalar(QStringLiteral("SELECT fl_sincroniza FROM TB_Produto")).toString(),
             QStringLiteral("S"));
    p.codigo = 99;
    QCOMPARE(store.update(p), WriteOutcome::NameTaken);
    p.nome = QStringLiteral("SARDINHA");
    QCOMPARE(store.update(p), WriteOutcome::NotFound);
    QCOMPARE(namesOf(store.ofCategory(QStringLiteral("ESPECIAIS"))), QStringList{"ATUM SÓLIDO"});
}

void ProdutoStoreTest::refusesNamesOfOtherProducts() {
    TestDatabase fx;
    auto db = fx.create();
    ProdutoStore store(*db);
    const qint64 atum = *store.insert(produto("PIZZAS", "ATUM", 4000));
    Produto other = produto("PIZZAS", "CALABRESA", 3800);
    other.codigo = *store.insert(other);

    QVERIFY(store.existsOther(QStringLiteral("atum")));
    QVERIFY(!store.existsOther(QStringLiteral("atum"), atum));
    QCOMPARE(store.insert(produto("BEBIDAS", "Atum", 100)), std::nullopt);
    other.nome = QStringLiteral("ATUM");
    QCOMPARE(store.update(other), WriteOutcome::NameTaken);
    QCOMPARE(store.find(other.codigo)->nome, QStringLiteral("CALABRESA"));
    other.nome = QStringLiteral("calabresa");
    QCOMPARE(store.update(other), WriteOutcome::Saved);
}

void ProdutoStoreTest::storesTextExactly_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("apostrophes") << "PIZZA D'ANGELO'; DELETE FROM TB_Produto; --";
    QTest::newRow("accents") << "CORAÇÃO À MODA DO JOÃO";
    QTest::newRow("100 characters") << QStringLiteral("Ç") + QString(99, u'A');
}

void ProdutoStoreTest::storesTextExactly() {
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
    QCOMPARE(store.searchPrefix(QStringLiteral("PIZZAS"), name.toLower()), QList<Produto>{p});
    QCOMPARE(store.searchContaining(std::nullopt, name.mid(1, 20), ProdutoStore::Order::ByName),
             QList<Produto>{p});
    QCOMPARE(store.price(QStringLiteral("PIZZAS"), name), std::optional(p.preco));
}

void ProdutoStoreTest::lookupListsByCategoryPrefix() {
    TestDatabase fx;
    auto db = fx.create();
    ProdutoStore store(*db);
    fillMenu(store);
    QCOMPARE(namesOf(store.list(std::nullopt, ProdutoStore::Order::ByCategory)),
             (QStringList{"ÁGUA", "MUSSARELA", "CALABRESA", "ATUM", "BRIGADEIRO"}));
    QCOMPARE(namesOf(store.list(QStringLiteral("PIZZAS"), ProdutoStore::Order::ByCategory)),
             (QStringList{"MUSSARELA", "CALABRESA", "ATUM", "BRIGADEIRO"}));
    QCOMPARE(namesOf(store.list(QStringLiteral("pizzas d"), ProdutoStore::Order::ByCategory)),
             QStringList{"BRIGADEIRO"});
    QCOMPARE(namesOf(store.ofCategory(QStringLiteral("pizzas"))),
             (QStringList{"ATUM", "CALABRESA", "MUSSARELA"}));
}

void ProdutoStoreTest::prefixSearchWithinOneCategoryOrAll() {
    TestDatabase fx;
    auto db = fx.create();
    ProdutoStore store(*db);
    fillMenu(store);
    store.insert(produto("ESPECIAIS", "CALABRESA ACEBOLADA", 4100));
    QCOMPARE(namesOf(store.searchPrefix(std::nullopt, QString())).size(), 6);
    QCOMPARE(namesOf(store.searchPrefix(std::nullopt, QStringLiteral("cala"))),
             (QStringList{"CALABRESA", "CALABRESA ACEBOLADA"}));
    QCOMPARE(namesOf(store.searchPrefix(QStringLiteral("ESPECIAIS"), QStringLiteral("CALA"))),
             QStringList{"CALABRESA ACEBOLADA"});
    QCOMPARE(namesOf(store.searchPrefix(QStringLiteral("PIZZAS"), QString())),
             (QStringList{"ATUM", "CALABRESA", "MUSSARELA"}));
    QCOMPARE(namesOf(store.searchPrefix(std::nullopt, QStringLiteral("água"))),
             QStringList{"ÁGUA"});
    QCOMPARE(namesOf(store.searchPrefix(std::nullopt, QStringLiteral("ABRE"))), QStringList{});
}

void ProdutoStoreTest::flavourSearchFindsTheTextAnywhere_data() {
    QTest::addColumn<QString>("categoria"); // empty: every category
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("middle, all") << ""
                                 << "ab" << QStringList{"CALABRESA"};
    QTest::newRow("middle, accent") << ""
                                    << "gua" << QStringList{"ÁGUA"};
    QTest::newRow("several") << ""
                             << "a"
                             << QStringList{"ATUM", "BRIGADEIRO", "CALABRESA", "MUSSARELA", "ÁGUA"};
    QTest::newRow("one category") << "PIZZAS"
                                  << "a" << QStringList{"ATUM", "CALABRESA", "MUSSARELA"};
    QTest::newRow("percent is literal") << ""
                                        << "%" << QStringList{"50% OFF"};
    QTest::newRow("underscore is literal") << ""
                                           << "_" << QStringList{};
    QTest::newRow("empty text lists the category") << "BEBIDAS"
                                                   << "" << QStringList{"50% OFF", "ÁGUA"};
}

void ProdutoStoreTest::flavourSearchFindsTheTextAnywhere() {
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

void ProdutoStoreTest::flavourListOrders() {
    TestDatabase fx;
    auto db = fx.create();
    ProdutoStore store(*db);
    fillMenu(store);
    QCOMPARE(namesOf(store.list(std::nullopt, ProdutoStore::Order::ByName)),
             (QStringList{"ATUM", "BRIGADEIRO", "CALABRESA", "MUSSARELA", "ÁGUA"}));
    QCOMPARE(namesOf(store.list(std::nullopt, ProdutoStore::Order::ByCategoryAndName)),
             (QStringList{"ÁGUA", "ATUM", "CALABRESA", "MUSSARELA", "BRIGADEIRO"}));
    QCOMPARE(namesOf(store.searchContaining(std::nullopt, QStringLiteral("r"),
                                            ProdutoStore::Order::ByCategoryAndName)),
             (QStringList{"CALABRESA", "MUSSARELA", "BRIGADEIRO"}));
}

void ProdutoStoreTest::priceOfTheDeliveryFee() {
    TestDatabase fx;
    auto db = fx.create();
    ProdutoStore store(*db);
    store.insert(produto("TAXA DE ENTREGA", "CENTRO", 500));
    store.insert(produto("PIZZAS", "CENTRO ESPECIAL", 9900));
    QCOMPARE(store.price(QStringLiteral("TAXA DE ENTREGA"), QStringLiteral("centro")),
             std::optional(Money::fromCents(500)));
    QCOMPARE(store.price(QStringLiteral("TAXA DE ENTREGA"), QStringLiteral("CENTRO ESPECIAL")),
             std::nullopt);
    QCOMPARE(store.price(QStringLiteral("TAXA DE ENTREGA"), QStringLiteral("CENT")), std::nullopt);
}

void ProdutoStoreTest::removeTakesOnlyThatCode() {
    TestDatabase fx;
    auto db = fx.create();
    ProdutoStore store(*db);
    fillMenu(store);
    QVERIFY(store.remove(2));
    QVERIFY(!store.remove(2));
    QCOMPARE(namesOf(store.list(std::nullopt, ProdutoStore::Order::ByName)),
             (QStringList{"ATUM", "BRIGADEIRO", "CALABRESA", "MUSSARELA"}));
}

BRISKO_DB_TEST_MAIN(ProdutoStoreTest)
#include "TestProdutoStore.moc"
