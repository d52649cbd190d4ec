// ctest-label: db
#include "common/Error.h"
#include "data/Database.h"
#include "masterdata/ClienteStore.h"
#include "masterdata/ProdutoStore.h"
#include "orders/PedidoStore.h"
#include "support/RacingWorkers.h"
#include "support/TestDatabase.h"

#include <QProcessEnvironment>
#include <QSqlQuery>
#include <QTest>
#include <iostream>
#include <sqlite3.h>
#include <stdexcept>

namespace {

const QString kWorkerFlag = QStringLiteral("--pedido-worker");
const QString kWorkerDb = QStringLiteral("BRISKO_PEDIDO_WORKER_DB");
constexpr int kOrdersPerWorker = 200;
const QString kFee = QStringLiteral("TAXA DE ENTREGA");

ItemPedido item(const QString& categoria, const QString& nome, int quantidade, const Money& preco,
                const Money& total) {
    return {categoria, nome, quantidade, preco, total};
}

Pedido order(const QString& telefone = QStringLiteral("3333-4444")) {
    Pedido p;
    p.usuId = 2;
    p.data = QDate(2026, 12, 7);
    p.telefone = telefone;
    p.nome = QStringLiteral("JOÃO D'ÁVILA");
    p.tipo = QStringLiteral("RUA");
    p.logradouro = QStringLiteral("SANTA BARBARA D'OESTE");
    p.numeroEndereco = QStringLiteral("12");
    p.complemento = QStringLiteral("APTO 'B'");
    p.bairro = QStringLiteral("CENTRO");
    p.cidade = QStringLiteral("SÃO PAULO");
    p.uf = QStringLiteral("SP");
    p.cep = QStringLiteral("01001-000");
    p.observacao = QStringLiteral("PORTÃO AZUL");
    p.formaPagamento = QStringLiteral("DINHEIRO");
    p.valorPago = QStringLiteral("100,00");
    p.troco = QStringLiteral("R$ 2,50");
    p.total = Money::fromCents(9750);
    p.mensagem = QStringLiteral("Troco p/ 100 'urgente'");
    p.itens = {item(kFee, QStringLiteral("TAXA DE ENTREGA"), 1, Money::fromCents(500),
                    Money::fromCents(500)),
               item(QStringLiteral("PIZZAS"), QStringLiteral("CALABRESA / MUÇARELA"), 2,
                    Money::fromCents(3250), Money::fromCents(6500)),
               item(QStringLiteral("BEBIDAS"), QStringLiteral("GUARANÁ 2 LITROS"), 1,
                    Money::fromCents(102750), Money::fromCents(102750))};
    return p;
}

qint64 count(Database& db, const QString& table) {
    return db.scalar(QStringLiteral("SELECT count(*) FROM ") + table).toLongLong();
}

// Fails once the header is written, as a lost connection or a full disk would.
class FailingAfterHeader : public PedidoStore {
public:
    using PedidoStore::PedidoStore;

protected:
    void headerWritten(qint64) override { throw DbError(DbError::kGeneric, "disco cheio"); }
};

void insertFeeProduct(Database& db, const QString& nome, qint64 cents) {
    Produto p;
    p.categoria = kFee;
    p.nome = nome;
    p.preco = Money::fromCents(cents);
    QVERIFY(ProdutoStore(db).insert(p));
}

Pedido orderWithFee(const QString& telefone, const QString& fee, qint64 cents) {
    Pedido p = order(telefone);
    const Money price = Money::fromCents(cents);
    p.itens = {item(kFee, fee, 1, price, price),
               item(QStringLiteral("PIZZAS"), QStringLiteral("ATUM"), 1, Money::fromCents(4000),
                    Money::fromCents(4000))};
    return p;
}

// Statements prepared on the connection and not yet released whose text holds `fragment`.
int liveStatements(Database& db, const char* fragment) {
    if (db.engine() == Database::Engine::Postgres)
        return db
            .scalar(QStringLiteral("SELECT count(*) FROM pg_prepared_statements WHERE statement "
                                   "LIKE '%%1%'")
                        .arg(QLatin1String(fragment)))
            .toInt();
    int live = 0;
    sqlite3* handle = db.sqliteHandle();
    for (sqlite3_stmt* s = sqlite3_next_stmt(handle, nullptr); s; s = sqlite3_next_stmt(handle, s))
        live += QByteArray(sqlite3_sql(s)).contains(fragment) ? 1 : 0;
    return live;
}

int runWorker(int count) {
    try {
        auto db =
            Database::open(TestDatabase::fromLocator(qEnvironmentVariable(kWorkerDb.toUtf8())),
                           Database::OpenMode::ExistingOnly);
        PedidoStore store(*db);
        waitForGo();
        for (int i = 0; i < count; ++i) {
            Pedido p = order();
            p.itens = p.itens.mid(1);
            std::cout << store.finalizar(p) << std::endl;
        }
        return 0;
    } catch (const DbError& e) {
        std::cerr << e.number() << ' ' << e.what() << std::endl;
        return 2;
    }
}

} // namespace

class PedidoStoreTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void storesHeaderAndItemsAsTyped();
    void numbersFollowTheHighest();
    void emptyPaymentIsNull();
    void unconvertibleValueStoresNothing_data();
    void unconvertibleValueStoresNothing();
    void failureAfterHeaderStoresNothing();
    void lastFeeNoneWithoutOrders();
    void lastFeeComesFromMostRecentOrderWithFee();
    void lastFeeWithoutProductHasNoCurrentPrice();
    void twoProcessesGetConsecutiveNumbers();
};

void PedidoStoreTest::storesHeaderAndItemsAsTyped() {
    TestDatabase fixture;
    auto db = fixture.create();
    Pedido p = order();
    p.itens << item(QStringLiteral("PIZZAS"), QStringLiteral("DESCONTO"), 1, Money::fromCents(-500),
                    Money::fromCents(-500));
    QCOMPARE(PedidoStore(*db).finalizar(p), qint64(1));

    QSqlQuery h = db->exec(QStringLiteral(
        "SELECT ped_ono, ped_usu_id, ped_data, ped_cli_Nome, ped_cli_Tipo, ped_cli_Logradouro, "
        "ped_cli_Numero, ped_cli_Complemento, ped_cli_Bairro, ped_cli_Cidade, ped_cli_UF, "
        "ped_cli_CEP, ped_cli_Observacao, ped_Forma_Pagamento, ped_Valor_Pago, ped_Troco, "
        "ped_Total, ped_cli_Telefone, ped_Mensagem, ped_Status, ped_Entregador, fl_sincroniza "
        "FROM TB_Pedido"));
    QVERIFY(h.next());
    QCOMPARE(h.value(0).toLongLong(), qint64(1));
    QCOMPARE(h.value(1).toLongLong(), qint64(2));
    QCOMPARE(Database::dateFrom(h.value(2)), QDate(2026, 12, 7));
    const QStringList texts = {p.nome,        p.tipo,       p.logradouro,    p.numeroEndereco,
                               p.complemento, p.bairro,     p.cidade,        p.uf,
                               p.cep,         p.observacao, p.formaPagamento};
    for (int i = 0; i < texts.size(); ++i)
        QCOMPARE(h.value(3 + i).toString(), texts.at(i));
    QCOMPARE(h.value(14).toLongLong(), qint64(10000));
    QCOMPARE(h.value(15).toLongLong(), qint64(250));
    QCOMPARE(h.value(16).toLongLong(), qint64(9750));
    QCOMPARE(h.value(17).toString(), p.telefone);
    QCOMPARE(h.value(18).toString(), p.mensagem);
    QCOMPARE(h.value(19).toString(), QStringLiteral("CONCLUIDO"));
    QVERIFY(h.value(20).isNull());
    QVERIFY(h.value(21).isNull());
    QVERIFY(!h.next());
    h.finish();

    // The table has no key: insertion order is the grid order.
    QSqlQuery i = db->exec(QStringLiteral("SELECT ite_Ono, ite_Nome, ite_Quantidade, ite_Preco, "
                                          "ite_Total, ite_cat, fl_sincroniza FROM TB_Item"));
    const QList<QList<QVariant>> expected = {{1, "TAXA DE ENTREGA", 1, 500, 500, "TAXA DE ENTREGA"},
                                             {1, "CALABRESA / MUÇARELA", 2, 3250, 6500, "PIZZAS"},
                                             {1, "GUARANÁ 2 LITROS", 1, 102750, 102750, "BEBIDAS"},
                                             {1, "DESCONTO", 1, -500, -500, "PIZZAS"}};
    for (const auto& row : expected) {
        QVERIFY(i.next());
        QCOMPARE(i.value(0).toLongLong(), row.at(0).toLongLong());
        QCOMPARE(i.value(1).toString(), row.at(1).toString());
        QCOMPARE(i.value(2).toInt(), row.at(2).toInt());
        QCOMPARE(i.value(3).toLongLong(), row.at(3).toLongLong());
        QCOMPARE(i.value(4).toLongLong(), row.at(4).toLongLong());
        QCOMPARE(i.value(5).toString(), row.at(5).toString());
        QVERIFY(i.value(6).isNull());
    }
    QVERIFY(!i.next());
}

