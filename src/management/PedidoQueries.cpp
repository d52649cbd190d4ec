#include "management/PedidoQueries.h"

#include "data/Database.h"
#include "data/SalesSummary.h"
#include "data/Schema.h"
#include "data/TextMatch.h"

#include <QHash>
#include <QSqlQuery>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

using Engine = ConnectionSpec::Engine;

const QString kColunas = QStringLiteral(
    "ped_ono, ped_cli_Telefone, ped_cli_Nome, ped_data, ped_Total, ped_Status, ped_Entregador");
const QString kTabela = QStringLiteral("TB_Pedido");
const QString kContagem =
    QStringLiteral("SELECT count(*) FROM (SELECT 1 FROM %1 WHERE %2%3 LIMIT ?) t");
// The first page the search list reads.
constexpr int kPaginaTipica = 200;
// Fewer matches than this are read through the index whatever the table holds.
constexpr int kPoucos = 10 * kPaginaTipica;
// Blocks read by one statement at most, from one seek each.
constexpr int kMaxBlocos = 32;
// A telephone prefix this short matches a share of every number.
constexpr int kPrefixoLargo = 2;
// Beyond this many digits a number prefix is no order number.
constexpr int kMaxDigitos = 18;

std::optional<Money> moneyAt(const QSqlQuery& row, int column) {
    const QVariant value = row.value(column);
    if (value.isNull())
        return std::nullopt;
    return Money::fromCents(value.toLongLong());
}

ResumoPedido resumoAt(const QSqlQuery& row) {
    return {row.value(0).toLongLong(),        row.value(1).toString(), row.value(2).toString(),
            Database::dateFrom(row.value(3)), moneyAt(row, 4),         row.value(5).toString(),
            row.value(6).toString()};
}

// SQLite has no statistics to tell a narrow prefix from a broad one: the plan names its path.
QString comIndice(Engine engine, const QString& indice) {
    return engine == Engine::Sqlite ? kTabela + QStringLiteral(" INDEXED BY ") + indice : kTabela;
}

QString semIndice(Engine engine) {
    return engine == Engine::Sqlite ? kTabela + QStringLiteral(" NOT INDEXED") : kTabela;
}

// "?,?,…": `quantas` bound values for an IN list.
QString marcas(int quantas) {
    QString lista = QStringLiteral("?,").repeated(quantas);
    lista.chop(1);
    return lista;
}

const QString kIndiceTelefone = QStringLiteral("ix_pedido_telefone");

textMatch::SqlCondition prefixoTelefone(Engine engine, const QString& texto) {
    return textMatch::codePrefix(engine, QStringLiteral("ped_cli_Telefone"), texto);
}

// Counts the matches in `indice`, up to a bound given last.
QString contagem(Engine engine, const QString& indice, const QString& where) {
    return kContagem.arg(comIndice(engine, indice), where, QString());
}

PedidoQueries::Plano nada() {
    PedidoQueries::Plano plano;
    plano.vazio = true;
    return plano;
}

PedidoQueries::Plano plano(const QString& from, const QString& where,
                           const QVariantList& binds = {}) {
    PedidoQueries::Plano plano;
    plano.from = from;
    plano.where = where;
    plano.binds = binds;
    return plano;
}

} // namespace

PedidoQueries::Plano PedidoQueries::planeja(const BuscaPedido& busca) const {
    const Engine engine = m_db.engine();
    switch (busca.por) {
    case BuscaPedido::Por::Data:
        if (!busca.data.isValid())
            return nada();
        return plano(comIndice(engine, QStringLiteral("ix_pedido_data")),
                     QStringLiteral("ped_data = ?"), {Database::dateValue(busca.data)});
    case BuscaPedido::Por::Telefone: {
        if (busca.texto.isEmpty())
            return plano(semIndice(engine), QStringLiteral("ped_cli_Telefone IS NOT NULL"));
        const auto condicao = prefixoTelefone(engine, busca.texto);
        if (poucas(kIndiceTelefone, condicao.sql, condicao.binds))
            return peloIndice(kIndiceTelefone, condicao.sql, condicao.binds);
        return porBlocos(engine, condicao);
    }
    case BuscaPedido::Por::Nome: {
        if (busca.texto.isEmpty())
            return plano(semIndice(engine), QStringLiteral("ped_cli_Nome IS NOT NULL"));
        const auto condicao =
            textMatch::searchPrefix(engine, QStringLiteral("ped_cli_Nome"), busca.texto);
        // The key walk goes along ix_pedido_ono_busca, which holds the folded name beside the
        // key: non-matching orders are passed over without folding their names or reading them.
        Plano caminhada = plano(comIndice(engine, QStringLiteral("ix_pedido_ono_busca")),
                                condicao.sql, condicao.binds);
        caminhada.chaveInvertida = true;
        // PostgreSQL weighs that walk against the name index with a sort by its statistics. It
        // takes the fold for cheap, so the walk's order is one only that index gives: the key
        // alone would lead it to walk the primary key folding every name.
        if (engine == Engine::Postgres)
            return caminhada;
        return planejaPrefixo(QStringLiteral("ix_pedido_nome_busca"), caminhada);
    }
    case BuscaPedido::Por::Numero:
        return planejaNumero(busca.texto);
    }
    return nada();
}

