// ctest-label: db
#include "data/Schema.h"
#include "management/PagedReportRows.h"
#include "management/ReportQueries.h"
#include "management/ReportRenderer.h"
#include "support/TestDatabase.h"

#include <QGuiApplication>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace relatorios;

Q_DECLARE_METATYPE(relatorios::CriterioPedidos)

namespace {

const QDate kHoje(2024, 3, 7);

// The text of every page, blanks collapsed so columns read as "a b c".
QStringList pdfPages(const ReportRenderer& renderer, const QString& path) {
    if (!renderer.writePdf(path))
        return {};
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(120000) || pdftotext.exitCode() != 0)
        return {};
    QStringList pages =
        QString::fromUtf8(pdftotext.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    static const QRegularExpression blanks(QStringLiteral("[ \\t]+"));
    static const QRegularExpression edges(QStringLiteral("^ | $"),
                                          QRegularExpression::MultilineOption);
    static const QRegularExpression emptyLines(QStringLiteral("\\n+"));
    for (QString& page : pages)
        page.replace(blanks, QStringLiteral(" "))
            .replace(edges, QString())
            .replace(emptyLines, "\n");
    return pages;
}

Periodo periodo(int d1, int d2) {
    return {QDate(2024, 3, d1), QDate(2024, 3, d2)};
}

// The share of inked pixels that differ. A pixel differs when nothing within one pixel of it
// in the other image is within 96 grey levels: hinting moves glyph edges by a pixel, a moved
// band or a missing text leaves whole glyphs unmatched.
double differingShare(const QImage& actual, const QImage& golden) {
    if (actual.size() != golden.size())
        return 1.0;
    const QImage a = actual.convertToFormat(QImage::Format_Grayscale8);
    const QImage b = golden.convertToFormat(QImage::Format_Grayscale8);
    const auto unmatched = [](const QImage& x, const QImage& y, int px, int py) {
        const int v = x.constScanLine(py)[px];
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const int nx = px + dx, ny = py + dy;
                if (nx >= 0 && ny >= 0 && nx < y.width() && ny < y.height() &&
                    qAbs(y.constScanLine(ny)[nx] - v) <= 96)
                    return false;
            }
        return true;
    };
    qint64 ink = 0, differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            ink += a.constScanLine(y)[x] < 200 || b.constScanLine(y)[x] < 200;
            differing += unmatched(a, b, x, y) || unmatched(b, a, x, y);
        }
    return double(differing) / double(qMax<qint64>(ink, 1));
}

} // namespace

class TestReports : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void layouts_data();
    void layouts();
    void pedidosCriteria_data();
    void pedidosCriteria();
    void pagedDetail_data();
    void pagedDetail();
    void goldenPages_data();
    void goldenPages();
    void sixtyThousandRows();
    void olderDatabaseGetsTheIndexes();

private:
    ReportRenderer build(const QString& report) const;

    std::unique_ptr<TestDatabase> m_fixture;
    std::unique_ptr<Database> m_db;
    QTemporaryDir m_dir;
};

