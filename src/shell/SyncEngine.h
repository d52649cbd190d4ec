#pragma once

#include <QList>
#include <QString>
#include <QVariantList>

class Database;
class RemoteServer;

// One table of the online backup and how its rows replace their remote copies.
struct SyncTable {
    enum class Replace {
        ByKey,      // the remote row of the same business and key
        OrderLines, // every remote line of the same order
        Identical,  // only an identical copy: changed rows go beside their earlier copies
    };
    QString name;
    QString key;
    Replace replace;
    // Unique local column the pending rows are read in the order of.
    QString pageKey;
};

// The tables in the order they are sent.
QList<SyncTable> syncTables();

// Told what the engine does; runs on the engine's thread.
class SyncObserver {
public:
    virtual ~SyncObserver() = default;
    virtual void tableStarted(int index, int count, const QString& table, qint64 pending) = 0;
    // After a batch committed on the remote and before its rows are marked sent.
    virtual void batchSent(const QString& table, qint64 sent, qint64 pending) = 0;
};

// Sends every new or changed row (fl_sincroniza NULL or 'S') of the local database to the
// remote one, table by table, in batches. Each batch is one remote transaction; its rows are
// then marked 'N', each only if it is still the row version that was read, so a row changed
// meanwhile goes next time. Every batch replaces what an interrupted run may have left, so a
// run can stop anywhere and the next one leaves no duplicate.
class SyncEngine {
public:
    static constexpr int kBatchRows = 500;
    static constexpr int kOrdersPerBatch = 170;
    // Rows confirmed by the remote that are marked locally together.
    static constexpr int kMarkRows = 2000;

    struct Result {
        qint64 sent = 0;   // rows written to the remote
        qint64 marked = 0; // local rows marked sent
    };

    SyncEngine(Database& local, RemoteServer& remote, qint64 empresa,
               SyncObserver* observer = nullptr);

    // Throws DbError naming the table on the first failure; what was confirmed stays marked,
    // the rest stays pending.
    Result run();

private:
    struct Row {
        QVariant id;      // rowid on SQLite, ctid on PostgreSQL
        QString version;  // ctid/xmin on PostgreSQL
        QVariantList raw; // as read, to recognise the row when marking
        QVariantList values;
        bool pending = true;
    };

    void ensurePendingIndex(const SyncTable& table);
    qint64 countPending(const SyncTable& table);
    QList<Row> readRows(const SyncTable& table, const QString& where, const QVariantList& binds);
    QList<Row> nextPage(const SyncTable& table, QVariant& after);
    void sendTable(const SyncTable& table, qint64 pending);
    void sendBatch(const SyncTable& table, const QList<Row>& rows);
    void insertRows(const SyncTable& table, const QList<const Row*>& rows);
    void insertColumns(const SyncTable& table, const QList<const Row*>& rows);
    void deleteIn(const SyncTable& table, const QVariantList& keys);
    void deleteIdentical(const SyncTable& table, const Row& row);
    void flushMarks(const SyncTable& table);
    qint64 markSent(const SyncTable& table, const QList<Row>& rows);

    Database& m_local;
    RemoteServer& m_remote;
    qint64 m_empresa;
    SyncObserver* m_observer;
    Result m_result;
    QList<Row> m_confirmed;
};
