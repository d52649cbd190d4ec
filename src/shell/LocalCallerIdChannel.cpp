#include "shell/LocalCallerIdChannel.h"

#include "shell/CallerId.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

namespace {

constexpr int kWaitMs = 3000;
const QByteArray kOk = QByteArrayLiteral("OK\n");

} // namespace

QString LocalCallerIdChannel::serverName(const QString& homeRoot) {
    const QByteArray id =
        QCryptographicHash::hash(homeRoot.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("brisko-chamada-") + QString::fromLatin1(id);
}

LocalCallerIdChannel::LocalCallerIdChannel(const QString& serverName, QObject* parent)
    : CallerIdSource(parent), m_serverName(serverName) {}

LocalCallerIdChannel::~LocalCallerIdChannel() {
    stop();
}

bool LocalCallerIdChannel::start(QString* error) {
    stop();
    // A socket file left by a crashed copy blocks listen(); one that answers is a live copy.
    {
        QLocalSocket probe;
        probe.connectToServer(m_serverName);
        if (probe.waitForConnected(200)) {
            probe.abort();
            if (error) {
                *error = QStringLiteral("Outro programa já recebe as chamadas em \"%1\".")
                             .arg(m_serverName);
            }
            return false;
        }
    }
    QLocalServer::removeServer(m_serverName);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_serverName)) {
        if (error) {
            *error = QStringLiteral("Não foi possível receber chamadas em \"%1\": %2")
                         .arg(m_serverName, m_server->errorString());
        }
        delete m_server;
        m_server = nullptr;
        return false;
    }
    connect(m_server, &QLocalServer::newConnection, this, &LocalCallerIdChannel::accept);
    return true;
}

void LocalCallerIdChannel::stop() {
    if (m_server) {
        m_server->close();
        delete m_server;
        m_server = nullptr;
    }
}

void LocalCallerIdChannel::accept() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        socket->setParent(this);
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readLine(socket); });
        // A client that never finishes its line does not keep the connection.
        QTimer::singleShot(kWaitMs, socket, [socket] { socket->abort(); });
        readLine(socket);
    }
}

void LocalCallerIdChannel::readLine(QLocalSocket* socket) {
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > kMaxLine) {
            socket->abort();
        }
        return;
    }
    const QString line = QString::fromUtf8(socket->readLine(kMaxLine + 2)).trimmed();
    disconnect(socket, &QLocalSocket::readyRead, this, nullptr);
    if (line.isEmpty() || line.size() > kMaxLine) {
        socket->write(QByteArrayLiteral("ERRO\n"));
        socket->disconnectFromServer();
        return;
    }
    socket->write(kOk);
    socket->disconnectFromServer();
    Q_EMIT numeroRecebido(line);
}

bool enviaChamada(const QString& serverName, const QString& numero, QString* error) {
    const auto fail = [error](const QString& why) {
        if (error) {
            *error = why;
        }
        return false;
    };
    const auto relato = relatoDeTelefone(numero, error);
    if (!relato) {
        return false;
    }
    QLocalSocket socket;
    socket.connectToServer(serverName);
    if (!socket.waitForConnected(kWaitMs)) {
        return fail(
            QStringLiteral("O Brisko não está em execução (%1).").arg(socket.errorString()));
    }
    socket.write(relato->toUtf8() + '\n');
    if (!socket.waitForBytesWritten(kWaitMs)) {
        return fail(QStringLiteral("A chamada não foi entregue: %1").arg(socket.errorString()));
    }
    QByteArray answer;
    while (!answer.contains('\n') && socket.waitForReadyRead(kWaitMs)) {
        answer += socket.readAll();
    }
    answer += socket.readAll();
    if (answer != kOk) {
        return fail(QStringLiteral("O Brisko não aceitou a chamada."));
    }
    return true;
}
