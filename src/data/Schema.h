#pragma once

#include "data/ConnectionSpec.h"

#include <QList>
#include <QString>
#include <QStringList>

class Database;

// The program's tables, in the column order the INSERT statements and the online backup use.
class Schema {
public:
    enum class ColumnKind {
        AutoId,     // automatic leading number no statement writes
        PrimaryKey, // key written by the program, never repeated
        UniqueKey,  // key written by the program next to an AutoId
        Integer,
        Money, // integer centavos
        Date,  // ISO text on SQLite, DATE on PostgreSQL
        Text,  // `width` characters, unbounded when 0
        Flag,  // fl_sincroniza: one character or NULL
    };
    struct Column {
        QString name;
        ColumnKind kind;
        int width = 0;
    };
    struct Table {
        QString name;
        QList<Column> columns;
        QStringList columnNames() const;
    };
    enum class IndexKey {
        Column,    // the column itself
        Fold,      // brisko_fold(column): case-insensitive equality and prefixes
        Search,    // brisko_search(column): case- and accent-blind prefix searches
        CodeOrder, // the column in code-point order, for prefix ranges on typed text
    };
    struct Index {
        QString name;
        QString table;
        QString column;
        IndexKey key = IndexKey::Column;
        // A column or expression the index orders by before the key: walked in its order, or
        // sought value by value, the key's value is compared from the index without reading
        // the row.
        QString ahead;
        // A plain column after the key: a range of the key reads it from the index.
        QString after;
        bool folded() const { return key == IndexKey::Fold || key == IndexKey::Search; }
        // SQLite compares text by code point anyway: its column index serves the ranges, unless
        // something goes ahead of the column.
        bool appliesTo(ConnectionSpec::Engine engine) const {
            return key != IndexKey::CodeOrder || engine == ConnectionSpec::Engine::Postgres ||
                   !ahead.isEmpty();
        }
    };

    static constexpr int kVersion = 7;
    // Orders are indexed by telephone within each block of this many consecutive numbers
    // (ix_pedido_bloco_telefone); orderBlock() is the block's expression, which a query must
    // repeat as it stands for the index to serve it.
    static constexpr int kOrderBlock = 1024;
    static QString orderBlock();

    static QList<Table> tables();
    static Table table(const QString& name);
    static QList<Index> indexes();

    static QString createTableSql(ConnectionSpec::Engine engine, const Table& table,
                                  const QString& createAs = {});
    static QString createIndexSql(ConnectionSpec::Engine engine, const Index& index);

    // Brings the database to kVersion, step by step in one transaction; refuses a database
    // made by a newer program. Database::open runs it.
    static void ensure(Database& db);
    // 0 for a database that has never been set up.
    static int version(Database& db);
};

bool tableExists(Database& db, const QString& table);

// The declared character width of a text column; 0 when it has none.
int declaredTextWidth(Database& db, const QString& table, const QString& column);

// Widens TB_Item.ite_Nome and TB_Produto.pro_Produto to 100 characters, keeping every row;
// does nothing to a column that is already 100 wide. Throws DbError (kInUse when another
// workstation holds the table); the caller decides whether that matters.
void US_AtualizaTamanhoNomeItem(Database& db);
