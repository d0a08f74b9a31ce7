#include "settings/Password.h"

#include "settings/Scramble.h"
#include "settings/SettingsIo.h"
#include "store/ApplicationTable.h"
#include "support/BackendTest.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

using Password::KeyAction;

TEST(PasswordKeys, FilterTable)
{
    struct Case {
        char16_t typed;
        KeyAction action;
        char16_t stored;
    };
    using enum KeyAction;
    // clang-format off
    const Case cases[] = {
        {u'a', Accept, u'A'}, {u'^', Accept, u'^'}, {u' ', Accept, u' '}, {u'\b', Accept, u'\b'},
        {u'\r', Enter, 0}, {u'_', Refuse, 0}, {u'`', Refuse, 0}, {u'~', Refuse, 0}, {u'\t', Refuse, 0},
        {0x16, Refuse, 0}, {u'\u00e9', Refuse, 0}, {u'\u00df', Refuse, 0},
    };
    // clang-format on
    for (const Case& c : cases) {
        const Password::KeyDecision d = Password::filterKey(QChar(c.typed));
        EXPECT_EQ(d.action, c.action) << int(c.typed);
        if (c.action == KeyAction::Accept) {
            EXPECT_EQ(d.character, QChar(c.stored)) << int(c.typed);
        }
    }
}

TEST(PasswordCheck, TypedEntries)
{
    struct Case {
        const char* typed;
        Password::CheckResult result;
    };
    using enum Password::CheckResult;
    const Case cases[] = {{"", Ignored},     {"x", Ignored}, {"  s  ", Ignored}, {"  SeCrEt ", Unlocked},
                          {"secre", Denied}, {"ab", Denied}, {"secret!", Denied}};
    for (const Case& c : cases)
        EXPECT_EQ(Password::check(QString::fromLatin1(c.typed), QStringLiteral("SECRET")), c.result)
            << c.typed;
}

TEST(Scramble, RoundTripsAroundTheKeyLength)
{
    const QString texts[] = {QString(), QStringLiteral("A"), QStringLiteral("ABCDEFGHIJKLMNOPQRSTU"),
                             QString(50, QLatin1Char('Z'))};
    for (const QString& text : texts) {
        const QString scrambled = Scramble::apply(text);
        EXPECT_EQ(scrambled.size(), text.size());
        if (!text.isEmpty()) {
            EXPECT_NE(scrambled, text);
        }
        EXPECT_EQ(Scramble::apply(scrambled), text) << text.toStdString();
    }
}

class PasswordStore : public BackendTest {};

TEST_P(PasswordStore, SavedPasswordLoadsBackInUpperCase)
{
    // Some passwords scramble into control characters, even NUL; they must survive the database.
    for (const char* entry : {"secret", " Hello World ", "QWERTY", "qwertymango", "QUICK1"}) {
        TestFolder folder(backend());
        ApplicationTable table(folder.database());
        const QString held = Password::save(table, QString::fromLatin1(entry));
        EXPECT_EQ(held, QString::fromLatin1(entry).trimmed().toUpper());
        EXPECT_EQ(SettingsIo::load(table.read()).password, held) << entry;
    }
}

// Every character a scrambled password can hold, NUL among them, at every position a password can
// have: what is written is read back unchanged.
TEST_P(PasswordStore, EveryScrambledValueRoundTrips)
{
    TestFolder folder(backend());
    ApplicationTable table(folder.database());
    QString everyCode;
    for (char16_t code = 0; code < 128; ++code)
        everyCode.append(QChar(code));
    table.write({{QStringLiteral("PW"), everyCode}});
    EXPECT_EQ(table.read().value(QStringLiteral("PW")).toString(), everyCode);

    const QString key = Scramble::apply(QString(Password::maximumLength, QChar(0)));
    for (qsizetype position = 0; position < Password::maximumLength; ++position) {
        // the character that scrambles to NUL at this position, amid ordinary ones
        QString entry = QStringLiteral("A1B2C3D4E5F6").left(Password::maximumLength);
        entry[position] = key[position];
        ASSERT_EQ(Scramble::apply(entry).at(position), QChar(0));
        const QString held = Password::save(table, entry);
        EXPECT_EQ(SettingsIo::load(table.read()).password, held) << position;
    }
}
TELLARIN_ON_BOTH_BACKENDS(PasswordStore);

TEST(ResetCode, ClearsOnlyWithTodaysCode)
{
    // The codes support reads off its sheet.
    EXPECT_EQ(Password::resetCode(QDate(2026, 1, 1)), 4382);
    EXPECT_EQ(Password::resetCode(QDate(2024, 2, 29)), 16927);
    const QDate today(2026, 12, 5);
    struct Case {
        const char* typed;
        bool stored; // whether PW holds a value at all
        bool cleared;
    };
    const Case cases[] = {
        // today, with blanks, a wrong one, yesterday's, nothing, not a number, no PW value at all
        {"19865", true, true}, {" 19865 ", true, true}, {"19866", true, false},  {"19462", true, false},
        {"", true, false},     {"abc", true, false},    {"19865", false, false},
    };
    for (const Case& c : cases) {
        TestFolder folder;
        ApplicationTable table(folder.database());
        if (c.stored)
            Password::save(table, QStringLiteral("secret"));
        EXPECT_EQ(Password::clearByResetCode(table, QString::fromLatin1(c.typed), today), c.cleared)
            << c.typed;
        EXPECT_EQ(SettingsIo::load(table.read()).password.isEmpty(), c.cleared || !c.stored) << c.typed;
    }
}
