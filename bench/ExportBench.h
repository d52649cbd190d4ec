#pragma once

class BenchRegistry;
class Database;

// Spreadsheet exports: the empty check, every customer, the order items of the last whole
// month and of the last whole year of the data set, each timed and with its peak resident
// memory. `db` must outlive the runs.
void registerExportOperations(BenchRegistry& registry, Database& db);
