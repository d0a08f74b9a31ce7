#include "ClockFixture.h"
#include "PunchRecord.h"
#include "clock/ui/KeypadWidget.h"
#include "store/StaffTable.h"

#include <QListWidget>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {
// Clicks on-screen keys: "\n" is Enter, "#" is Clear.
void clickKeys(ClockFixture& f, const QString& keys)
{
    for (const QChar c : keys) {
        int key = c == QLatin1Char('\n')  ? KeypadWidget::enterKey
                  : c == QLatin1Char('#') ? KeypadWidget::clearKey
                                          : QStringLiteral("1234567890QWERTYUIOPASDFGHJKLZXCVBNM").indexOf(c);
        QTest::mouseClick(f.child<QPushButton>(QStringLiteral("cmdKey%1").arg(key).toLatin1().constData()),
                          Qt::LeftButton);
    }
}

QStringList names(ClockFixture& f, const char* list)
{
    QStringList shown;
    auto* widget = f.child<QListWidget>(list);
    for (int i = 0; i < widget->count(); ++i)
        shown.append(widget->item(i)->text().trimmed());
    return shown;
}

void addStaff(ClockFixture& f)
{
    f.session.setEmployeeSource(EmployeeSource::LocalFiles);
    StaffTable(f.folder.database())
        .replaceAll({{QStringLiteral("Ann Lee"), 1, 46360, QStringLiteral("A1"), 0, 0, 0},
                     {QStringLiteral("Bob Fox"), 2, 46360, QStringLiteral("B2"), 0, 0, 0}});
}
} // namespace

TEST(ClockCycleWindow, KeypadClicksPunch)
{
    ClockFixture f;
    f.session.updateSettings([&](SettingsRecord& s) { s.showKeyboard = true; });
    f.session.updateSettings([&](SettingsRecord& s) { s.keepInSeconds = 2; });
    f.open();
    auto* box = f.child<QLineEdit>("Text1");
    clickKeys(f, QStringLiteral("Q9#1234567890AB"));
    EXPECT_EQ(box->text(), QStringLiteral("1234567890")); // Clear emptied it; it holds ten characters
    clickKeys(f, QStringLiteral("#A1\n"));
    ASSERT_EQ(f.rows().size(), 1);
    EXPECT_EQ(f.rows().at(0).employeeId, QStringLiteral("A1"));
    clickKeys(f, QStringLiteral("A1\n")); // the confirmation is up: keys change nothing
    EXPECT_TRUE(box->text().isEmpty());
    EXPECT_EQ(f.rows().size(), 1);
}

TEST(ClockCycleWindow, ExitWithAndWithoutPassword)
{
    for (const char* password : {"", "K9"}) {
        ClockFixture f;
        f.session.updateSettings([&](SettingsRecord& s) { s.password = QString::fromLatin1(password); });
        f.session.updateSettings([&](SettingsRecord& s) { s.showKeyboard = true; });
        f.open();
        QSignalSpy closed(f.window.get(), &ClockWindow::closed);
        QTest::mouseClick(f.child<QPushButton>("cmdExitClock"), Qt::LeftButton);
        if (*password) {
            auto* box = f.child<QLineEdit>("txtPassword");
            QTest::keyClicks(box, QStringLiteral("nope"));
            QTest::keyClick(box, Qt::Key_Return);
            EXPECT_FALSE(box->isHidden());
            box->clear();
            QTest::keyClick(box, Qt::Key_Return); // an empty entry hides the box
            EXPECT_TRUE(box->isHidden());
            EXPECT_EQ(closed.count(), 0);
            QTest::mouseClick(f.child<QPushButton>("cmdExitClock"), Qt::LeftButton);
            clickKeys(f, QStringLiteral("K9\n")); // typed on the keypad, into the password box
            EXPECT_TRUE(f.child<QLineEdit>("Text1")->text().isEmpty());
        }
        EXPECT_EQ(closed.count(), 1) << password;
        EXPECT_TRUE(f.rows().isEmpty());
    }
}

TEST(ClockCycleWindow, ListsFollowPunches)
{
    ClockFixture f;
    f.session.updateSettings([&](SettingsRecord& s) { s.showInOutLists = true; });
    f.session.updateSettings([&](SettingsRecord& s) { s.keepInSeconds = 5; });
    addStaff(f);
    f.open();
    f.punch(QStringLiteral("B2"));
    f.waitSeconds(60);
    f.punch(QStringLiteral("A1"));
    EXPECT_TRUE(f.panelShown()); // the lists change before the confirmation ends
    EXPECT_EQ(names(f, "lstIN"), (QStringList{QStringLiteral("Ann Lee"), QStringLiteral("Bob Fox")}));

    // A click while the confirmation is up does nothing; after it, a record written elsewhere
    // shows once the heading is clicked.
    QTest::mouseClick(f.child("InOutLabel"), Qt::LeftButton);
    f.waitSeconds(5);
    ClockRecords(f.folder.database())
        .append(punchRecord(QStringLiteral("B2"), f.time.now(), true, QStringLiteral("Bob Fox")));
    QTest::mouseClick(f.child("InOutLabel"), Qt::LeftButton);
    EXPECT_EQ(names(f, "lstIN"), QStringList{QStringLiteral("Ann Lee")});
    EXPECT_EQ(names(f, "lstOUT"), QStringList{QStringLiteral("Bob Fox")});
}