void PedidoStoreTest::numbersFollowTheHighest() {
    TestDatabase fixture;
    auto db = fixture.create();
    db->exec(QStringLiteral("INSERT INTO TB_Pedido (ped_ono, ped_Status) VALUES (?, ?)"),
             {41, QStringLiteral("CANCELADO")});
    PedidoStore store(*db);
    QCOMPARE(store.finalizar(order()), qint64(42));
    QCOMPARE(store.finalizar(order()), qint64(43));
    QCOMPARE(db->scalar(QStringLiteral("SELECT count(*) FROM TB_Item WHERE ite_Ono = 43")).toInt(),
             3);
}

void PedidoStoreTest::emptyPaymentIsNull() {
    TestDatabase fixture;
    auto db = fixture.create();
    Pedido p = order();
    p.troco.clear();
    PedidoStore(*db).finalizar(p);
    QSqlQuery q = db->exec(QStringLiteral("SELECT ped_Valor_Pago, ped_Troco FROM TB_Pedido"));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toLongLong(), qint64(10000));
    QVERIFY(q.value(1).isNull());
}

void PedidoStoreTest::unconvertibleValueStoresNothing_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("paid") << "valorPago"
                          << "dez reais"
                          << "Valor inválido: dez reais";
    QTest::newRow("change") << "troco"
                            << "R$ 3,2,1"
                            << "Valor inválido: R$ 3,2,1";
}

void PedidoStoreTest::unconvertibleValueStoresNothing() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    TestDatabase fixture;
    auto db = fixture.create();
    Pedido p = order();
    if (field == QLatin1String("valorPago"))
        p.valorPago = text;
    else
        p.troco = text;
    try {
        PedidoStore(*db).finalizar(p);
        QFAIL("an unconvertible value was accepted");
    } catch (const Error& e) {
        QTEST(e.description(), "message");
    }
    QCOMPARE(count(*db, QStringLiteral("TB_Pedido")), qint64(0));
    QCOMPARE(count(*db, QStringLiteral("TB_Item")), qint64(0));
}

void PedidoStoreTest::failureAfterHeaderStoresNothing() {
    TestDatabase fixture;
    auto db = fixture.create();
    QVERIFY_THROWS_EXCEPTION(DbError, FailingAfterHeader(*db).finalizar(order()));
    QCOMPARE(count(*db, QStringLiteral("TB_Pedido")), qint64(0));
    QCOMPARE(count(*db, QStringLiteral("TB_Item")), qint64(0));
    QCOMPARE(PedidoStore(*db).finalizar(order()), qint64(1));
}

void PedidoStoreTest::lastFeeNoneWithoutOrders() {
    TestDatabase fixture;
    auto db = fixture.create();
    PedidoStore store(*db);
    QVERIFY(!store.ultimaTaxaEntrega(QStringLiteral("3333-4444")));
    Pedido p = order();
    p.itens = p.itens.mid(1);
    store.finalizar(p);
    QVERIFY(!store.ultimaTaxaEntrega(QStringLiteral("3333-4444")));
}

