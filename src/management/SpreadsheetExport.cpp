#include "management/SpreadsheetExport.h"

#include "data/Database.h"
#include "data/Schema.h"
#include "management/BatchChannel.h"
#include "management/ReplacingFile.h"
#include "management/XlsxSheet.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSqlError>
#include <QSqlRecord>
#include <exception>
#include <stdexcept>
#include <thread>

namespace {

// Batches on their way between reading and writing: enough to ride out an uneven pace.
constexpr int kBatches = 4;

// Writes the batches into the sheet on a thread of its own, so that reading the database (on
// the calling thread, which owns the connection) and forming the sheet's XML overlap.
// Leaving the scope without finish() stops the writing and drops what is queued.
class WriterThread {
public:
    WriterThread(XlsxSheet& sheet, BatchChannel& channel)
        : m_channel(channel), m_thread([this, &sheet] { write(sheet); }) {}
    ~WriterThread() {
        if (m_thread.joinable()) {
            m_channel.abandon();
            m_thread.join();
        }
    }
    WriterThread(const WriterThread&) = delete;
    WriterThread& operator=(const WriterThread&) = delete;

    // Waits for every batch sent to be written; throws what stopped the writing.
    void finish() {
        m_channel.close();
        m_thread.join();
        if (m_failure)
            std::rethrow_exception(m_failure);
    }

private:
    void write(XlsxSheet& sheet) {
        try {
            while (std::unique_ptr<CellBatch> batch = m_channel.receive()) {
                batch->writeTo(sheet);
                m_channel.recycle(std::move(batch));
            }
        } catch (...) {
            m_failure = std::current_exception();
            m_channel.writerStopped();
        }
    }

