// PIN hashes: the form a PIN must have, and hashes that tell the right PIN from every other.
#include "clock/PinHash.h"

#include <gtest/gtest.h>

TEST(PinHash, APinIsFourToEightDigits)
{
    const struct {
        const char* typed;
        bool wellFormed;
    } cases[] = {
        {"1234", true},   {"00000000", true}, {"123", false},    {"123456789", false}, {"", false},
        {"12a4", false},  {" 1234", false},   {"1234\n", false}, {"١٢٣٤", false}, // other scripts' digits
        {"+1234", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PinHash::isWellFormed(QString::fromUtf8(c.typed)), c.wellFormed) << c.typed;
}

TEST(PinHash, AHashMatchesItsOwnPinOnly)
{
    const QString hash = PinHash::make(QStringLiteral("0420"), PinHash::Cost::Least);
    ASSERT_TRUE(hash.startsWith(QStringLiteral("$argon2id$"))) << hash.toStdString();
    EXPECT_FALSE(hash.contains(QStringLiteral("0420")));
    // A salt of its own: the same PIN never gives the same hash twice.
    EXPECT_NE(PinHash::make(QStringLiteral("0420"), PinHash::Cost::Least), hash);
    for (const char* other : {"420", "04200", "0421", "", "0420 "})
        EXPECT_FALSE(PinHash::matches(hash, QString::fromLatin1(other))) << other;
    EXPECT_TRUE(PinHash::matches(hash, QStringLiteral("0420")));
    EXPECT_FALSE(PinHash::matches(QString(), QStringLiteral("0420")));
    EXPECT_FALSE(PinHash::matches(QStringLiteral("not a hash"), QStringLiteral("0420")));
    EXPECT_FALSE(PinHash::matches(hash.left(hash.size() - 2), QStringLiteral("0420")));
}

// The kiosk's hash is the one a stolen database should meet: Argon2id with 64 MiB and two passes.
TEST(PinHash, TheKioskHashesWithTheInteractiveLimits)
{
    const QString hash = PinHash::make(QStringLiteral("97531"));
    EXPECT_TRUE(hash.startsWith(QStringLiteral("$argon2id$v=19$m=65536,t=2,p=1$"))) << hash.toStdString();
    EXPECT_TRUE(PinHash::matches(hash, QStringLiteral("97531")));
}
