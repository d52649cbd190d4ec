#include "management/PedidoChanges.h"

#include "data/Database.h"
#include "data/Transaction.h"

PedidoChanges::Cancelamento PedidoChanges::cancelar(qint64 numero) {
    Transaction transaction(m_db);
    // The condition is evaluated under the row lock: a cancellation committed meanwhile by
    // another workstation leaves nothing to update here.
    const int cabecalho =
        m_db.exec(QStringLiteral("UPDATE TB_Pedido SET ped_Status = 'CANCELADO', fl_sincroniza "
                                 "= 'S', ped_Valor_Pago = 0, ped_Troco = 0, ped_Total = 0 WHERE "
                                 "ped_ono = ? AND (ped_Status IS NULL OR ped_Status <> "
                                 "'CANCELADO')"),
                  {numero})
            .numRowsAffected();
    if (cabecalho == 0) {
        const bool existe =
            m_db.scalar(QStringLiteral("SELECT 1 FROM TB_Pedido WHERE ped_ono = ?"), {numero})
                .isValid();
        return existe ? Cancelamento::JaCancelado : Cancelamento::NaoEncontrado;
    }
    // The zeroed items must reach the online backup as well as the header.
    m_db.exec(QStringLiteral("UPDATE TB_Item SET ite_Quantidade = 0, ite_Preco = 0, ite_Total = "
                             "0, fl_sincroniza = 'S' WHERE ite_Ono = ?"),
              {numero});
    transaction.commit();
    return Cancelamento::Cancelado;
}

bool PedidoChanges::atualizaEntregador(qint64 numero, const QString& entregador) {
    Transaction transaction(m_db);
    const int linhas = m_db.exec(QStringLiteral("UPDATE TB_Pedido SET fl_sincroniza = 'S', "
                                                "ped_Entregador = ? WHERE ped_ono = ?"),
                                 {entregador, numero})
                           .numRowsAffected();
    transaction.commit();
    return linhas > 0;
}
