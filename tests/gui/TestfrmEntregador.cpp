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

namespace {

using State = RegistryScreenBase::State;

const QDate kLongAgo(2020, 1, 2);

struct Fixture : ScreenFixture {
    std::unique_ptr<frmEntregador> screen = std::make_unique<frmEntregador>(context);

    Fixture() {
        screen->show();
        QApplication::setActiveWindow(screen.get());
    }
    qint64 seed(const QString& nome, const QString& telefone = {}, const QString& obs = {}) {
        return *EntregadorStore(*db).insert(
            {.codigo = 0, .telefone = telefone, .data = kLongAgo, .nome = nome, .observacao = obs});
    }
    QVariant column(const QString& sql, const QVariantList& binds = {}) {
        return db->scalar(sql, binds);
    }
    QDate storedDate(qint64 codigo) {
        return Database::dateFrom(column(
            QStringLiteral("SELECT ent_data FROM TB_Entregador WHERE ent_ID = ?"), {codigo}));
    }
    int rows() { return column(QStringLiteral("SELECT COUNT(*) FROM TB_Entregador")).toInt(); }
};

QString today() {
    return QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
}

// The rows the dialog lists, as "code|name|telephone".
QStringList listed(const LookupDialogBase& dialog) {
    QStringList rows;
    for (int row = 0; row < dialog.rowCount(); ++row)
        rows << dialog.cellText(row, 0) + QLatin1Char('|') + dialog.cellText(row, 1) +
                    QLatin1Char('|') + dialog.cellText(row, 2);
    return rows;
}

void expectBrowse(const frmEntregador& screen) {
    expectBrowseButtons(screen);
    QVERIFY(!screen.fraCodigo()->isEnabled());
    QVERIFY(!screen.fraTelefone()->isEnabled());
    QVERIFY(!screen.fraData()->isEnabled());
    QVERIFY(!screen.txtNome()->isEnabled());
    QVERIFY(!screen.txtObservacao()->isEnabled());
}

void expectUnlocked(const frmEntregador& screen) {
    QVERIFY(screen.fraCodigo()->isEnabled());
    QVERIFY(screen.fraTelefone()->isEnabled());
    QVERIFY(screen.txtNome()->isEnabled());
    QVERIFY(screen.txtObservacao()->isEnabled());
    QVERIFY(!screen.fraData()->isEnabled()); // never typed
}

} // namespace

