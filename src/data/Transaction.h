#pragma once

class Database;

// One unit of work: everything written between construction and commit() lands together or
// not at all. On SQLite the write lock is taken at the start (BEGIN IMMEDIATE), so a lock
// held by another workstation surfaces here as DbError::kInUse after the lock wait.
// Transactions do not nest.
class Transaction {
public:
    explicit Transaction(Database& db);
    // Rolls back unless committed; never throws.
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();

private:
    Database& m_db;
    bool m_open = true;
};
