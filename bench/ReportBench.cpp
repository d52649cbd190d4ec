#include "ReportBench.h"

#include "BenchRegistry.h"
#include "data/Database.h"
#include "management/ReportQueries.h"
#include "management/ReportRenderer.h"
#include "management/ReportTable.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <ctime>
#include <memory>
#include <stdexcept>

using namespace relatorios;

namespace {

// The preview paints at the screen's resolution.
constexpr double kScreenDpi = 96;
const QDate kHoje(2024, 6, 15);

std::shared_ptr<const ReportRows> shared(ReportTable table) {
    return std::make_shared<const ReportTable>(std::move(table));
}

// A report as the screen opens it: its statements, its layout and pagination.
std::unique_ptr<ReportRenderer> open(Database& db, const QString& report,
                                     const std::optional<Periodo>& periodo,
                                     OrdemPedido ordem = OrdemPedido::Codigo) {
    if (report == u"pedidos") {
        CriterioPedidos criterio;
        criterio.periodo = periodo;
        const RelatorioPedidos r = pedidos(db, criterio, ordem);
        return std::make_unique<ReportRenderer>(layoutPedidos(r, kHoje), r.detalhe);
    }
    if (report == u"formas")
        return std::make_unique<ReportRenderer>(
            layoutComPeriodo(reportLayouts::formaPagamento(), periodo, kHoje),
            shared(formasPagamento(db, QString(), periodo)));
    if (report == u"entregas")
        return std::make_unique<ReportRenderer>(
            layoutComPeriodo(reportLayouts::entregador(), periodo, kHoje),
            entregas(db, QString(), periodo));
    return std::make_unique<ReportRenderer>(layoutVendas(QString(), periodo, kHoje),
                                            shared(vendasPorCategoria(db, QString(), periodo)));
}

void firstPage(const ReportRenderer& renderer) {
    if (renderer.pageImage(0, kScreenDpi).isNull())
        throw std::runtime_error("no first page");
}

// Peak memory and this process's CPU time (the machine is shared: wall time is not all ours).
struct MemoryNote {
    double startMb = 0;
    double peakMb = 0;
    std::clock_t cpuStart = 0;
    double cpuSeconds = 0;
    QString extra;
    void begin() {
        PeakMemory::reset();
        startMb = PeakMemory::statusMb("VmRSS");
        cpuStart = std::clock();
    }
    void end() {
        peakMb = std::max(peakMb, PeakMemory::statusMb("VmHWM"));
        cpuSeconds = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    }
    QString text() const {
        return QStringLiteral("peak resident %1 MB (%2 MB above the resident size at its start), "
                              "CPU %3 s in the last run%4")
            .arg(peakMb, 0, 'f', 1)
            .arg(peakMb - startMb, 0, 'f', 1)
            .arg(cpuSeconds, 0, 'f', 2)
            .arg(extra);
    }
};

} // namespace

