#include "data/Connections.h"

#include "data/Database.h"

Connections::Connections(const ConnectionSpec& spec) : m_spec(spec) {}

Connections::~Connections() = default;

Database& Connections::db() {
    if (!m_db) {
        m_db = Database::open(m_spec, Database::OpenMode::ExistingOnly);
    }
    return *m_db;
}

void Connections::close() {
    m_db.reset();
}