class TestfrmEntregador : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void opensInBrowseWithFieldsLocked() {
        Fixture f;
        expectBrowse(*f.screen);
        QCOMPARE(f.screen->fraData()->title(), QStringLiteral("Data"));
        QCOMPARE(f.screen->mskTelefone()->parentWidget(), f.screen->fraTelefone());
        QCOMPARE(f.screen->lblData()->parentWidget(), f.screen->fraData());
        f.screen->btnEditar_Click();
        f.screen->btnDeletar_Click();
        QCOMPARE(f.messages.texts(), (QStringList{"Não existem Entregador cadastrado",
                                                  "Não existem Entregador cadastrado"}));
        QCOMPARE(f.messages.last().caption, QStringLiteral("Aviso"));
        expectBrowse(*f.screen);
    }

    void includesWithTodaysDateAndTheNextCode() {
        Fixture f;
        f.screen->btnIncluir_Click();
        QCOMPARE(f.screen->state(), State::Inclusion);
        expectUnlocked(*f.screen);
        QVERIFY(f.screen->btnSalvar()->isDefault());
        QVERIFY(!f.screen->btnProcurar1()->isEnabled());
        QCOMPARE(f.screen->lblData()->text(), today());
        QTRY_COMPARE(QApplication::focusWidget(), f.screen->mskTelefone());

        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.texts(),
                 QStringList{QStringLiteral("Informe o nome do Entregador!!!")});
        QCOMPARE(f.screen->state(), State::Inclusion);
        QCOMPARE(QApplication::focusWidget(), f.screen->txtNome());

        // Every typed letter is upper-cased, the telephone's too.
        QTest::keyClicks(f.screen->mskTelefone(), QStringLiteral("9876-5432 r2"));
        typeText(f.screen->txtNome(), QStringLiteral("joão"));
        typeText(f.screen->txtObservacao(), QStringLiteral("só à noite"));
        QCOMPARE(f.screen->mskTelefone()->text(), QStringLiteral("9876-5432 R2"));
        QCOMPARE(f.screen->txtNome()->text(), QStringLiteral("JOÃO"));
        QCOMPARE(f.screen->txtObservacao()->text(), QStringLiteral("SÓ À NOITE"));
        f.messages.clear();
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.texts(),
                 QStringList{QStringLiteral("Entregador cadastrado com sucesso")});
        QCOMPARE(f.messages.last().caption, QStringLiteral("Aviso"));
        QCOMPARE(f.screen->txtCodigo()->text(), QStringLiteral("1"));
        expectBrowse(*f.screen);
        QCOMPARE(f.screen->lblData()->text(), today());
        QCOMPARE(f.storedDate(1), QDate::currentDate());
        const auto stored = EntregadorStore(*f.db).find(1);
        QVERIFY(stored);
        QCOMPARE(stored->telefone, QStringLiteral("9876-5432 R2"));
        QCOMPARE(stored->nome, QStringLiteral("JOÃO"));
        QCOMPARE(stored->observacao, QStringLiteral("SÓ À NOITE"));
        QVERIFY(f.column(QStringLiteral("SELECT fl_sincroniza FROM TB_Entregador")).isNull());

        // After 1, 2 and 5 comes 6.
        for (const char* nome : {"B", "C", "D", "E"})
            f.seed(QLatin1String(nome));
        EntregadorStore(*f.db).remove(3);
        EntregadorStore(*f.db).remove(4);
        f.screen->btnIncluir_Click();
        f.screen->txtNome()->setText(QStringLiteral("F"));
        f.screen->btnSalvar_Click();
        QCOMPARE(f.screen->txtCodigo()->text(), QStringLiteral("6"));
        QCOMPARE(f.column(QStringLiteral("SELECT ent_Nome FROM TB_Entregador WHERE ent_ID = 6"))
                     .toString(),
                 QStringLiteral("F"));
    }

    void changeKeepsTheRegistrationDate() {
        Fixture f;
        f.seed(QStringLiteral("ANA"), QStringLiteral("1111-1111"), QStringLiteral("MOTO"));
        const qint64 beto = f.seed(QStringLiteral("BETO"), QStringLiteral("2222-2222"));
        onNextDialog<frmSelecionar_Entregador>([](frmSelecionar_Entregador& dialog) {
            QCOMPARE(dialog.titleLabel()->text(), QStringLiteral("Selecionar Entregador"));
            selectRow(dialog, 1);
            QTest::keyClick(dialog.list(), Qt::Key_Return);
        });
        f.screen->btnEditar_Click();
        QCOMPARE(f.screen->state(), State::Change);
        expectUnlocked(*f.screen);
        QCOMPARE(f.screen->txtCodigo()->text(), QString::number(beto));
        QCOMPARE(f.screen->txtNome()->text(), QStringLiteral("BETO"));
        QCOMPARE(f.screen->mskTelefone()->text(), QStringLiteral("2222-2222"));
        QCOMPARE(f.screen->lblData()->text(), QStringLiteral("02/01/2020"));
        // Not active again yet after the modal dialog; its focus child is what counts.
        QCOMPARE(f.screen->focusWidget(), f.screen->mskTelefone());

        f.screen->mskTelefone()->setText(QStringLiteral("3333-3333"));
        f.screen->txtObservacao()->setText(QStringLiteral("BICICLETA"));
        f.messages.answer({false, true});
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.texts(), (QStringList{"Deseja alterar o cadastro do Entregador BETO ?",
                                                  " Operação cancelada"}));
        QCOMPARE(f.screen->state(), State::Change);
        QCOMPARE(f.column(QStringLiteral("SELECT ent_Telefone FROM TB_Entregador WHERE ent_ID = ?"),
                          {beto})
                     .toString(),
                 QStringLiteral("2222-2222"));

        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.last().text,
                 QStringLiteral("Cadastro do Entregador alterado com sucesso"));
        expectBrowse(*f.screen);
        const auto stored = EntregadorStore(*f.db).find(beto);
        QVERIFY(stored);
        QCOMPARE(stored->telefone, QStringLiteral("3333-3333"));
        QCOMPARE(stored->observacao, QStringLiteral("BICICLETA"));
        QCOMPARE(stored->data, kLongAgo);
        // No synchronisation flag is written, on the changed row nor elsewhere.
        QCOMPARE(f.column(QStringLiteral(
                              "SELECT COUNT(*) FROM TB_Entregador WHERE fl_sincroniza IS NOT NULL"))
                     .toInt(),
                 0);
    }

    void namesStayUnique() {
        Fixture f;
        f.seed(QStringLiteral("MARIA"));
        f.seed(QStringLiteral("PEDRO"));

        // Leaving the name box with a name in use (any case) empties it.
        f.screen->btnIncluir_Click();
        QTRY_VERIFY(f.screen->isActiveWindow());
        f.screen->txtNome()->setFocus();
        f.screen->txtNome()->setText(QStringLiteral("maria"));
        f.screen->btnSalvar()->setFocus(Qt::TabFocusReason);
        QCOMPARE(f.messages.texts(), QStringList{QStringLiteral("Entregador já esta cadastrado")});
        QCOMPARE(f.messages.last().caption, QStringLiteral("Aviso"));
        QVERIFY(f.screen->txtNome()->text().isEmpty());
        QCOMPARE(QApplication::focusWidget(), f.screen->txtNome());
        QCOMPARE(f.rows(), 2);

        // A change onto another person's name is refused when saved; leaving the box says
        // nothing in change mode.
        onNextDialog<frmSelecionar_Entregador>(
            [](frmSelecionar_Entregador& dialog) { dialog.btnProcurar1()->click(); }); // MARIA
        f.screen->btnEditar_Click();
        f.messages.clear();
        f.screen->txtNome()->setFocus();
        f.screen->txtNome()->setText(QStringLiteral("PEDRO"));
        f.screen->mskTelefone()->setFocus(Qt::TabFocusReason);
        QCOMPARE(f.messages.count(), 0);
        f.messages.answer({true});
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.texts(), (QStringList{"Deseja alterar o cadastro do Entregador PEDRO ?",
                                                  "Entregador já esta cadastrado"}));
        QCOMPARE(f.screen->state(), State::Change);
        QCOMPARE(f.column(QStringLiteral("SELECT ent_Nome FROM TB_Entregador WHERE ent_ID = 1"))
                     .toString(),
                 QStringLiteral("MARIA"));

        // Keeping one's own name, in another case, is fine.
        f.screen->txtNome()->setText(QStringLiteral("Maria"));
        f.messages.answer({true});
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.last().text,
                 QStringLiteral("Cadastro do Entregador alterado com sucesso"));
        QCOMPARE(f.column(QStringLiteral("SELECT ent_Nome FROM TB_Entregador WHERE ent_ID = 1"))
                     .toString(),
                 QStringLiteral("Maria"));
    }

    void deletesThePickedRowWithYesOnly() {
        Fixture f;
        f.seed(QStringLiteral("ANA"));
        f.seed(QStringLiteral("BETO"), QStringLiteral("2222-2222"));
        const auto pickSecond = [](frmSelecionar_Entregador& dialog) {
            selectRow(dialog, 1);
            dialog.btnProcurar1()->click();
        };

        f.messages.answer({false});
        onNextDialog<frmSelecionar_Entregador>(pickSecond);
        f.screen->btnDeletar_Click();
        QCOMPARE(f.messages.texts(),
                 (QStringList{"Deseja deletar o(a) Entregador BETO ?", " Operação cancelada"}));
        expectBrowse(*f.screen);
        QCOMPARE(f.screen->txtNome()->text(), QStringLiteral("BETO")); // locked, not emptied
        QCOMPARE(f.rows(), 2);

        f.messages.clear();
        f.messages.answer({true});
        onNextDialog<frmSelecionar_Entregador>(pickSecond);
        f.screen->btnDeletar_Click();
        QCOMPARE(f.messages.texts(),
                 (QStringList{"Deseja deletar o(a) Entregador BETO ?",
                              "O Entregador BETO foi deletado com sucesso!!!"}));
        expectBrowse(*f.screen);
        QVERIFY(f.screen->txtNome()->text().isEmpty());
        QCOMPARE(f.screen->lblData()->text(), today());
        QCOMPARE(f.rows(), 1);
        QCOMPARE(f.column(QStringLiteral("SELECT ent_Nome FROM TB_Entregador")).toString(),
                 QStringLiteral("ANA"));
    }

    void deletionRemovesOneRowOfADuplicatedName() {
        // Rows written before names were kept unique may share one.
        Fixture f;
        f.seed(QStringLiteral("ZE"));
        f.db->exec(QStringLiteral("INSERT INTO TB_Entregador (ent_ID, ent_Nome) VALUES (2, 'ZE')"));
        f.messages.answer({true});
        onNextDialog<frmSelecionar_Entregador>(
            [](frmSelecionar_Entregador& dialog) { dialog.btnProcurar1()->click(); });
        f.screen->btnDeletar_Click();
        QCOMPARE(f.messages.last().text,
                 QStringLiteral("O Entregador ZE foi deletado com sucesso!!!"));
        QCOMPARE(f.rows(), 1);
    }

    void cancellingTheSelectionReturnsToBrowse() {
        Fixture f;
        f.seed(QStringLiteral("ANA"));
        onNextDialog<frmSelecionar_Entregador>(
            [](frmSelecionar_Entregador& dialog) { dialog.command1()->click(); });
        f.screen->btnDeletar_Click();
        expectBrowse(*f.screen);
        QCOMPARE(f.messages.count(), 0); // nothing asked
        QCOMPARE(f.rows(), 1);

        onNextDialog<frmSelecionar_Entregador>(
            [](frmSelecionar_Entregador& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
        f.screen->btnEditar_Click();
        expectBrowse(*f.screen);
        QCOMPARE(f.screen->focusWidget(), f.screen->btnIncluir());
    }

    void localizarNarrowsAndShowsTheRecordLocked() {
        Fixture f;
        f.seed(QStringLiteral("JOSE"), QStringLiteral("1111-1111"));
        f.seed(QStringLiteral("JOAO"), QStringLiteral("2222-2222"),
               QStringLiteral("FINS DE SEMANA"));
        f.seed(QStringLiteral("MARCOS"));
        f.screen->btnIncluir_Click();
        onNextDialog<frmLocalizar_Entregador>([](frmLocalizar_Entregador& dialog) {
            QCOMPARE(dialog.titleLabel()->text(), QStringLiteral("Localizar Entregador"));
            QCOMPARE(dialog.list()->objectName(), QStringLiteral("lstSelecionar_Entregador"));
            const QAbstractItemModel* model = dialog.list()->model();
            QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Nome"));
            QCOMPARE(model->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Telefone"));
            QCOMPARE(listed(dialog),
                     (QStringList{"1|JOSE|1111-1111", "2|JOAO|2222-2222", "3|MARCOS|"}));

            // No key filter: lower case stays as typed and still matches.
            QTest::keyClicks(dialog.txtNome(), QStringLiteral("jo"));
            QCOMPARE(dialog.txtNome()->text(), QStringLiteral("jo"));
            QCOMPARE(listed(dialog), (QStringList{"1|JOSE|1111-1111", "2|JOAO|2222-2222"}));
            QTest::keyClicks(dialog.txtNome(), QStringLiteral("x"));
            QCOMPARE(dialog.rowCount(), 0);
            dialog.btnProcurar1()->click();
            QVERIFY(dialog.isVisible()); // stays open, box emptied, whole list back
            QVERIFY(dialog.txtNome()->text().isEmpty());
            QCOMPARE(dialog.rowCount(), 3);
            QTest::keyClicks(dialog.txtNome(), QStringLiteral("JOA"));
            QCOMPARE(listed(dialog), QStringList{"2|JOAO|2222-2222"});
            QTest::keyClick(dialog.txtNome(), Qt::Key_Backspace);
            QCOMPARE(dialog.rowCount(), 2); // widens again
            selectRow(dialog, 1);
            dialog.btnProcurar1()->click();
        });
        f.screen->btnProcurar1_Click();
        QCOMPARE(f.messages.texts(), QStringList{QStringLiteral("Entregador não cadastrado!!!")});
        QCOMPARE(f.messages.last().caption, QStringLiteral("Brisko"));
        expectBrowse(*f.screen);
        QCOMPARE(f.screen->txtCodigo()->text(), QStringLiteral("2"));
        QCOMPARE(f.screen->txtNome()->text(), QStringLiteral("JOAO"));
        QCOMPARE(f.screen->mskTelefone()->text(), QStringLiteral("2222-2222"));
        QCOMPARE(f.screen->lblData()->text(), QStringLiteral("02/01/2020"));
        QCOMPARE(f.screen->txtObservacao()->text(), QStringLiteral("FINS DE SEMANA"));

        // A record without date or telephone leaves those empty.
        f.db->exec(
            QStringLiteral("INSERT INTO TB_Entregador (ent_ID, ent_Nome) VALUES (9, 'LIA')"));
        onNextDialog<frmLocalizar_Entregador>([](frmLocalizar_Entregador& dialog) {
            QTest::keyClicks(dialog.txtNome(), QStringLiteral("LIA"));
            QCOMPARE(listed(dialog), QStringList{"9|LIA|"});
            dialog.btnProcurar1()->click();
        });
        f.screen->btnProcurar1_Click();
        QCOMPARE(f.screen->txtCodigo()->text(), QStringLiteral("9"));
        QVERIFY(f.screen->lblData()->text().isEmpty());
        QVERIFY(f.screen->mskTelefone()->text().isEmpty());
        QVERIFY(f.screen->txtObservacao()->text().isEmpty());
    }

    void awkwardNamesAreStoredAndFoundExactly_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("prefixo");
        QTest::newRow("apostrophe") << QStringLiteral("D'ÁVILA O'NEIL") << QStringLiteral("d'á");
        QTest::newRow("accents") << QStringLiteral("JOÃO ÇÉSAR ÜBER") << QStringLiteral("joão ç");
        QTest::newRow("wildcards") << QStringLiteral("50% _OFF") << QStringLiteral("50% _");
        QTest::newRow("100 characters")
            << QStringLiteral("Ç").repeated(10) + QStringLiteral("A'").repeated(45)
            << QStringLiteral("ÇÇÇÇÇÇÇÇÇÇA'A'");
    }

    void awkwardNamesAreStoredAndFoundExactly() {
        QFETCH(QString, nome);
        QFETCH(QString, prefixo);
        Fixture f;
        f.seed(QStringLiteral("50 OFF")); // must not match the wildcard prefix
        f.seed(QStringLiteral("DAVILA"));
        f.screen->btnIncluir_Click();
        f.screen->txtNome()->setText(nome);
        f.screen->txtObservacao()->setText(nome);
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.last().text, QStringLiteral("Entregador cadastrado com sucesso"));
        const QString codigo = f.screen->txtCodigo()->text();
        QCOMPARE(f.column(QStringLiteral("SELECT ent_Nome FROM TB_Entregador WHERE ent_ID = ?"),
                          {codigo.toLongLong()})
                     .toString(),
                 nome);

        f.screen->btnIncluir_Click(); // empties the fields
        onNextDialog<frmLocalizar_Entregador>([prefixo, nome, codigo](frmLocalizar_Entregador& d) {
            d.txtNome()->setText(prefixo);
            QCOMPARE(listed(d), QStringList{codigo + QLatin1Char('|') + nome + QLatin1Char('|')});
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
