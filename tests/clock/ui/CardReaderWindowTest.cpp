// Card and barcode readers at the clock screen: a burst of keys and Enter is one reading wherever the
// focus is, and the confirmation of a stored punch adds the week's hours when asked to.
#include "ClockFixture.h"
#include "store/BadgeTable.h"
#include "store/StaffTable.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {
struct ReaderFixture : ClockFixture {
    ReaderFixture()
    {
        session.setEmployeeSource(EmployeeSource::LocalFiles);
        session.updateSettings([](SettingsRecord& s) { s.keepInSeconds = s.keepOutSeconds = 3; });
        StaffTable(folder.database())
            .replaceAll({{QStringLiteral("Ann Lee"), 4, 46360, QStringLiteral("A1"), 3, 0, 0},
                         {QStringLiteral("Bob Roe"), 5, 46360, QStringLiteral("B2"), 3, 0, 0}});
        BadgeTable(folder.database())
            .assign(QStringLiteral("A1"), QStringLiteral("0004512345"), {time.now(), QStringLiteral("manager")});
    }
    // Keys as a reader types them, `gap` ms apart, into `target`; "\n" is Enter.
    void type(QWidget* target, const QString& keys, int gap = 10)
    {
        for (const QChar c : keys) {
            time.advanceMilliseconds(gap);
            if (c == QLatin1Char('\n'))
                QTest::keyClick(target, Qt::Key_Return);
            else
                QTest::keyClick(target, c.toLatin1());
        }
    }
    // The screen's next look after the reader went quiet.
    void settle()
    {
        time.advanceMilliseconds(100);
        window->tick();
    }
    QLineEdit* idBox() { return child<QLineEdit>("Text1"); }
};
} // namespace

