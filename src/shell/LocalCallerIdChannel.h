#pragma once

#include "shell/CallerIdSource.h"

#include <QString>

class QLocalServer;
class QLocalSocket;

// Caller numbers handed in by other programs on this machine (a telephone switchboard's
// software, a script, `brisko --chamada`): a local socket, one connection per call, one line
// of text per connection, answered "OK". The line is a report as the sound source would give
// it (see relatoDeTelefone); the channel does not rewrite it.
class LocalCallerIdChannel : public CallerIdSource {
    Q_OBJECT
public:
    static constexpr int kMaxLine = 64;

    // The channel of one installation, named after its home folder so two homes on a machine
    // never hear each other's calls.
    static QString serverName(const QString& homeRoot);

    explicit LocalCallerIdChannel(const QString& serverName, QObject* parent = nullptr);
    ~LocalCallerIdChannel() override;

    // Fails when another program already listens on the name.
    bool start(QString* error) override;
    void stop() override;

private:
    void accept();
    void readLine(QLocalSocket* socket);

    QString m_serverName;
    QLocalServer* m_server = nullptr;
};

// Hands a typed telephone (relatoDeTelefone) to the program listening on `serverName` and
// waits for its answer. False with the reason in `error` when the text is not a telephone or
// no program took the call.
bool enviaChamada(const QString& serverName, const QString& numero, QString* error);
