#include "data/Database.h"
#include "masterdata/CategoriaStore.h"
#include "masterdata/EntregadorStore.h"
#include "masterdata/ProdutoStore.h"
#include "support/TestDatabase.h"

#include <QObject>
#include <QTest>
#include <set>
#include <thread>

namespace {

// What differs between the two stores of named records; every case runs on both.
template <typename R> struct Kind;

template <> struct Kind<Categoria> {
    using Store = CategoriaStore;
    static constexpr const char* table = "TB_Categoria";
    static constexpr const char* key = "cat_ID";
    static constexpr bool updateMarksSync = true;
    static Categoria make(const QString& nome) { return {0, nome}; }
    static std::optional<qint64> insert(Store& store, const Categoria& r) {
        return store.insert(r.nome);
    }
    static Categoria changed(Categoria r) {
        r.nome += QStringLiteral(" SALGADAS");
        return r;
    }
    static Categoria stored(const Categoria& changed, const Categoria&) { return changed; }
};

template <> struct Kind<Entregador> {
    using Store = EntregadorStore;
    static constexpr const char* table = "TB_Entregador";
    static constexpr const char* key = "ent_ID";
    static constexpr bool updateMarksSync = false;
    static Entregador make(const QString& nome) {
        return {0, QStringLiteral("(11) 9876-5432"), QDate(2026, 3, 14), nome,
                QStringLiteral("MOTO")};
    }
    static std::optional<qint64> insert(Store& store, const Entregador& r) {
        return store.insert(r);
    }
    // The registration date is written once: the stored record keeps the old one.
    static Entregador changed(Entregador r) {
        r.telefone = QStringLiteral("8888-1111");
        r.nome += QStringLiteral(" DA SILVA");
        r.observacao = QStringLiteral("CARRO");
        r.data = r.data.addYears(1);
        return r;
    }
    static Entregador stored(Entregador changed, const Entregador& original) {
        changed.data = original.data;
        return changed;
    }
};

template <typename R> struct Env {
    using K = Kind<R>;
    TestDatabase fx;
    std::unique_ptr<Database> db = fx.create();
    typename K::Store store{*db};

    R add(const QString& nome) {
        R r = K::make(nome);
        r.codigo = K::insert(store, r).value_or(0);
        return r;
    }
    QVariant flag(qint64 codigo) const {
        return db->scalar(QStringLiteral("SELECT fl_sincroniza FROM %1 WHERE %2 = ?")
                              .arg(QLatin1String(K::table), QLatin1String(K::key)),
                          {codigo});
    }
};

template <typename R> QStringList namesOf(const QList<R>& records) {
    QStringList names;
    for (const R& r : records)
        names << r.nome;
    return names;
}

template <typename R> struct Tag { using Record = R; };

// Runs `body` with the record type of the row's store.
template <typename F> void onStore(F&& body) {
    QFETCH(QString, store);
    if (store == QLatin1String("categoria"))
        body(Tag<Categoria>{});
    else
        body(Tag<Entregador>{});
}

void storeRows() {
    QTest::addColumn<QString>("store");
    QTest::newRow("categoria") << QStringLiteral("categoria");
    QTest::newRow("entregador") << QStringLiteral("entregador");
}

} // namespace

