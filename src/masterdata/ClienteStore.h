#pragma once

#include "common/WriteOutcome.h"
#include "masterdata/Cliente.h"

#include <QHash>
#include <QList>
#include <QStringList>
#include <QVariantList>
#include <optional>

class Database;

// TB_Cliente. Telephones are compared exactly as stored (the screens store the formatted
// form), names and streets by the fold. Writes go by the code, so a change or a deletion
// never touches a second row.
class ClienteStore {
public:
    enum class Busca { Nome, Telefone, Endereco };
    // Every row: no LIMIT.
    static constexpr int kTodos = -1;

    explicit ClienteStore(Database& db) : m_db(db) {}

    bool isEmpty() const;
    std::optional<Cliente> find(qint64 codigo) const;
    // The customer with exactly this telephone text (each call of a ringing line: the
    // statement stays prepared on the connection).
    std::optional<Cliente> findByTelefone(const QString& telefone) const;
    // Whether a customer other than `exceptCodigo` (0: any) has the telephone.
    bool telefoneTaken(const QString& telefone, qint64 exceptCodigo = 0) const;

    // A page of customers by code.
    QList<Cliente> all(int limit = kTodos, int offset = 0) const;
    // A page of the customers whose name, telephone or street starts with `prefix`: names by
    // name, streets by street, telephones by code; an empty prefix lists everyone in that
    // order.
    QList<Cliente> search(Busca por, const QString& prefix, int limit = kTodos,
                          int offset = 0) const;
    // The figures of every telephone given, in one query; a telephone without orders maps to
    // an empty EstatisticaCliente.
    QHash<QString, EstatisticaCliente> estatisticas(const QStringList& telefones) const;

    // The new customer's code (`codigo` is ignored); none when the telephone is taken.
    std::optional<qint64> insert(const Cliente& cliente);
    // Every field but the code; marks the row for the online backup.
    // NameTaken: another customer has the telephone, the customers' key.
    WriteOutcome update(const Cliente& cliente);
    bool remove(qint64 codigo);

private:
    QList<Cliente> select(const QString& where, const QVariantList& binds, const QString& orderBy,
                          int limit, int offset) const;

    Database& m_db;
};
