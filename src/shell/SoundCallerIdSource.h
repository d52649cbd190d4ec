#pragma once

#include "shell/CallerIdSource.h"
#include "shell/DtmfDecoder.h"

#include <QList>
#include <QString>

#include <memory>

class QAudioSource;
class QIODevice;

// Caller identification from the tones on the sound input the telephone line is plugged
// into, decoded on the fly.
class SoundCallerIdSource : public CallerIdSource {
    Q_OBJECT
public:
    // `deviceDescription` as the system lists it; empty means the default input.
    explicit SoundCallerIdSource(const QString& deviceDescription, QObject* parent = nullptr);
    ~SoundCallerIdSource() override;

    // The descriptions of the machine's sound inputs, as the settings name them.
    static QList<QString> dispositivosDeEntrada();

    bool start(QString* error) override;
    void stop() override;

private:
    void readAvailable();

    QString m_deviceDescription;
    DtmfDecoder m_decoder;
    std::unique_ptr<QAudioSource> m_audio;
    QIODevice* m_io = nullptr; // owned by m_audio
};