PedidoQueries::Aberta PedidoQueries::abre(const BuscaPedido& busca, int limite) const {
    if (busca.por == BuscaPedido::Por::Telefone && busca.texto.size() > kPrefixoLargo) {
        // Most telephone prefixes match few orders: the statement that reads them from the
        // index checks that they are few, instead of a count ahead of it. A short prefix is
        // counted first: PostgreSQL would plan its sort of every match each time.
        const Engine engine = m_db.engine();
        const auto condicao = prefixoTelefone(engine, busca.texto);
        const Plano indice = peloIndice(kIndiceTelefone, condicao.sql, condicao.binds);
        Plano conferido = indice;
        conferido.guarda =
            QStringLiteral("(%1) < ?").arg(contagem(engine, kIndiceTelefone, condicao.sql));
        conferido.guardaBinds << condicao.binds << kPoucos << kPoucos;
        QList<ResumoPedido> linhas = pagina(conferido, std::nullopt, limite);
        if (!linhas.isEmpty())
            return {indice, linhas};
        // Too many to sort, or none at all.
        if (!m_db.scalarKept(
                     QStringLiteral("SELECT 1 FROM TB_Pedido WHERE %1 LIMIT 1").arg(condicao.sql),
                     condicao.binds)
                 .isValid())
            return {nada(), {}};
        const Plano blocos = porBlocos(engine, condicao);
        return {blocos, pagina(blocos, std::nullopt, limite)};
    }
    Plano plano = planeja(busca);
    QList<ResumoPedido> linhas = pagina(plano, std::nullopt, limite);
    return {std::move(plano), std::move(linhas)};
}

PedidoQueries::Plano PedidoQueries::porBlocos(Engine engine,
                                              const textMatch::SqlCondition& condicao) {
    // Telephones spread over every period alike, so a key walk reads orders / matches
    // orders per page, and an old number no longer heard would walk the whole table.
    // The blocks read about a page of matches whatever their spread.
    Plano blocos = plano(comIndice(engine, QStringLiteral("ix_pedido_bloco_telefone")),
                         condicao.sql, condicao.binds);
    blocos.porBlocos = true;
    return blocos;
}

PedidoQueries::Plano PedidoQueries::planejaPrefixo(const QString& indice,
                                                   const Plano& caminhada) const {
    // The key walk reads about page × orders / matches keys, the index path about the matches:
    // they cost alike near √(page × orders) matches, when the newest √(page × orders) keys hold
    // about a page of them. A few matches are told by counting them in the index; many by
    // counting those among the newest keys up to a page, which costs no more than the walk.
    bool poucos = poucas(indice, caminhada.where, caminhada.binds);
    if (!poucos) {
        const qint64 pedidos =
            m_db.scalar(QStringLiteral("SELECT MAX(ped_ono) FROM TB_Pedido")).toLongLong();
        const qint64 desde =
            pedidos -
            std::max<qint64>(kJanela, qint64(std::sqrt(double(kPaginaTipica) * double(pedidos))));
        // Which path reads the newest keys best depends on the prefix: planned each time.
        poucos =
            m_db.scalar(kContagem.arg(caminhada.from, caminhada.where,
                                      caminhada.chaveInvertida
                                          ? QStringLiteral(" AND -ped_ono < ?")
                                          : QStringLiteral(" AND ped_ono > ?")),
                        caminhada.binds +
                            QVariantList{caminhada.chaveInvertida ? -desde : desde, kPaginaTipica})
                .toLongLong() < kPaginaTipica;
    }
    return poucos ? peloIndice(indice, caminhada.where, caminhada.binds) : caminhada;
}

