#include "masterdata/PasswordHash.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QPasswordDigestor>
#include <QRandomGenerator>
#include <QStringList>

#include <array>

namespace {

const QString kPrefix = QStringLiteral("pbkdf2-sha256$");
constexpr int kSaltBytes = 16;
constexpr int kHashBytes = 32;
// A stored count far above any sensible one would stall the login screen.
constexpr int kMaxIterations = 10'000'000;

QByteArray derive(const QString& password, const QByteArray& salt, int iterations) {
    return QPasswordDigestor::deriveKeyPbkdf2(QCryptographicHash::Sha256, password.toUtf8(), salt,
                                              iterations, kHashBytes);
}

QByteArray decodeBase64(const QString& text) {
    const auto decoded =
        QByteArray::fromBase64Encoding(text.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    return decoded ? *decoded : QByteArray();
}

} // namespace

namespace PasswordHash {

QString hash(const QString& password) {
    std::array<quint32, kSaltBytes / sizeof(quint32)> words{};
    QRandomGenerator::system()->fillRange(words.data(), words.size());
    const QByteArray salt(reinterpret_cast<const char*>(words.data()), kSaltBytes);
    return kPrefix + QString::number(kIterations) + QLatin1Char('$') +
           QString::fromLatin1(salt.toBase64()) + QLatin1Char('$') +
           QString::fromLatin1(derive(password, salt, kIterations).toBase64());
}

bool verify(const QString& password, const QString& stored) {
    if (!isHash(stored)) {
        return false;
    }
    const QStringList parts = stored.mid(kPrefix.size()).split(QLatin1Char('$'));
    if (parts.size() != 3) {
        return false;
    }
    bool numeric = false;
    const int iterations = parts.at(0).toInt(&numeric);
    const QByteArray salt = decodeBase64(parts.at(1));
    const QByteArray expected = decodeBase64(parts.at(2));
    if (!numeric || iterations < 1 || iterations > kMaxIterations || salt.isEmpty() ||
        expected.size() != kHashBytes) {
        return false;
    }
    return sameBytes(derive(password, salt, iterations), expected);
}

bool isHash(const QString& stored) {
    return stored.startsWith(kPrefix);
}

bool sameBytes(const QByteArray& a, const QByteArray& b) {
    if (a.size() != b.size()) {
        return false;
    }
    unsigned char difference = 0;
    for (qsizetype i = 0; i < a.size(); ++i) {
        difference |= static_cast<unsigned char>(a[i] ^ b[i]);
    }
    return difference == 0;
}

} // namespace PasswordHash
