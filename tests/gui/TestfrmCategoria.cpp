// ctest-label: db
#include "masterdata/CategoriaStore.h"
#include "masterdata/screens/CategoriaLookup.h"
#include "masterdata/screens/frmCategoria.h"
#include "support/ScreenFixture.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

using State = RegistryScreenBase::State;
using Dialog = frmSelecionar_Categoria;

struct Fixture : RegistryFixture<frmCategoria> {
    void seed(const QStringList& names) {
        CategoriaStore store(*db);
        for (const QString& name : names)
            store.insert(name);
    }
    QString nome(int codigo) {
        return text(u"SELECT cat_Categoria FROM TB_Categoria WHERE cat_ID = ?"_s, {codigo});
    }
    QVariant flag(int codigo) {
        return column(u"SELECT fl_sincroniza FROM TB_Categoria WHERE cat_ID = ?"_s, {codigo});
    }
    void expect(State state) {
        expectState(*screen, state, {screen->txtCategoria(), screen->fraCodigo()});
    }
};

} // namespace

class TestfrmCategoria : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void includesWithTheNextCodeAndNoSyncFlag() {
        Fixture f;
        f.expect(State::Browse);
        QCOMPARE(f.screen->txtCategoria()->maxLength(), 50);
        f.screen->btnIncluir_Click();
        f.expect(State::Inclusion);
        f.screen->txtCategoria()->setText(u"PIZZAS"_s);
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.texts(), QStringList{u"Categoria cadastrada com sucesso"_s});
        QCOMPARE(f.messages.last().caption, u"Aviso"_s);
        QCOMPARE(f.screen->txtCodigo()->text(), u"1"_s);
        f.expect(State::Browse);
        QCOMPARE(f.nome(1), u"PIZZAS"_s);
        QVERIFY(f.flag(1).isNull());

        // After 1, 2 and 5 comes 6; quotes and accents are stored as typed.
        f.seed({u"B"_s, u"C"_s, u"D"_s, u"E"_s});
        CategoriaStore(*f.db).remove(3);
        CategoriaStore(*f.db).remove(4);
        f.screen->btnIncluir_Click();
        f.screen->txtCategoria()->setText(u"PORÇÕES D'ÁGUA"_s);
        f.screen->btnSalvar_Click();
        QCOMPARE(f.screen->txtCodigo()->text(), u"6"_s);
        QCOMPARE(f.nome(6), u"PORÇÕES D'ÁGUA"_s);
    }

    void refusesAnEmptyOrDuplicateName() {
        Fixture f;
        f.seed({u"BEBIDAS"_s});
        f.screen->btnIncluir_Click();
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.texts(), QStringList{u"Informe a categoria !!!"_s});
        QCOMPARE(f.screen->state(), State::Inclusion);

        // Leaving the box with a name in use (any case) empties it.
        QTRY_VERIFY(f.screen->isActiveWindow());
        f.screen->txtCategoria()->setFocus();
        f.screen->txtCategoria()->setText(u"bebidas"_s);
        f.screen->btnSalvar()->setFocus(Qt::TabFocusReason);
        QCOMPARE(f.messages.last().text, u"Categoria já esta cadastrado"_s);
        QVERIFY(f.screen->txtCategoria()->text().isEmpty());
        QCOMPARE(QApplication::focusWidget(), f.screen->txtCategoria());
        QCOMPARE(f.count("TB_Categoria"), 1);
    }

    void editsThePickedCategory() {
        Fixture f;
        f.screen->btnEditar_Click();
        f.screen->btnDeletar_Click();
        QCOMPARE(f.messages.texts(), (QStringList{"Não existe categoria cadastrada",
                                                  "Não existem categoria cadastrada"}));
        f.expect(State::Browse);

        f.seed({u"PIZZAS"_s, u"PASTEIS"_s, u"BEBIDAS"_s});
        onNextDialog<Dialog>([](Dialog& dialog) {
            QCOMPARE(dialog.titleLabel()->text(), u"Selecionar Categoria"_s);
            QCOMPARE(listed(dialog, 2, u' '), (QStringList{"1 PIZZAS", "2 PASTEIS", "3 BEBIDAS"}));
            QTest::keyClicks(dialog.txtCategoria(), u"p"_s);
            QCOMPARE(dialog.txtCategoria()->text(), u"P"_s); // search filter
            QCOMPARE(listed(dialog, 2, u' '), (QStringList{"1 PIZZAS", "2 PASTEIS"}));
            QTest::keyClicks(dialog.txtCategoria(), u"A"_s);
            QCOMPARE(listed(dialog, 2, u' '), QStringList{"2 PASTEIS"});
            dialog.txtCategoria()->clear();
            QCOMPARE(dialog.rowCount(), 3);
            selectRow(dialog, 2);
            QTest::keyClick(dialog.list(), Qt::Key_Return);
        });
        f.messages.clear();
        f.screen->btnEditar_Click();
        f.expect(State::Change);
        QCOMPARE(f.screen->txtCodigo()->text(), u"3"_s);
        QCOMPARE(f.screen->txtCategoria()->text(), u"BEBIDAS"_s);

        // No keeps the change pending; Yes writes it, keeping the name is fine.
        f.messages.answer({false, true});
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.texts(),
                 (QStringList{"Deseja alterar a Categoria BEBIDAS ?", " Operação Cancelada !!!"}));
        QCOMPARE(f.screen->state(), State::Change);
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.last().text, u"Categoria alterada com sucesso!!!"_s);
        f.expect(State::Browse);
        QCOMPARE(f.flag(3).toString(), u"S"_s);
        QVERIFY(f.flag(1).isNull());

        // Renaming onto another category is refused when saved.
        pickNext<Dialog>(0); // PIZZAS
        f.screen->btnEditar_Click();
        f.screen->txtCategoria()->setText(u"BEBIDAS"_s);
        f.messages.answer({true});
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.last().text, u"Categoria já esta cadastrado"_s);
        QCOMPARE(f.screen->state(), State::Change);
        QCOMPARE(f.nome(1), u"PIZZAS"_s);
    }

    void deletesWithYesOnlyAndACancelledSelectionAsksNothing() {
        Fixture f;
        f.seed({u"PIZZAS"_s, u"BEBIDAS"_s});
        pickNext<Dialog>(-1);
        f.screen->btnDeletar_Click();
        onNextDialog<Dialog>([](Dialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
        f.screen->btnEditar_Click();
        f.expect(State::Browse);
        QCOMPARE(f.messages.count(), 0);

        f.messages.answer({false});
        pickNext<Dialog>(1);
        f.screen->btnDeletar_Click();
        QCOMPARE(f.messages.texts(),
                 (QStringList{"Deseja deletar a categoria BEBIDAS ?", " Operação Cancelada !!!"}));
        f.expect(State::Browse);
        QVERIFY(f.screen->txtCategoria()->text().isEmpty());
        QCOMPARE(f.count("TB_Categoria"), 2);

        f.messages.answer({true});
        pickNext<Dialog>(1);
        f.screen->btnDeletar_Click();
        f.expect(State::Browse);
        QCOMPARE(f.count("TB_Categoria"), 1);
        QCOMPARE(f.nome(1), u"PIZZAS"_s);
    }

    void localizarShowsTheRecordLocked() {
        Fixture f;
        f.seed({u"PIZZAS"_s, u"BEBIDAS"_s});
        f.screen->btnIncluir_Click();
        onNextDialog<frmLocalizar_Categoria>([](frmLocalizar_Categoria& dialog) {
            QCOMPARE(dialog.titleLabel()->text(), u"Localizar Categoria"_s);
            // The capitals filter lets an apostrophe through; it still finds nothing.
            QTest::keyClicks(dialog.txtCategoria(), u"x'"_s);
            QCOMPARE(dialog.txtCategoria()->text(), u"X'"_s);
            QCOMPARE(dialog.rowCount(), 0);
            dialog.btnProcurar1()->click();
            QVERIFY(dialog.isVisible()); // stays open, box emptied
            QVERIFY(dialog.txtCategoria()->text().isEmpty());
            QCOMPARE(dialog.rowCount(), 2);
            QTest::keyClicks(dialog.txtCategoria(), u"b"_s);
            dialog.btnProcurar1()->click();
        });
        f.screen->btnProcurar1_Click();
        QCOMPARE(f.messages.texts(), QStringList{u"Categoria não cadastrada!!!"_s});
        QCOMPARE(f.messages.last().caption, u"Categoria"_s);
        f.expect(State::Browse);
        QCOMPARE(f.screen->txtCodigo()->text(), u"2"_s);
        QCOMPARE(f.screen->txtCategoria()->text(), u"BEBIDAS"_s);
    }
};

BRISKO_DB_SCREEN_TEST_MAIN(TestfrmCategoria)
#include "TestfrmCategoria.moc"