void TestReports::initTestCase() {
    m_fixture = std::make_unique<TestDatabase>();
    m_db = m_fixture->create();
    const auto date = [](int y, int m, int d) { return Database::dateValue(QDate(y, m, d)); };
    const QList<QVariantList> pedidos{
        {1, date(2024, 3, 3), QStringLiteral("Dinheiro"), 1000, QStringLiteral("ENTREGUE"),
         QStringLiteral("João")},
        {2, date(2024, 3, 4), QStringLiteral("Dinheiro"), 2550, QStringLiteral("ENTREGUE"),
         QStringLiteral("João")},
        {3, date(2024, 3, 4), QStringLiteral("Cartão"), 123456, QStringLiteral("ENTREGUE"),
         QStringLiteral("Maria")},
        {4, date(2024, 3, 5), QStringLiteral("Cartão"), 0, QStringLiteral("CANCELADO"), QString()},
        {5, date(2024, 3, 6), QStringLiteral("Pix"), 4000, QStringLiteral("ENTREGUE"),
         QStringLiteral("Maria")},
    };
    for (const QVariantList& p : pedidos)
        m_db->exec(
            QStringLiteral("INSERT INTO TB_Pedido (ped_ono, ped_data, ped_Forma_Pagamento, "
                           "ped_Total, ped_Status, ped_Entregador) VALUES (?, ?, ?, ?, ?, ?)"),
            p);
    const QList<QVariantList> itens{
        {2, QStringLiteral("Calabresa"), 2, 2550, QStringLiteral("Pizza")},
        {3, QStringLiteral("Portuguesa"), 1, 3000, QStringLiteral("Pizza")},
        {3, QStringLiteral("Calabresa"), 1, 1275, QStringLiteral("Pizza")},
        {3, QStringLiteral("Coca-Cola"), 3, 1800, QStringLiteral("Bebida")},
        {4, QStringLiteral("Calabresa"), 5, 6375, QStringLiteral("Pizza")},
        {5, QStringLiteral("Coca-Cola"), 1, 600, QStringLiteral("Bebida")},
    };
    for (const QVariantList& i : itens)
        m_db->exec(
            QStringLiteral("INSERT INTO TB_Item (ite_Ono, ite_Nome, ite_Quantidade, ite_Total, "
                           "ite_cat) VALUES (?, ?, ?, ?, ?)"),
            i);
    for (const QString& c :
         {QStringLiteral("Bebida"), QStringLiteral("Pizza"), QStringLiteral("Doce")})
        m_db->exec(QStringLiteral("INSERT INTO TB_Categoria (cat_ID, cat_Categoria) VALUES "
                                  "((SELECT count(*) + 1 FROM TB_Categoria), ?)"),
                   {c});
    m_db->exec(QStringLiteral("INSERT INTO TB_Produto (Pro_ID, pro_Categoria, pro_Produto, "
                              "Pro_Preco, Pro_Descricao) VALUES (1, 'Pizza', 'Calabresa', 127550, "
                              "'Molho, calabresa'), (2, 'Bebida', 'Coca-Cola', 600, 'Lata')"));
    m_db->exec(QStringLiteral("INSERT INTO TB_Cliente (cli_ID, cli_Telefone, cli_Nome, cli_Bairro, "
                              "cli_Data_Nasc) VALUES (1, '1111', 'Ana', 'Centro', ?), (2, '2222', "
                              "'Bia', 'Lapa', ?), (3, '3333', 'Caio', 'Sé', ?)"),
               {date(1990, 3, 20), date(1985, 3, 25), date(1980, 7, 1)});
}

void TestReports::cleanupTestCase() {
    m_db.reset();
    m_fixture.reset();
}

ReportRenderer TestReports::build(const QString& report) const {
    auto rows = [](ReportTable t) { return std::make_shared<const ReportTable>(std::move(t)); };
    Database& db = *m_db;
    if (report == u"produtos") {
        ReportLayout layout = reportLayouts::produtos();
        layout.title = titulo(kHoje);
        return {layout, rows(produtos(db, OrdemProduto::Preco))};
    }
    if (report == u"aniversariantes") {
        ReportLayout layout = reportLayouts::clientes();
        layout.title = titulo(kHoje);
        return {layout, rows(clientes(db, OrdemCliente::Aniversariante, 3))};
    }
    if (report == u"pagamento")
        return {layoutComPeriodo(reportLayouts::formaPagamento(), periodo(4, 5), kHoje),
                rows(formasPagamento(db, QString(), periodo(4, 5)))};
    if (report == u"pagamentoCartao")
        return {layoutComPeriodo(reportLayouts::formaPagamento(), std::nullopt, kHoje),
                rows(formasPagamento(db, QStringLiteral("Cartão"), std::nullopt))};
    if (report == u"entregador")
        return {layoutComPeriodo(reportLayouts::entregador(), periodo(4, 5), kHoje),
                entregas(db, QString(), periodo(4, 5))};
    if (report == u"vendas")
        return {layoutVendas(QString(), std::nullopt, kHoje),
                rows(vendasPorCategoria(db, QString(), std::nullopt))};
    if (report == u"pedidosLongo") {
        auto table = std::make_shared<ReportTable>(
            QStringList{"ped_Ono", "ped_Data", "ped_Total", "ped_Forma_Pagamento", "ped_Status"});
        for (int i = 1; i <= 120; ++i)
            table->append({i, QStringLiteral("2024-03-04"), 1000 + i, QStringLiteral("Pix"),
                           QStringLiteral("ENTREGUE")});
        RelatorioPedidos relatorio;
        relatorio.quantidade = 120;
        relatorio.total = Money::fromCents(table->sum(2, 0, 119));
        relatorio.resumo << ResumoForma{QStringLiteral("Pix"), 120, relatorio.total};
        return {layoutPedidos(relatorio, kHoje), table};
    }
    if (report == u"vendasPizza")
        return {layoutVendas(QStringLiteral("Pizza"), periodo(4, 4), kHoje),
                rows(vendasPorCategoria(db, QStringLiteral("Pizza"), periodo(4, 4)))};
    const RelatorioPedidos pedidosTodos = pedidos(db, {}, OrdemPedido::Codigo);
    return {layoutPedidos(pedidosTodos, kHoje), pedidosTodos.detalhe};
}

