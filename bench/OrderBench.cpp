#include "OrderBench.h"

#include "BenchRegistry.h"
#include "data/Database.h"
#include "masterdata/ClienteStore.h"
#include "masterdata/ProdutoStore.h"
#include "orders/PedidoStore.h"
#include "orders/Receipt.h"

#include <QSqlQuery>
#include <memory>
#include <stdexcept>

namespace {

const QString& anyOf(const QStringList& list, std::mt19937_64& random) {
    return list.at(std::uniform_int_distribution<qsizetype>(0, list.size() - 1)(random));
}

Pedido fourItemOrder(const QString& telefone) {
    Pedido p;
    p.usuId = 1;
    p.data = QDate::currentDate();
    p.telefone = telefone;
    p.nome = QStringLiteral("CLIENTE D'ÁVILA");
    p.tipo = QStringLiteral("RUA");
    p.logradouro = QStringLiteral("DAS ACÁCIAS");
    p.numeroEndereco = QStringLiteral("120");
    p.bairro = QStringLiteral("CENTRO");
    p.cidade = QStringLiteral("SÃO PAULO");
    p.uf = QStringLiteral("SP");
    p.cep = QStringLiteral("01001-000");
    p.formaPagamento = QStringLiteral("DINHEIRO");
    p.valorPago = QStringLiteral("100,00");
    p.troco = QStringLiteral("12,60");
    p.total = Money::fromCents(8740);
    p.mensagem = QStringLiteral("Troco para 100");
    p.itens = {
        {"TAXA DE ENTREGA", "TAXA DE ENTREGA", 1, Money::fromCents(500), Money::fromCents(500)},
        {"PIZZAS TRADICIONAIS", "CALABRESA GRANDE / MUÇARELA GRANDE", 1, Money::fromCents(4590),
         Money::fromCents(4590)},
        {"REFRIGERANTES", "COCA-COLA 2 LITROS", 2, Money::fromCents(1250), Money::fromCents(2500)},
        {"SOBREMESAS", "PUDIM INDIVIDUAL", 1, Money::fromCents(1150), Money::fromCents(1150)}};
    return p;
}

} // namespace

void registerOrderOperations(BenchRegistry& registry, Database& db, std::mt19937_64& random) {
    const auto telefones = std::make_shared<QStringList>(
        firstColumn(db, QStringLiteral("SELECT cli_Telefone FROM TB_Cliente")));
    const auto produtos = std::make_shared<QStringList>(
        firstColumn(db, QStringLiteral("SELECT pro_Produto FROM TB_Produto")));
    if (telefones->isEmpty() || produtos->isEmpty())
        throw std::runtime_error("the database has no customers or products");
    const auto clientes = std::make_shared<ClienteStore>(db);
    const auto produtoStore = std::make_shared<ProdutoStore>(db);
    const auto pedidos = std::make_shared<PedidoStore>(db);

    registry.add({QStringLiteral("customer by telephone + last fee"), 2.0, 1000,
                  [&random, telefones, clientes, pedidos] {
                      const QString& telefone = anyOf(*telefones, random);
                      if (!clientes->findByTelefone(telefone))
                          throw std::runtime_error("a stored telephone found nothing");
                      pedidos->ultimaTaxaEntrega(telefone);
                  }});
    registry.add({QStringLiteral("flavour list load (%1 products)").arg(produtos->size()), 5.0, 500,
                  [produtoStore] {
                      if (produtoStore->list(std::nullopt, ProdutoStore::Order::ByName).isEmpty())
                          throw std::runtime_error("the price list is empty");
                  }});
    registry.add(
        {QStringLiteral("flavour search keystroke"), 5.0, 1000, [&random, produtos, produtoStore] {
             const QString& name = anyOf(*produtos, random);
             const int letters = std::uniform_int_distribution<int>(1, 4)(random);
             const int from =
                 std::uniform_int_distribution<int>(0, int(name.size()) - letters)(random);
             if (produtoStore
                     ->searchContaining(std::nullopt, name.mid(from, letters),
                                        ProdutoStore::Order::ByName)
                     .isEmpty())
                 throw std::runtime_error("a stored name's piece found nothing");
         }});
    registry.add({QStringLiteral("finalisation of a 4-item order"), 10.0, 300,
                  [&random, telefones, pedidos] {
                      pedidos->finalizar(fourItemOrder(anyOf(*telefones, random)));
                  }});
    const auto recibo = std::make_shared<Pedido>(fourItemOrder(telefones->first()));
    recibo->numero = 123456;
    recibo->mensagem = QStringLiteral("TOCAR O INTERFONE DO BLOCO B, APARTAMENTO 42, E AVISAR "
                                      "QUE A PIZZA CHEGOU");
    registry.add({QStringLiteral("receipt rendering (text and bytes)"), 0.1, 20000, [recibo] {
                      const ReceiptHeader header{true, QStringLiteral("PIZZARIA FORNO À LENHA"),
                                                 QStringLiteral("RUA DAS FLORES, 120"),
                                                 QStringLiteral("(11) 3333-4444")};
                      const QByteArray bytes =
                          receiptBytes(receiptText(*recibo, header, QDateTime::currentDateTime(),
                                                   ReceiptKind::Original),
                                       QString());
                      if (bytes.size() < 500)
                          throw std::runtime_error("the receipt came out short");
                  }});
}
