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

namespace {

using State = RegistryScreenBase::State;

struct Fixture : ScreenFixture {
    std::unique_ptr<frmProduto> screen = std::make_unique<frmProduto>(context);

    Fixture() {
        screen->show();
        QApplication::setActiveWindow(screen.get());
    }
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
    QVariant column(const QString& sql) { return db->scalar(sql); }
};

// The rows the dialog lists, as "code category name price".
QStringList listed(const LookupDialogBase& dialog) {
    QStringList rows;
    for (int row = 0; row < dialog.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < 4; ++column)
            cells << dialog.cellText(row, column);
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

QStringList items(const QComboBox& combo) {
    QStringList texts;
    for (int i = 0; i < combo.count(); ++i)
        texts << combo.itemText(i);
    return texts;
}

void choose(LookupDialogBase& dialog, int row) {
    selectRow(dialog, row);
    dialog.btnProcurar1()->click();
}

void expectBrowse(const frmProduto& screen) {
    expectBrowseButtons(screen);
    QVERIFY(!screen.btnTrocar()->isEnabled());
    QVERIFY(!screen.fraCodigo()->isEnabled());
    QVERIFY(!screen.cboCategoria()->isEnabled());
    QVERIFY(!screen.txtProduto()->isEnabled());
    QVERIFY(!screen.txtPreco()->isEnabled());
    QVERIFY(!screen.mskRep_Telefone()->isEnabled());
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
        QCOMPARE(f.messages.last().caption, QStringLiteral("Brisko"));
        QCOMPARE(f.screen->state(), State::Browse);
        QVERIFY(!f.screen->btnSalvar()->isEnabled());
        QVERIFY(f.screen->txtProduto()->isEnabled()); // emptied and unlocked all the same
        f.screen->txtProduto()->setText(QStringLiteral("PIZZA"));
        f.screen->btnSalvar()->click();
        QCOMPARE(f.column(QStringLiteral("SELECT COUNT(*) FROM TB_Produto")).toInt(), 0);
    }

    void validatesAndIncludesWithTheNextCode() {
        Fixture f;
        f.categorias({QStringLiteral("PIZZAS"), QStringLiteral("BEBIDAS")});
        f.screen->btnIncluir_Click();
        QCOMPARE(f.screen->state(), State::Inclusion);
        QVERIFY(f.screen->btnSalvar()->isDefault());
        QVERIFY(f.screen->btnTrocar()->isEnabled());
        QCOMPARE(items(*f.screen->cboCategoria()), (QStringList{"BEBIDAS", "PIZZAS"}));
        QCOMPARE(f.screen->cboCategoria()->currentText(), QStringLiteral("BEBIDAS"));
        QTRY_VERIFY(f.screen->isActiveWindow());
        QCOMPARE(f.screen->focusWidget(), f.screen->cboCategoria());

        // Checked in order, each sending the focus where the description says.
        f.screen->cboCategoria()->setEditText(QString());
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.last().text, QStringLiteral("Informe a categoria do produto!!!"));
        QCOMPARE(f.messages.last().caption, QStringLiteral("Aviso"));
        QCOMPARE(QApplication::focusWidget(), f.screen->txtProduto());
        QTest::keyClicks(f.screen->cboCategoria(), QStringLiteral("pizzas"));
        QCOMPARE(f.screen->cboCategoria()->currentText(), QStringLiteral("PIZZAS"));
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.last().text, QStringLiteral("Informe o produto!!!"));
        QCOMPARE(QApplication::focusWidget(), f.screen->txtProduto());
        QTest::keyClicks(f.screen->txtProduto(), QStringLiteral("  mussarela "));
        QCOMPARE(f.screen->txtProduto()->text(), QStringLiteral("  MUSSARELA "));
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.last().text, QStringLiteral("Informe o valor do produto!!!"));
        QCOMPARE(QApplication::focusWidget(), f.screen->txtPreco());
        QTest::keyClicks(f.screen->txtPreco(), QStringLiteral("1,2,5"));
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.last().text, QStringLiteral("Valor do produto inválido!!!"));
        QCOMPARE(f.screen->state(), State::Inclusion);
        QCOMPARE(f.column(QStringLiteral("SELECT COUNT(*) FROM TB_Produto")).toInt(), 0);

        f.screen->txtPreco()->clear();
        QTest::keyClicks(f.screen->txtPreco(), QStringLiteral("R$1.234,50x"));
        QCOMPARE(f.screen->txtPreco()->text(), QStringLiteral("1.234,50"));
        f.screen->btnTrocar()->click();
        QCOMPARE(f.screen->txtDescricao()->text(), QStringLiteral("MUSSARELA"));
        typeText(f.screen->txtFornecedor(), QStringLiteral("laticínios"));
        QCOMPARE(f.screen->txtFornecedor()->text(), QStringLiteral("LATICÍNIOS"));
        f.screen->mskRep_Telefone()->setText(QStringLiteral("5555-1234"));
        f.messages.clear();
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.texts(), QStringList{"Produto cadastrado com sucesso"});
        QCOMPARE(f.screen->txtCodigo()->text(), QStringLiteral("1"));
        expectBrowse(*f.screen);
        QSqlQuery row = f.db->exec(QStringLiteral(
            "SELECT pro_Categoria, pro_Produto, Pro_Preco, Pro_Descricao, pro_Fornecedor, "
            "pro_Rep_Telefone, fl_sincroniza FROM TB_Produto WHERE Pro_ID = 1"));
        QVERIFY(row.next());
        QCOMPARE(row.value(0).toString(), QStringLiteral("PIZZAS"));
        QCOMPARE(row.value(1).toString(), QStringLiteral("  MUSSARELA ")); // as typed
        QCOMPARE(row.value(2).toLongLong(), 123450);
        QCOMPARE(row.value(3).toString(), QStringLiteral("MUSSARELA"));
        QCOMPARE(row.value(4).toString(), QStringLiteral("LATICÍNIOS"));
        QCOMPARE(row.value(5).toString(), QStringLiteral("5555-1234"));
        QVERIFY(row.value(6).isNull());
        row.finish(); // an open read would keep this connection on its old snapshot

        // After 1, 2 and 5 comes 6.
        for (const char* nome : {"B", "C", "D", "E"})
            f.produto(QStringLiteral("PIZZAS"), QLatin1String(nome), 100);
        ProdutoStore(*f.db).remove(3);
        ProdutoStore(*f.db).remove(4);
        f.screen->btnIncluir_Click();
        QVERIFY(f.screen->txtProduto()->text().isEmpty());
        f.screen->txtProduto()->setText(QStringLiteral("F"));
        f.screen->txtPreco()->setText(QStringLiteral("0,99"));
        f.screen->btnSalvar_Click();
        QCOMPARE(f.screen->txtCodigo()->text(), QStringLiteral("6"));
        QCOMPARE(f.column(QStringLiteral("SELECT Pro_Preco FROM TB_Produto WHERE Pro_ID = 6"))
                     .toLongLong(),
                 99);
    }

    void aTakenNameIsEmptiedOnLeavingInInclusionOnly() {
        Fixture f;
        f.categorias({QStringLiteral("PIZZAS")});
        f.produto(QStringLiteral("PIZZAS"), QStringLiteral("CALABRESA"), 3000);
        f.screen->btnIncluir_Click();
        QTRY_VERIFY(f.screen->isActiveWindow());
        f.screen->txtProduto()->setFocus();
        f.screen->txtProduto()->setText(QStringLiteral("calabresa"));
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
        QCOMPARE(f.screen->txtProduto()->text(), QStringLiteral("CALABRESA"));
    }

    void editsThePickedProduct() {
        Fixture f;
        f.screen->btnEditar_Click();
        f.screen->btnDeletar_Click();
        QCOMPARE(f.messages.texts(), (QStringList{"Não existem produtos cadastrados",
                                                  "Não existem produtos cadastrados"}));
        expectBrowse(*f.screen);

        f.categorias({QStringLiteral("PIZZAS"), QStringLiteral("BEBIDAS")});
        f.produto(QStringLiteral("PIZZAS"), QStringLiteral("CALABRESA"), 3000);
        Produto guarana;
        guarana.categoria = QStringLiteral("BEBIDAS");
        guarana.nome = QStringLiteral("GUARANÁ");
        guarana.preco = Money::fromCents(123450);
        guarana.descricao = QStringLiteral("LATA");
        guarana.fornecedor = QStringLiteral("ANTARCTICA");
        guarana.representante = QStringLiteral("JOSÉ");
        guarana.repTelefone = QStringLiteral("1234-5678");
        ProdutoStore(*f.db).insert(guarana);
        onNextDialog<frmSelecionar_Produto>([](frmSelecionar_Produto& dialog) {
            QCOMPARE(dialog.titleLabel()->text(), QStringLiteral("Selecionar Produto"));
            QCOMPARE(listed(dialog),
                     (QStringList{"2|BEBIDAS|GUARANÁ|R$ 1.234,50", "1|PIZZAS|CALABRESA|R$ 30,00"}));
            choose(dialog, 0);
        });
        f.messages.clear();
        f.screen->btnEditar_Click();
        QCOMPARE(f.messages.count(), 0);
        QCOMPARE(f.screen->state(), State::Change);
        QCOMPARE(f.screen->txtCodigo()->text(), QStringLiteral("2"));
        QCOMPARE(f.screen->txtProduto()->text(), QStringLiteral("GUARANÁ"));
        QCOMPARE(f.screen->txtPreco()->text(), QStringLiteral("1.234,50"));
        QCOMPARE(f.screen->txtDescricao()->text(), QStringLiteral("LATA"));
        QCOMPARE(f.screen->txtFornecedor()->text(), QStringLiteral("ANTARCTICA"));
        QCOMPARE(f.screen->txtRepresentante()->text(), QStringLiteral("JOSÉ"));
        QCOMPARE(f.screen->mskRep_Telefone()->text(), QStringLiteral("1234-5678"));
        QCOMPARE(items(*f.screen->cboCategoria()), (QStringList{"BEBIDAS", "PIZZAS"}));
        QCOMPARE(f.screen->cboCategoria()->currentText(), QStringLiteral("BEBIDAS"));
        QCOMPARE(f.screen->focusWidget(), f.screen->txtProduto());

        f.screen->txtPreco()->clear();
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.texts(), QStringList{"Informe o tipo preço do produto!!!"});
        QCOMPARE(f.screen->focusWidget(), f.screen->txtPreco());

        f.screen->txtPreco()->setText(QStringLiteral("7,5"));
        f.screen->cboCategoria()->setCurrentIndex(1);
        f.messages.clear();
        f.messages.answer({false, true});
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.texts(), (QStringList{"Deseja alterar o cadastro do produto GUARANÁ ?",
                                                  " Operação cancelada"}));
        QCOMPARE(f.screen->state(), State::Change);
        QVERIFY(f.column(QStringLiteral("SELECT fl_sincroniza FROM TB_Produto WHERE Pro_ID = 2"))
                    .isNull());
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.last().text, QStringLiteral("Produto alterado com sucesso!!!"));
        expectBrowse(*f.screen);
        QCOMPARE(f.column(QStringLiteral("SELECT fl_sincroniza FROM TB_Produto WHERE Pro_ID = 2"))
                     .toString(),
                 QStringLiteral("S"));
        QCOMPARE(f.column(QStringLiteral("SELECT Pro_Preco FROM TB_Produto WHERE Pro_ID = 2"))
                     .toLongLong(),
                 750);
        QCOMPARE(f.column(QStringLiteral("SELECT pro_Categoria FROM TB_Produto WHERE Pro_ID = 2"))
                     .toString(),
                 QStringLiteral("PIZZAS"));
        QVERIFY(f.column(QStringLiteral("SELECT fl_sincroniza FROM TB_Produto WHERE Pro_ID = 1"))
                    .isNull());
    }

    void changesAProductWhoseCategoryIsGone() {
        Fixture f;
        f.produto(QStringLiteral("LANCHES"), QStringLiteral("X-BURGUER"), 1500);
        onNextDialog<frmSelecionar_Produto>(
            [](frmSelecionar_Produto& dialog) { dialog.btnProcurar1()->click(); });
        f.screen->btnEditar_Click();
        QCOMPARE(f.messages.texts(), QStringList{"Não existe categoria cadastrada, favor "
                                                 "cadastrar a categoria antes de cadastrar o "
                                                 "produto"});
        QCOMPARE(f.messages.last().caption, QStringLiteral("Brisko"));
        QCOMPARE(f.screen->state(), State::Change);
        QCOMPARE(f.screen->cboCategoria()->currentText(), QStringLiteral("LANCHES"));

        // Renaming onto another product's name is refused by the save.
        f.produto(QStringLiteral("LANCHES"), QStringLiteral("X-SALADA"), 1700);
        f.screen->txtProduto()->setText(QStringLiteral("X-SALADA"));
        f.messages.clear();
        f.messages.answer({true});
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.last().text, QStringLiteral("Produto já esta cadastrado"));
        QCOMPARE(f.screen->state(), State::Change);
        f.screen->txtProduto()->setText(QStringLiteral("X-TUDO"));
        f.messages.answer({true});
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.last().text, QStringLiteral("Produto alterado com sucesso!!!"));
        QCOMPARE(f.column(QStringLiteral("SELECT pro_Categoria FROM TB_Produto WHERE Pro_ID = 1"))
                     .toString(),
                 QStringLiteral("LANCHES"));
    }

    void deletesWithYesOnly() {
        Fixture f;
        f.categorias({QStringLiteral("PIZZAS")});
        f.produto(QStringLiteral("PIZZAS"), QStringLiteral("CALABRESA"), 3000);
        f.produto(QStringLiteral("PIZZAS"), QStringLiteral("MUSSARELA"), 2800);

        onNextDialog<frmSelecionar_Produto>(
            [](frmSelecionar_Produto& dialog) { dialog.command1()->click(); });
        f.screen->btnDeletar_Click();
        expectBrowse(*f.screen);
        QCOMPARE(f.messages.count(), 0); // nothing asked

        const auto pickSecond = [](frmSelecionar_Produto& dialog) { choose(dialog, 1); };
        f.messages.answer({false});
        onNextDialog<frmSelecionar_Produto>(pickSecond);
        f.screen->btnDeletar_Click();
        QCOMPARE(f.messages.texts(),
                 (QStringList{"Deseja deletar o produto MUSSARELA ?", " OPERAÇÃO CANCELADA"}));
        expectBrowse(*f.screen);
        QVERIFY(f.screen->txtProduto()->text().isEmpty());

        f.messages.clear();
        f.messages.answer({true});
        onNextDialog<frmSelecionar_Produto>(pickSecond);
        f.screen->btnDeletar_Click();
        QCOMPARE(f.messages.texts(), (QStringList{"Deseja deletar o produto MUSSARELA ?",
                                                  " Produto deletado com sucesso"}));
        expectBrowse(*f.screen);
        QCOMPARE(f.column(QStringLiteral("SELECT pro_Produto FROM TB_Produto")).toString(),
                 QStringLiteral("CALABRESA"));
        QCOMPARE(f.column(QStringLiteral("SELECT COUNT(*) FROM TB_Produto")).toInt(), 1);
    }

    void dialogsFilterByCategoryAndName() {
        Fixture f;
        f.categorias(
            {QStringLiteral("PIZZAS"), QStringLiteral("PIZZA"), QStringLiteral("BEBIDAS")});
        f.produto(QStringLiteral("PIZZAS"), QStringLiteral("CALABRESA"), 3000);       // 1
        f.produto(QStringLiteral("BEBIDAS"), QStringLiteral("COCA"), 600);            // 2
        f.produto(QStringLiteral("PIZZA"), QStringLiteral("CALABRESA GRANDE"), 4000); // 3
        f.produto(QStringLiteral("PIZZAS"), QStringLiteral("CAIPIRA"), 3200);         // 4
        f.screen->btnIncluir_Click();
        onNextDialog<frmLocalizar_Produto>([](frmLocalizar_Produto& dialog) {
            QCOMPARE(dialog.titleLabel()->text(), QStringLiteral("Localizar Produto"));
            QCOMPARE(items(*dialog.cboCategoria()),
                     (QStringList{"BEBIDAS", "PIZZA", "PIZZAS", "TODOS"}));
            QCOMPARE(dialog.cboCategoria()->currentText(), QStringLiteral("TODOS"));
            QCOMPARE(listed(dialog),
                     (QStringList{"2|BEBIDAS|COCA|R$ 6,00", "3|PIZZA|CALABRESA GRANDE|R$ 40,00",
                                  "1|PIZZAS|CALABRESA|R$ 30,00", "4|PIZZAS|CAIPIRA|R$ 32,00"}));

            // Typing narrows across every category, deleting widens again.
            typeText(dialog.txtProduto(), QStringLiteral("c'ça"));
            QCOMPARE(dialog.txtProduto()->text(), QStringLiteral("CA")); // search filter
            QCOMPARE(dialog.rowCount(), 3);
            QTest::keyClicks(dialog.txtProduto(), QStringLiteral("l"));
            QCOMPARE(listed(dialog), (QStringList{"1|PIZZAS|CALABRESA|R$ 30,00",
                                                  "3|PIZZA|CALABRESA GRANDE|R$ 40,00"}));
            QTest::keyClick(dialog.txtProduto(), Qt::Key_Backspace);
            QCOMPARE(dialog.rowCount(), 3);
            dialog.txtProduto()->clear();
            QCOMPARE(dialog.rowCount(), 4);

            // A category lists those beginning with it; typing keeps to that very category.
            dialog.cboCategoria()->setCurrentText(QStringLiteral("PIZZA"));
            QCOMPARE(listed(dialog),
                     (QStringList{"3|PIZZA|CALABRESA GRANDE|R$ 40,00",
                                  "1|PIZZAS|CALABRESA|R$ 30,00", "4|PIZZAS|CAIPIRA|R$ 32,00"}));
            QTest::keyClicks(dialog.txtProduto(), QStringLiteral("ca"));
            QCOMPARE(listed(dialog), QStringList{"3|PIZZA|CALABRESA GRANDE|R$ 40,00"});
            QTest::keyClicks(dialog.txtProduto(), QStringLiteral("x"));
            QCOMPARE(dialog.rowCount(), 0);
            dialog.btnProcurar1()->click();
            QVERIFY(dialog.isVisible()); // not found: box emptied, list back
            QVERIFY(dialog.txtProduto()->text().isEmpty());
            QCOMPARE(dialog.rowCount(), 1);

            // The row of another category shown under PIZZA is the one picked.
            dialog.cboCategoria()->setCurrentText(QStringLiteral("PIZZA"));
            dialog.cboCategoria()->setCurrentText(QStringLiteral("BEBIDAS"));
            dialog.cboCategoria()->setCurrentText(QStringLiteral("PIZZA"));
            QCOMPARE(dialog.rowCount(), 3);
            choose(dialog, 1);
        });
        f.screen->btnProcurar1_Click();
        QCOMPARE(f.messages.texts(), QStringList{"Produto não cadastrado!!!"});
        QCOMPARE(f.messages.last().caption, QStringLiteral("Brisko"));
        expectBrowse(*f.screen);
        QCOMPARE(f.screen->txtCodigo()->text(), QStringLiteral("1"));
        QCOMPARE(f.screen->txtProduto()->text(), QStringLiteral("CALABRESA"));
        QCOMPARE(f.screen->cboCategoria()->currentText(), QStringLiteral("PIZZAS"));
    }

    void localizarShowsAnyNameAndAGoneCategory() {
        Fixture f;
        f.categorias({QStringLiteral("PORÇÕES")});
        const QString longo = QStringLiteral("PORÇÃO D'ÁGUA ") + QString(86, QLatin1Char('X'));
        QCOMPARE(longo.size(), 100);
        f.screen->btnIncluir_Click();
        f.screen->txtProduto()->setText(longo + QStringLiteral("Y")); // the box stops at 100
        QCOMPARE(f.screen->txtProduto()->text(), longo);
        f.screen->txtPreco()->setText(QStringLiteral("10"));
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.last().text, QStringLiteral("Produto cadastrado com sucesso"));
        QCOMPARE(f.column(QStringLiteral("SELECT pro_Produto FROM TB_Produto")).toString(), longo);
        f.produto(QStringLiteral("PORÇÕES"), QStringLiteral("FRITAS"), 1234);
        CategoriaStore(*f.db).remove(1);

        const auto pick = [](int row) {
            return [row](frmLocalizar_Produto& dialog) {
                QCOMPARE(dialog.cboCategoria()->count(), 1); // TODOS only
                QCOMPARE(dialog.rowCount(), 2);
                choose(dialog, row);
            };
        };
        onNextDialog<frmLocalizar_Produto>(pick(0));
        f.screen->btnProcurar1_Click();
        QCOMPARE(f.screen->txtProduto()->text(), longo);
        QCOMPARE(f.screen->txtPreco()->text(), QStringLiteral("10,00"));
        QCOMPARE(f.screen->cboCategoria()->currentText(), QStringLiteral("PORÇÕES"));
        QVERIFY(f.screen->mskRep_Telefone()->text().isEmpty());

        // Each pick adds the category again, listed or not.
        const int listedBefore = f.screen->cboCategoria()->count();
        onNextDialog<frmLocalizar_Produto>(pick(1));
        f.screen->btnProcurar1_Click();
        QCOMPARE(f.screen->txtProduto()->text(), QStringLiteral("FRITAS"));
        QCOMPARE(f.screen->txtPreco()->text(), QStringLiteral("12,34"));
        QCOMPARE(f.screen->cboCategoria()->count(), listedBefore + 1);
        QCOMPARE(f.screen->cboCategoria()->currentIndex(), listedBefore);
        QCOMPARE(f.screen->cboCategoria()->currentText(), QStringLiteral("PORÇÕES"));
        expectBrowse(*f.screen);
    }
};

BRISKO_DB_SCREEN_TEST_MAIN(TestfrmProduto)
#include "TestfrmProduto.moc"
