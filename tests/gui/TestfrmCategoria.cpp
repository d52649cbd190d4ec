// ctest-label: db
#include "masterdata/CategoriaStore.h"
#include "masterdata/screens/CategoriaLookup.h"
#include "masterdata/screens/frmCategoria.h"
#include "support/ScreenFixture.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTreeView>
#include <QtTest>

namespace {

using State = RegistryScreenBase::State;

struct Fixture : ScreenFixture {
    std::unique_ptr<frmCategoria> screen = std::make_unique<frmCategoria>(context);

    Fixture() {
        screen->show();
        QApplication::setActiveWindow(screen.get());
    }
    void seed(const QStringList& names) {
        CategoriaStore store(*db);
        for (const QString& name : names)
            store.insert(name);
    }
    QVariant column(const QString& sql) { return db->scalar(sql); }
};

// The rows the dialog lists, as "code name".
QStringList listed(const LookupDialogBase& dialog) {
    QStringList rows;
    for (int row = 0; row < dialog.rowCount(); ++row)
        rows << dialog.cellText(row, 0) + QLatin1Char(' ') + dialog.cellText(row, 1);
    return rows;
}

void expectBrowse(const frmCategoria& screen) {
    expectBrowseButtons(screen);
    QVERIFY(!screen.txtCategoria()->isEnabled());
    QVERIFY(!screen.fraCodigo()->isEnabled());
}

} // namespace