void registerReportOperations(BenchRegistry& registry, Database& db) {
    registry.add({QStringLiteral("report: combo of payment methods"), 10.0, 200,
                  [&db] { formasPagamentoUsadas(db); }});
    registry.add(
        {QStringLiteral("report: combo of couriers"), 10.0, 200, [&db] { nomesEntregadores(db); }});
    registry.add({QStringLiteral("report: combo of categories sold"), 10.0, 200,
                  [&db] { categoriasVendidas(db); }});

    const QDate last =
        Database::dateFrom(db.scalar(QStringLiteral("SELECT MAX(ped_data) FROM TB_Pedido")));
    if (!last.isValid())
        return;
    const QDate monthEnd = QDate(last.year(), last.month(), 1).addDays(-1);
    const Periodo month{QDate(monthEnd.year(), monthEnd.month(), 1), monthEnd};
    const QString monthText = monthEnd.toString(QStringLiteral("MM/yyyy"));
    const struct {
        const char* report;
        const char* name;
        double monthTarget;
    } reports[] = {{"pedidos", "orders", 150.0},
                   {"formas", "payment methods", 80.0},
                   {"entregas", "couriers", 150.0},
                   {"vendas", "sales by category", 350.0}};
    for (const auto& r : reports) {
        const QString report = QLatin1String(r.report);
        registry.add({QStringLiteral("report: %1 of %2, queries + first page")
                          .arg(QLatin1String(r.name), monthText),
                      r.monthTarget, 20,
                      [&db, report, month] { firstPage(*open(db, report, month)); }},
                     {2, {}});
    }
    for (const auto& r : reports) {
        const QString report = QLatin1String(r.report);
        registry.add({QStringLiteral("report: %1 over every order, queries + first page")
                          .arg(QLatin1String(r.name)),
                      2000.0, 5, [&db, report] { firstPage(*open(db, report, std::nullopt)); }},
                     {1, {}});
    }
    registry.add({QStringLiteral("report: orders over every order by price, queries + first page"),
                  2000.0, 3,
                  [&db] {
                      firstPage(
                          *open(db, QStringLiteral("pedidos"), std::nullopt, OrdemPedido::Preco));
                  }},
                 {1, {}});

    // One preview of every order, shared by the page turns and the jump to its end.
    auto all = std::make_shared<std::unique_ptr<ReportRenderer>>();
    auto shown = std::make_shared<int>(0);
    const auto preview = [&db, all]() -> const ReportRenderer& {
        if (!*all)
            *all = open(db, QStringLiteral("pedidos"), std::nullopt);
        return **all;
    };
    registry.add({QStringLiteral("report: next page of every order"), 0, 400, [preview, shown] {
                      const ReportRenderer& r = preview();
                      *shown = (*shown + 1) % r.pageCount();
                      r.pageImage(*shown, kScreenDpi);
                  }});
    registry.add({QStringLiteral("report: a page far into every order (a jump)"), 0, 20,
                  [preview, shown] {
                      const ReportRenderer& r = preview();
                      *shown = (*shown + r.pageCount() / 7 + 1) % r.pageCount();
                      r.pageImage(*shown, kScreenDpi);
                  }},
                 {2, {}});

    // Every page in turn, as PgDn held down would show them, then the last page.
    auto previewMemory = std::make_shared<MemoryNote>();
    registry.add({QStringLiteral("report: preview of every order paged to the end"), 0, 1,
                  [&db, previewMemory] {
                      previewMemory->begin();
                      const auto r = open(db, QStringLiteral("pedidos"), std::nullopt);
                      for (int page = 0; page < r->pageCount(); ++page)
                          r->pageImage(page, kScreenDpi);
                      previewMemory->end();
                      previewMemory->extra = QStringLiteral(", %1 pages").arg(r->pageCount());
                  }},
                 {0, [previewMemory] { return previewMemory->text(); }});

    const auto folder = std::make_shared<QTemporaryDir>(
        QDir::temp().filePath(QStringLiteral("brisko-bench-report-XXXXXX")));
    const struct {
        QString name;
        std::optional<Periodo> periodo;
        double target;
        int runs;
    } pdfs[] = {{QStringLiteral("orders of ") + monthText, month, 3000.0, 3},
                {QStringLiteral("every order"), std::nullopt, 0, 1}};
    for (const auto& pdf : pdfs) {
        auto note = std::make_shared<MemoryNote>();
        const QString path = folder->filePath(QStringLiteral("relatorio.pdf"));
        const std::optional<Periodo> periodo = pdf.periodo;
        registry.add({QStringLiteral("report: PDF of ") + pdf.name, pdf.target, pdf.runs,
                      [&db, periodo, path, folder, note] {
                          note->begin();
                          const auto r = open(db, QStringLiteral("pedidos"), periodo);
                          if (!r->writePdf(path))
                              throw std::runtime_error("the PDF was not written");
                          note->end();
                          note->extra = QStringLiteral(", %1 pages, %2 MB")
                                            .arg(r->pageCount())
                                            .arg(QFile(path).size() / 1048576.0, 0, 'f', 1);
                      }},
                     {0, [note] { return note->text(); }});
    }
}
