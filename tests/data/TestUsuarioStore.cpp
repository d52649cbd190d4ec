#include "data/Database.h"
#include "masterdata/PasswordHash.h"
#include "masterdata/UsuarioStore.h"
#include "support/TestDatabase.h"

#include <QTest>

namespace {

Usuario usuario(const QString& nome, const QString& login, int autoridade = 4) {
    Usuario u;
    u.nome = nome;
    u.usuario = login;
    u.autoridade = autoridade;
    return u;
}

} // namespace

class UsuarioStoreTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void authorityComesFromTheTwoBoxes_data();
    void authorityComesFromTheTwoBoxes();
    void grantablePermissionsFollowTheCurrentUser_data();
    void grantablePermissionsFollowTheCurrentUser();

    void codeFollowsTheHighestAndSkipsGaps();
    void insertLeavesTheFlagNullUpdateMarksIt();
    void registrationDateIsWrittenOnce();
    void duplicatesOfAnotherUserAreRefused_data();
    void duplicatesOfAnotherUserAreRefused();
    void passwordIsStoredOnlyAsAHash();
    void textsAreStoredAndFoundExactly_data();
    void textsAreStoredAndFoundExactly();
    void searchAndRemove();

private:
    std::unique_ptr<TestDatabase> m_fx;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<UsuarioStore> m_store;
};

void UsuarioStoreTest::init() {
    m_fx = std::make_unique<TestDatabase>();
    m_db = m_fx->create();
    m_store = std::make_unique<UsuarioStore>(*m_db);
}

void UsuarioStoreTest::cleanup() {
    m_store.reset();
    m_db.reset();
    m_fx.reset();
}

void UsuarioStoreTest::authorityComesFromTheTwoBoxes_data() {
    QTest::addColumn<bool>("usuarios");
    QTest::addColumn<bool>("relatorios");
    QTest::addColumn<int>("code");
    QTest::newRow("both") << true << true << 1;
    QTest::newRow("users only") << true << false << 2;
    QTest::newRow("reports only") << false << true << 3;
    QTest::newRow("neither") << false << false << 4;
}

void UsuarioStoreTest::authorityComesFromTheTwoBoxes() {
    QFETCH(bool, usuarios);
    QFETCH(bool, relatorios);
    QFETCH(int, code);
    QCOMPARE(autoridadeDe(usuarios, relatorios), code);
    QCOMPARE(permissoesDe(code), (Permissoes{usuarios, relatorios}));
    // The code survives a round trip through the table.
    const auto saved = m_store->insert(usuario("NOME", "LOGIN", code), "X");
    QCOMPARE(m_store->find(saved.codigo)->autoridade, code);
}

void UsuarioStoreTest::grantablePermissionsFollowTheCurrentUser_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("usuarios");
    QTest::addColumn<bool>("relatorios");
    QTest::newRow("1") << 1 << true << true;
    QTest::newRow("2") << 2 << true << false;
    QTest::newRow("3") << 3 << false << false;
    QTest::newRow("4") << 4 << false << false;
    QTest::newRow("no row") << 0 << true << true;
}

void UsuarioStoreTest::grantablePermissionsFollowTheCurrentUser() {
    QFETCH(int, code);
    QFETCH(bool, usuarios);
    QFETCH(bool, relatorios);
    QCOMPARE(permissoesConcedidasPor(code), (Permissoes{usuarios, relatorios}));
    if (code < 1)
        QCOMPARE(permissoesDe(code), Permissoes{});
}

void UsuarioStoreTest::codeFollowsTheHighestAndSkipsGaps() {
    QVERIFY(m_store->isEmpty());
    for (int i = 1; i <= 5; ++i) {
        const auto saved = m_store->insert(
            usuario(QStringLiteral("N%1").arg(i), QStringLiteral("L%1").arg(i)), "S");
        QCOMPARE(saved.outcome, UsuarioStore::Outcome::Saved);
        QCOMPARE(saved.codigo, i);
    }
    QVERIFY(m_store->remove(3));
    QVERIFY(m_store->remove(4));
    QCOMPARE(m_store->insert(usuario("N6", "L6"), "S").codigo, 6);
    QVERIFY(!m_store->isEmpty());
}

