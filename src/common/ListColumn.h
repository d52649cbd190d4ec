#pragma once

#include <QList>
#include <QString>
#include <QVariant>
#include <Qt>

// A column of a report-style list: its header, its width in twips and how its cells align.
struct ListColumn {
    QString caption;
    int twips = 1000;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
};

using ListColumns = QList<ListColumn>;

// What a list model's horizontal header shows for `section`: the caption and its alignment.
inline QVariant listColumnHeader(const ListColumns& columns, int section,
                                 Qt::Orientation orientation, int role) {
    if (orientation != Qt::Horizontal || section < 0 || section >= columns.size())
        return {};
    if (role == Qt::DisplayRole)
        return columns.at(section).caption;
    if (role == Qt::TextAlignmentRole)
        return int(columns.at(section).alignment);
    return {};
}
