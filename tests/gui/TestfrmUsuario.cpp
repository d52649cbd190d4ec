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

using namespace Qt::StringLiterals;

namespace {

using State = RegistryScreenBase::State;

struct Fixture : ScreenFixture {
    std::unique_ptr<frmUsuario> screen;

    explicit Fixture(const QString& atual = u"ADMINISTRADOR"_s) { open(atual); }
    // The screen as `atual` opens it.
    void open(const QString& atual) {
        screen.reset();
        session.gUsuarioNome = atual;
        screen = std::make_unique<frmUsuario>(context);
        screen->show();
        QApplication::setActiveWindow(screen.get());
    }
    qint64 add(const QString& nome, const QString& login, int autoridade,
               const QString& senha = u"X"_s) {
        Usuario usuario;
        usuario.nome = nome;
        usuario.usuario = login;
        usuario.autoridade = autoridade;
        return UsuarioStore(*db).insert(usuario, senha).codigo;
    }
    QVariant ofUser(const char* column, qint64 codigo) {
        return db->scalar(
            u"SELECT %1 FROM TB_Usuario WHERE usu_ID = ?"_s.arg(QLatin1String(column)), {codigo});
    }
    // Saves a new user with what the permission boxes show; its authority code.
    int includeShown(const QString& nome) {
        screen->btnIncluir_Click();
        screen->txtNome()->setText(nome);
        screen->txtUsuario()->setText(nome);
        screen->txtSenha()->setText(u"S"_s);
        screen->txtConfirmacao()->setText(u"S"_s);
        screen->btnSalvar_Click();
        return UsuarioStore(*db).findByNome(nome).value_or(Usuario{}).autoridade;
    }
};

void expectBrowse(frmUsuario& screen) {
    expectState(screen, RegistryScreenBase::State::Browse,
                {screen.fraCodigo(), screen.txtNome(), screen.txtUsuario(), screen.txtSenha(),
                 screen.txtConfirmacao()});
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
        QCOMPARE(f.screen->fraAcesso()->title(), u"Acesso"_s);
        QCOMPARE(f.screen->ckbCadUsuarios()->text(), u"Cadastra Usuários"_s);
        QCOMPARE(f.screen->ckbCadUsuarios()->toolTip(),
                 u"Libera o acesso para cadastrar novos usuarios"_s);
        QCOMPARE(f.screen->ckbRelatorio()->text(), u"Visualiza Relatórios e Exportar dados"_s);
        QCOMPARE(f.screen->ckbRelatorio()->toolTip(),
                 u"Libera o acesso aos relatórios e exportação de dados"_s);
        QCOMPARE(f.screen->txtSenha()->echoMode(), QLineEdit::Password);
        QCOMPARE(f.screen->txtConfirmacao()->echoMode(), QLineEdit::Password);
        QCOMPARE(f.screen->txtNome()->echoMode(), QLineEdit::Normal);
    }

    void checkBoxesFollowTheCurrentUsersAuthority() {
        Fixture f;
        for (int code = 1; code <= 4; ++code)
            f.add(u"U%1"_s.arg(code), u"L%1"_s.arg(code), code);
        const QList<std::pair<bool, bool>> expected{
            {true, true}, {true, false}, {false, false}, {false, false}};
        for (int code = 1; code <= 4; ++code) {
            f.open(u"U%1"_s.arg(code));
            QCOMPARE(f.screen->ckbCadUsuarios()->isEnabled(), expected[code - 1].first);
            QCOMPARE(f.screen->ckbRelatorio()->isEnabled(), expected[code - 1].second);
        }
        // The built-in administrator has no row.
        f.open(u"ADMINISTRADOR"_s);
        QVERIFY(f.screen->ckbCadUsuarios()->isEnabled());
        QVERIFY(f.screen->ckbRelatorio()->isEnabled());
        QCOMPARE(f.messages.count(), 0);
    }

    void aNewUserGetsTheCodeTheBoxesShow() {
        Fixture f;
        f.add(u"CHEFE"_s, u"CHEFE"_s, 1);
        f.add(u"GERENTE"_s, u"GERENTE"_s, 2);
        f.add(u"CAIXA"_s, u"CAIXA"_s, 3);

        f.open(u"CAIXA"_s);
        QCOMPARE(f.includeShown(u"NOVO"_s), 4);

        // Code 2 grants user registration only, even after a code 1 user was shown.
        f.open(u"GERENTE"_s);
        f.messages.answer({false});
        onNextDialog<frmSelecionar_Usuario>(
            [](frmSelecionar_Usuario& dialog) { pickRow(dialog, 0); }); // CHEFE
        f.screen->btnDeletar_Click();
        QVERIFY(f.screen->ckbCadUsuarios()->isChecked());
        QVERIFY(f.screen->ckbRelatorio()->isChecked());
        QCOMPARE(f.includeShown(u"AJUDANTE"_s), 2);
        f.screen->ckbCadUsuarios()->setChecked(false);
        QCOMPARE(f.includeShown(u"AJUDANTE 2"_s), 4);

        f.open(u"ADMINISTRADOR"_s);
        f.screen->ckbRelatorio()->setChecked(true);
        QCOMPARE(f.includeShown(u"RELATOR"_s), 3);
        f.screen->ckbCadUsuarios()->setChecked(true);
        QCOMPARE(f.includeShown(u"SOCIO"_s), 1);
        // New does not clear the boxes.
        QCOMPARE(f.includeShown(u"SOCIO 2"_s), 1);
    }

