#pragma once

#include <random>

class BenchRegistry;
class Database;

// Stored orders: the search screen's opening and keystrokes (first page), whole telephones
// and names, the number prefix, the history of a customer with 200 orders (made by copying
// orders when chosen), MostraPedido, a cancellation (durable commit) and the peak memory of a
// process listing every order. `db` and `random` must outlive the runs.
void registerStoredOrderOperations(BenchRegistry& registry, Database& db, std::mt19937_64& random);

// The child's side of the memory measurement: every order listed and scrolled to the end in
// a process that does nothing else. Prints the count; 0 when it went through.
int listEveryOrder(Database& db);
