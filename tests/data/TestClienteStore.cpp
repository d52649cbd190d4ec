#include "data/Database.h"
#include "masterdata/ClienteStore.h"
#include "support/TestDatabase.h"

#include <QTest>

namespace {

Cliente cliente(const QString& telefone, const QString& nome,
                const QString& logradouro = QStringLiteral("DAS FLORES")) {
    Cliente c;
    c.telefone = telefone;
    c.nome = nome;
    c.rg = QStringLiteral("12.345.678-9");
    c.tipo = QStringLiteral("RUA");
    c.logradouro = logradouro;
    c.numero = QStringLiteral("10A");
    c.complemento = QStringLiteral("APTO 3");
    c.bairro = QStringLiteral("CENTRO");
    c.cidade = QStringLiteral("SÃO PAULO");
    c.uf = QStringLiteral("SP");
    c.cep = QStringLiteral("01001-000");
    c.dataNascimento = QDate(1980, 2, 29);
    c.email = QStringLiteral("a@b.com.br");
    c.observacao = QStringLiteral("PORTÃO AZUL");
    return c;
}

void addPedido(Database& db, qint64 ono, const QString& telefone, const QDate& data,
               qint64 totalCents, const QString& status) {
    db.exec(QStringLiteral("INSERT INTO TB_Pedido (ped_ono, ped_data, ped_cli_Telefone, "
                           "ped_Total, ped_Status) VALUES (?, ?, ?, ?, ?)"),
            {ono, Database::dateValue(data), telefone, totalCents, status});
}

QStringList nomes(const QList<Cliente>& list) {
    QStringList result;
    for (const Cliente& c : list)
        result << c.nome;
    return result;
}

} // namespace

class ClienteStoreTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void codeFollowsTheHighestAndSkipsGaps();
    void insertLeavesTheFlagNullUpdateMarksIt();
    void updateWritesEveryFieldOfThatCodeOnly();
    void telephoneOfAnotherCustomerIsRefused();
    void textsAreStoredExactly_data();
    void textsAreStoredExactly();
    void birthDateMayBeNull();
    void prefixSearchNarrowsAndWidens_data();
    void prefixSearchNarrowsAndWidens();
    void eachSearchHasItsOrder();
    void pagesCoverTheListOnce();
    void statisticsLeaveOutCancelledOrders();
    void averageIsRoundedToTheCentavo_data();
    void averageIsRoundedToTheCentavo();

private:
    std::unique_ptr<TestDatabase> m_fx;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<ClienteStore> m_store;
};

void ClienteStoreTest::init() {
    m_fx = std::make_unique<TestDatabase>();
    m_db = m_fx->create();
    m_store = std::make_unique<ClienteStore>(*m_db);
}

void ClienteStoreTest::cleanup() {
    m_store.reset();
    m_db.reset();
    m_fx.reset();
}

void ClienteStoreTest::codeFollowsTheHighestAndSkipsGaps() {
    QVERIFY(m_store->isEmpty());
    QCOMPARE(m_store->insert(cliente("1111-0001", "A")), 1);
    for (int i = 2; i <= 5; ++i)
        QCOMPARE(m_store->insert(cliente(QStringLiteral("1111-000%1").arg(i), "X")), i);
    QVERIFY(m_store->remove(3));
    QVERIFY(m_store->remove(4));
    QVERIFY(!m_store->remove(4));
    QVERIFY(!m_store->find(3));
    QCOMPARE(m_store->all().size(), 3);
    QCOMPARE(m_store->insert(cliente("1111-0006", "F")), 6);
    QVERIFY(!m_store->isEmpty());
}

void ClienteStoreTest::insertLeavesTheFlagNullUpdateMarksIt() {
    const qint64 codigo = *m_store->insert(cliente("1234-5678", "ANA"));
    const QString flagSql = QStringLiteral("SELECT fl_sincroniza FROM TB_Cliente WHERE cli_ID = ?");
    const QVariant before = m_db->scalar(flagSql, {codigo});
    QVERIFY(before.isValid());
    QVERIFY(before.isNull());
    Cliente changed = *m_store->find(codigo);
    changed.nome = QStringLiteral("ANA MARIA");
    QCOMPARE(m_store->update(changed), WriteOutcome::Saved);
    QCOMPARE(m_db->scalar(flagSql, {codigo}).toString(), QStringLiteral("S"));
}

