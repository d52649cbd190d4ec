#pragma once

#include <QList>
#include <QString>
#include <Qt>

// A column of a report-style list: its header, its width in twips and how its cells align.
struct ListColumn {
    QString caption;
    int twips = 1000;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
};

using ListColumns = QList<ListColumn>;