bool PedidoQueries::poucas(const QString& indice, const QString& where,
                           const QVariantList& binds) const {
    // Bounded by the index and the limit whatever the prefix: one plan serves every value.
    return m_db.scalarKept(contagem(m_db.engine(), indice, where), binds + QVariantList{kPoucos})
               .toLongLong() < kPoucos;
}

PedidoQueries::Plano PedidoQueries::peloIndice(const QString& indice, const QString& where,
                                               const QVariantList& binds) const {
    Plano estreito = plano(comIndice(m_db.engine(), indice), where, binds);
    estreito.porIndice = true;
    return estreito;
}

PedidoQueries::Plano PedidoQueries::planejaNumero(const QString& texto) const {
    if (texto.isEmpty())
        return plano(kTabela, QStringLiteral("ped_ono IS NOT NULL"));
    // Only a number's own digits begin its text: "1," or "01" begin none.
    if (texto.size() > kMaxDigitos || texto.front() == QLatin1Char('0'))
        return nada();
    for (const QChar c : texto) {
        if (!c.isDigit() || c.unicode() > '9')
            return nada();
    }
    const qint64 maior =
        m_db.scalar(QStringLiteral("SELECT MAX(ped_ono) FROM TB_Pedido")).toLongLong();
    Plano faixas;
    qint64 de = texto.toLongLong();
    qint64 ate = de;
    while (de <= maior) {
        faixas.faixas.prepend({de, std::min(ate, maior)});
        if (de > maior / 10)
            break;
        de *= 10;
        ate = ate * 10 + 9;
    }
    faixas.vazio = faixas.faixas.isEmpty();
    return faixas;
}

QList<ResumoPedido> PedidoQueries::pagina(const Plano& plano, std::optional<qint64> antesDe,
                                          int limite) const {
    QList<ResumoPedido> linhas;
    if (plano.vazio)
        return linhas;
    const auto lerLinha = [&linhas](const QSqlQuery& row) { linhas << resumoAt(row); };
    if (plano.porBlocos)
        return paginaPorBlocos(plano, antesDe, limite);
    if (!plano.faixas.isEmpty()) {
        // One bounded, limited read per range, highest range first, until the page is full:
        // an OR of ranges would scan the table.
        for (const auto& [de, ate] : plano.faixas) {
            const qint64 fim = antesDe ? std::min(ate, *antesDe - 1) : ate;
            if (fim < de)
                continue;
            m_db.execKept(
                QStringLiteral("SELECT %1 FROM TB_Pedido WHERE ped_ono BETWEEN ? AND ? ORDER BY "
                               "ped_ono DESC LIMIT ?")
                    .arg(kColunas),
                {de, fim, limite - linhas.size()}, lerLinha);
            if (linhas.size() >= limite)
                break;
        }
        return linhas;
    }
    QVariantList binds = plano.binds;
    QString depois;
    if (antesDe) {
        depois = plano.chaveInvertida ? QStringLiteral(" AND -ped_ono > ?")
                                      : QStringLiteral(" AND ped_ono < ?");
        binds << (plano.chaveInvertida ? -*antesDe : *antesDe);
    }
    // The engines test a guard in the limit once, before they read anything.
    const QString limitada =
        plano.guarda.isEmpty() ? QStringLiteral("?")
                               : QStringLiteral("CASE WHEN %1 THEN ? ELSE 0 END").arg(plano.guarda);
    binds << plano.guardaBinds << limite;
    // Through the index only the keys are sorted ("+ 0" keeps PostgreSQL off the key walk);
    // the page's rows are read afterwards. On PostgreSQL only a telephone takes the index, and
    // ix_pedido_telefone_ono holds the listed columns: its matches are sorted with them.
    const QString ordem = plano.chaveInvertida ? QStringLiteral("-ped_ono")
                          : plano.porIndice    ? QStringLiteral("ped_ono + 0 DESC")
                                               : QStringLiteral("ped_ono DESC");
    const QString filtro = QStringLiteral(" FROM %1 WHERE %2%3 ORDER BY %4 LIMIT %5")
                               .arg(plano.from, plano.where, depois, ordem, limitada);
    const QString sql = plano.porIndice && m_db.engine() == Engine::Sqlite
                            ? QStringLiteral("SELECT %1 FROM TB_Pedido WHERE ped_ono IN (SELECT "
                                             "ped_ono%2) ORDER BY ped_ono DESC")
                                  .arg(kColunas, filtro)
                            : QStringLiteral("SELECT %1%2").arg(kColunas, filtro);
    // A few matches sort alike whatever they are; the other paths suit some prefixes only, so
    // PostgreSQL plans them for the values each time.
    if (plano.porIndice) {
        m_db.execKept(sql, binds, lerLinha);
    } else {
        QSqlQuery query = m_db.exec(sql, binds);
        while (query.next())
            lerLinha(query);
    }
    return linhas;
}