void ClienteStoreTest::updateWritesEveryFieldOfThatCodeOnly() {
    const qint64 a = *m_store->insert(cliente("1234-5678", "ANA"));
    const Cliente b = cliente("2222-3333", "BIA");
    const qint64 codigoB = *m_store->insert(b);
    Cliente changed{
        a,        "91234-5678", "ANA PAULA", "9",  "AVENIDA",   "PAULISTA",          "1000",
        "SALA 2", "BELA VISTA", "SANTOS",    "RJ", "11000-000", QDate(1990, 12, 31), "ana@x.com",
        "NOVA"};
    QCOMPARE(m_store->update(changed), WriteOutcome::Saved);
    QCOMPARE(*m_store->find(a), changed);
    QCOMPARE(*m_store->findByTelefone("91234-5678"), changed);
    QVERIFY(!m_store->findByTelefone("1234-5678"));
    Cliente other = b;
    other.codigo = codigoB;
    QCOMPARE(*m_store->find(codigoB), other);

    changed.codigo = 99;
    changed.telefone = QStringLiteral("5555-5555");
    QCOMPARE(m_store->update(changed), WriteOutcome::NotFound);
    QVERIFY(!m_store->findByTelefone("5555-5555"));
}

void ClienteStoreTest::telephoneOfAnotherCustomerIsRefused() {
    const qint64 a = *m_store->insert(cliente("1234-5678", "ANA"));
    const qint64 b = *m_store->insert(cliente("2222-3333", "BIA"));
    QVERIFY(!m_store->insert(cliente("1234-5678", "OUTRA")));
    QCOMPARE(m_store->all().size(), 2);

    Cliente moved = *m_store->find(b);
    moved.telefone = QStringLiteral("1234-5678");
    QCOMPARE(m_store->update(moved), WriteOutcome::NameTaken);
    QCOMPARE(m_store->find(b)->telefone, QStringLiteral("2222-3333"));

    // Keeping one's own telephone is no conflict.
    Cliente same = *m_store->find(a);
    same.nome = QStringLiteral("ANA LUIZA");
    QCOMPARE(m_store->update(same), WriteOutcome::Saved);
    QVERIFY(m_store->telefoneTaken("1234-5678"));
    QVERIFY(!m_store->telefoneTaken("1234-5678", a));
    QVERIFY(m_store->telefoneTaken("1234-5678", b));
    QVERIFY(!m_store->telefoneTaken("12345678"));
}

void ClienteStoreTest::textsAreStoredExactly_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("apostrophe") << "D'ÁVILA'; DELETE FROM TB_Cliente; --";
    QTest::newRow("accents") << "JOÃO ÇÉÜ ÑÔ";
    QTest::newRow("like wildcards") << "50% _OFF\\";
    QTest::newRow("double quote") << "O \"GRANDE\"";
    QTest::newRow("100 characters") << QString(99, QChar(u'Ã')) + QLatin1Char('Z');
}

void ClienteStoreTest::textsAreStoredExactly() {
    QFETCH(QString, text);
    Cliente c = cliente(text.left(20), text, text);
    c.complemento = text;
    c.observacao = text;
    c.email = text;
    const qint64 codigo = *m_store->insert(c);
    c.codigo = codigo;
    QCOMPARE(*m_store->find(codigo), c);
    QCOMPARE(*m_store->findByTelefone(text.left(20)), c);
    QCOMPARE(m_store->search(ClienteStore::Busca::Nome, text), QList<Cliente>{c});
    QCOMPARE(m_store->search(ClienteStore::Busca::Endereco, text), QList<Cliente>{c});
    QCOMPARE(m_store->search(ClienteStore::Busca::Telefone, text.left(20)), QList<Cliente>{c});
    QCOMPARE(m_store->update(c), WriteOutcome::Saved);
    QCOMPARE(*m_store->find(codigo), c);
}

void ClienteStoreTest::birthDateMayBeNull() {
    Cliente c = cliente("1234-5678", "ANA");
    c.dataNascimento = QDate();
    const qint64 codigo = *m_store->insert(c);
    QVERIFY(m_db->scalar(QStringLiteral("SELECT cli_Data_Nasc FROM TB_Cliente WHERE cli_ID = ?"),
                         {codigo})
                .isNull());
    QVERIFY(m_store->find(codigo)->dataNascimento.isNull());
    c = *m_store->find(codigo);
    c.dataNascimento = QDate(2001, 1, 31);
    m_store->update(c);
    QCOMPARE(m_store->find(codigo)->dataNascimento, QDate(2001, 1, 31));
    c.dataNascimento = QDate();
    m_store->update(c);
    QVERIFY(m_store->find(codigo)->dataNascimento.isNull());
}

