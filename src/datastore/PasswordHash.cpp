#include "datastore/PasswordHash.h"

#include <QCryptographicHash>
#include <QRandomGenerator>
#include <QStringList>

namespace {
const QString scheme = QStringLiteral("sha256");
// Enough rounds to slow down guessing, few enough that a login stays instant.
constexpr int rounds = 10000;
constexpr int saltBytes = 16;
} // namespace

QByteArray PasswordHash::digest(const QByteArray &salt, const QString &password)
{
    const QByteArray secret = password.toUtf8();
    QByteArray value = QCryptographicHash::hash(salt + secret, QCryptographicHash::Sha256);
    for (int i = 1; i < rounds; ++i)
        value = QCryptographicHash::hash(value + salt + secret, QCryptographicHash::Sha256);
    return value;
}

QString PasswordHash::Make(const QString &password)
{
    QByteArray salt(saltBytes, Qt::Uninitialized);
    for (char &byte : salt)
        byte = static_cast<char>(QRandomGenerator::system()->bounded(256));
    return scheme + '$' + QString::fromLatin1(salt.toHex()) + '$' + QString::fromLatin1(digest(salt, password).toHex());
}

bool PasswordHash::Matches(const QString &stored, const QString &password)
{
    const QStringList parts = stored.split('$');
    if (parts.size() != 3 || parts[0] != scheme)
        return false;
    const QByteArray salt = QByteArray::fromHex(parts[1].toLatin1());
    const QByteArray expected = QByteArray::fromHex(parts[2].toLatin1());
    if (salt.isEmpty() || expected.size() != QCryptographicHash::hashLength(QCryptographicHash::Sha256))
        return false;
    const QByteArray actual = digest(salt, password);
    // Compare every byte so that the time taken tells nothing about where they differ.
    char difference = 0;
    for (int i = 0; i < actual.size(); ++i)
        difference |= static_cast<char>(actual[i] ^ expected[i]);
    return difference == 0;
}
