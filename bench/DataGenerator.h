#pragma once

#include <QString>
#include <QStringList>
#include <random>
#include <vector>

class Database;

// Fills an empty database with a realistic data set: the price list, users, delivery persons,
// customers with Brazilian names, streets and telephones, and orders of about three items.
// Rows go in big transactions through prepared statements; progress goes to stderr.
class DataGenerator {
public:
    DataGenerator(Database& db, quint64 seed);
    void generate(int customers, int orders);

private:
    struct Product {
        QString name;
        QString category;
        qint64 price;
    };
    struct Customer {
        QString telephone, name, type, street, number, complement, district, cep, remark;
    };

    void priceList();
    void staff();
    void customers(int count);
    void orders(int count);

    QString pick(const QStringList& list);
    int between(int low, int high);
    Customer makeCustomer(int index);

    Database& m_db;
    std::mt19937_64 m_random;
    std::vector<Product> m_products;
    std::vector<Customer> m_customers;
    QStringList m_deliveryPersons;
};
