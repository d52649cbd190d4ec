#include "orders/OrderDraft.h"

#include "common/Error.h"

namespace {

std::optional<int> quantidadeDe(const QString& texto) {
    bool ok = false;
    const int valor = texto.trimmed().toInt(&ok);
    return ok ? std::optional<int>(valor) : std::nullopt;
}

Money parseOr(const QString& texto, const QString& qual) {
    const std::optional<Money> valor = Money::parse(texto);
    if (!valor)
        throw Error(QStringLiteral("%1 inválido: \"%2\"").arg(qual, texto));
    return *valor;
}

} // namespace

QStringList OrderDraft::cabecalho(Cabecalho qual) {
    if (qual == Cabecalho::Projeto)
        return {QString(),
                QStringLiteral("CATEGORIA"),
                QStringLiteral("DETALHE DO ITEM"),
                QStringLiteral("QTD"),
                QStringLiteral("PRC UNIT."),
                QStringLiteral("PRC TOTAL")};
    return {QString(),
            QStringLiteral("CATEGORIA"),
            QStringLiteral("PRODUTO DETALHES"),
            QStringLiteral("QUANTIDADE"),
            QStringLiteral("PREÇO UNIT."),
            QStringLiteral("PREÇO TOTAL")};
}

Money OrderDraft::totalDaLinha(const QString& quantidade, const QString& preco,
                               int quantidadeVazia) {
    const int qtd =
        quantidade.trimmed().isEmpty() ? quantidadeVazia : quantidadeDe(quantidade).value_or(0);
    return Money::parse(preco).value_or(Money()) * qtd;
}

QString OrderDraft::textoPreco(const Money& valor) {
    return ItemPedido::texto(valor);
}

OrderDraft::PrecoTaxa OrderDraft::precoTaxa(const std::optional<Money>& atual,
                                            const Money& armazenado) {
    PrecoTaxa taxa;
    taxa.preco = atual && !atual->isZero() ? *atual : armazenado;
    taxa.diferente = taxa.preco != armazenado;
    return taxa;
}

QString OrderDraft::totalTexto() const {
    if (!m_total)
        return QString();
    return m_totalComoTaxa ? m_total->format() : m_total->formatPlain();
}

void OrderDraft::colocaTaxa(const QString& nome, int quantidade, const Money& preco) {
    // The fee's line total is its price, whatever the quantity stored with it.
    m_itens = {ItemPedido{kCategoriaTaxa, nome, quantidade, preco, preco}};
    m_total = preco;
    m_totalComoTaxa = true;
}

ItemPedido OrderDraft::adiciona(const QString& categoria, const QString& produto,
                                const QString& quantidade, const QString& preco) {
    const std::optional<int> qtd = quantidadeDe(quantidade);
    if (!qtd)
        throw Error(QStringLiteral("Quantidade inválida: \"%1\"").arg(quantidade));
    const Money unitario = parseOr(preco, QStringLiteral("Preço"));
    const Money linha = unitario * *qtd;
    const ItemPedido item{categoria, produto, *qtd, unitario, linha};
    m_itens.append(item);
    m_total = m_total.value_or(Money()) + linha;
    m_totalComoTaxa = false;
    return item;
}

void OrderDraft::remove(int linha) {
    // The grid always shows a row: removing the only one (or the blank one) empties it all.
    if (linha < 1 || (linha > m_itens.size() && !m_itens.isEmpty()))
        return;
    if (m_itens.size() <= 1) {
        m_itens.clear();
        m_total.reset();
        m_totalComoTaxa = false;
        m_cabecalho = Cabecalho::Projeto;
        return;
    }
    const ItemPedido removido = m_itens.takeAt(linha - 1);
    m_total = m_total.value_or(Money()) - removido.total;
    m_totalComoTaxa = false;
}

void OrderDraft::limpa() {
    m_itens.clear();
    m_cabecalho = Cabecalho::Limpeza;
    m_total.reset();
    m_totalComoTaxa = false;
    m_forma.clear();
    m_valorPago.clear();
    m_troco.clear();
    m_mensagem.clear();
}

void OrderDraft::setPagamento(const QString& forma, const QString& valorPago,
                              const QString& troco) {
    m_forma = forma;
    m_valorPago = valorPago;
    m_troco = troco;
}

Pedido OrderDraft::pedido() const {
    Pedido pedido;
    pedido.itens = m_itens;
    pedido.total = m_total.value_or(Money());
    pedido.formaPagamento = m_forma;
    pedido.valorPago = m_valorPago;
    pedido.troco = m_troco;
    pedido.mensagem = m_mensagem;
    return pedido;
}
