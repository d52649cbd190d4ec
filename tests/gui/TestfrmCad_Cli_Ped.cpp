// ctest-label: db
#include "common/Text.h"
#include "common/screens/TitleButtons.h"
#include "masterdata/ClienteStore.h"
#include "masterdata/screens/ClienteFields.h"
#include "masterdata/screens/frmCad_Cli_Ped.h"
#include "masterdata/screens/frmCep_Ped_Cad_Cli.h"
#include "support/ScreenFixture.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

// Stands in for the order screen: its customer boxes, filled from what the quick
// registration hands back.
struct PedidoHarness : QWidget {
    QLineEdit mskTelefone, txtNome, txtTipo, txtLogradouro, txtNumero, txtComplemento, txtBairro,
        txtCidade, txtUF, txtCep, txtObservacao;

    QList<QLineEdit*> boxes() {
        return {&mskTelefone, &txtNome,   &txtTipo, &txtLogradouro, &txtNumero,    &txtComplemento,
                &txtBairro,   &txtCidade, &txtUF,   &txtCep,        &txtObservacao};
    }
    int cadastra(ScreenContext& context, const std::function<void(frmCad_Cli_Ped&)>& drive) {
        frmCad_Cli_Ped dialog(context, mskTelefone.text(), this);
        onNextDialog<frmCad_Cli_Ped>(drive);
        const int result = dialog.exec();
        if (result == QDialog::Accepted && dialog.cadastrado()) {
            const Cliente& c = *dialog.cadastrado();
            mskTelefone.setText(c.telefone);
            txtNome.setText(c.nome);
            txtTipo.setText(c.tipo);
            txtLogradouro.setText(c.logradouro);
            txtNumero.setText(c.numero);
            txtComplemento.setText(c.complemento);
            txtBairro.setText(c.bairro);
            txtCidade.setText(c.cidade);
            txtUF.setText(c.uf);
            txtCep.setText(c.cep);
            txtObservacao.setText(c.observacao);
        }
        return result;
    }
};

void fill(frmCad_Cli_Ped& dialog) {
    ClienteFields& c = *dialog.campos();
    QTest::keyClicks(c.txtNome(), QStringLiteral("maria d'ajuda"));
    c.cboTipo()->setCurrentText(QStringLiteral("FAVELA"));
    QTest::keyClicks(c.txtLogradouro(), QStringLiteral("do sol"));
    QTest::keyClicks(c.txtNumero(), QStringLiteral("7"));
    QTest::keyClicks(c.txtComplemento(), QStringLiteral("casa 2"));
    QTest::keyClicks(c.txtBairro(), QStringLiteral("rocinha"));
    QTest::keyClicks(c.txtCidade(), QStringLiteral("rio de janeiro"));
    c.cboUF()->setCurrentText(QStringLiteral("RJ"));
    c.mskCEP()->setText(QStringLiteral("22451-000"));
    c.mskData_Nasc()->setText(QStringLiteral("30/02/1970"));
    QTest::keyClicks(c.txtEmail(), QStringLiteral("MARIA@X.COM"));
    QTest::keyClicks(c.txtObservacao(), QStringLiteral("ligar antes"));
}

QStringList items(const QComboBox* combo) {
    QStringList list;
    for (int i = 0; i < combo->count(); ++i)
        list << combo->itemText(i);
    return list;
}

} // namespace

class TestfrmCad_Cli_Ped : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void opensEditingWithTheOrdersTelephone() {
        ScreenFixture f;
        frmCad_Cli_Ped dialog(f.context, QStringLiteral("55551234"));
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        const ClienteFields& c = *dialog.campos();
        QCOMPARE(dialog.estado(), frmCad_Cli_Ped::Estado::Editando);
        QCOMPARE(c.mskTelefone()->text(), QStringLiteral("55551234")); // never reformatted
        QVERIFY(dialog.btnSalvar()->isEnabled());
        QVERIFY(dialog.btnSalvar()->isDefault());
        QVERIFY(dialog.btnSair()->isEnabled());
        for (QWidget* field : c.lockable())
            QVERIFY2(field->isEnabled(), qPrintable(field->objectName()));
        QCOMPARE(dialog.options().radius, ScreenOptions::kRegistryRadius);
        QCOMPARE(c.cboTipo()->currentText(), QStringLiteral("RUA"));
        QCOMPARE(c.cboUF()->currentText(), QStringLiteral("SP"));
        QStringList tipos = CarregaTipoLogradouro();
        tipos.insert(tipos.indexOf(QStringLiteral("ESTRADA")) + 1, QStringLiteral("FAVELA"));
        QCOMPARE(items(c.cboTipo()), tipos);
        QCOMPARE(items(c.cboTipo()).indexOf(QStringLiteral("FAZENDA")),
                 items(c.cboTipo()).indexOf(QStringLiteral("FAVELA")) + 1);