void TestReports::layouts_data() {
    QTest::addColumn<QString>("report");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QStringList>("absent");
    const QString pagina = QStringLiteral("Página 1 de 1");
    QTest::newRow("products by price")
        << "produtos"
        << QStringList{"quinta-feira, 7 de março de 2024",
                       "Relatório Todos Produtos",
                       "Código Categoria Produto Descrição Preço",
                       "2 Bebida Coca-Cola Lata R$ 6,00\n",
                       "1 Pizza Calabresa Molho, calabresa R$ 1.275,50",
                       pagina}
        << QStringList{};
    QTest::newRow("birthdays of March by birth date")
        << "aniversariantes"
        << QStringList{"Relatório Todos Clientes",
                       "Codigo Telefone Nome Endereço Número Complemento Bairro Cidade Data Nasc.",
                       "2 2222 Bia Lapa 25/03/1985\n1 1111 Ana Centro 20/03/1990", pagina}
        << QStringList{"Caio"};
    QTest::newRow("payment methods over two days")
        << "pagamento"
        << QStringList{"Relatório de Forma de Pagamento",
                       "Período: De 04/03/2024 a 05/03/2024",
                       "Forma de Pagamento Valor",
                       "Cartão R$ 1.234,56",
                       "Dinheiro R$ 25,50",
                       "Total R$ 1.260,06",
                       pagina}
        << QStringList{"Pix"};
    QTest::newRow("one payment method, every day")
        << "pagamentoCartao"
        << QStringList{"Período: Todos", "Cartão R$ 1.234,56", "Total R$ 1.234,56"}
        << QStringList{"Dinheiro"};
    QTest::newRow("couriers over two days, the order without one first")
        << "entregador"
        << QStringList{"Relatório de Entregador",
                       "Período: De 04/03/2024 a 05/03/2024",
                       "Entregador N. Pedido Status Valor",
                       "4 CANCELADO R$ 0,00\nJoão 2 ENTREGUE R$ 25,50\nMaria 3 ENTREGUE R$ "
                       "1.234,56",
                       "Total R$ 1.260,06",
                       pagina}
        << QStringList{"Pix"};
    QTest::newRow("orders with the summary per payment method")
        << "pedidos"
        << QStringList{"Relatório de Pedidos",
                       "Pedido Data Pedido Valor Pedido Forma Pgto. Staus",
                       "1 03/03/2024 R$ 10,00 Dinheiro ENTREGUE",
                       "4 05/03/2024 R$ 0,00 Cartão CANCELADO",
                       "Forma de Pagamento Quantidade Soma Total",
                       "Cartão 2 R$ 1.234,56\nDinheiro 2 R$ 35,50\nPix 1 R$ 40,00",
                       "Pedidos 5 Valor Total R$ 1.310,06",
                       pagina}
        << QStringList{};
    QTest::newRow("sales per category, cancelled orders left out")
        << "vendas"
        << QStringList{"Relatório de Venda por Categoria",
                       "Categoria Produto Quantidade Total",
                       "Bebida Coca-Cola 4 R$ 24,00\nSubtotal 4 R$ 24,00",
                       "Pizza Calabresa 3 R$ 38,25\nPizza Portuguesa 1 R$ 30,00\nSubtotal 4 R$ "
                       "68,25",
                       "Total Geral 8 R$ 92,25",
                       pagina}
        << QStringList{"Período de", "Categoria :"};
    QTest::newRow("sales of one category on one day")
        << "vendasPizza"
        << QStringList{"Período de 04/03/2024 até 04/03/2024", "Categoria : Pizza",
                       "Pizza Calabresa 3 R$ 38,25", "Total Geral 4 R$ 68,25"}
        << QStringList{"Bebida"};
}

void TestReports::layouts() {
    QFETCH(QString, report);
    QFETCH(QStringList, expected);
    QFETCH(QStringList, absent);
    const QStringList pages = pdfPages(build(report), m_dir.filePath(report + ".pdf"));
    QCOMPARE(int(pages.size()), 1);
    for (const QString& text : expected)
        QVERIFY2(pages.first().contains(text), qPrintable(text + " not in:\n" + pages.first()));
    for (const QString& text : absent)
        QVERIFY2(!pages.first().contains(text), qPrintable(text));
}

