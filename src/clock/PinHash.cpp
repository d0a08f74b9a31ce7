#include "clock/PinHash.h"

#include <QRegularExpression>
#include <sodium.h>

namespace {
bool ready()
{
    // Safe to call from several threads and more than once.
    return sodium_init() >= 0;
}
} // namespace

bool PinHash::isWellFormed(const QString& pin)
{
    // Anchored whole: "$" alone would let a PIN end in a line break.
    static const QRegularExpression digits(QRegularExpression::anchoredPattern(QStringLiteral("[0-9]{4,8}")));
    return digits.match(pin).hasMatch();
}

QString PinHash::make(const QString& pin, Cost cost)
{
    if (!ready())
        return {};
    const QByteArray bytes = pin.toUtf8();
    const bool least = cost == Cost::Least;
    char hash[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str_alg(
            hash, bytes.constData(), static_cast<unsigned long long>(bytes.size()),
            least ? crypto_pwhash_argon2id_OPSLIMIT_MIN : crypto_pwhash_OPSLIMIT_INTERACTIVE,
            least ? crypto_pwhash_argon2id_MEMLIMIT_MIN : crypto_pwhash_MEMLIMIT_INTERACTIVE,
            crypto_pwhash_ALG_ARGON2ID13) != 0)
        return {};
    return QString::fromLatin1(hash);
}

bool PinHash::matches(const QString& hash, const QString& pin)
{
    if (!ready() || hash.isEmpty())
        return false;
    const QByteArray stored = hash.toLatin1();
    const QByteArray bytes = pin.toUtf8();
    return crypto_pwhash_str_verify(stored.constData(), bytes.constData(),
                                    static_cast<unsigned long long>(bytes.size())) == 0;
}
