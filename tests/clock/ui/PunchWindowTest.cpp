#include "ClockFixture.h"
#include "store/StaffTable.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <gtest/gtest.h>

TEST(PunchWindow, InThenOutWithoutEmployeeDatabase)
{
    ClockFixture f;
    f.session.updateSettings([&](SettingsRecord& s) { s.keepInSeconds = 3; });
    f.open();
    auto* box = f.child<QLineEdit>("Text1");
    QTest::keyClicks(box, QStringLiteral("ABCDEFGHIJKL"));
    EXPECT_EQ(box->text(), QStringLiteral("ABCDEFGHIJ"));
    box->clear();
    f.punch(QStringLiteral("***")); // only stars: ignored
    EXPECT_TRUE(f.rows().isEmpty());
    f.punch(QStringLiteral(" ab*12 "));
    ASSERT_EQ(f.rows().size(), 1);
    EXPECT_EQ(f.rows().at(0).employeeId, QStringLiteral("AB 12"));
    EXPECT_EQ(f.rows().at(0).employee, QStringLiteral(" "));
    EXPECT_EQ(f.rows().at(0).julian, 46360);
    EXPECT_EQ(f.rows().at(0).time, f.time.now());
    EXPECT_FALSE(f.rows().at(0).clockOut);
    EXPECT_EQ(f.line(2), QStringLiteral("Clocking In"));
    EXPECT_TRUE(box->text().isEmpty());

    // No punch starts while the confirmation is up.
    f.waitSeconds(2);
    f.punch(QStringLiteral("AB*12"));
    EXPECT_EQ(f.rows().size(), 1);
    f.waitSeconds(1);
    EXPECT_FALSE(f.panelShown());

    f.time.set(QDateTime(QDate(2026, 12, 4), QTime(17, 0)));
    f.punch(QStringLiteral("ab 12"));
    ASSERT_EQ(f.rows().size(), 2);
    EXPECT_TRUE(f.rows().at(1).clockOut);
    EXPECT_FALSE(f.panelShown()); // KeepOutSeconds 0
}