    void inclusionValidatesInOrderAndStoresOnlyTheHash() {
        Fixture f;
        QTRY_VERIFY(f.screen->isActiveWindow());
        f.screen->btnIncluir_Click();
        expectState(*f.screen, State::Inclusion, {f.screen->txtNome(), f.screen->txtSenha()});
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
        const QString aviso = u"Aviso"_s;
        expectRefusal(u"Informe o nome do usuário !!!"_s, aviso, f.screen->txtNome());
        typeText(f.screen->txtNome(), u"joão d'ávila"_s);
        QCOMPARE(f.screen->txtNome()->text(), u"JOÃO D'ÁVILA"_s);
        expectRefusal(u"Informe o usuário !!!"_s, aviso, f.screen->txtUsuario());
        typeText(f.screen->txtUsuario(), u"joao"_s);
        expectRefusal(u"Informe a senha !!!"_s, aviso, f.screen->txtSenha());
        typeText(f.screen->txtSenha(), u"segredo'1"_s);
        QCOMPARE(f.screen->txtSenha()->text(), u"SEGREDO'1"_s);
        expectRefusal(u"Informe a confirmacao da senha !!!"_s, aviso, f.screen->txtConfirmacao());
        typeText(f.screen->txtConfirmacao(), u"segredo'2"_s);
        expectRefusal(u"Confirmação esta diferente da senha informada !!!"_s, u"Usuário"_s,
                      f.screen->txtConfirmacao());
        QCOMPARE(f.count("TB_Usuario"), 0);

        f.screen->txtConfirmacao()->setText(u"SEGREDO'1"_s);
        f.messages.clear();
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.texts(), QStringList{u"Usuário cadastrado com sucesso"_s});
        expectBrowse(*f.screen);
        QCOMPARE(f.screen->txtCodigo()->text(), u"1"_s);
        QCOMPARE(f.ofUser("usu_Nome", 1).toString(), u"JOÃO D'ÁVILA"_s);
        QCOMPARE(f.ofUser("usu_Usuario", 1).toString(), u"JOAO"_s);
        QCOMPARE(f.ofUser("usu_Autoridade", 1).toInt(), 4);
        QVERIFY(f.ofUser("fl_sincroniza", 1).isNull());
        const QString stored = f.ofUser("usu_Senha", 1).toString();
        QVERIFY(PasswordHash::isHash(stored));
        QVERIFY(!stored.contains(u"SEGREDO"_s));
        QVERIFY(PasswordHash::verify(u"SEGREDO'1"_s, stored));
        QCOMPARE(UsuarioStore(*f.db).find(1)->data, QDate::currentDate());

