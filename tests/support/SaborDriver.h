#pragma once

#include "orders/screens/frmSelecionar_Sabor.h"
#include "support/ScreenFixture.h"

#include <QAbstractItemView>
#include <QStandardItemModel>

// Picks the row whose first column reads `nome` on a flavour screen: ticked (another flavour
// follows) or with Enter (the item is composed).
inline void pick(frmSelecionar_Sabor& screen, const QString& nome, bool tick) {
    QAbstractItemView* list = screen.list();
    const QModelIndexList found = list->model()->match(list->model()->index(0, 0), Qt::DisplayRole,
                                                       nome, 1, Qt::MatchExactly);
    QVERIFY2(!found.isEmpty(), qPrintable(nome));
    list->setCurrentIndex(found.first());
    if (tick)
        list->model()->setData(found.first(), Qt::Checked, Qt::CheckStateRole);
    else
        QTest::keyClick(list, Qt::Key_Return);
}

// The flavour screen at `posicao` of the chain (the earlier ones stay open underneath).
inline void onNextSabor(int posicao, std::function<void(frmSelecionar_Sabor&)> drive) {
    onNextDialog<frmSelecionar_Sabor>(
        drive, [posicao](const frmSelecionar_Sabor& s) { return s.posicao() == posicao; });
}
