#include "common/Error.h"
#include "orders/OrderDraft.h"

#include <QTest>

class TestOrderDraft : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lineTotalReadsTheBoxesAsTyped_data();
    void lineTotalReadsTheBoxesAsTyped();
    void itemsAddUpAndTheTotalUsesThePlainForm();
    void theFeeTakesRowOneAndTheFirstItemGoesAfterIt();
    void removingTheOnlyItemRestoresTheDesignHeader();
    void removingOneOfSeveralSubtractsItsLineTotal();
    void aDiscountRowLowersTheTotalAndMayMakeItNegative();
    void anUnreadableQuantityOrPriceChangesNothing();
    void feePriceFollowsTheCurrentListWhenItHasOne_data();
    void feePriceFollowsTheCurrentListWhenItHasOne();
    void clearingEmptiesEverythingAndWritesTheClearingHeader();
};

void TestOrderDraft::lineTotalReadsTheBoxesAsTyped_data() {
    QTest::addColumn<QString>("quantidade");
    QTest::addColumn<QString>("preco");
    QTest::addColumn<int>("vazia");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("two at ten") << "2"
                                << "R$ 10,00" << 0 << "R$ 20,00";
    QTest::newRow("plain price") << "3"
                                 << "1.234,50" << 0 << "R$ 3.703,50";
    QTest::newRow("empty quantity counts 0") << ""
                                             << "R$ 10,00" << 0 << "R$ 0,00";
    QTest::newRow("empty quantity on leaving the price counts 1") << ""
                                                                  << "R$ 10,00" << 1 << "R$ 10,00";
    QTest::newRow("empty price") << "4"
                                 << "" << 0 << "R$ 0,00";
    QTest::newRow("discount") << "1"
                              << "R$ -5,00" << 0 << "R$ -5,00";
}

void TestOrderDraft::lineTotalReadsTheBoxesAsTyped() {
    QFETCH(QString, quantidade);
    QFETCH(QString, preco);
    QFETCH(int, vazia);
    QFETCH(QString, esperado);
    QCOMPARE(OrderDraft::textoPreco(OrderDraft::totalDaLinha(quantidade, preco, vazia)), esperado);
}

void TestOrderDraft::itemsAddUpAndTheTotalUsesThePlainForm() {
    OrderDraft draft;
    QCOMPARE(draft.linhasGrade(), 2); // header and the blank row
    QCOMPARE(draft.totalTexto(), QString());
    const ItemPedido pizza = draft.adiciona("PIZZAS", "CALABRESA / MUSSARELA", "2", "R$ 35,00");
    QCOMPARE(pizza, (ItemPedido{"PIZZAS", "CALABRESA / MUSSARELA", 2, Money::fromCents(3500),
                                Money::fromCents(7000)}));
    draft.adiciona("BEBIDAS", "REFRIGERANTE 2L", "1", "R$ 1.010,5");
    QCOMPARE(draft.linhasGrade(), 3);
    QCOMPARE(draft.itens().at(1).preco, Money::fromCents(101050));
    QCOMPARE(draft.totalTexto(), QString("1.080,50"));
    QCOMPARE(draft.pedido().total, Money::fromCents(108050));
}

void TestOrderDraft::theFeeTakesRowOneAndTheFirstItemGoesAfterIt() {
    OrderDraft draft;
    draft.colocaTaxa("CENTRO", 1, Money::fromCents(500));
    QCOMPARE(draft.itens().size(), 1);
    QCOMPARE(draft.itens().first(), (ItemPedido{"TAXA DE ENTREGA", "CENTRO", 1,
                                                Money::fromCents(500), Money::fromCents(500)}));
    QCOMPARE(draft.totalTexto(), QString("R$ 5,00"));
    draft.adiciona("PIZZAS", "CALABRESA", "1", "R$ 30,00");
    QCOMPARE(draft.itens().size(), 2);
    QCOMPARE(draft.itens().at(1).nome, QString("CALABRESA"));
    QCOMPARE(draft.totalTexto(), QString("35,00"));
}

void TestOrderDraft::removingTheOnlyItemRestoresTheDesignHeader() {
    OrderDraft draft;
    draft.limpa();
    QCOMPARE(draft.cabecalhoAtual(), OrderDraft::Cabecalho::Limpeza);
    draft.adiciona("PIZZAS", "CALABRESA", "1", "R$ 30,00");
    draft.remove(1);
    QVERIFY(draft.itens().isEmpty());
    QCOMPARE(draft.totalTexto(), QString());
    QCOMPARE(draft.cabecalhoAtual(), OrderDraft::Cabecalho::Projeto);
    QCOMPARE(OrderDraft::cabecalho(draft.cabecalhoAtual()).at(2), QString("DETALHE DO ITEM"));
    QCOMPARE(OrderDraft::cabecalho(OrderDraft::Cabecalho::Limpeza).at(4), QString("PREÇO UNIT."));
}

