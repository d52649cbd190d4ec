#pragma once

#include <random>

class BenchRegistry;
class Database;

// The attendant's lookups: a customer by telephone, and the first hundred customers whose
// name starts with what was typed. `db` and `random` must outlive the registry's runs.
void registerLookupOperations(BenchRegistry& registry, Database& db, std::mt19937_64& random);
