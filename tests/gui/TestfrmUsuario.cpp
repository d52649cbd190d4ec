// ctest-label: db
#include "masterdata/PasswordHash.h"
#include "masterdata/UsuarioStore.h"
#include "masterdata/screens/UsuarioLookup.h"
#include "shell/screens/frmUsuario.h"
#include "support/ScreenFixture.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTreeView>
#include <QtTest>

namespace {

using State = RegistryScreenBase::State;

struct Fixture : ScreenFixture {
    std::unique_ptr<frmUsuario> screen;

    explicit Fixture(const QString& atual = QStringLiteral("ADMINISTRADOR")) { open(atual); }
    // The screen as `atual` opens it.
    void open(const QString& atual) {
        screen.reset();
        session.gUsuarioNome = atual;
        screen = std::make_unique<frmUsuario>(context);
        screen->show();
        QApplication::setActiveWindow(screen.get());
    }
    qint64 add(const QString& nome, const QString& login, int autoridade,
               const QString& senha = QStringLiteral("X")) {
        Usuario usuario;
        usuario.nome = nome;
        usuario.usuario = login;
        usuario.autoridade = autoridade;
        return UsuarioStore(*db).insert(usuario, senha).codigo;
    }
    QVariant column(const QString& sql) { return db->scalar(sql); }
    QVariant ofUser(const char* column, qint64 codigo) {
        return db->scalar(
            QStringLiteral("SELECT %1 FROM TB_Usuario WHERE usu_ID = ?").arg(QLatin1String(column)),
            {codigo});
    }
    int users() { return column(QStringLiteral("SELECT COUNT(*) FROM TB_Usuario")).toInt(); }
    // Saves a new user with what the permission boxes show; its authority code.
    int includeShown(const QString& nome) {
        screen->btnIncluir_Click();
        screen->txtNome()->setText(nome);
        screen->txtUsuario()->setText(nome);
        screen->txtSenha()->setText(QStringLiteral("S"));
        screen->txtConfirmacao()->setText(QStringLiteral("S"));
        screen->btnSalvar_Click();
        return UsuarioStore(*db).findByNome(nome).value_or(Usuario{}).autoridade;
    }
};

QStringList listed(const LookupDialogBase& dialog) {
    QStringList rows;
    for (int row = 0; row < dialog.rowCount(); ++row)
        rows << QStringList{dialog.cellText(row, 0), dialog.cellText(row, 1),
                            dialog.cellText(row, 2)}
                    .join(QLatin1Char(' '));
    return rows;
}

void pickRow(LookupDialogBase& dialog, int row) {
    dialog.list()->setCurrentIndex(dialog.list()->model()->index(row, 0));
    dialog.btnProcurar1()->click();
}

void expectBrowse(const frmUsuario& screen) {
    expectBrowseButtons(screen);
    QVERIFY(!screen.fraCodigo()->isEnabled());
    for (const QLineEdit* box :
         {screen.txtNome(), screen.txtUsuario(), screen.txtSenha(), screen.txtConfirmacao()})
        QVERIFY(!box->isEnabled());
}

QString today() {
    return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
}

} // namespace

