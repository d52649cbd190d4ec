#include "common/PagedTableModel.h"

#include "data/DbError.h"

#include <utility>

PagedTableModel::PagedTableModel(ListColumns columns, QObject* parent)
    : QAbstractTableModel(parent), m_columns(std::move(columns)) {
    m_timer.setSingleShot(true);
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &PagedTableModel::flush);
}

void PagedTableModel::schedule(std::function<void()> search) {
    m_pending = std::move(search);
    m_timer.start();
}

void PagedTableModel::flush() {
    m_timer.stop();
    if (!m_pending)
        return;
    const std::function<void()> search = std::exchange(m_pending, nullptr);
    try {
        search();
    } catch (const DbError& e) {
        Q_EMIT loadFailed(e);
    }
}

void PagedTableModel::replaceRows(const Page& first) {
    beginResetModel();
    clearRows();
    first.show();
    m_complete = first.last;
    endResetModel();
}

void PagedTableModel::readMore() {
    if (!hasMore())
        return;
    Page page;
    try {
        page = readNext();
    } catch (const DbError& e) {
        m_complete = true;
        Q_EMIT loadFailed(e);
        return;
    }
    m_complete = page.last;
    if (page.rows == 0)
        return;
    const int from = rowCount();
    beginInsertRows({}, from, from + page.rows - 1);
    page.show();
    endInsertRows();
}

void PagedTableModel::fetchAll() {
    while (hasMore())
        readMore();
}

int PagedTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant PagedTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    return listColumnHeader(m_columns, section, orientation, role);
}