        // After 1, 2 and 5 comes 6.
        for (const char* nome : {"B", "C", "D", "E"})
            f.add(QLatin1String(nome), QLatin1String(nome), 4);
        UsuarioStore(*f.db).remove(3);
        UsuarioStore(*f.db).remove(4);
        f.includeShown(u"F"_s);
        QCOMPARE(f.screen->txtCodigo()->text(), u"6"_s);
        QCOMPARE(f.ofUser("usu_Nome", 6).toString(), u"F"_s);
    }

    void aNameOrLoginInUseIsRefused() {
        Fixture f;
        f.add(u"MARIA"_s, u"MARI"_s, 4);
        QTRY_VERIFY(f.screen->isActiveWindow());
        f.screen->btnIncluir_Click();
        const auto leave = [&f](QLineEdit* box, const QString& text) {
            f.messages.clear();
            box->setFocus();
            box->setText(text);
            f.screen->btnSalvar()->setFocus(Qt::TabFocusReason);
        };
        for (QLineEdit* box : {f.screen->txtNome(), f.screen->txtUsuario()}) {
            leave(box, box == f.screen->txtNome() ? u"maria"_s : u"MARI"_s);
            QCOMPARE(f.messages.texts(), QStringList{u"Usuário já esta cadastrado"_s});
            QCOMPARE(f.messages.last().caption, u"Aviso"_s);
            QVERIFY(box->text().isEmpty());
            QCOMPARE(QApplication::focusWidget(), box);
        }
        leave(f.screen->txtNome(), u"ANA"_s);
        leave(f.screen->txtUsuario(), u"ANA"_s);
        QCOMPARE(f.messages.count(), 0);

        // Taken by another workstation between leaving the box and saving.
        f.add(u"ANA"_s, u"OUTRA"_s, 4);
        f.screen->txtSenha()->setText(u"S"_s);
        f.screen->txtConfirmacao()->setText(u"S"_s);
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.texts(), QStringList{u"Usuário já esta cadastrado"_s});
        QCOMPARE(f.screen->state(), State::Inclusion);
        QCOMPARE(f.count("TB_Usuario"), 2);
    }

    void changeKeepsNameAndLoginAndThePasswordUnlessANewOneIsTyped() {
        Fixture f;
        f.screen->btnEditar_Click();
        QCOMPARE(f.messages.texts(), QStringList{u"Não existem usuários cadastrados"_s});
        expectBrowse(*f.screen);

        f.add(u"ANA"_s, u"ANINHA"_s, 1);
        const qint64 beto = f.add(u"BETO"_s, u"BETÃO"_s, 4, u"DOIS"_s);
        const QString hash = f.ofUser("usu_Senha", beto).toString();
        QTRY_VERIFY(f.screen->isActiveWindow());
        const auto pickBeto = [](frmSelecionar_Usuario& dialog) {
            typeText(dialog.txtNome(), u"bé"_s);
            QCOMPARE(dialog.txtNome()->text(), u"B"_s); // accents dropped
            QCOMPARE(listed(dialog, 3, u' '), QStringList{u"2 BETO BETÃO"_s});
            QTest::keyClick(dialog.list(), Qt::Key_Return);
        };
        onNextDialog<frmSelecionar_Usuario>([pickBeto](frmSelecionar_Usuario& dialog) {
            QCOMPARE(dialog.titleLabel()->text(), u"Selecionar Usuários"_s);
            QCOMPARE(listed(dialog, 3, u' '), (QStringList{u"1 ANA ANINHA"_s, u"2 BETO BETÃO"_s}));
            pickBeto(dialog);
        });
        f.messages.clear();
        f.screen->btnSair()->setFocus();
        f.screen->btnEditar_Click();
        expectState(*f.screen, State::Change, {f.screen->txtSenha(), f.screen->txtConfirmacao()});
        QCOMPARE(f.screen->txtCodigo()->text(), u"2"_s);
        QCOMPARE(f.screen->txtNome()->text(), u"BETO"_s);
        QCOMPARE(f.screen->txtUsuario()->text(), u"BETÃO"_s);
        QCOMPARE(f.screen->lblData()->text(), today());
        QVERIFY(f.screen->txtSenha()->text().isEmpty());
        QVERIFY(f.screen->txtConfirmacao()->text().isEmpty());
        QVERIFY(!f.screen->txtNome()->isEnabled());
        QVERIFY(!f.screen->txtUsuario()->isEnabled());
        // The window's focus, which it gets back once the closed dialog hands activation back.
        QCOMPARE(f.screen->focusWidget(), f.screen->txtSenha());
        QVERIFY(!f.screen->ckbCadUsuarios()->isChecked());
        QVERIFY(!f.screen->ckbRelatorio()->isChecked());

        f.screen->ckbCadUsuarios()->setChecked(true);
        f.messages.answer({false});
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.texts(), (QStringList{u"Deseja alterar o usuário BETÃO ?"_s,
                                                  u" Operação Cancelada !!!"_s}));
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
        refused(u"NOVA"_s, {}, u"Informe a confirmacao da senha !!!"_s);
        refused({}, u"NOVA"_s, u"Informe a senha !!!"_s);
        refused(u"NOVX"_s, u"NOVA"_s, u"Confirmação esta diferente da senha informada !!!"_s);

        // Both left empty keep the stored password.
        f.screen->txtSenha()->clear();
        f.screen->txtConfirmacao()->clear();
        f.messages.clear();
        f.messages.answer({true});
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.texts(), (QStringList{u"Deseja alterar o usuário BETÃO ?"_s,
                                                  u"Usuário alterado com sucesso!!!"_s}));
        expectBrowse(*f.screen);
        QCOMPARE(f.ofUser("usu_Autoridade", beto).toInt(), 2);
        QCOMPARE(f.ofUser("fl_sincroniza", beto).toString(), u"S"_s);
        QVERIFY(f.ofUser("fl_sincroniza", 1).isNull());
        QCOMPARE(f.ofUser("usu_Senha", beto).toString(), hash);
        QCOMPARE(f.ofUser("usu_Usuario", beto).toString(), u"BETÃO"_s);

        // A new password is stored hashed.
        onNextDialog<frmSelecionar_Usuario>(pickBeto);
        f.screen->btnEditar_Click();
        QVERIFY(f.screen->ckbCadUsuarios()->isChecked()); // code 2 shown
        QVERIFY(!f.screen->ckbRelatorio()->isChecked());
        typeText(f.screen->txtSenha(), u"três"_s);
        typeText(f.screen->txtConfirmacao(), u"três"_s);
        f.messages.answer({true});
        f.screen->btnSalvar_Click();
        QCOMPARE(f.messages.last().text, u"Usuário alterado com sucesso!!!"_s);
        const QString novo = f.ofUser("usu_Senha", beto).toString();
        QVERIFY(PasswordHash::verify(u"TRÊS"_s, novo));
        QVERIFY(!PasswordHash::verify(u"DOIS"_s, novo));
        QCOMPARE(f.ofUser("usu_Nome", beto).toString(), u"BETO"_s);

        // A cancelled selection returns to browse.
        pickNext<frmSelecionar_Usuario>(-1);
        f.screen->btnEditar_Click();
        expectBrowse(*f.screen);
    }

    void deletesByCodeWithYesOnly() {
        Fixture f;
        f.screen->btnDeletar_Click();
        QCOMPARE(f.messages.texts(), QStringList{u"Não existem usuários cadastrados"_s});
        f.add(u"ANA"_s, u"ANA"_s, 1);
        f.add(u"BETO"_s, u"BETO"_s, 4);

        f.messages.clear();
        onNextDialog<frmSelecionar_Usuario>(
            [](frmSelecionar_Usuario& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
        f.screen->btnDeletar_Click();
        expectBrowse(*f.screen);
        QCOMPARE(f.messages.count(), 0);

        f.messages.answer({false});
        pickNext<frmSelecionar_Usuario>(1);
        f.screen->btnDeletar_Click();
        QCOMPARE(f.messages.texts(),
                 (QStringList{u"Deseja deletar o usuário BETO ?"_s, u" Operação Cancelada !!!"_s}));
        expectBrowse(*f.screen);
        QVERIFY(f.screen->txtUsuario()->text().isEmpty());
        QVERIFY(f.screen->txtCodigo()->text().isEmpty());
        QCOMPARE(f.count("TB_Usuario"), 2);

        f.messages.clear();
        f.messages.answer({true});
        pickNext<frmSelecionar_Usuario>(1);
        f.screen->btnDeletar_Click();
        QCOMPARE(f.messages.last().text, u" usuário deletado com sucesso"_s);
        expectBrowse(*f.screen);
        QVERIFY(f.screen->txtNome()->text().isEmpty());
        QCOMPARE(f.count("TB_Usuario"), 1);
        QCOMPARE(f.ofUser("usu_Nome", 1).toString(), u"ANA"_s);
    }

    void localizarShowsTheUserLocked() {
        Fixture f;
        f.add(u"ANA"_s, u"ANA"_s, 1);
        f.add(u"BETO"_s, u"BETO"_s, 2, u"DOIS"_s);
        f.screen->btnIncluir_Click();
        onNextDialog<frmLocalizar_Usuario>([](frmLocalizar_Usuario& dialog) {
            QCOMPARE(dialog.titleLabel()->text(), u"Localizar Usuários"_s);
            QCOMPARE(dialog.list()->objectName(), u"lstSelecionar_Usuario"_s);
            typeText(dialog.txtNome(), u"x'"_s);
            QCOMPARE(dialog.txtNome()->text(), u"X"_s); // the quote is dropped
            QCOMPARE(dialog.rowCount(), 0);
            dialog.btnProcurar1()->click();
            QVERIFY(dialog.isVisible());
            QVERIFY(dialog.txtNome()->text().isEmpty());
            QCOMPARE(dialog.rowCount(), 2);
            typeText(dialog.txtNome(), u"be"_s);
            dialog.btnProcurar1()->click();
        });
        f.screen->btnProcurar1_Click();
        QCOMPARE(f.messages.texts(), QStringList{u"Usuario não cadastrado!!!"_s});
        QCOMPARE(f.messages.last().caption, u"Brisko"_s);
        expectBrowse(*f.screen);
        QCOMPARE(f.screen->txtCodigo()->text(), u"2"_s);
        QCOMPARE(f.screen->txtNome()->text(), u"BETO"_s);
        QCOMPARE(f.screen->txtUsuario()->text(), u"BETO"_s);
        QCOMPARE(f.screen->lblData()->text(), today());
        QVERIFY(f.screen->txtSenha()->text().isEmpty());
        QVERIFY(f.screen->ckbCadUsuarios()->isChecked());
        QVERIFY(!f.screen->ckbRelatorio()->isChecked());
    }
};

BRISKO_DB_SCREEN_TEST_MAIN(TestfrmUsuario)
#include "TestfrmUsuario.moc"
