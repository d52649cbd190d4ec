#pragma once

#include "common/PagedTableModel.h"
#include "management/BuscaPedido.h"
#include "management/PedidoQueries.h"

#include <QByteArray>
#include <QStringList>
#include <deque>
#include <limits>

// The rows of the order search, paged. Rows are kept compact (texts in one UTF-8 buffer) so
// that a list of every stored order stays small. In history mode the three summary rows follow
// the last order once it has been read.
class PedidoListModel : public PagedTableModel {
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
    // History mode: the summary rows after the last order.
    void setResumo(bool resumo) { m_resumo = resumo; }
    // How many searches reached the database.
    int searchesRun() const { return m_buscas; }

    // The order number of `row`; 0 for a summary row.
    qint64 numeroAt(int row) const;
    int orderRows() const { return int(m_linhas.size()); }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

Q_SIGNALS:
    void searched();

private:
    struct Linha {
        qint64 numero;
        qint64 total;  // centavos; kSemTotal for none
        qint32 dia;    // Julian day; 0 for none
        quint32 texto; // where the telephone and the name start in m_textos
        quint16 telefone;
        quint16 nome;
        quint16 entregador; // into m_comuns
        quint16 status;     // into m_comuns
    };
    static constexpr qint64 kSemTotal = std::numeric_limits<qint64>::min();
    struct Resumo {
        QString rotulo;
        QString valor;
    };

    static constexpr int kLinhasResumo = 3;

    Page readNext() override;
    void clearRows() override;
    // The rows of `pagina`, followed on the last page of a history by the summary rows.
    Page mostra(const QList<ResumoPedido>& pagina, bool ultima, const BuscaPedido& busca);
    void acrescenta(const QList<ResumoPedido>& pagina);
    quint16 comum(const QString& texto);
    QString textoAt(const Linha& linha, int coluna) const;

    PedidoQueries& m_queries;
    BuscaPedido m_busca;
    PedidoQueries::Plano m_plano;
    // Grows a block at a time: a million rows are never copied nor held twice.
    std::deque<Linha> m_linhas;
    QByteArray m_textos;
    // Delivery persons and statuses repeat: each distinct text is kept once.
    QStringList m_comuns;
    QList<Resumo> m_resumoLinhas;
    TotaisHistorico m_totais; // of the rows read
    bool m_resumo = false;
    int m_buscas = 0;
};
