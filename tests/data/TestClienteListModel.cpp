#include "data/Database.h"
#include "data/DbError.h"
#include "masterdata/ClienteListModel.h"
#include "masterdata/ClienteStore.h"
#include "support/TestDatabase.h"

#include <QColor>
#include <QFont>
#include <QSignalSpy>
#include <QTest>

namespace {

using Busca = ClienteStore::Busca;
using Variante = ClienteListModel::Variante;

enum { Codigo, Nome, Telefone, Endereco, Nro, QtdPed, DesdeDe, UltPedido, Consumo, Ticket };

const QDate kHoje(2026, 12, 7);
const QColor kVermelhoClaro(255, 0, 0);
const QColor kVermelho(128, 0, 0);
const QString kNovo = QStringLiteral("Cliente Novo. Pesquisa de Satisfação.");

Cliente cliente(const QString& telefone, const QString& nome,
                const QString& logradouro = QStringLiteral("DAS FLORES"),
                const QString& tipo = QStringLiteral("RUA")) {
    Cliente c;
    c.telefone = telefone;
    c.nome = nome;
    c.tipo = tipo;
    c.logradouro = logradouro;
    c.numero = QStringLiteral("10A");
    c.cidade = QStringLiteral("SÃO PAULO");
    return c;
}

void addPedido(Database& db, qint64 ono, const QString& telefone, const QDate& data,
               qint64 totalCents, const QString& status) {
    db.exec(QStringLiteral("INSERT INTO TB_Pedido (ped_ono, ped_data, ped_cli_Telefone, "
                           "ped_Total, ped_Status) VALUES (?, ?, ?, ?, ?)"),
            {ono, Database::dateValue(data), telefone, totalCents, status});
}

QString text(const ClienteListModel& model, int row, int column, int role = Qt::DisplayRole) {
    return model.data(model.index(row, column), role).toString();
}

QStringList column(const ClienteListModel& model, int col) {
    QStringList values;
    for (int row = 0; row < model.rowCount(); ++row)
        values << text(model, row, col);
    return values;
}

int rowOf(const ClienteListModel& model, const QString& telefone) {
    for (int row = 0; row < model.rowCount(); ++row)
        if (model.telefoneAt(row) == telefone)
            return row;
    return -1;
}

void fetchAll(ClienteListModel& model) {
    while (model.canFetchMore({}))
        model.fetchMore({});
}

} // namespace

class ClienteListModelTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void headersFollowTheVariant();
    void searchesNarrowAndWiden_data();
    void searchesNarrowAndWiden();
    void pagesReachEveryRowInOrder();
    void statisticsPerRow();
    void onlyANewCustomerIsMarked();
    void selecionarShowsNoFigures();
    void addressAndNumberTexts();
    void failedReadKeepsTheRows();

private:
    std::unique_ptr<TestDatabase> m_fx;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<ClienteStore> m_store;
};

void ClienteListModelTest::init() {
    m_fx = std::make_unique<TestDatabase>();
    m_db = m_fx->create();
    m_store = std::make_unique<ClienteStore>(*m_db);
}

void ClienteListModelTest::cleanup() {
    m_store.reset();
    m_db.reset();
    m_fx.reset();
}

void ClienteListModelTest::headersFollowTheVariant() {
    const ClienteListModel localizar(*m_store, Variante::Localizar, kHoje);
    const ClienteListModel selecionar(*m_store, Variante::Selecionar, kHoje);
    QStringList captions;
    for (int i = 0; i < localizar.columnCount(); ++i)
        captions << localizar.headerData(i, Qt::Horizontal).toString();
    QCOMPARE(captions, (QStringList{"Codigo", "Nome", "Telefone", "Endereço", "Nro", "Qtd.Ped.",
                                    "Desde De", "Ult.Pedido", "Consumo", "Ticket Médio"}));
    QCOMPARE(selecionar.columnCount(), 5);
    QCOMPARE(ClienteListModel::columns(Variante::Selecionar).at(Endereco).twips, 4000);
    QCOMPARE(ClienteListModel::columns(Variante::Localizar).at(Endereco).twips, 3800);
    QVERIFY(!localizar.hasRows());
    QVERIFY(!localizar.canFetchMore({}));
}

