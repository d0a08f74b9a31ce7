// The PIN step on the real clock screen: chosen at the first punch, typed at the next, digits only.
#include "ClockFixture.h"
#include "store/PinTable.h"

#include <gtest/gtest.h>

TEST(PinWindow, APinIsChosenAtTheFirstPunchAndAskedForAtTheNext)
{
    ClockFixture f;
    f.session.updateSettings([](SettingsRecord& s) {
        s.askPin = true;
        s.keepInSeconds = 1;
        s.keepOutSeconds = 1;
    });
    f.open();
    auto* prompt = f.child<QLabel>("lblPrompt");
    auto* message = f.child<QLabel>("Label4");
    auto* box = f.child<QLineEdit>("Text1");
    f.punch(QStringLiteral("7"));
    EXPECT_EQ(prompt->text(), QStringLiteral("Choose a PIN of 4 to 8 digits"));
    EXPECT_EQ(box->echoMode(), QLineEdit::Password);
    f.punch(QStringLiteral("12a3b4"));
    EXPECT_EQ(prompt->text(), QStringLiteral("Type it again"));
    f.punch(QStringLiteral("1234"));
    EXPECT_EQ(message->text(), QStringLiteral("One moment..."));
    EXPECT_TRUE(f.window->acceptsNoInput());
    EXPECT_TRUE(f.rows().isEmpty()); // the punch waits for the PIN to be kept
    // The hash is made off the screen's thread; the screen goes on meanwhile.
    QTRY_COMPARE_WITH_TIMEOUT(f.rows().size(), 1, 20000);
    EXPECT_TRUE(f.panelShown());
    EXPECT_FALSE(f.rows().at(0).clockOut);
    EXPECT_EQ(prompt->text(), f.session.settings().enterId);
    EXPECT_TRUE(
        PinTable(f.folder.database()).of(QStringLiteral("7")).hash.startsWith(QStringLiteral("$argon2id$")));

    f.time.advanceSeconds(3600);
    f.window->tick();
    f.punch(QStringLiteral("7"));
    EXPECT_EQ(prompt->text(), QStringLiteral("Type your PIN"));
    f.punch(QStringLiteral("4321"));
    QTRY_COMPARE_WITH_TIMEOUT(message->text(), QStringLiteral("Wrong PIN, 4 tries left"), 20000);
    EXPECT_EQ(f.rows().size(), 1);
    f.punch(QStringLiteral("1234"));
    QTRY_COMPARE_WITH_TIMEOUT(f.rows().size(), 2, 20000);
    EXPECT_TRUE(f.rows().at(1).clockOut);
}
