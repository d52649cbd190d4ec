#pragma once

#include "data/ConnectionSpec.h"
#include "data/TextMatch.h"
#include "management/BuscaPedido.h"
#include "management/PedidoGravado.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QVariantList>
#include <optional>

class Database;

// Reads of stored orders: the search pages, a customer's history figures and top products,
// and one order with its items for the consultation. Every search walks an index: a day by
// the date index, a number prefix as one key range per length, a telephone or name prefix by
// its index when few orders match; when many do, a name backwards along the key (newest
// first) and a telephone by blocks of order numbers, newest first.
class PedidoQueries {
public:
    // A search made ready to be read page by page; keep it for the following pages.
    struct Plano {
        bool vazio = false; // nothing can match
        QString from;       // the table, with the engine's index choice
        QString where;
        QVariantList binds;
        QList<QPair<qint64, qint64>> faixas; // number ranges, highest first
        bool porIndice = false;              // few matches: sort their keys from the index
        bool porBlocos = false;              // many telephone matches: newest blocks first
        bool chaveInvertida = false;         // walks -ped_ono upwards (ix_pedido_ono_busca)
        QString guarda;                      // when false, the page reads nothing
        QVariantList guardaBinds;
    };
    // The newest this many keys (more on a bigger table) tell a prefix for the key walk from
    // one for the index: the walk when they hold a page of matches.
    static constexpr int kJanela = 3000;

    explicit PedidoQueries(Database& db) : m_db(db) {}

    Plano planeja(const BuscaPedido& busca) const;
    // Up to `limite` orders of the plan, highest number first, below `antesDe` when given.
    QList<ResumoPedido> pagina(const Plano& plano, std::optional<qint64> antesDe, int limite) const;
    // A search planned and its first page read, in fewer statements than the two apart.
    struct Aberta {
        Plano plano;
        QList<ResumoPedido> linhas;
    };
    Aberta abre(const BuscaPedido& busca, int limite) const;
    // Convenience for one page of a search.
    QList<ResumoPedido> busca(const BuscaPedido& busca, int limite) const {
        return abre(busca, limite).linhas;
    }

    // The products of the telephone's (exact match) orders that are not cancelled, most asked
    // first, ties by category.
    QList<ProdutoSolicitado> topProdutos(const QString& telefone) const;

    // The order with its items in stored order; none when there is no such order.
    std::optional<PedidoGravado> consulta(qint64 numero) const;
    // ped_Status of the order; none when there is no such order.
    std::optional<QString> status(qint64 numero) const;

private:
    // `caminhada` walks the key backwards, for many matches; `indice` serves few.
    Plano planejaPrefixo(const QString& indice, const Plano& caminhada) const;
    Plano planejaNumero(const QString& texto) const;
    static Plano porBlocos(ConnectionSpec::Engine engine, const textMatch::SqlCondition& condicao);
    // Fewer matches than a few pages in `indice`?
    bool poucas(const QString& indice, const QString& where, const QVariantList& binds) const;
    Plano peloIndice(const QString& indice, const QString& where, const QVariantList& binds) const;
    QList<ResumoPedido> paginaPorBlocos(const Plano& plano, std::optional<qint64> antesDe,
                                        int limite) const;

    Database& m_db;
};
