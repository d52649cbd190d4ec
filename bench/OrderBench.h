#pragma once

#include <random>

class BenchRegistry;
class Database;

// Order taking: the customer and last fee on a call, the flavour list and its typed search,
// and storing a finished order (durable commit). `db` and `random` must outlive the runs.
void registerOrderOperations(BenchRegistry& registry, Database& db, std::mt19937_64& random);
