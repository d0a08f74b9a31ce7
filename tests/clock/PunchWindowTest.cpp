#include "ClockFixture.h"
#include "settings/Password.h"
#include "settings/Scramble.h"
#include "store/ApplicationTable.h"
#include "store/StaffTable.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <functional>
#include <gtest/gtest.h>

TEST(PunchWindow, InThenOutWithoutEmployeeDatabase)
{
    ClockFixture f;
    f.state.settings.keepInSeconds = 3;
    f.state.settings.keepOutSeconds = 2;
    f.open();
    f.punch(QStringLiteral(" ab*12 "));
    ASSERT_EQ(f.rows().size(), 1);
    const ClockRecord in = f.rows().at(0);
    EXPECT_EQ(in.employeeId, QStringLiteral("AB 12"));
    EXPECT_FALSE(in.clockOut);
    EXPECT_EQ(in.employee, QStringLiteral(" "));
    EXPECT_EQ(in.dnumber, 0);
    EXPECT_EQ(in.options, 0);
    EXPECT_FALSE(in.tips.has_value());
    EXPECT_EQ(in.julian, 46360);
    EXPECT_EQ(in.time, f.time.now());
    EXPECT_TRUE(f.panelShown());
    EXPECT_EQ(f.line(0), QStringLiteral("AB 12"));
    EXPECT_EQ(f.line(2), QStringLiteral("Clocking In"));
    EXPECT_TRUE(f.child<QLineEdit>("Text1")->text().isEmpty());
    EXPECT_EQ(f.sounds.played, QStringList{QStringLiteral("In")});

    // No punch starts while the confirmation is up; typing is ignored.
    f.waitSeconds(2);
    EXPECT_TRUE(f.panelShown());
    f.punch(QStringLiteral("AB*12"));
    EXPECT_EQ(f.rows().size(), 1);
    f.waitSeconds(1);
    EXPECT_FALSE(f.panelShown());

    f.time.set(QDateTime(QDate(2026, 12, 4), QTime(17, 0)));
    f.punch(QStringLiteral("ab 12"));
    ASSERT_EQ(f.rows().size(), 2);
    EXPECT_TRUE(f.rows().at(1).clockOut);
    EXPECT_EQ(f.line(2), QStringLiteral("Clocking Out"));
    EXPECT_TRUE(f.child("pnlPicture")->isHidden());
    EXPECT_TRUE(f.child("txtTips")->isHidden());
}

TEST(PunchWindow, IdBoxTakesTenCharactersAndStarsOnlyAreIgnored)
{
    ClockFixture f;
    f.open();
    auto* box = f.child<QLineEdit>("Text1");
    QTest::keyClicks(box, QStringLiteral("ABCDEFGHIJKL"));
    EXPECT_EQ(box->text(), QStringLiteral("ABCDEFGHIJ"));
    EXPECT_EQ(box->echoMode(), QLineEdit::Password);
    box->clear();
    f.punch(QStringLiteral("***"));
    EXPECT_TRUE(f.rows().isEmpty());
    EXPECT_FALSE(f.panelShown());
}

TEST(PunchWindow, KeepSecondsZeroHidesThePanelAtOnce)
{
    ClockFixture f;
    f.open();
    f.punch(QStringLiteral("O'NEIL"));
    EXPECT_EQ(f.rows().size(), 1);
    EXPECT_EQ(f.rows().at(0).employeeId, QStringLiteral("O'NEIL"));
    EXPECT_FALSE(f.panelShown());
}