class TestNamedRecordStore : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void codesFollowTheHighestAndInsertLeavesTheFlagUnset_data() { storeRows(); }
    void codesFollowTheHighestAndInsertLeavesTheFlagUnset() {
        onStore([]<typename T>(T) {
            using R = typename T::Record;
            Env<R> e;
            QVERIFY(e.store.isEmpty());
            const R first = e.add(QStringLiteral("PIZZAS"));
            QCOMPARE(first.codigo, qint64(1));
            QCOMPARE(e.store.find(1), std::optional(first));
            QVERIFY(!e.store.isEmpty());
            for (const char* name : {"BEBIDAS", "ESFIHAS", "DOCES", "LANCHES"})
                QVERIFY(e.add(QString::fromLatin1(name)).codigo);
            QVERIFY(e.store.remove(3));
            QVERIFY(e.store.remove(4));
            // Left: 1, 2, 5.
            QCOMPARE(e.add(QStringLiteral("PORÇÕES")).codigo, qint64(6));
            QCOMPARE(e.db->scalar(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE fl_sincroniza "
                                                 "IS NOT NULL")
                                      .arg(QLatin1String(Kind<R>::table)))
                         .toInt(),
                     0);
        });
    }

    void updateWritesOnlyAnExistingCode_data() { storeRows(); }
    void updateWritesOnlyAnExistingCode() {
        onStore([]<typename T>(T) {
            using R = typename T::Record;
            Env<R> e;
            const R original = e.add(QStringLiteral("BEBIDAS"));
            R changed = Kind<R>::changed(original);
            QCOMPARE(e.store.update(changed), WriteOutcome::Saved);
            changed = Kind<R>::stored(changed, original);
            QCOMPARE(e.store.find(original.codigo), std::optional(changed));
            QCOMPARE(e.flag(original.codigo).toString(),
                     Kind<R>::updateMarksSync ? QStringLiteral("S") : QString());
            // Its own name, in another case, is fine.
            changed.nome = changed.nome.toLower();
            QCOMPARE(e.store.update(changed), WriteOutcome::Saved);
            QCOMPARE(e.store.find(original.codigo)->nome, changed.nome);

            R vanished = changed;
            vanished.codigo = 42;
            vanished.nome = QStringLiteral("OUTRO");
            QCOMPARE(e.store.update(vanished), WriteOutcome::NotFound);
            QCOMPARE(namesOf(e.store.all()), QStringList{changed.nome});
        });
    }

    void refusesNamesOfOtherRecords_data() {
        QTest::addColumn<QString>("store");
        QTest::addColumn<QString>("existing");
        QTest::addColumn<QString>("typed");
        for (const char* store : {"categoria", "entregador"}) {
            QTest::addRow("%s same", store) << store << "BEBIDAS"
                                            << "BEBIDAS";
            QTest::addRow("%s lower case", store) << store << "BEBIDAS"
                                                  << "bebidas";
            QTest::addRow("%s accented lower", store) << store << "PORÇÕES"
                                                      << "porções";
            QTest::addRow("%s accented upper", store) << store << "joão"
                                                      << "JOÃO";
        }
    }
    void refusesNamesOfOtherRecords() {
        onStore([]<typename T>(T) {
            using R = typename T::Record;
            QFETCH(QString, existing);
            QFETCH(QString, typed);
            Env<R> e;
            const R first = e.add(existing);
            const R second = e.add(QStringLiteral("OUTRA"));
            QVERIFY(e.store.existsOther(typed));
            QVERIFY(!e.store.existsOther(typed, first.codigo));
            QVERIFY(e.store.existsOther(typed, second.codigo));
            QCOMPARE(Kind<R>::insert(e.store, Kind<R>::make(typed)), std::nullopt);
            R renamed = second;
            renamed.nome = typed;
            QCOMPARE(e.store.update(renamed), WriteOutcome::NameTaken);
            QCOMPARE(e.store.all(), (QList<R>{first, second}));
            QCOMPARE(e.store.findByName(typed), std::optional(first));
            QVERIFY(e.flag(second.codigo).isNull());
        });
    }

    void storesTextExactly_data() {
        QTest::addColumn<QString>("store");
        QTest::addColumn<QString>("name");
        for (const char* store : {"categoria", "entregador"}) {
            QTest::addRow("%s apostrophe", store) << store << "D'AGUA ' OR '1'='1";
            QTest::addRow("%s accents", store) << store << "JOSÉ CONCEIÇÃO ÚRSULA";
            QTest::addRow("%s percent and underscore", store) << store << "50%_OFF";
            QTest::addRow("%s 100 characters", store)
                << store << QString(99, u'Ã') + QStringLiteral("É");
        }
    }
    void storesTextExactly() {
        onStore([]<typename T>(T) {
            using R = typename T::Record;
            QFETCH(QString, name);
            Env<R> e;
            e.add(QStringLiteral("OUTRA"));
            const R r = e.add(name);
            QCOMPARE(e.store.find(r.codigo), std::optional(r));
            QCOMPARE(e.store.findByName(name.toLower()), std::optional(r));
            QCOMPARE(e.store.search(name), QList<R>{r});
            QCOMPARE(e.store.search(name.left(3)), QList<R>{r});
        });
    }

    void prefixSearchAndOrder_data() { storeRows(); }
    void prefixSearchAndOrder() {
        onStore([]<typename T>(T) {
            using R = typename T::Record;
            Env<R> e;
            for (const char* name : {"JOÃO PEDRO", "maria", "JOÃO", "JOSÉ", "ÁGUAS", "JOANA"})
                e.add(QString::fromUtf8(name));
            const QStringList everything = namesOf(e.store.all());
            QCOMPARE(everything,
                     (QStringList{"JOÃO PEDRO", "maria", "JOÃO", "JOSÉ", "ÁGUAS", "JOANA"}));
            QCOMPARE(namesOf(e.store.search(QString())), everything);
            QCOMPARE(namesOf(e.store.search(QStringLiteral("jo"))),
                     (QStringList{"JOÃO PEDRO", "JOÃO", "JOSÉ", "JOANA"}));
            QCOMPARE(namesOf(e.store.search(QStringLiteral("joão"))),
                     (QStringList{"JOÃO PEDRO", "JOÃO"}));
            QCOMPARE(namesOf(e.store.search(QStringLiteral("JOÃO "))), QStringList{"JOÃO PEDRO"});
            QCOMPARE(namesOf(e.store.search(QStringLiteral("joãox"))), QStringList{});
            QCOMPARE(namesOf(e.store.search(QStringLiteral("águ"))), QStringList{"ÁGUAS"});
            // Accents are letters of their own.
            QCOMPARE(namesOf(e.store.search(QStringLiteral("JOAO"))), QStringList{});
            QCOMPARE(e.store.names(),
                     (QStringList{"JOANA", "JOSÉ", "JOÃO", "JOÃO PEDRO", "maria", "ÁGUAS"}));
        });
    }

    void removeTakesOnlyThatCode_data() { storeRows(); }
    void removeTakesOnlyThatCode() {
        onStore([]<typename T>(T) {
            using R = typename T::Record;
            Env<R> e;
            const R pizzas = e.add(QStringLiteral("PIZZAS"));
            e.add(QStringLiteral("BEBIDAS"));
            Produto produto;
            produto.categoria = pizzas.nome;
            produto.nome = QStringLiteral("MUSSARELA");
            produto.preco = Money::fromCents(3990);
            produto.codigo = *ProdutoStore(*e.db).insert(produto);
            QVERIFY(e.store.remove(pizzas.codigo));
            QVERIFY(!e.store.remove(pizzas.codigo));
            QCOMPARE(namesOf(e.store.all()), QStringList{"BEBIDAS"});
            // Products keep naming a deleted category.
            QCOMPARE(ProdutoStore(*e.db).ofCategory(pizzas.nome), QList<Produto>{produto});
        });
    }

    void twoWorkstationsGetDistinctCodes_data() { storeRows(); }
    void twoWorkstationsGetDistinctCodes() {
        onStore([]<typename T>(T) {
            using R = typename T::Record;
            using K = Kind<R>;
            Env<R> e;
            constexpr int kPerStation = 15;
            QList<qint64> codes[2];
            QString failures[2];
            auto station = [&](int index) {
                try {
                    auto own = e.fx.openAnother();
                    typename K::Store store(*own);
                    for (int i = 0; i < kPerStation; ++i)
                        codes[index] << *K::insert(
                            store, K::make(QStringLiteral("ESTAÇÃO %1 - %2").arg(index).arg(i)));
                    // Both stations try the same name: exactly one of them gets it.
                    if (K::insert(store, K::make(QStringLiteral("DISPUTADO"))))
                        codes[index] << 0;
                } catch (const DbError& error) {
                    failures[index] = error.description();
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
            distinct.erase(0);
            QCOMPARE(distinct.size(), size_t(2 * kPerStation));
            QCOMPARE(codes[0].count(0) + codes[1].count(0), 1);
            QCOMPARE(e.store.all().size(), 2 * kPerStation + 1);
        });
    }
};

BRISKO_DB_TEST_MAIN(TestNamedRecordStore)
#include "TestNamedRecordStore.moc"
