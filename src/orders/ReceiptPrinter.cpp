#include "orders/ReceiptPrinter.h"

#include "common/Error.h"

#include <QFile>
#include <cups/cups.h>
#include <utility>

namespace {

[[noreturn]] void fail(const QString& impressora, const QString& why) {
    throw Error(
        QStringLiteral("Não foi possível imprimir na impressora \"%1\": %2").arg(impressora, why));
}

} // namespace

ReceiptPrinter::ReceiptPrinter(QString appHomePath) : m_home(std::move(appHomePath)) {}

void ReceiptPrinter::print(const QString& impressora, const QByteArray& bytes) const {
    if (impressora.trimmed().isEmpty()) {
        fail(impressora, QStringLiteral("nenhuma impressora cadastrada."));
    }
    if (impressora.toUpper() == QLatin1String("CUPOM")) {
        writeFile(impressora, m_home + QStringLiteral("/Cupom.txt"), bytes);
    } else if (impressora.contains(QLatin1Char('/')) || impressora.contains(QLatin1Char('\\'))) {
        writeFile(impressora, impressora, bytes);
    } else {
        sendToQueue(impressora, bytes);
    }
}

void ReceiptPrinter::writeFile(const QString& impressora, const QString& path,
                               const QByteArray& bytes) const {
    QFile file(path);
    // Unbuffered so a device reports a failed write at once, not at close.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        fail(impressora, file.errorString());
    }
    if (file.write(bytes) != bytes.size()) {
        fail(impressora, file.errorString());
    }
    file.close();
    if (file.error() != QFileDevice::NoError) {
        fail(impressora, file.errorString());
    }
}

void ReceiptPrinter::sendToQueue(const QString& impressora, const QByteArray& bytes) const {
    // Back to the default server, so CUPS_SERVER is read again and a stale connection dropped.
    cupsSetServer(nullptr);
    const QByteArray queue = impressora.toUtf8();
    const int job = cupsCreateJob(CUPS_HTTP_DEFAULT, queue.constData(), "Brisko", 0, nullptr);
    if (job <= 0) {
        fail(impressora, QString::fromUtf8(cupsLastErrorString()));
    }
    if (cupsStartDocument(CUPS_HTTP_DEFAULT, queue.constData(), job, "Cupom", CUPS_FORMAT_RAW, 1) !=
            HTTP_STATUS_CONTINUE ||
        cupsWriteRequestData(CUPS_HTTP_DEFAULT, bytes.constData(),
                             static_cast<size_t>(bytes.size())) != HTTP_STATUS_CONTINUE ||
        cupsFinishDocument(CUPS_HTTP_DEFAULT, queue.constData()) != IPP_STATUS_OK) {
        const QString why = QString::fromUtf8(cupsLastErrorString());
        cupsCancelJob2(CUPS_HTTP_DEFAULT, queue.constData(), job, 0);
        fail(impressora, why);
    }
}
