#include "ClockFixture.h"
#include "clock/KeypadWidget.h"
#include "store/DayNumber.h"
#include "store/StaffTable.h"

#include <QDir>
#include <QListWidget>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {
void clickKeys(ClockFixture& f, const QString& keys)
{
    for (const QChar c : keys) {
        int key = KeypadWidget::characterKeys;
        while (key >= 0 && KeypadWidget::caption(key) != QString(c))
            --key;
        if (c == QLatin1Char('\n'))
            key = KeypadWidget::enterKey;
        if (c == QLatin1Char('#'))
            key = KeypadWidget::clearKey;
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
    f.state.useSchedulingLink = true;
    f.state.useLocalStaff = true;
    StaffTable(f.folder.database())
        .replaceAll({{QStringLiteral("Ann Lee"), 1, 46360, QStringLiteral("A1"), 0, 0, 0},
                     {QStringLiteral("Bob Fox"), 2, 46360, QStringLiteral("B2"), 0, 0, 0}});
}
} // namespace

TEST(ClockCycleWindow, KeypadClicksPunch)
{
    ClockFixture f;
    f.state.settings.showKeyboard = true;
    f.state.settings.keepInSeconds = 2;
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
    const struct {
        const char* name;
        const char* password;
        QStringList typed; // each ended by Enter; "#" starts typing on the keypad instead
        bool closes;
        bool boxStaysUp;
    } cases[] = {
        {"no password closes at once", "", {}, true, false},
        {"wrong password does nothing", "K9", {QStringLiteral("nope")}, false, true},
        {"empty entry hides the box", "K9", {QString()}, false, false},
        {"any case, blanks around", "K9", {QStringLiteral("nope"), QStringLiteral(" k9 ")}, true, false},
        {"typed on the keypad", "K9", {QStringLiteral("#K9")}, true, false},
    };
    for (const auto& c : cases) {
        ClockFixture f;
        f.state.settings.password = QString::fromLatin1(c.password);
        f.state.settings.showKeyboard = true;
        f.open();
        QSignalSpy closed(f.window.get(), &ClockWindow::closed);
        auto* exit = f.child<QPushButton>("cmdExitClock");
        EXPECT_EQ(exit->toolTip(), *c.password ? QStringLiteral("You will need your Password to exit")
                                               : QStringLiteral("Click here to exit"));
        QTest::mouseClick(exit, Qt::LeftButton);
        auto* box = f.child<QLineEdit>("txtPassword");
        if (*c.password) {
            EXPECT_EQ(f.child<QLabel>("lblPassword")->text(),
                      QStringLiteral("Type in password... press Enter"));
        }
        for (const QString& typed : c.typed) {
            box->clear();
            if (typed.startsWith(QLatin1Char('#'))) {
                clickKeys(f, typed.mid(1) + QLatin1Char('\n'));
                EXPECT_TRUE(f.child<QLineEdit>("Text1")->text().isEmpty()) << c.name;
            } else {
                QTest::keyClicks(box, typed);
                QTest::keyClick(box, Qt::Key_Return);
            }
        }
        EXPECT_EQ(closed.count(), c.closes ? 1 : 0) << c.name;
        if (!c.closes) {
            EXPECT_EQ(!box->isHidden(), c.boxStaysUp) << c.name;
        }
        EXPECT_TRUE(f.rows().isEmpty()) << c.name;
    }
}

TEST(ClockCycleWindow, ListsFollowPunches)
{
    ClockFixture f;
    f.state.settings.showInOutLists = true;
    f.state.settings.keepInSeconds = 5;
    addStaff(f);
    f.time.set(QDateTime(QDate(2026, 12, 3), QTime(21, 0)));
    f.open();
    f.punch(QStringLiteral("B2")); // in since yesterday evening
    f.time.set(QDateTime(QDate(2026, 12, 4), QTime(8, 0)));
    f.window->tick();
    f.punch(QStringLiteral("A1"));
    EXPECT_TRUE(f.panelShown()); // the lists change before the confirmation ends
    EXPECT_EQ(names(f, "lstIN"), (QStringList{QStringLiteral("Ann Lee"), QStringLiteral("Bob Fox")}));
    EXPECT_TRUE(names(f, "lstOUT").isEmpty());
    EXPECT_TRUE(f.child<QListWidget>("lstIN")->item(0)->text().endsWith(QLatin1Char('\t')));

    // A click while the confirmation is up does nothing; after it, a record written elsewhere
    // shows once the heading is clicked.
    QTest::mouseClick(f.child("InOutLabel"), Qt::LeftButton);
    f.waitSeconds(5);
    ClockRecord out;
    out.time = f.time.now();
    out.julian = DayNumber::of(out.time);
    out.employeeId = QStringLiteral("B2");
    out.employee = QStringLiteral("Bob Fox");
    out.clockOut = true;
    ClockRecords(f.folder.database()).append(out);
    QTest::mouseClick(f.child("InOutLabel"), Qt::LeftButton);
    EXPECT_EQ(names(f, "lstIN"), QStringList{QStringLiteral("Ann Lee")});
    EXPECT_EQ(names(f, "lstOUT"), QStringList{QStringLiteral("Bob Fox")});
}

