#include "BenchOptions.h"
#include "BenchRegistry.h"
#include "CallerIdBench.h"
#include "ExportBench.h"
#include "LookupBench.h"
#include "MasterDataBench.h"
#include "OrderBench.h"
#include "ReportBench.h"
#include "StartupBench.h"
#include "StoredOrderBench.h"
#include "SyncBench.h"
#include "app/DataGenerator.h"
#include "data/Database.h"
#include "data/Schema.h"

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <optional>

namespace {

constexpr quint64 kSeed = 20240615;

// Benchmarks run from here; a new theme adds its register...Operations call.
void registerOperations(BenchRegistry& registry, Database& db, std::mt19937_64& random) {
    registerLookupOperations(registry, db, random);
    registerMasterDataOperations(registry, db, random);
    registerOrderOperations(registry, db, random);
    registerStoredOrderOperations(registry, db, random);
    registerCallerIdOperations(registry);
    registerExportOperations(registry, db);
    registerReportOperations(registry, db);
}

qint64 customerCount(Database& db) {
    return db.scalar(QStringLiteral("SELECT count(*) FROM TB_Cliente")).toLongLong();
}

} // namespace

int main(int argc, char** argv) {
    // The reports paint their pages: fonts without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QString error;
    const auto options = BenchOptions::parse(app.arguments(), error);
    if (!options) {
        std::fputs(qPrintable(error), stderr);
        return 2;
    }
    try {
        std::optional<QTemporaryDir> scratch;
        ConnectionSpec spec;
        if (options->engine == ConnectionSpec::Engine::Postgres) {
            const auto pg = ConnectionSpec::fromPostgresUri(options->uri);
            if (!pg) {
                std::fputs("--uri is not a postgresql:// URI\n", stderr);
                return 2;
            }
            spec = *pg;
        } else if (options->file.isEmpty()) {
            scratch.emplace(QDir::temp().filePath(QStringLiteral("brisko-bench-XXXXXX")));
            spec = ConnectionSpec::sqlite(scratch->filePath(QStringLiteral("bench.db")));
        } else {
            spec = ConnectionSpec::sqlite(options->file);
        }

        std::printf("database: %s\n", qPrintable(spec.describe()));
        auto db = Database::open(spec, Database::OpenMode::CreateIfMissing);
        if (customerCount(*db) == 0) {
            std::printf("generating %d customers and %d orders...\n", options->customers,
                        options->orders);
            std::fflush(stdout);
            if (!DataGenerator(*db, kSeed)
                     .generate(
                         DataGenerator::Profile::benchmark(options->customers, options->orders))) {
                std::fputs("the database holds other data: give an empty one\n", stderr);
                return 1;
            }
        } else {
            std::printf("using the data already there\n");
        }
        std::printf("customers %lld, orders %lld, items %lld\n\n",
                    static_cast<long long>(customerCount(*db)),
                    db->scalar(QStringLiteral("SELECT count(*) FROM TB_Pedido")).toLongLong(),
                    db->scalar(QStringLiteral("SELECT count(*) FROM TB_Item")).toLongLong());

        if (options->child == QLatin1String("listing"))
            return listEveryOrder(*db);
        if (!options->syncRemote.isEmpty()) {
            std::fputs(qPrintable(syncReport(*db, options->syncRemote, options->syncEmpresa,
                                             options->syncDailyRuns)),
                       stdout);
            return 0;
        }

        std::mt19937_64 random(kSeed + 1);
        BenchRegistry registry;
        registerOperations(registry, *db, random);
        QList<BenchResult> results;
        QStringList notes;
        for (std::size_t i = 0; i < registry.operations().size(); ++i) {
            const BenchOperation& operation = registry.operations().at(i);
            const BenchExtras& extras = registry.extras().at(i);
            const QStringList wanted = options->only.split(QLatin1Char('|'));
            if (std::none_of(wanted.cbegin(), wanted.cend(), [&](const QString& text) {
                    return operation.name.contains(text, Qt::CaseInsensitive);
                }))
                continue;
            results << measure(operation, extras.warmUpRuns);
            if (extras.note)
                notes << operation.name + QStringLiteral(": ") + extras.note();
        }
        std::fputs(qPrintable(formatResults(results)), stdout);
        for (const QString& note : notes)
            std::printf("%s\n", qPrintable(note));
        if (options->startupRuns > 0) {
            std::printf("\n");
            std::fflush(stdout);
            std::fputs(qPrintable(startupReport(options->startupRuns)), stdout);
        }
        return 0;
    } catch (const DbError& e) {
        std::fprintf(stderr, "database error %d (%s): %s\n", e.number(), qPrintable(e.source()),
                     qPrintable(e.description()));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
    }
    return 1;
}