void ClienteListModelTest::searchesNarrowAndWiden_data() {
    QTest::addColumn<int>("by");
    QTest::addColumn<QStringList>("prefixes");
    QTest::addColumn<QList<QStringList>>("expected");
    const QStringList todosPorNome{"ANA", "D'ÁVILA", "JOANA", "JOÃO"};
    QTest::newRow("name") << int(Busca::Nome) << QStringList{"J", "JO", "JOÃ", "JO", ""}
                          << QList<QStringList>{{"JOANA", "JOÃO"},
                                                {"JOANA", "JOÃO"},
                                                {"JOÃO"},
                                                {"JOANA", "JOÃO"},
                                                todosPorNome};
    QTest::newRow("name with apostrophe") << int(Busca::Nome) << QStringList{"d'á", "D'X", "d"}
                                          << QList<QStringList>{{"D'ÁVILA"}, {}, {"D'ÁVILA"}};
    QTest::newRow("telephone") << int(Busca::Telefone) << QStringList{"9", "91", "9", ""}
                               << QList<QStringList>{{"JOÃO", "D'ÁVILA"},
                                                     {"JOÃO"},
                                                     {"JOÃO", "D'ÁVILA"},
                                                     {"JOÃO", "ANA", "D'ÁVILA", "JOANA"}};
    QTest::newRow("street") << int(Busca::Endereco) << QStringList{"RUA", "rua b", "PRA", ""}
                            << QList<QStringList>{{"D'ÁVILA", "JOANA"},
                                                  {"JOANA"},
                                                  {"ANA"},
                                                  {"JOÃO", "ANA", "D'ÁVILA", "JOANA"}};
}

void ClienteListModelTest::searchesNarrowAndWiden() {
    QFETCH(int, by);
    QFETCH(QStringList, prefixes);
    QFETCH(QList<QStringList>, expected);
    m_store->insert(cliente("91111-0000", "JOÃO", "AVENIDA BRASIL"));
    m_store->insert(cliente("1111-0000", "ANA", "PRAÇA XV"));
    m_store->insert(cliente("92222-0000", "D'ÁVILA", "RUA A"));
    m_store->insert(cliente("2222-0000", "JOANA", "RUA B"));
    for (const Variante variante : {Variante::Localizar, Variante::Selecionar}) {
        ClienteListModel model(*m_store, variante, kHoje);
        for (qsizetype i = 0; i < prefixes.size(); ++i) {
            model.setSearch(Busca(by), prefixes.at(i));
            QCOMPARE(column(model, Nome), expected.at(i));
            QCOMPARE(model.hasRows(), !expected.at(i).isEmpty());
            QVERIFY(!model.canFetchMore({}));
        }
    }
}

void ClienteListModelTest::pagesReachEveryRowInOrder() {
    constexpr int kTotal = 2 * ClienteListModel::kPagina + 37;
    for (int i = 0; i < kTotal; ++i)
        m_store->insert(
            cliente(QStringLiteral("9000-%1").arg(i, 4, 10, QLatin1Char('0')),
                    QStringLiteral("NOME %1").arg(kTotal - i, 3, 10, QLatin1Char('0'))));
    // The last customer by name comes first by code: on the last page only by name.
    addPedido(*m_db, 1, "9000-0000", QDate(2025, 1, 2), 1050, "ENTREGUE");
    addPedido(*m_db, 2, "9000-0000", QDate(2025, 3, 4), 2000, "ENTREGUE");

    ClienteListModel model(*m_store, Variante::Localizar, kHoje);
    model.setSearch(Busca::Nome, QStringLiteral("nome"));
    QCOMPARE(model.rowCount(), ClienteListModel::kPagina);
    QCOMPARE(rowOf(model, "9000-0000"), -1);
    QList<int> counts;
    while (model.canFetchMore({})) {
        model.fetchMore({});
        counts << model.rowCount();
    }
    QCOMPARE(counts, (QList<int>{2 * ClienteListModel::kPagina, kTotal}));
    QStringList expected;
    for (const Cliente& c : m_store->search(Busca::Nome, QStringLiteral("nome")))
        expected << c.nome;
    QCOMPARE(column(model, Nome), expected);
    const int last = rowOf(model, "9000-0000");
    QCOMPARE(last, kTotal - 1);
    QCOMPARE(text(model, last, QtdPed), QStringLiteral("2"));
    QCOMPARE(text(model, last, Consumo), QStringLiteral("30,50"));
    QCOMPARE(text(model, last, Ticket), QStringLiteral("15,25"));

    // The full list by code; a list of exactly two pages offers no third.
    for (int i = 0; i < 37; ++i)
        QVERIFY(m_store->remove(2 * ClienteListModel::kPagina + i + 1));
    model.loadAll();
    QCOMPARE(model.rowCount(), ClienteListModel::kPagina);
    fetchAll(model);
    QCOMPARE(model.rowCount(), 2 * ClienteListModel::kPagina);
    for (int row = 0; row < model.rowCount(); ++row)
        QCOMPARE(model.clienteAt(row).codigo, row + 1);
    model.setSearch(Busca::Telefone, QStringLiteral("9000-01"));
    QCOMPARE(model.rowCount(), 100);
    QVERIFY(!model.canFetchMore({}));
}