void UsuarioStoreTest::insertLeavesTheFlagNullUpdateMarksIt() {
    const qint64 codigo = m_store->insert(usuario("ANA", "ANA"), "S").codigo;
    const QString flagSql = QStringLiteral("SELECT fl_sincroniza FROM TB_Usuario WHERE usu_ID = ?");
    const QVariant before = m_db->scalar(flagSql, {codigo});
    QVERIFY(before.isValid());
    QVERIFY(before.isNull());
    Usuario changed = *m_store->find(codigo);
    changed.autoridade = 1;
    QCOMPARE(m_store->update(changed, std::nullopt), UsuarioStore::Outcome::Saved);
    QCOMPARE(m_db->scalar(flagSql, {codigo}).toString(), QStringLiteral("S"));
    QCOMPARE(m_store->find(codigo)->autoridade, 1);

    changed = usuario("NOVO", "NOVO");
    changed.codigo = 77;
    QCOMPARE(m_store->update(changed, QStringLiteral("NOVA")), UsuarioStore::Outcome::NotFound);
}

void UsuarioStoreTest::registrationDateIsWrittenOnce() {
    Usuario dated = usuario("ANA", "ANA");
    dated.data = QDate(2020, 2, 29);
    const qint64 a = m_store->insert(dated, "S").codigo;
    const qint64 b = m_store->insert(usuario("BIA", "BIA"), "S").codigo;
    QCOMPARE(m_store->find(a)->data, QDate(2020, 2, 29));
    QCOMPARE(m_store->find(b)->data, QDate::currentDate());
    Usuario changed = *m_store->find(a);
    changed.data = QDate(1999, 1, 1);
    m_store->update(changed, std::nullopt);
    QCOMPARE(m_store->find(a)->data, QDate(2020, 2, 29));
}

void UsuarioStoreTest::duplicatesOfAnotherUserAreRefused_data() {
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("login");
    QTest::addColumn<int>("outcome");
    const int nome = int(UsuarioStore::Outcome::NomeTaken);
    const int login = int(UsuarioStore::Outcome::UsuarioTaken);
    QTest::newRow("same name") << "JOÃO"
                               << "OUTRO" << nome;
    QTest::newRow("name in other capitals") << "joão"
                                            << "OUTRO" << nome;
    QTest::newRow("same login") << "OUTRO"
                                << "JOAO" << login;
    QTest::newRow("login in other capitals") << "OUTRO"
                                             << "joao" << login;
    QTest::newRow("both taken: the name is named") << "JOÃO"
                                                   << "JOAO" << nome;
    QTest::newRow("unaccented name is another") << "JOAO"
                                                << "OUTRO" << int(UsuarioStore::Outcome::Saved);
}

void UsuarioStoreTest::duplicatesOfAnotherUserAreRefused() {
    QFETCH(QString, nome);
    QFETCH(QString, login);
    QFETCH(int, outcome);
    m_store->insert(usuario("JOÃO", "JOAO"), "S");
    const qint64 other = m_store->insert(usuario("MARIA", "MARIA"), "S").codigo;

    const auto inserted = m_store->insert(usuario(nome, login), "S");
    QCOMPARE(int(inserted.outcome), outcome);
    QCOMPARE(m_store->all().size(), outcome == int(UsuarioStore::Outcome::Saved) ? 3 : 2);
    if (inserted.outcome == UsuarioStore::Outcome::Saved)
        QVERIFY(m_store->remove(inserted.codigo));

    Usuario changed = *m_store->find(other);
    changed.nome = nome;
    changed.usuario = login;
    QCOMPARE(int(m_store->update(changed, std::nullopt)), outcome);
    const Usuario stored = *m_store->find(other);
    QCOMPARE(stored.nome,
             outcome == int(UsuarioStore::Outcome::Saved) ? nome : QStringLiteral("MARIA"));

    // A user keeps his own name and login.
    QCOMPARE(m_store->update(stored, std::nullopt), UsuarioStore::Outcome::Saved);
    QVERIFY(!m_store->nomeTaken(stored.nome, other));
    QVERIFY(!m_store->usuarioTaken(stored.usuario, other));
    QVERIFY(m_store->usuarioTaken(stored.usuario));
}

