#include "ClockFixture.h"
#include "store/StaffTable.h"

#include <gtest/gtest.h>

TEST(PunchWindow, InThenOutWithoutEmployeeDatabase) {
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

TEST(PunchWindow, IdBoxTakesTenCharactersAndStarsOnlyAreIgnored) {
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

TEST(PunchWindow, KeepSecondsZeroHidesThePanelAtOnce) {
    ClockFixture f;
    f.open();
    f.punch(QStringLiteral("O'NEIL"));
    EXPECT_EQ(f.rows().size(), 1);
    EXPECT_EQ(f.rows().at(0).employeeId, QStringLiteral("O'NEIL"));
    EXPECT_FALSE(f.panelShown());
}

TEST(PunchWindow, TipsOnClockOut) {
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

TEST(PunchWindow, ElapsedTimeShownAcrossMidnight) {
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

TEST(PunchWindow, EmployeeDatabaseNamesAndRefusesUnknownIds) {
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
