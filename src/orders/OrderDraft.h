#pragma once

#include "common/Money.h"
#include "orders/Pedido.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The order being taken on the order screen: the item grid with its running total, the
// payment and the message. The screen shows it and writes the customer's boxes into the
// snapshot at finalisation; every rule about rows and totals lives here.
class OrderDraft {
public:
    static inline const QString kCategoriaTaxa = QStringLiteral("TAXA DE ENTREGA");

    // The grid's header texts: the design's, rewritten when the last item is removed, and the
    // ones the clearing writes.
    enum class Cabecalho { Projeto, Limpeza };
    static QStringList cabecalho(Cabecalho qual);

    // The line total of the item being composed: quantity × price, each read from its box;
    // an empty or unreadable box counts `quantidadeVazia` / 0.
    static Money totalDaLinha(const QString& quantidade, const QString& preco,
                              int quantidadeVazia = 0);
    // "R$ " followed by the amount as the order screen's boxes show it.
    static QString textoPreco(const Money& valor);

    // The fee offered from the customer's last order: the current price when the fee is still
    // listed with a price, else the one stored with that order; `diferente` tells the
    // attendant to be warned.
    struct PrecoTaxa {
        Money preco;
        bool diferente = false;
    };
    static PrecoTaxa precoTaxa(const std::optional<Money>& atual, const Money& armazenado);

    const QList<ItemPedido>& itens() const { return m_itens; }
    // Rows of the grid with its header: a blank row stands in while there is no item.
    int linhasGrade() const { return int(m_itens.size()) + 1 + (m_itens.isEmpty() ? 1 : 0); }
    Cabecalho cabecalhoAtual() const { return m_cabecalho; }

    // The text of the total box: empty with no item, "R$ 5,00" right after the fee was put in
    // row 1, "1.234,50" otherwise.
    QString totalTexto() const;
    std::optional<Money> total() const { return m_total; }

    // Row 1 becomes the fee, whatever the grid held; the total shows that price.
    void colocaTaxa(const QString& nome, int quantidade, const Money& preco);
    // Adds the item being composed, after the blank row's place or at the end, with its
    // prices written in the grid's form. Throws Error when the quantity or the price is not
    // a number; nothing changes then.
    ItemPedido adiciona(const QString& categoria, const QString& produto, const QString& quantidade,
                        const QString& preco);
    // Removes data row `linha` (1 for the first item); the last one empties the grid and the
    // total and brings back the design's header.
    void remove(int linha);
    // The whole order, as a fresh call starts it.
    void limpa();

    // `gCategoria`: the category of the last product picked; the next added row gets it.
    const QString& categoria() const { return m_categoria; }
    void setCategoria(const QString& categoria) { m_categoria = categoria; }

    void setPagamento(const QString& forma, const QString& valorPago, const QString& troco);
    const QString& formaPagamento() const { return m_forma; }
    const QString& valorPago() const { return m_valorPago; }
    const QString& troco() const { return m_troco; }

    // `gMensagem`.
    const QString& mensagem() const { return m_mensagem; }
    void setMensagem(const QString& mensagem) { m_mensagem = mensagem; }

    // Items, total, payment and message; the caller adds the customer, user and date.
    Pedido pedido() const;

private:
    QList<ItemPedido> m_itens;
    Cabecalho m_cabecalho = Cabecalho::Projeto;
    std::optional<Money> m_total;
    bool m_totalComoTaxa = false;
    QString m_categoria;
    QString m_forma;
    QString m_valorPago;
    QString m_troco;
    QString m_mensagem;
};
