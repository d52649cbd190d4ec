// ctest-label: db
#include "masterdata/CategoriaStore.h"
#include "masterdata/ProdutoStore.h"
#include "masterdata/screens/ProdutoLookup.h"
#include "masterdata/screens/frmProduto.h"
#include "support/ScreenFixture.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTreeView>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

using State = RegistryScreenBase::State;

struct Fixture : RegistryFixture<frmProduto> {
    void categorias(const QStringList& names) {
        CategoriaStore store(*db);
        for (const QString& name : names)
            store.insert(name);
    }
    qint64 produto(const QString& categoria, const QString& nome, qint64 cents) {
        Produto produto;
        produto.categoria = categoria;
        produto.nome = nome;
        produto.preco = Money::fromCents(cents);
        return ProdutoStore(*db).insert(produto).value();
    }
    QVariant ofProduct(const char* column, qint64 codigo) {
        return db->scalar(
            u"SELECT %1 FROM TB_Produto WHERE Pro_ID = ?"_s.arg(QLatin1String(column)), {codigo});
    }
};

QStringList items(const QComboBox& combo) {
    QStringList texts;
    for (int i = 0; i < combo.count(); ++i)
        texts << combo.itemText(i);
    return texts;
}

void expectBrowse(frmProduto& screen) {
    expectState(screen, RegistryScreenBase::State::Browse,
                {screen.btnTrocar(), screen.fraCodigo(), screen.cboCategoria(), screen.txtProduto(),
                 screen.txtPreco(), screen.mskRep_Telefone()});
}

} // namespace

