#include "management/ReportQueries.h"

#include "data/Database.h"
#include "data/DbError.h"
#include "data/SalesSummary.h"
#include "management/PagedReportRows.h"

#include <QLocale>
#include <algorithm>
#include <limits>

namespace relatorios {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString dmy(const QDate& date) {
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

// Appends " AND ped_data BETWEEN ? AND ?" (or WHERE when it is the first condition).
void addPeriod(QStringList& where, QVariantList& binds, const std::optional<Periodo>& periodo,
               const QString& column) {
    if (!periodo)
        return;
    where << column + QStringLiteral(" BETWEEN ? AND ?");
    binds << Database::dateValue(periodo->inicio) << Database::dateValue(periodo->fim);
}

QString whereClause(const QStringList& where) {
    return where.isEmpty() ? QString()
                           : QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
}

ReportTable table(Database& db, const QString& sql, const QVariantList& binds) {
    QSqlQuery query = db.exec(sql, binds);
    return ReportTable::fromQuery(query);
}

QStringList firstColumn(Database& db, const QString& sql) {
    QSqlQuery query = db.exec(sql);
    QStringList values;
    while (query.next())
        values << query.value(0).toString();
    return values;
}

Fonte orDb(Fonte fonte, Database& db) {
    if (fonte)
        return fonte;
    return [&db]() -> Database& { return db; };
}

} // namespace

ReportTable produtos(Database& db, OrdemProduto ordem) {
    static const QStringList columns{QStringLiteral("pro_ID"), QStringLiteral("pro_Categoria"),
                                     QStringLiteral("pro_Produto"), QStringLiteral("pro_Preco")};
    return table(db,
                 QStringLiteral("SELECT * FROM TB_Produto ORDER BY ") +
                     columns.at(static_cast<int>(ordem)) + QStringLiteral(", pro_ID"),
                 {});
}

ReportTable clientes(Database& db, OrdemCliente ordem, int mes) {
    static const QStringList columns{QStringLiteral("cli_ID"), QStringLiteral("cli_Telefone"),
                                     QStringLiteral("cli_Nome"), QStringLiteral("cli_Bairro"),
                                     QStringLiteral("cli_Data_Nasc")};
    QString sql = QStringLiteral("SELECT * FROM TB_Cliente");
    QVariantList binds;
    if (ordem == OrdemCliente::Aniversariante) {
        sql += db.engine() == Database::Engine::Sqlite
                   ? QStringLiteral(" WHERE CAST(strftime('%m', cli_Data_Nasc) AS INTEGER) = ?")
                   : QStringLiteral(" WHERE EXTRACT(MONTH FROM cli_Data_Nasc) = ?");
        binds << mes;
    }
    sql += QStringLiteral(" ORDER BY ") + columns.at(static_cast<int>(ordem)) +
           QStringLiteral(", cli_ID");
    return table(db, sql, binds);
}

RelatorioPedidos pedidos(Database& db, const CriterioPedidos& criterio, OrdemPedido ordem,
                         Fonte fonte) {
    QStringList where;
    QVariantList binds;
    addPeriod(where, binds, criterio.periodo, QStringLiteral("ped_data"));
    if (criterio.faixa) {
        where << QStringLiteral("ped_ono BETWEEN ? AND ?");
        binds << criterio.faixa->primeiro << criterio.faixa->ultimo;
    }
    RelatorioPedidos relatorio;
    QSqlQuery resumo = db.exec(
        QStringLiteral("SELECT ped_Forma_Pagamento, count(ped_Total), sum(ped_Total), count(*), "
                       "min(ped_ono), max(ped_ono) FROM TB_Pedido%1 GROUP BY ped_Forma_Pagamento "
                       "ORDER BY ped_Forma_Pagamento")
            .arg(whereClause(where)),
        binds);
    qint64 primeiro = std::numeric_limits<qint64>::max();
    qint64 ultimo = std::numeric_limits<qint64>::min();
    while (resumo.next()) {
        const Money soma = Money::fromCents(resumo.value(2).toLongLong());
        relatorio.resumo << ResumoForma{resumo.value(0).toString(), resumo.value(1).toLongLong(),
                                        soma};
        relatorio.total += soma;
        relatorio.quantidade += resumo.value(3).toLongLong();
        primeiro = std::min(primeiro, resumo.value(4).toLongLong());
        ultimo = std::max(ultimo, resumo.value(5).toLongLong());
    }
    // A period's orders lie between its first and last order number (numbers and dates rise
    // together): each block walks the primary key from where the last one ended. Bounded by
    // the date alone, a block would sort the whole period again, or PostgreSQL walk every
    // order from the first.
    if (criterio.periodo && relatorio.quantidade > 0) {
        where << QStringLiteral("ped_ono BETWEEN ? AND ?");
        binds << primeiro << ultimo;
    }
    PagedReportRows::Query detalhe{
        {QStringLiteral("ped_Ono"), QStringLiteral("ped_Data"), QStringLiteral("ped_Total"),
         QStringLiteral("ped_Forma_Pagamento"), QStringLiteral("ped_Status")},
        QStringLiteral("TB_Pedido"),
        where,
        binds,
        ordem == OrdemPedido::Codigo
            ? QStringList{QStringLiteral("ped_Ono")}
            : QStringList{QStringLiteral("ped_Total"), QStringLiteral("ped_Ono")}};
    relatorio.detalhe = std::make_shared<const PagedReportRows>(
        orDb(std::move(fonte), db), std::move(detalhe), static_cast<int>(relatorio.quantidade),
        QHash<QString, qint64>{{QStringLiteral("ped_total"), relatorio.total.cents()}});
    return relatorio;
}

ReportTable formasPagamento(Database& db, const QString& forma,
                            const std::optional<Periodo>& periodo) {
    QStringList where;
    QVariantList binds;
    addPeriod(where, binds, periodo, QStringLiteral("ped_data"));
    if (!forma.isEmpty()) {
        where << QStringLiteral("ped_Forma_Pagamento = ?");
        binds << forma;
    }
    return table(db,
                 QStringLiteral("SELECT ped_Forma_Pagamento, sum(ped_Total) AS SomaDeped_total "
                                "FROM TB_Pedido%1 GROUP BY ped_Forma_Pagamento ORDER BY "
                                "ped_Forma_Pagamento")
                     .arg(whereClause(where)),
                 binds);
}

std::shared_ptr<const ReportRows> entregas(Database& db, const QString& entregador,
                                           const std::optional<Periodo>& periodo, Fonte fonte) {
    QStringList where;
    QVariantList binds;
    addPeriod(where, binds, periodo, QStringLiteral("ped_data"));
    if (!entregador.isEmpty()) {
        where << QStringLiteral("ped_Entregador = ?");
        binds << entregador;
    }
    QSqlQuery totals = db.exec(
        QStringLiteral("SELECT count(*), sum(ped_Total) FROM TB_Pedido%1").arg(whereClause(where)),
        binds);
    totals.next();
    // Orders without a courier come first on both engines.
    const QString courier = QStringLiteral("COALESCE(ped_Entregador, '')");
    PagedReportRows::Query query{{QStringLiteral("ped_Ono"),
                                  courier + QStringLiteral(" AS ped_Entregador"),
                                  QStringLiteral("ped_Status"), QStringLiteral("ped_Total")},
                                 QStringLiteral("TB_Pedido"),
                                 where,
                                 binds,
                                 {courier, QStringLiteral("ped_Ono")}};
    return std::make_shared<const PagedReportRows>(
        orDb(std::move(fonte), db), std::move(query), totals.value(0).toInt(),
        QHash<QString, qint64>{{QStringLiteral("ped_total"), totals.value(1).toLongLong()}});
}

// Read from the summaries: a month is some tens of thousands of rows and every order one row
// per product, where the items are millions. Moving their mark first keeps the orders they
// do not hold yet few; when another workstation holds the lock, those are read as they are.
ReportTable vendasPorCategoria(Database& db, const QString& categoria,
                               const std::optional<Periodo>& periodo) {
    try {
        salesSummary::catchUp(db);
    } catch (const DbError& e) {
        if (!e.isInUse())
            throw;
    }
    const QString p = periodo ? QStringLiteral("rvd_") : QStringLiteral("rvp_");
    QStringList where;
    QVariantList binds;
    addPeriod(where, binds, periodo, QStringLiteral("rvd_Data"));
    if (!categoria.isEmpty()) {
        where << p + QStringLiteral("cat = ?");
        binds << categoria;
    }
    return table(
        db,
        QStringLiteral("SELECT COALESCE(%1cat, '') AS ite_cat, COALESCE(%1Nome, '') AS ite_Nome, "
                       "CASE WHEN sum(%1Quantidades) > 0 THEN CAST(sum(%1Quantidade) AS BIGINT) "
                       "END AS Quantidade, CASE WHEN sum(%1Totais) > 0 THEN CAST(sum(%1Total) AS "
                       "BIGINT) END AS Total FROM %2 r%3 GROUP BY 1, 2 HAVING sum(%1Itens) > 0 "
                       "ORDER BY 1, 2")
            .arg(p,
                 salesSummary::withRecent(
                     QLatin1String(periodo ? salesSummary::kPorDia : salesSummary::kPorProduto)),
                 whereClause(where)),
        binds);
}

// Seeks from each method to the next in the method's index instead of reading every order.
QStringList formasPagamentoUsadas(Database& db) {
    return firstColumn(
        db, QStringLiteral("WITH RECURSIVE formas(forma) AS (SELECT min(ped_Forma_Pagamento) FROM "
                           "TB_Pedido UNION ALL SELECT (SELECT min(p.ped_Forma_Pagamento) FROM "
                           "TB_Pedido p WHERE p.ped_Forma_Pagamento > formas.forma) FROM formas "
                           "WHERE formas.forma IS NOT NULL) SELECT forma FROM formas WHERE forma "
                           "IS NOT NULL ORDER BY forma"));
}

QStringList nomesEntregadores(Database& db) {
    return firstColumn(db, QStringLiteral("SELECT ent_Nome FROM TB_Entregador ORDER BY ent_Nome"));
}

// Looks each category up in the items' index instead of reading every item.
QStringList categoriasVendidas(Database& db) {
    return firstColumn(db, QStringLiteral("SELECT c.cat_Categoria FROM TB_Categoria c WHERE "
                                          "EXISTS (SELECT 1 FROM TB_Item i WHERE i.ite_cat = "
                                          "c.cat_Categoria) ORDER BY c.cat_Categoria"));
}

QString titulo(const QDate& hoje) {
    return QLocale(QLocale::Portuguese, QLocale::Brazil).toString(hoje, QLocale::LongFormat);
}

QString textoPeriodo(const std::optional<Periodo>& periodo) {
    if (!periodo)
        return QStringLiteral("Período: Todos");
    return QStringLiteral("Período: De %1 a %2").arg(dmy(periodo->inicio), dmy(periodo->fim));
}

ReportLayout layoutComPeriodo(ReportLayout layout, const std::optional<Periodo>& periodo,
                              const QDate& hoje) {
    layout.title = titulo(hoje);
    layout.setCaption(QStringLiteral("section4"), QStringLiteral("lblPeriodo"),
                      textoPeriodo(periodo));
    return layout;
}

ReportLayout layoutPedidos(const RelatorioPedidos& relatorio, const QDate& hoje) {
    QString formas, quantidades, somas;
    for (const ResumoForma& r : relatorio.resumo) {
        formas += r.forma + kCrLf;
        quantidades += QString::number(r.quantidade) + kCrLf;
        somas += r.soma.format() + kCrLf;
    }
    ReportLayout layout = reportLayouts::pedidos();
    layout.title = titulo(hoje);
    const QString footer = QStringLiteral("Section5");
    layout.setCaption(footer, QStringLiteral("lblFormaPagamentoTitulo"),
                      QStringLiteral("Forma de Pagamento"));
    layout.setCaption(footer, QStringLiteral("lblFormaPagamento"), formas);
    layout.setCaption(footer, QStringLiteral("lblQuantidadeTitulo"), QStringLiteral("Quantidade"));
    layout.setCaption(footer, QStringLiteral("lblQuantidade"), quantidades);
    layout.setCaption(footer, QStringLiteral("lblSomaValorTotalTitulo"),
                      QStringLiteral("Soma Total"));
    layout.setCaption(footer, QStringLiteral("lblSomaValorTotal"), somas);
    layout.setCaption(footer, QStringLiteral("lblTotal"), relatorio.total.format());
    layout.setCaption(footer, QStringLiteral("lblPedidos"), QString::number(relatorio.quantidade));
    return layout;
}

ReportLayout layoutVendas(const QString& categoria, const std::optional<Periodo>& periodo,
                          const QDate& hoje) {
    ReportLayout layout = reportLayouts::vendaCategoria();
    layout.title = titulo(hoje);
    const QString header = QStringLiteral("Section4");
    if (periodo)
        layout.setCaption(
            header, QStringLiteral("fPeriodo"),
            QStringLiteral("Período de %1 até %2").arg(dmy(periodo->inicio), dmy(periodo->fim)));
    if (!categoria.isEmpty())
        layout.setCaption(header, QStringLiteral("fCategoria"),
                          QStringLiteral("Categoria : ") + categoria);
    return layout;
}

} // namespace relatorios
