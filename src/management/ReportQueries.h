#pragma once

#include "common/Money.h"
#include "management/Periodo.h"
#include "management/ReportLayout.h"
#include "management/ReportTable.h"

#include <QDate>
#include <QList>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class Database;

// The statements behind the report screens. Every value is bound; dates cover both days.
// Cancelled orders stay in the order listings with their total of 0.
namespace relatorios {

struct FaixaPedidos {
    qint64 primeiro = 0;
    qint64 ultimo = 0;
};

enum class OrdemProduto { Codigo, Categoria, Produto, Preco };
enum class OrdemCliente { Codigo, Telefone, Nome, Bairro, Aniversariante };
enum class OrdemPedido { Codigo, Preco };

// Neither a period nor a range: every order.
struct CriterioPedidos {
    std::optional<Periodo> periodo;
    std::optional<FaixaPedidos> faixa;
};

struct ResumoForma {
    QString forma;
    qint64 quantidade = 0;
    Money soma;
};

struct RelatorioPedidos {
    QList<ResumoForma> resumo;
    // Read from the database as the pages ask for them.
    std::shared_ptr<const ReportRows> detalhe;
    qint64 quantidade = 0;
    Money total;
};

ReportTable produtos(Database& db, OrdemProduto ordem);
// The birthday list holds the customers born in `mes` of any year, by full birth date.
ReportTable clientes(Database& db, OrdemCliente ordem, int mes);
// The connection the detail is read from page by page; by default `db`, which must then
// outlive it.
using Fonte = std::function<Database&()>;

// The summary, count and total come from one aggregate query.
RelatorioPedidos pedidos(Database& db, const CriterioPedidos& criterio, OrdemPedido ordem,
                         Fonte fonte = {});
// An empty `forma`, `entregador` or `categoria` selects them all.
ReportTable formasPagamento(Database& db, const QString& forma,
                            const std::optional<Periodo>& periodo);
// Read as the pages ask for them.
std::shared_ptr<const ReportRows> entregas(Database& db, const QString& entregador,
                                           const std::optional<Periodo>& periodo, Fonte fonte = {});
// Quantity and total per product within each category; cancelled orders sold nothing.
ReportTable vendasPorCategoria(Database& db, const QString& categoria,
                               const std::optional<Periodo>& periodo);

QStringList formasPagamentoUsadas(Database& db);
QStringList nomesEntregadores(Database& db);
QStringList categoriasVendidas(Database& db);

// The text the reports print as their title: the date in the long format.
QString titulo(const QDate& hoje);
// "Período: De dd/mm/aaaa a dd/mm/aaaa", or "Período: Todos" without a period.
QString textoPeriodo(const std::optional<Periodo>& periodo);

// A payment or courier layout with the title and "Período: ..." in its header.
ReportLayout layoutComPeriodo(ReportLayout layout, const std::optional<Periodo>& periodo,
                              const QDate& hoje);
// The orders layout with its summary and totals in the report footer.
ReportLayout layoutPedidos(const RelatorioPedidos& relatorio, const QDate& hoje);
// The sales layout with "Período de ... até ..." and "Categoria : ..." in its header.
ReportLayout layoutVendas(const QString& categoria, const std::optional<Periodo>& periodo,
                          const QDate& hoje);

} // namespace relatorios
