#include "masterdata/ClienteListModel.h"

#include <QColor>
#include <QFont>

namespace {

enum Coluna {
    Codigo,
    Nome,
    Telefone,
    Endereco,
    Nro,
    QtdPed,
    DesdeDe,
    UltPedido,
    Consumo,
    TicketMedio,
};

const QColor kVermelhoClaro(255, 0, 0);
const QColor kVermelho(128, 0, 0);

QString dateText(const QDate& date) {
    return date.isNull() ? QString() : date.toString(QStringLiteral("dd/MM/yyyy"));
}

QString moneyText(const std::optional<Money>& amount) {
    return amount ? amount->formatPlain() : QString();
}

bool marksNovo(int column) {
    return column == QtdPed || column == DesdeDe || column == UltPedido;
}

} // namespace

ClienteListModel::ClienteListModel(ClienteStore& store, Variante variante, QDate hoje,
                                   QObject* parent)
    : PagedTableModel(columns(variante), parent), m_store(store), m_variante(variante),
      m_hoje(hoje) {}

ListColumns ClienteListModel::columns(Variante variante) {
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    if (variante == Variante::Selecionar)
        return {{QStringLiteral("Codigo"), 800},
                {QStringLiteral("Nome"), 3000},
                {QStringLiteral("Telefone"), 1200},
                {QStringLiteral("Endereço"), 4000},
                {QStringLiteral("Nro"), 800}};
    return {{QStringLiteral("Codigo"), 800},
            {QStringLiteral("Nome"), 3000},
            {QStringLiteral("Telefone"), 1200},
            {QStringLiteral("Endereço"), 3800},
            {QStringLiteral("Nro"), 1000},
            {QStringLiteral("Qtd.Ped."), 900},
            {QStringLiteral("Desde De"), 1000},
            {QStringLiteral("Ult.Pedido"), 1100},
            {QStringLiteral("Consumo"), 1000, right},
            {QStringLiteral("Ticket Médio"), 1000, right}};
}

void ClienteListModel::setSearch(ClienteStore::Busca por, const QString& prefix) {
    reload({false, por, prefix});
}

void ClienteListModel::loadAll() {
    reload({});
}

void ClienteListModel::reload(const Query& query) {
    const Page first = readPage(query, 0);
    replaceRows({first.rows, first.last, [&] {
                     m_query = query;
                     first.show();
                 }});
}

PagedTableModel::Page ClienteListModel::readPage(const Query& query, int offset) {
    // One row beyond the page tells whether another page follows.
    QList<Cliente> clientes = query.todos
                                  ? m_store.all(kPagina + 1, offset)
                                  : m_store.search(query.por, query.prefix, kPagina + 1, offset);
    const bool last = clientes.size() <= kPagina;
    if (!last)
        clientes.removeLast();
    QHash<QString, EstatisticaCliente> figures;
    if (m_variante == Variante::Localizar && !clientes.isEmpty()) {
        QStringList telefones;
        telefones.reserve(clientes.size());
        for (const Cliente& c : clientes)
            telefones << c.telefone;
        figures = m_store.estatisticas(telefones);
    }
    QList<Row> rows;
    rows.reserve(clientes.size());
    for (Cliente& c : clientes) {
        EstatisticaCliente f = figures.value(c.telefone);
        rows.push_back({std::move(c), std::move(f)});
    }
    return {int(rows.size()), last, [this, rows] { m_rows += rows; }};
}

int ClienteListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : loadedRows();
}

QVariant ClienteListModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Row& row = m_rows.at(index.row());
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return display(row, column);
    case Qt::TextAlignmentRole:
        // As an int: the 6.4 delegates read the alignment with toInt().
        return int(listColumns().at(column).alignment);
    default:
        break;
    }
    if (m_variante != Variante::Localizar)
        return {};
    const bool poucos = row.figures.poucosPedidos();
    const bool novo = row.figures.clienteNovo(m_hoje);
    switch (role) {
    case Qt::ForegroundRole:
        if (column == Telefone || (column == QtdPed && poucos))
            return kVermelhoClaro;
        if (novo && (column == DesdeDe || column == UltPedido))
            return kVermelho;
        return {};
    case Qt::FontRole:
        if (novo && (column == DesdeDe || column == UltPedido)) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::ToolTipRole:
        if (novo && marksNovo(column))
            return QStringLiteral("Cliente Novo. Pesquisa de Satisfação.");
        return {};
    default:
        return {};
    }
}

QVariant ClienteListModel::display(const Row& row, int column) const {
    const Cliente& c = row.cliente;
    switch (column) {
    case Codigo:
        return QString::number(c.codigo);
    case Nome:
        return c.nome;
    case Telefone:
        return c.telefone;
    case Endereco:
        return c.tipo + QLatin1Char(' ') + c.logradouro;
    case Nro:
        return c.numero;
    case QtdPed:
        return QString::number(row.figures.quantidade);
    case DesdeDe:
        return dateText(row.figures.desde);
    case UltPedido:
        return dateText(row.figures.ultimoPedido);
    case Consumo:
        return moneyText(row.figures.consumo);
    case TicketMedio:
        return moneyText(row.figures.ticketMedio());
    default:
        return {};
    }
}
