#include "shell/DtmfDecoder.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpedantic"
#include <spandsp.h>
#pragma GCC diagnostic pop

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace {

// Detection is block-wise inside spandsp; feeding 10 ms at a time keeps the clock the
// assembler sees within 10 ms of the truth.
constexpr qsizetype kChunk = 80;
constexpr double kCutoffHz = 3000.0;

} // namespace

double PcmTo8k::Biquad::run(double x) {
    const double y = b0 * x + z1;
    z1 = b1 * x - a1 * y + z2;
    z2 = b2 * x - a2 * y;
    return y;
}

bool PcmTo8k::setFormat(int sampleRate, QAudioFormat::SampleFormat format, int channels) {
    int bytes = 0;
    switch (format) {
    case QAudioFormat::UInt8:
        bytes = 1;
        break;
    case QAudioFormat::Int16:
        bytes = 2;
        break;
    case QAudioFormat::Int32:
    case QAudioFormat::Float:
        bytes = 4;
        break;
    default:
        return false;
    }
    if (channels < 1 || sampleRate < kOutputRate) {
        return false;
    }
    m_format = format;
    m_channels = channels;
    m_bytesPerFrame = bytes * channels;
    m_passThrough = sampleRate == kOutputRate;
    m_step = double(sampleRate) / kOutputRate;
    m_phase = 1.0;
    m_previous = 0;
    m_partial.clear();

    // Butterworth as two cascaded sections (Q of each from the 4th-order pole pairs).
    const double qs[2] = {0.54119610, 1.30656296};
    const double w0 = 2 * std::numbers::pi * kCutoffHz / sampleRate;
    for (int i = 0; i < 2; ++i) {
        const double alpha = std::sin(w0) / (2 * qs[i]);
        const double c = std::cos(w0);
        const double a0 = 1 + alpha;
        Biquad& f = m_lowPass[i];
        f.b0 = (1 - c) / 2 / a0;
        f.b1 = (1 - c) / a0;
        f.b2 = f.b0;
        f.a1 = -2 * c / a0;
        f.a2 = (1 - alpha) / a0;
        f.z1 = f.z2 = 0;
    }
    return true;
}

double PcmTo8k::sampleAt(const char* frame) const {
    switch (m_format) {
    case QAudioFormat::UInt8:
        return (static_cast<unsigned char>(frame[0]) - 128) * 256.0;
    case QAudioFormat::Int16: {
        int16_t v;
        std::memcpy(&v, frame, sizeof v);
        return v;
    }
    case QAudioFormat::Int32: {
        int32_t v;
        std::memcpy(&v, frame, sizeof v);
        return v / 65536.0;
    }
    case QAudioFormat::Float: {
        float v;
        std::memcpy(&v, frame, sizeof v);
        return std::clamp(double(v), -1.0, 1.0) * 32767.0;
    }
    default:
        return 0;
    }
}

void PcmTo8k::pushSample(double x, std::vector<int16_t>& out) {
    if (m_passThrough) {
        out.push_back(static_cast<int16_t>(std::clamp(std::lround(x), -32768L, 32767L)));
        return;
    }
    x = m_lowPass[1].run(m_lowPass[0].run(x));
    // m_phase: where the next output falls, counted from the previous input sample.
    while (m_phase <= 1.0) {
        const double y = m_previous + (x - m_previous) * m_phase;
        out.push_back(static_cast<int16_t>(std::clamp(std::lround(y), -32768L, 32767L)));
        m_phase += m_step;
    }
    m_phase -= 1.0;
    m_previous = x;
}

void PcmTo8k::push(const char* bytes, qsizetype size, std::vector<int16_t>& out) {
    if (!m_partial.isEmpty()) {
        const qsizetype need = std::min<qsizetype>(m_bytesPerFrame - m_partial.size(), size);
        m_partial.append(bytes, need);
        bytes += need;
        size -= need;
        if (m_partial.size() < m_bytesPerFrame) {
            return;
        }
        pushSample(sampleAt(m_partial.constData()), out);
        m_partial.clear();
    }
    const qsizetype frames = size / m_bytesPerFrame;
    for (qsizetype i = 0; i < frames; ++i) {
        pushSample(sampleAt(bytes + i * m_bytesPerFrame), out);
    }
    m_partial.append(bytes + frames * m_bytesPerFrame, size - frames * m_bytesPerFrame);
}

DtmfDecoder::DtmfDecoder(FrameHandler onFrame) : m_onFrame(std::move(onFrame)) {
    m_rx = dtmf_rx_init(nullptr, &DtmfDecoder::onDigits, this);
    // Some exchanges leave the dial tone on under the identification.
    dtmf_rx_parms(m_rx, 1, -1, -1, -99);
    m_resampler.setFormat(PcmTo8k::kOutputRate, QAudioFormat::Int16, 1);
}

DtmfDecoder::~DtmfDecoder() {
    dtmf_rx_free(m_rx);
}

bool DtmfDecoder::setInputFormat(int sampleRate, QAudioFormat::SampleFormat format, int channels) {
    return m_resampler.setFormat(sampleRate, format, channels);
}

bool DtmfDecoder::setInputFormat(const QAudioFormat& format) {
    return setInputFormat(format.sampleRate(), format.sampleFormat(), format.channelCount());
}

void DtmfDecoder::pushBytes(const char* bytes, qsizetype size) {
    m_buffer.clear();
    m_resampler.push(bytes, size, m_buffer);
    push8k(m_buffer.data(), static_cast<qsizetype>(m_buffer.size()));
}

void DtmfDecoder::push8k(const int16_t* samples, qsizetype count) {
    for (qsizetype done = 0; done < count; done += kChunk) {
        const qsizetype n = std::min(kChunk, count - done);
        // The digits of this chunk are reported from inside dtmf_rx, stamped with its end.
        m_samples += n;
        dtmf_rx(m_rx, samples + done, static_cast<int>(n));
        m_assembler.advance(elapsedMs());
    }
}

void DtmfDecoder::onDigits(void* self, const char* digits, int count) {
    auto* decoder = static_cast<DtmfDecoder*>(self);
    for (int i = 0; i < count; ++i) {
        if (auto frame = decoder->m_assembler.digit(digits[i], decoder->elapsedMs())) {
            if (decoder->m_onFrame) {
                decoder->m_onFrame(*frame);
            }
        }
    }
}