class TestfrmCategoria : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void opensInBrowseWithFieldsLocked() {
        Fixture f;
        expectBrowse(*f.screen);
        QCOMPARE(f.screen->txtCategoria()->maxLength(), 50);
    }

    void includesWithTheNextCodeAndNoSyncFlag() {
        Fixture f;
        f.screen->btnIncluir_Click();
        QCOMPARE(f.screen->state(), State::Inclusion);
        QVERIFY(f.screen->btnSalvar()->isDefault());
        QVERIFY(!f.screen->btnProcurar1()->isEnabled());
        f.screen->txtCategoria()->setText(QStringLiteral("PIZZAS"));
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.texts(),
                 QStringList{QStringLiteral("Categoria cadastrada com sucesso")});
        QCOMPARE(f.messages.last().caption, QStringLiteral("Aviso"));
        QCOMPARE(f.screen->txtCodigo()->text(), QStringLiteral("1"));
        expectBrowse(*f.screen);
        QCOMPARE(f.column(QStringLiteral("SELECT cat_Categoria FROM TB_Categoria WHERE cat_ID = 1"))
                     .toString(),
                 QStringLiteral("PIZZAS"));
        QVERIFY(f.column(QStringLiteral("SELECT fl_sincroniza FROM TB_Categoria WHERE cat_ID = 1"))
                    .isNull());

        // After 1, 2 and 5 comes 6; quotes and accents are stored as typed.
        f.seed(
            {QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D"), QStringLiteral("E")});
        CategoriaStore(*f.db).remove(3);
        CategoriaStore(*f.db).remove(4);
        f.screen->btnIncluir_Click();
        f.screen->txtCategoria()->setText(QStringLiteral("PORÇÕES D'ÁGUA"));
        f.screen->btnSalvar_Click();
        QCOMPARE(f.screen->txtCodigo()->text(), QStringLiteral("6"));
        QCOMPARE(f.column(QStringLiteral("SELECT cat_Categoria FROM TB_Categoria WHERE cat_ID = 6"))
                     .toString(),
                 QStringLiteral("PORÇÕES D'ÁGUA"));
    }

    void refusesAnEmptyOrDuplicateName() {
        Fixture f;
        f.seed({QStringLiteral("BEBIDAS")});
        f.screen->btnIncluir_Click();
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.texts(), QStringList{QStringLiteral("Informe a categoria !!!")});
        QCOMPARE(f.screen->state(), State::Inclusion);

        // Leaving the box with a name in use (any case) empties it.
        QTRY_VERIFY(f.screen->isActiveWindow());
        f.screen->txtCategoria()->setFocus();
        f.screen->txtCategoria()->setText(QStringLiteral("bebidas"));
        f.screen->btnSalvar()->setFocus(Qt::TabFocusReason);
        QCOMPARE(f.messages.last().text, QStringLiteral("Categoria já esta cadastrado"));
        QVERIFY(f.screen->txtCategoria()->text().isEmpty());
        QCOMPARE(QApplication::focusWidget(), f.screen->txtCategoria());
        QCOMPARE(f.column(QStringLiteral("SELECT COUNT(*) FROM TB_Categoria")).toInt(), 1);
    }

    void editsThePickedCategory() {
        Fixture f;
        f.screen->btnEditar_Click();
        QCOMPARE(f.messages.texts(),
                 QStringList{QStringLiteral("Não existe categoria cadastrada")});
        expectBrowse(*f.screen);

        f.seed({QStringLiteral("PIZZAS"), QStringLiteral("PASTEIS"), QStringLiteral("BEBIDAS")});
        onNextDialog<frmSelecionar_Categoria>([](frmSelecionar_Categoria& dialog) {
            QCOMPARE(dialog.titleLabel()->text(), QStringLiteral("Selecionar Categoria"));
            QCOMPARE(listed(dialog), (QStringList{"1 PIZZAS", "2 PASTEIS", "3 BEBIDAS"}));
            QTest::keyClicks(dialog.txtCategoria(), QStringLiteral("p"));
            QCOMPARE(dialog.txtCategoria()->text(), QStringLiteral("P")); // search filter
            QCOMPARE(listed(dialog), (QStringList{"1 PIZZAS", "2 PASTEIS"}));
            QTest::keyClicks(dialog.txtCategoria(), QStringLiteral("A"));
            QCOMPARE(listed(dialog), QStringList{"2 PASTEIS"});
            dialog.txtCategoria()->clear();
            QCOMPARE(dialog.rowCount(), 3);
            dialog.list()->setCurrentIndex(dialog.list()->model()->index(2, 0));
            QTest::keyClick(dialog.list(), Qt::Key_Return);
        });
        f.screen->btnEditar_Click();
        QCOMPARE(f.screen->state(), State::Change);
        QCOMPARE(f.screen->txtCodigo()->text(), QStringLiteral("3"));
        QCOMPARE(f.screen->txtCategoria()->text(), QStringLiteral("BEBIDAS"));
        QVERIFY(f.screen->txtCategoria()->isEnabled());

        // No keeps the change pending; Yes writes it, keeping the name is fine.
        f.messages.clear();
        f.messages.answer({false, true});
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.texts(),
                 (QStringList{"Deseja alterar a Categoria BEBIDAS ?", " Operação Cancelada !!!"}));
        QCOMPARE(f.screen->state(), State::Change);
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.last().text, QStringLiteral("Categoria alterada com sucesso!!!"));
        expectBrowse(*f.screen);
        QCOMPARE(f.column(QStringLiteral("SELECT fl_sincroniza FROM TB_Categoria WHERE cat_ID = 3"))
                     .toString(),
                 QStringLiteral("S"));
        QVERIFY(f.column(QStringLiteral("SELECT fl_sincroniza FROM TB_Categoria WHERE cat_ID = 1"))
                    .isNull());
    }

    void renamingOntoAnotherCategoryIsRefused() {
        Fixture f;
        f.seed({QStringLiteral("PIZZAS"), QStringLiteral("BEBIDAS")});
        onNextDialog<frmSelecionar_Categoria>([](frmSelecionar_Categoria& dialog) {
            dialog.btnProcurar1()->click(); // first row: PIZZAS
        });
        f.screen->btnEditar_Click();
        f.screen->txtCategoria()->setText(QStringLiteral("BEBIDAS"));
        f.messages.answer({true});
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.last().text, QStringLiteral("Categoria já esta cadastrado"));
        QCOMPARE(f.screen->state(), State::Change);
        QCOMPARE(f.column(QStringLiteral("SELECT cat_Categoria FROM TB_Categoria WHERE cat_ID = 1"))
                     .toString(),
                 QStringLiteral("PIZZAS"));
    }

    void cancellingTheSelectionReturnsToBrowse() {
        Fixture f;
        f.seed({QStringLiteral("PIZZAS")});
        onNextDialog<frmSelecionar_Categoria>(
            [](frmSelecionar_Categoria& dialog) { dialog.command1()->click(); });
        f.screen->btnDeletar_Click();
        expectBrowse(*f.screen);
        QCOMPARE(f.messages.count(), 0); // nothing asked
        QCOMPARE(f.column(QStringLiteral("SELECT COUNT(*) FROM TB_Categoria")).toInt(), 1);

        onNextDialog<frmSelecionar_Categoria>(
            [](frmSelecionar_Categoria& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
        f.screen->btnEditar_Click();
        expectBrowse(*f.screen);
    }

    void deletesWithYesOnly() {
        Fixture f;
        f.screen->btnDeletar_Click();
        QCOMPARE(f.messages.texts(),
                 QStringList{QStringLiteral("Não existem categoria cadastrada")});
        f.seed({QStringLiteral("PIZZAS"), QStringLiteral("BEBIDAS")});

        const auto pickSecond = [](frmSelecionar_Categoria& dialog) {
            dialog.list()->setCurrentIndex(dialog.list()->model()->index(1, 0));
            dialog.btnProcurar1()->click();
        };
        f.messages.clear();
        f.messages.answer({false});
        onNextDialog<frmSelecionar_Categoria>(pickSecond);
        f.screen->btnDeletar_Click();
        QCOMPARE(f.messages.texts(),
                 (QStringList{"Deseja deletar a categoria BEBIDAS ?", " Operação Cancelada !!!"}));
        expectBrowse(*f.screen);
        QVERIFY(f.screen->txtCategoria()->text().isEmpty());

        f.messages.answer({true});
        onNextDialog<frmSelecionar_Categoria>(pickSecond);
        f.screen->btnDeletar_Click();
        expectBrowse(*f.screen);
        QCOMPARE(f.column(QStringLiteral("SELECT COUNT(*) FROM TB_Categoria")).toInt(), 1);
        QCOMPARE(f.column(QStringLiteral("SELECT cat_Categoria FROM TB_Categoria")).toString(),
                 QStringLiteral("PIZZAS"));
    }

    void localizarShowsTheRecordLocked() {
        Fixture f;
        f.seed({QStringLiteral("PIZZAS"), QStringLiteral("BEBIDAS")});
        f.screen->btnIncluir_Click();
        onNextDialog<frmLocalizar_Categoria>([](frmLocalizar_Categoria& dialog) {
            QCOMPARE(dialog.titleLabel()->text(), QStringLiteral("Localizar Categoria"));
            // The capitals filter lets an apostrophe through; it still finds nothing.
            QTest::keyClicks(dialog.txtCategoria(), QStringLiteral("x'"));
            QCOMPARE(dialog.txtCategoria()->text(), QStringLiteral("X'"));
            QCOMPARE(dialog.rowCount(), 0);
            dialog.btnProcurar1()->click();
            QVERIFY(dialog.isVisible()); // stays open, box emptied
            QVERIFY(dialog.txtCategoria()->text().isEmpty());
            QCOMPARE(dialog.rowCount(), 2);
            QTest::keyClicks(dialog.txtCategoria(), QStringLiteral("b"));
            dialog.btnProcurar1()->click();
        });
        f.screen->btnProcurar1_Click();
        QCOMPARE(f.messages.texts(), QStringList{QStringLiteral("Categoria não cadastrada!!!")});
        QCOMPARE(f.messages.last().caption, QStringLiteral("Categoria"));
        expectBrowse(*f.screen);
        QCOMPARE(f.screen->txtCodigo()->text(), QStringLiteral("2"));
        QCOMPARE(f.screen->txtCategoria()->text(), QStringLiteral("BEBIDAS"));
    }
};

BRISKO_DB_SCREEN_TEST_MAIN(TestfrmCategoria)
#include "TestfrmCategoria.moc"
