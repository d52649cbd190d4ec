#include "data/Transaction.h"

#include "data/Database.h"

Transaction::Transaction(Database& db) : m_db(db) {
    m_db.begin();
}

Transaction::~Transaction() {
    if (m_open)
        m_db.rollback();
}

void Transaction::commit() {
    m_db.commit();
    m_open = false;
}
