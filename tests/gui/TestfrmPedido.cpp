// ctest-label: db
#include "masterdata/screens/ClienteFields.h"
#include "masterdata/screens/ClienteLookup.h"
#include "masterdata/screens/frmCad_Cli_Ped.h"
#include "orders/PedidoStore.h"
#include "orders/screens/frmDesconto.h"
#include "orders/screens/frmMensagem.h"
#include "orders/screens/frmPagamento.h"
#include "orders/screens/frmPedido.h"
#include "orders/screens/frmSelecionar_Sabor.h"
#include "support/SaborDriver.h"
#include "support/ScreenFixture.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QToolButton>

namespace {

const QString kMensagem60 =
    QStringLiteral("TOCAR O INTERFONE DO BLOCO B E AVISAR QUE A PIZZA ESTA NA PORTA"); // 60+
const QDateTime kAgora(QDate(2026, 12, 7), QTime(19, 45, 30));

QString cell(const frmPedido& screen, int row, int col) {
    const QTableWidgetItem* item = screen.fgdPedido()->item(row - 1, col);
    return item ? item->text() : QString();
}

} // namespace

class TestfrmPedido : public QObject {
    Q_OBJECT

    struct Fixture : ScreenFixture {
        Fixture() {
            for (const char* categoria : {"PIZZAS", "BEBIDAS", "TAXA DE ENTREGA"})
                db->exec(QStringLiteral("INSERT INTO TB_Categoria (cat_ID, cat_Categoria) "
                                        "VALUES (?, ?)"),
                         {++categorias, QString::fromUtf8(categoria)});
            produto("PIZZAS", "CALABRESA", 3000);
            produto("PIZZAS", "PORTUGUESA", 3500);
            produto("BEBIDAS", "REFRIGERANTE 2L", 1000);
            produto("TAXA DE ENTREGA", "CENTRO", 500);
            db->exec(QStringLiteral(
                         "INSERT INTO TB_Cliente (cli_ID, cli_Telefone, cli_Nome, cli_Tipo, "
                         "cli_Logradouro, cli_Numero, cli_Complemento, cli_Bairro, cli_Cidade, "
                         "cli_UF, cli_CEP, cli_Observacao) "
                         "VALUES (1, '98765-4321', 'MARIA D''ÁVILA', 'RUA', 'DAS FLORES', "
                         "'120', 'APTO 3', 'CENTRO', 'SÃO PAULO', 'SP', '01001-000', "
                         "'PORTÃO AZUL')"),
                     {});
            settings.gImpressora = QStringLiteral("CUPOM");
            session.gUsuarioNome = QStringLiteral("ANA");
            session.usuId = 7; // as the login sets it
            db->exec(QStringLiteral("INSERT INTO TB_Usuario (usu_ID, usu_Nome, usu_Usuario, "
                                    "usu_Senha, usu_Autoridade) VALUES (7, 'ANA', 'ANA', 'x', 1)"),
                     {});
        }
        void produto(const char* categoria, const char* nome, int centavos) {
            db->exec(QStringLiteral("INSERT INTO TB_Produto (pro_ID, pro_Categoria, pro_Produto, "
                                    "pro_Preco) VALUES (?, ?, ?, ?)"),
                     {++produtos, QString::fromUtf8(categoria), QString::fromUtf8(nome), centavos});
        }
        // An earlier order of the customer with the fee, so the fee is offered.
        void pedidoAnterior(int centavosTaxa) {
            Pedido anterior;
            anterior.data = QDate::currentDate().addDays(-3);
            anterior.telefone = QStringLiteral("98765-4321");
            anterior.total = Money::fromCents(centavosTaxa);
            anterior.formaPagamento = QStringLiteral("DINHEIRO");
            anterior.valorPago = anterior.total.format();
            anterior.troco = QStringLiteral("0,00");
            anterior.itens = {{"TAXA DE ENTREGA", "CENTRO", 1, anterior.total, anterior.total}};
            PedidoStore(*db).finalizar(anterior);
        }
        std::unique_ptr<frmPedido> open() {
            auto screen = std::make_unique<frmPedido>(context);
            screen->setRelogio([] { return kAgora; });
            screen->show();
            return screen;
        }
        int count(const char* table) {
            return db->scalar(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(table)))
                .toInt();
        }
        int categorias = 0;
        int produtos = 0;
    };

    // The customer found with the fee accepted: the state every order test starts from.
    // `taxa`: the answer to the fee question, when the customer has an earlier fee.
    static void procura(Fixture& f, frmPedido& screen, std::optional<bool> taxa = std::nullopt) {
        if (taxa)
            f.messages.answer({*taxa});
        typeText(screen.mskTelefone(), QStringLiteral("987654321"));
        screen.btnProcurar()->click();
    }

    static void escolhe(frmPedido& screen, const QString& nome) {
        onNextDialog<frmSelecionar_Sabor>([nome](frmSelecionar_Sabor& s) { pick(s, nome, false); });
        screen.btnNovo()->click();
        screen.btnAdicionar()->click();
    }

    static void pagaEmDinheiro(frmPedido& screen, const QString& valor) {
        onNextDialog<frmPagamento>([valor](frmPagamento& p) {
            auto* pagamento = p.findChild<QLineEdit*>(QStringLiteral("txtPagamento"));
            pagamento->setText(valor);
            p.findChild<QPushButton*>(QStringLiteral("btnOk"))->click();
        });
        screen.btnPagamento()->click();
    }

