#pragma once

#include <QString>

// The form in which passwords are kept in the user tables:
// "pbkdf2-sha256$<iterations>$<salt>$<key>", salt and key in hex, the key derived from the
// password by PBKDF2-HMAC-SHA-256. A stolen database file then gives away no password, and
// equal passwords do not look alike. The count of iterations travels with each hash, so a
// later, larger count leaves the older hashes usable.
//
// Files of earlier versions hold "sha256$<salt>$<digest>" (SHA-256 chained 10,000 times):
// still accepted, and NeedsRehash tells the login to store the current form instead.
class PasswordHash {
public:
    // About a third of a second per login on an office PC with Qt's implementation.
    static constexpr int kIterations = 100000;

    // A new hash of `password` with a fresh random salt.
    static QString Make(const QString &password);
    // Whether `password` is the one `stored` was made from. Anything in neither form above
    // (an empty field, a plain-text password of an old file) never matches. Costs the same
    // whatever `stored` holds (with at most the current count of iterations).
    static bool Matches(const QString &stored, const QString &password);
    // Whether `stored` is in an older form (or with fewer iterations) than Make gives.
    static bool NeedsRehash(const QString &stored);
    // Takes as long as Matches and never matches: for a user name that does not exist, so
    // that the time of a refusal does not tell which names do.
    static void MatchNothing(const QString &password);

    // Makes new hashes with `iterations` instead of kIterations (0 restores it): every test
    // makes a fresh data file, whose six seeded users would otherwise cost two seconds.
    static void UseIterationsForTests(int iterations);
    // How many rounds of hashing (iterations of the key derivation and rounds of the earlier
    // form) have been done so far: tests see that every refusal costs the same.
    static qint64 WorkDone();

private:
    static int iterations();
};