TEST(ClockCycleWindow, SoundAndCameraFailuresNeverStopAPunch)
{
    const struct {
        const char* name;
        bool useSound, soundThrows, cameraThrows, hasFrame;
    } cases[] = {
        {"sound off", false, false, false, true},
        {"sound device throws", true, true, false, true},
        {"camera throws", true, false, true, true},
        {"camera has no picture", true, false, false, false},
    };
    for (const auto& c : cases) {
        ClockFixture f;
        f.state.settings.useSound = c.useSound;
        f.state.settings.takePictures = true;
        f.sounds.throws = c.soundThrows;
        f.camera.throws = c.cameraThrows;
        if (c.hasFrame)
            f.camera.frame = QImage(200, 150, QImage::Format_RGB32);
        f.open();
        f.punch(QStringLiteral("7"));
        f.time.advanceSeconds(60);
        f.punch(QStringLiteral("7"));
        ASSERT_EQ(f.rows().size(), 2) << c.name;
        EXPECT_EQ(f.sounds.played.size(), c.useSound ? 2 : 0) << c.name;
        EXPECT_EQ(f.camera.captures.size(), 2) << c.name;
        EXPECT_TRUE(f.messages.shown.isEmpty()) << c.name;
        const QString picture = f.state.paths.picturesFolder() + QStringLiteral("/%1.jpg");
        EXPECT_EQ(QFile::exists(picture.arg(f.rows().at(1).recordNumber)), c.hasFrame && !c.cameraThrows)
            << c.name;
    }
}

TEST(ClockCycleWindow, PictureNamedAfterTheRecordWithItsText)
{
    ClockFixture f;
    f.state.settings.takePictures = true;
    f.state.settings.clock12Hour = true;
    addStaff(f);
    f.time.set(QDateTime(QDate(2026, 12, 4), QTime(20, 1, 30)));
    f.open();
    EXPECT_TRUE(QDir(f.state.paths.picturesFolder()).exists()); // made when the screen opens
    f.window->tick();
    f.punch(QStringLiteral("nobody")); // not recorded, so no picture
    f.time.advanceSeconds(2);
    f.punch(QStringLiteral("a1"));
    ASSERT_EQ(f.camera.captures.size(), 1);
    EXPECT_EQ(f.camera.captures.at(0),
              f.state.paths.picturesFolder() + QStringLiteral("/%1.jpg").arg(f.rows().at(0).recordNumber));
    EXPECT_EQ(f.camera.texts.at(0), QStringLiteral("Id A1, Ann Lee 04-Dec-26  In 08:01 PM"));
}

TEST(ClockCycleWindow, LiveCameraOnlyWithPicturesAndPreview)
{
    const bool cases[][3] = {{true, true, true}, {true, false, false}, {false, true, false}};
    for (const auto& [takePictures, showLiveCam, shown] : cases) {
        ClockFixture f;
        f.state.settings.takePictures = takePictures;
        f.state.settings.showLiveCam = showLiveCam;
        f.camera.frame = QImage(200, 150, QImage::Format_RGB32);
        f.open();
        EXPECT_EQ(f.camera.previews, shown ? 1 : 0);
        EXPECT_EQ(!f.child("camPreview")->isHidden(), shown);
    }
}

TEST(ClockCycleWindow, TicksShowTimeAndRunTheForcedClockOutOnce)
{
    ClockFixture f;
    f.state.settings.clock12Hour = true;
    f.state.settings.forceClockOuts = true;
    f.state.settings.allowMinimize = false;
    f.open();
    EXPECT_TRUE(f.child("cmdMinimize")->isHidden());
    f.punch(QStringLiteral("5"));
    f.time.set(QDateTime(QDate(2026, 12, 4), QTime(20, 45, 0)));
    f.window->tick();
    EXPECT_EQ(f.child<QLabel>("lblTime")->text(), QStringLiteral("8:45 pm"));
    EXPECT_EQ(f.child<QLabel>("lblDate")->text(), QStringLiteral("Friday, December 4, 2026"));
    f.time.set(QDateTime(QDate(2026, 12, 4), QTime(20, 45, 1)));
    for (int i = 0; i < 10; ++i) // a second holds ten ticks
        f.window->tick();
    ASSERT_EQ(f.rows().size(), 2);
    EXPECT_EQ(f.rows().at(1).options, 3);
}