QList<ResumoPedido> PedidoQueries::paginaPorBlocos(const Plano& plano,
                                                   std::optional<qint64> antesDe,
                                                   int limite) const {
    const qint64 ate =
        antesDe ? *antesDe - 1
                : m_db.scalar(QStringLiteral("SELECT MAX(ped_ono) FROM TB_Pedido")).toLongLong();
    // The statements differ only in how many blocks they seek: 1, 2, 4 … kMaxBlocos, a short
    // group repeating its last block.
    auto emBlocos = [&plano](int blocos) {
        return QStringLiteral("SELECT ped_ono FROM %1 WHERE %2 IN (%3) AND %4 AND ped_ono <= ? "
                              "ORDER BY ped_ono DESC LIMIT ?")
            .arg(plano.from, Schema::orderBlock(), marcas(blocos), plano.where);
    };
    QList<qint64> numeros;
    qint64 bloco = ate / Schema::kOrderBlock;
    qint64 lidos = 0;
    int grupo = 1;
    while (bloco >= 0 && numeros.size() < limite) {
        QVariantList binds;
        for (int i = 0; i < grupo; ++i)
            binds << std::max<qint64>(bloco - i, 0);
        // Each group's numbers are below the last group's: newest first, only as many as the
        // page still wants.
        m_db.execKept(emBlocos(grupo),
                      binds + plano.binds + QVariantList{ate, limite - numeros.size()},
                      [&numeros](const QSqlQuery& row) { numeros << row.value(0).toLongLong(); });
        bloco -= grupo;
        lidos += grupo;
        // As many blocks as the rest of the page needs at the density seen so far; at most
        // twice the last group, so a denser stretch is never read far past the page.
        const qint64 faltam = limite - numeros.size();
        const qint64 precisos =
            numeros.isEmpty() ? 2 * grupo
                              : (faltam * lidos + numeros.size() - 1) / qint64(numeros.size());
        int proximo = 1;
        while (proximo < precisos && proximo < 2 * grupo && proximo < kMaxBlocos)
            proximo *= 2;
        grupo = proximo;
    }
    QList<ResumoPedido> linhas;
    if (numeros.isEmpty())
        return linhas;
    // As many marks as the page holds, the last number repeated: one statement per page size.
    QVariantList binds;
    for (int i = 0; i < limite; ++i)
        binds << numeros.at(std::min<qsizetype>(i, numeros.size() - 1));
    m_db.execKept(
        QStringLiteral("SELECT %1 FROM TB_Pedido WHERE ped_ono IN (%2) ORDER BY ped_ono DESC")
            .arg(kColunas, marcas(limite)),
        binds, [&linhas](const QSqlQuery& row) { linhas << resumoAt(row); });
    return linhas;
}

