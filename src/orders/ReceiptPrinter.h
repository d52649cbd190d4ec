#pragma once

#include <QByteArray>
#include <QString>

// Sends receipt bytes to the configured printer: "CUPOM" (any case) replaces Cupom.txt in the
// application home; a name with a slash or backslash is a device, file or share opened for
// output; anything else is a queue of the system's print service, sent as a raw job.
// Every failure throws Error naming the printer.
class ReceiptPrinter {
public:
    explicit ReceiptPrinter(QString appHomePath);

    void print(const QString& impressora, const QByteArray& bytes) const;

private:
    void writeFile(const QString& impressora, const QString& path, const QByteArray& bytes) const;
    void sendToQueue(const QString& impressora, const QByteArray& bytes) const;

    QString m_home;
};
