// ctest-label: db
#include "data/Schema.h"
#include "management/screens/frmExporta_Dados_Cliente.h"
#include "management/screens/frmExporta_Dados_Pedido.h"
#include "management/screens/frmExporta_Dados_Produto.h"
#include "support/ScreenFixture.h"
#include "support/XlsxReadBack.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProgressBar>
#include <unistd.h>

namespace {

using Icon = MessageBoxes::Icon;

const QString kBand1 = QStringLiteral("E5E0EC");
const QString kBand2 = QStringLiteral("CCC0DA");

const QStringList kPedidoHeader =
    QStringLiteral("ped_ono usu_Nome ped_cli_Telefone ped_cli_Nome ped_cli_Tipo "
                   "ped_cli_Logradouro ped_cli_Numero ped_cli_Complemento ped_cli_Bairro "
                   "ped_cli_Cidade ped_cli_UF ped_cli_CEP ped_cli_Observacao ped_Mensagem "
                   "ped_Forma_Pagamento ped_data ite_Ono ite_Nome ite_Quantidade ite_Preco "
                   "ite_Total ite_cat fl_sincroniza ped_Valor_Pago ped_Troco")
        .split(u' ');

void seed(Database& db) {
    const QString cliente = QStringLiteral(
        "INSERT INTO TB_Cliente (cli_ID, cli_Telefone, cli_Nome, cli_Bairro, cli_Data_Nasc, "
        "cli_Observacao) VALUES (?, ?, ?, ?, ?, ?)");
    db.exec(cliente, {1, "1234-5678", "JOÃO D'ÁVILA", QVariant(QMetaType::fromType<QString>()),
                      Database::dateValue(QDate(1980, 5, 17)), "PORTÃO AZUL"});
    db.exec(cliente, {2, "91234-5678", "ANA", "CENTRO", Database::dateValue(QDate()),
                      "CLIENTE ANTIGA DA CASA, SEMPRE PEDE SEM CEBOLA E COM BORDA"});
    db.exec(cliente, {3, "3333-4444", "BIA", "VILA NOVA", Database::dateValue(QDate()), ""});
    db.exec(QStringLiteral("INSERT INTO TB_Produto (Pro_ID, pro_Categoria, pro_Produto, "
                           "Pro_Preco) VALUES (1, 'PIZZAS', 'CALABRESA GRANDE', 4590), "
                           "(2, 'BEBIDAS', 'COCA-COLA 2 LITROS', 1250)"));
    db.exec(QStringLiteral("INSERT INTO TB_Usuario (usu_ID, usu_Nome, usu_Usuario, usu_Senha, "
                           "usu_Autoridade) VALUES (1, 'MARIA', 'MARIA', 'X', 1)"));
    const QString pedido = QStringLiteral("INSERT INTO TB_Pedido (ped_ono, ped_usu_id, ped_data, "
                                          "ped_cli_Nome, ped_Valor_Pago, ped_Troco) VALUES "
                                          "(?, ?, ?, ?, ?, ?)");
    // Order 2 was taken by an operator who is no longer registered.
    db.exec(pedido, {1, 1, Database::dateValue(QDate(2026, 3, 1)), "JOÃO", 10000, 1260});
    db.exec(pedido, {2, 99, Database::dateValue(QDate(2026, 3, 31)), "ANA", 1250, 0});
    db.exec(pedido, {3, 1, Database::dateValue(QDate(2026, 4, 1)), "BIA", 5000, 0});
    db.exec(QStringLiteral(
        "INSERT INTO TB_Item (ite_Ono, ite_Nome, ite_Quantidade, ite_Preco, ite_Total, ite_cat) "
        "VALUES (1, 'CALABRESA GRANDE', 1, 4590, 4590, 'PIZZAS'), (1, 'COCA-COLA 2 LITROS', 2, "
        "1250, 2500, 'BEBIDAS'), (2, 'COCA-COLA 2 LITROS', 1, 1250, 1250, 'BEBIDAS'), (3, "
        "'CALABRESA GRANDE', 1, 4590, 4590, 'PIZZAS')"));
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(no file)");
}

std::unique_ptr<ExportScreenBase> makeScreen(ScreenContext& context, const QString& kind) {
    if (kind == QLatin1String("Cliente"))
        return std::make_unique<frmExporta_Dados_Cliente>(context);
    if (kind == QLatin1String("Produto"))
        return std::make_unique<frmExporta_Dados_Produto>(context);
    return std::make_unique<frmExporta_Dados_Pedido>(context);
}

void typePeriod(ExportScreenBase& screen, const QString& start, const QString& end) {
    auto& pedido = dynamic_cast<frmExporta_Dados_Pedido&>(screen);
    pedido.mskData_Inicio()->setText(start);
    pedido.mskData_Fim()->setText(end);
}

// Runs the export to its end: the confirmation or the error shown.
void exportNow(ExportScreenBase& screen, ScriptedMessageBoxes& messages) {
    const int before = messages.count();
    screen.btnExportar()->click();
    QTRY_VERIFY_WITH_TIMEOUT(messages.count() > before && !screen.isExporting(), 20000);
}

// A folder nothing can be written into, not even by root; undone when it ends.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString& folder) : m_folder(folder) {
        if (geteuid() == 0)
            QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), folder});
        else
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    }
    ~ReadOnlyFolder() {
        if (geteuid() == 0)
            QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), m_folder});
        else
            QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

