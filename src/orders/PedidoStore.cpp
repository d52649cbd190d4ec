#include "orders/PedidoStore.h"

#include "common/Error.h"
#include "data/Database.h"
#include "data/Keys.h"
#include "data/Transaction.h"
#include "masterdata/ProdutoStore.h"
#include "masterdata/RegistryQueries.h"

#include <QList>
#include <QSqlQuery>
#include <QVariant>

namespace {

const QString kTaxaEntrega = QStringLiteral("TAXA DE ENTREGA");

qint64 cents(const QString& text) {
    const auto value = Money::parse(text);
    if (!value)
        throw Error(QStringLiteral("Valor inválido: %1").arg(text));
    return value->cents();
}

// A payment not chosen yet stays NULL rather than a made-up zero.
QVariant optionalCents(const QString& text) {
    if (text.trimmed().isEmpty())
        return QVariant(QMetaType::fromType<qint64>());
    return cents(text);
}

} // namespace

std::optional<PedidoStore::UltimaTaxa>
PedidoStore::ultimaTaxaEntrega(const QString& telefone) const {
    // The customer's few orders come from the telephone index, their lines from the item
    // index; the highest order number with a fee line wins. Asked on every call the attendant
    // takes, so kept prepared on the connection.
    std::optional<UltimaTaxa> taxa;
    m_db.execKept(QStringLiteral("SELECT p.ped_ono, i.ite_Nome, i.ite_Quantidade, i.ite_Preco "
                                 "FROM TB_Pedido p JOIN TB_Item i ON i.ite_Ono = p.ped_ono "
                                 "WHERE p.ped_cli_Telefone = ? AND i.ite_cat = ? "
                                 "ORDER BY p.ped_ono DESC LIMIT 1"),
                  {telefone, kTaxaEntrega}, [&taxa](const QSqlQuery& row) {
                      taxa = UltimaTaxa{};
                      taxa->pedido = row.value(0).toLongLong();
                      taxa->nome = registryQueries::textAt(row, 1);
                      taxa->quantidade = row.value(2).toInt();
                      taxa->precoArmazenado = Money::fromCents(row.value(3).toLongLong());
                  });
    if (!taxa)
        return std::nullopt;
    taxa->precoAtual = m_produtos.price(kTaxaEntrega, taxa->nome);
    return taxa;
}

qint64 PedidoStore::finalizar(const Pedido& pedido) {
    const QVariant valorPago = optionalCents(pedido.valorPago);
    const QVariant troco = optionalCents(pedido.troco);

    using registryQueries::storedText;
    Transaction transaction(m_db);
    // Allocated under the write lock, so two workstations never store the same number.
    const qint64 numero = nextKey(m_db, QStringLiteral("TB_Pedido"), QStringLiteral("ped_ono"));
    m_db.execKept(
        QStringLiteral(
            "INSERT INTO TB_Pedido (ped_ono, ped_usu_id, ped_data, ped_cli_Nome, "
            "ped_cli_Tipo, ped_cli_Logradouro, ped_cli_Numero, ped_cli_Complemento, "
            "ped_cli_Bairro, ped_cli_Cidade, ped_cli_UF, ped_cli_CEP, ped_cli_Observacao, "
            "ped_Forma_Pagamento, ped_Valor_Pago, ped_Troco, ped_Total, ped_cli_Telefone, "
            "ped_Mensagem, ped_Status) "
            "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
        {numero,
         pedido.usuId,
         Database::dateValue(pedido.data),
         storedText(pedido.nome),
         storedText(pedido.tipo),
         storedText(pedido.logradouro),
         storedText(pedido.numeroEndereco),
         storedText(pedido.complemento),
         storedText(pedido.bairro),
         storedText(pedido.cidade),
         storedText(pedido.uf),
         storedText(pedido.cep),
         storedText(pedido.observacao),
         storedText(pedido.formaPagamento),
         valorPago,
         troco,
         pedido.total.cents(),
         storedText(pedido.telefone),
         storedText(pedido.mensagem),
         QStringLiteral("CONCLUIDO")});
    headerWritten(numero);
    for (const ItemPedido& item : pedido.itens)
        m_db.execKept(QStringLiteral("INSERT INTO TB_Item (ite_Ono, ite_Nome, ite_Quantidade, "
                                     "ite_Preco, ite_Total, ite_cat) VALUES (?, ?, ?, ?, ?, ?)"),
                      {numero, storedText(item.nome), item.quantidade, item.preco.cents(),
                       item.total.cents(), storedText(item.categoria)});
    transaction.commit();
    return numero;
}
