#pragma once

#include "data/ConnectionSpec.h"
#include "data/Database.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// A fresh, empty database on the engine named by BRISKO_TEST_ENGINE ("sqlite", the default,
// or "postgres"). SQLite: a file in a temporary folder. PostgreSQL: a new database on the
// server of BRISKO_TEST_PG, dropped when the fixture ends. Destroy every Database opened
// from the fixture before the fixture itself.
class TestDatabase {
public:
    static ConnectionSpec::Engine engineFromEnvironment();
    // Ends the process with CTest's skip code when the engine asked for cannot be reached.
    static void skipIfUnavailable();

    TestDatabase();
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    // The first connection: creates the database and its schema.
    std::unique_ptr<Database> create();
    // Another connection to the same database, as a second workstation would have.
    std::unique_ptr<Database> openAnother() const;
    const ConnectionSpec& spec() const { return m_spec; }
    // A spec that names this database in a form another process can be given.
    QString locator() const;
    static ConnectionSpec fromLocator(const QString& locator);

private:
    void runAdmin(const QString& sql) const;

    QTemporaryDir m_dir;
    ConnectionSpec m_spec;
    ConnectionSpec m_server;
};

// main() for database tests: skips when the engine is unavailable, then runs the cases.
#define BRISKO_DB_TEST_MAIN(TestClass)                                                             \
    int main(int argc, char** argv) {                                                              \
        QCoreApplication app(argc, argv);                                                          \
        TestDatabase::skipIfUnavailable();                                                         \
        TestClass tc;                                                                              \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }
