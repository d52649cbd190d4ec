#pragma once

#include <QString>

#include <optional>

// Puts the caller-identification frame together from the tone digits as they are detected,
// on the audio's own clock (milliseconds of samples, not wall time).
//
// A frame is a start character (A, or D on some exchanges), digits, and an end character
// (C, or #). B starts an information frame (B00C: number unavailable, B10C: restricted),
// which is swallowed. Digits outside a frame are line noise or a dialled number and are
// dropped; a start character inside a frame begins a new one. A frame with a gap longer than
// the time-out, or longer than any real number, is dropped whole: a half number is never
// reported.
class DtmfFrameAssembler {
public:
    static constexpr qint64 kTimeoutMs = 1500;
    static constexpr int kMaxDigits = 20;

    // One detected digit ("0"-"9", "*", "#", "A"-"D") at `ms`. Returns the frame when this
    // digit completes one, normalised to "A" + digits + "C".
    std::optional<QString> digit(char d, qint64 ms);
    // The clock moved on without a digit: drops a frame left open too long.
    void advance(qint64 ms);

    bool inFrame() const { return m_state != State::Idle; }

private:
    enum class State { Idle, Number, Information };
    void reset();

    State m_state = State::Idle;
    QString m_digits;
    qint64 m_lastMs = 0;
};
