#pragma once

#include "shell/CallerIdSource.h"

#include <QString>

class QLocalServer;
class QLocalSocket;

// Caller numbers handed in by other programs on this machine (a telephone switchboard's
// software, a script, `brisko --chamada`): a local socket, one connection per call, one line
// of text per connection, answered "OK" when it is a telephone's report (ehRelatoDeTelefone)
// and "RECUSADO" otherwise. The channel does not rewrite the report. The socket lies in a
// directory only the user can enter, so no other user can take its name first.
class LocalCallerIdChannel : public CallerIdSource {
    Q_OBJECT
public:
    static constexpr int kMaxLine = 64;

    // The socket of one installation: in the user's runtime directory (XDG_RUNTIME_DIR) when
    // that is set and private, named after the home folder so two homes on a machine never
    // hear each other's calls; otherwise in the home's own "run" folder.
    static QString serverName(const QString& homeRoot);

    explicit LocalCallerIdChannel(const QString& serverName, QObject* parent = nullptr);
    ~LocalCallerIdChannel() override;

    // Fails when another program already listens on the name, or when the socket's directory
    // cannot be made private to the user.
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
