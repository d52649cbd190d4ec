#pragma once

#include "management/ReportRows.h"

#include <QHash>
#include <QList>

#include <functional>
#include <list>

class Database;

// Report rows read from the database a block at a time when a page asks for them, so a
// listing of a million orders keeps a few blocks and one key per block read, never every row.
// The next block starts after the last key read (an index seek); a block reached by a jump
// is found by its offset.
class PagedReportRows : public ReportRows {
public:
    struct Query {
        // Column names, or "expression AS name".
        QStringList columns;
        QString from;
        QStringList where;
        QVariantList binds;
        // The ordering, each a column's name or expression; the last key is unique.
        QStringList keys;
    };

    static constexpr int kBlockRows = 512;

    // The connection of each read: a preview outlives its screen, and a restore reopens it.
    using Source = std::function<Database&()>;

    // `rowCount` and `totals` (a column's sum over every row, by column name in lower case)
    // come from the caller's aggregate query.
    PagedReportRows(Source db, Query query, int rowCount, QHash<QString, qint64> totals = {},
                    int blockRows = kBlockRows);

    const QStringList& columns() const override { return m_names; }
    int rowCount() const override { return m_rowCount; }
    QVariant value(int row, int column) const override;
    qint64 sum(int column, int firstRow, int lastRow) const override;

private:
    using Block = QList<QVariantList>;

    const Block& block(int index) const;
    Block read(int index) const;

    Source m_db;
    Query m_query;
    QStringList m_names;
    int m_rowCount;
    QHash<QString, qint64> m_totals;
    int m_blockRows;
    QList<int> m_keyColumns;
    // Most recently used first.
    mutable std::list<std::pair<int, Block>> m_cache;
    // The key of the last row before each block, once known.
    mutable QHash<int, QVariantList> m_startAfter;
};
