#pragma once

class BenchRegistry;
class Database;

// Reports: the screens' combo fills; each report for the last whole month and over every
// order, from the queries to the first page painted as the preview shows it; a page turn and
// a jump to the end of the biggest one; its PDFs; the preview's memory with every order.
// `db` must outlive the runs.
void registerReportOperations(BenchRegistry& registry, Database& db);
