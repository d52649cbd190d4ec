#pragma once

#include <QString>

class Database;

// The writes made to a stored order: cancellation and the delivery person. Each is one
// transaction and marks what it changed for the online backup.
class PedidoChanges {
public:
    enum class Cancelamento { Cancelado, JaCancelado, NaoEncontrado };

    explicit PedidoChanges(Database& db) : m_db(db) {}

    // Header (status "CANCELADO", amounts paid, change and total zeroed) and every item
    // (quantity and prices zeroed) together. The status is checked inside the transaction, so
    // of two workstations cancelling at once one cancels and the other is told it already was.
    Cancelamento cancelar(qint64 numero);
    // False when there is no such order.
    bool atualizaEntregador(qint64 numero, const QString& entregador);

private:
    Database& m_db;
};