void TestReports::pedidosCriteria_data() {
    QTest::addColumn<CriterioPedidos>("criterio");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("formas");
    QTest::newRow("only cancelled") << CriterioPedidos{periodo(5, 5), {}} << 1 << "R$ 0,00"
                                    << "Cartão";
    QTest::newRow("both days included") << CriterioPedidos{periodo(3, 4), {}} << 3 << "R$ 1.270,06"
                                        << "Cartão,Dinheiro";
    QTest::newRow("no order in the period")
        << CriterioPedidos{periodo(20, 31), {}} << 0 << "R$ 0,00"
        << "";
    QTest::newRow("number range") << CriterioPedidos{{}, FaixaPedidos{2, 4}} << 3 << "R$ 1.260,06"
                                  << "Cartão,Dinheiro";
}

void TestReports::pedidosCriteria() {
    QFETCH(CriterioPedidos, criterio);
    QFETCH(int, count);
    const RelatorioPedidos r = pedidos(*m_db, criterio, OrdemPedido::Preco);
    QCOMPARE(r.detalhe->rowCount(), count);
    QCOMPARE(r.quantidade, count);
    QTEST(r.total.format(), "total");
    QStringList formas;
    for (const ResumoForma& f : r.resumo)
        formas << f.forma;
    QTEST(formas.join(','), "formas");
    // By price: the cheapest first.
    const int total = r.detalhe->columnIndex(QStringLiteral("PED_TOTAL"));
    for (int row = 1; row < count; ++row)
        QVERIFY(r.detalhe->value(row - 1, total).toLongLong() <=
                r.detalhe->value(row, total).toLongLong());
}

void TestReports::pagedDetail_data() {
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<bool>("period");
    QTest::addColumn<int>("blockRows");
    QTest::addColumn<QList<int>>("reads");
    QTest::addColumn<QList<int>>("orders");
    const QStringList byNumber{"ped_Ono"}, byPrice{"ped_Total", "ped_Ono"};
    QTest::newRow("by number, forward")
        << byNumber << false << 2 << QList<int>{0, 1, 2, 3, 4} << QList<int>{1, 2, 3, 4, 5};
    QTest::newRow("by price, forward")
        << byPrice << false << 2 << QList<int>{0, 1, 2, 3, 4} << QList<int>{4, 1, 2, 5, 3};
    QTest::newRow("by price, back and forth")
        << byPrice << false << 1 << QList<int>{4, 3, 2, 1, 0, 1, 2, 3, 4}
        << QList<int>{3, 5, 2, 1, 4, 1, 2, 5, 3};
    QTest::newRow("by price, jumps") << byPrice << false << 2 << QList<int>{4, 0, 3, 2, 1, 5, -1}
                                     << QList<int>{3, 4, 5, 2, 1, 0, 0};
    QTest::newRow("by courier, the one without first")
        << QStringList{"COALESCE(ped_Entregador, '')", "ped_Ono"} << false << 1
        << QList<int>{0, 1, 2, 3, 4, 2} << QList<int>{4, 1, 2, 3, 5, 2};
    QTest::newRow("by price within a period")
        << byPrice << true << 1 << QList<int>{0, 1, 2, 1} << QList<int>{4, 2, 3, 2};
}

// Blocks read by key after the previous block and by offset after a jump give the rows of
// the one ordering; a position past either end gives nothing.
void TestReports::pagedDetail() {
    QFETCH(QStringList, keys);
    QFETCH(bool, period);
    QFETCH(int, blockRows);
    QFETCH(QList<int>, reads);
    QFETCH(QList<int>, orders);
    PagedReportRows::Query query{
        {"ped_Ono", "ped_Total", "COALESCE(ped_Entregador, '') AS entregador"},
        "TB_Pedido",
        {},
        {},
        keys};
    if (period) {
        query.where << "ped_data BETWEEN ? AND ?";
        query.binds << Database::dateValue(QDate(2024, 3, 4))
                    << Database::dateValue(QDate(2024, 3, 5));
    }
    const PagedReportRows rows([this]() -> Database& { return *m_db; }, query, period ? 3 : 5, {},
                               blockRows);
    QList<int> read;
    for (int row : reads)
        read << rows.value(row, 0).toInt();
    QCOMPARE(read, orders);
}

// Each layout's page against a reviewed image; the comparison itself must see a band moved
// by a sixth of an inch and another report's texts.
void TestReports::goldenPages_data() {
    QTest::addColumn<QString>("report");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("golden");
    QTest::addColumn<int>("shift");
    QTest::addColumn<bool>("same");
    for (const char* report :
         {"produtos", "aniversariantes", "pagamento", "entregador", "pedidos", "vendas"})
        QTest::newRow(report) << report << 0 << report << 0 << true;
    QTest::newRow("second page of a long one")
        << "pedidosLongo" << 1 << "pedidosLongo" << 0 << true;
    QTest::newRow("moved band") << "produtos" << 0 << "produtos" << 12 << false;
    QTest::newRow("other texts") << "pagamentoCartao" << 0 << "pagamento" << 0 << false;
}