void TestOrderDraft::removingOneOfSeveralSubtractsItsLineTotal() {
    OrderDraft draft;
    draft.colocaTaxa("CENTRO", 1, Money::fromCents(500));
    draft.adiciona("PIZZAS", "CALABRESA", "2", "R$ 30,00");
    draft.adiciona("BEBIDAS", "SUCO", "1", "R$ 8,00");
    draft.remove(2);
    QCOMPARE(draft.itens().size(), 2);
    QCOMPARE(draft.itens().at(1).nome, QString("SUCO"));
    QCOMPARE(draft.totalTexto(), QString("13,00"));
    draft.remove(7); // no such row
    QCOMPARE(draft.itens().size(), 2);
}

void TestOrderDraft::aDiscountRowLowersTheTotalAndMayMakeItNegative() {
    OrderDraft draft;
    draft.adiciona("PIZZAS", "CALABRESA", "1", "R$ 8,00");
    const ItemPedido desconto = draft.adiciona("PIZZAS", "Desconto", "1", "R$ -10,00");
    QCOMPARE(desconto.total, Money::fromCents(-1000));
    QCOMPARE(draft.totalTexto(), QString("-2,00"));
}

void TestOrderDraft::anUnreadableQuantityOrPriceChangesNothing() {
    OrderDraft draft;
    draft.adiciona("PIZZAS", "CALABRESA", "1", "R$ 8,00");
    QVERIFY_THROWS_EXCEPTION(Error, draft.adiciona("X", "Y", "dois", "R$ 1,00"));
    QVERIFY_THROWS_EXCEPTION(Error, draft.adiciona("X", "Y", "1", "oito"));
    QCOMPARE(draft.itens().size(), 1);
    QCOMPARE(draft.totalTexto(), QString("8,00"));
}

void TestOrderDraft::feePriceFollowsTheCurrentListWhenItHasOne_data() {
    QTest::addColumn<int>("atual"); // -1: the fee is no longer listed
    QTest::addColumn<int>("armazenado");
    QTest::addColumn<int>("esperado");
    QTest::addColumn<bool>("diferente");
    QTest::newRow("unchanged") << 500 << 500 << 500 << false;
    QTest::newRow("changed: current price after the warning") << 700 << 500 << 700 << true;
    QTest::newRow("no longer listed: old price, no warning") << -1 << 500 << 500 << false;
    QTest::newRow("listed at zero: old price") << 0 << 500 << 500 << false;
}

void TestOrderDraft::feePriceFollowsTheCurrentListWhenItHasOne() {
    QFETCH(int, atual);
    QFETCH(int, armazenado);
    QFETCH(int, esperado);
    QFETCH(bool, diferente);
    const std::optional<Money> listado =
        atual < 0 ? std::nullopt : std::optional<Money>(Money::fromCents(atual));
    const OrderDraft::PrecoTaxa taxa = OrderDraft::precoTaxa(listado, Money::fromCents(armazenado));
    QCOMPARE(taxa.preco.cents(), esperado);
    QCOMPARE(taxa.diferente, diferente);
}

void TestOrderDraft::clearingEmptiesEverythingAndWritesTheClearingHeader() {
    OrderDraft draft;
    draft.colocaTaxa("CENTRO", 1, Money::fromCents(500));
    draft.setCategoria("PIZZAS");
    draft.setPagamento("DINHEIRO", "50,00", "45,00");
    draft.setMensagem("SEM CEBOLA");
    draft.limpa();
    const Pedido vazio = draft.pedido();
    QVERIFY(vazio.itens.isEmpty());
    QVERIFY(vazio.total.isZero() && vazio.formaPagamento.isEmpty() && vazio.valorPago.isEmpty() &&
            vazio.troco.isEmpty() && vazio.mensagem.isEmpty());
    QCOMPARE(draft.linhasGrade(), 2);
    QCOMPARE(draft.cabecalhoAtual(), OrderDraft::Cabecalho::Limpeza);
}

QTEST_APPLESS_MAIN(TestOrderDraft)
#include "TestOrderDraft.moc"
