#include "data/Database.h"
#include "masterdata/ClienteStore.h"
#include "support/ClienteSeed.h"

#include <QTest>

using namespace Qt::StringLiterals;

// update()'s answer in words, whatever enum the store answers with.

class ClienteStoreTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { m_f = std::make_unique<ClienteDb>(); }
    void cleanup() { m_f.reset(); }

    void codeFollowsTheHighestAndSkipsGaps() {
        QVERIFY(m_f->store.isEmpty());
        QCOMPARE(m_f->store.insert(cliente("1111-0001", "A")), 1);
        for (int i = 2; i <= 5; ++i)
            QCOMPARE(m_f->store.insert(cliente(u"1111-000%1"_s.arg(i), "X")), i);
        QVERIFY(m_f->store.remove(3));
        QVERIFY(m_f->store.remove(4));
        QVERIFY(!m_f->store.remove(4));
        QVERIFY(!m_f->store.find(3));
        QCOMPARE(m_f->store.all().size(), 3);
        QCOMPARE(m_f->store.insert(cliente("1111-0006", "F")), 6);
        QVERIFY(!m_f->store.isEmpty());
    }

    void insertLeavesTheFlagNullUpdateMarksIt() {
        const qint64 codigo = *m_f->store.insert(cliente("1234-5678", "ANA"));
        const QString flagSql = u"SELECT fl_sincroniza FROM TB_Cliente WHERE cli_ID = ?"_s;
        const QVariant before = m_f->db->scalar(flagSql, {codigo});
        QVERIFY(before.isValid());
        QVERIFY(before.isNull());
        Cliente changed = *m_f->store.find(codigo);
        changed.nome = u"ANA MARIA"_s;
        QCOMPARE(m_f->store.update(changed), WriteOutcome::Saved);
        QCOMPARE(m_f->db->scalar(flagSql, {codigo}).toString(), u"S"_s);
    }

    void updateWritesEveryFieldOfThatCodeOnly() {
        const qint64 a = *m_f->store.insert(cliente("1234-5678", "ANA"));
        const Cliente b = cliente("2222-3333", "BIA");
        const qint64 codigoB = *m_f->store.insert(b);
        Cliente changed{a,
                        "91234-5678",
                        "ANA PAULA",
                        "9",
                        "AVENIDA",
                        "PAULISTA",
                        "1000",
                        "SALA 2",
                        "BELA VISTA",
                        "SANTOS",
                        "RJ",
                        "11000-000",
                        QDate(1990, 12, 31),
                        "ana@x.com",
                        "NOVA"};
        QCOMPARE(m_f->store.update(changed), WriteOutcome::Saved);
        QCOMPARE(*m_f->store.find(a), changed);
        QCOMPARE(*m_f->store.findByTelefone("91234-5678"), changed);
        QVERIFY(!m_f->store.findByTelefone("1234-5678"));
        Cliente other = b;
        other.codigo = codigoB;
        QCOMPARE(*m_f->store.find(codigoB), other);

        changed.codigo = 99;
        changed.telefone = u"5555-5555"_s;
        QCOMPARE(m_f->store.update(changed), WriteOutcome::NotFound);
        QVERIFY(!m_f->store.findByTelefone("5555-5555"));
    }

    void telephoneOfAnotherCustomerIsRefused() {
        const qint64 a = *m_f->store.insert(cliente("1234-5678", "ANA"));
        const qint64 b = *m_f->store.insert(cliente("2222-3333", "BIA"));
        QVERIFY(!m_f->store.insert(cliente("1234-5678", "OUTRA")));
        QCOMPARE(m_f->store.all().size(), 2);

        Cliente moved = *m_f->store.find(b);
        moved.telefone = u"1234-5678"_s;
        QCOMPARE(m_f->store.update(moved), WriteOutcome::NameTaken);
        QCOMPARE(m_f->store.find(b)->telefone, u"2222-3333"_s);

        // Keeping one's own telephone is no conflict.
        Cliente same = *m_f->store.find(a);
        same.nome = u"ANA LUIZA"_s;
        QCOMPARE(m_f->store.update(same), WriteOutcome::Saved);
        QVERIFY(m_f->store.telefoneTaken("1234-5678"));
        QVERIFY(!m_f->store.telefoneTaken("1234-5678", a));
        QVERIFY(m_f->store.telefoneTaken("1234-5678", b));
        QVERIFY(!m_f->store.telefoneTaken("12345678"));
    }

    void textsAreStoredExactly_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("apostrophe") << "D'ÁVILA'; DELETE FROM TB_Cliente; --";
        QTest::newRow("accents") << u"JOÃO ÇÉÜ ÑÔ"_s;
        QTest::newRow("like wildcards") << u"50% _OFF\\"_s;
        QTest::newRow("double quote") << u"O \"GRANDE\""_s;
        QTest::newRow("100 characters") << QString(99, QChar(u'Ã')) + QLatin1Char('Z');
    }

    void textsAreStoredExactly() {
        QFETCH(QString, text);
        Cliente c = cliente(text.left(20), text, text);
        c.complemento = text;
        c.observacao = text;
        c.email = text;
        const qint64 codigo = *m_f->store.insert(c);
        c.codigo = codigo;
        QCOMPARE(*m_f->store.find(codigo), c);
        QCOMPARE(*m_f->store.findByTelefone(text.left(20)), c);
        QCOMPARE(m_f->store.search(ClienteStore::Busca::Nome, text), QList<Cliente>{c});
        QCOMPARE(m_f->store.search(ClienteStore::Busca::Endereco, text), QList<Cliente>{c});
        QCOMPARE(m_f->store.search(ClienteStore::Busca::Telefone, text.left(20)),
                 QList<Cliente>{c});
        QCOMPARE(m_f->store.update(c), WriteOutcome::Saved);
        QCOMPARE(*m_f->store.find(codigo), c);
    }

    void birthDateMayBeNull() {
        Cliente c = cliente("1234-5678", "ANA");
        c.dataNascimento = QDate();
        const qint64 codigo = *m_f->store.insert(c);
        QVERIFY(
            m_f->db->scalar(u"SELECT cli_Data_Nasc FROM TB_Cliente WHERE cli_ID = ?"_s, {codigo})
                .isNull());
        QVERIFY(m_f->store.find(codigo)->dataNascimento.isNull());
        c = *m_f->store.find(codigo);
        c.dataNascimento = QDate(2001, 1, 31);
        m_f->store.update(c);
        QCOMPARE(m_f->store.find(codigo)->dataNascimento, QDate(2001, 1, 31));
        c.dataNascimento = QDate();
        m_f->store.update(c);
        QVERIFY(m_f->store.find(codigo)->dataNascimento.isNull());
    }

    void prefixSearchNarrowsAndWidens_data() {
        QTest::addColumn<int>("by");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QStringList>("expected");
        const int nome = int(ClienteStore::Busca::Nome);
        // Names are searched and ordered without case or accents ("jóse" and "JOSÉ" by code).
        QTest::newRow("everyone") << nome << u""_s
                                  << QStringList{"ANA", "JOANA", "JOÃO", "JOSÉ", "jóse"};
        QTest::newRow("one letter")
            << nome << u"j"_s << QStringList{"JOANA", "JOÃO", "JOSÉ", "jóse"};
        QTest::newRow("two letters")
            << nome << u"JO"_s << QStringList{"JOANA", "JOÃO", "JOSÉ", "jóse"};
        QTest::newRow("accented lower finds both") << nome << u"joã"_s << QStringList{"JOANA", "JOÃO"};
        QTest::newRow("without accent") << nome << u"jose"_s << QStringList{"JOSÉ", "jóse"};
        QTest::newRow("no one") << nome << u"JOÃOZ"_s << QStringList{};
        QTest::newRow("wildcard is a letter") << nome << u"%"_s << QStringList{};
        const int rua = int(ClienteStore::Busca::Endereco);
        QTest::newRow("street RUA") << rua << u"RUA"_s << QStringList{"JOSÉ", "JOANA"};
        QTest::newRow("street lower") << rua << u"ave"_s << QStringList{"JOÃO"};
        const int tel = int(ClienteStore::Busca::Telefone);
        QTest::newRow("phone prefix") << tel << u"9"_s << QStringList{"JOÃO", "JOSÉ"};
        QTest::newRow("phone with hyphen") << tel << u"91111-"_s << QStringList{"JOÃO"};
        QTest::newRow("phone everyone")
            << tel << u""_s << QStringList{"JOÃO", "ANA", "JOSÉ", "JOANA", "jóse"};
    }

    void prefixSearchNarrowsAndWidens() {
        QFETCH(int, by);
        QFETCH(QString, prefix);
        QFETCH(QStringList, expected);
        m_f->store.insert(cliente("91111-0000", "JOÃO", "AVENIDA BRASIL"));
        m_f->store.insert(cliente("1111-0000", "ANA", "PRAÇA XV"));
        m_f->store.insert(cliente("92222-0000", "JOSÉ", "RUA A"));
        m_f->store.insert(cliente("2222-0000", "JOANA", "RUAS ALTAS"));
        m_f->store.insert(cliente("3333-0000", "jóse", "TRAVESSA"));
        QCOMPARE(nomes(m_f->store.search(ClienteStore::Busca(by), prefix)), expected);
    }

    void eachSearchHasItsOrder() {
        m_f->store.insert(cliente("3333-0000", "CARLA", "BETA"));
        m_f->store.insert(cliente("1111-0000", "bruno", "ALFA"));
        m_f->store.insert(cliente("2222-0000", "ALICE", "alfa"));
        m_f->store.insert(cliente("4444-0000", "BRUNO", "GAMA"));
        QCOMPARE(nomes(m_f->store.all()), (QStringList{"CARLA", "bruno", "ALICE", "BRUNO"}));
        // Equal names under the fold keep the order of their codes.
        QCOMPARE(nomes(m_f->store.search(ClienteStore::Busca::Nome, {})),
                 (QStringList{"ALICE", "bruno", "BRUNO", "CARLA"}));
        QCOMPARE(nomes(m_f->store.search(ClienteStore::Busca::Endereco, "a")),
                 (QStringList{"bruno", "ALICE"}));
        QCOMPARE(nomes(m_f->store.search(ClienteStore::Busca::Telefone, {})),
                 (QStringList{"CARLA", "bruno", "ALICE", "BRUNO"}));
    }

    void pagesCoverTheListOnce() {
        m_f->addNumbered(23);
        for (const auto by : {ClienteStore::Busca::Nome, ClienteStore::Busca::Telefone}) {
            const QList<Cliente> whole = m_f->store.search(by, "9000-001");
            QCOMPARE(whole.size(), by == ClienteStore::Busca::Telefone ? 10 : 0);
            const QList<Cliente> every = m_f->store.search(by, {});
            QCOMPARE(every.size(), 23);
            QList<Cliente> paged;
            for (int offset = 0; offset < 30; offset += 10) {
                const QList<Cliente> page = m_f->store.search(by, {}, 10, offset);
                QVERIFY(page.size() <= 10);
                paged << page;
            }
            QCOMPARE(paged, every);
        }
        QCOMPARE(m_f->store.all(5, 20).size(), 3);
        QCOMPARE(m_f->store.all(ClienteStore::kTodos, 20).size(), 3);
        QCOMPARE(m_f->store.search(ClienteStore::Busca::Nome, {}, 1).first().nome, u"NOME 000"_s);
    }

    void statisticsLeaveOutCancelledOrders() {
        const QDate today = QDate::currentDate();
        m_f->store.insert(cliente("1111-1111", "FIEL"));
        m_f->store.insert(cliente("2222-2222", "NOVO"));
        m_f->store.insert(cliente("3333-3333", "SÓ CANCELADOS"));
        m_f->store.insert(cliente("4444-4444", "SEM PEDIDOS"));
        m_f->addPedido(1, "1111-1111", QDate(2024, 3, 1), 1000, "CONCLUIDO");
        m_f->addPedido(2, "1111-1111", QDate(2025, 7, 9), 2551, "CONCLUIDO");
        m_f->addPedido(3, "1111-1111", QDate(2023, 1, 1), 0, "Cancelado");
        m_f->addPedido(4, "1111-1111", QDate(2026, 1, 1), 9999, "cancelado");
        m_f->addPedido(5, "2222-2222", today, 4200, "CONCLUIDO");
        m_f->addPedido(6, "3333-3333", today, 0, "CANCELADO");
        m_f->addPedido(7, "9999-9999", today, 5000, "CONCLUIDO");

        const auto figures = m_f->store.estatisticas(
            {"1111-1111", "2222-2222", "3333-3333", "4444-4444", "1111-1111"});
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
        QVERIFY(m_f->store.estatisticas({}).isEmpty());
    }

    void averageIsRoundedToTheCentavo_data() {
        QTest::addColumn<qint64>("cents");
        QTest::addColumn<int>("quantidade");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("exact") << qint64(3000) << 3 << qint64(1000);
        QTest::newRow("down") << qint64(1000) << 3 << qint64(333);
        QTest::newRow("up") << qint64(2000) << 3 << qint64(667);
        QTest::newRow("half up") << qint64(5) << 2 << qint64(3);
        QTest::newRow("negative half") << qint64(-5) << 2 << qint64(-3);
    }

    void averageIsRoundedToTheCentavo() {
        QFETCH(qint64, cents);
        QFETCH(int, quantidade);
        QFETCH(qint64, expected);
        EstatisticaCliente figures;
        figures.quantidade = quantidade;
        figures.consumo = Money::fromCents(cents);
        QCOMPARE(figures.ticketMedio(), Money::fromCents(expected));
    }

private:
    std::unique_ptr<ClienteDb> m_f;
};

BRISKO_DB_TEST_MAIN(ClienteStoreTest)
#include "TestClienteStore.moc"