private Q_SLOTS:
    void wholeOrderByTheScreensIsStoredPrintedAndDispatched() {
        Fixture f;
        f.pedidoAnterior(500);
        auto screen = f.open();
        const bool aceita = true;
        QCOMPARE(screen->lblUsuario()->text(), QStringLiteral("ANA"));
        QCOMPARE(screen->lblUsu_Id()->text(), QStringLiteral("7"));
        QVERIFY(screen->btnProcurar()->isDefault());

        procura(f, *screen, aceita);
        QCOMPARE(f.messages.texts(),
                 QStringList{"Deseja adicionar a última TAXA DE ENTREGA deste cliente  ?"});
        QCOMPARE(screen->mskTelefone()->text(), QStringLiteral("98765-4321"));
        QCOMPARE(screen->txtNome()->text(), QStringLiteral("MARIA D'ÁVILA"));
        QCOMPARE(screen->txtCidade()->text(), QStringLiteral("SÃO PAULO"));
        QCOMPARE(cell(*screen, 1, 1), QStringLiteral("TAXA DE ENTREGA"));
        QCOMPARE(cell(*screen, 1, 5), QStringLiteral("R$ 5,00"));
        QCOMPARE(screen->txtTotal()->text(), QStringLiteral("R$ 5,00"));
        QVERIFY(!screen->btnProcurar()->isEnabled());
        QVERIFY(screen->btnNovo()->isDefault());

        // Two flavours: CALABRESA ticked, PORTUGUESA picked on the second screen.
        onNextSabor(1, [](frmSelecionar_Sabor& first) {
            onNextSabor(2, [](frmSelecionar_Sabor& second) {
                pick(second, QStringLiteral("PORTUGUESA"), false);
            });
            pick(first, QStringLiteral("CALABRESA"), true);
        });
        screen->btnNovo()->click();
        QCOMPARE(screen->txtProduto()->text(), QStringLiteral("CALABRESA / PORTUGUESA"));
        QCOMPARE(screen->txtPreco()->text(), QStringLiteral("R$ 35,00"));
        QCOMPARE(screen->txtQuantidade()->text(), QStringLiteral("1"));
        QCOMPARE(screen->txtPreco_Total()->text(), QStringLiteral("R$ 35,00"));
        QVERIFY(screen->btnAdicionar()->isDefault());
        QVERIFY(!screen->btnDesconto()->isEnabled());
        screen->btnAdicionar()->click();
        QCOMPARE(cell(*screen, 2, 2), QStringLiteral("CALABRESA / PORTUGUESA"));
        QCOMPARE(cell(*screen, 2, 1), QStringLiteral("PIZZAS"));
        QCOMPARE(screen->txtTotal()->text(), QStringLiteral("40,00"));

        escolhe(*screen, QStringLiteral("REFRIGERANTE 2L"));
        QCOMPARE(screen->txtTotal()->text(), QStringLiteral("50,00"));

        // 10 % of 50,00, added like an item, with the last product's category.
        onNextDialog<frmDesconto>([](frmDesconto& d) {
            d.findChild<QLineEdit*>(QStringLiteral("txtPc_Desconto"))->setText("10");
            d.findChild<QPushButton*>(QStringLiteral("btnAdicionar"))->click();
        });
        screen->btnDesconto()->click();
        QCOMPARE(screen->txtProduto()->text(), QStringLiteral("% Desconto"));
        QCOMPARE(screen->txtPreco_Total()->text(), QStringLiteral("R$ -5,00"));
        screen->btnAdicionar()->click();
        QCOMPARE(screen->txtTotal()->text(), QStringLiteral("45,00"));

        pagaEmDinheiro(*screen, QStringLiteral("50,00"));
        QCOMPARE(screen->txtFormaPagamento()->text(), QStringLiteral("DINHEIRO"));
        QCOMPARE(screen->txtValorPago()->text(), QStringLiteral("50,00"));
        QCOMPARE(screen->txtTroco()->text(), QStringLiteral("5,00"));

        screen->btnMensagem()->click();
        QVERIFY(screen->janelaMensagem());
        QVERIFY(screen->btnFinalizar()->isDefault());
        const QString mensagem = kMensagem60.left(60);
        screen->janelaMensagem()
            ->findChild<QPlainTextEdit*>(QStringLiteral("txtMensagem"))
            ->setPlainText(mensagem);
        screen->janelaMensagem()->findChild<QPushButton*>(QStringLiteral("btnAdicionar"))->click();
        QTRY_VERIFY(!screen->janelaMensagem());

        if (qEnvironmentVariableIsSet("BRISKO_SCREENSHOT"))
            screen->grab().save(qEnvironmentVariable("BRISKO_SCREENSHOT"));

        f.messages.clear();
        f.messages.answer({true, true, false}); // confirm, print, no reprint
        screen->btnFinalizar()->click();
        const QString hoje = QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
        QCOMPARE(f.messages.texts(),
                 (QStringList{"Confirma finalização do pedido?",
                              "Pedido..: 2        \r\n\r\nCliente.: MARIA D'ÁVILA        \r\n"
                              "Telefone: 98765-4321        \r\nData....: " +
                                  hoje + "        \r\n\r\nFinalizado com sucesso!!!",
                              "Deseja imprimir o cupom ?", "Deseja imprimir o cupom novamente?",
                              "Mensagem Gerada com Sucesso.\r\nVincule o ENTREGADOR quando o "
                              "Produto estiver pronto."}));

        // Stored: one header, four items in grid order, the texts converted once.
        QSqlQuery header = f.db->exec(
            QStringLiteral("SELECT ped_ono, ped_usu_id, ped_data, ped_cli_Telefone, ped_cli_Nome, "
                           "ped_cli_Observacao, ped_Forma_Pagamento, ped_Valor_Pago, ped_Troco, "
                           "ped_Total, ped_Mensagem, ped_Status, ped_Entregador FROM TB_Pedido "
                           "WHERE ped_ono = 2"),
            {});
        QVERIFY(header.next());
        QCOMPARE(header.value(1).toInt(), 7);
        QCOMPARE(Database::dateFrom(header.value(2)), QDate::currentDate());
        QCOMPARE(header.value(3).toString(), QStringLiteral("98765-4321"));
        QCOMPARE(header.value(4).toString(), QStringLiteral("MARIA D'ÁVILA"));
        QCOMPARE(header.value(5).toString(), QStringLiteral("PORTÃO AZUL"));
        QCOMPARE(header.value(6).toString(), QStringLiteral("DINHEIRO"));
        QCOMPARE(header.value(7).toLongLong(), 5000);
        QCOMPARE(header.value(8).toLongLong(), 500);
        QCOMPARE(header.value(9).toLongLong(), 4500);
        QCOMPARE(header.value(10).toString(), mensagem);
        QCOMPARE(header.value(11).toString(), QStringLiteral("CONCLUIDO"));
        QVERIFY(header.value(12).isNull());

        QSqlQuery items = f.db->exec(
            QStringLiteral("SELECT ite_cat, ite_Nome, ite_Quantidade, ite_Preco, ite_Total FROM "
                           "TB_Item WHERE ite_Ono = 2"),
            {});
        QList<QStringList> rows;
        while (items.next())
            rows.append({items.value(0).toString(), items.value(1).toString(),
                         items.value(2).toString(), items.value(3).toString(),
                         items.value(4).toString()});
        QCOMPARE(rows, (QList<QStringList>{
                           {"TAXA DE ENTREGA", "CENTRO", "1", "500", "500"},
                           {"PIZZAS", "CALABRESA / PORTUGUESA", "1", "3500", "3500"},
                           {"BEBIDAS", "REFRIGERANTE 2L", "1", "1000", "1000"},
                           {"BEBIDAS", "% Desconto", "1", "-500", "-500"},
                       }));

        QFile cupom(f.home.cupomPath());
        QVERIFY(cupom.open(QIODevice::ReadOnly));
        QFile golden(QStringLiteral(BRISKO_TEST_SOURCE_DIR "/gui/golden/pedido_cupom.bin"));
        if (qEnvironmentVariableIsSet("BRISKO_WRITE_GOLDEN") && golden.open(QIODevice::WriteOnly))
            golden.write(cupom.readAll());
        cupom.seek(0);
        golden.close();
        QVERIFY(golden.open(QIODevice::ReadOnly));
        QCOMPARE(cupom.readAll(), golden.readAll());

        const QString clipboard = QGuiApplication::clipboard()->text();
        QVERIFY(clipboard.startsWith(QStringLiteral("====================================\r\n"
                                                    "Delivery System - Brisko v3.2.0\r\n")));
        QVERIFY(clipboard.contains(QStringLiteral("PEDIDO: 2\r\nCLIente: MARIA D'ÁVILA\r\n")));
        QVERIFY(clipboard.contains(
            QStringLiteral("QTD.....:1\r\nPRODUTO.: CALABRESA / PORTUGUESA\r\n")));
        QVERIFY(clipboard.contains(QStringLiteral("MENSAGEM\r\n") + mensagem.left(48) +
                                   QStringLiteral("\r\n") + mensagem.mid(48) +
                                   QStringLiteral("\r\n")));
        QVERIFY(clipboard.endsWith(QStringLiteral("Gerado às 07/12/2026 : 19:45:30\r\n")));

        // Cleared for the next call.
        QVERIFY(screen->mskTelefone()->text().isEmpty());
        QVERIFY(screen->lblPedido()->text().isEmpty());
        QCOMPARE(screen->fgdPedido()->rowCount(), 1);
        QCOMPARE(screen->fgdPedido()->horizontalHeaderItem(2)->text(),
                 QStringLiteral("PRODUTO DETALHES"));
        QVERIFY(screen->draft().mensagem().isEmpty());
        QVERIFY(screen->btnProcurar()->isEnabled() && screen->btnProcurar()->isDefault());
    }

    void theNoAnswersStoreOrPrintNothingMore() {
        Fixture f;
        auto screen = f.open();
        procura(f, *screen); // no earlier order: no fee question
        QVERIFY(f.messages.texts().isEmpty());
        escolhe(*screen, QStringLiteral("CALABRESA"));
        pagaEmDinheiro(*screen, QStringLiteral("30,00"));

        f.messages.answer({false});
        screen->btnFinalizar()->click();
        QCOMPARE(f.messages.last().text,
                 QStringLiteral("Pedido não foi finalizado!!! Informe a forma de pagamento"));
        QCOMPARE(f.count("TB_Pedido"), 0);
        QCOMPARE(cell(*screen, 1, 2), QStringLiteral("CALABRESA")); // the order stays

        f.messages.clear();
        f.messages.answer({true, false});
        screen->btnFinalizar()->click();
        QCOMPARE(f.count("TB_Pedido"), 1);
        QCOMPARE(f.count("TB_Item"), 1);
        QVERIFY(!QFile::exists(f.home.cupomPath()));
        QVERIFY(!f.messages.texts().contains(QStringLiteral("Deseja imprimir o cupom novamente?")));
    }

    void finalisingNeedsAnItemThenAPayment() {
        Fixture f;
        auto screen = f.open();
        procura(f, *screen);
        bool sabores = false;
        onNextDialog<frmSelecionar_Sabor>([&sabores](frmSelecionar_Sabor& s) {
            sabores = true;
            s.close();
        });
        screen->btnFinalizar()->click();
        QVERIFY(sabores);
        QCOMPARE(f.messages.last().text,
                 QStringLiteral("Não existem produtos adicionados ao pedido"));
        QCOMPARE(f.messages.last().caption, QStringLiteral("Aviso"));

        escolhe(*screen, QStringLiteral("CALABRESA"));
        bool pagamento = false;
        onNextDialog<frmPagamento>([&pagamento](frmPagamento& p) {
            pagamento = true;
            p.close();
        });
        screen->btnFinalizar()->click();
        QVERIFY(pagamento);
        QCOMPARE(f.messages.last().text, QStringLiteral("Informe a forma de pagamento"));
        QCOMPARE(f.messages.last().caption, QStringLiteral("Pedido"));
        QCOMPARE(f.count("TB_Pedido"), 0);
    }

    void aFailureWhileStoringLeavesNothingAndKeepsTheOrder() {
        Fixture f;
        auto screen = f.open();
        procura(f, *screen);
        escolhe(*screen, QStringLiteral("CALABRESA"));
        pagaEmDinheiro(*screen, QStringLiteral("30,00"));

        // An amount that does not convert: the error dialog, nothing stored.
        screen->txtValorPago()->setText(QStringLiteral("trinta"));
        f.messages.answer({true});
        screen->btnFinalizar()->click();
        QCOMPARE(f.messages.last().icon, MessageBoxes::Icon::Critical);
        QVERIFY(f.messages.last().text.contains(QStringLiteral("trinta")));
        QCOMPARE(f.count("TB_Pedido"), 0);

        // The items cannot be written after the header: the header goes too.
        screen->txtValorPago()->setText(QStringLiteral("30,00"));
        f.db->exec(QStringLiteral("DROP TABLE TB_Item"));
        f.messages.answer({true});
        screen->btnFinalizar()->click();
        QCOMPARE(f.messages.last().icon, MessageBoxes::Icon::Critical);
        QCOMPARE(f.count("TB_Pedido"), 0);
        QCOMPARE(screen->txtNome()->text(), QStringLiteral("MARIA D'ÁVILA"));
        QCOMPARE(cell(*screen, 1, 2), QStringLiteral("CALABRESA"));
        QVERIFY(screen->lblPedido()->text().isEmpty());
    }

    void anUnknownTelephoneOffersTheQuickRegistration() {
        Fixture f;
        auto screen = f.open();
        f.messages.answer({false});
        typeText(screen->mskTelefone(), QStringLiteral("33334444"));
        screen->btnProcurar()->click();
        QCOMPARE(f.messages.last().text,
                 QStringLiteral("Cliente não cadastrado!!! Deseja cadastrar o cliente?"));
        QVERIFY(screen->mskTelefone()->text().isEmpty());

        // Closed without saving.
        f.messages.answer({true});
        typeText(screen->mskTelefone(), QStringLiteral("33334444"));
        onNextDialog<frmCad_Cli_Ped>([](frmCad_Cli_Ped& c) { c.btnSair()->click(); });
        screen->btnProcurar()->click();
        QCOMPARE(f.messages.last().text, QStringLiteral("Cliente não foi cadastrado!!!"));
        QVERIFY(screen->btnProcurar()->isEnabled());

        // Saved: the customer is on the order screen and the next step is a product.
        f.messages.clear();
        f.messages.answer({true});
        typeText(screen->mskTelefone(), QStringLiteral("33334444"));
        onNextDialog<frmCad_Cli_Ped>([](frmCad_Cli_Ped& c) {
            QCOMPARE(c.campos()->mskTelefone()->text(), QStringLiteral("3333-4444"));
            c.campos()->txtNome()->setText(QStringLiteral("JOÃO NOVO"));
            c.campos()->cboTipo()->setCurrentText(QStringLiteral("RUA"));
            c.campos()->txtLogradouro()->setText(QStringLiteral("DAS PALMEIRAS"));
            c.campos()->txtNumero()->setText(QStringLiteral("7"));
            c.btnSalvar()->click();
            c.btnSair()->click();
        });
        screen->btnProcurar()->click();
        QCOMPARE(screen->txtNome()->text(), QStringLiteral("JOÃO NOVO"));
        QVERIFY(!screen->btnProcurar()->isEnabled());
        QVERIFY(screen->btnNovo()->isEnabled() && screen->btnNovo()->isDefault());
    }

    void anEmptyTelephoneOpensTheCustomerLookup() {
        Fixture f;
        auto screen = f.open();
        onNextDialog<frmLocalizar_Cliente>([](frmLocalizar_Cliente& l) {
            selectRow(l, 0);
            l.btnProcurar1()->click();
        });
        screen->btnProcurar()->click();
        QCOMPARE(screen->mskTelefone()->text(), QStringLiteral("98765-4321"));
        QCOMPARE(screen->txtNome()->text(), QStringLiteral("MARIA D'ÁVILA"));
    }

    void nullCustomerColumnsShowOneSpaceAndTheFeeFollowsThePriceList() {
        Fixture f;
        f.db->exec(QStringLiteral("INSERT INTO TB_Cliente (cli_ID, cli_Telefone, cli_Nome) "
                                  "VALUES (2, '1111-2222', 'SEM ENDERECO')"));
        auto screen = f.open();
        typeText(screen->mskTelefone(), QStringLiteral("11112222"));
        screen->btnProcurar()->click();
        QCOMPARE(screen->txtCep()->text(), QStringLiteral(" "));
        QCOMPARE(screen->txtObservacao()->text(), QStringLiteral(" "));

        // A changed fee is offered at today's price after the warning.
        f.pedidoAnterior(400);
        screen->LimpaPedido();
        f.messages.clear();
        procura(f, *screen, true);
        QCOMPARE(f.messages.last().text,
                 QStringLiteral("Atenção !!! Última taxa de extrega diferente da atual !"));
        QCOMPARE(cell(*screen, 1, 4), QStringLiteral("R$ 5,00"));
    }

    void removingRowsKeepsTheTotalAndTheHeader() {
        Fixture f;
        auto screen = f.open();
        procura(f, *screen);
        escolhe(*screen, QStringLiteral("CALABRESA"));
        QCOMPARE(screen->txtTotal()->text(), QStringLiteral("30,00"));
        Q_EMIT screen->fgdPedido()->cellDoubleClicked(0, 2);
        QVERIFY(screen->txtTotal()->text().isEmpty());
        QCOMPARE(screen->fgdPedido()->horizontalHeaderItem(2)->text(),
                 QStringLiteral("DETALHE DO ITEM"));

        escolhe(*screen, QStringLiteral("CALABRESA"));
        escolhe(*screen, QStringLiteral("REFRIGERANTE 2L"));
        Q_EMIT screen->fgdPedido()->cellDoubleClicked(0, 2);
        QCOMPARE(screen->txtTotal()->text(), QStringLiteral("10,00"));
        QCOMPARE(cell(*screen, 1, 2), QStringLiteral("REFRIGERANTE 2L"));
    }

    // Esc never throws an order away; a price that cannot be read is said so and kept.
    void keysAndTypedPricesNeverLoseTheOrder() {
        Fixture f;
        auto screen = f.open();
        QLineEdit* telefone = screen->mskTelefone();
        typeText(telefone, QStringLiteral("98765432"));
        telefone->setCursorPosition(2);
        QTest::keyClick(telefone, Qt::Key_1);
        QCOMPARE(telefone->cursorPosition(), int(telefone->text().size()));
        QTest::keyClick(screen.get(), Qt::Key_Escape);
        QVERIFY(screen->isVisible());

        telefone->clear();
        procura(f, *screen);
        onNextDialog<frmSelecionar_Sabor>(
            [](frmSelecionar_Sabor& s) { pick(s, QStringLiteral("CALABRESA"), false); });
        screen->btnNovo()->click();
        QCOMPARE(screen->txtQuantidade()->selectedText(), QStringLiteral("1"));
        QTest::keyClicks(screen->txtQuantidade(), QStringLiteral("2,a"));
        QCOMPARE(screen->txtQuantidade()->text(), QStringLiteral("2"));
        const auto sai = [&](const QString& preco) {
            screen->txtPreco()->setText(preco);
            QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
            QApplication::sendEvent(screen->txtPreco(), &out);
        };
        const int antes = f.messages.count();
        sai(QStringLiteral("1,2,3"));
        QCOMPARE(f.messages.count(), antes + 1);
        QCOMPARE(f.messages.last().text,
                 QStringLiteral("Preço inválido. Digite o valor como 12,50."));
        QCOMPARE(screen->txtPreco()->text(), QStringLiteral("1,2,3"));
        sai(QStringLiteral("12.50"));
        QCOMPARE(screen->txtPreco()->text(), QStringLiteral("R$ 12,50"));
        QCOMPARE(screen->txtPreco_Total()->text(), QStringLiteral("R$ 25,00"));
        QTest::keyClick(screen.get(), Qt::Key_Escape);
        QVERIFY(screen->isVisible());

        screen->txtQuantidade()->clear();
        screen->btnAdicionar_Click(); // the button itself is off without a quantity
        QCOMPARE(f.messages.last().caption, QStringLiteral("Aviso"));
        QCOMPARE(f.messages.last().text, QStringLiteral("Informe a quantidade e o preço."));

        screen->btnLimpar()->click();
        QTest::keyClick(screen.get(), Qt::Key_Escape);
        QVERIFY(!screen->isVisible());
    }

    void closingWaitsForTheMessageWindowAndTheCallerNumberSearchesByItself() {
        Fixture f;
        auto screen = f.open();
        screen->btnMensagem()->click();
        screen->close();
        QVERIFY(screen->isVisible());
        QCOMPARE(f.messages.last().text, QStringLiteral("A janela de mensagem ainda esta aberta."));
        screen->btnLimpar()->click(); // closes the message window
        QVERIFY(!screen->janelaMensagem());

        QVERIFY(screen->recebeChamada(QStringLiteral("98765-4321")));
        QTRY_COMPARE(screen->txtNome()->text(), QStringLiteral("MARIA D'ÁVILA"));
        QVERIFY(!screen->recebeChamada(QStringLiteral("3333-4444"))); // an order is on
        QCOMPARE(screen->mskTelefone()->text(), QStringLiteral("98765-4321"));
        screen->close();
        QVERIFY(!screen->isVisible());
    }
};

BRISKO_DB_SCREEN_TEST_MAIN(TestfrmPedido)
#include "TestfrmPedido.moc"
