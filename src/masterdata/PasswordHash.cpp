#include "masterdata/PasswordHash.h"

#include <QCryptographicHash>
#include <QPasswordDigestor>
#include <QRegularExpression>
#include <QStringList>

#include <sodium.h>

#include <stdexcept>

namespace {

const QString kPbkdf2Prefix = QStringLiteral("pbkdf2-sha256$");
const QString kArgonPrefix = QStringLiteral("$argon2id$");
constexpr int kPbkdf2HashBytes = 32;
// About a second of work here; a larger stored count would stall the login screen.
constexpr int kMaxPbkdf2Iterations = 500'000;
// Today's costs keep a login well under 0.3 s on a small machine.
constexpr unsigned long long kOpsLimit = crypto_pwhash_OPSLIMIT_INTERACTIVE;
constexpr size_t kMemLimit = crypto_pwhash_MEMLIMIT_INTERACTIVE;
constexpr qint64 kMaxArgonMemoryKiB = 256 * 1024;
constexpr qint64 kMaxArgonPasses = 10;

void initSodium() {
    if (sodium_init() < 0)
        throw std::runtime_error("libsodium could not start");
}

QByteArray decodeBase64(const QString& text) {
    const auto decoded =
        QByteArray::fromBase64Encoding(text.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    return decoded ? *decoded : QByteArray();
}

bool verifyPbkdf2(const QString& password, const QString& stored) {
    const QStringList parts = stored.mid(kPbkdf2Prefix.size()).split(QLatin1Char('$'));
    if (parts.size() != 3)
        return false;
    bool numeric = false;
    const int iterations = parts.at(0).toInt(&numeric);
    const QByteArray salt = decodeBase64(parts.at(1));
    const QByteArray expected = decodeBase64(parts.at(2));
    if (!numeric || iterations < 1 || iterations > kMaxPbkdf2Iterations || salt.isEmpty() ||
        expected.size() != kPbkdf2HashBytes)
        return false;
    const QByteArray derived = QPasswordDigestor::deriveKeyPbkdf2(
        QCryptographicHash::Sha256, password.toUtf8(), salt, iterations, kPbkdf2HashBytes);
    return PasswordHash::sameBytes(derived, expected);
}

// The memory (KiB) and passes an Argon2id string asks for, checked before any work.
bool argonCostsSane(const QString& stored) {
    static const QRegularExpression costs(QStringLiteral("^\\$argon2id\\$v=19\\$m=(\\d{1,9}),"
                                                         "t=(\\d{1,9}),p=1\\$[^$]+\\$[^$]+$"));
    const QRegularExpressionMatch match = costs.match(stored);
    return match.hasMatch() && match.captured(1).toLongLong() <= kMaxArgonMemoryKiB &&
           match.captured(2).toLongLong() <= kMaxArgonPasses;
}

} // namespace

namespace PasswordHash {

QString hash(const QString& password) {
    initSodium();
    const QByteArray utf8 = password.toUtf8();
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str_alg(out, utf8.constData(), static_cast<unsigned long long>(utf8.size()),
                              kOpsLimit, kMemLimit, crypto_pwhash_ALG_ARGON2ID13) != 0)
        throw std::runtime_error("out of memory while hashing a password");
    return QString::fromLatin1(out);
}

bool verify(const QString& password, const QString& stored) {
    if (stored.startsWith(kPbkdf2Prefix))
        return verifyPbkdf2(password, stored);
    if (!stored.startsWith(kArgonPrefix) || !argonCostsSane(stored))
        return false;
    initSodium();
    const QByteArray utf8 = password.toUtf8();
    return crypto_pwhash_str_verify(stored.toLatin1().constData(), utf8.constData(),
                                    static_cast<unsigned long long>(utf8.size())) == 0;
}

bool isHash(const QString& stored) {
    return stored.startsWith(kPbkdf2Prefix) || stored.startsWith(kArgonPrefix);
}

bool needsUpgrade(const QString& stored) {
    if (!stored.startsWith(kArgonPrefix))
        return true;
    initSodium();
    return crypto_pwhash_str_needs_rehash(stored.toLatin1().constData(), kOpsLimit, kMemLimit) != 0;
}

bool sameBytes(const QByteArray& a, const QByteArray& b) {
    if (a.size() != b.size())
        return false;
    unsigned char difference = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        difference |= static_cast<unsigned char>(a[i] ^ b[i]);
    return difference == 0;
}

} // namespace PasswordHash
