#include "data/Database.h"
#include "data/DbError.h"
#include "masterdata/ClienteListModel.h"
#include "masterdata/ClienteStore.h"
#include "support/ClienteSeed.h"

#include <QColor>
#include <QFont>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

using Busca = ClienteStore::Busca;
using Variante = ClienteListModel::Variante;

enum { Codigo, Nome, Telefone, Endereco, Nro, QtdPed, DesdeDe, UltPedido, Consumo, Ticket };

const QDate kHoje(2026, 12, 7);
const QColor kVermelhoClaro(255, 0, 0);
const QColor kVermelho(128, 0, 0);
const QString kNovo = u"Cliente Novo. Pesquisa de Satisfação."_s;

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

} // namespace

class ClienteListModelTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { m_f = std::make_unique<ClienteDb>(); }
    void cleanup() { m_f.reset(); }

    void headersFollowTheVariant() {
        const ClienteListModel localizar(m_f->store, Variante::Localizar, kHoje);
        const ClienteListModel selecionar(m_f->store, Variante::Selecionar, kHoje);
        QStringList captions;
        for (int i = 0; i < localizar.columnCount(); ++i)
            captions << localizar.headerData(i, Qt::Horizontal).toString();
        QCOMPARE(captions, (QStringList{"Codigo", "Nome", "Telefone", "Endereço", "Nro", "Qtd.Ped.",
                                        "Desde De", "Ult.Pedido", "Consumo", "Ticket Médio"}));
        QCOMPARE(selecionar.columnCount(), 5);
        QCOMPARE(ClienteListModel::columns(Variante::Selecionar).at(Endereco).twips, 4000);
        QCOMPARE(ClienteListModel::columns(Variante::Localizar).at(Endereco).twips, 3800);
        QVERIFY(!localizar.hasRows());
        QVERIFY(!localizar.hasMore());
    }

    void searchesNarrowAndWiden_data() {
        QTest::addColumn<int>("by");
        QTest::addColumn<QStringList>("prefixes");
        QTest::addColumn<QList<QStringList>>("expected");
        const QStringList todosPorNome{"ANA", "D'ÁVILA", "JOANA", "JOÃO"};
        QTest::newRow("name") << int(Busca::Nome) << QStringList{"J", "JO", "joao", "JO", ""}
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

    void searchesNarrowAndWiden() {
        QFETCH(int, by);
        QFETCH(QStringList, prefixes);
        QFETCH(QList<QStringList>, expected);
        m_f->store.insert(cliente("91111-0000", "JOÃO", "AVENIDA BRASIL"));
        m_f->store.insert(cliente("1111-0000", "ANA", "PRAÇA XV"));
        m_f->store.insert(cliente("92222-0000", "D'ÁVILA", "RUA A"));
        m_f->store.insert(cliente("2222-0000", "JOANA", "RUA B"));
        for (const Variante variante : {Variante::Localizar, Variante::Selecionar}) {
            ClienteListModel model(m_f->store, variante, kHoje);
            for (qsizetype i = 0; i < prefixes.size(); ++i) {
                model.setSearch(Busca(by), prefixes.at(i));
                QCOMPARE(column(model, Nome), expected.at(i));
                QCOMPARE(model.hasRows(), !expected.at(i).isEmpty());
                QVERIFY(!model.hasMore());
            }
        }
    }

    void pagesReachEveryRowInOrder() {
        constexpr int kTotal = 2 * ClienteListModel::kPagina + 37;
        m_f->addNumbered(kTotal);
        // The last customer by name comes first by code: on the last page only by name.
        m_f->addPedido(1, "9000-0000", QDate(2025, 1, 2), 1050, "ENTREGUE");
        m_f->addPedido(2, "9000-0000", QDate(2025, 3, 4), 2000, "ENTREGUE");

        ClienteListModel model(m_f->store, Variante::Localizar, kHoje);
        model.setSearch(Busca::Nome, u"nome"_s);
        QCOMPARE(model.rowCount(), ClienteListModel::kPagina);
        QCOMPARE(rowOf(model, "9000-0000"), -1);
        QList<int> counts;
        while (model.hasMore()) {
            model.readMore();
            counts << model.rowCount();
        }
        QCOMPARE(counts, (QList<int>{2 * ClienteListModel::kPagina, kTotal}));
        QStringList expected;
        for (const Cliente& c : m_f->store.search(Busca::Nome, u"nome"_s))
            expected << c.nome;
        QCOMPARE(column(model, Nome), expected);
        const int last = rowOf(model, "9000-0000");
        QCOMPARE(last, kTotal - 1);
        QCOMPARE(text(model, last, QtdPed), u"2"_s);
        QCOMPARE(text(model, last, Consumo), u"30,50"_s);
        QCOMPARE(text(model, last, Ticket), u"15,25"_s);

        // The full list by code; a list of exactly two pages offers no third.
        for (int i = 0; i < 37; ++i)
            QVERIFY(m_f->store.remove(2 * ClienteListModel::kPagina + i + 1));
        model.loadAll();
        QCOMPARE(model.rowCount(), ClienteListModel::kPagina);
        model.fetchAll();
        QCOMPARE(model.rowCount(), 2 * ClienteListModel::kPagina);
        for (int row = 0; row < model.rowCount(); ++row)
            QCOMPARE(model.clienteAt(row).codigo, row + 1);
        model.setSearch(Busca::Telefone, u"9000-01"_s);
        QCOMPARE(model.rowCount(), 100);
        QVERIFY(!model.hasMore());
    }

    void statisticsPerRow() {
        m_f->store.insert(cliente("1111-1111", "FIEL"));
        m_f->store.insert(cliente("2222-2222", "GRANDE"));
        m_f->store.insert(cliente("3333-3333", "SÓ CANCELADOS"));
        m_f->store.insert(cliente("4444-4444", "SEM PEDIDOS"));
        m_f->addPedido(1, "1111-1111", QDate(2024, 3, 1), 1000, "CONCLUIDO");
        m_f->addPedido(2, "1111-1111", QDate(2025, 7, 9), 2551, "CONCLUIDO");
        m_f->addPedido(3, "1111-1111", QDate(2023, 1, 1), 500, "Cancelado");
        m_f->addPedido(4, "1111-1111", kHoje, 9999, "Cancelado");
        m_f->addPedido(5, "2222-2222", QDate(2020, 5, 6), 123456789, "CONCLUIDO");
        m_f->addPedido(6, "2222-2222", QDate(2021, 5, 6), 1, "CONCLUIDO");
        m_f->addPedido(7, "3333-3333", kHoje, 4000, "Cancelado");

        ClienteListModel model(m_f->store, Variante::Localizar, kHoje);
        model.loadAll();
        QCOMPARE(model.rowCount(), 4);
        const auto row = [&](int r) {
            QStringList cells;
            for (int c = QtdPed; c <= Ticket; ++c)
                cells << text(model, r, c);
            return cells;
        };
        QCOMPARE(row(0), (QStringList{"2", "01/03/2024", "09/07/2025", "35,51", "17,76"}));
        QCOMPARE(row(1),
                 (QStringList{"2", "06/05/2020", "06/05/2021", "1.234.567,90", "617.283,95"}));
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

    void onlyANewCustomerIsMarked() {
        m_f->store.insert(cliente("1111-1111", "NOVO"));
        m_f->store.insert(cliente("2222-2222", "VOLTOU HOJE"));
        m_f->store.insert(cliente("3333-3333", "ONTEM"));
        m_f->addPedido(1, "1111-1111", kHoje, 4200, "ENTREGUE");
        m_f->addPedido(2, "1111-1111", kHoje.addDays(-3), 100, "Cancelado");
        m_f->addPedido(3, "2222-2222", kHoje, 1000, "ENTREGUE");
        m_f->addPedido(4, "2222-2222", kHoje, 1000, "ENTREGUE");
        m_f->addPedido(5, "3333-3333", kHoje.addDays(-1), 1000, "ENTREGUE");

        ClienteListModel model(m_f->store, Variante::Localizar, kHoje);
        model.setSearch(Busca::Telefone, {});
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(text(model, 0, DesdeDe), kHoje.toString("dd/MM/yyyy"));
        QCOMPARE(text(model, 0, Ticket), u"42,00"_s);
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
        ClienteListModel tomorrow(m_f->store, Variante::Localizar, kHoje.addDays(1));
        tomorrow.loadAll();
        QVERIFY(text(tomorrow, 0, DesdeDe, Qt::ToolTipRole).isEmpty());
    }

    void selecionarShowsNoFigures() {
        m_f->store.insert(cliente("1111-1111", "NOVO"));
        m_f->addPedido(1, "1111-1111", kHoje, 4200, "ENTREGUE");
        ClienteListModel model(m_f->store, Variante::Selecionar, kHoje);
        model.loadAll();
        QCOMPARE(model.columnCount(), 5);
        QVERIFY(!model.index(0, QtdPed).isValid());
        for (int c = Codigo; c <= Nro; ++c) {
            QVERIFY(!model.data(model.index(0, c), Qt::ForegroundRole).isValid());
            QVERIFY(!model.data(model.index(0, c), Qt::FontRole).isValid());
        }
    }

    void addressAndNumberTexts() {
        const qint64 codigo =
            *m_f->store.insert(cliente("1111-1111", "SEM TIPO", "DAS FLORES", {}));
        m_f->store.insert(cliente("2222-2222", "COM TIPO", "SÃO JOÃO D'EL REI", "AVENIDA"));
        for (const Variante variante : {Variante::Localizar, Variante::Selecionar}) {
            ClienteListModel model(m_f->store, variante, kHoje);
            model.loadAll();
            QCOMPARE(text(model, 0, Codigo), QString::number(codigo));
            QCOMPARE(text(model, 0, Endereco), u" DAS FLORES"_s);
            QCOMPARE(text(model, 1, Endereco), u"AVENIDA SÃO JOÃO D'EL REI"_s);
            QCOMPARE(text(model, 0, Telefone), u"1111-1111"_s);
            // A filtered list shows the number as well.
            const QList<std::pair<Busca, QString>> searches{
                {Busca::Nome, "com"}, {Busca::Telefone, "2"}, {Busca::Endereco, "são"}};
            for (const auto& [by, prefix] : searches) {
                model.setSearch(by, prefix);
                QCOMPARE(model.rowCount(), 1);
                QCOMPARE(text(model, 0, Nro), u"10A"_s);
                QCOMPARE(model.telefoneAt(0), u"2222-2222"_s);
                QCOMPARE(model.clienteAt(0).logradouro, u"SÃO JOÃO D'EL REI"_s);
            }
        }
    }

    void failedReadKeepsTheRows() {
        m_f->addNumbered(ClienteListModel::kPagina + 5, u"N%1"_s);
        ClienteListModel model(m_f->store, Variante::Localizar, kHoje);
        model.loadAll();
        QCOMPARE(model.rowCount(), ClienteListModel::kPagina);
        m_f->db->exec(u"DROP TABLE TB_Pedido"_s);
        QVERIFY_THROWS_EXCEPTION(DbError, model.setSearch(Busca::Nome, u"N"_s));
        QCOMPARE(model.rowCount(), ClienteListModel::kPagina);
        QCOMPARE(text(model, 0, Telefone), u"9000-0000"_s);
        int failed = 0;
        connect(&model, &ClienteListModel::loadFailed, this, [&failed] { ++failed; });
        QVERIFY(model.hasMore());
        model.readMore();
        QCOMPARE(failed, 1);
        QCOMPARE(model.rowCount(), ClienteListModel::kPagina);
        QVERIFY(!model.hasMore());
    }

private:
    std::unique_ptr<ClienteDb> m_f;
};

BRISKO_DB_TEST_MAIN(ClienteListModelTest)
#include "TestClienteListModel.moc"