TEST(ClockCycleWindow, SoundAndCameraFailuresNeverStopAPunch)
{
    const struct {
        bool useSound, soundThrows, cameraThrows, hasFrame;
    } cases[] = {{false, false, false, true},
                 {true, true, false, true},
                 {true, false, true, true},
                 {true, false, false, false}};
    for (const auto& c : cases) {
        ClockFixture f;
        f.session.updateSettings([&](SettingsRecord& s) { s.useSound = c.useSound; });
        f.session.updateSettings([&](SettingsRecord& s) { s.takePictures = s.showLiveCam = true; });
        f.sounds.throws = c.soundThrows;
        f.camera.throws = c.cameraThrows;
        if (c.hasFrame)
            f.camera.frame = QImage(200, 150, QImage::Format_RGB32);
        f.open();
        f.punch(QStringLiteral("7"));
        f.time.advanceSeconds(60);
        f.punch(QStringLiteral("7"));
        ASSERT_EQ(f.rows().size(), 2);
        EXPECT_EQ(f.sounds.played.size(), c.useSound ? 2 : 0);
        EXPECT_EQ(f.camera.captures.size(), 2);
        EXPECT_EQ(f.camera.previews, 1);
        EXPECT_TRUE(f.messages.shown.isEmpty());
        const QString picture = QStringLiteral("%1/%2.jpg")
                                    .arg(f.session.paths().picturesFolder())
                                    .arg(f.rows().at(1).recordNumber);
        EXPECT_EQ(f.camera.captures.at(1), picture);
        EXPECT_EQ(QFile::exists(picture), c.hasFrame && !c.cameraThrows);
    }
}

TEST(ClockCycleWindow, TicksShowTimeAndRunTheForcedClockOutOnce)
{
    ClockFixture f;
    f.session.updateSettings([&](SettingsRecord& s) { s.clock12Hour = true; });
    f.session.updateSettings([&](SettingsRecord& s) { s.forceClockOuts = true; });
    f.session.updateSettings([&](SettingsRecord& s) { s.showLiveCam = true; }); // no preview without pictures
    f.open();
    EXPECT_EQ(f.camera.previews, 0);
    f.punch(QStringLiteral("5"));
    f.time.set(QDateTime(QDate(2026, 12, 4), QTime(20, 45, 0)));
    f.window->tick();
    EXPECT_EQ(f.child<QLabel>("lblTime")->text(), QStringLiteral("8:45 pm"));
    EXPECT_EQ(f.rows().size(), 1);
    f.time.set(QDateTime(QDate(2026, 12, 4), QTime(20, 45, 1)));
    for (int i = 0; i < 10; ++i) // a second holds ten ticks
        f.window->tick();
    ASSERT_EQ(f.rows().size(), 2);
    EXPECT_EQ(f.rows().at(1).options, 3);
}

TEST(ClockCycleWindow, DateChangesAtMidnightOnScreenAndOnPictures)
{
    ClockFixture f;
    f.session.updateSettings([&](SettingsRecord& s) { s.takePictures = true; });
    f.camera.frame = QImage(64, 48, QImage::Format_RGB32);
    f.time.set(QDateTime(QDate(2026, 12, 4), QTime(23, 59, 59)));
    f.open();
    f.window->tick();
    const QString before = f.child<QLabel>("lblDate")->text();
    f.time.set(QDateTime(QDate(2026, 12, 5), QTime(0, 0, 1)));
    f.window->tick();
    EXPECT_NE(f.child<QLabel>("lblDate")->text(), before);
    EXPECT_EQ(f.child<QLabel>("lblDate")->text(),
              QLocale().toString(QDate(2026, 12, 5), QLocale::LongFormat));
    f.punch(QStringLiteral("7"));
    ASSERT_EQ(f.camera.texts.size(), 1);
    EXPECT_TRUE(f.camera.texts.at(0).contains(QStringLiteral(" 05-Dec-26  In ")))
        << f.camera.texts.at(0).toStdString();
    EXPECT_EQ(f.rows().at(0).julian, 46361);
}
