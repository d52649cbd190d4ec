// ctest-label: db
#include "masterdata/EntregadorStore.h"
#include "masterdata/screens/EntregadorLookup.h"
#include "masterdata/screens/frmEntregador.h"
#include "support/ScreenFixture.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

using State = RegistryScreenBase::State;
using Dialog = frmSelecionar_Entregador;

const QDate kLongAgo(2020, 1, 2);

struct Fixture : RegistryFixture<frmEntregador> {
    qint64 seed(const QString& nome, const QString& telefone = {}, const QString& obs = {}) {
        return *EntregadorStore(*db).insert(
            {.codigo = 0, .telefone = telefone, .data = kLongAgo, .nome = nome, .observacao = obs});
    }
    QString nome(qint64 codigo) {
        return text(u"SELECT ent_Nome FROM TB_Entregador WHERE ent_ID = ?"_s, {codigo});
    }
    // The date is never typed: it stays locked in every state.
    void expect(State state) {
        expectState(*screen, state,
                    {screen->fraCodigo(), screen->fraTelefone(), screen->txtNome(),
                     screen->txtObservacao()});
        QVERIFY(!screen->fraData()->isEnabled());
    }
};

QString today() {
    return QDate::currentDate().toString(u"dd/MM/yyyy"_s);
}

} // namespace