        // Leaving the box does not reformat it either.
        QTRY_VERIFY(dialog.isActiveWindow());
        c.mskTelefone()->setFocus();
        c.txtNome()->setFocus(Qt::TabFocusReason);
        QCOMPARE(c.mskTelefone()->text(), QStringLiteral("55551234"));
        QCOMPARE(f.messages.count(), 0);
    }

    void savingHandsTheNewCustomerBack() {
        ScreenFixture f;
        Cliente outro;
        outro.telefone = QStringLiteral("1111-1111");
        outro.nome = QStringLiteral("OUTRO");
        ClienteStore(*f.db).insert(outro);

        PedidoHarness pedido;
        pedido.mskTelefone.setText(QStringLiteral("98765-4321"));
        const int result = pedido.cadastra(f.context, [&f](frmCad_Cli_Ped& dialog) {
            fill(dialog);
            dialog.btnSalvar()->click();
            QCOMPARE(f.messages.texts(),
                     QStringList{QStringLiteral("Cliente cadastrado com sucesso")});
            QCOMPARE(dialog.estado(), frmCad_Cli_Ped::Estado::Salvo);
            QVERIFY(!dialog.btnSalvar()->isEnabled());
            QVERIFY(!dialog.campos()->txtNome()->isEnabled());
            QCOMPARE(dialog.campos()->txtCodigo()->text(), QStringLiteral("2"));
        });
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(pedido.mskTelefone.text(), QStringLiteral("98765-4321"));
        QCOMPARE(pedido.txtNome.text(), QStringLiteral("MARIA D'AJUDA"));
        QCOMPARE(pedido.txtTipo.text(), QStringLiteral("FAVELA"));
        QCOMPARE(pedido.txtLogradouro.text(), QStringLiteral("DO SOL"));
        QCOMPARE(pedido.txtNumero.text(), QStringLiteral("7"));
        QCOMPARE(pedido.txtComplemento.text(), QStringLiteral("CASA 2"));
        QCOMPARE(pedido.txtBairro.text(), QStringLiteral("ROCINHA"));
        QCOMPARE(pedido.txtCidade.text(), QStringLiteral("RIO DE JANEIRO"));
        QCOMPARE(pedido.txtUF.text(), QStringLiteral("RJ"));
        QCOMPARE(pedido.txtCep.text(), QStringLiteral("22451-000"));
        QCOMPARE(pedido.txtObservacao.text(), QStringLiteral("LIGAR ANTES"));

        // The row as the order screen will find it by telephone.
        const std::optional<Cliente> stored =
            ClienteStore(*f.db).findByTelefone(QStringLiteral("98765-4321"));
        QVERIFY(stored);
        QCOMPARE(stored->codigo, 2);
        QCOMPARE(stored->email, QStringLiteral("maria@x.com"));
        QVERIFY(!stored->dataNascimento.isValid()); // the 30th of February
        QVERIFY(f.db->scalar(QStringLiteral("SELECT fl_sincroniza FROM TB_Cliente WHERE "
                                            "cli_ID = 2"))
                    .isNull());
    }

    void everyOtherWayOutHandsNothingBack_data() {
        QTest::addColumn<int>("way");
        QTest::newRow("btnSair") << 0;
        QTest::newRow("Command1") << 1;
        QTest::newRow("imgClose") << 2;
        QTest::newRow("Esc") << 3;
    }
    void everyOtherWayOutHandsNothingBack() {
        QFETCH(int, way);
        ScreenFixture f;
        PedidoHarness pedido;
        pedido.mskTelefone.setText(QStringLiteral("5555-1234"));
        pedido.txtNome.setText(QStringLiteral("ANTES"));
        const int result = pedido.cadastra(f.context, [way](frmCad_Cli_Ped& dialog) {
            fill(dialog);
            switch (way) {
            case 0:
                dialog.btnSair()->click();
                break;
            case 1:
                dialog.command1()->click();
                break;
            case 2:
                Q_EMIT dialog.titleButtons()->closeClicked();
                break;
            default:
                QTest::keyClick(&dialog, Qt::Key_Escape);
            }
        });
        QCOMPARE(result, int(QDialog::Rejected));
        QCOMPARE(pedido.mskTelefone.text(), QStringLiteral("5555-1234"));
        QCOMPARE(pedido.txtNome.text(), QStringLiteral("ANTES"));
        for (QLineEdit* box : pedido.boxes().mid(2))
            QVERIFY(box->text().isEmpty());
        QVERIFY(ClienteStore(*f.db).isEmpty());
        QCOMPARE(f.messages.count(), 0);
    }

    void refusesATakenTelephoneAndAnIncompleteRecord() {
        ScreenFixture f;
        Cliente existente;
        existente.telefone = QStringLiteral("5555-1234");
        existente.nome = QStringLiteral("ANA");
        ClienteStore(*f.db).insert(existente);

        frmCad_Cli_Ped dialog(f.context, QStringLiteral("5555-1234"));
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        ClienteFields& c = *dialog.campos();
        QTRY_COMPARE(QApplication::focusWidget(), c.mskTelefone());
        c.txtNome()->setFocus(Qt::TabFocusReason);
        QCOMPARE(f.messages.texts(), QStringList{QStringLiteral("Cliente já esta cadastrado")});
        QCOMPARE(f.messages.last().caption, QStringLiteral("Aviso"));
        QVERIFY(c.mskTelefone()->text().isEmpty());
        QTRY_COMPARE(QApplication::focusWidget(), c.mskTelefone());

        // The shared rules, first failure first.
        f.messages.clear();
        dialog.btnSalvar()->click();
        QCOMPARE(f.messages.texts(),
                 QStringList{QStringLiteral("Informe o telefone do cliente!!!")});
        c.mskTelefone()->setText(QStringLiteral("5555-4321"));
        c.txtNome()->setText(QStringLiteral("BIA"));
        c.txtLogradouro()->setText(QStringLiteral("AUGUSTA"));
        f.messages.clear();
        dialog.btnSalvar()->click();
        QCOMPARE(f.messages.texts(),
                 QStringList{QStringLiteral("Informe o numero da residencia!!!")});
        QCOMPARE(dialog.estado(), frmCad_Cli_Ped::Estado::Editando);
        QVERIFY(dialog.isVisible());

        // Taken without the box being left: the store refuses it at saving time.
        c.mskTelefone()->setText(QStringLiteral("5555-1234"));
        c.txtNumero()->setText(QStringLiteral("1"));
        f.messages.clear();
        dialog.btnSalvar()->click();
        QCOMPARE(f.messages.texts(), QStringList{QStringLiteral("Cliente já esta cadastrado")});
        QVERIFY(dialog.isVisible());
        QVERIFY(!dialog.cadastrado());
        QCOMPARE(f.db->scalar(QStringLiteral("SELECT COUNT(*) FROM TB_Cliente")).toInt(), 1);
    }

    void cepButtonOpensTheAddressDialog() {
        ScreenFixture f;
        frmCad_Cli_Ped dialog(f.context, QStringLiteral("5555-1234"));
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        bool opened = false;
        onNextDialog<frmCep_Ped_Cad_Cli>([&opened](frmCep_Ped_Cad_Cli& cep) {
            opened = true;
            cep.close();
        });
        dialog.btnCep()->click();
        QVERIFY(opened);
        QTRY_COMPARE(dialog.focusWidget(), dialog.campos()->txtNome());
        QCOMPARE(dialog.estado(), frmCad_Cli_Ped::Estado::Editando);
    }
};

BRISKO_DB_SCREEN_TEST_MAIN(TestfrmCad_Cli_Ped)
#include "TestfrmCad_Cli_Ped.moc"
