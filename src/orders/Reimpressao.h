#pragma once

#include "orders/Pedido.h"

#include <QDateTime>
#include <QString>
#include <optional>

class Database;
class Settings;

// The receipt snapshot of a stored order, as the consultation shows it: the payment boxes in
// the "##,##0.00" form, the message followed by the status (" - CANCELADO -"), and the
// operator empty when the user is no longer registered.
// None when there is no such order.
std::optional<Pedido> pedidoGravado(Database& db, qint64 numero);

// Prints the stored order again, marked as a reprint, on the receipt printer of the settings.
// Throws DbError when the order is gone or the printer fails.
void reimprimePedido(Database& db, const Settings& settings, const QString& appHome, qint64 numero,
                     const QDateTime& agora);
