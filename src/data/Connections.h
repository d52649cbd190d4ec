#pragma once

#include "data/ConnectionSpec.h"

#include <memory>

class Database;

// The program's connection to its database, opened when first needed and again after it was
// closed (a user switch closes it; a share that was unreachable may come back).
class Connections {
public:
    explicit Connections(const ConnectionSpec& spec);
    ~Connections();
    Connections(const Connections&) = delete;
    Connections& operator=(const Connections&) = delete;

    // Opens when closed; throws DbError when the database cannot be opened.
    Database& db();
    bool isOpen() const { return m_db != nullptr; }
    void close();
    const ConnectionSpec& spec() const { return m_spec; }

private:
    ConnectionSpec m_spec;
    std::unique_ptr<Database> m_db;
};
