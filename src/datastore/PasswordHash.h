#pragma once

#include <QString>

// The form in which passwords are kept in the user tables: "sha256$<salt>$<digest>", salt and
// digest in hex, the digest being SHA-256 applied many times over salt and password. A stolen
// database file then gives away no password, and equal passwords do not look alike.
class PasswordHash {
public:
    // A new hash of `password` with a fresh random salt.
    static QString Make(const QString &password);
    // Whether `password` is the one `stored` was made from. Anything not in the form above
    // (an empty field, a plain-text password of an old file) never matches.
    static bool Matches(const QString &stored, const QString &password);

private:
    static QByteArray digest(const QByteArray &salt, const QString &password);
};
