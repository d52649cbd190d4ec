#include "orders/Receipt.h"

#include "common/Codepage.h"
#include "common/Error.h"

#include <QStringList>

namespace {

const QChar kEsc(27);
const QChar kGs(29);
const QChar kBel(7);
const QString kCrLf = QStringLiteral("\r\n");
constexpr int kPieceLength = kReceiptPieceLength;
constexpr int kPieces = 3;

QString version() {
    return QStringLiteral("%1.%2.%3")
        .arg(BRISKO_VERSION_MAJOR)
        .arg(BRISKO_VERSION_MINOR)
        .arg(BRISKO_VERSION_PATCH);
}

// Builds lines the way a line printer is fed: text appended, Tab(n) moving to column n.
class Lines {
public:
    Lines& text(const QString& t) {
        m_out += t;
        m_column += static_cast<int>(t.size());
        return *this;
    }
    // Columns count from 1; a line already at or past column n continues on the next one.
    Lines& tab(int n) {
        if (m_column + 1 > n) {
            end();
        }
        const int pad = n - 1 - m_column;
        return text(QString(pad, QLatin1Char(' ')));
    }
    Lines& end() {
        m_out += kCrLf;
        m_column = 0;
        return *this;
    }
    Lines& line(const QString& t) { return text(t).end(); }
    QString result() const { return m_out; }

private:
    QString m_out;
    int m_column = 0;
};

QString rule(QChar c) {
    return QString(kPieceLength, c);
}

} // namespace

QStringList receiptPieces(const QString& text) {
    QStringList pieces;
    for (int i = 0; i < kPieces; ++i) {
        pieces.append(text.mid(i * kPieceLength, kPieceLength));
    }
    return pieces;
}

QString receiptText(const Pedido& pedido, const ReceiptHeader& header, const QDateTime& agora,
                    ReceiptKind kind) {
    Lines out;
    out.line(QString(kEsc) + QLatin1Char('F'));
    if (header.imprime) {
        out.line(rule(QLatin1Char('=')));
        out.line(QStringLiteral("Delivery System - Brisko v") + version());
        out.line(rule(QLatin1Char('=')));
        out.line(QString(kEsc) + QLatin1Char('E'));
        out.line(QString(kEsc) + QLatin1Char('E') + header.nomeEmpresa + kEsc + QLatin1Char('F'));
        out.line(QStringLiteral("RUA: ") + header.enderecoEmpresa);
        out.line(QStringLiteral("Tel: ") + header.telefoneEmpresa);
        out.line(QStringLiteral("OP.: ") + QString::number(pedido.usuId) + QStringLiteral(" - ") +
                 pedido.usuario);
        out.line(rule(QLatin1Char('-')));
    }
    out.text(agora.date().toString(QStringLiteral("dd/MM/yyyy")))
        .tab(18)
        .text(QStringLiteral("CUPOM NAO FISCAL"))
        .tab(40)
        .line(agora.time().toString(QStringLiteral("HH:mm:ss")));
    out.line(QStringLiteral(" "));
    out.line(QStringLiteral("PEDIDO: ") + QString::number(pedido.numero) + QStringLiteral(" - ") +
             pedido.nome);
    out.line(QStringLiteral("TELEFONE: ") + pedido.telefone);
    out.line(pedido.tipo + QStringLiteral(": ") + pedido.logradouro + QStringLiteral(", ") +
             pedido.numeroEndereco);
    out.line(pedido.complemento + QStringLiteral(" - ") + pedido.bairro + QStringLiteral(" - ") +
             pedido.cidade);
    if (!pedido.cep.isEmpty()) {
        out.line(QStringLiteral("CEP: ") + pedido.cep);
    }
    if (!pedido.observacao.isEmpty()) {
        out.line(QStringLiteral(" "));
        out.line(QStringLiteral("OBSERVACAO"));
        for (const QString& piece : receiptPieces(pedido.observacao)) {
            out.line(piece);
        }
    }
    out.line(rule(QLatin1Char('-')));
    out.text(QStringLiteral("QTD."))
        .tab(6)
        .text(QStringLiteral("PRODUTO"))
        .tab(31)
        .text(QStringLiteral("VL.ITEM"))
        .tab(40)
        .line(QStringLiteral("TOTAL"));
    for (const ItemPedido& item : pedido.itens) {
        out.text(QString::number(item.quantidade))
            .tab(6)
            .text(item.nome)
            .tab(31)
            .text(ItemPedido::texto(item.preco))
            .tab(40)
            .line(ItemPedido::texto(item.total));
    }
    out.line(rule(QLatin1Char('-')));
    const bool reprint = kind == ReceiptKind::Reprint;
    out.line(QStringLiteral("ITEM(S) ") + QString::number(pedido.itens.size()) +
             QStringLiteral("  TROCO R$ ") + pedido.troco +
             (reprint ? QStringLiteral("  * TOTAL R$ ") : QStringLiteral("  ** TOTAL R$ ")) +
             pedido.total.formatPlain() + (reprint ? QStringLiteral(" *") : QStringLiteral(" **")));
    out.line(QStringLiteral("MODO: ") + pedido.formaPagamento + QStringLiteral(" - ") +
             QStringLiteral("RECEBER: R$") + pedido.valorPago);
    out.line(rule(QLatin1Char('-')));
    if (!pedido.mensagem.isEmpty()) {
        out.line(QString(kEsc) + QStringLiteral("EMENSAGEM") + kEsc + QLatin1Char('F'));
        for (const QString& piece : receiptPieces(pedido.mensagem)) {
            if (!piece.isEmpty()) {
                out.line(piece);
            }
        }
    }
    out.line(QString(kBel));
    out.line(QString(kEsc) + QLatin1Char('w'));
    out.line(QString(kEsc) + QLatin1Char('m'));
    out.line(QString(kGs) + QLatin1Char('V') + QChar(0));
    return out.result();
}

QByteArray receiptBytes(const QString& text, const QString& codificacao) {
    const QString name = codificacao.trimmed().toLower();
    if (name.isEmpty() || name == QLatin1String("windows-1252")) {
        return codepage::toWin1252(text);
    }
    if (name == QLatin1String("cp850")) {
        return codepage::toCp850(text);
    }
    if (name == QLatin1String("cp860")) {
        return codepage::toCp860(text);
    }
    throw Error(QStringLiteral("Codificação do cupom desconhecida: \"%1\" (CodificacaoCupom "
                               "aceita windows-1252, cp850 ou cp860).")
                    .arg(codificacao));
}