void ClienteStoreTest::prefixSearchNarrowsAndWidens_data() {
    QTest::addColumn<int>("by");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QStringList>("expected");
    const int nome = int(ClienteStore::Busca::Nome);
    // Names are searched and ordered without case or accents ("jóse" and "JOSÉ" by code).
    QTest::newRow("everyone") << nome << "" << QStringList{"ANA", "JOANA", "JOÃO", "JOSÉ", "jóse"};
    QTest::newRow("one letter") << nome << "j" << QStringList{"JOANA", "JOÃO", "JOSÉ", "jóse"};
    QTest::newRow("two letters") << nome << "JO" << QStringList{"JOANA", "JOÃO", "JOSÉ", "jóse"};
    QTest::newRow("accented lower finds both") << nome << "joã" << QStringList{"JOANA", "JOÃO"};
    QTest::newRow("without accent") << nome << "jose" << QStringList{"JOSÉ", "jóse"};
    QTest::newRow("no one") << nome << "JOÃOZ" << QStringList{};
    QTest::newRow("wildcard is a letter") << nome << "%" << QStringList{};
    const int rua = int(ClienteStore::Busca::Endereco);
    QTest::newRow("street RUA") << rua << "RUA" << QStringList{"JOSÉ", "JOANA"};
    QTest::newRow("street lower") << rua << "ave" << QStringList{"JOÃO"};
    const int tel = int(ClienteStore::Busca::Telefone);
    QTest::newRow("phone prefix") << tel << "9" << QStringList{"JOÃO", "JOSÉ"};
    QTest::newRow("phone with hyphen") << tel << "91111-" << QStringList{"JOÃO"};
    QTest::newRow("phone everyone")
        << tel << "" << QStringList{"JOÃO", "ANA", "JOSÉ", "JOANA", "jóse"};
}

void ClienteStoreTest::prefixSearchNarrowsAndWidens() {
    QFETCH(int, by);
    QFETCH(QString, prefix);
    QFETCH(QStringList, expected);
    m_store->insert(cliente("91111-0000", "JOÃO", "AVENIDA BRASIL"));
    m_store->insert(cliente("1111-0000", "ANA", "PRAÇA XV"));
    m_store->insert(cliente("92222-0000", "JOSÉ", "RUA A"));
    m_store->insert(cliente("2222-0000", "JOANA", "RUAS ALTAS"));
    m_store->insert(cliente("3333-0000", "jóse", "TRAVESSA"));
    QCOMPARE(nomes(m_store->search(ClienteStore::Busca(by), prefix)), expected);
}

void ClienteStoreTest::eachSearchHasItsOrder() {
    m_store->insert(cliente("3333-0000", "CARLA", "BETA"));
    m_store->insert(cliente("1111-0000", "bruno", "ALFA"));
    m_store->insert(cliente("2222-0000", "ALICE", "alfa"));
    m_store->insert(cliente("4444-0000", "BRUNO", "GAMA"));
    QCOMPARE(nomes(m_store->all()), (QStringList{"CARLA", "bruno", "ALICE", "BRUNO"}));
    // Equal names under the fold keep the order of their codes.
    QCOMPARE(nomes(m_store->search(ClienteStore::Busca::Nome, {})),
             (QStringList{"ALICE", "bruno", "BRUNO", "CARLA"}));
    QCOMPARE(nomes(m_store->search(ClienteStore::Busca::Endereco, "a")),
             (QStringList{"bruno", "ALICE"}));
    QCOMPARE(nomes(m_store->search(ClienteStore::Busca::Telefone, {})),
             (QStringList{"CARLA", "bruno", "ALICE", "BRUNO"}));
}

