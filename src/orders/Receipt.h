#pragma once

#include "orders/Pedido.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

// The business header printed at the top of a receipt (settings 8, 2, 4 and 3).
struct ReceiptHeader {
    bool imprime = false;
    QString nomeEmpresa;
    QString enderecoEmpresa;
    QString telefoneEmpresa;
};

// A reprint from the order consultation marks the total with single asterisks.
enum class ReceiptKind { Original, Reprint };

// The 48-column receipt of `pedido` with its ESC/POS codes, every line ending in CR LF.
QString receiptText(const Pedido& pedido, const ReceiptHeader& header, const QDateTime& agora,
                    ReceiptKind kind);

// `text` in the printer's code page: "windows-1252" (also empty), "cp850" or "cp860".
// Throws Error for any other name.
QByteArray receiptBytes(const QString& text, const QString& codificacao);

// A remark or message reaches the receipt in up to three pieces of this many characters.
inline constexpr int kReceiptPieceLength = 48;
inline constexpr int kReceiptTextLength = 3 * kReceiptPieceLength;

// The three 48-character pieces of a remark or message; text past 144 characters is dropped.
QStringList receiptPieces(const QString& text);
