#pragma once

#include "common/ListColumn.h"
#include "management/BuscaPedido.h"
#include "management/PedidoQueries.h"

#include <QAbstractTableModel>
#include <QByteArray>
#include <QStringList>
#include <QTimer>
#include <optional>
#include <vector>

class DbError;

// The rows of the order search. A page is read at a time and the view pulls the next as it
// scrolls; rows are kept compact (texts in one UTF-8 buffer) so that a list of every stored
// order stays small. Searches asked for in quick succession run once, for the latest.
// In history mode the three summary rows follow the last order once it has been read.
class PedidoListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kPrimeiraPagina = 200;
    static constexpr int kPagina = 2000;

    explicit PedidoListModel(PedidoQueries& queries, QObject* parent = nullptr);

    static ListColumns columns();

    // Runs the search now; throws DbError and then keeps the rows it had.
    void search(const BuscaPedido& busca);
    // Runs the search once control returns to the event loop, unless another request replaces
    // it first. Failures are reported through loadFailed.
    void requestSearch(const BuscaPedido& busca);
    bool searchPending() const { return m_pendente.has_value(); }
    // Runs a pending search now (tests, and a pick made before the loop came round).
    void flush();
    // History mode: the summary rows after the last order.
    void setResumo(bool resumo) { m_resumo = resumo; }
    // How many searches reached the database.
    int searchesRun() const { return m_buscas; }

    // The order number of `row`; 0 for a summary row.
    qint64 numeroAt(int row) const;
    int orderRows() const { return int(m_linhas.size()); }
    // Reads pages until everything is there.
    void fetchAll();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

Q_SIGNALS:
    void loadFailed(const DbError& error);
    void searched();

private:
    struct Linha {
        qint64 numero;
        qint64 total;  // centavos
        qint32 dia;    // Julian day; 0 for none
        quint32 texto; // where the telephone and the name start in m_textos
        quint16 telefone;
        quint16 nome;
        quint16 entregador; // into m_comuns
        quint16 status;     // into m_comuns
        bool temTotal;
    };
    struct Resumo {
        QString rotulo;
        QString valor;
    };

    void acrescenta(const QList<ResumoPedido>& pagina, std::vector<Linha>& linhas,
                    QByteArray& textos);
    quint16 comum(const QString& texto);
    QString textoAt(const Linha& linha, int coluna) const;
    QList<Resumo> resumoDe(const BuscaPedido& busca) const;

    PedidoQueries& m_queries;
    ListColumns m_columns;
    BuscaPedido m_busca;
    PedidoQueries::Plano m_plano;
    std::vector<Linha> m_linhas;
    QByteArray m_textos;
    // Delivery persons and statuses repeat: each distinct text is kept once.
    QStringList m_comuns;
    QList<Resumo> m_resumoLinhas;
    bool m_completo = true;
    bool m_resumo = false;
    std::optional<BuscaPedido> m_pendente;
    QTimer m_timer;
    int m_buscas = 0;
};
