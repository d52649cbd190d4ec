#include "data/Database.h"
#include "masterdata/CategoriaStore.h"
#include "masterdata/ProdutoStore.h"
#include "support/TestDatabase.h"

#include <QObject>
#include <QTest>
#include <set>
#include <thread>

class CategoriaStoreTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void codesFollowTheHighest();
    void insertLeavesTheFlagUnsetAndUpdateMarksIt();
    void refusesNamesOfOtherCategories_data();
    void refusesNamesOfOtherCategories();
    void keepsItsOwnNameOnUpdate();
    void storesTextExactly_data();
    void storesTextExactly();
    void prefixSearchNarrowsAndWidens();
    void listsAndNamesAreOrdered();
    void removeTakesOnlyThatCodeAndLeavesProducts();
    void updateOfAVanishedCodeWritesNothing();
    void twoWorkstationsGetDistinctCodes();
};

namespace {

QVariant flag(Database& db, qint64 codigo) {
    return db.scalar(QStringLiteral("SELECT fl_sincroniza FROM TB_Categoria WHERE cat_ID = ?"),
                     {codigo});
}

QStringList namesOf(const QList<Categoria>& categorias) {
    QStringList names;
    for (const Categoria& categoria : categorias)
        names << categoria.nome;
    return names;
}

} // namespace

void CategoriaStoreTest::codesFollowTheHighest() {
    TestDatabase fx;
    auto db = fx.create();
    CategoriaStore store(*db);
    QVERIFY(store.isEmpty());
    QCOMPARE(store.insert(QStringLiteral("PIZZAS")), std::optional<qint64>(1));
    QCOMPARE(store.insert(QStringLiteral("BEBIDAS")), std::optional<qint64>(2));
    for (const char* name : {"ESFIHAS", "DOCES", "LANCHES"})
        QVERIFY(store.insert(QString::fromLatin1(name)));
    QVERIFY(store.remove(3));
    QVERIFY(store.remove(4));
    // Left: 1, 2, 5.
    QCOMPARE(store.insert(QStringLiteral("PORÇÕES")), std::optional<qint64>(6));
    QVERIFY(!store.isEmpty());
    QCOMPARE(store.find(6)->nome, QStringLiteral("PORÇÕES"));
}

void CategoriaStoreTest::insertLeavesTheFlagUnsetAndUpdateMarksIt() {
    TestDatabase fx;
    auto db = fx.create();
    CategoriaStore store(*db);
    const qint64 codigo = *store.insert(QStringLiteral("PIZZAS"));
    QVERIFY(flag(*db, codigo).isNull());
    QCOMPARE(store.update({codigo, QStringLiteral("PIZZAS SALGADAS")}), WriteOutcome::Saved);
    QCOMPARE(flag(*db, codigo).toString(), QStringLiteral("S"));
    QCOMPARE(store.find(codigo)->nome, QStringLiteral("PIZZAS SALGADAS"));
}

void CategoriaStoreTest::refusesNamesOfOtherCategories_data() {
    QTest::addColumn<QString>("existing");
    QTest::addColumn<QString>("typed");
    QTest::newRow("same") << "BEBIDAS"
                          << "BEBIDAS";
    QTest::newRow("lower case") << "BEBIDAS"
                                << "bebidas";
    QTest::newRow("accented lower case") << "PORÇÕES"
                                         << "porções";
}

void CategoriaStoreTest::refusesNamesOfOtherCategories() {
    QFETCH(QString, existing);
    QFETCH(QString, typed);
    TestDatabase fx;
    auto db = fx.create();
    CategoriaStore store(*db);
    const qint64 first = *store.insert(existing);
    const qint64 second = *store.insert(QStringLiteral("OUTRA"));

    QVERIFY(store.existsOther(typed));
    QVERIFY(!store.existsOther(typed, first));
    QVERIFY(store.existsOther(typed, second));
    QCOMPARE(store.insert(typed), std::nullopt);
    QCOMPARE(store.update({second, typed}), WriteOutcome::NameTaken);
    QCOMPARE(store.all(), (QList<Categoria>{{first, existing}, {second, QStringLiteral("OUTRA")}}));
    QVERIFY(flag(*db, second).isNull());
}

void CategoriaStoreTest::keepsItsOwnNameOnUpdate() {
    TestDatabase fx;
    auto db = fx.create();
    CategoriaStore store(*db);
    const qint64 codigo = *store.insert(QStringLiteral("BEBIDAS"));
    QCOMPARE(store.update({codigo, QStringLiteral("BEBIDAS")}), WriteOutcome::Saved);
    QCOMPARE(store.update({codigo, QStringLiteral("Bebidas")}), WriteOutcome::Saved);
    QCOMPARE(store.find(codigo)->nome, QStringLiteral("Bebidas"));
}

void CategoriaStoreTest::storesTextExactly_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("apostrophe") << "D'AGUA ' OR '1'='1";
    QTest::newRow("accents") << "AÇAÍ & MAÇÃ";
    QTest::newRow("percent and underscore") << "50%_OFF";
    QTest::newRow("100 characters") << QString(99, u'X') + QStringLiteral("É");
}

