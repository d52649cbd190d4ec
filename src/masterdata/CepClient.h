#pragma once

#include "masterdata/CepResult.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <chrono>

class QNetworkAccessManager;
class QNetworkReply;

// Asks the postal-code web service for an address without blocking the caller: `lookup`
// returns at once and `finished` follows, at the latest after the time-out. Only one lookup
// is pending at a time; a new one abandons the previous, whose answer is never delivered.
// An error result carries no fields at all, so a screen keeps what its fields already hold.
// The time-out covers the whole exchange, download included, and an answer larger than
// kMaxAnswerBytes is cut off as it arrives and reported as a failed lookup.
class CepClient : public QObject {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds kDefaultTimeout{5000};
    // A real answer is well under 1 KiB.
    static constexpr qint64 kMaxAnswerBytes = 64 * 1024;

    // The service's base URL: a host ("cep.example.com.br") or a URL with scheme and path.
    // An empty text means the default host.
    explicit CepClient(const QString& serviceBase, QObject* parent = nullptr);
    ~CepClient() override;

    static QString defaultHost();
    // The URL asked for the eight digits.
    static QUrl requestUrl(const QString& serviceBase, const QString& digits);

    void setTimeout(std::chrono::milliseconds timeout) { m_timeout = timeout; }
    std::chrono::milliseconds timeout() const { return m_timeout; }

    // `digits` must be the eight digits of a postal code; anything else ends in an error result
    // without a request.
    void lookup(const QString& digits);
    bool isPending() const { return !m_reply.isNull(); }

    // Runs an event loop until the answer arrives; for tests and scripts.
    CepResult lookupAndWait(const QString& digits);

Q_SIGNALS:
    void finished(const CepResult& result);

private:
    void abandonPending();
    // Takes what has arrived; false once the answer is known to exceed the bound.
    bool takeArrived(QNetworkReply* reply);
    void finish(QNetworkReply* reply, bool timedOut, const QString& digits);
    void deliver(const CepResult& result);

    QString m_serviceBase;
    std::chrono::milliseconds m_timeout = kDefaultTimeout;
    QNetworkAccessManager* m_network;
    QPointer<QNetworkReply> m_reply;
    QByteArray m_answer;
    quint64 m_generation = 0; // lets a newer lookup silence an older one's queued result
};
