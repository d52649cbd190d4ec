#include "data/Database.h"
#include "data/SalesSummary.h"
#include "data/Schema.h"
#include "data/Transaction.h"
#include "management/PedidoChanges.h"
#include "management/PedidoListModel.h"
#include "management/PedidoQueries.h"
#include "masterdata/ClienteStore.h"
#include "support/RacingWorkers.h"
#include "support/TestDatabase.h"

#include <QProcess>
#include <QSqlQuery>
#include <QThread>
#include <QtTest>
#include <iostream>
#include <tuple>

namespace {

const QString kWorkerFlag = QStringLiteral("--cancel-worker");
const QString kCatchUpWorkerFlag = QStringLiteral("--catch-up-worker");
const QString kWorkerDb = QStringLiteral("BRISKO_CANCEL_WORKER_DB");
constexpr int kRaceOrders = 50;
const QDate kHoje(2026, 12, 7);

struct Seed {
    Database& db;
    void pedido(qint64 ono, const QString& telefone, const QString& nome, qint64 total,
                const QDate& dia = kHoje, const QString& status = QStringLiteral("CONCLUIDO"),
                qint64 usuario = 1) {
        db.exec(QStringLiteral("INSERT INTO TB_Pedido (ped_ono, ped_usu_id, ped_data, "
                               "ped_cli_Telefone, ped_cli_Nome, ped_Valor_Pago, ped_Troco, "
                               "ped_Total, ped_Status, ped_Mensagem) VALUES (?, ?, ?, ?, ?, ?, ?, "
                               "?, ?, NULL)"),
                {ono, usuario, Database::dateValue(dia), telefone, nome, total + 500, 500, total,
                 status});
    }
    void item(qint64 ono, const QString& nome, int quantidade, qint64 preco,
              const QString& categoria = QStringLiteral("PIZZAS")) {
        db.exec(QStringLiteral("INSERT INTO TB_Item (ite_Ono, ite_Nome, ite_Quantidade, "
                               "ite_Preco, ite_Total, ite_cat) VALUES (?, ?, ?, ?, ?, ?)"),
                {ono, nome, quantidade, preco, preco * quantidade, categoria});
    }
};

QList<qint64> numeros(const QList<ResumoPedido>& linhas) {
    QList<qint64> n;
    for (const ResumoPedido& l : linhas)
        n << l.numero;
    return n;
}

int runWorker() {
    try {
        auto db =
            Database::open(TestDatabase::fromLocator(qEnvironmentVariable(kWorkerDb.toUtf8())),
                           Database::OpenMode::ExistingOnly);
        PedidoChanges changes(*db);
        waitForGo();
        for (int ono = 1; ono <= kRaceOrders; ++ono)
            std::cout << ono << ' '
                      << (changes.cancelar(ono) == PedidoChanges::Cancelamento::Cancelado ? 'C'
                                                                                          : 'J')
                      << std::endl;
        return 0;
    } catch (const DbError& e) {
        std::cerr << e.number() << ' ' << e.what() << std::endl;
        return 2;
    }
}

// Another workstation moving the sales summaries' mark.
int runCatchUpWorker() {
    try {
        auto db =
            Database::open(TestDatabase::fromLocator(qEnvironmentVariable(kWorkerDb.toUtf8())),
                           Database::OpenMode::ExistingOnly);
        salesSummary::catchUp(*db);
        return 0;
    } catch (const DbError& e) {
        std::cerr << e.number() << ' ' << e.what() << std::endl;
        return 2;
    }
}

// A summary, read as its readers do, against the same sums over the items.
QStringList vendasPorTelefone(Database& db, const QString& from) {
    QSqlQuery q = db.exec(
        QStringLiteral("SELECT rvt_Telefone, rvt_Nome, sum(rvt_Itens), sum(rvt_Quantidade), "
                       "sum(rvt_Total) FROM %1 r GROUP BY 1, 2 HAVING sum(rvt_Itens) > 0 ORDER "
                       "BY 1, 2")
            .arg(from));
    QStringList rows;
    while (q.next())
        rows << QStringLiteral("%1|%2|%3|%4|%5")
                    .arg(q.value(0).toString(), q.value(1).toString())
                    .arg(q.value(2).toLongLong())
                    .arg(q.value(3).toLongLong())
                    .arg(q.value(4).toLongLong());
    return rows;
}

const QString kVendasDosItens = QStringLiteral(
    "(SELECT p.ped_cli_Telefone AS rvt_Telefone, i.ite_Nome AS rvt_Nome, 1 AS rvt_Itens, "
    "i.ite_Quantidade AS rvt_Quantidade, i.ite_Total AS rvt_Total FROM TB_Pedido p JOIN TB_Item "
    "i ON i.ite_Ono = p.ped_ono WHERE p.ped_Status <> 'CANCELADO')");

} // namespace

class PedidoQueriesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void searchesMatchAsTheListShows_data();
    void searchesMatchAsTheListShows();
    void broadAndNarrowPrefixesPageAlike();
    void historyFiguresAndTopProducts();
    void consultaKeepsAnOrderWithoutOperator();
    void cancellationZeroesHeaderAndItemsOnce();
    void twoProcessesCancellingRaceToOneCancellation();
    void catchUpDuringACancellationKeepsTheSummariesTrue();
    void latestSearchWins();
    void customerLookupIgnoresAccents();
    void migrationBuildsTheSearchIndexes();
};

void PedidoQueriesTest::searchesMatchAsTheListShows_data() {
    QTest::addColumn<int>("por");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QList<qint64>>("esperado");
    using P = BuscaPedido::Por;
    QTest::newRow("today") << int(P::Data) << "" << QList<qint64>{100, 12, 10, 2};
    QTest::newRow("telephone prefix") << int(P::Telefone) << "9876" << QList<qint64>{12, 10, 1};
    QTest::newRow("whole telephone") << int(P::Telefone) << "98765-4321" << QList<qint64>{10, 1};
    QTest::newRow("name without accent") << int(P::Nome) << "marcia" << QList<qint64>{100, 2};
    QTest::newRow("apostrophe") << int(P::Nome) << "Maria D'Á" << QList<qint64>{10, 1};
    QTest::newRow("apostrophe, no accent") << int(P::Nome) << "maria d'a" << QList<qint64>{10, 1};
    QTest::newRow("empty name lists all named")
        << int(P::Nome) << "" << QList<qint64>{100, 12, 10, 2, 1};
    QTest::newRow("number 1") << int(P::Numero) << "1" << QList<qint64>{100, 13, 12, 10, 1};
    QTest::newRow("number 10") << int(P::Numero) << "10" << QList<qint64>{100, 10};
    QTest::newRow("number beyond") << int(P::Numero) << "5" << QList<qint64>{};
    QTest::newRow("number punctuation") << int(P::Numero) << "1," << QList<qint64>{};
    QTest::newRow("number leading zero") << int(P::Numero) << "01" << QList<qint64>{};
    QTest::newRow("empty number") << int(P::Numero) << "" << QList<qint64>{100, 13, 12, 10, 2, 1};
}

void PedidoQueriesTest::searchesMatchAsTheListShows() {
    QFETCH(int, por);
    QFETCH(QString, texto);
    QFETCH(QList<qint64>, esperado);
    TestDatabase fixture;
    auto db = fixture.create();
    Seed s{*db};
    s.pedido(1, QStringLiteral("98765-4321"), QStringLiteral("MARIA D'ÁVILA"), 100,
             kHoje.addDays(-1));
    s.pedido(2, QStringLiteral("3333-0000"), QStringLiteral("MÁRCIA"), 200);
    s.pedido(10, QStringLiteral("98765-4321"), QStringLiteral("maria d'ávila"), 300);
    s.pedido(12, QStringLiteral("98760-0000"), QStringLiteral("JOÃO"), 400);
    s.pedido(13, QStringLiteral("1111-2222"), QString(), 0, kHoje.addDays(-2));
    db->exec(QStringLiteral("UPDATE TB_Pedido SET ped_cli_Nome = NULL WHERE ped_ono = 13"));
    s.pedido(100, QStringLiteral("4444-0000"), QStringLiteral("Marcia Souza"), 500);
    const BuscaPedido busca = por == int(BuscaPedido::Por::Data)
                                  ? BuscaPedido::doDia(kHoje)
                                  : BuscaPedido::prefixo(BuscaPedido::Por(por), texto);
    const QList<ResumoPedido> linhas = PedidoQueries(*db).busca(busca, 50);
    QCOMPARE(numeros(linhas), esperado);
    if (!linhas.isEmpty() && linhas.first().numero == 10) {
        QCOMPARE(linhas.first().nome, QStringLiteral("maria d'ávila"));
        QCOMPARE(linhas.first().total->format(), QStringLiteral("R$ 3,00"));
        QCOMPARE(linhas.first().status, QStringLiteral("CONCLUIDO"));
    }
}

