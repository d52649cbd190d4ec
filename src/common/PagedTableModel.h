#pragma once

#include "common/ListColumn.h"

#include <QAbstractTableModel>
#include <QTimer>
#include <functional>

class DbError;

// A list read a page at a time. A new first page is read before the rows are replaced, so a
// failed read leaves the list as it was; the list asks for the following pages as it scrolls
// (readMore), and a failure there, where an exception must not pass, stops the paging and is
// reported through loadFailed. Searches scheduled in quick succession run once, the latest.
class PagedTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit PagedTableModel(ListColumns columns, QObject* parent = nullptr);

    bool searchPending() const { return bool(m_pending); }
    // Runs a scheduled search now (a pick made before the event loop came round).
    void flush();
    // Reads pages until everything is there.
    void fetchAll();

    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    // A tree view fetches more on every layout, and each page read lays it out again: asked
    // by the view, a long list would be read to its end. Pages come through readMore only.
    bool canFetchMore(const QModelIndex&) const override { return false; }
    bool hasMore() const { return !m_complete; }
    // Reads and shows the next page, if any.
    void readMore();

Q_SIGNALS:
    void loadFailed(const DbError& error);

protected:
    // Rows read and not shown yet: `show` adds `rows` rows to the model's own.
    struct Page {
        int rows = 0;
        bool last = true;
        std::function<void()> show;
    };

    // The page after the rows shown; throws DbError.
    virtual Page readNext() = 0;
    // Empties the model's own rows.
    virtual void clearRows() = 0;
    // Shows `first` in place of every row.
    void replaceRows(const Page& first);
    // Runs `search` once control returns to the event loop unless another is scheduled first;
    // a DbError it throws goes to loadFailed.
    void schedule(std::function<void()> search);

    const ListColumns& listColumns() const { return m_columns; }

private:
    ListColumns m_columns;
    bool m_complete = true;
    std::function<void()> m_pending;
    QTimer m_timer;
};
