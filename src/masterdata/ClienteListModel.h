#pragma once

#include "data/DbError.h"

#include "common/ListColumn.h"
#include "masterdata/Cliente.h"
#include "masterdata/ClienteStore.h"

#include <QAbstractTableModel>
#include <QDate>
#include <QList>

class DbError;

// The rows of the two customer dialogs. Only a page is read at a time, and the order
// statistics with it in one query, so the first rows show at once however many customers
// match; the view pulls further pages as it scrolls.
class ClienteListModel : public QAbstractTableModel {
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
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    // Called by the view while painting, where an exception must not pass: a failure stops
    // the paging and is reported through loadFailed.
    void fetchMore(const QModelIndex& parent) override;

    const Cliente& clienteAt(int row) const { return m_rows.at(row).cliente; }
    QString telefoneAt(int row) const { return m_rows.at(row).cliente.telefone; }
    int loadedRows() const { return int(m_rows.size()); }
    bool hasRows() const { return !m_rows.isEmpty(); }

Q_SIGNALS:
    void loadFailed(const DbError& error);

private:
    struct Row {
        Cliente cliente;
        EstatisticaCliente figures;
    };
    struct Page {
        QList<Row> rows;
        bool last = true;
    };
    struct Query {
        bool todos = true;
        ClienteStore::Busca por = ClienteStore::Busca::Nome;
        QString prefix;
    };

    void reload(const Query& query);
    Page readPage(const Query& query, int offset) const;
    QVariant display(const Row& row, int column) const;

    ClienteStore& m_store;
    Variante m_variante;
    QDate m_hoje;
    ListColumns m_columns;
    Query m_query;
    QList<Row> m_rows;
    bool m_complete = true;
};
