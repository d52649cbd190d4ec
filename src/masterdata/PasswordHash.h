#pragma once

#include <QByteArray>
#include <QString>

// Passwords kept as salted slow hashes. New ones are Argon2id in libsodium's form
// ("$argon2id$v=19$m=…,t=…,p=1$<salt>$<hash>"); the older "pbkdf2-sha256$<iterations>$<salt>
// $<hash>" still verifies and is replaced at the user's next login. A stored value in neither
// form is the plain text an older database kept.
namespace PasswordHash {

// A new hash with a fresh random salt; about a tenth of a second.
QString hash(const QString& password);
// True only when `stored` is a well-formed hash of `password`. Stored costs above a sane
// maximum are refused, not computed: they would stall the login.
bool verify(const QString& password, const QString& stored);
// True for anything in a hash form, well formed or not.
bool isHash(const QString& stored);
// A hash in an older form or with other costs than today's, to be made again.
bool needsUpgrade(const QString& stored);
// Equality whose time depends on the lengths only, not on where the contents differ.
bool sameBytes(const QByteArray& a, const QByteArray& b);

} // namespace PasswordHash