void ClienteListModelTest::statisticsPerRow() {
    m_store->insert(cliente("1111-1111", "FIEL"));
    m_store->insert(cliente("2222-2222", "GRANDE"));
    m_store->insert(cliente("3333-3333", "SÓ CANCELADOS"));
    m_store->insert(cliente("4444-4444", "SEM PEDIDOS"));
    addPedido(*m_db, 1, "1111-1111", QDate(2024, 3, 1), 1000, "CONCLUIDO");
    addPedido(*m_db, 2, "1111-1111", QDate(2025, 7, 9), 2551, "CONCLUIDO");
    addPedido(*m_db, 3, "1111-1111", QDate(2023, 1, 1), 500, "Cancelado");
    addPedido(*m_db, 4, "1111-1111", kHoje, 9999, "Cancelado");
    addPedido(*m_db, 5, "2222-2222", QDate(2020, 5, 6), 123456789, "CONCLUIDO");
    addPedido(*m_db, 6, "2222-2222", QDate(2021, 5, 6), 1, "CONCLUIDO");
    addPedido(*m_db, 7, "3333-3333", kHoje, 4000, "Cancelado");

    ClienteListModel model(*m_store, Variante::Localizar, kHoje);
    model.loadAll();
    QCOMPARE(model.rowCount(), 4);
    const auto row = [&](int r) {
        QStringList cells;
        for (int c = QtdPed; c <= Ticket; ++c)
            cells << text(model, r, c);
        return cells;
    };
    QCOMPARE(row(0), (QStringList{"2", "01/03/2024", "09/07/2025", "35,51", "17,76"}));
    QCOMPARE(row(1), (QStringList{"2", "06/05/2020", "06/05/2021", "1.234.567,90", "617.283,95"}));
    QCOMPARE(row(2), (QStringList{"0", "", "", "", ""}));
    QCOMPARE(row(3), (QStringList{"0", "", "", "", ""}));
    for (int r = 0; r < 4; ++r) {
        QCOMPARE(model.data(model.index(r, Telefone), Qt::ForegroundRole).value<QColor>(),
                 kVermelhoClaro);
        const QVariant qtd = model.data(model.index(r, QtdPed), Qt::ForegroundRole);
        QCOMPARE(qtd.isValid(), r >= 2);
        for (int c : {Codigo, Nome, QtdPed, DesdeDe, UltPedido})
            QVERIFY(text(model, r, c, Qt::ToolTipRole).isEmpty());
    }
    QCOMPARE(model.data(model.index(2, QtdPed), Qt::ForegroundRole).value<QColor>(),
             kVermelhoClaro);
    const int right = Qt::AlignRight | Qt::AlignVCenter;
    QCOMPARE(model.data(model.index(0, Consumo), Qt::TextAlignmentRole).toInt(), right);
    QCOMPARE(model.data(model.index(0, Ticket), Qt::TextAlignmentRole).toInt(), right);
    QCOMPARE(model.headerData(Ticket, Qt::Horizontal, Qt::TextAlignmentRole).toInt(), right);
    QCOMPARE(model.data(model.index(0, Nome), Qt::TextAlignmentRole).toInt(),
             Qt::AlignLeft | Qt::AlignVCenter);
}

void ClienteListModelTest::onlyANewCustomerIsMarked() {
    m_store->insert(cliente("1111-1111", "NOVO"));
    m_store->insert(cliente("2222-2222", "VOLTOU HOJE"));
    m_store->insert(cliente("3333-3333", "ONTEM"));
    addPedido(*m_db, 1, "1111-1111", kHoje, 4200, "ENTREGUE");
    addPedido(*m_db, 2, "1111-1111", kHoje.addDays(-3), 100, "Cancelado");
    addPedido(*m_db, 3, "2222-2222", kHoje, 1000, "ENTREGUE");
    addPedido(*m_db, 4, "2222-2222", kHoje, 1000, "ENTREGUE");
    addPedido(*m_db, 5, "3333-3333", kHoje.addDays(-1), 1000, "ENTREGUE");

    ClienteListModel model(*m_store, Variante::Localizar, kHoje);
    model.setSearch(Busca::Telefone, {});
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(text(model, 0, DesdeDe), kHoje.toString("dd/MM/yyyy"));
    QCOMPARE(text(model, 0, Ticket), QStringLiteral("42,00"));
    for (int c : {QtdPed, DesdeDe, UltPedido})
        QCOMPARE(text(model, 0, c, Qt::ToolTipRole), kNovo);
    QCOMPARE(model.data(model.index(0, QtdPed), Qt::ForegroundRole).value<QColor>(),
             kVermelhoClaro);
    for (int c : {DesdeDe, UltPedido}) {
        QCOMPARE(model.data(model.index(0, c), Qt::ForegroundRole).value<QColor>(), kVermelho);
        QVERIFY(model.data(model.index(0, c), Qt::FontRole).value<QFont>().bold());
    }
    QVERIFY(!model.data(model.index(0, QtdPed), Qt::FontRole).isValid());
    QVERIFY(text(model, 0, Consumo, Qt::ToolTipRole).isEmpty());
    // Two orders today, or one order yesterday: no mark.
    for (int r : {1, 2}) {
        for (int c : {DesdeDe, UltPedido}) {
            QVERIFY(!model.data(model.index(r, c), Qt::ForegroundRole).isValid());
            QVERIFY(!model.data(model.index(r, c), Qt::FontRole).isValid());
            QVERIFY(text(model, r, c, Qt::ToolTipRole).isEmpty());
        }
    }
    QCOMPARE(model.data(model.index(1, QtdPed), Qt::ForegroundRole).isValid(), false);
    QCOMPARE(model.data(model.index(2, QtdPed), Qt::ForegroundRole).value<QColor>(),
             kVermelhoClaro);
    // The same customer seen a day later is no longer new.
    ClienteListModel tomorrow(*m_store, Variante::Localizar, kHoje.addDays(1));
    tomorrow.loadAll();
    QVERIFY(text(tomorrow, 0, DesdeDe, Qt::ToolTipRole).isEmpty());
}