class TestfrmEntregador : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void includesWithTodaysDateAndTheNextCode() {
        Fixture f;
        f.expect(State::Browse);
        f.screen->btnIncluir_Click();
        f.expect(State::Inclusion);
        QCOMPARE(f.screen->lblData()->text(), today());
        QTRY_COMPARE(QApplication::focusWidget(), f.screen->mskTelefone());

        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.texts(), QStringList{u"Informe o nome do Entregador!!!"_s});
        QCOMPARE(f.screen->state(), State::Inclusion);
        QCOMPARE(QApplication::focusWidget(), f.screen->txtNome());

        // Every typed letter is upper-cased, the telephone's too.
        QTest::keyClicks(f.screen->mskTelefone(), u"9876-5432 r2"_s);
        typeText(f.screen->txtNome(), u"joão"_s);
        typeText(f.screen->txtObservacao(), u"só à noite"_s);
        QCOMPARE(f.screen->mskTelefone()->text(), u"9876-5432 R2"_s);
        QCOMPARE(f.screen->txtNome()->text(), u"JOÃO"_s);
        QCOMPARE(f.screen->txtObservacao()->text(), u"SÓ À NOITE"_s);
        f.messages.clear();
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.texts(), QStringList{u"Entregador cadastrado com sucesso"_s});
        QCOMPARE(f.messages.last().caption, u"Aviso"_s);
        QCOMPARE(f.screen->txtCodigo()->text(), u"1"_s);
        f.expect(State::Browse);
        QCOMPARE(f.screen->lblData()->text(), today());
        QCOMPARE(
            EntregadorStore(*f.db).find(1),
            (Entregador{1, u"9876-5432 R2"_s, QDate::currentDate(), u"JOÃO"_s, u"SÓ À NOITE"_s}));
        QVERIFY(f.column(u"SELECT fl_sincroniza FROM TB_Entregador"_s).isNull());

        // After 1, 2 and 5 comes 6.
        for (const char* nome : {"B", "C", "D", "E"})
            f.seed(QLatin1String(nome));
        EntregadorStore(*f.db).remove(3);
        EntregadorStore(*f.db).remove(4);
        f.screen->btnIncluir_Click();
        f.screen->txtNome()->setText(u"F"_s);
        f.screen->btnSalvar_Click();
        QCOMPARE(f.screen->txtCodigo()->text(), u"6"_s);
        QCOMPARE(f.nome(6), u"F"_s);
    }

    void changeKeepsTheRegistrationDate() {
        Fixture f;
        f.seed(u"ANA"_s, u"1111-1111"_s, u"MOTO"_s);
        const qint64 beto = f.seed(u"BETO"_s, u"2222-2222"_s);
        onNextDialog<Dialog>([](Dialog& dialog) {
            QCOMPARE(dialog.titleLabel()->text(), u"Selecionar Entregador"_s);
            selectRow(dialog, 1);
            QTest::keyClick(dialog.list(), Qt::Key_Return);
        });
        f.screen->btnEditar_Click();
        f.expect(State::Change);
        QCOMPARE(f.screen->txtCodigo()->text(), QString::number(beto));
        QCOMPARE(f.screen->txtNome()->text(), u"BETO"_s);
        QCOMPARE(f.screen->mskTelefone()->text(), u"2222-2222"_s);
        QCOMPARE(f.screen->lblData()->text(), u"02/01/2020"_s);
        // Not active again yet after the modal dialog; its focus child is what counts.
        QCOMPARE(f.screen->focusWidget(), f.screen->mskTelefone());

        f.screen->mskTelefone()->setText(u"3333-3333"_s);
        f.screen->txtObservacao()->setText(u"BICICLETA"_s);
        f.messages.answer({false, true});
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.texts(), (QStringList{"Deseja alterar o cadastro do Entregador BETO ?",
                                                  " Operação cancelada"}));
        QCOMPARE(f.screen->state(), State::Change);
        QCOMPARE(EntregadorStore(*f.db).find(beto)->telefone, u"2222-2222"_s);

        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.last().text, u"Cadastro do Entregador alterado com sucesso"_s);
        f.expect(State::Browse);
        QCOMPARE(EntregadorStore(*f.db).find(beto),
                 (Entregador{beto, u"3333-3333"_s, kLongAgo, u"BETO"_s, u"BICICLETA"_s}));
        // No synchronisation flag is written, on the changed row nor elsewhere.
        QVERIFY(
            f.column(u"SELECT 1 FROM TB_Entregador WHERE fl_sincroniza IS NOT NULL"_s).isNull());
    }

    void namesStayUnique() {
        Fixture f;
        f.seed(u"MARIA"_s);
        f.seed(u"PEDRO"_s);

        // Leaving the name box with a name in use (any case) empties it.
        f.screen->btnIncluir_Click();
        QTRY_VERIFY(f.screen->isActiveWindow());
        f.screen->txtNome()->setFocus();
        f.screen->txtNome()->setText(u"maria"_s);
        f.screen->btnSalvar()->setFocus(Qt::TabFocusReason);
        QCOMPARE(f.messages.texts(), QStringList{u"Entregador já esta cadastrado"_s});
        QCOMPARE(f.messages.last().caption, u"Aviso"_s);
        QVERIFY(f.screen->txtNome()->text().isEmpty());
        QCOMPARE(QApplication::focusWidget(), f.screen->txtNome());
        QCOMPARE(f.count("TB_Entregador"), 2);

        // A change onto another person's name is refused when saved; leaving the box says
        // nothing in change mode.
        onNextDialog<Dialog>([](Dialog& dialog) { dialog.btnProcurar1()->click(); }); // MARIA
        f.screen->btnEditar_Click();
        f.messages.clear();
        f.screen->txtNome()->setFocus();
        f.screen->txtNome()->setText(u"PEDRO"_s);
        f.screen->mskTelefone()->setFocus(Qt::TabFocusReason);
        QCOMPARE(f.messages.count(), 0);
        f.messages.answer({true});
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.texts(), (QStringList{"Deseja alterar o cadastro do Entregador PEDRO ?",
                                                  "Entregador já esta cadastrado"}));
        QCOMPARE(f.screen->state(), State::Change);
        QCOMPARE(f.nome(1), u"MARIA"_s);

        // Keeping one's own name, in another case, is fine.
        f.screen->txtNome()->setText(u"Maria"_s);
        f.messages.answer({true});
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.last().text, u"Cadastro do Entregador alterado com sucesso"_s);
        QCOMPARE(f.nome(1), u"Maria"_s);
    }

    void deletesThePickedRowWithYesOnly() {
        Fixture f;
        f.screen->btnEditar_Click();
        f.screen->btnDeletar_Click();
        QCOMPARE(f.messages.texts(), (QStringList{"Não existem Entregador cadastrado",
                                                  "Não existem Entregador cadastrado"}));
        QCOMPARE(f.messages.last().caption, u"Aviso"_s);
        f.seed(u"ANA"_s);
        f.seed(u"BETO"_s, u"2222-2222"_s);

        // A cancelled selection asks nothing and leaves the focus on Include.
        pickNext<Dialog>(-1);
        f.screen->btnDeletar_Click();
        onNextDialog<Dialog>([](Dialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
        f.screen->btnEditar_Click();
        f.expect(State::Browse);
        QCOMPARE(f.screen->focusWidget(), f.screen->btnIncluir());
        QCOMPARE(f.messages.count(), 2);

        f.messages.clear();
        f.messages.answer({false});
        pickNext<Dialog>(1);
        f.screen->btnDeletar_Click();
        QCOMPARE(f.messages.texts(),
                 (QStringList{"Deseja deletar o(a) Entregador BETO ?", " Operação cancelada"}));
        f.expect(State::Browse);
        QCOMPARE(f.screen->txtNome()->text(), u"BETO"_s); // locked, not emptied
        QCOMPARE(f.count("TB_Entregador"), 2);

        f.messages.clear();
        f.messages.answer({true});
        pickNext<Dialog>(1);
        f.screen->btnDeletar_Click();
        QCOMPARE(f.messages.texts(),
                 (QStringList{"Deseja deletar o(a) Entregador BETO ?",
                              "O Entregador BETO foi deletado com sucesso!!!"}));
        f.expect(State::Browse);
        QVERIFY(f.screen->txtNome()->text().isEmpty());
        QCOMPARE(f.screen->lblData()->text(), today());
        QCOMPARE(f.count("TB_Entregador"), 1);
        QCOMPARE(f.nome(1), u"ANA"_s);
    }

    void deletionRemovesOneRowOfADuplicatedName() {
        // Rows written before names were kept unique may share one.
        Fixture f;
        f.seed(u"ZE"_s);
        f.db->exec(u"INSERT INTO TB_Entregador (ent_ID, ent_Nome) VALUES (2, 'ZE')"_s);
        f.messages.answer({true});
        onNextDialog<Dialog>([](Dialog& dialog) { dialog.btnProcurar1()->click(); });
        f.screen->btnDeletar_Click();
        QCOMPARE(f.messages.last().text, u"O Entregador ZE foi deletado com sucesso!!!"_s);
        QCOMPARE(f.count("TB_Entregador"), 1);
    }

    void localizarNarrowsAndShowsTheRecordLocked() {
        Fixture f;
        f.seed(u"JOSE"_s, u"1111-1111"_s);
        f.seed(u"JOAO"_s, u"2222-2222"_s, u"FINS DE SEMANA"_s);
        f.seed(u"MARCOS"_s);
        f.screen->btnIncluir_Click();
        onNextDialog<frmLocalizar_Entregador>([](frmLocalizar_Entregador& dialog) {
            QCOMPARE(dialog.titleLabel()->text(), u"Localizar Entregador"_s);
            QCOMPARE(listed(dialog, 3),
                     (QStringList{"1|JOSE|1111-1111", "2|JOAO|2222-2222", "3|MARCOS|"}));

            // No key filter: lower case stays as typed and still matches.
            QTest::keyClicks(dialog.txtNome(), u"jo"_s);
            QCOMPARE(dialog.txtNome()->text(), u"jo"_s);
            QCOMPARE(listed(dialog, 3), (QStringList{"1|JOSE|1111-1111", "2|JOAO|2222-2222"}));
            QTest::keyClicks(dialog.txtNome(), u"x"_s);
            QCOMPARE(dialog.rowCount(), 0);
            dialog.btnProcurar1()->click();
            QVERIFY(dialog.isVisible()); // stays open, box emptied, whole list back
            QVERIFY(dialog.txtNome()->text().isEmpty());
            QCOMPARE(dialog.rowCount(), 3);
            QTest::keyClicks(dialog.txtNome(), u"JOA"_s);
            QCOMPARE(listed(dialog, 3), QStringList{"2|JOAO|2222-2222"});
            QTest::keyClick(dialog.txtNome(), Qt::Key_Backspace);
            QCOMPARE(dialog.rowCount(), 2); // widens again
            selectRow(dialog, 1);
            dialog.btnProcurar1()->click();
        });
        f.screen->btnProcurar1_Click();
        QCOMPARE(f.messages.texts(), QStringList{u"Entregador não cadastrado!!!"_s});
        QCOMPARE(f.messages.last().caption, u"Brisko"_s);
        f.expect(State::Browse);
        QCOMPARE(f.screen->txtCodigo()->text(), u"2"_s);
        QCOMPARE(f.screen->txtNome()->text(), u"JOAO"_s);
        QCOMPARE(f.screen->mskTelefone()->text(), u"2222-2222"_s);
        QCOMPARE(f.screen->lblData()->text(), u"02/01/2020"_s);
        QCOMPARE(f.screen->txtObservacao()->text(), u"FINS DE SEMANA"_s);

        // A record without date or telephone leaves those empty.
        f.db->exec(u"INSERT INTO TB_Entregador (ent_ID, ent_Nome) VALUES (9, 'LIA')"_s);
        onNextDialog<frmLocalizar_Entregador>([](frmLocalizar_Entregador& dialog) {
            QTest::keyClicks(dialog.txtNome(), u"LIA"_s);
            QCOMPARE(listed(dialog, 3), QStringList{"9|LIA|"});
            dialog.btnProcurar1()->click();
        });
        f.screen->btnProcurar1_Click();
        QCOMPARE(f.screen->txtCodigo()->text(), u"9"_s);
        QVERIFY(f.screen->lblData()->text().isEmpty());
        QVERIFY(f.screen->mskTelefone()->text().isEmpty());
        QVERIFY(f.screen->txtObservacao()->text().isEmpty());
    }

    void awkwardNamesAreStoredAndFoundExactly_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("prefixo");
        QTest::newRow("apostrophe") << u"D'ÁVILA O'NEIL"_s << u"d'á"_s;
        QTest::newRow("accents") << u"JOÃO ÇÉSAR ÜBER"_s << u"joão ç"_s;
        QTest::newRow("wildcards") << u"50% _OFF"_s << u"50% _"_s;
        QTest::newRow("100 characters")
            << u"Ç"_s.repeated(10) + u"A'"_s.repeated(45) << u"ÇÇÇÇÇÇÇÇÇÇA'A'"_s;
    }

    void awkwardNamesAreStoredAndFoundExactly() {
        QFETCH(QString, nome);
        QFETCH(QString, prefixo);
        Fixture f;
        f.seed(u"50 OFF"_s); // must not match the wildcard prefix
        f.seed(u"DAVILA"_s);
        f.screen->btnIncluir_Click();
        f.screen->txtNome()->setText(nome);
        f.screen->txtObservacao()->setText(nome);
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.last().text, u"Entregador cadastrado com sucesso"_s);
        const QString codigo = f.screen->txtCodigo()->text();
        QCOMPARE(f.nome(codigo.toLongLong()), nome);

        f.screen->btnIncluir_Click(); // empties the fields
        onNextDialog<frmLocalizar_Entregador>([prefixo, nome, codigo](frmLocalizar_Entregador& d) {
            d.txtNome()->setText(prefixo);
            QCOMPARE(listed(d, 3),
                     QStringList{codigo + QLatin1Char('|') + nome + QLatin1Char('|')});
            d.btnProcurar1()->click();
        });
        f.screen->btnProcurar1_Click();
        QCOMPARE(f.screen->txtCodigo()->text(), codigo);
        QCOMPARE(f.screen->txtNome()->text(), nome);
        QCOMPARE(f.screen->txtObservacao()->text(), nome);
    }
};

BRISKO_DB_SCREEN_TEST_MAIN(TestfrmEntregador)
#include "TestfrmEntregador.moc"