class TestfrmProduto : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void refusesToIncludeWithoutCategories() {
        Fixture f;
        expectBrowse(*f.screen);
        QCOMPARE(f.screen->txtProduto()->maxLength(), 100);
        f.screen->btnIncluir_Click();
        QCOMPARE(f.messages.texts(),
                 QStringList{"Favor cadastrar a categoria antes de cadastrar o produto"});
        QCOMPARE(f.messages.last().caption, u"Brisko"_s);
        QCOMPARE(f.screen->state(), State::Browse);
        QVERIFY(!f.screen->btnSalvar()->isEnabled());
        QVERIFY(f.screen->txtProduto()->isEnabled()); // emptied and unlocked all the same
        f.screen->txtProduto()->setText(u"PIZZA"_s);
        f.screen->btnSalvar()->click();
        QCOMPARE(f.count("TB_Produto"), 0);
    }

    void validatesAndIncludesWithTheNextCode() {
        Fixture f;
        f.categorias({u"PIZZAS"_s, u"BEBIDAS"_s});
        f.screen->btnIncluir_Click();
        expectState(*f.screen, State::Inclusion, {f.screen->btnTrocar(), f.screen->txtPreco()});
        QCOMPARE(items(*f.screen->cboCategoria()), (QStringList{"BEBIDAS", "PIZZAS"}));
        QCOMPARE(f.screen->cboCategoria()->currentText(), u"BEBIDAS"_s);
        QTRY_VERIFY(f.screen->isActiveWindow());
        QCOMPARE(f.screen->focusWidget(), f.screen->cboCategoria());

        // Checked in order, each sending the focus where the description says.
        f.screen->cboCategoria()->setCurrentIndex(-1);
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.last().text, u"Informe a categoria do produto!!!"_s);
        QCOMPARE(f.messages.last().caption, u"Aviso"_s);
        QCOMPARE(QApplication::focusWidget(), f.screen->txtProduto());
        // Typing picks a listed category; nothing else can be typed in.
        QVERIFY(!f.screen->cboCategoria()->isEditable());
        QTest::keyClicks(f.screen->cboCategoria(), u"p"_s);
        QCOMPARE(f.screen->cboCategoria()->currentText(), u"PIZZAS"_s);
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.last().text, u"Informe o produto!!!"_s);
        QCOMPARE(QApplication::focusWidget(), f.screen->txtProduto());
        QTest::keyClicks(f.screen->txtProduto(), u"  mussarela "_s);
        QCOMPARE(f.screen->txtProduto()->text(), u"  MUSSARELA "_s);
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.last().text, u"Informe o valor do produto!!!"_s);
        QCOMPARE(QApplication::focusWidget(), f.screen->txtPreco());
        QTest::keyClicks(f.screen->txtPreco(), u"1,2,5"_s);
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.last().text, u"Valor do produto inválido!!!"_s);
        QCOMPARE(f.screen->state(), State::Inclusion);
        QCOMPARE(f.count("TB_Produto"), 0);

        f.screen->txtPreco()->clear();
        QTest::keyClicks(f.screen->txtPreco(), u"R$1.234,50x"_s);
        QCOMPARE(f.screen->txtPreco()->text(), u"1.234,50"_s);
        f.screen->btnTrocar()->click();
        QCOMPARE(f.screen->txtDescricao()->text(), u"MUSSARELA"_s);
        typeText(f.screen->txtFornecedor(), u"laticínios"_s);
        QCOMPARE(f.screen->txtFornecedor()->text(), u"LATICÍNIOS"_s);
        f.screen->mskRep_Telefone()->setText(u"5555-1234"_s);
        f.messages.clear();
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.texts(), QStringList{"Produto cadastrado com sucesso"});
        QCOMPARE(f.screen->txtCodigo()->text(), u"1"_s);
        expectBrowse(*f.screen);
        QSqlQuery row = f.db->exec(QStringLiteral(
            "SELECT pro_Categoria, pro_Produto, Pro_Preco, Pro_Descricao, pro_Fornecedor, "
            "pro_Rep_Telefone, fl_sincroniza FROM TB_Produto WHERE Pro_ID = 1"));
        QVERIFY(row.next());
        QCOMPARE(row.value(0).toString(), u"PIZZAS"_s);
        QCOMPARE(row.value(1).toString(), u"  MUSSARELA "_s); // as typed
        QCOMPARE(row.value(2).toLongLong(), 123450);
        QCOMPARE(row.value(3).toString(), u"MUSSARELA"_s);
        QCOMPARE(row.value(4).toString(), u"LATICÍNIOS"_s);
        QCOMPARE(row.value(5).toString(), u"5555-1234"_s);
        QVERIFY(row.value(6).isNull());
        row.finish(); // an open read would keep this connection on its old snapshot

        // After 1, 2 and 5 comes 6.
        for (const char* nome : {"B", "C", "D", "E"})
            f.produto(u"PIZZAS"_s, QLatin1String(nome), 100);
        ProdutoStore(*f.db).remove(3);
        ProdutoStore(*f.db).remove(4);
        f.screen->btnIncluir_Click();
        QVERIFY(f.screen->txtProduto()->text().isEmpty());
        f.screen->txtProduto()->setText(u"F"_s);
        f.screen->txtPreco()->setText(u"0,99"_s);
        f.screen->btnSalvar_Click();
        QCOMPARE(f.screen->txtCodigo()->text(), u"6"_s);
        QCOMPARE(f.ofProduct("Pro_Preco", 6).toLongLong(), 99);
    }

    void aTakenNameIsEmptiedOnLeavingInInclusionOnly() {
        Fixture f;
        f.categorias({u"PIZZAS"_s});
        f.produto(u"PIZZAS"_s, u"CALABRESA"_s, 3000);
        f.screen->btnIncluir_Click();
        QTRY_VERIFY(f.screen->isActiveWindow());
        f.screen->txtProduto()->setFocus();
        f.screen->txtProduto()->setText(u"calabresa"_s);
        f.screen->txtPreco()->setFocus(Qt::TabFocusReason);
        QCOMPARE(f.messages.texts(), QStringList{"Produto já esta cadastrado"});
        QVERIFY(f.screen->txtProduto()->text().isEmpty());
        QCOMPARE(QApplication::focusWidget(), f.screen->txtProduto());

        // A change keeps its own name without a word.
        f.messages.clear();
        onNextDialog<frmSelecionar_Produto>(
            [](frmSelecionar_Produto& dialog) { dialog.btnProcurar1()->click(); });
        f.screen->btnEditar_Click();
        QCOMPARE(f.screen->focusWidget(), f.screen->txtProduto());
        QApplication::setActiveWindow(f.screen.get());
        QTRY_VERIFY(f.screen->isActiveWindow());
        f.screen->txtProduto()->setFocus();
        f.screen->txtPreco()->setFocus(Qt::TabFocusReason);
        QCOMPARE(f.messages.count(), 0);
        QCOMPARE(f.screen->txtProduto()->text(), u"CALABRESA"_s);
    }

    void editsThePickedProduct() {
        Fixture f;
        f.screen->btnEditar_Click();
        f.screen->btnDeletar_Click();
        QCOMPARE(f.messages.texts(), (QStringList{"Não existem produtos cadastrados",
                                                  "Não existem produtos cadastrados"}));
        expectBrowse(*f.screen);

        f.categorias({u"PIZZAS"_s, u"BEBIDAS"_s});
        f.produto(u"PIZZAS"_s, u"CALABRESA"_s, 3000);
        Produto guarana;
        guarana.categoria = u"BEBIDAS"_s;
        guarana.nome = u"GUARANÁ"_s;
        guarana.preco = Money::fromCents(123450);
        guarana.descricao = u"LATA"_s;
        guarana.fornecedor = u"ANTARCTICA"_s;
        guarana.representante = u"JOSÉ"_s;
        guarana.repTelefone = u"1234-5678"_s;
        ProdutoStore(*f.db).insert(guarana);
        onNextDialog<frmSelecionar_Produto>([](frmSelecionar_Produto& dialog) {
            QCOMPARE(dialog.titleLabel()->text(), u"Selecionar Produto"_s);
            QCOMPARE(listed(dialog, 4),
                     (QStringList{"2|BEBIDAS|GUARANÁ|R$ 1.234,50", "1|PIZZAS|CALABRESA|R$ 30,00"}));
            pickRow(dialog, 0);
        });
        f.messages.clear();
        f.screen->btnEditar_Click();
        QCOMPARE(f.messages.count(), 0);
        QCOMPARE(f.screen->state(), State::Change);
        QCOMPARE(f.screen->txtCodigo()->text(), u"2"_s);
        QCOMPARE(f.screen->txtProduto()->text(), u"GUARANÁ"_s);
        QCOMPARE(f.screen->txtPreco()->text(), u"1.234,50"_s);
        QCOMPARE(f.screen->txtDescricao()->text(), u"LATA"_s);
        QCOMPARE(f.screen->txtFornecedor()->text(), u"ANTARCTICA"_s);
        QCOMPARE(f.screen->txtRepresentante()->text(), u"JOSÉ"_s);
        QCOMPARE(f.screen->mskRep_Telefone()->text(), u"1234-5678"_s);
        QCOMPARE(items(*f.screen->cboCategoria()), (QStringList{"BEBIDAS", "PIZZAS"}));
        QCOMPARE(f.screen->cboCategoria()->currentText(), u"BEBIDAS"_s);
        QCOMPARE(f.screen->focusWidget(), f.screen->txtProduto());

        f.screen->txtPreco()->clear();
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.texts(), QStringList{"Informe o tipo preço do produto!!!"});
        QCOMPARE(f.screen->focusWidget(), f.screen->txtPreco());

        f.screen->txtPreco()->setText(u"7,5"_s);
        f.screen->cboCategoria()->setCurrentIndex(1);
        f.messages.clear();
        f.messages.answer({false, true});
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.texts(), (QStringList{"Deseja alterar o cadastro do produto GUARANÁ ?",
                                                  " Operação cancelada"}));
        QCOMPARE(f.screen->state(), State::Change);
        QVERIFY(f.ofProduct("fl_sincroniza", 2).isNull());
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.last().text, u"Produto alterado com sucesso!!!"_s);
        expectBrowse(*f.screen);
        QCOMPARE(f.ofProduct("fl_sincroniza", 2).toString(), u"S"_s);
        QCOMPARE(f.ofProduct("Pro_Preco", 2).toLongLong(), 750);
        QCOMPARE(f.ofProduct("pro_Categoria", 2).toString(), u"PIZZAS"_s);
        QVERIFY(f.ofProduct("fl_sincroniza", 1).isNull());
    }

    void changesAProductWhoseCategoryIsGone() {
        Fixture f;
        f.produto(u"LANCHES"_s, u"X-BURGUER"_s, 1500);
        onNextDialog<frmSelecionar_Produto>(
            [](frmSelecionar_Produto& dialog) { dialog.btnProcurar1()->click(); });
        f.screen->btnEditar_Click();
        QCOMPARE(f.messages.texts(), QStringList{"Não existe categoria cadastrada, favor "
                                                 "cadastrar a categoria antes de cadastrar o "
                                                 "produto"});
        QCOMPARE(f.messages.last().caption, u"Brisko"_s);
        QCOMPARE(f.screen->state(), State::Change);
        QCOMPARE(f.screen->cboCategoria()->currentText(), u"LANCHES"_s);

        // Renaming onto another product's name is refused by the save.
        f.produto(u"LANCHES"_s, u"X-SALADA"_s, 1700);
        f.screen->txtProduto()->setText(u"X-SALADA"_s);
        f.messages.clear();
        f.messages.answer({true});
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.last().text, u"Produto já esta cadastrado"_s);
        QCOMPARE(f.screen->state(), State::Change);
        f.screen->txtProduto()->setText(u"X-TUDO"_s);
        f.messages.answer({true});
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.last().text, u"Produto alterado com sucesso!!!"_s);
        QCOMPARE(f.ofProduct("pro_Categoria", 1).toString(), u"LANCHES"_s);
    }

    void deletesWithYesOnly() {
        Fixture f;
        f.categorias({u"PIZZAS"_s});
        f.produto(u"PIZZAS"_s, u"CALABRESA"_s, 3000);
        f.produto(u"PIZZAS"_s, u"MUSSARELA"_s, 2800);

        pickNext<frmSelecionar_Produto>(-1);
        f.screen->btnDeletar_Click();
        expectBrowse(*f.screen);
        QCOMPARE(f.messages.count(), 0); // nothing asked

        f.messages.answer({false});
        pickNext<frmSelecionar_Produto>(1);
        f.screen->btnDeletar_Click();
        QCOMPARE(f.messages.texts(),
                 (QStringList{"Deseja deletar o produto MUSSARELA ?", " OPERAÇÃO CANCELADA"}));
        expectBrowse(*f.screen);
        QVERIFY(f.screen->txtProduto()->text().isEmpty());

        f.messages.clear();
        f.messages.answer({true});
        pickNext<frmSelecionar_Produto>(1);
        f.screen->btnDeletar_Click();
        QCOMPARE(f.messages.texts(), (QStringList{"Deseja deletar o produto MUSSARELA ?",
                                                  " Produto deletado com sucesso"}));
        expectBrowse(*f.screen);
        QCOMPARE(f.column(u"SELECT pro_Produto FROM TB_Produto"_s).toString(), u"CALABRESA"_s);
        QCOMPARE(f.count("TB_Produto"), 1);
    }

    void dialogsFilterByCategoryAndName() {
        Fixture f;
        f.categorias({u"PIZZAS"_s, u"PIZZA"_s, u"BEBIDAS"_s});
        f.produto(u"PIZZAS"_s, u"CALABRESA"_s, 3000);       // 1
        f.produto(u"BEBIDAS"_s, u"COCA"_s, 600);            // 2
        f.produto(u"PIZZA"_s, u"CALABRESA GRANDE"_s, 4000); // 3
        f.produto(u"PIZZAS"_s, u"CAIPIRA"_s, 3200);         // 4
        f.screen->btnIncluir_Click();
        onNextDialog<frmLocalizar_Produto>([](frmLocalizar_Produto& dialog) {
            QCOMPARE(dialog.titleLabel()->text(), u"Localizar Produto"_s);
            QCOMPARE(items(*dialog.cboCategoria()),
                     (QStringList{"BEBIDAS", "PIZZA", "PIZZAS", "TODOS"}));
            QCOMPARE(dialog.cboCategoria()->currentText(), u"TODOS"_s);
            QCOMPARE(listed(dialog, 4),
                     (QStringList{"2|BEBIDAS|COCA|R$ 6,00", "3|PIZZA|CALABRESA GRANDE|R$ 40,00",
                                  "1|PIZZAS|CALABRESA|R$ 30,00", "4|PIZZAS|CAIPIRA|R$ 32,00"}));

            // Typing narrows across every category, deleting widens again.
            typeText(dialog.txtProduto(), u"c'ça"_s);
            QCOMPARE(dialog.txtProduto()->text(), u"CA"_s); // search filter
            QCOMPARE(dialog.rowCount(), 3);
            QTest::keyClicks(dialog.txtProduto(), u"l"_s);
            QCOMPARE(listed(dialog, 4), (QStringList{"1|PIZZAS|CALABRESA|R$ 30,00",
                                                     "3|PIZZA|CALABRESA GRANDE|R$ 40,00"}));
            QTest::keyClick(dialog.txtProduto(), Qt::Key_Backspace);
            QCOMPARE(dialog.rowCount(), 3);
            dialog.txtProduto()->clear();
            QCOMPARE(dialog.rowCount(), 4);

            // A category lists those beginning with it; typing keeps to that very category.
            dialog.cboCategoria()->setCurrentText(u"PIZZA"_s);
            QCOMPARE(listed(dialog, 4),
                     (QStringList{"3|PIZZA|CALABRESA GRANDE|R$ 40,00",
                                  "1|PIZZAS|CALABRESA|R$ 30,00", "4|PIZZAS|CAIPIRA|R$ 32,00"}));
            QTest::keyClicks(dialog.txtProduto(), u"ca"_s);
            QCOMPARE(listed(dialog, 4), QStringList{"3|PIZZA|CALABRESA GRANDE|R$ 40,00"});
            QTest::keyClicks(dialog.txtProduto(), u"x"_s);
            QCOMPARE(dialog.rowCount(), 0);
            dialog.btnProcurar1()->click();
            QVERIFY(dialog.isVisible()); // not found: box emptied, list back
            QVERIFY(dialog.txtProduto()->text().isEmpty());
            QCOMPARE(dialog.rowCount(), 1);

            // The row of another category shown under PIZZA is the one picked.
            dialog.cboCategoria()->setCurrentText(u"PIZZA"_s);
            dialog.cboCategoria()->setCurrentText(u"BEBIDAS"_s);
            dialog.cboCategoria()->setCurrentText(u"PIZZA"_s);
            QCOMPARE(dialog.rowCount(), 3);
            pickRow(dialog, 1);
        });
        f.screen->btnProcurar1_Click();
        QCOMPARE(f.messages.texts(), QStringList{"Produto não cadastrado!!!"});
        QCOMPARE(f.messages.last().caption, u"Brisko"_s);
        expectBrowse(*f.screen);
        QCOMPARE(f.screen->txtCodigo()->text(), u"1"_s);
        QCOMPARE(f.screen->txtProduto()->text(), u"CALABRESA"_s);
        QCOMPARE(f.screen->cboCategoria()->currentText(), u"PIZZAS"_s);
    }

    void localizarShowsAnyNameAndAGoneCategory() {
        Fixture f;
        f.categorias({u"PORÇÕES"_s});
        const QString longo = u"PORÇÃO D'ÁGUA "_s + QString(86, QLatin1Char('X'));
        QCOMPARE(longo.size(), 100);
        f.screen->btnIncluir_Click();
        f.screen->txtProduto()->setText(longo + u"Y"_s); // the box stops at 100
        QCOMPARE(f.screen->txtProduto()->text(), longo);
        f.screen->txtPreco()->setText(u"10"_s);
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.last().text, u"Produto cadastrado com sucesso"_s);
        QCOMPARE(f.column(u"SELECT pro_Produto FROM TB_Produto"_s).toString(), longo);
        f.produto(u"PORÇÕES"_s, u"FRITAS"_s, 1234);
        CategoriaStore(*f.db).remove(1);

        const auto pick = [](int row) {
            return [row](frmLocalizar_Produto& dialog) {
                QCOMPARE(dialog.cboCategoria()->count(), 1); // TODOS only
                QCOMPARE(dialog.rowCount(), 2);
                pickRow(dialog, row);
            };
        };
        onNextDialog<frmLocalizar_Produto>(pick(0));
        f.screen->btnProcurar1_Click();
        QCOMPARE(f.screen->txtProduto()->text(), longo);
        QCOMPARE(f.screen->txtPreco()->text(), u"10,00"_s);
        QCOMPARE(f.screen->cboCategoria()->currentText(), u"PORÇÕES"_s);
        QVERIFY(f.screen->mskRep_Telefone()->text().isEmpty());

        // Each pick adds the category again, listed or not.
        const int listedBefore = f.screen->cboCategoria()->count();
        onNextDialog<frmLocalizar_Produto>(pick(1));
        f.screen->btnProcurar1_Click();
        QCOMPARE(f.screen->txtProduto()->text(), u"FRITAS"_s);
        QCOMPARE(f.screen->txtPreco()->text(), u"12,34"_s);
        QCOMPARE(f.screen->cboCategoria()->count(), listedBefore + 1);
        QCOMPARE(f.screen->cboCategoria()->currentIndex(), listedBefore);
        QCOMPARE(f.screen->cboCategoria()->currentText(), u"PORÇÕES"_s);
        expectBrowse(*f.screen);
    }
};

BRISKO_DB_SCREEN_TEST_MAIN(TestfrmProduto)
#include "TestfrmProduto.moc"
