#include "shell/LocalCallerIdChannel.h"

#include "shell/CallerId.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

constexpr int kWaitMs = 3000;
const QByteArray kOk = QByteArrayLiteral("OK\n");
const QByteArray kRecusado = QByteArrayLiteral("RECUSADO\n");
constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                QFileDevice::ExeOwner | QFileDevice::ReadUser |
                                                QFileDevice::WriteUser | QFileDevice::ExeUser;
constexpr QFileDevice::Permissions kOthers = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                             QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                             QFileDevice::WriteOther | QFileDevice::ExeOther;

bool ownedByUser(const QFileInfo& info) {
#ifdef Q_OS_UNIX
    return info.ownerId() == ::getuid();
#else
    return info.exists(); // elsewhere the name is a pipe, not a file in this folder
#endif
}

bool isPrivateDirectory(const QString& path) {
    const QFileInfo info(path);
    return info.isDir() && !info.isSymLink() && ownedByUser(info) &&
           !(info.permissions() & kOthers);
}

QString runtimeDirectory() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && isPrivateDirectory(runtime) ? runtime : QString();
}

// Made when missing; one of the user's own that others may enter is closed to them. A
// directory of another user is never used.
bool makePrivateDirectory(const QString& path, QString* error) {
    const QFileInfo info(path);
    if (!info.exists() && !QDir().mkpath(path)) {
        if (error) {
            *error = QStringLiteral("Não foi possível criar a pasta \"%1\".").arg(path);
        }
        return false;
    }
    if (info.exists() && (info.isSymLink() || !ownedByUser(info))) {
        if (error) {
            *error = QStringLiteral("A pasta \"%1\" não pertence a este usuário.").arg(path);
        }
        return false;
    }
    if (!isPrivateDirectory(path)) {
        QFile::setPermissions(path, kOwnerOnly);
    }
    if (!isPrivateDirectory(path)) {
        if (error) {
            *error = QStringLiteral("Não foi possível restringir a pasta \"%1\" a este usuário.")
                         .arg(path);
        }
        return false;
    }
    return true;
}

} // namespace

QString LocalCallerIdChannel::serverName(const QString& homeRoot) {
    const QString runtime = runtimeDirectory();
    if (runtime.isEmpty()) {
        return QDir(homeRoot).filePath(QStringLiteral("run/chamada"));
    }
    const QByteArray id =
        QCryptographicHash::hash(homeRoot.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QDir(runtime).filePath(QStringLiteral("brisko-chamada-") + QString::fromLatin1(id));
}

LocalCallerIdChannel::LocalCallerIdChannel(const QString& serverName, QObject* parent)
    : CallerIdSource(parent), m_serverName(serverName) {}

LocalCallerIdChannel::~LocalCallerIdChannel() {
    stop();
}

bool LocalCallerIdChannel::start(QString* error) {
    stop();
    if (!makePrivateDirectory(QFileInfo(m_serverName).absolutePath(), error)) {
        return false;
    }
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
    if (!ehRelatoDeTelefone(line)) {
        socket->write(kRecusado);
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