TEST(PunchWindow, TipsOnClockOut)
{
    struct Case {
        const char* name;
        const char* typed;
        bool pressExit;
        int rows;
        std::optional<qint64> tips;
        const char* shownText;
    };
    const Case cases[] = {
        {"tips written on Enter", "12.5", false, 2, 125000, "12.5"},
        {"second point refused", "1.2.5", false, 2, 12500, "1.25"},
        {"letters refused", "4a", false, 2, 40000, "4"},
        {"fifth decimal refused", "0.12345", false, 2, 1234, "0.1234"},
        {"empty tips leave Tips empty", "", false, 2, std::nullopt, ""},
        {"Exit writes nothing", "7", true, 1, std::nullopt, "7"},
    };
    for (const Case& c : cases) {
        ClockFixture f;
        f.state.settings.reportTips = true;
        f.state.settings.keepOutSeconds = 5;
        f.open();
        f.punch(QStringLiteral("7"));
        f.time.advanceSeconds(3600);
        f.punch(QStringLiteral("7"));
        ASSERT_FALSE(f.child("txtTips")->isHidden()) << c.name;
        EXPECT_EQ(f.child<QLabel>("lblTips")->text(), QStringLiteral("Type in tips and press Enter"));
        EXPECT_EQ(f.rows().size(), 1) << c.name; // nothing is written before the tips are in
        f.typeTips(QString::fromLatin1(c.typed), !c.pressExit);
        EXPECT_EQ(f.child<QLineEdit>("txtTips")->text(),
                  c.pressExit ? QString::fromLatin1(c.shownText) : QString())
            << c.name;
        if (c.pressExit)
            QTest::mouseClick(f.child<QPushButton>("cmdExit"), Qt::LeftButton);
        ASSERT_EQ(f.rows().size(), c.rows) << c.name;
        EXPECT_FALSE(f.panelShown()) << c.name; // tips end the display at once
        if (c.rows == 2) {
            const auto tips = f.rows().at(1).tips;
            EXPECT_EQ(tips.has_value(), c.tips.has_value()) << c.name;
            if (tips && c.tips) {
                EXPECT_EQ(tips->units(), *c.tips) << c.name;
            }
        }
        // The employee is still IN after Exit, OUT after Enter.
        f.punch(QStringLiteral("7"));
        EXPECT_EQ(f.panelShown(), c.pressExit) << c.name;
    }
}

TEST(PunchWindow, ElapsedTimeShownAcrossMidnight)
{
    ClockFixture f;
    f.state.settings.showElapsedTime = true;
    f.state.settings.keepOutSeconds = 1;
    f.time.set(QDateTime(QDate(2026, 12, 3), QTime(21, 55, 40)));
    f.open();
    f.punch(QStringLiteral("5"));
    f.time.set(QDateTime(QDate(2026, 12, 4), QTime(0, 0, 5)));
    f.punch(QStringLiteral("5"));
    auto* elapsed = f.child<QLabel>("lblElapsed");
    EXPECT_FALSE(elapsed->isHidden());
    EXPECT_EQ(elapsed->text(), QStringLiteral("2:05"));
    EXPECT_EQ(f.rows().at(1).julian, f.rows().at(0).julian + 1);
    f.waitSeconds(1);
    EXPECT_TRUE(f.panelShown()); // the elapsed time keeps the punch on display
    f.waitSeconds(1);
    EXPECT_TRUE(elapsed->isHidden());
    EXPECT_FALSE(f.panelShown());
}

TEST(PunchWindow, EmployeeDatabaseNamesAndRefusesUnknownIds)
{
    ClockFixture f;
    f.state.useSchedulingLink = true;
    f.state.useLocalStaff = true;
    StaffTable(f.folder.database())
        .replaceAll({{QStringLiteral("Ann Lee"), 4, 46360, QStringLiteral("a1"), 3, 0, 0}});
    f.open();
    f.punch(QStringLiteral("123"));
    EXPECT_EQ(f.child<QLabel>("Label4")->text(), QStringLiteral("ID 123  not found"));
    EXPECT_EQ(f.sounds.played, QStringList{QStringLiteral("Error")});
    EXPECT_TRUE(f.rows().isEmpty());
    EXPECT_FALSE(f.panelShown());

    f.time.advanceSeconds(1);
    f.punch(QStringLiteral("A1"));
    ASSERT_EQ(f.rows().size(), 1);
    EXPECT_EQ(f.rows().at(0).employee, QStringLiteral("Ann Lee"));
    EXPECT_EQ(f.rows().at(0).employeeId, QStringLiteral("A1"));
    EXPECT_EQ(f.rows().at(0).dnumber, 3);
    EXPECT_EQ(f.line(0), QStringLiteral("Ann Lee"));
    EXPECT_TRUE(f.child<QLabel>("Label4")->text().isEmpty());
}