class TestfrmUsuario : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void opensLockedWithItsControls() {
        Fixture f;
        expectBrowse(*f.screen);
        QCOMPARE(f.screen->fraAcesso()->title(), QStringLiteral("Acesso"));
        QCOMPARE(f.screen->ckbCadUsuarios()->text(), QStringLiteral("Cadastra Usuários"));
        QCOMPARE(f.screen->ckbCadUsuarios()->toolTip(),
                 QStringLiteral("Libera o acesso para cadastrar novos usuarios"));
        QCOMPARE(f.screen->ckbRelatorio()->text(),
                 QStringLiteral("Visualiza Relatórios e Exportar dados"));
        QCOMPARE(f.screen->ckbRelatorio()->toolTip(),
                 QStringLiteral("Libera o acesso aos relatórios e exportação de dados"));
        QCOMPARE(f.screen->txtSenha()->echoMode(), QLineEdit::Password);
        QCOMPARE(f.screen->txtConfirmacao()->echoMode(), QLineEdit::Password);
        QCOMPARE(f.screen->txtNome()->echoMode(), QLineEdit::Normal);
    }

    void checkBoxesFollowTheCurrentUsersAuthority() {
        Fixture f;
        for (int code = 1; code <= 4; ++code)
            f.add(QStringLiteral("U%1").arg(code), QStringLiteral("L%1").arg(code), code);
        const QList<std::pair<bool, bool>> expected{
            {true, true}, {true, false}, {false, false}, {false, false}};
        for (int code = 1; code <= 4; ++code) {
            f.open(QStringLiteral("U%1").arg(code));
            QCOMPARE(f.screen->ckbCadUsuarios()->isEnabled(), expected[code - 1].first);
            QCOMPARE(f.screen->ckbRelatorio()->isEnabled(), expected[code - 1].second);
        }
        // The built-in administrator has no row.
        f.open(QStringLiteral("ADMINISTRADOR"));
        QVERIFY(f.screen->ckbCadUsuarios()->isEnabled());
        QVERIFY(f.screen->ckbRelatorio()->isEnabled());
        QCOMPARE(f.messages.count(), 0);
    }

    void aNewUserGetsTheCodeTheBoxesShow() {
        Fixture f;
        f.add(QStringLiteral("CHEFE"), QStringLiteral("CHEFE"), 1);
        f.add(QStringLiteral("GERENTE"), QStringLiteral("GERENTE"), 2);
        f.add(QStringLiteral("CAIXA"), QStringLiteral("CAIXA"), 3);

        f.open(QStringLiteral("CAIXA"));
        QCOMPARE(f.includeShown(QStringLiteral("NOVO")), 4);

        // Code 2 grants user registration only, even after a code 1 user was shown.
        f.open(QStringLiteral("GERENTE"));
        f.messages.answer({false});
        onNextDialog<frmSelecionar_Usuario>(
            [](frmSelecionar_Usuario& dialog) { pickRow(dialog, 0); }); // CHEFE
        f.screen->btnDeletar_Click();
        QVERIFY(f.screen->ckbCadUsuarios()->isChecked());
        QVERIFY(f.screen->ckbRelatorio()->isChecked());
        QCOMPARE(f.includeShown(QStringLiteral("AJUDANTE")), 2);
        f.screen->ckbCadUsuarios()->setChecked(false);
        QCOMPARE(f.includeShown(QStringLiteral("AJUDANTE 2")), 4);

        f.open(QStringLiteral("ADMINISTRADOR"));
        f.screen->ckbRelatorio()->setChecked(true);
        QCOMPARE(f.includeShown(QStringLiteral("RELATOR")), 3);
        f.screen->ckbCadUsuarios()->setChecked(true);
        QCOMPARE(f.includeShown(QStringLiteral("SOCIO")), 1);
        // New does not clear the boxes.
        QCOMPARE(f.includeShown(QStringLiteral("SOCIO 2")), 1);
    }

    void inclusionValidatesInOrderAndStoresOnlyTheHash() {
        Fixture f;
        QTRY_VERIFY(f.screen->isActiveWindow());
        f.screen->btnIncluir_Click();
        QCOMPARE(f.screen->state(), State::Inclusion);
        QVERIFY(f.screen->btnSalvar()->isDefault());
        QVERIFY(!f.screen->btnProcurar1()->isEnabled());
        QCOMPARE(f.screen->lblData()->text(), today());
        QCOMPARE(QApplication::focusWidget(), f.screen->txtNome());

        const auto expectRefusal = [&f](const QString& text, const QString& caption,
                                        QLineEdit* focus) {
            f.messages.clear();
            f.screen->btnSalvar_Click();
            QCOMPARE(f.messages.texts(), QStringList{text});
            QCOMPARE(f.messages.last().caption, caption);
            QCOMPARE(QApplication::focusWidget(), focus);
            QCOMPARE(f.screen->state(), State::Inclusion);
        };
        const QString aviso = QStringLiteral("Aviso");
        expectRefusal(QStringLiteral("Informe o nome do usuário !!!"), aviso, f.screen->txtNome());
        typeText(f.screen->txtNome(), QStringLiteral("joão d'ávila"));
        QCOMPARE(f.screen->txtNome()->text(), QStringLiteral("JOÃO D'ÁVILA"));
        expectRefusal(QStringLiteral("Informe o usuário !!!"), aviso, f.screen->txtUsuario());
        typeText(f.screen->txtUsuario(), QStringLiteral("joao"));
        expectRefusal(QStringLiteral("Informe a senha !!!"), aviso, f.screen->txtSenha());
        typeText(f.screen->txtSenha(), QStringLiteral("segredo'1"));
        QCOMPARE(f.screen->txtSenha()->text(), QStringLiteral("SEGREDO'1"));
        expectRefusal(QStringLiteral("Informe a confirmacao da senha !!!"), aviso,
                      f.screen->txtConfirmacao());
        typeText(f.screen->txtConfirmacao(), QStringLiteral("segredo'2"));
        expectRefusal(QStringLiteral("Confirmação esta diferente da senha informada !!!"),
                      QStringLiteral("Usuário"), f.screen->txtConfirmacao());
        QCOMPARE(f.users(), 0);

        f.screen->txtConfirmacao()->setText(QStringLiteral("SEGREDO'1"));
        f.messages.clear();
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.texts(), QStringList{QStringLiteral("Usuário cadastrado com sucesso")});
        expectBrowse(*f.screen);
        QCOMPARE(f.screen->txtCodigo()->text(), QStringLiteral("1"));
        QCOMPARE(f.ofUser("usu_Nome", 1).toString(), QStringLiteral("JOÃO D'ÁVILA"));
        QCOMPARE(f.ofUser("usu_Usuario", 1).toString(), QStringLiteral("JOAO"));
        QCOMPARE(f.ofUser("usu_Autoridade", 1).toInt(), 4);
        QVERIFY(f.ofUser("fl_sincroniza", 1).isNull());
        const QString stored = f.ofUser("usu_Senha", 1).toString();
        QVERIFY(PasswordHash::isHash(stored));
        QVERIFY(!stored.contains(QStringLiteral("SEGREDO")));
        QVERIFY(PasswordHash::verify(QStringLiteral("SEGREDO'1"), stored));
        QCOMPARE(UsuarioStore(*f.db).find(1)->data, QDate::currentDate());

        // After 1, 2 and 5 comes 6.
        for (const char* nome : {"B", "C", "D", "E"})
            f.add(QLatin1String(nome), QLatin1String(nome), 4);
        UsuarioStore(*f.db).remove(3);
        UsuarioStore(*f.db).remove(4);
        f.includeShown(QStringLiteral("F"));
        QCOMPARE(f.screen->txtCodigo()->text(), QStringLiteral("6"));
        QCOMPARE(f.ofUser("usu_Nome", 6).toString(), QStringLiteral("F"));
    }

    void aNameOrLoginInUseIsRefused() {
        Fixture f;
        f.add(QStringLiteral("MARIA"), QStringLiteral("MARI"), 4);
        QTRY_VERIFY(f.screen->isActiveWindow());
        f.screen->btnIncluir_Click();
        const auto leave = [&f](QLineEdit* box, const QString& text) {
            f.messages.clear();
            box->setFocus();
            box->setText(text);
            f.screen->btnSalvar()->setFocus(Qt::TabFocusReason);
        };
        for (QLineEdit* box : {f.screen->txtNome(), f.screen->txtUsuario()}) {
            leave(box,
                  box == f.screen->txtNome() ? QStringLiteral("maria") : QStringLiteral("MARI"));
            QCOMPARE(f.messages.texts(), QStringList{QStringLiteral("Usuário já esta cadastrado")});
            QCOMPARE(f.messages.last().caption, QStringLiteral("Aviso"));
            QVERIFY(box->text().isEmpty());
            QCOMPARE(QApplication::focusWidget(), box);
        }
        leave(f.screen->txtNome(), QStringLiteral("ANA"));
        leave(f.screen->txtUsuario(), QStringLiteral("ANA"));
        QCOMPARE(f.messages.count(), 0);

        // Taken by another workstation between leaving the box and saving.
        f.add(QStringLiteral("ANA"), QStringLiteral("OUTRA"), 4);
        f.screen->txtSenha()->setText(QStringLiteral("S"));
        f.screen->txtConfirmacao()->setText(QStringLiteral("S"));
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.texts(), QStringList{QStringLiteral("Usuário já esta cadastrado")});
        QCOMPARE(f.screen->state(), State::Inclusion);
        QCOMPARE(f.users(), 2);
    }

    void changeKeepsNameAndLoginAndThePasswordUnlessANewOneIsTyped() {
        Fixture f;
        f.screen->btnEditar_Click();
        QCOMPARE(f.messages.texts(),
                 QStringList{QStringLiteral("Não existem usuários cadastrados")});
        expectBrowse(*f.screen);

        f.add(QStringLiteral("ANA"), QStringLiteral("ANINHA"), 1);
        const qint64 beto =
            f.add(QStringLiteral("BETO"), QStringLiteral("BETÃO"), 4, QStringLiteral("DOIS"));
        const QString hash = f.ofUser("usu_Senha", beto).toString();
        QTRY_VERIFY(f.screen->isActiveWindow());
        const auto pickBeto = [](frmSelecionar_Usuario& dialog) {
            typeText(dialog.txtNome(), QStringLiteral("bé"));
            QCOMPARE(dialog.txtNome()->text(), QStringLiteral("B")); // accents dropped
            QCOMPARE(listed(dialog), QStringList{QStringLiteral("2 BETO BETÃO")});
            QTest::keyClick(dialog.list(), Qt::Key_Return);
        };
        onNextDialog<frmSelecionar_Usuario>([pickBeto](frmSelecionar_Usuario& dialog) {
            QCOMPARE(dialog.titleLabel()->text(), QStringLiteral("Selecionar Usuários"));
            const QAbstractItemModel* model = dialog.list()->model();
            QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Codigo"));
            QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Nome"));
            QCOMPARE(model->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Usuario"));
            QCOMPARE(listed(dialog),
                     (QStringList{QStringLiteral("1 ANA ANINHA"), QStringLiteral("2 BETO BETÃO")}));
            pickBeto(dialog);
        });
        f.messages.clear();
        f.screen->btnSair()->setFocus();
        f.screen->btnEditar_Click();
        QCOMPARE(f.screen->state(), State::Change);
        QCOMPARE(f.screen->txtCodigo()->text(), QStringLiteral("2"));
        QCOMPARE(f.screen->txtNome()->text(), QStringLiteral("BETO"));
        QCOMPARE(f.screen->txtUsuario()->text(), QStringLiteral("BETÃO"));
        QCOMPARE(f.screen->lblData()->text(), today());
        QVERIFY(f.screen->txtSenha()->text().isEmpty());
        QVERIFY(f.screen->txtConfirmacao()->text().isEmpty());
        QVERIFY(!f.screen->txtNome()->isEnabled());
        QVERIFY(!f.screen->txtUsuario()->isEnabled());
        QVERIFY(f.screen->txtSenha()->isEnabled());
        // The window's focus, which it gets back once the closed dialog hands activation back.
        QCOMPARE(f.screen->focusWidget(), f.screen->txtSenha());
        QVERIFY(!f.screen->ckbCadUsuarios()->isChecked());
        QVERIFY(!f.screen->ckbRelatorio()->isChecked());

        f.screen->ckbCadUsuarios()->setChecked(true);
        f.messages.answer({false});
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.texts(),
                 (QStringList{QStringLiteral("Deseja alterar o usuário BETÃO ?"),
                              QStringLiteral(" Operação Cancelada !!!")}));
        QCOMPARE(f.screen->state(), State::Change);
        QCOMPARE(f.ofUser("usu_Autoridade", beto).toInt(), 4);

        // One password box filled asks for the other; both must agree.
        const auto refused = [&f](const QString& senha, const QString& confirmacao,
                                  const QString& text) {
            f.messages.clear();
            f.screen->txtSenha()->setText(senha);
            f.screen->txtConfirmacao()->setText(confirmacao);
            f.screen->btnSalvar_Click();
            QCOMPARE(f.messages.texts(), QStringList{text});
            QCOMPARE(f.screen->state(), State::Change);
        };
        refused(QStringLiteral("NOVA"), {}, QStringLiteral("Informe a confirmacao da senha !!!"));
        refused({}, QStringLiteral("NOVA"), QStringLiteral("Informe a senha !!!"));
        refused(QStringLiteral("NOVX"), QStringLiteral("NOVA"),
                QStringLiteral("Confirmação esta diferente da senha informada !!!"));

        // Both left empty keep the stored password.
        f.screen->txtSenha()->clear();
        f.screen->txtConfirmacao()->clear();
        f.messages.clear();
        f.messages.answer({true});
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.texts(),
                 (QStringList{QStringLiteral("Deseja alterar o usuário BETÃO ?"),
                              QStringLiteral("Usuário alterado com sucesso!!!")}));
        expectBrowse(*f.screen);
        QCOMPARE(f.ofUser("usu_Autoridade", beto).toInt(), 2);
        QCOMPARE(f.ofUser("fl_sincroniza", beto).toString(), QStringLiteral("S"));
        QVERIFY(f.ofUser("fl_sincroniza", 1).isNull());
        QCOMPARE(f.ofUser("usu_Senha", beto).toString(), hash);
        QCOMPARE(f.ofUser("usu_Nome", beto).toString(), QStringLiteral("BETO"));
        QCOMPARE(f.ofUser("usu_Usuario", beto).toString(), QStringLiteral("BETÃO"));

        // A new password is stored hashed.
        onNextDialog<frmSelecionar_Usuario>(pickBeto);
        f.screen->btnEditar_Click();
        QVERIFY(f.screen->ckbCadUsuarios()->isChecked()); // code 2 shown
        QVERIFY(!f.screen->ckbRelatorio()->isChecked());
        typeText(f.screen->txtSenha(), QStringLiteral("três"));
        typeText(f.screen->txtConfirmacao(), QStringLiteral("três"));
        f.messages.answer({true});
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.last().text, QStringLiteral("Usuário alterado com sucesso!!!"));
        const QString novo = f.ofUser("usu_Senha", beto).toString();
        QVERIFY(PasswordHash::verify(QStringLiteral("TRÊS"), novo));
        QVERIFY(!PasswordHash::verify(QStringLiteral("DOIS"), novo));
        QCOMPARE(f.ofUser("usu_Nome", beto).toString(), QStringLiteral("BETO"));

        // A cancelled selection returns to browse.
        onNextDialog<frmSelecionar_Usuario>(
            [](frmSelecionar_Usuario& dialog) { dialog.command1()->click(); });
        f.screen->btnEditar_Click();
        expectBrowse(*f.screen);
    }

    void deletesByCodeWithYesOnly() {
        Fixture f;
        f.screen->btnDeletar_Click();
        QCOMPARE(f.messages.texts(),
                 QStringList{QStringLiteral("Não existem usuários cadastrados")});
        f.add(QStringLiteral("ANA"), QStringLiteral("ANA"), 1);
        f.add(QStringLiteral("BETO"), QStringLiteral("BETO"), 4);

        f.messages.clear();
        onNextDialog<frmSelecionar_Usuario>(
            [](frmSelecionar_Usuario& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
        f.screen->btnDeletar_Click();
        expectBrowse(*f.screen);
        QCOMPARE(f.messages.count(), 0);

        const auto pickSecond = [](frmSelecionar_Usuario& dialog) { pickRow(dialog, 1); };
        f.messages.answer({false});
        onNextDialog<frmSelecionar_Usuario>(pickSecond);
        f.screen->btnDeletar_Click();
        QCOMPARE(f.messages.texts(), (QStringList{QStringLiteral("Deseja deletar o usuário BETO ?"),
                                                  QStringLiteral(" Operação Cancelada !!!")}));
        expectBrowse(*f.screen);
        QVERIFY(f.screen->txtUsuario()->text().isEmpty());
        QVERIFY(f.screen->txtCodigo()->text().isEmpty());
        QCOMPARE(f.users(), 2);

        f.messages.clear();
        f.messages.answer({true});
        onNextDialog<frmSelecionar_Usuario>(pickSecond);
        f.screen->btnDeletar_Click();
        QCOMPARE(f.messages.last().text, QStringLiteral(" usuário deletado com sucesso"));
        expectBrowse(*f.screen);
        QVERIFY(f.screen->txtNome()->text().isEmpty());
        QCOMPARE(f.users(), 1);
        QCOMPARE(f.ofUser("usu_Nome", 1).toString(), QStringLiteral("ANA"));
    }

    void localizarShowsTheUserLocked() {
        Fixture f;
        f.add(QStringLiteral("ANA"), QStringLiteral("ANA"), 1);
        f.add(QStringLiteral("BETO"), QStringLiteral("BETO"), 2, QStringLiteral("DOIS"));
        f.screen->btnIncluir_Click();
        onNextDialog<frmLocalizar_Usuario>([](frmLocalizar_Usuario& dialog) {
            QCOMPARE(dialog.titleLabel()->text(), QStringLiteral("Localizar Usuários"));
            QCOMPARE(dialog.list()->objectName(), QStringLiteral("lstSelecionar_Usuario"));
            typeText(dialog.txtNome(), QStringLiteral("x'"));
            QCOMPARE(dialog.txtNome()->text(), QStringLiteral("X")); // the quote is dropped
            QCOMPARE(dialog.rowCount(), 0);
            dialog.btnProcurar1()->click();
            QVERIFY(dialog.isVisible());
            QVERIFY(dialog.txtNome()->text().isEmpty());
            QCOMPARE(dialog.rowCount(), 2);
            typeText(dialog.txtNome(), QStringLiteral("be"));
            dialog.btnProcurar1()->click();
        });
        f.screen->btnProcurar1_Click();
        QCOMPARE(f.messages.texts(), QStringList{QStringLiteral("Usuario não cadastrado!!!")});
        QCOMPARE(f.messages.last().caption, QStringLiteral("Brisko"));
        expectBrowse(*f.screen);
        QCOMPARE(f.screen->txtCodigo()->text(), QStringLiteral("2"));
        QCOMPARE(f.screen->txtNome()->text(), QStringLiteral("BETO"));
        QCOMPARE(f.screen->txtUsuario()->text(), QStringLiteral("BETO"));
        QCOMPARE(f.screen->lblData()->text(), today());
        QVERIFY(f.screen->txtSenha()->text().isEmpty());
        QVERIFY(f.screen->ckbCadUsuarios()->isChecked());
        QVERIFY(!f.screen->ckbRelatorio()->isChecked());
    }
};

BRISKO_DB_SCREEN_TEST_MAIN(TestfrmUsuario)
#include "TestfrmUsuario.moc"
