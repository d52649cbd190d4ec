#include "data/Database.h"
#include "masterdata/EntregadorStore.h"
#include "support/TestDatabase.h"

#include <QObject>
#include <QTest>
#include <set>
#include <thread>

class EntregadorStoreTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void insertKeepsEveryFieldAndTheCodesRule();
    void updateKeepsTheDateAndLeavesTheFlagAlone();
    void refusesNamesOfOtherPersons_data();
    void refusesNamesOfOtherPersons();
    void storesTextExactly_data();
    void storesTextExactly();
    void prefixSearchNarrowsAndWidens();
    void removeTakesOnlyThatCode();
    void twoWorkstationsGetDistinctCodes();
};

namespace {

Entregador entregador(const QString& nome, const QString& telefone = QStringLiteral("9999-0000")) {
    return {0, telefone, QDate(2026, 3, 14), nome, QStringLiteral("MOTO")};
}

QStringList namesOf(const QList<Entregador>& entregadores) {
    QStringList names;
    for (const Entregador& e : entregadores)
        names << e.nome;
    return names;
}

} // namespace

void EntregadorStoreTest::insertKeepsEveryFieldAndTheCodesRule() {
    TestDatabase fx;
    auto db = fx.create();
    EntregadorStore store(*db);
    QVERIFY(store.isEmpty());
    Entregador e = entregador(QStringLiteral("JOÃO"));
    e.codigo = *store.insert(e);
    QCOMPARE(e.codigo, qint64(1));
    QCOMPARE(store.find(1), std::optional(e));
    QVERIFY(!store.isEmpty());
    store.insert(entregador(QStringLiteral("MARIA")));
    store.insert(entregador(QStringLiteral("PEDRO")));
    QVERIFY(store.remove(2));
    QCOMPARE(store.insert(entregador(QStringLiteral("ANA"))), std::optional<qint64>(4));
    QVERIFY(
        db->scalar(QStringLiteral("SELECT 1 FROM TB_Entregador WHERE fl_sincroniza IS NOT NULL"))
            .isNull());
}

void EntregadorStoreTest::updateKeepsTheDateAndLeavesTheFlagAlone() {
    TestDatabase fx;
    auto db = fx.create();
    EntregadorStore store(*db);
    Entregador e = entregador(QStringLiteral("JOÃO"));
    e.codigo = *store.insert(e);
    Entregador changed = e;
    changed.telefone = QStringLiteral("8888-1111");
    changed.nome = QStringLiteral("JOÃO DA SILVA");
    changed.observacao = QStringLiteral("CARRO");
    changed.data = QDate(2027, 1, 1);
    QCOMPARE(store.update(changed), WriteOutcome::Saved);
    changed.data = e.data;
    QCOMPARE(store.find(e.codigo), std::optional(changed));
    QVERIFY(db->scalar(QStringLiteral("SELECT fl_sincroniza FROM TB_Entregador")).isNull());
    changed.codigo = 42;
    changed.nome = QStringLiteral("OUTRO");
    QCOMPARE(store.update(changed), WriteOutcome::NotFound);
    QCOMPARE(namesOf(store.all()), QStringList{"JOÃO DA SILVA"});
}

void EntregadorStoreTest::refusesNamesOfOtherPersons_data() {
    QTest::addColumn<QString>("existing");
    QTest::addColumn<QString>("typed");
    QTest::newRow("same") << "MARIA"
                          << "MARIA";
    QTest::newRow("lower case accented") << "JOÃO"
                                         << "joão";
    QTest::newRow("upper case accented") << "joão"
                                         << "JOÃO";
}

void EntregadorStoreTest::refusesNamesOfOtherPersons() {
    QFETCH(QString, existing);
    QFETCH(QString, typed);
    TestDatabase fx;
    auto db = fx.create();
    EntregadorStore store(*db);
    const qint64 first = *store.insert(entregador(existing));
    Entregador second = entregador(QStringLiteral("PEDRO"));
    second.codigo = *store.insert(second);

    QVERIFY(store.existsOther(typed));
    QVERIFY(!store.existsOther(typed, first));
    QVERIFY(store.existsOther(typed, second.codigo));
    QCOMPARE(store.insert(entregador(typed)), std::nullopt);
    Entregador renamed = second;
    renamed.nome = typed;
    QCOMPARE(store.update(renamed), WriteOutcome::NameTaken);
    QCOMPARE(store.find(second.codigo), std::optional(second));
    QCOMPARE(store.findByName(typed)->codigo, first);
}

