// ctest-label: db
#include "common/Text.h"
#include "masterdata/ClienteStore.h"
#include "masterdata/screens/ClienteFields.h"
#include "masterdata/screens/ClienteLookup.h"
#include "masterdata/screens/frmCliente.h"
#include "support/ScreenFixture.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

using State = RegistryScreenBase::State;

struct Fixture : RegistryFixture<frmCliente> {
    ClienteFields& c = *screen->campos();

    void seed(const QString& telefone, const QString& nome) {
        Cliente cliente;
        cliente.telefone = telefone;
        cliente.nome = nome;
        cliente.tipo = u"RUA"_s;
        cliente.logradouro = u"AUGUSTA"_s;
        cliente.numero = u"1"_s;
        ClienteStore(*db).insert(cliente);
    }
    // The minimum that passes the validation.
    void fillRequired(const QString& telefone, const QString& nome) {
        c.mskTelefone()->setText(telefone);
        c.txtNome()->setText(nome);
        c.txtLogradouro()->setText(u"AUGUSTA"_s);
        c.txtNumero()->setText(u"100"_s);
    }
    // Leaves the telephone box the way the user does.
    void leaveTelefone() {
        QApplication::setActiveWindow(screen.get());
        QTRY_VERIFY(screen->isActiveWindow());
        c.mskTelefone()->setFocus();
        c.txtNome()->setFocus(Qt::TabFocusReason);
    }
    // The postal code button goes with the fields.
    void expect(State state) {
        QList<QWidget*> fields = c.lockable();
        fields << screen->btnCep();
        expectState(*screen, state, fields);
    }
};

QStringList items(const QComboBox* combo) {
    QStringList list;
    for (int i = 0; i < combo->count(); ++i)
        list << combo->itemText(i);
    return list;
}

} // namespace

