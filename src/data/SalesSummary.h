#pragma once

#include <QString>

class Database;

// Items sold, added up per day and product, per product, and per telephone and product, for
// the orders up to a mark. Taking an order writes nothing here: the readers add the orders
// past the mark themselves, and catchUp() moves the mark now and then. Triggers keep the
// orders behind the mark right whoever changes them (a cancellation, a deletion). A cancelled
// order counts for nothing. Each row holds, for the items it adds up: their count, the sum and
// the count of non-null quantities and totals, so that a group of null values still reads
// null. Rows are only ever added to; a key whose items are all gone keeps a row with a zero
// count. A null category, name or telephone is kept as ''.
namespace salesSummary {

inline constexpr char kPorDia[] = "TB_Resumo_Venda_Dia";
inline constexpr char kPorProduto[] = "TB_Resumo_Venda_Produto";
inline constexpr char kPorTelefone[] = "TB_Resumo_Venda_Telefone";

// Creates the tables, fills them from the stored orders and installs the triggers.
void create(Database& db);
// Adds the orders taken since the last time, in a transaction of its own; nothing to do costs
// one read.
void catchUp(Database& db);
// A derived table of `table`'s rows and those of the orders past the mark, with the summary's
// column names; a key of the orders past the mark may be null where the summary holds ''.
QString withRecent(const QString& table);

// Installs the triggers again, after a table was rebuilt; nothing when the tables are missing.
void installTriggers(Database& db);
void dropTriggers(Database& db);

} // namespace salesSummary