void PedidoQueriesTest::broadAndNarrowPrefixesPageAlike() {
    TestDatabase fixture;
    auto db = fixture.create();
    Seed s{*db};
    const int total = PedidoQueries::kJanela * 3 / 2 + 60;
    const int antigos = 2600;
    auto estreito = [](int ono) { return ono % 20 == 0; };
    auto telefone = [&](int ono) {
        return QStringLiteral("%1-%2")
            .arg(QLatin1String(estreito(ono)    ? "888"
                               : ono <= antigos ? "911"
                                                : "922"))
            .arg(ono);
    };
    {
        Transaction t(*db);
        for (int ono = 1; ono <= total; ++ono)
            s.pedido(ono, telefone(ono),
                     estreito(ono) ? QStringLiteral("BIA") : QStringLiteral("ÁGATA %1").arg(ono),
                     ono);
        t.commit();
    }
    PedidoQueries queries(*db);
    // Every page in order, nothing twice or missing, whichever path: "agata" walks the key,
    // "bia", "922" and "888" sort their few matches from an index, "9" reads the newest blocks
    // and "911" passes over the newest blocks, which hold none of its matches.
    using P = BuscaPedido::Por;
    enum Caminho { Chave, Indice, Blocos };
    const std::tuple<P, const char*, int, Caminho> casos[] = {
        {P::Telefone, "9", total - total / 20, Blocos},
        {P::Telefone, "911", antigos - antigos / 20, Blocos},
        {P::Telefone, "922", total - antigos - (total - antigos) / 20, Indice},
        {P::Telefone, "888", total / 20, Indice},
        {P::Nome, "agata", total - total / 20, Chave},
        {P::Nome, "bia", total / 20, Indice}};
    // PostgreSQL chooses between the name's paths itself.
    const bool escolheNome = db->engine() == ConnectionSpec::Engine::Sqlite;
    for (const auto& [por, prefixo, esperados, caminho] : casos) {
        const BuscaPedido busca = BuscaPedido::prefixo(por, QLatin1String(prefixo));
        // Planned apart, or with its first page read, a search takes the same path.
        for (const PedidoQueries::Plano& plano :
             {queries.planeja(busca), queries.abre(busca, 10).plano}) {
            if (por == P::Telefone || escolheNome) {
                QCOMPARE(plano.porIndice, caminho == Indice);
                QCOMPARE(plano.porBlocos, caminho == Blocos);
            }
        }
        PedidoListModel model(queries);
        model.setResumo(true);
        model.search(busca);
        QCOMPARE(model.rowCount(), PedidoListModel::kPrimeiraPagina);
        model.fetchAll();
        QCOMPARE(model.orderRows(), esperados);
        qint64 soma = 0;
        for (int row = 0; row < model.orderRows(); ++row) {
            QVERIFY(row == 0 || model.numeroAt(row) < model.numeroAt(row - 1));
            soma += model.numeroAt(row);
        }
        // A history's figures sum every page.
        if (por == P::Telefone) {
            QCOMPARE(model.rowCount(), esperados + 3);
            QCOMPARE(model.index(esperados, 4).data().toString(),
                     Money::fromCents(soma).formatList());
            QCOMPARE(model.index(esperados + 1, 4).data().toString(), QString::number(esperados));
        }
    }
    QVERIFY(queries.abre(BuscaPedido::prefixo(P::Telefone, "777"), 10).plano.vazio);
    const auto agatas =
        queries.busca(BuscaPedido::prefixo(BuscaPedido::Por::Nome, "agata 30"), 100);
    QCOMPARE(numeros(agatas).mid(0, 3), (QList<qint64>{3099, 3098, 3097}));
    const auto paginaNumero = queries.pagina(
        queries.planeja(BuscaPedido::prefixo(BuscaPedido::Por::Numero, "1")), 1000, 5);
    QCOMPARE(numeros(paginaNumero), (QList<qint64>{199, 198, 197, 196, 195}));
}