class TestfrmCliente : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void opensLockedWithTheMaskedBoxesOpen() {
        Fixture f;
        f.expect(State::Browse);
        QVERIFY(f.c.mskCEP()->isEnabled());
        QVERIFY(f.c.mskData_Nasc()->isEnabled());
        QCOMPARE(f.c.mskCEP()->displayText(), u"_____-___"_s);
        QCOMPARE(f.c.mskData_Nasc()->displayText(), u"__/__/____"_s);
        QVERIFY(f.c.mskTelefone()->inputMask().isEmpty());
        QCOMPARE(items(f.c.cboTipo()), CarregaTipoLogradouro());
        QCOMPARE(items(f.c.cboUF()), CarregaUF());
        QCOMPARE(f.c.cboTipo()->currentText(), u"RUA"_s);
        QCOMPARE(f.c.cboUF()->currentText(), u"SP"_s);
    }

    void includesWhatWasTyped() {
        Fixture f;
        f.screen->btnIncluir_Click();
        f.expect(State::Inclusion);
        QTRY_COMPARE(f.screen->focusWidget(), f.c.mskTelefone());

        // Capitals everywhere, the e-mail in lower case.
        QTest::keyClicks(f.c.mskTelefone(), u"955551234"_s);
        f.leaveTelefone();
        QTest::keyClicks(f.c.txtNome(), u"joao d'avila"_s);
        QTest::keyClicks(f.c.txtRG(), u"12.345.678-x"_s);
        f.c.cboTipo()->setCurrentText(QString());
        QTest::keyClicks(f.c.cboTipo(), u"travessa"_s);
        QTest::keyClicks(f.c.txtLogradouro(), u"das flores"_s);
        QTest::keyClicks(f.c.txtNumero(), u"12a"_s);
        QTest::keyClicks(f.c.txtComplemento(), u"fundos"_s);
        QTest::keyClicks(f.c.txtBairro(), u"se"_s);
        QTest::keyClicks(f.c.txtCidade(), u"sao paulo"_s);
        f.c.cboUF()->setCurrentText(QString());
        QTest::keyClicks(f.c.cboUF(), u"rjx"_s);
        f.c.mskCEP()->setCursorPosition(0);
        QTest::keyClicks(f.c.mskCEP(), u"01310100"_s);
        f.c.mskData_Nasc()->setCursorPosition(0);
        QTest::keyClicks(f.c.mskData_Nasc(), u"07051980"_s);
        QTest::keyClicks(f.c.txtEmail(), u"Joao@Example.COM"_s);
        QTest::keyClicks(f.c.txtObservacao(), u"portao azul"_s);
        QCOMPARE(f.c.mskTelefone()->text(), u"95555-1234"_s);
        QCOMPARE(f.c.txtNome()->text(), u"JOAO D'AVILA"_s);
        QCOMPARE(f.c.cboUF()->currentText(), u"RJ"_s);
        QCOMPARE(f.c.txtEmail()->text(), u"joao@example.com"_s);

        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.texts(), QStringList{u"Cliente cadastrado com sucesso"_s});
        QCOMPARE(f.messages.last().caption, u"Aviso"_s);
        f.expect(State::Browse);
        QCOMPARE(f.c.txtCodigo()->text(), u"1"_s);
        QCOMPARE(
            ClienteStore(*f.db).find(1),
            (Cliente{1, u"95555-1234"_s, u"JOAO D'AVILA"_s, u"12.345.678-X"_s, u"TRAVESSA"_s,
                     u"DAS FLORES"_s, u"12A"_s, u"FUNDOS"_s, u"SE"_s, u"SAO PAULO"_s, u"RJ"_s,
                     u"01310-100"_s, QDate(1980, 5, 7), u"joao@example.com"_s, u"PORTAO AZUL"_s}));
        QVERIFY(f.column(u"SELECT fl_sincroniza FROM TB_Cliente"_s).isNull());
    }

    void birthDatesAndLongTexts() {
        Fixture f;
        const QString longName = QString(99, QLatin1Char('A')) + u"Ç"_s;
        const struct {
            QString telefone;
            QString data;
            QDate stored;
        } cases[] = {{"1111-0001", "", {}},
                     {"1111-0002", "31/02/2000", {}},
                     {"1111-0003", "29/02/2000", QDate(2000, 2, 29)},
                     {"1111-0004", "12/05", {}}};
        for (const auto& each : cases) {
            f.screen->btnIncluir_Click();
            f.fillRequired(each.telefone, longName);
            f.c.mskData_Nasc()->setText(each.data);
            f.screen->btnSalvar_Click();
            QCOMPARE(f.messages.last().text, u"Cliente cadastrado com sucesso"_s);
            const QVariant stored =
                f.column(QStringLiteral("SELECT cli_Data_Nasc FROM TB_Cliente WHERE "
                                        "cli_Telefone = ?"),
                         {each.telefone});
            QCOMPARE(Database::dateFrom(stored), each.stored);
            QCOMPARE(stored.isNull(), !each.stored.isValid());
        }
        QCOMPARE(ClienteStore(*f.db).find(4)->nome, longName);
        QVERIFY(ClienteStore(*f.db).find(1)->cep.isEmpty()); // no postal code typed
    }

    void validatesInOrder() {
        Fixture f;
        f.screen->btnIncluir_Click();
        const auto expect = [&f](const QString& text, QWidget* focus) {
            f.messages.clear();
            f.screen->btnSalvar_Click();
            QCOMPARE(f.messages.texts(), QStringList{text});
            QCOMPARE(f.messages.last().caption, u"Aviso"_s);
            QCOMPARE(f.screen->state(), State::Inclusion);
            QTRY_COMPARE(f.screen->focusWidget(), focus);
        };
        f.c.txtNome()->setText(u"ANA"_s);
        expect(u"Informe o telefone do cliente!!!"_s, f.c.mskTelefone());
        f.c.txtNome()->clear();
        f.c.mskTelefone()->setText(u"5555-1234"_s);
        expect(u"Informe o nome do cliente!!!"_s, f.c.txtNome());
        f.c.txtNome()->setText(u"ANA"_s);
        f.c.cboTipo()->setCurrentText(QString());
        expect(u"Informe o tipo do logradouro!!!"_s, f.c.cboTipo());
        f.c.cboTipo()->setCurrentText(u"RUA"_s);
        expect(u"Informe o logradouro!!!"_s, f.c.txtLogradouro());
        f.c.txtLogradouro()->setText(u"AUGUSTA"_s);
        expect(u"Informe o numero da residencia!!!"_s, f.c.txtNumero());
        QVERIFY(ClienteStore(*f.db).isEmpty());
    }

    void formatsTheTelephoneWhenLeft_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("8 digits") << u"55551234"_s << u"5555-1234"_s;
        QTest::newRow("9 digits") << u"955551234"_s << u"95555-1234"_s;
        QTest::newRow("9 with separators") << u"9 5555.12-34"_s << u"95555-1234"_s;
        QTest::newRow("11 digits kept") << u"11955551234"_s << u"11955551234"_s;
        QTest::newRow("10 with brackets kept") << u"(11) 5555-1234"_s << u"(11) 5555-1234"_s;
        QTest::newRow("already formatted") << u"5555-1234"_s << u"5555-1234"_s;
    }
    void formatsTheTelephoneWhenLeft() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        Fixture f;
        f.screen->btnIncluir_Click();
        f.c.mskTelefone()->setText(typed);
        f.leaveTelefone();
        QCOMPARE(f.c.mskTelefone()->text(), shown);
        QCOMPARE(f.messages.count(), 0);

        // Saving with Enter straight from the box stores the same form.
        f.screen->btnIncluir_Click();
        f.fillRequired(typed, u"ANA"_s);
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.last().text, u"Cliente cadastrado com sucesso"_s);
        QCOMPARE(ClienteStore(*f.db).find(1)->telefone, shown);
    }

    void refusesATakenTelephoneOnInclusionOnly() {
        Fixture f;
        f.seed(u"5555-1234"_s, u"ANA"_s);
        f.seed(u"5555-9999"_s, u"BIA"_s);
        f.screen->btnIncluir_Click();
        f.c.mskTelefone()->setText(u"55551234"_s);
        f.leaveTelefone();
        QCOMPARE(f.messages.texts(), QStringList{u"Cliente já esta cadastrado"_s});
        QCOMPARE(f.messages.last().caption, u"Aviso"_s);
        QVERIFY(f.c.mskTelefone()->text().isEmpty());
        QTRY_COMPARE(f.screen->focusWidget(), f.c.mskTelefone());

        // The store still refuses it when the box was never left.
        f.messages.clear();
        f.fillRequired(u"5555-1234"_s, u"OUTRA"_s);
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.texts(), QStringList{u"Cliente já esta cadastrado"_s});
        QCOMPARE(f.screen->state(), State::Inclusion);
        QCOMPARE(f.count("TB_Cliente"), 2);

        // A change keeps its own telephone without a word...
        f.messages.clear();
        pickNext<frmSelecionar_Cliente>(0);
        f.screen->btnEditar_Click();
        f.leaveTelefone();
        QCOMPARE(f.messages.count(), 0);
        QCOMPARE(f.c.mskTelefone()->text(), u"5555-1234"_s);
        // ...but cannot take another customer's.
        f.c.mskTelefone()->setText(u"5555-9999"_s);
        f.leaveTelefone();
        QCOMPARE(f.messages.count(), 0);
        f.messages.answer({true});
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.last().text, u"Cliente já esta cadastrado"_s);
        QCOMPARE(f.screen->state(), State::Change);
        QCOMPARE(ClienteStore(*f.db).find(1)->telefone, u"5555-1234"_s);
    }

    void changesThePickedCustomer() {
        Fixture f;
        f.screen->btnEditar_Click();
        QCOMPARE(f.messages.texts(), QStringList{u"Não existem clientes cadastrado"_s});
        f.expect(State::Browse);

        f.seed(u"5555-0001"_s, u"ANA"_s);
        f.seed(u"5555-0002"_s, u"BIA"_s);
        pickNext<frmSelecionar_Cliente>(1);
        f.screen->btnEditar_Click();
        f.expect(State::Change);
        QCOMPARE(f.c.txtCodigo()->text(), u"2"_s);
        QCOMPARE(f.c.txtNome()->text(), u"BIA"_s);
        QTRY_COMPARE(f.screen->focusWidget(), f.c.mskTelefone());

        f.c.txtNome()->setText(u"BEATRIZ O'HARA"_s);
        f.c.mskData_Nasc()->setText(u"01/01/1990"_s);
        f.messages.clear();
        f.messages.answer({false, true});
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.texts(), (QStringList{"Deseja alterar o cadastro do cliente BEATRIZ "
                                                  "O'HARA ?",
                                                  " Operação cancelada"}));
        QCOMPARE(f.screen->state(), State::Change);
        QCOMPARE(ClienteStore(*f.db).find(2)->nome, u"BIA"_s);
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.last().text, u"Cadastro do cliente alterado com sucesso"_s);
        f.expect(State::Browse);
        QCOMPARE(ClienteStore(*f.db).find(2)->nome, u"BEATRIZ O'HARA"_s);
        QCOMPARE(ClienteStore(*f.db).find(2)->dataNascimento, QDate(1990, 1, 1));
        QCOMPARE(f.column(u"SELECT fl_sincroniza FROM TB_Cliente WHERE cli_ID = 2"_s).toString(),
                 u"S"_s);
        QVERIFY(f.column(u"SELECT fl_sincroniza FROM TB_Cliente WHERE cli_ID = 1"_s).isNull());

        // Emptying the birth date stores none.
        pickNext<frmSelecionar_Cliente>(1);
        f.screen->btnEditar_Click();
        QCOMPARE(f.c.mskData_Nasc()->text(), u"01/01/1990"_s);
        f.c.mskData_Nasc()->clear();
        f.messages.answer({true});
        f.screen->btnSalvar_Click();
        QVERIFY(!ClienteStore(*f.db).find(2)->dataNascimento.isValid());
    }

    void deletesThePickedCustomerOnYes() {
        Fixture f;
        f.screen->btnDeletar_Click();
        QCOMPARE(f.messages.texts(), QStringList{u"Não existem clientes cadastrado"_s});
        f.seed(u"5555-0001"_s, u"ANA"_s);
        f.seed(u"5555-0002"_s, u"BIA"_s);

        // No: said so, locked with the record still on view.
        f.messages.clear();
        f.messages.answer({false});
        pickNext<frmSelecionar_Cliente>(1);
        f.screen->btnDeletar_Click();
        QCOMPARE(f.messages.texts(),
                 (QStringList{"Deseja deletar o(a) cliente BIA ?", " Operação cancelada"}));
        f.expect(State::Browse);
        QCOMPARE(f.c.txtNome()->text(), u"BIA"_s);
        QCOMPARE(f.count("TB_Cliente"), 2);

        f.messages.clear();
        f.messages.answer({true});
        pickNext<frmSelecionar_Cliente>(1);
        f.screen->btnDeletar_Click();
        QCOMPARE(f.messages.texts(), (QStringList{"Deseja deletar o(a) cliente BIA ?",
                                                  "O cliente BIA foi deletado com sucesso!!!"}));
        f.expect(State::Browse);
        QVERIFY(f.c.txtNome()->text().isEmpty());
        QVERIFY(!ClienteStore(*f.db).find(2));
        QVERIFY(ClienteStore(*f.db).find(1));
    }

    void deletingAsksNothingWithoutNameAndStreet() {
        Fixture f;
        f.seed(u"5555-0001"_s, u"ANA"_s);
        f.db->exec(u"UPDATE TB_Cliente SET cli_Logradouro = NULL"_s);
        pickNext<frmSelecionar_Cliente>(0);
        f.screen->btnDeletar_Click();
        QCOMPARE(f.messages.count(), 0);
        f.expect(State::Browse);
        QVERIFY(ClienteStore(*f.db).find(1));
    }

    void cepButtonWorksOnTheScreensOwnPostalCode() {
        Fixture f;
        f.screen->btnIncluir_Click();
        QVERIFY(f.screen->btnCep()->isEnabled());
        f.c.mskCEP()->setText(u"0131"_s);
        f.screen->btnCep()->click();
        QCOMPARE(f.messages.texts(),
                 QStringList{u"Digite o CEP com 8 Digitos e apenas Números."_s});
        QCOMPARE(f.messages.last().caption, u"Brisko"_s);
        QCOMPARE(f.screen->state(), State::Inclusion);
    }
};

BRISKO_DB_SCREEN_TEST_MAIN(TestfrmCliente)
#include "TestfrmCliente.moc"
