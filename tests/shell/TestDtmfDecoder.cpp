#include "shell/DtmfDecoder.h"

#include <QtTest>

#include <cmath>
#include <numbers>
#include <random>

namespace {

// A tone-line synthesiser: 70 ms tones, 70 ms gaps, amplitude per tone at about -10 dBm0.
struct Line {
    int rate = 8000;
    std::vector<double> samples; // full scale = 1.0
    std::mt19937 random{7};

    static std::pair<double, double> pair(char d) {
        static const char* keys = "123A456B789C*0#D";
        const double low[] = {697, 770, 852, 941};
        const double high[] = {1209, 1336, 1477, 1633};
        const int i = int(std::strchr(keys, d) - keys);
        return {low[i / 4], high[i % 4]};
    }
    void silence(double ms) { samples.resize(samples.size() + size_t(ms * rate / 1000)); }
    void tones(const char* digits, double level = 0.22) {
        for (const char* d = digits; *d; ++d) {
            const auto [f1, f2] = pair(*d);
            const size_t n = size_t(0.070 * rate);
            for (size_t i = 0; i < n; ++i) {
                const double t = double(i) / rate;
                samples.push_back(level * (std::sin(2 * std::numbers::pi * f1 * t) +
                                           std::sin(2 * std::numbers::pi * f2 * t)));
            }
            silence(70);
        }
    }
    void dialTone(size_t from, size_t count, double level) {
        samples.resize(std::max(samples.size(), from + count));
        for (size_t i = 0; i < count; ++i) {
            const double t = double(from + i) / rate;
            samples[from + i] += level * (std::sin(2 * std::numbers::pi * 350 * t) +
                                          std::sin(2 * std::numbers::pi * 440 * t));
        }
    }
    void noise(double rms) {
        std::normal_distribution<double> n(0, rms);
        for (double& s : samples) {
            s += n(random);
        }
    }
    std::vector<int16_t> int16() const {
        std::vector<int16_t> out;
        for (double s : samples) {
            out.push_back(int16_t(std::lround(std::clamp(s, -1.0, 1.0) * 32767)));
        }
        return out;
    }
};

QStringList decode(const Line& line) {
    QStringList frames;
    DtmfDecoder decoder([&](const QString& f) { frames << f; });
    const auto pcm = line.int16();
    decoder.push8k(pcm.data(), qsizetype(pcm.size()));
    return frames;
}

} // namespace

class TestDtmfDecoder : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanFramesDecode() {
        Line line;
        line.silence(200);
        line.tones("A111987654321C");
        line.silence(500);
        line.tones("A11123456789C");
        line.silence(300);
        QCOMPARE(decode(line),
                 QStringList({QStringLiteral("A111987654321C"), QStringLiteral("A11123456789C")}));
    }

    void noiseDialToneAndLevelChanges() {
        Line line;
        line.dialTone(0, 8000, 0.1); // a second of dial tone before
        line.silence(100);
        const size_t start = line.samples.size();
        line.tones("A1", 0.3);
        line.tones("1198", 0.1);
        line.tones("7654321C", 0.2);
        line.dialTone(start, line.samples.size() - start, 0.03); // and quietly underneath
        line.silence(300);
        line.noise(0.022); // about 20 dB under the tones
        QCOMPARE(decode(line), QStringList({QStringLiteral("A111987654321C")}));
    }

    void lostTerminatorAndRestrictedGiveNothingAndTheNextFrameStillDecodes() {
        Line line;
        line.tones("A11198765432");
        line.silence(2000);
        line.tones("4321C"); // the tail alone is no number
        line.silence(500);
        line.tones("B10C");
        line.silence(500);
        line.tones("A11133334444C");
        line.silence(300);
        QCOMPARE(decode(line), QStringList({QStringLiteral("A11133334444C")}));
    }

    void resamplesFrom48kFloatStereo() {
        Line line;
        line.rate = 48000;
        line.silence(100);
        line.tones("A111987654321C");
        line.silence(300);
        line.noise(0.01);
        QByteArray bytes;
        for (double s : line.samples) {
            const float l = float(s), r = 0.5f; // second channel is ignored
            bytes.append(reinterpret_cast<const char*>(&l), 4);
            bytes.append(reinterpret_cast<const char*>(&r), 4);
        }
        QStringList frames;
        DtmfDecoder decoder([&](const QString& f) { frames << f; });
        QVERIFY(decoder.setInputFormat(48000, QAudioFormat::Float, 2));
        // Odd-sized pushes split frames across calls.
        for (qsizetype i = 0; i < bytes.size(); i += 1001) {
            decoder.pushBytes(bytes.constData() + i, std::min<qsizetype>(1001, bytes.size() - i));
        }
        QCOMPARE(frames, QStringList({QStringLiteral("A111987654321C")}));
        QCOMPARE(decoder.samples(), qint64(line.samples.size() / 6));
    }
};

QTEST_GUILESS_MAIN(TestDtmfDecoder)
#include "TestDtmfDecoder.moc"
