#pragma once

#include "management/PeriodCheck.h"

#include <QString>
#include <functional>
#include <optional>

class Database;

// The three spreadsheet exports: customers, products, and the order items of a period.
enum class ExportKind { Clientes, Produtos, Pedidos };

struct ExportRequest {
    ExportKind kind = ExportKind::Clientes;
    QString folder;
    // Orders only: the days whose items are exported.
    std::optional<Period> period;
};

struct ExportResult {
    QString path;
    qint64 rows = 0;
};

// Rows written so far and rows expected; may throw to stop the export.
using ExportProgress = std::function<void(qint64 done, qint64 total)>;

// "Cliente.xlsx", "Produto.xlsx", "Pedidos.xlsx".
QString exportFileName(ExportKind kind);

// Whether the export has anything at all to write (for orders: any item of any day). Reads
// at most one row.
bool exportHasRows(Database& db, ExportKind kind);

// Writes the export's worksheet into request.folder (created when missing), replacing an
// earlier file of the same name only once the new one is complete. Throws DbError.
ExportResult runExport(Database& db, const ExportRequest& request, const ExportProgress& progress);
