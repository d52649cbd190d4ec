#include "management/PagedReportRows.h"

#include "data/Database.h"

#include <QSqlQuery>

#include <algorithm>

namespace {

constexpr std::size_t kCachedBlocks = 3;

} // namespace

PagedReportRows::PagedReportRows(Source db, Query query, int rowCount,
                                 QHash<QString, qint64> totals, int blockRows)
    : m_db(std::move(db)), m_query(std::move(query)), m_rowCount(rowCount),
      m_totals(std::move(totals)), m_blockRows(qMax(1, blockRows)) {
    QStringList expressions;
    for (const QString& column : std::as_const(m_query.columns)) {
        const qsizetype as = column.lastIndexOf(QStringLiteral(" AS "), -1, Qt::CaseInsensitive);
        expressions << (as < 0 ? column : column.left(as));
        m_names << (as < 0 ? column : column.mid(as + 4));
    }
    for (const QString& key : std::as_const(m_query.keys))
        m_keyColumns << expressions.indexOf(key);
}

QVariant PagedReportRows::value(int row, int column) const {
    if (row < 0 || row >= m_rowCount)
        return {};
    const Block& rows = block(row / m_blockRows);
    const int at = row % m_blockRows;
    return at < rows.size() ? rows.at(at).value(column) : QVariant();
}

qint64 PagedReportRows::sum(int column, int firstRow, int lastRow) const {
    if (column >= 0 && firstRow <= 0 && lastRow >= m_rowCount - 1) {
        const auto total = m_totals.constFind(m_names.at(column).toLower());
        if (total != m_totals.cend())
            return *total;
    }
    return ReportRows::sum(column, firstRow, lastRow);
}

const PagedReportRows::Block& PagedReportRows::block(int index) const {
    for (auto it = m_cache.begin(); it != m_cache.end(); ++it) {
        if (it->first != index)
            continue;
        m_cache.splice(m_cache.begin(), m_cache, it);
        return m_cache.front().second;
    }
    Block rows = read(index);
    if (!rows.isEmpty()) {
        QVariantList last;
        for (int column : std::as_const(m_keyColumns))
            last << rows.last().value(column);
        // A null key cannot be sought past: the block after it is found by its offset.
        const bool usable =
            std::none_of(last.cbegin(), last.cend(), [](const QVariant& v) { return v.isNull(); });
        if (usable && rows.size() == m_blockRows)
            m_startAfter.insert(index + 1, last);
    }
    m_cache.emplace_front(index, std::move(rows));
    if (m_cache.size() > kCachedBlocks)
        m_cache.pop_back();
    return m_cache.front().second;
}

PagedReportRows::Block PagedReportRows::read(int index) const {
    QStringList where = m_query.where;
    QVariantList binds = m_query.binds;
    const auto after = m_startAfter.constFind(index);
    const bool seek = index > 0 && after != m_startAfter.cend();
    if (seek) {
        // (k1 > v1) OR (k1 = v1 AND k2 > v2) OR ...: plain comparisons both engines index.
        QStringList alternatives;
        for (int i = 0; i < m_query.keys.size(); ++i) {
            QStringList terms;
            for (int j = 0; j < i; ++j) {
                terms << m_query.keys.at(j) + QStringLiteral(" = ?");
                binds << after->at(j);
            }
            terms << m_query.keys.at(i) + QStringLiteral(" > ?");
            binds << after->at(i);
            alternatives << terms.join(QStringLiteral(" AND "));
        }
        where << QLatin1Char('(') + alternatives.join(QStringLiteral(") OR (")) + QLatin1Char(')');
    }
    QString sql = QStringLiteral("SELECT ") + m_query.columns.join(QStringLiteral(", ")) +
                  QStringLiteral(" FROM ") + m_query.from;
    if (!where.isEmpty())
        sql +=
            QStringLiteral(" WHERE (") + where.join(QStringLiteral(") AND (")) + QLatin1Char(')');
    sql += QStringLiteral(" ORDER BY ") + m_query.keys.join(QStringLiteral(", ")) +
           QStringLiteral(" LIMIT ?");
    binds << m_blockRows;
    if (!seek) {
        sql += QStringLiteral(" OFFSET ?");
        binds << static_cast<qint64>(index) * m_blockRows;
    }
    QSqlQuery query = m_db().exec(sql, binds);
    Block rows;
    rows.reserve(m_blockRows);
    const int columns = static_cast<int>(m_query.columns.size());
    while (query.next()) {
        QVariantList row;
        row.reserve(columns);
        for (int i = 0; i < columns; ++i)
            row << query.value(i);
        rows << std::move(row);
    }
    return rows;
}
