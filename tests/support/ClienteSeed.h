#pragma once

#include "data/Database.h"
#include "masterdata/ClienteStore.h"
#include "support/TestDatabase.h"

#include <memory>

// A customer with every field filled.
inline Cliente cliente(const QString& telefone, const QString& nome,
                       const QString& logradouro = QStringLiteral("DAS FLORES"),
                       const QString& tipo = QStringLiteral("RUA")) {
    return {0,
            telefone,
            nome,
            QStringLiteral("12.345.678-9"),
            tipo,
            logradouro,
            QStringLiteral("10A"),
            QStringLiteral("APTO 3"),
            QStringLiteral("CENTRO"),
            QStringLiteral("SÃO PAULO"),
            QStringLiteral("SP"),
            QStringLiteral("01001-000"),
            QDate(1980, 2, 29),
            QStringLiteral("a@b.com.br"),
            QStringLiteral("PORTÃO AZUL")};
}

inline QStringList nomes(const QList<Cliente>& list) {
    QStringList result;
    for (const Cliente& c : list)
        result << c.nome;
    return result;
}

// A fresh database with the customer store over it, and orders written as the order screen
// leaves them.
struct ClienteDb {
    TestDatabase fx;
    std::unique_ptr<Database> db = fx.create();
    ClienteStore store{*db};

    void addPedido(qint64 ono, const QString& telefone, const QDate& data, qint64 totalCents,
                   const QString& status) {
        db->exec(QStringLiteral("INSERT INTO TB_Pedido (ped_ono, ped_data, ped_cli_Telefone, "
                                "ped_Total, ped_Status) VALUES (?, ?, ?, ?, ?)"),
                 {ono, Database::dateValue(data), telefone, totalCents, status});
    }
    // `count` customers 9000-0000, 9000-0001...; names from `nome` with the index counted down.
    void addNumbered(int count, const QString& nome = QStringLiteral("NOME %1")) {
        for (int i = 0; i < count; ++i)
            store.insert(cliente(QStringLiteral("9000-%1").arg(i, 4, 10, QLatin1Char('0')),
                                 nome.arg(count - 1 - i, 3, 10, QLatin1Char('0'))));
    }
};
