// ctest-label: db
#include "orders/screens/frmSelecionar_Sabor.h"
#include "support/SaborDriver.h"
#include "support/ScreenFixture.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTreeView>

class TestfrmSelecionar_Sabor : public QObject {
    Q_OBJECT

    struct Fixture : ScreenFixture {
        Fixture() {
            int codigo = 0;
            for (const char* categoria : {"BEBIDAS", "PIZZAS"})
                db->exec(QStringLiteral("INSERT INTO TB_Categoria (cat_ID, cat_Categoria) "
                                        "VALUES (?, ?)"),
                         {++codigo, QString::fromUtf8(categoria)});
            const struct {
                const char* categoria;
                const char* nome;
                int centavos;
            } produtos[] = {{"PIZZAS", "MUSSARELA", 3000},
                            {"PIZZAS", "CALABRESA", 3500},
                            {"PIZZAS", "ATUM", 4000},
                            {"PIZZAS", "PORTUGUESA", 3500},
                            {"BEBIDAS", "SUCO", 800}};
            codigo = 0;
            for (const auto& p : produtos)
                db->exec(QStringLiteral("INSERT INTO TB_Produto (pro_ID, pro_Categoria, "
                                        "pro_Produto, pro_Preco) VALUES (?, ?, ?, ?)"),
                         {++codigo, QString::fromUtf8(p.categoria), QString::fromUtf8(p.nome),
                          p.centavos});
        }
        CadeiaSabores cadeia;
    };

private Q_SLOTS:
    void aSinglePickCopiesThePriceTextAndTheButtonRemembersTheCategory() {
        Fixture f;
        onNextSabor(1, [](frmSelecionar_Sabor& s) {
            QCOMPARE(s.objectName(), QStringLiteral("frmSelecionar_Sabor"));
            QCOMPARE(s.label3()->text(), QStringLiteral("Selecione o PRODUTO Tecle ENTER"));
            QVERIFY(!s.command1()->isVisible());
            QCOMPARE(s.cboCategoria()->currentText(), QStringLiteral("TODOS"));
            QCOMPARE(s.cellText(0, 0), QStringLiteral("ATUM")); // by name
            s.cboCategoria()->setCurrentText(QStringLiteral("BEBIDAS"));
            QCOMPARE(s.rowCount(), 1);
            pick(s, QStringLiteral("SUCO"), false);
        });
        const SelecaoSabor escolha = frmSelecionar_Sabor::escolher(f.context, f.cadeia);
        QCOMPARE(escolha.resultado, SelecaoSabor::Resultado::Escolhido);
        QCOMPARE(escolha.produto, QStringLiteral("SUCO"));
        QCOMPARE(escolha.preco, QStringLiteral("R$ 8,00"));
        QCOMPARE(escolha.categoria, QStringLiteral("BEBIDAS"));

        // Enter in the list does not remember the category; the button does.
        onNextSabor(1, [](frmSelecionar_Sabor& s) {
            QCOMPARE(s.cboCategoria()->currentText(), QStringLiteral("TODOS"));
            s.cboCategoria()->setCurrentText(QStringLiteral("BEBIDAS"));
            s.list()->setCurrentIndex(s.list()->model()->index(0, 0));
            s.btnProcurar1()->click();
        });
        frmSelecionar_Sabor::escolher(f.context, f.cadeia);
        onNextSabor(1, [](frmSelecionar_Sabor& s) {
            QCOMPARE(s.cboCategoria()->currentText(), QStringLiteral("BEBIDAS"));
            s.close();
        });
        QCOMPARE(frmSelecionar_Sabor::escolher(f.context, f.cadeia).resultado,
                 SelecaoSabor::Resultado::Cancelado);
    }

    void fourFlavoursComposeAtTheDearestPriceAndTheLastScreenIgnoresTicks() {
        Fixture f;
        onNextSabor(1, [](frmSelecionar_Sabor& s1) {
            s1.cboCategoria()->setCurrentText(QStringLiteral("PIZZAS"));
            onNextSabor(2, [](frmSelecionar_Sabor& s2) {
                QCOMPARE(s2.cboCategoria()->currentText(), QStringLiteral("PIZZAS"));
                QVERIFY(!s2.command1()->isVisible());
                onNextSabor(3, [](frmSelecionar_Sabor& s3) {
                    QVERIFY(s3.command1()->isVisible());
                    onNextSabor(4, [](frmSelecionar_Sabor& s4) {
                        QCOMPARE(s4.objectName(), QStringLiteral("frmSelecionar_Sabor4"));
                        QVERIFY(!s4.label4());
                        // No box to tick on the last screen: the pick composes.
                        QVERIFY(!(s4.list()->model()->flags(s4.list()->model()->index(0, 0)) &
                                  Qt::ItemIsUserCheckable));
                        pick(s4, QStringLiteral("PORTUGUESA"), false);
                    });
                    pick(s3, QStringLiteral("ATUM"), true);
                });
                pick(s2, QStringLiteral("CALABRESA"), true);
            });
            pick(s1, QStringLiteral("MUSSARELA"), true);
        });
        const SelecaoSabor escolha = frmSelecionar_Sabor::escolher(f.context, f.cadeia);
        QCOMPARE(escolha.resultado, SelecaoSabor::Resultado::Escolhido);
        QCOMPARE(escolha.produto, QStringLiteral("MUSSARELA / CALABRESA / ATUM / PORTUGUESA"));
        QCOMPARE(escolha.preco, QStringLiteral("R$ 40,00"));
        QCOMPARE(escolha.categoria, QStringLiteral("PIZZAS"));
    }

    void cancellingALaterScreenOnlyOpensTheItemFields() {
        Fixture f;
        onNextSabor(1, [](frmSelecionar_Sabor& s1) {
            onNextSabor(2, [](frmSelecionar_Sabor& s2) { s2.close(); });
            pick(s1, QStringLiteral("MUSSARELA"), true);
        });
        const SelecaoSabor escolha = frmSelecionar_Sabor::escolher(f.context, f.cadeia);
        QCOMPARE(escolha.resultado, SelecaoSabor::Resultado::SoHabilita);
        QVERIFY(escolha.produto.isEmpty());
    }

    void anEmptyListRefusesThePickAndStaysOpen() {
        Fixture f;
        onNextSabor(1, [&f](frmSelecionar_Sabor& s) {
            typeText(s.txtProduto(), QStringLiteral("xyz"));
            QCOMPARE(s.txtProduto()->text(), QStringLiteral("XYZ"));
            QCOMPARE(s.rowCount(), 0);
            s.btnProcurar1()->click();
            QVERIFY(s.isVisible());
            QCOMPARE(f.messages.last().text, QStringLiteral("Produto não cadastrado"));
            QCOMPARE(f.messages.last().caption, QStringLiteral("Produto"));
            s.txtProduto()->clear();
            typeText(s.txtProduto(), QStringLiteral("lab"));
            QCOMPARE(s.rowCount(), 1); // CALABRESA: anywhere in the name
            s.close();
        });
        frmSelecionar_Sabor::escolher(f.context, f.cadeia);
    }
};

BRISKO_DB_SCREEN_TEST_MAIN(TestfrmSelecionar_Sabor)
#include "TestfrmSelecionar_Sabor.moc"