void PedidoQueriesTest::historyFiguresAndTopProducts() {
    TestDatabase fixture;
    auto db = fixture.create();
    Seed s{*db};
    const QString tel = QStringLiteral("98765-4321");
    s.pedido(1, tel, QStringLiteral("ANA"), 5000);
    s.item(1, QStringLiteral("CALABRESA"), 2, 2000);
    s.item(1, QStringLiteral("COCA"), 1, 1000, QStringLiteral("BEBIDAS"));
    salesSummary::catchUp(*db); // order 1 summed, the others past the mark
    s.pedido(2, tel, QStringLiteral("ANA"), 0, kHoje, QStringLiteral("CANCELADO"));
    s.pedido(3, tel, QStringLiteral("ANA"), 2500);
    s.pedido(4, tel + QStringLiteral("9"), QStringLiteral("OUTRO"), 1000);
    s.item(2, QStringLiteral("ATUM"), 9, 3000);
    s.item(3, QStringLiteral("BRINDE"), 1, 0);
    s.item(3, QStringLiteral("CALABRESA"), 1, 2000);
    s.item(3, QStringLiteral("GUARANÁ"), 1, 500, QStringLiteral("BEBIDAS"));
    s.item(4, QStringLiteral("ATUM"), 7, 3000);
    db->exec(QStringLiteral("UPDATE TB_Item SET ite_Quantidade = NULL WHERE ite_Nome = 'BRINDE'"));
    PedidoQueries queries(*db);
    const QList<ProdutoSolicitado> top = queries.topProdutos(tel);
    QCOMPARE(top.size(), 4);
    QCOMPARE(top[0].nome, QStringLiteral("CALABRESA"));
    QCOMPARE(top[0].quantidade, 3);
    QCOMPARE(top[0].total, Money::fromCents(6000));
    QCOMPARE(top[1].nome, QStringLiteral("COCA")); // a tie goes by category
    QCOMPARE(top[2].nome, QStringLiteral("GUARANÁ"));
    QCOMPARE(top[3].nome, QStringLiteral("BRINDE")); // no quantity: last on both engines

    PedidoListModel model(queries);
    model.setResumo(true);
    model.search(BuscaPedido::prefixo(BuscaPedido::Por::Telefone, tel));
    QCOMPARE(model.rowCount(), 7);
    QCOMPARE(model.numeroAt(4), 0);
    QCOMPARE(model.index(4, 3).data().toString(), QStringLiteral("Total Geral"));
    QCOMPARE(model.index(4, 4).data().toString(), QStringLiteral("R$ 85,00"));
    QCOMPARE(model.index(5, 3).data().toString(), QStringLiteral("Nro Pedidos "));
    QCOMPARE(model.index(5, 4).data().toString(), QStringLiteral("4"));
    QCOMPARE(model.index(6, 4).data().toString(), QStringLiteral("1"));
}

void PedidoQueriesTest::consultaKeepsAnOrderWithoutOperator() {
    TestDatabase fixture;
    auto db = fixture.create();
    Seed s{*db};
    s.pedido(7, QStringLiteral("1"), QStringLiteral("ANA"), 1234, kHoje,
             QStringLiteral("CONCLUIDO"), 99);
    s.item(7, QStringLiteral("PIZZA"), 1, 1234);
    const auto p = PedidoQueries(*db).consulta(7);
    QVERIFY(p);
    QCOMPARE(p->usuId, 99);
    QVERIFY(p->usuario.isEmpty());
    QCOMPARE(p->mensagemComStatus(), QStringLiteral(" - CONCLUIDO -"));
    QCOMPARE(p->itens.size(), 1);
    QCOMPARE(p->total->formatPlain(), QStringLiteral("12,34"));
    QVERIFY(!PedidoQueries(*db).consulta(8));
}

