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

using namespace Qt::StringLiterals;

namespace {

using State = RegistryScreenBase::State;

Cliente cliente(const QString& telefone, const QString& nome, const QString& logradouro,
                const QString& numero = u"10"_s) {
    Cliente c;
    c.telefone = telefone;
    c.nome = nome;
    c.tipo = u"RUA"_s;
    c.logradouro = logradouro;
    c.numero = numero;
    c.uf = u"SP"_s;
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
                const QString& status = u"Entregue"_s) {
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

void expectLockedBrowse(frmCliente& screen) {
    expectState(screen, State::Browse,
                {screen.btnCep(), screen.campos()->fraCodigo(), screen.campos()->txtNome()});
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
        QCOMPARE(dialog.titleLabel()->text(), u"Localizar Cliente"_s);
        QVERIFY(dialog.optTelefone()->isChecked());
        QVERIFY(!dialog.optNome()->isChecked());
        QVERIFY(dialog.mskTelefone()->isEnabled());
        QVERIFY(!dialog.txtNome()->isEnabled());
        QVERIFY(!dialog.txtEndereco()->isEnabled());
        QTRY_COMPARE(QApplication::focusWidget(), dialog.mskTelefone());
        QCOMPARE(column(dialog, 0), (QStringList{"1", "2", "3", "4"}));
        QCOMPARE(dialog.selectedRow(), 0);
        // The statistics columns belong to Localizar only.
        QCOMPARE(dialog.list()->model()->columnCount(), 10);
        frmSelecionar_Cliente selecionar(f.context);
        QCOMPARE(selecionar.titleLabel()->text(), u"Selecionar Cliente"_s);
        QCOMPARE(selecionar.list()->model()->columnCount(), 5);
        QVERIFY(selecionar.optTelefone()->isChecked());
    }

    void eachBoxNarrowsByItsOwnColumn() {
        Fixture f;
        frmLocalizar_Cliente dialog(f.context);
        dialog.show();
        QApplication::setActiveWindow(&dialog);

        QTest::keyClicks(dialog.mskTelefone(), u"5555-0"_s);
        QCOMPARE(column(dialog, 2), (QStringList{"5555-0003", "5555-0001"})); // by code

        // Switching keeps every text and the list; only the chosen box can be typed in.
        dialog.optNome()->click();
        QVERIFY(dialog.optNome()->isChecked());
        QVERIFY(!dialog.optTelefone()->isChecked());
        QVERIFY(dialog.txtNome()->isEnabled());
        QVERIFY(!dialog.mskTelefone()->isEnabled());
        QVERIFY(!dialog.txtEndereco()->isEnabled());
        QCOMPARE(dialog.mskTelefone()->text(), u"5555-0"_s);
        QCOMPARE(dialog.rowCount(), 2);
        QTRY_COMPARE(QApplication::focusWidget(), dialog.txtNome());

        // Names by name, any case, typed without a filter.
        QTest::keyClicks(dialog.txtNome(), u"jo"_s);
        QCOMPARE(dialog.txtNome()->text(), u"jo"_s);
        QStringList nomes = column(dialog, 1);
        nomes.sort();
        QCOMPARE(nomes, (QStringList{"JOÃO SILVA", "josé pereira"}));
        dialog.txtNome()->setText(u"joã"_s);
        QCOMPARE(column(dialog, 1), QStringList{"JOÃO SILVA"});

        // Streets by street; clearing the box lists everyone again.
        dialog.optEndereco()->click();
        QCOMPARE(dialog.txtNome()->text(), u"joã"_s);
        QTest::keyClicks(dialog.txtEndereco(), u"RUA"_s);
        QCOMPARE(column(dialog, 0), (QStringList{"1", "3"}));
        QCOMPARE(column(dialog, 3), (QStringList{"RUA RUA AUGUSTA", "RUA RUA BELA CINTRA"}));
        QCOMPARE(dialog.selectedRow(), 0);
        dialog.txtEndereco()->clear();
        QCOMPARE(dialog.rowCount(), 4);

        // A quote is only text.
        QTest::keyClicks(dialog.txtEndereco(), u"' OR '1'='1"_s);
        QCOMPARE(dialog.rowCount(), 0);
    }

    void showsTheFiguresOfEveryCustomer() {
        Fixture f;
        const QDate hoje = QDate::currentDate();
        f.pedido(1, u"5555-0003"_s, hoje.addDays(-30), 1000);
        f.pedido(2, u"5555-0003"_s, hoje.addDays(-2), 2050);
        f.pedido(3, u"5555-0003"_s, hoje, 9900, u"Cancelado"_s);
        f.pedido(4, u"5555-0001"_s, hoje, 4500, u"Cancelado"_s);
        frmLocalizar_Cliente dialog(f.context);
        QCOMPARE(dialog.cellText(0, 5), u"2"_s);
        QCOMPARE(dialog.cellText(0, 6), hoje.addDays(-30).toString(u"dd/MM/yyyy"_s));
        QCOMPARE(dialog.cellText(0, 8), u"30,50"_s);
        QCOMPARE(dialog.cellText(0, 9), u"15,25"_s);
        // Only cancelled orders: none counted.
        QCOMPARE(dialog.cellText(1, 5), u"0"_s);
        QVERIFY(dialog.cellText(1, 8).isEmpty());
        QVERIFY(dialog.cellText(1, 9).isEmpty());
        // Every column shows its whole header and values.
        QTreeView* list = dialog.list();
        for (int i = 0; i < list->header()->count(); ++i) {
            QVERIFY(list->columnWidth(i) >= list->header()->sectionSizeHint(i));
            QVERIFY(list->columnWidth(i) >=
                    static_cast<QAbstractItemView*>(list)->sizeHintForColumn(i));
        }
        // The figures follow a search too.
        dialog.optNome_Click();
        QTest::keyClicks(dialog.txtNome(), u"MARIA"_s);
        QCOMPARE(dialog.rowCount(), 1);
        QCOMPARE(dialog.cellText(0, 5), u"2"_s);
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
        QCOMPARE(dialog.escolhido()->nome, u"josé pereira"_s);

        // An empty list: the message, the telephone box emptied, the dialog still open.
        frmLocalizar_Cliente localizar(f.context);
        localizar.show();
        QApplication::setActiveWindow(&localizar);
        QTest::keyClicks(localizar.mskTelefone(), u"9"_s);
        QCOMPARE(localizar.rowCount(), 0);
        localizar.btnProcurar1()->click();
        QCOMPARE(f.messages.texts(), QStringList{u"Cliente não cadastrado!!!"_s});
        QCOMPARE(f.messages.last().caption, u"Brisko"_s);
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
            dialog->setOrigem(u"frmPedido"_s);
            dialog->show();
            QApplication::setActiveWindow(dialog.get());
            return dialog;
        };

        auto procurar = open();
        QCOMPARE(procurar->property("Origem").toString(), u"frmPedido"_s);
        selectRow(*procurar, 1);
        procurar->btnProcurar1()->click();
        QCOMPARE(procurar->result(), int(QDialog::Accepted));
        QCOMPARE(procurar->telefoneEscolhido(), std::optional(u"5555-0001"_s));

        auto enter = open();
        selectRow(*enter, 2);
        QTest::keyClick(enter->list(), Qt::Key_Return);
        QVERIFY(!enter->isVisible());
        QCOMPARE(enter->telefoneEscolhido(), std::optional(u"4444-0002"_s));

        auto duplo = open();
        Q_EMIT duplo->list()->doubleClicked(duplo->list()->model()->index(3, 1));
        QVERIFY(!duplo->isVisible());
        QCOMPARE(duplo->result(), int(QDialog::Accepted));
        QCOMPARE(duplo->telefoneEscolhido(), std::optional(u"5555-1004"_s));

        // An empty list just closes: no message, no telephone.
        auto vazia = open();
        QTest::keyClicks(vazia->mskTelefone(), u"0"_s);
        QCOMPARE(vazia->rowCount(), 0);
        vazia->btnProcurar1()->click();
        QVERIFY(!vazia->isVisible());
        QCOMPARE(vazia->result(), int(QDialog::Rejected));
        QVERIFY(!vazia->telefoneEscolhido());
        QCOMPARE(f.messages.count(), 0);
    }

