#include "shell/DtmfFrameAssembler.h"

void DtmfFrameAssembler::reset() {
    m_state = State::Idle;
    m_digits.clear();
}

void DtmfFrameAssembler::advance(qint64 ms) {
    if (m_state != State::Idle && ms - m_lastMs > kTimeoutMs) {
        reset();
    }
}

std::optional<QString> DtmfFrameAssembler::digit(char d, qint64 ms) {
    advance(ms);
    m_lastMs = ms;
    switch (d) {
    case 'A':
    case 'D':
        reset();
        m_state = State::Number;
        return std::nullopt;
    case 'B':
        reset();
        m_state = State::Information;
        return std::nullopt;
    case 'C':
    case '#': {
        const bool complete = m_state == State::Number && !m_digits.isEmpty();
        const QString frame = QStringLiteral("A") + m_digits + u'C';
        reset();
        if (complete) {
            return frame;
        }
        return std::nullopt;
    }
    default:
        break;
    }
    if (d < '0' || d > '9') {
        // '*' has no place in a number: the frame is not to be trusted.
        reset();
        return std::nullopt;
    }
    if (m_state == State::Number) {
        m_digits += QLatin1Char(d);
        if (m_digits.size() > kMaxDigits) {
            reset();
        }
    }
    return std::nullopt;
}
