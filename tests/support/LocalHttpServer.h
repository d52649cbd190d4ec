#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QStringList>
#include <QTcpServer>
#include <QUrl>
#include <chrono>

class QTcpSocket;

// A tiny HTTP/1.1 server on 127.0.0.1 that answers every request with one fixed response,
// optionally after a delay, and records each request's target (path and query).
class LocalHttpServer : public QObject {
    Q_OBJECT

public:
    struct Response {
        int status = 200;
        QByteArray reason = "OK";
        QList<QPair<QByteArray, QByteArray>> headers;
        QByteArray body;
        std::chrono::milliseconds delay{0};
        // After `body`: this many filler bytes, written as the client takes them, so that a
        // gigabyte answer costs the server no memory; with a pause, a few bytes per pause.
        qint64 fillerBytes = 0;
        std::chrono::milliseconds fillerPause{0};
        bool announceLength = true;
    };

    explicit LocalHttpServer(QObject* parent = nullptr);

    // Listens on a free port; false when no port could be opened.
    bool start();
    // "http://127.0.0.1:<port>/"
    QUrl baseUrl() const;

    void setResponse(const Response& response) { m_response = response; }
    // A 200 answer with the given body and content type.
    void setBody(const QByteArray& body, const QByteArray& contentType);

    int requestCount() const { return m_targets.size(); }
    const QStringList& requestTargets() const { return m_targets; }

private:
    void readRequest(QTcpSocket* socket);
    void respond(QTcpSocket* socket) const;
    void writeFiller(QTcpSocket* socket, qint64 left) const;

    QTcpServer m_server;
    Response m_response;
    QStringList m_targets;
};