TEST(CardReaderWindow, ABurstIsOneReadingWhereverTheFocusIs)
{
    struct Case {
        const char* name;
        bool focusInIdBox;
        const char* typedFirst; // by hand, 200 ms a key, before the card
        const char* keys;
        const char* panelName;
    };
    const Case cases[] = {
        {"focus elsewhere", false, "", "0004512345\n", "Ann Lee"},
        {"into the ID box", true, "", "0004512345\n", "Ann Lee"},
        {"after a half-typed ID", true, "B", "0004512345\n", "Ann Lee"},
        {"an Enter inside the burst", false, "", "00045\n12345\n", "Ann Lee"},
        {"a reader's CR LF", true, "", "0004512345\n\n", "Ann Lee"},
        {"an ID on a barcode", false, "", "b2\n", nullptr}, // too short for a reader: nothing
        {"an ID on a longer barcode", false, "", "0000B2\n", "Card 0000B2 not known"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ReaderFixture f;
        f.open();
        f.window->tick();
        if (!c.focusInIdBox)
            f.idBox()->clearFocus();
        f.type(c.focusInIdBox ? static_cast<QWidget*>(f.idBox()) : f.window.get(), QString::fromLatin1(c.typedFirst),
               200);
        f.time.advanceMilliseconds(300);
        f.type(c.focusInIdBox ? static_cast<QWidget*>(f.idBox()) : f.window.get(), QString::fromLatin1(c.keys));
        // Nothing happens while the reader may still be sending.
        EXPECT_FALSE(f.panelShown());
        f.settle();
        EXPECT_EQ(f.panelShown(), c.panelName != nullptr);
        if (c.panelName) {
            EXPECT_EQ(f.line(0), QString::fromLatin1(c.panelName));
        }
        EXPECT_EQ(f.rows().size(), c.panelName && QByteArray(c.panelName) == "Ann Lee" ? 1 : 0);
        EXPECT_TRUE(f.idBox()->text().isEmpty());
    }
}

// Typing at the keypad's pace is the ID box as it always was.
TEST(CardReaderWindow, ATypedIdIsUnchanged)
{
    ReaderFixture f;
    f.open();
    f.window->tick();
    f.type(f.idBox(), QStringLiteral("0004512345"), 150);
    f.time.advanceMilliseconds(150);
    QTest::keyClick(f.idBox(), Qt::Key_Return);
    EXPECT_EQ(f.child<QLabel>("Label4")->text(), QStringLiteral("ID 0004512345  not found"));
    f.waitSeconds(2);
    f.type(f.idBox(), QStringLiteral("b2"), 150);
    f.time.advanceMilliseconds(150);
    QTest::keyClick(f.idBox(), Qt::Key_Return);
    EXPECT_EQ(f.line(0), QStringLiteral("Bob Roe"));
    EXPECT_EQ(f.rows().size(), 1);
}

// Two cards in a row are two readings; with the guard the second read of one card is refused, and a
// card read while a confirmation is up is dropped whole, not taken in part once it goes.
TEST(CardReaderWindow, TwoBurstsInARow)
{
    ReaderFixture f;
    f.session.updateSettings([](SettingsRecord& s) {
        s.guardSeconds = 60;
        s.keepInSeconds = 1;
    });
    f.open();
    f.window->tick();
    f.idBox()->clearFocus();
    f.type(f.window.get(), QStringLiteral("0004512345\n"));
    f.settle();
    EXPECT_EQ(f.line(0), QStringLiteral("Ann Lee"));
    // The same card again while the panel is up: nothing.
    f.type(f.window.get(), QStringLiteral("0004512345"));
    f.time.advanceMilliseconds(900);
    f.window->tick(); // the panel goes between the reader's keys and its Enter
    f.type(f.window.get(), QStringLiteral("\n"));
    f.settle();
    EXPECT_FALSE(f.panelShown());
    EXPECT_EQ(f.rows().size(), 1);

    f.time.advanceSeconds(5);
    f.type(f.window.get(), QStringLiteral("0004512345\n"));
    f.settle();
    EXPECT_EQ(f.line(2), QStringLiteral("Already clocked In at 08:00:00"));
    EXPECT_TRUE(f.child("pnlFin")->styleSheet().contains(QStringLiteral("rgb(255,0,0)")));
    EXPECT_EQ(f.rows().size(), 1);
    f.waitSeconds(3);
    EXPECT_FALSE(f.panelShown());

    f.time.advanceSeconds(60);
    f.type(f.window.get(), QStringLiteral("7777000011\n"));
    f.settle();
    EXPECT_EQ(f.line(0), QStringLiteral("Card 7777000011 not known"));
    EXPECT_EQ(f.sounds.played.last(), QStringLiteral("Error"));
    f.waitSeconds(3);
    f.type(f.window.get(), QStringLiteral("0004512345\n"));
    f.settle();
    EXPECT_EQ(f.line(2), QStringLiteral("Clocking Out"));
    EXPECT_EQ(f.rows().size(), 2);
}

TEST(CardReaderWindow, TheWeeksHoursFollowAStoredPunchWhenAskedFor)
{
    for (const bool asked : {false, true}) {
        SCOPED_TRACE(asked);
        ReaderFixture f;
        f.session.updateSettings([&](SettingsRecord& s) {
            s.showWeekHours = asked;
            s.guardSeconds = 60;
            s.keepInSeconds = 1;
        });
        f.open();
        QStringList askedFor;
        f.window->setWeekHours([&](const QString& id) {
            askedFor.append(id);
            return QStringLiteral("This week: 31:45, overtime 1:45");
        });
        f.punch(QStringLiteral("b2"));
        QLabel* week = f.child<QLabel>("pnlLine1");
        EXPECT_EQ(!week->isHidden(), asked);
        if (asked) {
            EXPECT_EQ(week->text(), QStringLiteral("This week: 31:45, overtime 1:45"));
        }
        f.waitSeconds(1);
        f.punch(QStringLiteral("b2")); // refused by the guard: no hours under a refusal
        EXPECT_TRUE(week->isHidden());
        EXPECT_EQ(askedFor, asked ? QStringList{QStringLiteral("B2")} : QStringList());
    }
}
