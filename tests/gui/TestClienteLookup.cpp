// ctest-label: db
#include "common/screens/TitleButtons.h"
#include "masterdata/ClienteStore.h"
#include "masterdata/screens/ClienteFields.h"
#include "masterdata/screens/ClienteLookup.h"
#include "masterdata/screens/frmCliente.h"
#include "support/ScreenFixture.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>
#include <QtTest>

namespace {

using State = RegistryScreenBase::State;

Cliente cliente(const QString& telefone, const QString& nome, const QString& logradouro,
                const QString& numero = QStringLiteral("10")) {
    Cliente c;
    c.telefone = telefone;
    c.nome = nome;
    c.tipo = QStringLiteral("RUA");
    c.logradouro = logradouro;
    c.numero = numero;
    c.uf = QStringLiteral("SP");
    return c;
}

struct Fixture : ScreenFixture {
    Fixture() {
        ClienteStore store(*db);
        store.insert(cliente("5555-0003", "MARIA SOUZA", "RUA AUGUSTA", "300"));
        store.insert(cliente("5555-0001", "JOÃO SILVA", "FARIA LIMA", "100"));
        store.insert(cliente("4444-0002", "josé pereira", "RUA BELA CINTRA", "200"));
        store.insert(cliente("5555-1004", "ANA", "ALAMEDA SANTOS"));
    }
    void pedido(int ono, const QString& telefone, const QDate& data, qint64 centavos,
                const QString& status = QStringLiteral("Entregue")) {
        db->exec(QStringLiteral("INSERT INTO TB_Pedido (ped_ono, ped_data, ped_cli_Telefone, "
                                "ped_Total, ped_Status) VALUES (?, ?, ?, ?, ?)"),
                 {ono, Database::dateValue(data), telefone, centavos, status});
    }
};

// One column of every row the dialog lists.
QStringList column(const LookupDialogBase& dialog, int index) {
    QStringList cells;
    for (int row = 0; row < dialog.rowCount(); ++row)
        cells << dialog.cellText(row, index);
    return cells;
}

QStringList headers(const LookupDialogBase& dialog) {
    QStringList captions;
    const QAbstractItemModel* model = dialog.list()->model();
    for (int i = 0; i < model->columnCount(); ++i)
        captions << model->headerData(i, Qt::Horizontal).toString();
    return captions;
}

void expectLockedBrowse(const frmCliente& screen) {
    expectBrowseButtons(screen);
    QVERIFY(!screen.btnCep()->isEnabled());
    QVERIFY(!screen.campos()->fraCodigo()->isEnabled());
    QVERIFY(!screen.campos()->txtNome()->isEnabled());
}

} // namespace

class TestClienteLookup : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void opensOnTheTelephoneSearchWithTheWholeList() {
        Fixture f;
        frmLocalizar_Cliente dialog(f.context);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QCOMPARE(dialog.titleLabel()->text(), QStringLiteral("Localizar Cliente"));
        QCOMPARE(dialog.fraFiltro()->title(), QStringLiteral("Filtro por Nome"));
        QCOMPARE(dialog.label1()->text(), QStringLiteral("(Ex: Faria Lima) Não usar Av. Rua."));
        QCOMPARE(dialog.optNome()->text(), QStringLiteral("Nome"));
        QCOMPARE(dialog.optEndereco()->text(), QStringLiteral("Endereço"));
        QVERIFY(dialog.optTelefone()->isChecked());
        QVERIFY(!dialog.optNome()->isChecked());
        QVERIFY(dialog.mskTelefone()->isEnabled());
        QVERIFY(!dialog.txtNome()->isEnabled());
        QVERIFY(!dialog.txtEndereco()->isEnabled());
        QTRY_COMPARE(QApplication::focusWidget(), dialog.mskTelefone());
        QCOMPARE(dialog.list()->objectName(), QStringLiteral("lstSelecionar_Cliente"));
        QCOMPARE(column(dialog, 0), (QStringList{"1", "2", "3", "4"}));
        QCOMPARE(dialog.selectedRow(), 0);