void CategoriaStoreTest::storesTextExactly() {
    QFETCH(QString, name);
    TestDatabase fx;
    auto db = fx.create();
    CategoriaStore store(*db);
    store.insert(QStringLiteral("OUTRA"));
    const qint64 codigo = *store.insert(name);
    QCOMPARE(store.find(codigo)->nome, name);
    QCOMPARE(store.findByName(name), (Categoria{codigo, name}));
    QCOMPARE(namesOf(store.search(name)), QStringList{name});
    QCOMPARE(namesOf(store.search(name.left(3))), QStringList{name});
}

void CategoriaStoreTest::prefixSearchNarrowsAndWidens() {
    TestDatabase fx;
    auto db = fx.create();
    CategoriaStore store(*db);
    for (const QString& name :
         {QStringLiteral("PIZZAS DOCES"), QStringLiteral("BEBIDAS"), QStringLiteral("PIZZAS"),
          QStringLiteral("ÁGUAS"), QStringLiteral("PIZZARIA")})
        store.insert(name);
    const QStringList everything = namesOf(store.all());
    QCOMPARE(namesOf(store.search(QString())), everything);
    QCOMPARE(namesOf(store.search(QStringLiteral("P"))),
             (QStringList{"PIZZAS DOCES", "PIZZAS", "PIZZARIA"}));
    QCOMPARE(namesOf(store.search(QStringLiteral("pizzas"))),
             (QStringList{"PIZZAS DOCES", "PIZZAS"}));
    QCOMPARE(namesOf(store.search(QStringLiteral("PIZZAS "))), QStringList{"PIZZAS DOCES"});
    QCOMPARE(namesOf(store.search(QStringLiteral("pizzasx"))), QStringList{});
    QCOMPARE(namesOf(store.search(QStringLiteral("PI"))), namesOf(store.search("P")));
    QCOMPARE(namesOf(store.search(QStringLiteral("águ"))), QStringList{"ÁGUAS"});
    QCOMPARE(namesOf(store.search(QStringLiteral("AGU"))), QStringList{});
}

void CategoriaStoreTest::listsAndNamesAreOrdered() {
    TestDatabase fx;
    auto db = fx.create();
    CategoriaStore store(*db);
    for (const QString& name :
         {QStringLiteral("PIZZAS"), QStringLiteral("bebidas"), QStringLiteral("ESFIHAS")})
        store.insert(name);
    QList<qint64> codes;
    for (const Categoria& categoria : store.all())
        codes << categoria.codigo;
    QCOMPARE(codes, (QList<qint64>{1, 2, 3}));
    QCOMPARE(store.names(), (QStringList{"bebidas", "ESFIHAS", "PIZZAS"}));
}

void CategoriaStoreTest::removeTakesOnlyThatCodeAndLeavesProducts() {
    TestDatabase fx;
    auto db = fx.create();
    CategoriaStore categorias(*db);
    ProdutoStore produtos(*db);
    const qint64 pizzas = *categorias.insert(QStringLiteral("PIZZAS"));
    categorias.insert(QStringLiteral("BEBIDAS"));
    Produto produto;
    produto.categoria = QStringLiteral("PIZZAS");
    produto.nome = QStringLiteral("MUSSARELA");
    produto.preco = Money::fromCents(3990);
    produto.codigo = *produtos.insert(produto);

    QVERIFY(categorias.remove(pizzas));
    QVERIFY(!categorias.remove(pizzas));
    QCOMPARE(categorias.names(), QStringList{"BEBIDAS"});
    QCOMPARE(produtos.ofCategory(QStringLiteral("PIZZAS")), QList<Produto>{produto});
}

void CategoriaStoreTest::updateOfAVanishedCodeWritesNothing() {
    TestDatabase fx;
    auto db = fx.create();
    CategoriaStore store(*db);
    store.insert(QStringLiteral("PIZZAS"));
    QCOMPARE(store.update({7, QStringLiteral("BEBIDAS")}), WriteOutcome::NotFound);
    QCOMPARE(namesOf(store.all()), QStringList{"PIZZAS"});
}

void CategoriaStoreTest::twoWorkstationsGetDistinctCodes() {
    TestDatabase fx;
    auto db = fx.create();
    constexpr int kPerStation = 15;
    QList<qint64> codes[2];
    QString failures[2];
    auto station = [&](int index) {
        try {
            auto own = fx.openAnother();
            CategoriaStore store(*own);
            for (int i = 0; i < kPerStation; ++i)
                codes[index] << *store.insert(QStringLiteral("ESTAÇÃO %1 - %2").arg(index).arg(i));
        } catch (const DbError& e) {
            failures[index] = e.description();
        }
    };
    {
        std::jthread first(station, 0);
        std::jthread second(station, 1);
    }
    QCOMPARE(failures[0], QString());
    QCOMPARE(failures[1], QString());
    std::set<qint64> distinct(codes[0].begin(), codes[0].end());
    distinct.insert(codes[1].begin(), codes[1].end());
    QCOMPARE(distinct.size(), size_t(2 * kPerStation));
    QCOMPARE(*distinct.rbegin(), qint64(2 * kPerStation));
    QCOMPARE(CategoriaStore(*db).all().size(), 2 * kPerStation);
}

BRISKO_DB_TEST_MAIN(CategoriaStoreTest)
#include "TestCategoriaStore.moc"