void EntregadorStoreTest::storesTextExactly_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("apostrophe") << "JOANA D'ARC'--";
    QTest::newRow("accents") << "JOSÉ CONCEIÇÃO ÚRSULA";
    QTest::newRow("100 characters") << QString(100, u'Ã');
}

void EntregadorStoreTest::storesTextExactly() {
    QFETCH(QString, name);
    TestDatabase fx;
    auto db = fx.create();
    EntregadorStore store(*db);
    store.insert(entregador(QStringLiteral("OUTRO")));
    Entregador e{0, QStringLiteral("(11) 9876-5432"), QDate(2026, 12, 7), name, name};
    e.codigo = *store.insert(e);
    QCOMPARE(store.findByName(name), std::optional(e));
    QCOMPARE(store.findByName(name.toLower()), std::optional(e));
    QCOMPARE(store.search(name.left(4)), QList<Entregador>{e});
}

void EntregadorStoreTest::prefixSearchNarrowsAndWidens() {
    TestDatabase fx;
    auto db = fx.create();
    EntregadorStore store(*db);
    for (const QString& name : {QStringLiteral("JOÃO PEDRO"), QStringLiteral("MARIA"),
                                QStringLiteral("JOÃO"), QStringLiteral("JOSÉ")})
        store.insert(entregador(name));
    QCOMPARE(namesOf(store.search(QString())), namesOf(store.all()));
    QCOMPARE(namesOf(store.all()), (QStringList{"JOÃO PEDRO", "MARIA", "JOÃO", "JOSÉ"}));
    QCOMPARE(namesOf(store.search(QStringLiteral("jo"))),
             (QStringList{"JOÃO PEDRO", "JOÃO", "JOSÉ"}));
    QCOMPARE(namesOf(store.search(QStringLiteral("joão"))), (QStringList{"JOÃO PEDRO", "JOÃO"}));
    QCOMPARE(namesOf(store.search(QStringLiteral("JOÃO P"))), QStringList{"JOÃO PEDRO"});
    QCOMPARE(namesOf(store.search(QStringLiteral("JOAO"))), QStringList{});
    QCOMPARE(store.names(), (QStringList{"JOSÉ", "JOÃO", "JOÃO PEDRO", "MARIA"}));
}

void EntregadorStoreTest::removeTakesOnlyThatCode() {
    TestDatabase fx;
    auto db = fx.create();
    EntregadorStore store(*db);
    store.insert(entregador(QStringLiteral("JOÃO")));
    const qint64 maria = *store.insert(entregador(QStringLiteral("MARIA")));
    QVERIFY(store.remove(maria));
    QVERIFY(!store.remove(maria));
    QCOMPARE(namesOf(store.all()), QStringList{"JOÃO"});
}

void EntregadorStoreTest::twoWorkstationsGetDistinctCodes() {
    TestDatabase fx;
    auto db = fx.create();
    constexpr int kPerStation = 15;
    QList<qint64> codes[2];
    QString failures[2];
    auto station = [&](int index) {
        try {
            auto own = fx.openAnother();
            EntregadorStore store(*own);
            for (int i = 0; i < kPerStation; ++i)
                codes[index] << *store.insert(
                    entregador(QStringLiteral("E%1-%2").arg(index).arg(i)));
            // Both stations try the same name: exactly one of them gets it.
            if (store.insert(entregador(QStringLiteral("DISPUTADO"))))
                codes[index] << 0;
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
    distinct.erase(0);
    QCOMPARE(distinct.size(), size_t(2 * kPerStation));
    QCOMPARE(codes[0].count(0) + codes[1].count(0), 1);
    QCOMPARE(EntregadorStore(*db).all().size(), 2 * kPerStation + 1);
}

BRISKO_DB_TEST_MAIN(EntregadorStoreTest)
#include "TestEntregadorStore.moc"
