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

using namespace Qt::StringLiterals;

namespace {

// The quick registration as the order screen opens it with `telefone`, driven by `drive`:
// how it closed and the customer it handed back, if any.
std::pair<int, std::optional<Cliente>> cadastra(ScreenContext& context, const QString& telefone,
                                                const std::function<void(frmCad_Cli_Ped&)>& drive) {
    frmCad_Cli_Ped dialog(context, telefone);
    onNextDialog<frmCad_Cli_Ped>(drive);
    const int result = dialog.exec();
    return {result, dialog.cadastrado()};
}

void fill(frmCad_Cli_Ped& dialog) {
    ClienteFields& c = *dialog.campos();
    QTest::keyClicks(c.txtNome(), u"maria d'ajuda"_s);
    c.cboTipo()->setCurrentText(u"FAVELA"_s);
    QTest::keyClicks(c.txtLogradouro(), u"do sol"_s);
    QTest::keyClicks(c.txtNumero(), u"7"_s);
    QTest::keyClicks(c.txtComplemento(), u"casa 2"_s);
    QTest::keyClicks(c.txtBairro(), u"rocinha"_s);
    QTest::keyClicks(c.txtCidade(), u"rio de janeiro"_s);
    c.cboUF()->setCurrentText(u"RJ"_s);
    c.mskCEP()->setText(u"22451-000"_s);
    c.mskData_Nasc()->setText(u"30/02/1970"_s);
    QTest::keyClicks(c.txtEmail(), u"MARIA@X.COM"_s);
    QTest::keyClicks(c.txtObservacao(), u"ligar antes"_s);
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
        frmCad_Cli_Ped dialog(f.context, u"55551234"_s);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        const ClienteFields& c = *dialog.campos();
        QCOMPARE(dialog.estado(), frmCad_Cli_Ped::Estado::Editando);
        QCOMPARE(c.mskTelefone()->text(), u"55551234"_s); // never reformatted
        QVERIFY(dialog.btnSalvar()->isEnabled());
        QVERIFY(dialog.btnSalvar()->isDefault());
        QVERIFY(dialog.btnSair()->isEnabled());
        for (QWidget* field : c.lockable())
            QVERIFY2(field->isEnabled(), qPrintable(field->objectName()));
        QCOMPARE(dialog.options().radius, ScreenOptions::kRegistryRadius);
        QCOMPARE(c.cboTipo()->currentText(), u"RUA"_s);
        QCOMPARE(c.cboUF()->currentText(), u"SP"_s);
        QStringList tipos = CarregaTipoLogradouro();
        tipos.insert(tipos.indexOf(u"ESTRADA"_s) + 1, u"FAVELA"_s);
        QCOMPARE(items(c.cboTipo()), tipos);
        QCOMPARE(items(c.cboTipo()).indexOf(u"FAZENDA"_s),
                 items(c.cboTipo()).indexOf(u"FAVELA"_s) + 1);

        // Leaving the box does not reformat it either.
        QTRY_VERIFY(dialog.isActiveWindow());
        c.mskTelefone()->setFocus();
        c.txtNome()->setFocus(Qt::TabFocusReason);
        QCOMPARE(c.mskTelefone()->text(), u"55551234"_s);
        QCOMPARE(f.messages.count(), 0);
    }