void ClienteListModelTest::selecionarShowsNoFigures() {
    m_store->insert(cliente("1111-1111", "NOVO"));
    addPedido(*m_db, 1, "1111-1111", kHoje, 4200, "ENTREGUE");
    ClienteListModel model(*m_store, Variante::Selecionar, kHoje);
    model.loadAll();
    QCOMPARE(model.columnCount(), 5);
    QVERIFY(!model.index(0, QtdPed).isValid());
    for (int c = Codigo; c <= Nro; ++c) {
        QVERIFY(!model.data(model.index(0, c), Qt::ForegroundRole).isValid());
        QVERIFY(!model.data(model.index(0, c), Qt::FontRole).isValid());
    }
}

void ClienteListModelTest::addressAndNumberTexts() {
    const qint64 codigo = *m_store->insert(cliente("1111-1111", "SEM TIPO", "DAS FLORES", {}));
    m_store->insert(cliente("2222-2222", "COM TIPO", "SÃO JOÃO D'EL REI", "AVENIDA"));
    for (const Variante variante : {Variante::Localizar, Variante::Selecionar}) {
        ClienteListModel model(*m_store, variante, kHoje);
        model.loadAll();
        QCOMPARE(text(model, 0, Codigo), QString::number(codigo));
        QCOMPARE(text(model, 0, Endereco), QStringLiteral(" DAS FLORES"));
        QCOMPARE(text(model, 1, Endereco), QStringLiteral("AVENIDA SÃO JOÃO D'EL REI"));
        QCOMPARE(text(model, 0, Telefone), QStringLiteral("1111-1111"));
        // A filtered list shows the number as well.
        const QList<std::pair<Busca, QString>> searches{
            {Busca::Nome, "com"}, {Busca::Telefone, "2"}, {Busca::Endereco, "são"}};
        for (const auto& [by, prefix] : searches) {
            model.setSearch(by, prefix);
            QCOMPARE(model.rowCount(), 1);
            QCOMPARE(text(model, 0, Nro), QStringLiteral("10A"));
            QCOMPARE(model.telefoneAt(0), QStringLiteral("2222-2222"));
            QCOMPARE(model.clienteAt(0).logradouro, QStringLiteral("SÃO JOÃO D'EL REI"));
        }
    }
}

void ClienteListModelTest::failedReadKeepsTheRows() {
    for (int i = 0; i < ClienteListModel::kPagina + 5; ++i)
        m_store->insert(cliente(QStringLiteral("9000-%1").arg(i, 4, 10, QLatin1Char('0')),
                                QStringLiteral("N")));
    ClienteListModel model(*m_store, Variante::Localizar, kHoje);
    model.loadAll();
    QCOMPARE(model.rowCount(), ClienteListModel::kPagina);
    m_db->exec(QStringLiteral("DROP TABLE TB_Pedido"));
    QVERIFY_THROWS_EXCEPTION(DbError, model.setSearch(Busca::Nome, QStringLiteral("N")));
    QCOMPARE(model.rowCount(), ClienteListModel::kPagina);
    QCOMPARE(text(model, 0, Telefone), QStringLiteral("9000-0000"));
    int failed = 0;
    connect(&model, &ClienteListModel::loadFailed, this, [&failed] { ++failed; });
    QVERIFY(model.canFetchMore({}));
    model.fetchMore({});
    QCOMPARE(failed, 1);
    QCOMPARE(model.rowCount(), ClienteListModel::kPagina);
    QVERIFY(!model.canFetchMore({}));
}

BRISKO_DB_TEST_MAIN(ClienteListModelTest)
#include "TestClienteListModel.moc"
