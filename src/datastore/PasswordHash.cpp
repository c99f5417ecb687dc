#include "datastore/PasswordHash.h"

#include <QCryptographicHash>
#include <QPasswordDigestor>
#include <QRandomGenerator>
#include <QStringList>

namespace {

const QString scheme = QStringLiteral("pbkdf2-sha256");
const QString oldScheme = QStringLiteral("sha256");
constexpr int oldRounds = 10000;
constexpr int saltBytes = 16;
constexpr int keyBytes = 32;
// Bounds on a stored count: a damaged or hostile field must not make a login take hours.
constexpr int maxIterations = 10000000;
int testIterations = 0;
int derivations = 0;

QByteArray derive(const QByteArray &salt, const QString &password, int iterations)
{
    ++derivations;
    return QPasswordDigestor::deriveKeyPbkdf2(
        QCryptographicHash::Sha256, password.toUtf8(), salt, iterations, keyBytes);
}

QByteArray oldDigest(const QByteArray &salt, const QString &password)
{
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

int PasswordHash::DerivationCount()
{
    return derivations;
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

bool PasswordHash::Matches(const QString &stored, const QString &password)
{
    const QStringList parts = stored.split('$');
    if (parts.size() == 4 && parts[0] == scheme) {
        bool ok = false;
        const int iterations = parts[1].toInt(&ok);
        const QByteArray salt = QByteArray::fromHex(parts[2].toLatin1());
        const QByteArray expected = QByteArray::fromHex(parts[3].toLatin1());
        if (!ok || iterations < 1 || iterations > maxIterations || salt.isEmpty() || expected.size() != keyBytes)
            return false;
        return sameBytes(derive(salt, password, iterations), expected);
    }
    if (parts.size() == 3 && parts[0] == oldScheme) {
        const QByteArray salt = QByteArray::fromHex(parts[1].toLatin1());
        const QByteArray expected = QByteArray::fromHex(parts[2].toLatin1());
        if (salt.isEmpty() || expected.size() != QCryptographicHash::hashLength(QCryptographicHash::Sha256))
            return false;
        return sameBytes(oldDigest(salt, password), expected);
    }
    return false;
}

bool PasswordHash::NeedsRehash(const QString &stored)
{
    const QStringList parts = stored.split('$');
    return parts.size() != 4 || parts[0] != scheme || parts[1].toInt() < iterations();
}

void PasswordHash::MatchNothing(const QString &password)
{
    const QByteArray salt(saltBytes, '\0');
    sameBytes(derive(salt, password, iterations()), QByteArray(keyBytes, '\0'));
}
