#pragma once

#include <QByteArray>
#include <QString>

// Passwords kept as salted slow hashes, "pbkdf2-sha256$<iterations>$<salt>$<hash>" with the
// salt and hash in base64. A stored value without the "pbkdf2-sha256$" prefix is the plain
// text an older database kept.
namespace PasswordHash {

inline constexpr int kIterations = 120000;

// A new hash with a fresh random salt.
QString hash(const QString& password);
// True only when `stored` is a well-formed hash of `password`; the comparison takes the same
// time wherever the first difference lies.
bool verify(const QString& password, const QString& stored);
// True for anything in the hash form, well formed or not.
bool isHash(const QString& stored);
// Equality whose time depends on the lengths only, not on where the contents differ.
bool sameBytes(const QByteArray& a, const QByteArray& b);

} // namespace PasswordHash
