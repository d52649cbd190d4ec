#include "management/PedidoListModel.h"

#include <limits>

namespace {

enum Coluna { Numero, Telefone, Nome, Data, Valor, Status, Entregador };

constexpr int kDataColuna = 3;
constexpr int kValorColuna = 4;

quint16 tamanho(const QByteArray& texto) {
    return quint16(std::min<qsizetype>(texto.size(), std::numeric_limits<quint16>::max()));
}

} // namespace

PedidoListModel::PedidoListModel(PedidoQueries& queries, QObject* parent)
    : PagedTableModel(columns(), parent), m_queries(queries) {}

ListColumns PedidoListModel::columns() {
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    return {
        {QStringLiteral("N. Pedido"), 1000},    {QStringLiteral("Telefone"), 1200},
        {QStringLiteral("Nome"), 2200},         {QStringLiteral("Data"), 1440},
        {QStringLiteral("Valor"), 1200, right}, {QStringLiteral("Status"), 1440, Qt::AlignCenter},
        {QStringLiteral("Entregador"), 2000}};
}

void PedidoListModel::requestSearch(const BuscaPedido& busca) {
    schedule([this, busca] { search(busca); });
}

void PedidoListModel::search(const BuscaPedido& busca) {
    ++m_buscas;
    // One row beyond the page tells whether more follow, so no empty page is ever read.
    auto [plano, pagina] = m_queries.abre(busca, kPrimeiraPagina + 1);
    const bool completo = pagina.size() <= kPrimeiraPagina;
    if (!completo)
        pagina.removeLast();
    Page primeira = mostra(pagina, completo, busca);
    replaceRows({primeira.rows, completo, [&] {
                     m_busca = busca;
                     m_plano = plano;
                     primeira.show();
                 }});
    Q_EMIT searched();
}

PagedTableModel::Page PedidoListModel::readNext() {
    QList<ResumoPedido> pagina = m_queries.pagina(
        m_plano, m_linhas.empty() ? std::nullopt : std::optional(m_linhas.back().numero),
        kPagina + 1);
    const bool ultima = pagina.size() <= kPagina;
    if (!ultima)
        pagina.removeLast();
    return mostra(pagina, ultima, m_busca);
}

PagedTableModel::Page PedidoListModel::mostra(const QList<ResumoPedido>& pagina, bool ultima,
                                              const BuscaPedido& busca) {
    // The figures are summed over the rows read, which are every order the history lists.
    const bool resumo = ultima && m_resumo && busca.por == BuscaPedido::Por::Telefone;
    return {int(pagina.size()) + (resumo ? kLinhasResumo : 0), ultima, [this, pagina, resumo] {
                acrescenta(pagina);
                if (resumo)
                    m_resumoLinhas = {
                        {QStringLiteral("Total Geral"), m_totais.total.formatList()},
                        {QStringLiteral("Nro Pedidos "), QString::number(m_totais.pedidos)},
                        {QStringLiteral("Cancelados "), QString::number(m_totais.cancelados)}};
            }};
}

void PedidoListModel::clearRows() {
    m_linhas.clear();
    m_linhas.shrink_to_fit();
    m_textos.clear();
    m_textos.squeeze();
    m_comuns.clear();
    m_resumoLinhas.clear();
    m_totais = {};
}

quint16 PedidoListModel::comum(const QString& texto) {
    const qsizetype at = m_comuns.indexOf(texto);
    if (at >= 0)
        return quint16(at);
    m_comuns.append(texto);
    return quint16(m_comuns.size() - 1);
}

void PedidoListModel::acrescenta(const QList<ResumoPedido>& pagina) {
    for (const ResumoPedido& r : pagina) {
        const QByteArray telefone = r.telefone.toUtf8();
        const QByteArray nome = r.nome.toUtf8();
        Linha linha{r.numero,
                    r.total ? r.total->cents() : kSemTotal,
                    r.data.isValid() ? qint32(r.data.toJulianDay()) : 0,
                    quint32(m_textos.size()),
                    tamanho(telefone),
                    tamanho(nome),
                    comum(r.entregador),
                    comum(r.status)};
        m_textos.append(telefone.left(linha.telefone));
        m_textos.append(nome.left(linha.nome));
        m_linhas.push_back(linha);
        ++m_totais.pedidos;
        if (r.total)
            m_totais.total += *r.total;
        if (r.status.compare(QLatin1String("CANCELADO"), Qt::CaseInsensitive) == 0)
            ++m_totais.cancelados;
    }
}

qint64 PedidoListModel::numeroAt(int row) const {
    return row >= 0 && row < orderRows() ? m_linhas[size_t(row)].numero : 0;
}

int PedidoListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : orderRows() + int(m_resumoLinhas.size());
}

QString PedidoListModel::textoAt(const Linha& linha, int coluna) const {
    switch (coluna) {
    case Numero:
        return QString::number(linha.numero);
    case Telefone:
        return QString::fromUtf8(m_textos.constData() + linha.texto, linha.telefone);
    case Nome:
        return QString::fromUtf8(m_textos.constData() + linha.texto + linha.telefone, linha.nome);
    case Data:
        return linha.dia == 0
                   ? QString()
                   : QDate::fromJulianDay(linha.dia).toString(QStringLiteral("dd/MM/yyyy"));
    case Valor:
        return linha.total != kSemTotal ? Money::fromCents(linha.total).formatList() : QString();
    case Status:
        return m_comuns.at(linha.status);
    case Entregador:
        return m_comuns.at(linha.entregador);
    default:
        return {};
    }
}

QVariant PedidoListModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    if (role == Qt::TextAlignmentRole)
        return int(listColumns().at(index.column()).alignment);
    if (role != Qt::DisplayRole)
        return {};
    const int row = index.row();
    if (row < orderRows())
        return textoAt(m_linhas[size_t(row)], index.column());
    const Resumo& resumo = m_resumoLinhas.at(row - orderRows());
    if (index.column() == kDataColuna)
        return resumo.rotulo;
    if (index.column() == kValorColuna)
        return resumo.valor;
    return QString();
}
