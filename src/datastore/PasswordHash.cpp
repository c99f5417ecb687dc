#include "datastore/PasswordHash.h"

#include <QCryptographicHash>
#include <QPasswordDigestor>
#include <QRandomGenerator>
#include <QStringList>

#include <atomic>

namespace {

const QString scheme = QStringLiteral("pbkdf2-sha256");
const QString oldScheme = QStringLiteral("sha256");
constexpr int oldRounds = 10000;
constexpr int saltBytes = 16;
constexpr int keyBytes = 32;
// Bounds on a stored count: a damaged or hostile field must not make a login take hours.
constexpr int maxIterations = 10000000;
int testIterations = 0;
std::atomic<qint64> work { 0 };

QByteArray derive(const QByteArray &salt, const QString &password, int iterations)
{
    work += iterations;
    return QPasswordDigestor::deriveKeyPbkdf2(
        QCryptographicHash::Sha256, password.toUtf8(), salt, iterations, keyBytes);
}

QByteArray oldDigest(const QByteArray &salt, const QString &password)
{
    work += oldRounds;
    const QByteArray secret = password.toUtf8();
    QByteArray value = QCryptographicHash::hash(salt + secret, QCryptographicHash::Sha256);
    for (int i = 1; i < oldRounds; ++i)
        value = QCryptographicHash::hash(value + salt + secret, QCryptographicHash::Sha256);
    return value;
}

// Compares every byte, so that the time taken tells nothing about where they differ.
bool sameBytes(const QByteArray &a, const QByteArray &b)
{
    if (a.size() != b.size())
        return false;
    char difference = 0;
    for (int i = 0; i < a.size(); ++i)
        difference |= static_cast<char>(a[i] ^ b[i]);
    return difference == 0;
}

} // namespace

int PasswordHash::iterations()
{
    return testIterations > 0 ? testIterations : kIterations;
}

qint64 PasswordHash::WorkDone()
{
    return work;
}

void PasswordHash::UseIterationsForTests(int count)
{
    testIterations = count;
}

QString PasswordHash::Make(const QString &password)
{
    QByteArray salt(saltBytes, Qt::Uninitialized);
    for (char &byte : salt)
        byte = static_cast<char>(QRandomGenerator::system()->bounded(256));
    const int count = iterations();
    return QStringList { scheme, QString::number(count), QString::fromLatin1(salt.toHex()),
        QString::fromLatin1(derive(salt, password, count).toHex()) }
        .join('$');
}

// Every check derives a current key and makes a digest of the earlier form, whatever `stored`
// holds (a current or an earlier hash, an empty or a plain field, no row at all), and throws
// away the one it does not need: the time of a refusal tells nothing of the row.
bool PasswordHash::Matches(const QString &stored, const QString &password)
{
    const QByteArray unused(saltBytes, '\0');
    const QStringList parts = stored.split('$');
    bool matches = false;
    int derived = 0;
    if (parts.size() == 4 && parts[0] == scheme) {
        bool ok = false;
        const int count = parts[1].toInt(&ok);
        const QByteArray salt = QByteArray::fromHex(parts[2].toLatin1());
        const QByteArray expected = QByteArray::fromHex(parts[3].toLatin1());
        if (ok && count >= 1 && count <= maxIterations && !salt.isEmpty() && expected.size() == keyBytes) {
            matches = sameBytes(derive(salt, password, count), expected);
            derived = count;
        }
    }
    // A hash made with fewer iterations, or none, is made up to the current count.
    if (derived < iterations())
        derive(unused, password, iterations() - derived);
    const QByteArray oldSalt = parts.size() == 3 && parts[0] == oldScheme ? QByteArray::fromHex(parts[1].toLatin1())
                                                                          : QByteArray();
    const QByteArray oldExpected = parts.size() == 3 ? QByteArray::fromHex(parts[2].toLatin1()) : QByteArray();
    const QByteArray digest = oldDigest(oldSalt.isEmpty() ? unused : oldSalt, password);
    if (!oldSalt.isEmpty() && oldExpected.size() == QCryptographicHash::hashLength(QCryptographicHash::Sha256))
        matches = sameBytes(digest, oldExpected);
    return matches;
}

bool PasswordHash::NeedsRehash(const QString &stored)
{
    const QStringList parts = stored.split('$');
    return parts.size() != 4 || parts[0] != scheme || parts[1].toInt() < iterations();
}

void PasswordHash::MatchNothing(const QString &password)
{
    Matches(QString(), password);
}
