#include "orders/DispatchText.h"

#include "orders/Receipt.h"

namespace {

const QString kCrLf = QStringLiteral("\r\n");

void line(QString& out, const QString& text) {
    out += text;
    out += kCrLf;
}

} // namespace

QString dispatchText(const Pedido& pedido, const QDateTime& agora) {
    const QString dashes(48, QLatin1Char('-'));
    const QString equals(36, QLatin1Char('='));
    QString out;
    line(out, equals);
    line(out, QStringLiteral("Delivery System - Brisko v%1.%2.%3")
                  .arg(BRISKO_VERSION_MAJOR)
                  .arg(BRISKO_VERSION_MINOR)
                  .arg(BRISKO_VERSION_PATCH));
    line(out, equals);
    line(out, QStringLiteral("PEDIDO: ") + QString::number(pedido.numero));
    line(out, QStringLiteral("CLIente: ") + pedido.nome.toUpper());
    line(out, QStringLiteral("  "));
    line(out, dashes);
    for (const ItemPedido& item : pedido.itens) {
        line(out, QStringLiteral("QTD.....:") + QString::number(item.quantidade));
        line(out, QStringLiteral("PRODUTO.: ") + item.nome);
        line(out, dashes);
    }
    if (!pedido.mensagem.isEmpty()) {
        line(out, QStringLiteral("MENSAGEM"));
        for (const QString& piece : receiptPieces(pedido.mensagem)) {
            if (!piece.isEmpty()) {
                line(out, piece);
            }
        }
        line(out, dashes);
    }
    line(out, QStringLiteral("Gerado às ") + agora.date().toString(QStringLiteral("dd/MM/yyyy")) +
                  QStringLiteral(" : ") + agora.time().toString(QStringLiteral("HH:mm:ss")));
    return out;
}