private:
    QString m_folder;
};

} // namespace

class TestfrmExporta_Dados : public QObject {
    Q_OBJECT

    std::unique_ptr<ScreenFixture> f;
    QTemporaryDir home;
    QString folder;

private Q_SLOTS:
    void init() {
        f = std::make_unique<ScreenFixture>();
        seed(*f->db);
        // The exports folder lies in the home directory.
        qputenv("HOME", home.path().toUtf8());
        folder = home.filePath(QStringLiteral("Brisko_Relatorios"));
        QDir(folder).removeRecursively();
    }
    void cleanup() { f.reset(); }

    void writesTheSheet_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("period");
        QTest::addColumn<QStringList>("header");
        QTest::addColumn<QStringList>("rowFills");
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<QStringList>("formats");

        QTest::newRow("customers, null and date cells")
            << "Cliente" << QString() << Schema::table("TB_Cliente").columnNames()
            << QStringList{kBand1, kBand2, kBand1}
            << QStringList{"2|cli_ID|n:1",      "2|cli_Nome|s:JOÃO D'ÁVILA",
                           "2|cli_Bairro|-",    "2|cli_Data_Nasc|d:1980-05-17",
                           "3|cli_Data_Nasc|-", "3|cli_Telefone|s:91234-5678",
                           "4|cli_ID|n:3"}
            << QStringList{"cli_Data_Nasc|dd/mm/yyyy"};
        QTest::newRow("products, money as numbers")
            << "Produto" << QString() << Schema::table("TB_Produto").columnNames()
            << QStringList{kBand1, kBand2}
            << QStringList{"2|Pro_ID|n:1", "2|Pro_Preco|n:45.9", "3|Pro_Preco|n:12.5",
                           "3|pro_Produto|s:COCA-COLA 2 LITROS"}
            << QStringList{"Pro_Preco|\"R$ \"#,##0.00"};
        QTest::newRow("order items of March, gone operator kept")
            << "Pedido"
            << "01/03/2026-31/03/2026" << kPedidoHeader << QStringList{kBand1, kBand1, kBand2}
            << QStringList{"2|ped_ono|n:1",
                           "2|usu_Nome|s:MARIA",
                           "2|ped_data|d:2026-03-01",
                           "3|ite_Quantidade|n:2",
                           "3|ite_Total|n:25",
                           "3|ped_Valor_Pago|n:100",
                           "3|ped_Troco|n:12.6",
                           "4|ped_ono|n:2",
                           "4|usu_Nome|-",
                           "4|ped_data|d:2026-03-31"}
            << QStringList{"ite_Preco|\"R$ \"#,##0.00", "ped_data|dd/mm/yyyy"};
        QTest::newRow("a period without orders: header only")
            << "Pedido"
            << "01/02/2026-28/02/2026" << kPedidoHeader << QStringList{} << QStringList{}
            << QStringList{};
    }
    void writesTheSheet() {
        QFETCH(QString, kind);
        QFETCH(QString, period);
        QFETCH(QStringList, header);
        QFETCH(QStringList, rowFills);
        QFETCH(QStringList, cells);
        QFETCH(QStringList, formats);

        QVERIFY(!QFileInfo::exists(folder));
        auto screen = makeScreen(f->context, kind);
        screen->show();
        if (!period.isEmpty())
            typePeriod(*screen, period.section(u'-', 0, 0), period.section(u'-', 1, 1));
        exportNow(*screen, f->messages);

        const QString path = folder + u'/' + (kind == "Pedido" ? "Pedidos" : kind) + ".xlsx";
        QCOMPARE(f->messages.last().text,
                 QStringLiteral("Arquivo gravado em: ") + QDir::toNativeSeparators(path));
        QCOMPARE(f->messages.last().icon, Icon::None);
        QCOMPARE(f->messages.last().caption, "Exporta Dados " + kind);
        QVERIFY(!screen->isVisible());
        QCOMPARE(screen->lblReg()->text(), QString::number(rowFills.size()) + " Registros");

        const QJsonObject sheet = readBack(path);
        QCOMPARE(sheet["sheets"].toInt(), 1);
        QCOMPARE(sheet["header"].toVariant().toStringList(), header);
        QVERIFY(sheet["bold"].toBool());
        QCOMPARE(sheet["headerFills"].toVariant().toStringList(), QStringList{"F79646"});
        QCOMPARE(sheet["rows"].toInt(), rowFills.size() + 1);
        QCOMPARE(sheet["rowFills"].toVariant().toStringList(), rowFills);
        QCOMPARE(sheet["narrow"].toVariant().toStringList(), QStringList{});
        QCOMPARE(sheet["columnFills"].toVariant().toStringList(), QStringList{"FFFFFF"});
        for (const QString& cell : cells) {
            const QString where = cell.section(u'|', 0, 1);
            QCOMPARE(where + u'|' + sheet["cells"][where].toString(), cell);
        }
        for (const QString& format : formats) {
            const QString column = format.section(u'|', 0, 0);
            QCOMPARE(column + u'|' + sheet["formats"][column].toString(), format);
        }
        // No temporary file stays behind.
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System),
                 QStringList{QFileInfo(path).fileName()});
    }

    void secondExport_data() {
        QTest::addColumn<QString>("fault");
        QTest::newRow("replaces the first without asking") << QString();
        QTest::newRow("read-only folder keeps the first") << "read-only";
        QTest::newRow("a folder in the file's place stays") << "folder";
    }
    void secondExport() {
        QFETCH(QString, fault);
        auto screen = makeScreen(f->context, QStringLiteral("Cliente"));
        screen->show();
        exportNow(*screen, f->messages);
        const QString path = folder + QStringLiteral("/Cliente.xlsx");
        if (fault == QLatin1String("folder")) {
            QFile::remove(path);
            QVERIFY(QDir().mkpath(path + QStringLiteral("/dentro")));
        }
        const QByteArray before = contents(path);
        f->db->exec(QStringLiteral("UPDATE TB_Cliente SET cli_Nome = 'OUTRO'"));

        screen = makeScreen(f->context, QStringLiteral("Cliente"));
        screen->show();
        {
            std::optional<ReadOnlyFolder> locked;
            if (fault == QLatin1String("read-only"))
                locked.emplace(folder);
            exportNow(*screen, f->messages);
        }
        QCOMPARE(f->messages.count(), 2);
        if (fault.isEmpty()) {
            QCOMPARE(readBack(path)["cells"][QStringLiteral("2|cli_Nome")].toString(),
                     QStringLiteral("s:OUTRO"));
            return;
        }
        QCOMPARE(f->messages.last().icon, Icon::Critical);
        QVERIFY2(f->messages.last().text.contains(QStringLiteral("Não foi possível gravar")),
                 qPrintable(f->messages.last().text));
        QVERIFY(screen->isVisible());
        QVERIFY(screen->btnExportar()->isEnabled());
        QCOMPARE(contents(path), before);
        QCOMPARE(QFileInfo(path).isDir(), fault == QLatin1String("folder"));
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System).size(),
                 fault == QLatin1String("folder") ? 0 : 1);
    }

    void nothingToExport_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        QTest::newRow("customers") << "Cliente"
                                   << "TB_Cliente"
                                   << "Exportar dados dos Clientes"
                                   << "Não existe cliente cadastrado!!!";
        QTest::newRow("products") << "Produto"
                                  << "TB_Produto"
                                  << "Exportar dados dos Produtos"
                                  << "Não existe produto cadastrado!!!";
        QTest::newRow("orders") << "Pedido"
                                << "TB_Item"
                                << "Exportar dados dos Pedidos"
                                << "Não existe pedido cadastrado!!!";
    }
    void nothingToExport() {
        QFETCH(QString, kind);
        QFETCH(QString, table);
        QFETCH(QString, caption);
        QFETCH(QString, text);
        f->db->exec(QStringLiteral("DELETE FROM ") + table);
        auto screen = makeScreen(f->context, kind);
        screen->show();
        if (kind == QLatin1String("Pedido"))
            typePeriod(*screen, QStringLiteral("01/03/2026"), QStringLiteral("31/03/2026"));
        screen->btnExportar()->click();
        QCOMPARE(f->messages.count(), 1);
        QCOMPARE(f->messages.last().icon, Icon::Information);
        QCOMPARE(f->messages.last().caption, caption);
        QCOMPARE(f->messages.last().text, text);
        QVERIFY(!screen->isExporting());
        QVERIFY(screen->isVisible());
        QVERIFY(!QFileInfo::exists(folder));
    }

    void periodIsChecked_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("icon");
        QTest::addColumn<bool>("startBox");
        QTest::newRow("no start") << ""
                                  << "31/03/2026"
                                  << "Informe a data inicial" << int(Icon::Information) << true;
        QTest::newRow("bad start") << "31/02/2026"
                                   << "31/03/2026"
                                   << "Data inicial incorreta" << int(Icon::Warning) << true;
        QTest::newRow("half a start") << "01/03"
                                      << "31/03/2026"
                                      << "Data inicial incorreta" << int(Icon::Warning) << true;
        QTest::newRow("no end") << "01/03/2026"
                                << ""
                                << "Informe a data final" << int(Icon::Information) << false;
        QTest::newRow("bad end") << "01/03/2026"
                                 << "12/13/2026"
                                 << "Data final incorreta" << int(Icon::Warning) << false;
    }
    void periodIsChecked() {
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(QString, text);
        QFETCH(int, icon);
        QFETCH(bool, startBox);
        frmExporta_Dados_Pedido screen(f->context);
        screen.show();
        typePeriod(screen, start, end);
        screen.btnExportar()->click();
        QCOMPARE(f->messages.count(), 1);
        QCOMPARE(f->messages.last().caption, QStringLiteral("Aviso"));
        QCOMPARE(f->messages.last().text, text);
        QCOMPARE(int(f->messages.last().icon), icon);
        QLineEdit* box = startBox ? screen.mskData_Inicio() : screen.mskData_Fim();
        QCOMPARE(box->displayText(), QStringLiteral("__/__/____"));
        QCOMPARE(screen.focusWidget(), box);
        QVERIFY(!screen.isExporting());
    }
};

BRISKO_DB_SCREEN_TEST_MAIN(TestfrmExporta_Dados)
#include "TestfrmExporta_Dados.moc"