TEST(PunchWindow, ScheduleChecksWarnOrReject)
{
    // Ann starts at 08:00 and stops at 17:00; limits are 10 minutes.
    struct Case {
        const char* name;
        QTime inAt;
        QTime outAt; // invalid: no OUT punch
        std::function<void(SettingsRecord&)> set;
        bool recorded;
        qint16 mark;
        const char* line2;
        const char* line3;
        const char* sound;
        const char* background;
    };
    const Case cases[] = {
        {"early IN warned", QTime(7, 49), QTime(), [](SettingsRecord& s) { s.earlyInShow = true; }, true, 4,
         "You clocked in early...", "", "In", "rgb(255,255,255)"},
        {"early IN rejected", QTime(7, 0), QTime(),
         [](SettingsRecord& s) { s.earlyInShow = s.earlyInReject = true; }, false, 0, "Rejected",
         "You clocked in early...", "Error", "rgb(255,0,0)"},
        {"late IN warned", QTime(8, 30), QTime(), [](SettingsRecord& s) { s.lateInShow = true; }, true, 5,
         "You clocked in late...", "", "In", "rgb(255,255,255)"},
        {"late OUT warned", QTime(8, 0), QTime(17, 11), [](SettingsRecord& s) { s.lateOutShow = true; }, true,
         7, "You clocked out late...", "", "Out", "rgb(0,255,255)"},
        {"early OUT rejected", QTime(8, 0), QTime(16, 49),
         [](SettingsRecord& s) { s.earlyOutShow = s.earlyOutReject = true; }, false, 0, "Rejected",
         "You clocked out early...", "Error", "rgb(255,0,0)"},
        {"on time", QTime(8, 10), QTime(),
         [](SettingsRecord& s) { s.earlyInShow = s.lateInShow = s.earlyInReject = s.lateInReject = true; },
         true, 0, "Clocking In", "", "In", "rgb(255,255,255)"},
    };
    for (const Case& c : cases) {
        ClockFixture f;
        f.state.useSchedulingLink = f.state.useLocalStaff = true;
        f.state.settings.keepInSeconds = f.state.settings.keepOutSeconds = 2;
        c.set(f.state.settings);
        StaffTable(f.folder.database())
            .replaceAll({{QStringLiteral("Ann"), 1, 46360, QStringLiteral("A"), 0, 32, 68}});
        f.time.set(QDateTime(QDate(2026, 12, 4), c.inAt));
        f.open();
        f.punch(QStringLiteral("a"));
        if (c.outAt.isValid()) {
            f.waitSeconds(2);
            f.time.set(QDateTime(QDate(2026, 12, 4), c.outAt));
            f.sounds.played.clear();
            f.punch(QStringLiteral("a"));
        }
        const QList<ClockRecord> rows = f.rows();
        EXPECT_EQ(rows.size(), (c.outAt.isValid() ? 1 : 0) + (c.recorded ? 1 : 0)) << c.name;
        if (c.recorded) {
            EXPECT_EQ(rows.last().options, c.mark) << c.name;
            EXPECT_EQ(rows.last().clockOut, c.outAt.isValid()) << c.name;
        }
        EXPECT_TRUE(f.panelShown()) << c.name;
        EXPECT_EQ(f.line(0), QStringLiteral("Ann")) << c.name;
        EXPECT_EQ(f.line(2), QString::fromLatin1(c.line2)) << c.name;
        EXPECT_EQ(f.line(3), QString::fromLatin1(c.line3)) << c.name;
        EXPECT_EQ(f.sounds.played.last(), QString::fromLatin1(c.sound)) << c.name;
        EXPECT_TRUE(f.child("pnlFin")->styleSheet().contains(QString::fromLatin1(c.background))) << c.name;
        // A rejected punch leaves the direction as it was: the next punch tries the same again.
        f.waitSeconds(2);
        EXPECT_FALSE(f.panelShown()) << c.name;
        if (!c.recorded) {
            const auto latest = ClockRecords(f.folder.database()).latestFor(QStringLiteral("A"));
            EXPECT_EQ(latest.has_value() && !latest->clockOut, c.outAt.isValid()) << c.name;
        }
    }
}

TEST(PunchWindow, ResetCodeOnTheDateLineClearsThePassword)
{
    ClockFixture f;
    ApplicationTable(f.folder.database())
        .write({{QStringLiteral("PW"), Scramble::apply(QStringLiteral("SECRET"))}});
    f.state.settings.password = QStringLiteral("SECRET");
    ClockWindow& window = f.open();
    QSignalSpy ended(&window, &ClockWindow::endRequested);
    auto* box = f.child<QLineEdit>("txtResetCode");
    EXPECT_TRUE(box->isHidden());
    QMouseEvent bothButtons(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::RightButton,
                            Qt::LeftButton | Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(f.child("lblDate"), &bothButtons);
    ASSERT_FALSE(box->isHidden());

    QTest::keyClicks(box, QStringLiteral("1"));
    QTest::keyClick(box, Qt::Key_Backspace); // refused: the wrong digit stays
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(ended.count(), 0);
    box->clear();
    QTest::keyClicks(box, QString::number(Password::resetCode(f.time.today())));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(ended.count(), 1);
    EXPECT_TRUE(
        ApplicationTable(f.folder.database()).read().value(QStringLiteral("PW")).toString().isEmpty());
}

TEST(PunchWindow, ScreenIsLeftOnlyThroughItsExit)
{
    ClockFixture f;
    f.state.settings.keepInSeconds = 3;
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