    void pickFillsTheRegistryScreen() {
        Fixture f;
        Cliente completo{0,
                         u"3333-3333"_s,
                         u"D'ÁVILA ÇÃO"_s,
                         u"12.345.678-9"_s,
                         u"ALAMEDA"_s,
                         u"DAS FLORES"_s,
                         u"12A"_s,
                         u"APTO 5"_s,
                         u"JARDINS"_s,
                         u"SÃO PAULO"_s,
                         u"RJ"_s,
                         u"01310-100"_s,
                         QDate(1980, 5, 7),
                         u"davila@example.com"_s,
                         u"PORTÃO AZUL"_s};
        ClienteStore(*f.db).insert(completo);

        frmCliente screen(f.context);
        screen.show();
        onNextDialog<frmLocalizar_Cliente>([](frmLocalizar_Cliente& dialog) {
            QTest::keyClicks(dialog.mskTelefone(), u"3333"_s);
            dialog.btnProcurar1()->click();
        });
        screen.btnProcurar1_Click();
        expectLockedBrowse(screen);
        const ClienteFields& c = *screen.campos();
        completo.codigo = 5;
        QCOMPARE(c.typed(), completo);
        QCOMPARE(c.mskData_Nasc()->text(), u"07/05/1980"_s);

        // The next customer has no birth date: none stays on view.
        onNextDialog<frmLocalizar_Cliente>([](frmLocalizar_Cliente& dialog) {
            selectRow(dialog, 0);
            dialog.btnProcurar1()->click();
        });
        screen.btnProcurar1_Click();
        QCOMPARE(c.txtCodigo()->text(), u"1"_s);
        QCOMPARE(c.mskData_Nasc()->text(), u"//"_s);
        QVERIFY(c.mskCEP()->text() == u"-"_s);
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
        QCOMPARE(f.db->scalar(u"SELECT COUNT(*) FROM TB_Cliente"_s).toInt(), 4);

        // A new record can have its postal code and birth date again.
        screen.btnIncluir_Click();
        QVERIFY(screen.campos()->mskCEP()->isEnabled());
        QVERIFY(screen.campos()->mskData_Nasc()->isEnabled());
    }
};

BRISKO_DB_SCREEN_TEST_MAIN(TestClienteLookup)
#include "TestClienteLookup.moc"