void ClienteStoreTest::pagesCoverTheListOnce() {
    for (int i = 0; i < 23; ++i)
        m_store->insert(cliente(QStringLiteral("9000-%1").arg(i, 4, 10, QLatin1Char('0')),
                                QStringLiteral("NOME %1").arg(22 - i, 2, 10, QLatin1Char('0'))));
    for (const auto by : {ClienteStore::Busca::Nome, ClienteStore::Busca::Telefone}) {
        const QList<Cliente> whole = m_store->search(by, "9000-001");
        QCOMPARE(whole.size(), by == ClienteStore::Busca::Telefone ? 10 : 0);
        const QList<Cliente> every = m_store->search(by, {});
        QCOMPARE(every.size(), 23);
        QList<Cliente> paged;
        for (int offset = 0; offset < 30; offset += 10) {
            const QList<Cliente> page = m_store->search(by, {}, 10, offset);
            QVERIFY(page.size() <= 10);
            paged << page;
        }
        QCOMPARE(paged, every);
    }
    QCOMPARE(m_store->all(5, 20).size(), 3);
    QCOMPARE(m_store->all(ClienteStore::kTodos, 20).size(), 3);
    QCOMPARE(m_store->search(ClienteStore::Busca::Nome, {}, 1).first().nome,
             QStringLiteral("NOME 00"));
}

void ClienteStoreTest::statisticsLeaveOutCancelledOrders() {
    const QDate today = QDate::currentDate();
    m_store->insert(cliente("1111-1111", "FIEL"));
    m_store->insert(cliente("2222-2222", "NOVO"));
    m_store->insert(cliente("3333-3333", "SÓ CANCELADOS"));
    m_store->insert(cliente("4444-4444", "SEM PEDIDOS"));
    addPedido(*m_db, 1, "1111-1111", QDate(2024, 3, 1), 1000, "CONCLUIDO");
    addPedido(*m_db, 2, "1111-1111", QDate(2025, 7, 9), 2551, "CONCLUIDO");
    addPedido(*m_db, 3, "1111-1111", QDate(2023, 1, 1), 0, "Cancelado");
    addPedido(*m_db, 4, "1111-1111", QDate(2026, 1, 1), 9999, "cancelado");
    addPedido(*m_db, 5, "2222-2222", today, 4200, "CONCLUIDO");
    addPedido(*m_db, 6, "3333-3333", today, 0, "CANCELADO");
    addPedido(*m_db, 7, "9999-9999", today, 5000, "CONCLUIDO");

    const auto figures =
        m_store->estatisticas({"1111-1111", "2222-2222", "3333-3333", "4444-4444", "1111-1111"});
    QCOMPARE(figures.size(), 4);

    const EstatisticaCliente fiel = figures.value("1111-1111");
    QCOMPARE(fiel.quantidade, 2);
    QCOMPARE(fiel.desde, QDate(2024, 3, 1));
    QCOMPARE(fiel.ultimoPedido, QDate(2025, 7, 9));
    QCOMPARE(fiel.consumo, Money::fromCents(3551));
    QCOMPARE(fiel.ticketMedio(), Money::fromCents(1776));
    QVERIFY(!fiel.poucosPedidos());

    const EstatisticaCliente novo = figures.value("2222-2222");
    QCOMPARE(novo.quantidade, 1);
    QCOMPARE(novo.ticketMedio(), Money::fromCents(4200));
    QVERIFY(novo.clienteNovo(today));
    QVERIFY(!novo.clienteNovo(today.addDays(1)));

    for (const char* telefone : {"3333-3333", "4444-4444"}) {
        const EstatisticaCliente none = figures.value(telefone);
        QCOMPARE(none, EstatisticaCliente{});
        QVERIFY(!none.consumo);
        QVERIFY(!none.ticketMedio());
        QVERIFY(none.poucosPedidos());
        QVERIFY(!none.clienteNovo(today));
    }
    QVERIFY(m_store->estatisticas({}).isEmpty());
}

void ClienteStoreTest::averageIsRoundedToTheCentavo_data() {
    QTest::addColumn<qint64>("cents");
    QTest::addColumn<int>("quantidade");
    QTest::addColumn<qint64>("expected");
    QTest::newRow("exact") << qint64(3000) << 3 << qint64(1000);
    QTest::newRow("down") << qint64(1000) << 3 << qint64(333);
    QTest::newRow("up") << qint64(2000) << 3 << qint64(667);
    QTest::newRow("half up") << qint64(5) << 2 << qint64(3);
    QTest::newRow("negative half") << qint64(-5) << 2 << qint64(-3);
}

void ClienteStoreTest::averageIsRoundedToTheCentavo() {
    QFETCH(qint64, cents);
    QFETCH(int, quantidade);
    QFETCH(qint64, expected);
    EstatisticaCliente figures;
    figures.quantidade = quantidade;
    figures.consumo = Money::fromCents(cents);
    QCOMPARE(figures.ticketMedio(), Money::fromCents(expected));
}

BRISKO_DB_TEST_MAIN(ClienteStoreTest)
#include "TestClienteStore.moc"
