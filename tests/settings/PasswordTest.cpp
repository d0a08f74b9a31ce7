#include "settings/Password.h"

#include "settings/Scramble.h"
#include "settings/SettingsIo.h"
#include "store/ApplicationTable.h"
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

TEST(PasswordStore, SavedPasswordLoadsBackInUpperCase)
{
    // Some passwords scramble into control characters, even NUL; they must survive the database.
    for (const char* entry : {"secret", " Hello World ", "QWERTY", "qwertymango"}) {
        TestFolder folder;
        ApplicationTable table(folder.database());
        const QString held = Password::save(table, QString::fromLatin1(entry));
        EXPECT_EQ(held, QString::fromLatin1(entry).trimmed().toUpper());
        EXPECT_EQ(SettingsIo::load(table.read()).password, held) << entry;
    }
}

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