void PedidoStoreTest::lastFeeComesFromMostRecentOrderWithFee() {
    TestDatabase fixture;
    auto db = fixture.create();
    insertFeeProduct(*db, QStringLiteral("TAXA LONGE"), 900);
    insertFeeProduct(*db, QStringLiteral("TAXA PERTO"), 400);
    PedidoStore store(*db);
    const QString tel = QStringLiteral("9999-0000");
    store.finalizar(orderWithFee(tel, QStringLiteral("TAXA PERTO"), 300));
    const qint64 withFee = store.finalizar(orderWithFee(tel, QStringLiteral("TAXA LONGE"), 700));
    // Someone else's later order, and a later one of this customer without a fee.
    store.finalizar(orderWithFee(QStringLiteral("1111-2222"), QStringLiteral("TAXA PERTO"), 300));
    Pedido noFee = order(tel);
    noFee.itens = noFee.itens.mid(1);
    store.finalizar(noFee);

    const auto taxa = store.ultimaTaxaEntrega(tel);
    QVERIFY(taxa);
    QCOMPARE(taxa->pedido, withFee);
    QCOMPARE(taxa->nome, QStringLiteral("TAXA LONGE"));
    QCOMPARE(taxa->quantidade, 1);
    QCOMPARE(taxa->precoArmazenado, Money::fromCents(700));
    QCOMPARE(taxa->precoAtual, std::optional(Money::fromCents(900)));

    // Asked again through the statements kept prepared: today's data, one statement each.
    db->exec(QStringLiteral("UPDATE TB_Produto SET Pro_Preco = 950 WHERE pro_Produto = ?"),
             {QStringLiteral("TAXA LONGE")});
    db->exec(QStringLiteral("INSERT INTO TB_Cliente (cli_ID, cli_Telefone, cli_Nome) VALUES "
                            "(1, '9999-0000', 'ANA')"));
    ClienteStore clientes(*db);
    for (int round = 0; round < 3; ++round) {
        QCOMPARE(store.ultimaTaxaEntrega(tel)->precoAtual, std::optional(Money::fromCents(950)));
        QCOMPARE(store.ultimaTaxaEntrega(QStringLiteral("1111-2222"))->precoAtual,
                 std::optional(Money::fromCents(400)));
        QCOMPARE(clientes.findByTelefone(tel)->nome, QStringLiteral("ANA"));
        QVERIFY(!clientes.findByTelefone(QStringLiteral("1111-2222")));
    }
    QCOMPARE(liveStatements(*db, "FROM TB_Produto"), 1);
    QCOMPARE(liveStatements(*db, "FROM TB_Cliente"), 1);
}

void PedidoStoreTest::lastFeeWithoutProductHasNoCurrentPrice() {
    TestDatabase fixture;
    auto db = fixture.create();
    insertFeeProduct(*db, QStringLiteral("TAXA LONGE"), 900);
    PedidoStore store(*db);
    store.finalizar(orderWithFee(QStringLiteral("9999-0000"), QStringLiteral("TAXA ANTIGA"), 600));
    const auto taxa = store.ultimaTaxaEntrega(QStringLiteral("9999-0000"));
    QVERIFY(taxa);
    QCOMPARE(taxa->nome, QStringLiteral("TAXA ANTIGA"));
    QCOMPARE(taxa->precoArmazenado, Money::fromCents(600));
    QVERIFY(!taxa->precoAtual);
}

void PedidoStoreTest::twoProcessesGetConsecutiveNumbers() {
    TestDatabase fixture;
    auto db = fixture.create();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(kWorkerDb, fixture.locator());
    const RaceResult race = raceWorkers({kWorkerFlag, QString::number(kOrdersPerWorker)}, 2, env);
    QVERIFY2(race.error.isEmpty(), qPrintable(race.error));
    for (const QList<QByteArray>& lines : race.outputs)
        QCOMPARE(lines.size(), kOrdersPerWorker);
    const int all = 2 * kOrdersPerWorker;
    QSqlQuery h = db->exec(QStringLiteral(
        "SELECT count(*), count(DISTINCT ped_ono), MIN(ped_ono), MAX(ped_ono) FROM TB_Pedido"));
    QVERIFY(h.next());
    QCOMPARE(h.value(0).toInt(), all);
    QCOMPARE(h.value(1).toInt(), all);
    QCOMPARE(h.value(2).toInt(), 1);
    QCOMPARE(h.value(3).toInt(), all);
    h.finish();
    QCOMPARE(count(*db, QStringLiteral("TB_Item")), qint64(2 * all));
    // Two lines for every order and none without its order.
    QCOMPARE(db->scalar(QStringLiteral("SELECT count(*) FROM (SELECT ite_Ono FROM TB_Item i "
                                       "JOIN TB_Pedido p ON p.ped_ono = i.ite_Ono GROUP BY "
                                       "ite_Ono HAVING count(*) = 2) t"))
                 .toInt(),
             all);
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() == 3 && arguments.at(1) == kWorkerFlag)
        return runWorker(arguments.at(2).toInt());
    TestDatabase::skipIfUnavailable();
    PedidoStoreTest tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "TestPedidoStore.moc"