void TestReports::goldenPages() {
    QFETCH(QString, report);
    QFETCH(int, page);
    QFETCH(QString, golden);
    QFETCH(int, shift);
    QFETCH(bool, same);
    constexpr double kDpi = 72;
    constexpr double kAllowed = 0.02;
    QImage image = build(report).pageImage(page, kDpi).convertToFormat(QImage::Format_Grayscale8);
    if (shift != 0) {
        QImage moved(image.size(), image.format());
        moved.fill(Qt::white);
        QPainter(&moved).drawImage(0, shift, image);
        image = moved;
    }
    const QString path = QStringLiteral(BRISKO_TEST_SOURCE_DIR "/management/golden/%1-%2.png")
                             .arg(golden)
                             .arg(page + 1);
    if (same && qEnvironmentVariableIsSet("BRISKO_UPDATE_GOLDEN"))
        QVERIFY(image.save(path));
    const double share = differingShare(image, QImage(path));
    if (same && share > kAllowed) {
        const QString actual = QDir::temp().filePath(QFileInfo(path).fileName());
        image.save(actual);
        QFAIL(qPrintable(QStringLiteral("%1 of the ink differs from %2; this page: %3")
                             .arg(share)
                             .arg(path, actual)));
    }
    QCOMPARE(share <= kAllowed, same);
}

// Header on every page, each row exactly once, the report footer once on the last page, and
// the count the pages print is the count the PDF has.
void TestReports::sixtyThousandRows() {
    auto table = std::make_shared<ReportTable>(
        QStringList{"ped_Ono", "ped_Data", "ped_Total", "ped_Forma_Pagamento", "ped_Status"});
    constexpr int kRows = 60000;
    for (int i = 1; i <= kRows; ++i)
        table->append({i, QStringLiteral("2024-03-04"), 1000, QStringLiteral("Pix"),
                       QStringLiteral("ENTREGUE")});
    RelatorioPedidos relatorio;
    relatorio.total = Money::fromCents(1000LL * kRows);
    relatorio.resumo << ResumoForma{QStringLiteral("Pix"), kRows, relatorio.total};
    relatorio.detalhe = table;
    relatorio.quantidade = kRows;
    const ReportRenderer renderer(layoutPedidos(relatorio, kHoje), table);
    const QStringList pages = pdfPages(renderer, m_dir.filePath("big.pdf"));
    const int count = renderer.pageCount();
    QVERIFY(count > 500);
    QCOMPARE(int(pages.size()), count);
    static const QRegularExpression order(
        QStringLiteral("\\n(\\d+) 04/03/2024 R\\$ 10,00 Pix ENTREGUE"));
    int next = 1;
    for (int p = 0; p < count; ++p) {
        const QString& page = pages.at(p);
        QVERIFY2(page.contains("Pedido Data Pedido Valor Pedido Forma Pgto. Staus"),
                 qPrintable(QString::number(p)));
        QVERIFY(page.contains(QStringLiteral("Página %1 de %2").arg(p + 1).arg(count)));
        QCOMPARE(page.contains("Relatório de Pedidos"), p == 0);
        QCOMPARE(page.contains("Valor Total"), p == count - 1);
        for (auto it = order.globalMatch(page); it.hasNext();)
            QCOMPARE(it.next().captured(1).toInt(), next++);
    }
    QCOMPARE(next, kRows + 1);
    QVERIFY(pages.last().contains("Pedidos 60000 Valor Total R$ 600.000,00"));
}

// The report indexes reach a database made before them.
void TestReports::olderDatabaseGetsTheIndexes() {
    TestDatabase fixture;
    const QStringList names{"ix_pedido_data_relatorio", "ix_item_cat", "ix_pedido_forma"};
    {
        auto db = fixture.create();
        for (const QString& name : names)
            db->exec("DROP INDEX " + name);
        db->exec("UPDATE brisko_schema_version SET version = 1");
    }
    auto db = fixture.openAnother();
    QCOMPARE(Schema::version(*db), Schema::kVersion);
    const QString count = db->engine() == Database::Engine::Sqlite
                              ? "SELECT count(*) FROM sqlite_master WHERE name IN (?, ?, ?)"
                              : "SELECT count(*) FROM pg_indexes WHERE indexname IN (?, ?, ?)";
    QCOMPARE(db->scalar(count, {names.at(0), names.at(1), names.at(2)}).toInt(), 3);
}

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    TestDatabase::skipIfUnavailable();
    TestReports tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "TestReports.moc"