void UsuarioStoreTest::passwordIsStoredOnlyAsAHash() {
    const qint64 codigo = m_store->insert(usuario("ANA", "ANA"), "SEGREDO'1").codigo;
    const QString stored =
        m_db->scalar(QStringLiteral("SELECT usu_Senha FROM TB_Usuario WHERE usu_ID = ?"), {codigo})
            .toString();
    QVERIFY(!stored.contains(QStringLiteral("SEGREDO")));
    QVERIFY(PasswordHash::isHash(stored));
    QVERIFY(PasswordHash::verify(QStringLiteral("SEGREDO'1"), stored));
    QVERIFY(!PasswordHash::verify(QStringLiteral("SEGREDO"), stored));
    QCOMPARE(m_store->find(codigo)->senhaHash, stored);

    // Without a new password the stored hash stays, whatever the value carries.
    Usuario changed = *m_store->find(codigo);
    changed.senhaHash = QStringLiteral("ignored");
    QCOMPARE(m_store->update(changed, std::nullopt), UsuarioStore::Outcome::Saved);
    QCOMPARE(m_store->find(codigo)->senhaHash, stored);

    QCOMPARE(m_store->update(changed, QStringLiteral("NOVA")), UsuarioStore::Outcome::Saved);
    const QString renewed = m_store->find(codigo)->senhaHash;
    QVERIFY(PasswordHash::verify(QStringLiteral("NOVA"), renewed));
    QVERIFY(!PasswordHash::verify(QStringLiteral("SEGREDO'1"), renewed));
}

void UsuarioStoreTest::textsAreStoredAndFoundExactly_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("apostrophe") << "D'ÁVILA' OR '1'='1";
    QTest::newRow("accents") << "JOSÉ ÇÃO ÑÜ";
    QTest::newRow("wildcards") << "100% _\\";
    QTest::newRow("100 characters") << QString(99, QChar(u'É')) + QLatin1Char('Z');
}

void UsuarioStoreTest::textsAreStoredAndFoundExactly() {
    QFETCH(QString, text);
    m_store->insert(usuario("OUTRO", "OUTRO"), "S");
    const qint64 codigo = m_store->insert(usuario(text, text), text).codigo;
    const Usuario stored = *m_store->find(codigo);
    QCOMPARE(stored.nome, text);
    QCOMPARE(stored.usuario, text);
    QVERIFY(PasswordHash::verify(text, stored.senhaHash));
    QCOMPARE(*m_store->findByNome(text), stored);
    QCOMPARE(*m_store->findByNome(text.toLower()), stored);
    QCOMPARE(m_store->search(text.left(3)), QList<Usuario>{stored});
    QVERIFY(m_store->usuarioTaken(text.toLower()));
}

void UsuarioStoreTest::searchAndRemove() {
    for (const char* nome : {"MARIA", "MÁRCIO", "MARCOS", "ANA"})
        m_store->insert(usuario(nome, nome), "S");
    auto names = [this](const QString& prefix) {
        QStringList result;
        for (const Usuario& u : m_store->search(prefix))
            result << u.nome;
        return result;
    };
    QCOMPARE(names({}), (QStringList{"MARIA", "MÁRCIO", "MARCOS", "ANA"}));
    QCOMPARE(names("mar"), (QStringList{"MARIA", "MARCOS"}));
    QCOMPARE(names("MARC"), QStringList{"MARCOS"});
    QCOMPARE(names("má"), QStringList{"MÁRCIO"});
    QCOMPARE(names("X"), QStringList{});
    QCOMPARE(m_store->all().size(), 4);

    const qint64 marcos = m_store->findByNome("marcos")->codigo;
    QVERIFY(m_store->remove(marcos));
    QVERIFY(!m_store->remove(marcos));
    QVERIFY(!m_store->findByNome("MARCOS"));
    QCOMPARE(names("mar"), QStringList{"MARIA"});
    QVERIFY(!m_store->findByNome("NINGUÉM"));
}

BRISKO_DB_TEST_MAIN(UsuarioStoreTest)
#include "TestUsuarioStore.moc"
