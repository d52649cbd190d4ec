#pragma once

#include "data/Transaction.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>
#include <random>
#include <vector>

class Database;

// Fills an empty database with a realistic data set: the price list, users, delivery persons,
// customers with Brazilian names, streets and telephones, and orders of about three items
// whose dates rise with their numbers up to the last day. Rows go in big transactions through
// prepared statements; progress, when shown, goes to stderr.
class DataGenerator {
public:
    struct Profile {
        int customers = 0;
        int orders = 0;
        int ordersPerDay = 1;
        int deliveryPersons = 8;
        // The benchmarks' long price list; otherwise a small pizzeria's.
        bool fullPriceList = true;

        static Profile benchmark(int customers, int orders);
        // A few hundred customers and a few weeks of orders: for trying the program.
        static Profile sample();
    };

    // The sample users' login names and their common password.
    static const QStringList kSampleUsers;
    static inline const QString kSamplePassword = QStringLiteral("1234");

    DataGenerator(Database& db, quint64 seed, bool showProgress = true);
    // False, with nothing written, when the database already holds data. A data set that
    // fits in one transaction is written all or nothing.
    bool generate(const Profile& profile, const QDate& lastDay = QDate::currentDate());

private:
    struct Product {
        QString name;
        QString category;
        qint64 price;
    };
    struct Customer {
        QString telephone, name, type, street, number, complement, district, cep, remark;
    };

    bool isEmpty();
    void priceList(bool full);
    void staff(int deliveryPersons, const QString& passwordHash);
    void customers(int count);
    void orders(int count, const QDate& firstDay, const QDate& lastDay);
    void row();

    QString pick(const QStringList& list);
    int between(int low, int high);
    Customer makeCustomer(int index);
    const Product& pickProduct(const std::vector<const Product*>& products);

    Database& m_db;
    std::mt19937_64 m_random;
    bool m_showProgress;
    std::optional<Transaction> m_transaction;
    qint64 m_rows = 0;
    std::vector<Product> m_products;
    std::vector<Customer> m_customers;
    QStringList m_deliveryPersons;
};
