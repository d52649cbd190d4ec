#pragma once

class Database;

// Items sold, added up per day and product and per telephone and product, kept by triggers
// on TB_Pedido and TB_Item so that every writer keeps them right. A cancelled order counts
// for nothing. Each row holds, for the items it adds up: their count, the sum and the count
// of non-null quantities and totals, so that a group of null values still reads null. Rows
// are only ever added to; a key whose items are all gone keeps a row with a zero count.
namespace salesSummary {

inline constexpr char kPorDia[] = "TB_Resumo_Venda_Dia";
inline constexpr char kPorTelefone[] = "TB_Resumo_Venda_Telefone";

// Creates the tables, fills them from the stored orders and installs the triggers.
void create(Database& db);
// Installs the triggers again, after a table was rebuilt; nothing when the tables are missing.
void installTriggers(Database& db);
void dropTriggers(Database& db);

} // namespace salesSummary
