#include "shell/SoundCallerIdSource.h"

#include <QAudioDevice>
#include <QAudioSource>
#include <QMediaDevices>

#include <optional>

namespace {

std::optional<QAudioDevice> findInput(const QString& description) {
    if (description.isEmpty()) {
        const QAudioDevice device = QMediaDevices::defaultAudioInput();
        if (device.isNull()) {
            return std::nullopt;
        }
        return device;
    }
    for (const QAudioDevice& device : QMediaDevices::audioInputs()) {
        if (device.description() == description) {
            return device;
        }
    }
    return std::nullopt;
}

// The detector's own format when the device offers it, else what the device prefers.
QAudioFormat captureFormat(const QAudioDevice& device) {
    QAudioFormat wanted;
    wanted.setSampleRate(PcmTo8k::kOutputRate);
    wanted.setChannelCount(1);
    wanted.setSampleFormat(QAudioFormat::Int16);
    if (device.isFormatSupported(wanted)) {
        return wanted;
    }
    return device.preferredFormat();
}

} // namespace

SoundCallerIdSource::SoundCallerIdSource(const QString& deviceDescription, QObject* parent)
    : CallerIdSource(parent), m_deviceDescription(deviceDescription),
      m_decoder([this](const QString& frame) { Q_EMIT numeroRecebido(frame); }) {}

SoundCallerIdSource::~SoundCallerIdSource() {
    stop();
}

QList<QString> SoundCallerIdSource::dispositivosDeEntrada() {
    QList<QString> names;
    for (const QAudioDevice& device : QMediaDevices::audioInputs()) {
        names << device.description();
    }
    return names;
}

bool SoundCallerIdSource::start(QString* error) {
    stop();
    const auto fail = [error](const QString& why) {
        if (error) {
            *error = why;
        }
        return false;
    };
    if (QMediaDevices::audioInputs().isEmpty()) {
        return fail(QStringLiteral("Nenhum dispositivo de entrada de som foi encontrado."));
    }
    const auto device = findInput(m_deviceDescription);
    if (!device) {
        return fail(m_deviceDescription.isEmpty()
                        ? QStringLiteral("O sistema não tem um dispositivo de entrada de som "
                                         "padrão.")
                        : QStringLiteral("O dispositivo de entrada de som \"%1\" não foi "
                                         "encontrado.")
                              .arg(m_deviceDescription));
    }
    const QAudioFormat format = captureFormat(*device);
    if (!m_decoder.setInputFormat(format)) {
        return fail(QStringLiteral("O formato de áudio do dispositivo \"%1\" não é suportado.")
                        .arg(device->description()));
    }
    m_audio = std::make_unique<QAudioSource>(*device, format);
    m_io = m_audio->start();
    if (!m_io || m_audio->error() != QAudio::NoError) {
        m_audio.reset();
        m_io = nullptr;
        return fail(QStringLiteral("Não foi possível abrir o dispositivo de entrada de som "
                                   "\"%1\".")
                        .arg(device->description()));
    }
    connect(m_io, &QIODevice::readyRead, this, &SoundCallerIdSource::readAvailable);
    return true;
}

void SoundCallerIdSource::stop() {
    if (m_audio) {
        if (m_io) {
            disconnect(m_io, nullptr, this, nullptr);
        }
        m_audio->stop();
        m_audio.reset();
        m_io = nullptr;
    }
}

void SoundCallerIdSource::readAvailable() {
    const QByteArray data = m_io->readAll();
    m_decoder.pushBytes(data.constData(), data.size());
}