    void savingHandsTheNewCustomerBack() {
        ScreenFixture f;
        Cliente outro;
        outro.telefone = u"1111-1111"_s;
        outro.nome = u"OUTRO"_s;
        ClienteStore(*f.db).insert(outro);

        const auto [result, handed] =
            cadastra(f.context, u"98765-4321"_s, [&f](frmCad_Cli_Ped& dialog) {
                fill(dialog);
                dialog.btnSalvar()->click();
                QCOMPARE(f.messages.texts(), QStringList{u"Cliente cadastrado com sucesso"_s});
                QCOMPARE(dialog.estado(), frmCad_Cli_Ped::Estado::Salvo);
                QVERIFY(!dialog.btnSalvar()->isEnabled());
                QVERIFY(!dialog.campos()->txtNome()->isEnabled());
                QCOMPARE(dialog.campos()->txtCodigo()->text(), u"2"_s);
            });
        QCOMPARE(result, int(QDialog::Accepted));
        // Handed back as stored, and found by the order screen's telephone.
        const Cliente expected{2,
                               u"98765-4321"_s,
                               u"MARIA D'AJUDA"_s,
                               {},
                               u"FAVELA"_s,
                               u"DO SOL"_s,
                               u"7"_s,
                               u"CASA 2"_s,
                               u"ROCINHA"_s,
                               u"RIO DE JANEIRO"_s,
                               u"RJ"_s,
                               u"22451-000"_s,
                               QDate(),
                               u"maria@x.com"_s,
                               u"LIGAR ANTES"_s};
        QCOMPARE(handed, std::optional(expected)); // no date: the 30th of February
        QCOMPARE(ClienteStore(*f.db).findByTelefone(u"98765-4321"_s), std::optional(expected));
        QVERIFY(f.db->scalar(u"SELECT fl_sincroniza FROM TB_Cliente WHERE cli_ID = 2"_s).isNull());
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
        const auto [result, handed] =
            cadastra(f.context, u"5555-1234"_s, [way](frmCad_Cli_Ped& dialog) {
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
        QVERIFY(!handed);
        QVERIFY(ClienteStore(*f.db).isEmpty());
        QCOMPARE(f.messages.count(), 0);
    }

    void refusesATakenTelephoneAndAnIncompleteRecord() {
        ScreenFixture f;
        Cliente existente;
        existente.telefone = u"5555-1234"_s;
        existente.nome = u"ANA"_s;
        ClienteStore(*f.db).insert(existente);

        frmCad_Cli_Ped dialog(f.context, u"5555-1234"_s);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        ClienteFields& c = *dialog.campos();
        QTRY_COMPARE(QApplication::focusWidget(), c.mskTelefone());
        c.txtNome()->setFocus(Qt::TabFocusReason);
        QCOMPARE(f.messages.texts(), QStringList{u"Cliente já esta cadastrado"_s});
        QCOMPARE(f.messages.last().caption, u"Aviso"_s);
        QVERIFY(c.mskTelefone()->text().isEmpty());
        QTRY_COMPARE(QApplication::focusWidget(), c.mskTelefone());

        // The shared rules, first failure first.
        f.messages.clear();
        dialog.btnSalvar()->click();
        QCOMPARE(f.messages.texts(), QStringList{u"Informe o telefone do cliente!!!"_s});
        c.mskTelefone()->setText(u"5555-4321"_s);
        c.txtNome()->setText(u"BIA"_s);
        c.txtLogradouro()->setText(u"AUGUSTA"_s);
        f.messages.clear();
        dialog.btnSalvar()->click();
        QCOMPARE(f.messages.texts(), QStringList{u"Informe o numero da residencia!!!"_s});
        QCOMPARE(dialog.estado(), frmCad_Cli_Ped::Estado::Editando);
        QVERIFY(dialog.isVisible());

        // Taken without the box being left: the store refuses it at saving time.
        c.mskTelefone()->setText(u"5555-1234"_s);
        c.txtNumero()->setText(u"1"_s);
        f.messages.clear();
        dialog.btnSalvar()->click();
        QCOMPARE(f.messages.texts(), QStringList{u"Cliente já esta cadastrado"_s});
        QVERIFY(dialog.isVisible());
        QVERIFY(!dialog.cadastrado());
        QCOMPARE(f.db->scalar(u"SELECT COUNT(*) FROM TB_Cliente"_s).toInt(), 1);
    }

    void cepButtonOpensTheAddressDialog() {
        ScreenFixture f;
        frmCad_Cli_Ped dialog(f.context, u"5555-1234"_s);
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