        // The statistics columns belong to Localizar only.
        QCOMPARE(headers(dialog),
                 (QStringList{"Codigo", "Nome", "Telefone", "Endereço", "Nro", "Qtd.Ped.",
                              "Desde De", "Ult.Pedido", "Consumo", "Ticket Médio"}));
        frmSelecionar_Cliente selecionar(f.context);
        QCOMPARE(selecionar.titleLabel()->text(), QStringLiteral("Selecionar Cliente"));
        QCOMPARE(headers(selecionar),
                 (QStringList{"Codigo", "Nome", "Telefone", "Endereço", "Nro"}));
        QVERIFY(selecionar.optTelefone()->isChecked());
    }

    void eachBoxNarrowsByItsOwnColumn() {
        Fixture f;
        frmLocalizar_Cliente dialog(f.context);
        dialog.show();
        QApplication::setActiveWindow(&dialog);

        QTest::keyClicks(dialog.mskTelefone(), QStringLiteral("5555-0"));
        QCOMPARE(column(dialog, 2), (QStringList{"5555-0003", "5555-0001"})); // by code

        // Switching keeps every text and the list; only the chosen box can be typed in.
        dialog.optNome()->click();
        QVERIFY(dialog.optNome()->isChecked());
        QVERIFY(!dialog.optTelefone()->isChecked());
        QVERIFY(dialog.txtNome()->isEnabled());
        QVERIFY(!dialog.mskTelefone()->isEnabled());
        QVERIFY(!dialog.txtEndereco()->isEnabled());
        QCOMPARE(dialog.mskTelefone()->text(), QStringLiteral("5555-0"));
        QCOMPARE(dialog.rowCount(), 2);
        QTRY_COMPARE(QApplication::focusWidget(), dialog.txtNome());

        // Names by name, any case, typed without a filter.
        QTest::keyClicks(dialog.txtNome(), QStringLiteral("jo"));
        QCOMPARE(dialog.txtNome()->text(), QStringLiteral("jo"));
        QStringList nomes = column(dialog, 1);
        nomes.sort();
        QCOMPARE(nomes, (QStringList{"JOÃO SILVA", "josé pereira"}));
        dialog.txtNome()->setText(QStringLiteral("joã"));
        QCOMPARE(column(dialog, 1), QStringList{"JOÃO SILVA"});

        // Streets by street; clearing the box lists everyone again.
        dialog.optEndereco()->click();
        QCOMPARE(dialog.txtNome()->text(), QStringLiteral("joã"));
        QTest::keyClicks(dialog.txtEndereco(), QStringLiteral("RUA"));
        QCOMPARE(column(dialog, 0), (QStringList{"1", "3"}));
        QCOMPARE(column(dialog, 3), (QStringList{"RUA RUA AUGUSTA", "RUA RUA BELA CINTRA"}));
        QCOMPARE(dialog.selectedRow(), 0);
        dialog.txtEndereco()->clear();
        QCOMPARE(dialog.rowCount(), 4);

        // A quote is only text.
        QTest::keyClicks(dialog.txtEndereco(), QStringLiteral("' OR '1'='1"));
        QCOMPARE(dialog.rowCount(), 0);
    }

    void showsTheFiguresOfEveryCustomer() {
        Fixture f;
        const QDate hoje = QDate::currentDate();
        f.pedido(1, QStringLiteral("5555-0003"), hoje.addDays(-30), 1000);
        f.pedido(2, QStringLiteral("5555-0003"), hoje.addDays(-2), 2050);
        f.pedido(3, QStringLiteral("5555-0003"), hoje, 9900, QStringLiteral("Cancelado"));
        f.pedido(4, QStringLiteral("5555-0001"), hoje, 4500, QStringLiteral("Cancelado"));
        frmLocalizar_Cliente dialog(f.context);
        QCOMPARE(dialog.cellText(0, 5), QStringLiteral("2"));
        QCOMPARE(dialog.cellText(0, 6), hoje.addDays(-30).toString(QStringLiteral("dd/MM/yyyy")));
        QCOMPARE(dialog.cellText(0, 8), QStringLiteral("30,50"));
        QCOMPARE(dialog.cellText(0, 9), QStringLiteral("15,25"));
        // Only cancelled orders: none counted.
        QCOMPARE(dialog.cellText(1, 5), QStringLiteral("0"));
        QVERIFY(dialog.cellText(1, 8).isEmpty());
        QVERIFY(dialog.cellText(1, 9).isEmpty());
        // The figures follow a search too.
        dialog.optNome_Click();
        QTest::keyClicks(dialog.txtNome(), QStringLiteral("MARIA"));
        QCOMPARE(dialog.rowCount(), 1);
        QCOMPARE(dialog.cellText(0, 5), QStringLiteral("2"));
    }

    void pickFindsTheCustomerByTelephone() {
        Fixture f;
        frmSelecionar_Cliente dialog(f.context);
        dialog.show();
        selectRow(dialog, 2);
        dialog.btnProcurar1()->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(dialog.escolhido());
        QCOMPARE(dialog.escolhido()->codigo, 3);
        QCOMPARE(dialog.escolhido()->nome, QStringLiteral("josé pereira"));

        // An empty list: the message, the telephone box emptied, the dialog still open.
        frmLocalizar_Cliente localizar(f.context);
        localizar.show();
        QApplication::setActiveWindow(&localizar);
        QTest::keyClicks(localizar.mskTelefone(), QStringLiteral("9"));
        QCOMPARE(localizar.rowCount(), 0);
        localizar.btnProcurar1()->click();
        QCOMPARE(f.messages.texts(), QStringList{QStringLiteral("Cliente não cadastrado!!!")});
        QCOMPARE(f.messages.last().caption, QStringLiteral("Brisko"));
        QVERIFY(localizar.isVisible());
        QVERIFY(localizar.mskTelefone()->text().isEmpty());
        QCOMPARE(localizar.rowCount(), 4);
        QVERIFY(!localizar.escolhido());

        // Without the order screen a double click takes nothing.
        Q_EMIT localizar.list()->doubleClicked(localizar.list()->model()->index(1, 1));
        QVERIFY(localizar.isVisible());
        QVERIFY(!localizar.escolhido());
    }

    void orderScreenGetsOnlyTheTelephone() {
        Fixture f;
        const auto open = [&f] {
            auto dialog = std::make_unique<frmLocalizar_Cliente>(f.context);
            dialog->setOrigem(QStringLiteral("frmPedido"));
            dialog->show();
            QApplication::setActiveWindow(dialog.get());
            return dialog;
        };

        auto procurar = open();
        QCOMPARE(procurar->property("Origem").toString(), QStringLiteral("frmPedido"));
        selectRow(*procurar, 1);
        procurar->btnProcurar1()->click();
        QCOMPARE(procurar->result(), int(QDialog::Accepted));
        QCOMPARE(procurar->telefoneEscolhido(), std::optional(QStringLiteral("5555-0001")));

        auto enter = open();
        selectRow(*enter, 2);
        QTest::keyClick(enter->list(), Qt::Key_Return);
        QVERIFY(!enter->isVisible());
        QCOMPARE(enter->telefoneEscolhido(), std::optional(QStringLiteral("4444-0002")));

        auto duplo = open();
        Q_EMIT duplo->list()->doubleClicked(duplo->list()->model()->index(3, 1));
        QVERIFY(!duplo->isVisible());
        QCOMPARE(duplo->result(), int(QDialog::Accepted));
        QCOMPARE(duplo->telefoneEscolhido(), std::optional(QStringLiteral("5555-1004")));

        // An empty list just closes: no message, no telephone.
        auto vazia = open();
        QTest::keyClicks(vazia->mskTelefone(), QStringLiteral("0"));
        QCOMPARE(vazia->rowCount(), 0);
        vazia->btnProcurar1()->click();
        QVERIFY(!vazia->isVisible());
        QCOMPARE(vazia->result(), int(QDialog::Rejected));
        QVERIFY(!vazia->telefoneEscolhido());
        QCOMPARE(f.messages.count(), 0);
    }

    void pickFillsTheRegistryScreen() {
        Fixture f;
        Cliente completo = cliente("3333-3333", "D'ÁVILA ÇÃO", "DAS FLORES", "12A");
        completo.rg = QStringLiteral("12.345.678-9");
        completo.complemento = QStringLiteral("APTO 5");
        completo.bairro = QStringLiteral("JARDINS");
        completo.cidade = QStringLiteral("SÃO PAULO");
        completo.uf = QStringLiteral("RJ");
        completo.tipo = QStringLiteral("ALAMEDA");
        completo.cep = QStringLiteral("01310-100");
        completo.dataNascimento = QDate(1980, 5, 7);
        completo.email = QStringLiteral("davila@example.com");
        completo.observacao = QStringLiteral("PORTÃO AZUL");
        ClienteStore(*f.db).insert(completo);

        frmCliente screen(f.context);
        screen.show();
        onNextDialog<frmLocalizar_Cliente>([](frmLocalizar_Cliente& dialog) {
            QTest::keyClicks(dialog.mskTelefone(), QStringLiteral("3333"));
            dialog.btnProcurar1()->click();
        });
        screen.btnProcurar1_Click();
        expectLockedBrowse(screen);
        const ClienteFields& c = *screen.campos();
        QCOMPARE(c.txtCodigo()->text(), QStringLiteral("5"));
        QCOMPARE(c.mskTelefone()->text(), QStringLiteral("3333-3333"));
        QCOMPARE(c.txtNome()->text(), QStringLiteral("D'ÁVILA ÇÃO"));
        QCOMPARE(c.txtRG()->text(), QStringLiteral("12.345.678-9"));
        QCOMPARE(c.cboTipo()->currentText(), QStringLiteral("ALAMEDA"));
        QCOMPARE(c.txtLogradouro()->text(), QStringLiteral("DAS FLORES"));
        QCOMPARE(c.txtNumero()->text(), QStringLiteral("12A"));
        QCOMPARE(c.txtComplemento()->text(), QStringLiteral("APTO 5"));
        QCOMPARE(c.txtBairro()->text(), QStringLiteral("JARDINS"));
        QCOMPARE(c.txtCidade()->text(), QStringLiteral("SÃO PAULO"));
        QCOMPARE(c.cboUF()->currentText(), QStringLiteral("RJ"));
        QCOMPARE(c.mskCEP()->text(), QStringLiteral("01310-100"));
        QCOMPARE(c.mskData_Nasc()->text(), QStringLiteral("07/05/1980"));
        QCOMPARE(c.txtEmail()->text(), QStringLiteral("davila@example.com"));
        QCOMPARE(c.txtObservacao()->text(), QStringLiteral("PORTÃO AZUL"));

        // The next customer has no birth date: none stays on view.
        onNextDialog<frmLocalizar_Cliente>([](frmLocalizar_Cliente& dialog) {
            selectRow(dialog, 0);
            dialog.btnProcurar1()->click();
        });
        screen.btnProcurar1_Click();
        QCOMPARE(c.txtCodigo()->text(), QStringLiteral("1"));
        QCOMPARE(c.mskData_Nasc()->text(), QStringLiteral("//"));
        QVERIFY(c.mskCEP()->text() == QStringLiteral("-"));
    }

    void cancellingTheSelectionLocksEverything() {
        Fixture f;
        frmCliente screen(f.context);
        screen.show();
        QApplication::setActiveWindow(&screen);
        onNextDialog<frmSelecionar_Cliente>(
            [](frmSelecionar_Cliente& dialog) { dialog.command1()->click(); });
        screen.btnEditar_Click();
        expectLockedBrowse(screen);
        QVERIFY(!screen.campos()->mskCEP()->isEnabled());
        QVERIFY(!screen.campos()->mskData_Nasc()->isEnabled());
        QTRY_COMPARE(screen.focusWidget(), screen.btnIncluir());
        QCOMPARE(f.messages.count(), 0);

        onNextDialog<frmSelecionar_Cliente>(
            [](frmSelecionar_Cliente& dialog) { Q_EMIT dialog.titleButtons()->closeClicked(); });
        screen.btnDeletar_Click();
        expectLockedBrowse(screen);
        QCOMPARE(f.messages.count(), 0); // nothing asked, nothing deleted
        QCOMPARE(f.db->scalar(QStringLiteral("SELECT COUNT(*) FROM TB_Cliente")).toInt(), 4);

        // A new record can have its postal code and birth date again.
        screen.btnIncluir_Click();
        QVERIFY(screen.campos()->mskCEP()->isEnabled());
        QVERIFY(screen.campos()->mskData_Nasc()->isEnabled());
    }
};

BRISKO_DB_SCREEN_TEST_MAIN(TestClienteLookup)
#include "TestClienteLookup.moc"
