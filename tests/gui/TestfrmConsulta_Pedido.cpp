// ctest-label: db
#include "management/PedidoListModel.h"
#include "management/screens/frmConsulta_Pedido.h"
#include "management/screens/frmLocalizar_Pedido.h"
#include "management/screens/frmSelecionar_Entregador_Pedido.h"
#include "management/screens/frmTabela_Preco.h"
#include "orders/Reimpressao.h"
#include "orders/screens/frmMensagem.h"
#include "orders/screens/frmPedido.h"
#include "support/ScreenFixture.h"

#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTreeWidget>

namespace {

const QDateTime kAgora(QDate(2026, 12, 7), QTime(20, 15, 0));
const QString kTelefone = QStringLiteral("98765-4321");
// 150 characters: the copied text keeps the first 144 in three lines.
const QString kMensagem150 =
    QStringLiteral("TOCAR O INTERFONE DO BLOCO B, APTO 31. SE NINGUEM ATENDER, DEIXAR COM O "
                   "PORTEIRO JOSE E AVISAR POR TELEFONE. LEVAR A MAQUININHA DE CARTAO E TROCO "
                   "XXXX")
        .left(150);

template <typename T> T* child(QWidget& screen, const char* name) {
    T* found = screen.findChild<T*>(QLatin1String(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

QString text(QWidget& screen, const char* name) {
    return child<QLineEdit>(screen, name)->text();
}

QString cell(frmConsulta_Pedido& screen, int row, int column) {
    const QTableWidgetItem* item = screen.fgdPedido()->item(row, column);
    return item ? item->text() : QString();
}

} // namespace

class TestfrmConsulta_Pedido : public QObject {
    Q_OBJECT

    struct Fixture : ScreenFixture {
        Fixture() {
            exec("INSERT INTO TB_Usuario (usu_ID, usu_Nome, usu_Usuario, usu_Senha, "
                 "usu_Autoridade) VALUES (1, 'ANA', 'ANA', 'x', 1)");
            exec("INSERT INTO TB_Entregador (ent_ID, ent_Nome, ent_Telefone) VALUES (1, 'JOÃO', "
                 "'1111-1111'), (2, 'JOSÉ D''ÁVILA', '2222-2222')");
            exec("INSERT INTO TB_Cliente (cli_ID, cli_Telefone, cli_Nome, cli_Tipo, "
                 "cli_Logradouro, cli_Numero) VALUES (1, '98765-4321', 'MÁRCIA D''ÁVILA', 'RUA', "
                 "'DAS FLORES', '120')");
            const QDate hoje = QDate::currentDate();
            pedido(1, hoje.addDays(-2), "CONCLUIDO", 3000, QStringLiteral("SEM CEBOLA"));
            pedido(2, hoje.addDays(-1), "CANCELADO", 0, QString());
            pedido(3, hoje, "CONCLUIDO", 5250, kMensagem150);
            db->exec(QStringLiteral("INSERT INTO TB_Pedido (ped_ono, ped_usu_id, ped_data, "
                                    "ped_cli_Telefone, ped_cli_Nome, ped_Total, ped_Status) "
                                    "VALUES (12, 1, ?, '3333-0000', 'JOÃO', 1000, 'CONCLUIDO')"),
                     {Database::dateValue(hoje)});
            item(1, "CALABRESA", 1, 3000);
            item(2, "ATUM", 5, 0);
            item(3, "CALABRESA", 1, 3000);
            item(3, "COCA-COLA 2L", 2, 1000);
            item(3, "TAXA DE ENTREGA", 1, 250);
            settings.gImpressora = QStringLiteral("CUPOM");
        }
        void exec(const char* sql) { db->exec(QString::fromUtf8(sql)); }
        void pedido(int ono, const QDate& dia, const char* status, int total,
                    const QString& mensagem) {
            db->exec(QStringLiteral(
                         "INSERT INTO TB_Pedido (ped_ono, ped_usu_id, ped_data, ped_cli_Telefone, "
                         "ped_cli_Nome, ped_cli_Tipo, ped_cli_Logradouro, ped_cli_Numero, "
                         "ped_cli_Complemento, ped_cli_Bairro, ped_cli_Cidade, ped_cli_UF, "
                         "ped_cli_CEP, ped_Forma_Pagamento, ped_Valor_Pago, ped_Troco, "
                         "ped_Total, ped_Mensagem, ped_Status) VALUES (?, 1, ?, ?, 'MÁRCIA "
                         "D''ÁVILA', 'RUA', 'DAS FLORES', '120', 'apto 3', 'CENTRO', 'SÃO "
                         "PAULO', 'SP', '01001-000', 'DINHEIRO', ?, ?, ?, ?, ?)"),
                     {ono, Database::dateValue(dia), kTelefone, total ? 6000 : 0,
                      total ? 6000 - total : 0, total,
                      mensagem.isEmpty() ? QVariant() : QVariant(mensagem),
                      QString::fromUtf8(status)});
        }
        void item(int ono, const char* nome, int quantidade, int preco) {
            db->exec(QStringLiteral("INSERT INTO TB_Item (ite_Ono, ite_Nome, ite_Quantidade, "
                                    "ite_Preco, ite_Total, ite_cat) VALUES (?, ?, ?, ?, ?, 'X')"),
                     {ono, QString::fromUtf8(nome), quantidade, preco, preco * quantidade});
        }
        // The search opened from the main window, handing its pick to `consulta`.
        std::unique_ptr<frmLocalizar_Pedido> busca(frmConsulta_Pedido& consulta,
                                                   const QString& origem = {}) {
            auto screen = std::make_unique<frmLocalizar_Pedido>(context);
            screen->setOrigem(origem);
            screen->setTelefone(kTelefone);
            screen->setMostraPedido([&consulta](qint64 numero, bool somenteLeitura) {
                const bool found = consulta.MostraPedido(numero);
                if (found && somenteLeitura)
                    consulta.setSomenteLeitura();
                return found;
            });
            screen->show();
            return screen;
        }
    };

    static QList<qint64> listed(frmLocalizar_Pedido& busca) {
        QList<qint64> numbers;
        for (int row = 0; row < busca.rowCount(); ++row)
            numbers << busca.pedidos()->numeroAt(row);
        return numbers;
    }

private Q_SLOTS:
    void searchConsultAssignCopyReprintCancel();
    void historyFromTheOrderScreen();
    void aLongListReadsAPageAtATime();
    void priceTable();
};

void TestfrmConsulta_Pedido::searchConsultAssignCopyReprintCancel() {
    Fixture f;
    frmConsulta_Pedido consulta(f.context);
    consulta.setRelogio([] { return kAgora; });
    consulta.setReimpressao([&f](qint64 numero) {
        reimprimePedido(f.connections.db(), f.settings, f.home.root(), numero, kAgora);
    });
    auto busca = f.busca(consulta);
    QCOMPARE(listed(*busca), (QList<qint64>{12, 3})); // today's, newest first

    child<QRadioButton>(*busca, "optNumero_Pedido")->click();
    typeText(child<QLineEdit>(*busca, "txtNumero_Pedido"), QStringLiteral("1x"));
    QCOMPARE(text(*busca, "txtNumero_Pedido"), QStringLiteral("1"));
    QTRY_COMPARE(listed(*busca), (QList<qint64>{12, 1}));
    QTest::keyClick(child<QRadioButton>(*busca, "optTelefone"), Qt::Key_Space);
    QCOMPARE(busca->focusWidget(), child<QLineEdit>(*busca, "mskTelefone"));
    typeText(child<QLineEdit>(*busca, "mskTelefone"), QStringLiteral("98765"));
    QTRY_COMPARE(listed(*busca), (QList<qint64>{3, 2, 1}));
    child<QRadioButton>(*busca, "optNome_Cliente")->click();
    typeText(child<QLineEdit>(*busca, "txtNome_Cliente"), QStringLiteral("marcia d'a"));
    QTRY_COMPARE(listed(*busca), (QList<qint64>{3, 2, 1}));
    QCOMPARE(busca->cellText(0, 2), QStringLiteral("MÁRCIA D'ÁVILA"));
    QCOMPARE(busca->cellText(0, 4), QStringLiteral("R$ 52,50"));
    QCOMPARE(busca->cellText(1, 5), QStringLiteral("CANCELADO"));

    selectRow(*busca, 0);
    busca->btnProcurar1()->click();
    QVERIFY(!busca->isVisible());
    QCOMPARE(child<QLabel>(consulta, "lblPedido")->text(), QStringLiteral("3"));
    QCOMPARE(child<QLabel>(consulta, "lblUsuario")->text(), QStringLiteral("ANA"));
    QCOMPARE(text(consulta, "txtTroco"), QStringLiteral("7,50"));
    QCOMPARE(text(consulta, "txtMensagem"), kMensagem150 + QStringLiteral(" - CONCLUIDO -"));
    QCOMPARE(consulta.fgdPedido()->rowCount(), 4);
    QCOMPARE(cell(consulta, 0, 2), QStringLiteral("QUANTIDADE"));
    QCOMPARE(cell(consulta, 2, 1), QStringLiteral("COCA-COLA 2L"));
    QCOMPARE(cell(consulta, 2, 4), QStringLiteral("R$ 20,00"));

    // The courier: a filter that matches nobody, then an accent-blind one.
    f.messages.answer({false, true});
    onNextDialog<frmSelecionar_Entregador_Pedido>([](frmSelecionar_Entregador_Pedido& d) {
        typeText(d.txtNome(), QStringLiteral("X"));
        d.btnProcurar1()->click();
        typeText(d.txtNome(), QStringLiteral("jose d'a"));
        QCOMPARE(d.rowCount(), 1);
        d.btnProcurar1()->click();
    });
    child<QPushButton>(consulta, "btnEntregador")->click();
    QCOMPARE(f.messages.texts().mid(0, 4),
             (QStringList{QStringLiteral("Entregador não cadastrado!!!"),
                          QStringLiteral("Deseja sair do Pedido ?"),
                          QStringLiteral("Entregador Atualizado no Pedido."),
                          QStringLiteral("Deseja sair do Pedido ?")}));
    QCOMPARE(text(consulta, "txtEntregador"), QStringLiteral("JOSÉ D'ÁVILA"));
    if (qEnvironmentVariableIsSet("BRISKO_SCREENSHOT"))
        consulta.grab().save(qEnvironmentVariable("BRISKO_SCREENSHOT"));
    QCOMPARE(f.db->scalar(QStringLiteral("SELECT ped_Entregador || fl_sincroniza FROM TB_Pedido "
                                         "WHERE ped_ono = 3"))
                 .toString(),
             QStringLiteral("JOSÉ D'ÁVILAS"));

    f.messages.clear();
    child<QPushButton>(consulta, "btnMsg")->click();
    const QStringList linhas = QGuiApplication::clipboard()->text().split(QStringLiteral("\r\n"));
    QCOMPARE(f.messages.texts(),
             QStringList{QStringLiteral("Mande esta mensagem para o Entregador.")});
    const qsizetype at = linhas.indexOf(QStringLiteral("MENSAGEM"));
    QVERIFY(at > 0);
    QCOMPARE(kMensagem150.size(), 150);
    QCOMPARE(linhas.mid(at + 1, 4),
             (QStringList{kMensagem150.mid(0, 48), kMensagem150.mid(48, 48),
                          kMensagem150.mid(96, 48), QString(48, QLatin1Char('-'))}));
    QVERIFY(linhas.contains(QStringLiteral("ITEM(S) 3")));

    f.messages.answer({true});
    child<QPushButton>(consulta, "btnImprimir")->click();
    QFile cupom(f.home.root() + QStringLiteral("/Cupom.txt"));
    QVERIFY(cupom.open(QIODevice::ReadOnly));
    const QByteArray impresso = cupom.readAll();
    QVERIFY(impresso.contains("  * TOTAL R$ 52,50 *"));
    QFile golden(QStringLiteral(BRISKO_TEST_SOURCE_DIR "/gui/golden/reimpressao_cupom.bin"));
    if (qEnvironmentVariableIsSet("BRISKO_WRITE_GOLDEN") && golden.open(QIODevice::WriteOnly))
        golden.write(impresso);
    golden.close();
    QVERIFY(golden.open(QIODevice::ReadOnly));
    QCOMPARE(impresso, golden.readAll());

    f.messages.clear();
    f.messages.answer({true});
    child<QPushButton>(consulta, "btnCancelar")->click();
    QCOMPARE(f.messages.texts(), (QStringList{QStringLiteral("Deseja cancelar o pedido Nº 3 ?"),
                                              QStringLiteral("Pedido cancelado com sucesso!")}));
    QCOMPARE(text(consulta, "txtTotal"), QStringLiteral("0,00"));
    QCOMPARE(text(consulta, "txtValorPago"), QStringLiteral("0,00"));
    QVERIFY(text(consulta, "txtMensagem").endsWith(QStringLiteral(" - CANCELADO -")));
    QCOMPARE(consulta.fgdPedido()->rowCount(), 4);
    QCOMPARE(cell(consulta, 1, 2), QStringLiteral("0"));
    QCOMPARE(cell(consulta, 3, 3), QStringLiteral("R$ 0,00"));
    f.messages.clear();
    child<QPushButton>(consulta, "btnCancelar")->click();
    QCOMPARE(f.messages.texts(), QStringList{QStringLiteral("O pedido já esta cancelado!")});
}

void TestfrmConsulta_Pedido::aLongListReadsAPageAtATime() {
    Fixture f;
    f.db->exec(QStringLiteral("INSERT INTO TB_Pedido (ped_ono, ped_usu_id, ped_data, "
                              "ped_cli_Telefone, ped_cli_Nome) WITH RECURSIVE n(i) AS (SELECT 100 "
                              "UNION ALL SELECT i + 1 FROM n WHERE i < 699) SELECT i, 1, ?, "
                              "'5555-0000', 'X' FROM n"),
               {Database::dateValue(QDate::currentDate())});
    frmConsulta_Pedido consulta(f.context);
    auto busca = f.busca(consulta);
    QVERIFY(QTest::qWaitForWindowExposed(busca.get()));
    QCOMPARE(busca->rowCount(), PedidoListModel::kPrimeiraPagina);
    busca->list()->scrollToBottom();
    QTRY_COMPARE(busca->rowCount(), 602);
}

void TestfrmConsulta_Pedido::historyFromTheOrderScreen() {
    Fixture f;
    frmPedido pedido(f.context);
    pedido.show();
    QSignalSpy historico(&pedido, &frmPedido::historicoPedidos);
    typeText(pedido.mskTelefone(), QStringLiteral("987654321"));
    pedido.btnProcurar()->click();
    QTRY_VERIFY(pedido.imgLocalizaPedido()->isVisible());
    QTest::mouseDClick(pedido.imgLocalizaPedido(), Qt::LeftButton);
    QCOMPARE(historico.size(), 1);
    QCOMPARE(historico.first().first().toString(), kTelefone);

    frmConsulta_Pedido consulta(f.context);
    auto busca = f.busca(consulta, QStringLiteral("frmPedido"));
    QCOMPARE(busca->rowCount(), 6);
    QCOMPARE(listed(*busca), (QList<qint64>{3, 2, 1, 0, 0, 0}));
    QCOMPARE(busca->cellText(3, 3), QStringLiteral("Total Geral"));
    QCOMPARE(busca->cellText(3, 4), QStringLiteral("R$ 82,50"));
    QCOMPARE(busca->cellText(4, 4), QStringLiteral("3"));
    QCOMPARE(busca->cellText(5, 3), QStringLiteral("Cancelados "));
    QCOMPARE(busca->cellText(5, 4), QStringLiteral("1"));
    QVERIFY(!busca->btnProcurar1()->isVisible());
    QVERIFY(!child<QRadioButton>(*busca, "optData_Pedido")->isEnabled());
    const QAbstractItemModel* top = busca->lstTopProdutosPedidos()->model();
    QCOMPARE(top->rowCount(), 3); // the cancelled order's ATUM is left out
    QCOMPARE(top->index(0, 0).data().toString(), QStringLiteral("CALABRESA"));
    QCOMPARE(top->index(0, 1).data().toString(), QStringLiteral("2"));
    QCOMPARE(top->index(0, 2).data().toString(), QStringLiteral("R$ 60,00"));

    selectRow(*busca, 4);
    QTest::keyClick(busca->list(), Qt::Key_Return);
    QCOMPARE(f.messages.texts(), QStringList{QStringLiteral("Pedido não cadastrado!!!")});
    QVERIFY(busca->isVisible());
    selectRow(*busca, 2);
    QTest::keyClick(busca->list(), Qt::Key_Return);
    QVERIFY(!busca->isVisible());
    QCOMPARE(child<QLabel>(consulta, "lblPedido")->text(), QStringLiteral("1"));
    for (const char* botao :
         {"btnCancelar", "btnMsg", "btnEntregador", "btnImprimir", "btnProcurar"})
        QVERIFY(!child<QPushButton>(consulta, botao)->isEnabled());
}

void TestfrmConsulta_Pedido::priceTable() {
    Fixture f;
    f.exec("INSERT INTO TB_Produto (pro_ID, pro_Categoria, pro_Produto, pro_Preco, "
           "Pro_Descricao) VALUES (1, 'Pizzas', 'ATUM', 3000, 'atum e cebola'), (2, 'PIZZAS', "
           "'MUÇARELA', 2800, NULL), (3, 'Bebidas', 'ÁGUA D''OESTE', 300, NULL)");
    frmTabela_Preco tabela(f.context);
    tabela.show();
    QComboBox* combo = tabela.cboCategoria();
    QCOMPARE(combo->count(), 3);
    QCOMPARE(combo->itemText(0), QStringLiteral("TODOS"));
    QCOMPARE(combo->itemText(1), QStringLiteral("BEBIDAS"));
    QCOMPARE(combo->itemText(2), QStringLiteral("PIZZAS"));
    QCOMPARE(tabela.lstTabela_Preco()->topLevelItemCount(), 0);
    tabela.CarregaTabela(QStringLiteral("TODOS"));
    QCOMPARE(tabela.lstTabela_Preco()->topLevelItemCount(), 3);
    QCOMPARE(tabela.lstTabela_Preco()->topLevelItem(0)->text(0), QStringLiteral("MUÇARELA"));
    QCOMPARE(tabela.lstTabela_Preco()->topLevelItem(2)->text(0), QStringLiteral("ÁGUA D'OESTE"));
    tabela.CarregaTabela(QStringLiteral("PIZZAS"));
    QCOMPARE(tabela.lstTabela_Preco()->topLevelItemCount(), 2);
    QCOMPARE(tabela.lstTabela_Preco()->topLevelItem(1)->text(1), QStringLiteral("atum e cebola"));
    QCOMPARE(tabela.lstTabela_Preco()->topLevelItem(1)->text(2), QStringLiteral("R$ 30,00"));

    frmMensagem mensagem(f.context);
    mensagem.show();
    tabela.close();
    QVERIFY(tabela.isVisible());
    QCOMPARE(f.messages.texts(),
             QStringList{QStringLiteral("A janela de mensagem ainda esta aberta.")});
    mensagem.hide();
    tabela.close();
    QVERIFY(!tabela.isVisible());
}

BRISKO_DB_SCREEN_TEST_MAIN(TestfrmConsulta_Pedido)
#include "TestfrmConsulta_Pedido.moc"
