#pragma once

#include "orders/Pedido.h"

#include <QDateTime>
#include <QString>

// The plain-text summary of an order for the delivery person, every line ending in CR LF.
QString dispatchText(const Pedido& pedido, const QDateTime& agora);