void PedidoQueriesTest::cancellationZeroesHeaderAndItemsOnce() {
    TestDatabase fixture;
    auto db = fixture.create();
    Seed s{*db};
    s.pedido(1, QStringLiteral("1"), QStringLiteral("ANA"), 4000);
    s.item(1, QStringLiteral("PIZZA"), 2, 2000);
    s.pedido(2, QStringLiteral("1"), QStringLiteral("ANA"), 4000);
    s.item(2, QStringLiteral("PIZZA"), 2, 2000);
    PedidoChanges changes(*db);
    QCOMPARE(changes.cancelar(1), PedidoChanges::Cancelamento::Cancelado);
    QCOMPARE(changes.cancelar(1), PedidoChanges::Cancelamento::JaCancelado);
    QCOMPARE(changes.cancelar(3), PedidoChanges::Cancelamento::NaoEncontrado);
    QSqlQuery h = db->exec(QStringLiteral("SELECT ped_Status, fl_sincroniza, ped_Valor_Pago + "
                                          "ped_Troco + ped_Total FROM TB_Pedido ORDER BY ped_ono"));
    QVERIFY(h.next());
    QCOMPARE(h.value(0).toString(), QStringLiteral("CANCELADO"));
    QCOMPARE(h.value(1).toString(), QStringLiteral("S"));
    QCOMPARE(h.value(2).toInt(), 0);
    QVERIFY(h.next());
    QCOMPARE(h.value(0).toString(), QStringLiteral("CONCLUIDO"));
    h.finish();
    QCOMPARE(db->scalar(QStringLiteral("SELECT ite_Quantidade + ite_Preco + ite_Total FROM "
                                       "TB_Item WHERE ite_Ono = 1"))
                 .toInt(),
             0);
    QCOMPARE(db->scalar(QStringLiteral("SELECT ite_Total FROM TB_Item WHERE ite_Ono = 2")).toInt(),
             4000);
    QVERIFY(changes.atualizaEntregador(2, QStringLiteral("JOSÉ D'ÁVILA")));
    QVERIFY(!changes.atualizaEntregador(9, QStringLiteral("X")));
    QCOMPARE(db->scalar(QStringLiteral("SELECT ped_Entregador || fl_sincroniza FROM TB_Pedido "
                                       "WHERE ped_ono = 2"))
                 .toString(),
             QStringLiteral("JOSÉ D'ÁVILAS"));
}

void PedidoQueriesTest::twoProcessesCancellingRaceToOneCancellation() {
    TestDatabase fixture;
    auto db = fixture.create();
    Seed s{*db};
    {
        Transaction t(*db);
        for (int ono = 1; ono <= kRaceOrders; ++ono) {
            s.pedido(ono, QStringLiteral("1"), QStringLiteral("ANA"), 3000);
            s.item(ono, QStringLiteral("A"), 1, 1000);
            s.item(ono, QStringLiteral("B"), 2, 1000);
        }
        t.commit();
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(kWorkerDb, fixture.locator());
    const RaceResult race = raceWorkers({kWorkerFlag}, 2, env);
    QVERIFY2(race.error.isEmpty(), qPrintable(race.error));
    QMap<QByteArray, int> cancelamentos;
    for (const QList<QByteArray>& lines : race.outputs) {
        QCOMPARE(lines.size(), kRaceOrders);
        for (const QByteArray& line : lines)
            if (line.endsWith('C'))
                ++cancelamentos[line.split(' ').first()];
    }
    QCOMPARE(cancelamentos.size(), kRaceOrders);
    for (int vezes : cancelamentos)
        QCOMPARE(vezes, 1);
    QCOMPARE(db->scalar(QStringLiteral("SELECT count(*) FROM TB_Pedido p JOIN TB_Item i ON "
                                       "i.ite_Ono = p.ped_ono WHERE p.ped_Status = 'CANCELADO' "
                                       "AND (i.ite_Preco <> 0 OR i.ite_Total <> 0 OR "
                                       "i.ite_Quantidade <> 0)"))
                 .toInt(),
             0);
    QCOMPARE(db->scalar(QStringLiteral("SELECT count(*) FROM TB_Pedido WHERE ped_Status = "
                                       "'CANCELADO' AND ped_Total = 0"))
                 .toInt(),
             kRaceOrders);
}

// A workstation moves the mark past an order while another is cancelling it: the mark waits
// for the cancellation, or the cancellation would go uncounted.
void PedidoQueriesTest::catchUpDuringACancellationKeepsTheSummariesTrue() {
    TestDatabase fixture;
    auto db = fixture.create();
    Seed s{*db};
    for (int ono = 1; ono <= 2; ++ono) {
        s.pedido(ono, QStringLiteral("1"), QStringLiteral("ANA"), 3000);
        s.item(ono, QStringLiteral("A"), 1, 1000);
        s.item(ono, QStringLiteral("B"), 2, 1000);
    }
    QProcess outro;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(kWorkerDb, fixture.locator());
    outro.setProcessEnvironment(env);
    {
        auto caixa = fixture.openAnother();
        Transaction cancelamento(*caixa);
        caixa->exec(QStringLiteral("UPDATE TB_Pedido SET ped_Status = 'CANCELADO' WHERE "
                                   "ped_ono = 1"));
        outro.start(QCoreApplication::applicationFilePath(), {kCatchUpWorkerFlag});
        QVERIFY(outro.waitForStarted());
        QThread::msleep(1500);
        cancelamento.commit();
    }
    QVERIFY(outro.waitForFinished(10000));
    QCOMPARE(outro.exitCode(), 0);
    const QStringList truth = vendasPorTelefone(*db, kVendasDosItens);
    QCOMPARE(truth.size(), 2);
    QCOMPARE(vendasPorTelefone(*db, QLatin1String(salesSummary::kPorTelefone)), truth);
}

void PedidoQueriesTest::latestSearchWins() {
    TestDatabase fixture;
    auto db = fixture.create();
    Seed s{*db};
    s.pedido(1, QStringLiteral("1"), QStringLiteral("ANA"), 1);
    s.pedido(2, QStringLiteral("1"), QStringLiteral("ANTÔNIO"), 1);
    PedidoQueries queries(*db);
    PedidoListModel model(queries);
    for (const char* texto : {"A", "AN", "ANT", "ANTO"})
        model.requestSearch(BuscaPedido::prefixo(BuscaPedido::Por::Nome, QLatin1String(texto)));
    QTRY_VERIFY(!model.searchPending());
    QCOMPARE(model.searchesRun(), 1);
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.numeroAt(0), 2);
}