QList<ProdutoSolicitado> PedidoQueries::topProdutos(const QString& telefone) const {
    // From the telephone summary: a few rows per product asked, not every item of every order,
    // and the items of the customer's orders it does not hold yet. The rows are added up here:
    // a few hundred of them cost the server more to group and sort than to send.
    // A summary row without items holds nothing else either: the server leaves it out, and
    // the quantity comes null when no item gave one.
    struct Soma {
        qint64 quantidade = 0, total = 0;
        bool comQuantidade = false;
    };
    QHash<QPair<QString, QString>, Soma> somas;
    m_db.execKept(
        QStringLiteral("SELECT COALESCE(rvt_Nome, ''), COALESCE(rvt_cat, ''), CASE WHEN "
                       "rvt_Quantidades > 0 THEN rvt_Quantidade END, rvt_Total FROM %1 r WHERE "
                       "rvt_Telefone = ? AND rvt_Itens > 0")
            .arg(salesSummary::withRecent(QLatin1String(salesSummary::kPorTelefone))),
        {telefone}, [&somas](const QSqlQuery& row) {
            Soma& soma = somas[{row.value(0).toString(), row.value(1).toString()}];
            const QVariant quantidade = row.value(2);
            if (!quantidade.isNull()) {
                soma.quantidade += quantidade.toLongLong();
                soma.comQuantidade = true;
            }
            soma.total += row.value(3).toLongLong();
        });
    struct Linha {
        ProdutoSolicitado produto;
        bool semQuantidade; // no item gave one: below every quantity
    };
    std::vector<Linha> linhas;
    linhas.reserve(size_t(somas.size()));
    for (auto it = somas.cbegin(); it != somas.cend(); ++it)
        linhas.push_back(
            {{it.key().first, it.key().second, it->quantidade, Money::fromCents(it->total)},
             !it->comQuantidade});
    // Most asked first, ties by category then name, in code-point order.
    std::sort(linhas.begin(), linhas.end(), [](const Linha& a, const Linha& b) {
        if (a.semQuantidade != b.semQuantidade)
            return b.semQuantidade;
        if (a.produto.quantidade != b.produto.quantidade)
            return a.produto.quantidade > b.produto.quantidade;
        if (const int c = a.produto.categoria.compare(b.produto.categoria))
            return c < 0;
        return a.produto.nome < b.produto.nome;
    });
    QList<ProdutoSolicitado> produtos;
    produtos.reserve(qsizetype(linhas.size()));
    for (Linha& linha : linhas)
        produtos.append(std::move(linha.produto));
    return produtos;
}

std::optional<PedidoGravado> PedidoQueries::consulta(qint64 numero) const {
    // An order outlives its operator's user row: the operator then reads empty.
    std::optional<PedidoGravado> pedido;
    m_db.execKept(
        QStringLiteral("SELECT p.ped_ono, p.ped_data, p.ped_usu_id, u.usu_Nome, "
                       "p.ped_cli_Telefone, p.ped_cli_Nome, p.ped_cli_Tipo, "
                       "p.ped_cli_Logradouro, p.ped_cli_Numero, p.ped_cli_Complemento, "
                       "p.ped_cli_Bairro, p.ped_cli_Cidade, p.ped_cli_UF, p.ped_cli_CEP, "
                       "p.ped_cli_Observacao, p.ped_Forma_Pagamento, p.ped_Valor_Pago, "
                       "p.ped_Troco, p.ped_Total, p.ped_Mensagem, p.ped_Status, "
                       "p.ped_Entregador FROM TB_Pedido p LEFT JOIN TB_Usuario u ON u.usu_ID "
                       "= p.ped_usu_id WHERE p.ped_ono = ?"),
        {numero}, [&pedido](const QSqlQuery& h) {
            PedidoGravado& p = pedido.emplace();
            p.numero = h.value(0).toLongLong();
            p.data = Database::dateFrom(h.value(1));
            p.usuId = h.value(2).toLongLong();
            p.usuario = h.value(3).toString();
            QString* textos[] = {&p.telefone,   &p.nome,           &p.tipo,
                                 &p.logradouro, &p.numeroEndereco, &p.complemento,
                                 &p.bairro,     &p.cidade,         &p.uf,
                                 &p.cep,        &p.observacao,     &p.formaPagamento};
            int coluna = 4;
            for (QString* texto : textos)
                *texto = h.value(coluna++).toString();
            p.valorPago = moneyAt(h, 16);
            p.troco = moneyAt(h, 17);
            p.total = moneyAt(h, 18);
            p.mensagem = h.value(19).toString();
            p.status = h.value(20).toString();
            p.entregador = h.value(21).toString();
        });
    if (!pedido)
        return std::nullopt;
    m_db.execKept(QStringLiteral("SELECT ite_Nome, ite_Quantidade, ite_Preco, ite_Total FROM "
                                 "TB_Item WHERE ite_Ono = ?"),
                  {numero}, [&pedido](const QSqlQuery& i) {
                      const QVariant quantidade = i.value(1);
                      pedido->itens.append(
                          {i.value(0).toString(),
                           quantidade.isNull() ? std::nullopt : std::optional(quantidade.toInt()),
                           moneyAt(i, 2), moneyAt(i, 3)});
                  });
    return pedido;
}

std::optional<QString> PedidoQueries::status(qint64 numero) const {
    const QVariant status = m_db.scalarKept(
        QStringLiteral("SELECT ped_Status FROM TB_Pedido WHERE ped_ono = ?"), {numero});
    if (!status.isValid())
        return std::nullopt;
    return status.toString();
}
