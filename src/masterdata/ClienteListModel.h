#pragma once

#include "common/PagedTableModel.h"
#include "masterdata/Cliente.h"
#include "masterdata/ClienteStore.h"

#include <QDate>
#include <QList>

// The rows of the two customer dialogs, paged, each page with its order statistics read in
// one query, so the first rows show at once however many customers match.
class ClienteListModel : public PagedTableModel {
    Q_OBJECT
public:
    enum class Variante { Localizar, Selecionar };
    static constexpr int kPagina = 100;

    ClienteListModel(ClienteStore& store, Variante variante, QDate hoje, QObject* parent = nullptr);

    static ListColumns columns(Variante variante);

    // Both throw DbError and then keep the rows they had.
    void setSearch(ClienteStore::Busca por, const QString& prefix);
    void loadAll();

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    const Cliente& clienteAt(int row) const { return m_rows.at(row).cliente; }
    QString telefoneAt(int row) const { return m_rows.at(row).cliente.telefone; }
    int loadedRows() const { return int(m_rows.size()); }
    bool hasRows() const { return !m_rows.isEmpty(); }

private:
    struct Row {
        Cliente cliente;
        EstatisticaCliente figures;
    };
    struct Query {
        bool todos = true;
        ClienteStore::Busca por = ClienteStore::Busca::Nome;
        QString prefix;
    };

    void reload(const Query& query);
    Page readPage(const Query& query, int offset);
    Page readNext() override { return readPage(m_query, loadedRows()); }
    void clearRows() override { m_rows.clear(); }
    QVariant display(const Row& row, int column) const;

    ClienteStore& m_store;
    Variante m_variante;
    QDate m_hoje;
    Query m_query;
    QList<Row> m_rows;
};
