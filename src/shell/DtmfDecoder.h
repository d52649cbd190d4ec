#pragma once

#include "shell/DtmfFrameAssembler.h"

#include <QAudioFormat>
#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

// Brings any capture format down to what the tone detector wants, 8 kHz 16-bit mono: the
// first channel only, a 4th-order low-pass at 3 kHz, then linear interpolation onto the
// 8 kHz grid. Tones of caller identification sit between 697 and 1633 Hz, so this is plenty.
class PcmTo8k {
public:
    static constexpr int kOutputRate = 8000;

    // False for a format it cannot read (unknown sample format, no channels, rate < 8 kHz).
    bool setFormat(int sampleRate, QAudioFormat::SampleFormat format, int channels);
    // Appends the 8 kHz samples of `bytes` (any length: a split frame waits for its rest).
    void push(const char* bytes, qsizetype size, std::vector<int16_t>& out);

private:
    struct Biquad {
        double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
        double z1 = 0, z2 = 0;
        double run(double x);
    };
    double sampleAt(const char* frame) const;
    void pushSample(double x, std::vector<int16_t>& out);

    QAudioFormat::SampleFormat m_format = QAudioFormat::Int16;
    int m_channels = 1;
    int m_bytesPerFrame = 2;
    bool m_passThrough = true;
    double m_step = 1.0; // input samples per output sample
    double m_phase = 1.0;
    double m_previous = 0;
    Biquad m_lowPass[2];
    QByteArray m_partial;
};

struct dtmf_rx_state_s;

// The tone detector (spandsp's DTMF receiver, with its dial-tone filter on) feeding the frame
// assembler. Runs on the audio's own clock, so decoding a recording gives the same frames as
// the live line.
class DtmfDecoder {
public:
    using FrameHandler = std::function<void(const QString& frame)>;

    explicit DtmfDecoder(FrameHandler onFrame);
    ~DtmfDecoder();
    DtmfDecoder(const DtmfDecoder&) = delete;
    DtmfDecoder& operator=(const DtmfDecoder&) = delete;

    // The format pushBytes reads; 8 kHz Int16 mono until set.
    bool setInputFormat(int sampleRate, QAudioFormat::SampleFormat format, int channels);
    bool setInputFormat(const QAudioFormat& format);
    void pushBytes(const char* bytes, qsizetype size);
    void push8k(const int16_t* samples, qsizetype count);

    // Audio decoded so far, in 8 kHz samples.
    qint64 samples() const { return m_samples; }
    qint64 elapsedMs() const { return m_samples * 1000 / PcmTo8k::kOutputRate; }

private:
    static void onDigits(void* self, const char* digits, int count);

    FrameHandler m_onFrame;
    dtmf_rx_state_s* m_rx = nullptr;
    DtmfFrameAssembler m_assembler;
    PcmTo8k m_resampler;
    std::vector<int16_t> m_buffer;
    qint64 m_samples = 0;
};