    BatchChannel& m_channel;
    std::exception_ptr m_failure;
    std::thread m_thread;
};

struct Definition {
    QString table;
    QString keyColumn;
    QString dataSql;
    QString countSql;
    QString fileBase;
};

// Every order item of the period, its operator's name empty when the operator is gone.
const QString kPedidosSql = QStringLiteral(
    "SELECT TB_Pedido.ped_ono, TB_Usuario.usu_Nome, TB_Pedido.ped_cli_Telefone, "
    "TB_Pedido.ped_cli_Nome, TB_Pedido.ped_cli_Tipo, TB_Pedido.ped_cli_Logradouro, "
    "TB_Pedido.ped_cli_Numero, TB_Pedido.ped_cli_Complemento, TB_Pedido.ped_cli_Bairro, "
    "TB_Pedido.ped_cli_Cidade, TB_Pedido.ped_cli_UF, TB_Pedido.ped_cli_CEP, "
    "TB_Pedido.ped_cli_Observacao, TB_Pedido.ped_Mensagem, TB_Pedido.ped_Forma_Pagamento, "
    "TB_Pedido.ped_data, TB_Item.*, TB_Pedido.ped_Valor_Pago, TB_Pedido.ped_Troco "
    "FROM TB_Pedido INNER JOIN TB_Item ON TB_Pedido.ped_ono = TB_Item.ite_Ono "
    "LEFT JOIN TB_Usuario ON TB_Usuario.usu_ID = TB_Pedido.ped_usu_id "
    "WHERE TB_Pedido.ped_data BETWEEN ? AND ? ORDER BY TB_Pedido.ped_ono");
const QString kPedidosCountSql = QStringLiteral(
    "SELECT count(*) FROM TB_Pedido INNER JOIN TB_Item ON TB_Pedido.ped_ono = TB_Item.ite_Ono "
    "WHERE TB_Pedido.ped_data BETWEEN ? AND ?");

Definition definition(ExportKind kind) {
    switch (kind) {
    case ExportKind::Clientes:
        return {QStringLiteral("TB_Cliente"), QStringLiteral("cli_ID"),
                QStringLiteral("SELECT * FROM TB_Cliente ORDER BY cli_ID"),
                QStringLiteral("SELECT count(*) FROM TB_Cliente"), QStringLiteral("Cliente")};
    case ExportKind::Produtos:
        return {QStringLiteral("TB_Produto"), QStringLiteral("Pro_ID"),
                QStringLiteral("SELECT * FROM TB_Produto ORDER BY Pro_ID"),
                QStringLiteral("SELECT count(*) FROM TB_Produto"), QStringLiteral("Produto")};
    case ExportKind::Pedidos:
        return {QStringLiteral("TB_Item"), QStringLiteral("ite_Ono"), kPedidosSql, kPedidosCountSql,
                QStringLiteral("Pedidos")};
    }
    throw std::logic_error("unknown export");
}

XlsxSheet::Kind cellKind(Schema::ColumnKind kind) {
    switch (kind) {
    case Schema::ColumnKind::AutoId:
    case Schema::ColumnKind::PrimaryKey:
    case Schema::ColumnKind::UniqueKey:
    case Schema::ColumnKind::Integer:
        return XlsxSheet::Kind::Number;
    case Schema::ColumnKind::Money:
        return XlsxSheet::Kind::Money;
    case Schema::ColumnKind::Date:
        return XlsxSheet::Kind::Date;
    case Schema::ColumnKind::Text:
    case Schema::ColumnKind::Flag:
        return XlsxSheet::Kind::Text;
    }
    return XlsxSheet::Kind::Text;
}

// The columns as the schema spells them, so both engines give the same header (PostgreSQL
// reports names in lower case).
QList<XlsxSheet::Column> sheetColumns(const QSqlRecord& record) {
    QHash<QString, Schema::Column> known;
    for (const Schema::Table& table : Schema::tables()) {
        for (const Schema::Column& column : table.columns)
            known.insert(column.name.toLower(), column);
    }
    QList<XlsxSheet::Column> columns;
    for (int i = 0; i < record.count(); ++i) {
        const QString reported = record.fieldName(i);
        const auto found = known.constFind(reported.toLower());
        columns << (found == known.cend() ? XlsxSheet::Column{reported, XlsxSheet::Kind::Text}
                                          : XlsxSheet::Column{found->name, cellKind(found->kind)});
    }
    return columns;
}

int keyIndex(const QSqlRecord& record, const QString& keyColumn) {
    for (int i = 0; i < record.count(); ++i) {
        if (record.fieldName(i).compare(keyColumn, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QVariantList binds(const ExportRequest& request) {
    if (request.kind != ExportKind::Pedidos)
        return {};
    if (!request.period)
        throw std::invalid_argument("the order export needs a period");
    return {Database::dateValue(request.period->start), Database::dateValue(request.period->end)};
}

} // namespace

QString exportFileName(ExportKind kind) {
    return definition(kind).fileBase + QStringLiteral(".xlsx");
}

bool exportHasRows(Database& db, ExportKind kind) {
    const QString sql = QStringLiteral("SELECT 1 FROM %1 LIMIT 1").arg(definition(kind).table);
    return db.scalar(sql).isValid();
}

ExportResult runExport(Database& db, const ExportRequest& request, const ExportProgress& progress) {
    const Definition def = definition(request.kind);
    const QVariantList values = binds(request);
    const qint64 total = db.scalar(def.countSql, values).toLongLong();
    if (total > XlsxSheet::kMaxRows)
        throw DbError(DbError::kGeneric,
                      QStringLiteral("São %1 registros; uma planilha comporta no máximo %2. "
                                     "Escolha um período menor.")
                          .arg(total)
                          .arg(XlsxSheet::kMaxRows));
    if (progress)
        progress(0, total);

    ensureFolder(request.folder);
    ReplacingFile file(QDir(request.folder).filePath(exportFileName(request.kind)));

    QSqlQuery query = db.prepare(def.dataSql);
    // Rows are streamed instead of being held all at once.
    query.setForwardOnly(true);
    db.execPrepared(query, values);
    const QSqlRecord record = query.record();
    XlsxSheet sheet(file.temporaryPath(), def.fileBase, sheetColumns(record));
    const int key = keyIndex(record, def.keyColumn);
    qint64 rows = 0;
    {
        BatchChannel channel(kBatches, int(sheet.columns().size()));
        WriterThread writer(sheet, channel);
        RowColours colours;
        std::unique_ptr<CellBatch> batch = channel.emptyBatch();
        while (batch && query.next()) {
            const bool second = colours.next(key >= 0 ? query.value(key) : QVariant(rows));
            batch->append(query, sheet.columns(), second);
            ++rows;
            if (batch->isFull()) {
                channel.send(std::move(batch));
                if (progress)
                    progress(rows, total);
                batch = channel.emptyBatch();
            }
        }
        if (query.lastError().type() != QSqlError::NoError)
            throw Database::toDbError(db.engine(), query.lastError());
        if (batch && !batch->isEmpty())
            channel.send(std::move(batch));
        writer.finish();
    }
    query.finish();
    if (progress)
        progress(rows, total);
    sheet.finish();
    file.commit();
    return {file.target(), sheet.rows()};
}
