#include "support/LocalHttpServer.h"

#include <QHostAddress>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>

namespace {
const QByteArray kEndOfHeaders = "\r\n\r\n";
}

LocalHttpServer::LocalHttpServer(QObject* parent) : QObject(parent) {
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = m_server.nextPendingConnection()) {
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readRequest(socket); });
        }
    });
}

bool LocalHttpServer::start() {
    return m_server.listen(QHostAddress::LocalHost, 0);
}

QUrl LocalHttpServer::baseUrl() const {
    return QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(m_server.serverPort()));
}

void LocalHttpServer::setBody(const QByteArray& body, const QByteArray& contentType) {
    Response response;
    response.headers.append({"Content-Type", contentType});
    response.body = body;
    m_response = response;
}

void LocalHttpServer::readRequest(QTcpSocket* socket) {
    // The request is kept on the socket until its headers are complete; GETs have no body.
    QByteArray received = socket->property("received").toByteArray() + socket->readAll();
    socket->setProperty("received", received);
    if (!received.contains(kEndOfHeaders) || socket->property("answered").toBool()) {
        return;
    }
    socket->setProperty("answered", true);
    const QList<QByteArray> requestLine = received.left(received.indexOf("\r\n")).split(' ');
    m_targets.append(requestLine.size() >= 2 ? QString::fromLatin1(requestLine.at(1)) : QString());

    if (m_response.delay.count() > 0) {
        QPointer<QTcpSocket> guarded(socket);
        QTimer::singleShot(m_response.delay, this, [this, guarded] {
            if (guarded && guarded->state() == QAbstractSocket::ConnectedState) {
                respond(guarded);
            }
        });
    } else {
        respond(socket);
    }
}

void LocalHttpServer::respond(QTcpSocket* socket) const {
    QByteArray answer =
        "HTTP/1.1 " + QByteArray::number(m_response.status) + ' ' + m_response.reason + "\r\n";
    for (const auto& [name, value] : m_response.headers) {
        answer += name + ": " + value + "\r\n";
    }
    if (m_response.announceLength) {
        answer += "Content-Length: " +
                  QByteArray::number(m_response.body.size() + m_response.fillerBytes) + "\r\n";
    }
    answer += "Connection: close\r\n\r\n" + m_response.body;
    socket->write(answer);
    writeFiller(socket, m_response.fillerBytes);
}

void LocalHttpServer::writeFiller(QTcpSocket* socket, qint64 left) const {
    if (left <= 0) {
        socket->disconnectFromHost();
        return;
    }
    // Only while the client takes it: the server holds at most a few chunks.
    const qint64 chunk = socket->bytesToWrite() > 256 * 1024
                             ? 0
                             : std::min<qint64>(left, m_response.fillerPause.count() ? 8 : 65536);
    socket->write(QByteArray(chunk, 'x'));
    QPointer<QTcpSocket> guarded(socket);
    QTimer::singleShot(m_response.fillerPause, socket, [this, guarded, left, chunk] {
        if (guarded && guarded->state() == QAbstractSocket::ConnectedState) {
            writeFiller(guarded, left - chunk);
        }
    });
}
