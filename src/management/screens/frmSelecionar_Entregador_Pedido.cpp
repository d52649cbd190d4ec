#include "management/screens/frmSelecionar_Entregador_Pedido.h"

#include "management/PedidoChanges.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QTreeView>

namespace {

LookupDialogBase::Definition definicao() {
    LookupDialogBase::Definition d =
        EntregadorLookup::registryDefinition(LookupDialogBase::Kind::Selecionar);
    d.listName = QStringLiteral("lstSelecionar_Entregador_Pedido");
    return d;
}

} // namespace

frmSelecionar_Entregador_Pedido::frmSelecionar_Entregador_Pedido(ScreenContext& context,
                                                                 qint64 pedido, QWidget* parent)
    : EntregadorLookup(context, definicao(), parent), m_pedido(pedido) {
    setObjectName(QStringLiteral("frmSelecionar_Entregador_Pedido"));
}

void frmSelecionar_Entregador_Pedido::AtualizaEntregador() {
    if (rowCount() == 0) {
        notFound();
        return;
    }
    const QString nome = nomeAt(selectedRow());
    if (!PedidoChanges(db()).atualizaEntregador(m_pedido, nome)) {
        messages().show(MessageBoxes::Icon::Information, QStringLiteral("Brisko"),
                        QStringLiteral("Pedido não cadastrado!!!"));
        return;
    }
    Q_EMIT entregadorAtualizado(nome);
    messages().show(MessageBoxes::Icon::Information, QStringLiteral("Brisko"),
                    QStringLiteral("Entregador Atualizado no Pedido."));
    accept();
}

void frmSelecionar_Entregador_Pedido::procurar() {
    AtualizaEntregador();
    if (messages().askYesNo(MessageBoxes::Icon::Question, QStringLiteral("Brisko"),
                            QStringLiteral("Deseja sair do Pedido ?")) &&
        isVisible())
        close();
}

bool frmSelecionar_Entregador_Pedido::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            try {
                AtualizaEntregador();
            } catch (const std::exception& failure) {
                error(failure);
            }
            return true;
        }
    }
    return EntregadorLookup::eventFilter(watched, event);
}