void PedidoQueriesTest::customerLookupIgnoresAccents() {
    TestDatabase fixture;
    auto db = fixture.create();
    ClienteStore clientes(*db);
    Cliente c;
    c.telefone = QStringLiteral("1111-1111");
    c.nome = QStringLiteral("MÁRCIA D'ÁVILA");
    c.logradouro = QStringLiteral("AVENIDA SÃO JOÃO");
    QVERIFY(clientes.insert(c));
    QCOMPARE(clientes.search(ClienteStore::Busca::Nome, QStringLiteral("marcia d'a")).size(), 1);
    QCOMPARE(clientes.search(ClienteStore::Busca::Endereco, QStringLiteral("avenida sao j")).size(),
             1);
    QCOMPARE(clientes.search(ClienteStore::Busca::Telefone, QStringLiteral("1111-")).size(), 1);
}

void PedidoQueriesTest::migrationBuildsTheSearchIndexes() {
    const QStringList indices = {QStringLiteral("ix_pedido_nome_busca"),
                                 QStringLiteral("ix_pedido_ono_busca")};
    TestDatabase fixture;
    {
        auto db = fixture.create();
        for (const QString& indice : indices)
            db->exec(QStringLiteral("DROP INDEX ") + indice);
        db->exec(QStringLiteral("UPDATE brisko_schema_version SET version = 1"));
    }
    auto db = fixture.openAnother();
    QCOMPARE(Schema::version(*db), Schema::kVersion);
    const QString sql = db->engine() == ConnectionSpec::Engine::Sqlite
                            ? QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name = ?")
                            : QStringLiteral("SELECT count(*) FROM pg_indexes WHERE indexname = ?");
    for (const QString& indice : indices)
        QCOMPARE(db->scalar(sql, {indice}).toInt(), 1);
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (app.arguments().size() == 2 && app.arguments().at(1) == kWorkerFlag)
        return runWorker();
    if (app.arguments().size() == 2 && app.arguments().at(1) == kCatchUpWorkerFlag)
        return runCatchUpWorker();
    TestDatabase::skipIfUnavailable();
    PedidoQueriesTest tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "TestPedidoQueries.moc"
