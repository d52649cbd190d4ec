#include "support/LocalHttpServer.h"

#include <QHostAddress>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>
#include <memory>

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
    constexpr qint64 kBacklog = 256 * 1024;
    const bool paced = m_response.fillerPause.count() > 0;
    while (left > 0 && socket->bytesToWrite() < kBacklog) {
        const qint64 chunk = std::min<qint64>(left, paced ? 8 : 64 * 1024);
        socket->write(QByteArray(chunk, 'x'));
        left -= chunk;
        if (paced) {
            break;
        }
    }
    if (left == 0) {
        socket->disconnectFromHost();
        return;
    }
    QPointer<QTcpSocket> guarded(socket);
    const auto next = [this, guarded, left] {
        if (guarded && guarded->state() == QAbstractSocket::ConnectedState) {
            writeFiller(guarded, left);
        }
    };
    if (paced) {
        QTimer::singleShot(m_response.fillerPause, socket, next);
    } else {
        // Once: the next round sets itself up again.
        auto connection = std::make_shared<QMetaObject::Connection>();
        *connection = connect(socket, &QTcpSocket::bytesWritten, socket, [connection, next] {
            QObject::disconnect(*connection);
            next();
        });
    }
}
