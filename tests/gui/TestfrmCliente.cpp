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

namespace {

using State = RegistryScreenBase::State;

struct Fixture : ScreenFixture {
    std::unique_ptr<frmCliente> screen = std::make_unique<frmCliente>(context);
    ClienteFields& c = *screen->campos();

    Fixture() {
        screen->show();
        QApplication::setActiveWindow(screen.get());
    }
    void seed(const QString& telefone, const QString& nome) {
        Cliente cliente;
        cliente.telefone = telefone;
        cliente.nome = nome;
        cliente.tipo = QStringLiteral("RUA");
        cliente.logradouro = QStringLiteral("AUGUSTA");
        cliente.numero = QStringLiteral("1");
        ClienteStore(*db).insert(cliente);
    }
    // The minimum that passes the validation.
    void fillRequired(const QString& telefone, const QString& nome) {
        c.mskTelefone()->setText(telefone);
        c.txtNome()->setText(nome);
        c.txtLogradouro()->setText(QStringLiteral("AUGUSTA"));
        c.txtNumero()->setText(QStringLiteral("100"));
    }
    QVariant value(const QString& sql, const QVariantList& binds = {}) {
        return db->scalar(sql, binds);
    }
    // Leaves the telephone box the way the user does.
    void leaveTelefone() {
        QApplication::setActiveWindow(screen.get());
        QTRY_VERIFY(screen->isActiveWindow());
        c.mskTelefone()->setFocus();
        c.txtNome()->setFocus(Qt::TabFocusReason);
    }
    template <typename Dialog> void pickRow(int row) {
        onNextDialog<Dialog>([row](Dialog& dialog) {
            dialog.list()->setCurrentIndex(dialog.list()->model()->index(row, 0));
            dialog.btnProcurar1()->click();
        });
    }
};

void expectBrowse(const frmCliente& screen) {
    expectBrowseButtons(screen);
    QVERIFY(!screen.btnCep()->isEnabled());
    const ClienteFields& c = *screen.campos();
    for (QWidget* field : c.lockable())
        QVERIFY2(!field->isEnabled(), qPrintable(field->objectName()));
}

void expectEditing(const frmCliente& screen, State state) {
    QCOMPARE(screen.state(), state);
    QVERIFY(!screen.btnIncluir()->isEnabled());
    QVERIFY(!screen.btnEditar()->isEnabled());
    QVERIFY(!screen.btnDeletar()->isEnabled());
    QVERIFY(!screen.btnProcurar1()->isEnabled());
    QVERIFY(screen.btnSalvar()->isEnabled());
    QVERIFY(screen.btnSalvar()->isDefault());
    QVERIFY(screen.btnCep()->isEnabled());
    for (QWidget* field : screen.campos()->lockable())
        QVERIFY2(field->isEnabled(), qPrintable(field->objectName()));
}

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
        expectBrowse(*f.screen);
        QCOMPARE(f.screen->btnCep()->text(), QStringLiteral("&Cep"));
        QVERIFY(f.c.mskCEP()->isEnabled());
        QVERIFY(f.c.mskData_Nasc()->isEnabled());
        QCOMPARE(f.c.mskCEP()->displayText(), QStringLiteral("_____-___"));
        QCOMPARE(f.c.mskData_Nasc()->displayText(), QStringLiteral("__/__/____"));
        QVERIFY(f.c.mskTelefone()->inputMask().isEmpty());
        QCOMPARE(items(f.c.cboTipo()), CarregaTipoLogradouro());
        QCOMPARE(items(f.c.cboUF()), CarregaUF());
        QVERIFY(f.c.cboTipo()->isEditable());
        QCOMPARE(f.c.cboTipo()->currentText(), QStringLiteral("RUA"));
        QCOMPARE(f.c.cboUF()->currentText(), QStringLiteral("SP"));
        QVERIFY(f.c.mskTelefone()->parentWidget() == f.c.fraTelefone());
        QVERIFY(f.c.txtCodigo()->parentWidget() == f.c.fraCodigo());
    }

    void includesWhatWasTyped() {
        Fixture f;
        f.screen->btnIncluir_Click();
        expectEditing(*f.screen, State::Inclusion);
        QTRY_COMPARE(f.screen->focusWidget(), f.c.mskTelefone());

        // Capitals everywhere, the e-mail in lower case.
        QTest::keyClicks(f.c.mskTelefone(), QStringLiteral("955551234"));
        f.leaveTelefone();
        QTest::keyClicks(f.c.txtNome(), QStringLiteral("joao d'avila"));
        QTest::keyClicks(f.c.txtRG(), QStringLiteral("12.345.678-x"));
        f.c.cboTipo()->setCurrentText(QString());
        QTest::keyClicks(f.c.cboTipo(), QStringLiteral("travessa"));
        QTest::keyClicks(f.c.txtLogradouro(), QStringLiteral("das flores"));
        QTest::keyClicks(f.c.txtNumero(), QStringLiteral("12a"));
        QTest::keyClicks(f.c.txtComplemento(), QStringLiteral("fundos"));
        QTest::keyClicks(f.c.txtBairro(), QStringLiteral("se"));
        QTest::keyClicks(f.c.txtCidade(), QStringLiteral("sao paulo"));
        f.c.cboUF()->setCurrentText(QString());
        QTest::keyClicks(f.c.cboUF(), QStringLiteral("rjx"));
        f.c.mskCEP()->setCursorPosition(0);
        QTest::keyClicks(f.c.mskCEP(), QStringLiteral("01310100"));
        f.c.mskData_Nasc()->setCursorPosition(0);
        QTest::keyClicks(f.c.mskData_Nasc(), QStringLiteral("07051980"));
        QTest::keyClicks(f.c.txtEmail(), QStringLiteral("Joao@Example.COM"));
        QTest::keyClicks(f.c.txtObservacao(), QStringLiteral("portao azul"));
        QCOMPARE(f.c.mskTelefone()->text(), QStringLiteral("95555-1234"));
        QCOMPARE(f.c.txtNome()->text(), QStringLiteral("JOAO D'AVILA"));
        QCOMPARE(f.c.cboUF()->currentText(), QStringLiteral("RJ"));
        QCOMPARE(f.c.txtEmail()->text(), QStringLiteral("joao@example.com"));

        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.texts(), QStringList{QStringLiteral("Cliente cadastrado com sucesso")});
        QCOMPARE(f.messages.last().caption, QStringLiteral("Aviso"));
        expectBrowse(*f.screen);
        QCOMPARE(f.c.txtCodigo()->text(), QStringLiteral("1"));
        const std::optional<Cliente> stored = ClienteStore(*f.db).find(1);
        QVERIFY(stored);
        QCOMPARE(stored->telefone, QStringLiteral("95555-1234"));
        QCOMPARE(stored->nome, QStringLiteral("JOAO D'AVILA"));
        QCOMPARE(stored->rg, QStringLiteral("12.345.678-X"));
        QCOMPARE(stored->tipo, QStringLiteral("TRAVESSA"));
        QCOMPARE(stored->logradouro, QStringLiteral("DAS FLORES"));
        QCOMPARE(stored->numero, QStringLiteral("12A"));
        QCOMPARE(stored->complemento, QStringLiteral("FUNDOS"));
        QCOMPARE(stored->bairro, QStringLiteral("SE"));
        QCOMPARE(stored->cidade, QStringLiteral("SAO PAULO"));
        QCOMPARE(stored->uf, QStringLiteral("RJ"));
        QCOMPARE(stored->cep, QStringLiteral("01310-100"));
        QCOMPARE(stored->dataNascimento, QDate(1980, 5, 7));
        QCOMPARE(stored->email, QStringLiteral("joao@example.com"));
        QCOMPARE(stored->observacao, QStringLiteral("PORTAO AZUL"));
        QVERIFY(f.value(QStringLiteral("SELECT fl_sincroniza FROM TB_Cliente")).isNull());
    }

    void birthDatesAndLongTexts() {
        Fixture f;
        const QString longName = QString(99, QLatin1Char('A')) + QStringLiteral("Ç");
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
            QCOMPARE(f.messages.last().text, QStringLiteral("Cliente cadastrado com sucesso"));
            const QVariant stored =
                f.value(QStringLiteral("SELECT cli_Data_Nasc FROM TB_Cliente WHERE "
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
            QCOMPARE(f.messages.last().caption, QStringLiteral("Aviso"));
            QCOMPARE(f.screen->state(), State::Inclusion);
            QTRY_COMPARE(f.screen->focusWidget(), focus);
        };
        f.c.txtNome()->setText(QStringLiteral("ANA"));
        expect(QStringLiteral("Informe o telefone do cliente!!!"), f.c.mskTelefone());
        f.c.txtNome()->clear();
        f.c.mskTelefone()->setText(QStringLiteral("5555-1234"));
        expect(QStringLiteral("Informe o nome do cliente!!!"), f.c.txtNome());
        f.c.txtNome()->setText(QStringLiteral("ANA"));
        f.c.cboTipo()->setCurrentText(QString());
        expect(QStringLiteral("Informe o tipo do logradouro!!!"), f.c.cboTipo());
        f.c.cboTipo()->setCurrentText(QStringLiteral("RUA"));
        expect(QStringLiteral("Informe o logradouro!!!"), f.c.txtLogradouro());
        f.c.txtLogradouro()->setText(QStringLiteral("AUGUSTA"));
        expect(QStringLiteral("Informe o numero da residencia!!!"), f.c.txtNumero());
        QVERIFY(ClienteStore(*f.db).isEmpty());
    }

    void formatsTheTelephoneWhenLeft_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("8 digits") << "55551234"
                                  << "5555-1234";
        QTest::newRow("9 digits") << "955551234"
                                  << "95555-1234";
        QTest::newRow("9 with separators") << "9 5555.12-34"
                                           << "95555-1234";
        QTest::newRow("11 digits kept") << "11955551234"
                                        << "11955551234";
        QTest::newRow("10 with brackets kept") << "(11) 5555-1234"
                                               << "(11) 5555-1234";
        QTest::newRow("already formatted") << "5555-1234"
                                           << "5555-1234";
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
        f.fillRequired(typed, QStringLiteral("ANA"));
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.last().text, QStringLiteral("Cliente cadastrado com sucesso"));
        QCOMPARE(ClienteStore(*f.db).find(1)->telefone, shown);
    }

    void refusesATakenTelephoneOnInclusionOnly() {
        Fixture f;
        f.seed(QStringLiteral("5555-1234"), QStringLiteral("ANA"));
        f.seed(QStringLiteral("5555-9999"), QStringLiteral("BIA"));
        f.screen->btnIncluir_Click();
        f.c.mskTelefone()->setText(QStringLiteral("55551234"));
        f.leaveTelefone();
        QCOMPARE(f.messages.texts(), QStringList{QStringLiteral("Cliente já esta cadastrado")});
        QCOMPARE(f.messages.last().caption, QStringLiteral("Aviso"));
        QVERIFY(f.c.mskTelefone()->text().isEmpty());
        QTRY_COMPARE(f.screen->focusWidget(), f.c.mskTelefone());

        // The store still refuses it when the box was never left.
        f.messages.clear();
        f.fillRequired(QStringLiteral("5555-1234"), QStringLiteral("OUTRA"));
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.texts(), QStringList{QStringLiteral("Cliente já esta cadastrado")});
        QCOMPARE(f.screen->state(), State::Inclusion);
        QCOMPARE(f.value(QStringLiteral("SELECT COUNT(*) FROM TB_Cliente")).toInt(), 2);

        // A change keeps its own telephone without a word...
        f.messages.clear();
        f.pickRow<frmSelecionar_Cliente>(0);
        f.screen->btnEditar_Click();
        f.leaveTelefone();
        QCOMPARE(f.messages.count(), 0);
        QCOMPARE(f.c.mskTelefone()->text(), QStringLiteral("5555-1234"));
        // ...but cannot take another customer's.
        f.c.mskTelefone()->setText(QStringLiteral("5555-9999"));
        f.leaveTelefone();
        QCOMPARE(f.messages.count(), 0);
        f.messages.answer({true});
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.last().text, QStringLiteral("Cliente já esta cadastrado"));
        QCOMPARE(f.screen->state(), State::Change);
        QCOMPARE(ClienteStore(*f.db).find(1)->telefone, QStringLiteral("5555-1234"));
    }

    void changesThePickedCustomer() {
        Fixture f;
        f.screen->btnEditar_Click();
        QCOMPARE(f.messages.texts(),
                 QStringList{QStringLiteral("Não existem clientes cadastrado")});
        expectBrowse(*f.screen);

        f.seed(QStringLiteral("5555-0001"), QStringLiteral("ANA"));
        f.seed(QStringLiteral("5555-0002"), QStringLiteral("BIA"));
        f.pickRow<frmSelecionar_Cliente>(1);
        f.screen->btnEditar_Click();
        expectEditing(*f.screen, State::Change);
        QCOMPARE(f.c.txtCodigo()->text(), QStringLiteral("2"));
        QCOMPARE(f.c.txtNome()->text(), QStringLiteral("BIA"));
        QTRY_COMPARE(f.screen->focusWidget(), f.c.mskTelefone());

        f.c.txtNome()->setText(QStringLiteral("BEATRIZ O'HARA"));
        f.c.mskData_Nasc()->setText(QStringLiteral("01/01/1990"));
        f.messages.clear();
        f.messages.answer({false, true});
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.texts(), (QStringList{"Deseja alterar o cadastro do cliente BEATRIZ "
                                                  "O'HARA ?",
                                                  " Operação cancelada"}));
        QCOMPARE(f.screen->state(), State::Change);
        QCOMPARE(ClienteStore(*f.db).find(2)->nome, QStringLiteral("BIA"));
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.last().text,
                 QStringLiteral("Cadastro do cliente alterado com sucesso"));
        expectBrowse(*f.screen);
        QCOMPARE(ClienteStore(*f.db).find(2)->nome, QStringLiteral("BEATRIZ O'HARA"));
        QCOMPARE(ClienteStore(*f.db).find(2)->dataNascimento, QDate(1990, 1, 1));
        QCOMPARE(f.value(QStringLiteral("SELECT fl_sincroniza FROM TB_Cliente WHERE cli_ID = 2"))
                     .toString(),
                 QStringLiteral("S"));
        QVERIFY(f.value(QStringLiteral("SELECT fl_sincroniza FROM TB_Cliente WHERE cli_ID = 1"))
                    .isNull());

        // Emptying the birth date stores none.
        f.pickRow<frmSelecionar_Cliente>(1);
        f.screen->btnEditar_Click();
        QCOMPARE(f.c.mskData_Nasc()->text(), QStringLiteral("01/01/1990"));
        f.c.mskData_Nasc()->clear();
        f.messages.answer({true});
        f.screen->btnSalvar_Click();
        QVERIFY(!ClienteStore(*f.db).find(2)->dataNascimento.isValid());
    }

    void deletesThePickedCustomerOnYes() {
        Fixture f;
        f.screen->btnDeletar_Click();
        QCOMPARE(f.messages.texts(),
                 QStringList{QStringLiteral("Não existem clientes cadastrado")});
        f.seed(QStringLiteral("5555-0001"), QStringLiteral("ANA"));
        f.seed(QStringLiteral("5555-0002"), QStringLiteral("BIA"));

        // No: said so, locked with the record still on view.
        f.messages.clear();
        f.messages.answer({false});
        f.pickRow<frmSelecionar_Cliente>(1);
        f.screen->btnDeletar_Click();
        QCOMPARE(f.messages.texts(),
                 (QStringList{"Deseja deletar o(a) cliente BIA ?", " Operação cancelada"}));
        expectBrowse(*f.screen);
        QCOMPARE(f.c.txtNome()->text(), QStringLiteral("BIA"));
        QCOMPARE(f.value(QStringLiteral("SELECT COUNT(*) FROM TB_Cliente")).toInt(), 2);

        f.messages.clear();
        f.messages.answer({true});
        f.pickRow<frmSelecionar_Cliente>(1);
        f.screen->btnDeletar_Click();
        QCOMPARE(f.messages.texts(), (QStringList{"Deseja deletar o(a) cliente BIA ?",
                                                  "O cliente BIA foi deletado com sucesso!!!"}));
        expectBrowse(*f.screen);
        QVERIFY(f.c.txtNome()->text().isEmpty());
        QVERIFY(!ClienteStore(*f.db).find(2));
        QVERIFY(ClienteStore(*f.db).find(1));
    }

    void deletingAsksNothingWithoutNameAndStreet() {
        Fixture f;
        f.seed(QStringLiteral("5555-0001"), QStringLiteral("ANA"));
        f.db->exec(QStringLiteral("UPDATE TB_Cliente SET cli_Logradouro = NULL"));
        f.pickRow<frmSelecionar_Cliente>(0);
        f.screen->btnDeletar_Click();
        QCOMPARE(f.messages.count(), 0);
        expectBrowse(*f.screen);
        QVERIFY(ClienteStore(*f.db).find(1));
    }

    void cepButtonWorksOnTheScreensOwnPostalCode() {
        Fixture f;
        f.screen->btnIncluir_Click();
        QVERIFY(f.screen->btnCep()->isEnabled());
        f.c.mskCEP()->setText(QStringLiteral("0131"));
        f.screen->btnCep()->click();
        QCOMPARE(f.messages.texts(),
                 QStringList{QStringLiteral("Digite o CEP com 8 Digitos e apenas Números.")});
        QCOMPARE(f.messages.last().caption, QStringLiteral("Brisko"));
        QCOMPARE(f.screen->state(), State::Inclusion);
    }
};

BRISKO_DB_SCREEN_TEST_MAIN(TestfrmCliente)
#include "TestfrmCliente.moc"