TEST(PunchWindow, TipsOnClockOut)
{
    const struct {
        const char* typed;
        bool pressExit;
        std::optional<qint64> tips; // nullopt with Enter: Tips stays Null
    } cases[] = {
        {"12.5", false, 125000},  {"1.2.5", false, 12500},   {"4a", false, 40000},
        {"0.12345", false, 1234}, {"", false, std::nullopt}, {"7", true, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        ClockFixture f;
        f.session.updateSettings([&](SettingsRecord& s) { s.reportTips = true; });
        f.session.updateSettings([&](SettingsRecord& s) { s.keepOutSeconds = 5; });
        f.open();
        f.punch(QStringLiteral("7"));
        f.time.advanceSeconds(3600);
        f.punch(QStringLiteral("7"));
        ASSERT_FALSE(f.child("txtTips")->isHidden());
        EXPECT_EQ(f.rows().size(), 1); // nothing is written before the tips are in
        QTest::keyClicks(f.child<QLineEdit>("txtTips"), QString::fromLatin1(c.typed));
        if (!c.pressExit)
            QTest::keyClick(f.child<QLineEdit>("txtTips"), Qt::Key_Return);
        else
            QTest::mouseClick(f.child<QPushButton>("cmdExit"), Qt::LeftButton);
        ASSERT_EQ(f.rows().size(), c.pressExit ? 1 : 2);
        EXPECT_FALSE(f.panelShown());
        if (!c.pressExit) {
            const auto tips = f.rows().at(1).tips;
            EXPECT_EQ(tips ? std::optional<qint64>(tips->units()) : std::nullopt, c.tips);
        }
    }
}

TEST(PunchWindow, ElapsedTimeKeepsThePunchOnDisplay)
{
    ClockFixture f;
    f.session.updateSettings([&](SettingsRecord& s) { s.showElapsedTime = true; });
    f.session.updateSettings([&](SettingsRecord& s) { s.keepOutSeconds = 1; });
    f.open();
    f.punch(QStringLiteral("5"));
    f.time.advanceSeconds(7500);
    f.punch(QStringLiteral("5"));
    EXPECT_EQ(f.child<QLabel>("lblElapsed")->text(), QStringLiteral("2:05"));
    f.waitSeconds(1);
    EXPECT_TRUE(f.panelShown());
    f.waitSeconds(1);
    EXPECT_FALSE(f.panelShown());
}

TEST(PunchWindow, UnknownIdRefusedKnownIdNamed)
{
    ClockFixture f;
    f.session.setEmployeeSource(EmployeeSource::LocalFiles);
    StaffTable(f.folder.database())
        .replaceAll({{QStringLiteral("Ann Lee"), 4, 46360, QStringLiteral("a1"), 3, 0, 0}});
    f.open();
    f.punch(QStringLiteral("123"));
    EXPECT_EQ(f.child<QLabel>("Label4")->text(), QStringLiteral("ID 123  not found"));
    EXPECT_EQ(f.sounds.played, QStringList{QStringLiteral("Error")});
    EXPECT_TRUE(f.rows().isEmpty());

    f.time.advanceSeconds(1);
    f.punch(QStringLiteral("A1"));
    ASSERT_EQ(f.rows().size(), 1);
    EXPECT_EQ(f.rows().at(0).employee, QStringLiteral("Ann Lee"));
    EXPECT_EQ(f.rows().at(0).dnumber, 3);
    EXPECT_TRUE(f.child<QLabel>("Label4")->text().isEmpty());
}

TEST(PunchWindow, ScheduleRejectionLeavesNoRowAWarningIsRecordedWithItsMark)
{
    ClockFixture f;
    f.session.setEmployeeSource(EmployeeSource::LocalFiles);
    f.session.updateSettings(
        [&](SettingsRecord& s) { s.earlyInShow = s.earlyInReject = s.lateInShow = true; });
    StaffTable(f.folder.database()) // 08:00 to 17:00, limits of 10 minutes
        .replaceAll({{QStringLiteral("Ann"), 1, 46360, QStringLiteral("A"), 0, 32, 68}});
    f.time.set(QDateTime(QDate(2026, 12, 4), QTime(7, 0)));
    f.open();
    f.punch(QStringLiteral("a"));
    EXPECT_TRUE(f.rows().isEmpty());
    EXPECT_EQ(f.line(2), QStringLiteral("Rejected"));
    EXPECT_TRUE(f.child("pnlFin")->styleSheet().contains(QStringLiteral("rgb(255,0,0)")));

    f.time.set(QDateTime(QDate(2026, 12, 4), QTime(8, 30)));
    f.punch(QStringLiteral("a")); // still an IN: the rejected one changed nothing
    ASSERT_EQ(f.rows().size(), 1);
    EXPECT_FALSE(f.rows().at(0).clockOut);
    EXPECT_EQ(f.rows().at(0).options, 5);
    EXPECT_EQ(f.line(2), QStringLiteral("You clocked in late..."));
}

TEST(PunchWindow, ScreenIsLeftOnlyThroughItsExit)
{
    ClockFixture f;
    f.session.updateSettings([&](SettingsRecord& s) { s.keepInSeconds = 3; });
    ClockWindow& window = f.open();
    QSignalSpy closed(&window, &ClockWindow::closed);
    window.close(); // title bar or Alt+F4
    EXPECT_TRUE(window.isVisible());
    f.punch(QStringLiteral("1"));
    QTest::mouseClick(f.child<QPushButton>("cmdExitClock"), Qt::LeftButton); // ignored during the display
    EXPECT_TRUE(window.isVisible());
    f.waitSeconds(3);
    QTest::mouseClick(f.child<QPushButton>("cmdExitClock"), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(closed.count(), 1);
}

TEST(PunchWindow, BothButtonsOnTheDateLineOpenTheResetBox)
{
    ClockFixture f;
    f.open();
    EXPECT_TRUE(f.child("txtResetCode")->isHidden());
    QMouseEvent bothButtons(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::RightButton,
                            Qt::LeftButton | Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(f.child("lblDate"), &bothButtons);
    EXPECT_FALSE(f.child("txtResetCode")->isHidden());
}

TEST(PunchWindow, TypedIdShowsAsStars)
{
    ClockFixture f;
    f.open();
    QTest::keyClicks(f.child<QLineEdit>("Text1"), QStringLiteral("ab1"));
    EXPECT_EQ(f.child<QLineEdit>("Text1")->displayText(), QStringLiteral("***"));
}
