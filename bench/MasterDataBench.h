#pragma once

#include <random>

class BenchRegistry;
class Database;

// The customer registry as the attendant uses it: the lookup dialog refilled after a
// keystroke, order figures included, and the save of a new customer. `db` and `random` must
// outlive the registry's runs.
void registerMasterDataOperations(BenchRegistry& registry, Database& db, std::mt19937_64& random);
