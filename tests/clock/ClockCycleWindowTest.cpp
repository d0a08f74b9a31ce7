#include "ClockFixture.h"
#include "clock/ClockFace.h"
#include "clock/HelpWindow.h"
#include "clock/KeypadWidget.h"
#include "store/DayNumber.h"
#include "store/StaffTable.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {
void clickKey(ClockFixture& f, int key) {
    auto* button = f.child<QPushButton>(QStringLiteral("cmdKey%1").arg(key).toLatin1().constData());
    ASSERT_NE(button, nullptr) << key;
    QTest::mouseClick(button, Qt::LeftButton);
}

void clickKeys(ClockFixture& f, const QString& text) {
    for (const QChar c : text) {
        for (int key = 0; key < KeypadWidget::characterKeys; ++key) {
            if (KeypadWidget::caption(key) == QString(c))
                clickKey(f, key);
        }
    }
}

QStringList entries(ClockFixture& f, const char* list) {
    QStringList names;
    auto* widget = f.child<QListWidget>(list);
    for (int i = 0; i < widget->count(); ++i)
        names.append(widget->item(i)->text().trimmed());
    return names;
}

QImage testFrame() {
    QImage frame(200, 150, QImage::Format_RGB32);
    frame.fill(Qt::darkGray);
    return frame;
}
} // namespace

TEST(ClockFace, TimeDateTooltipAndPassword) {
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(ClockFace::timeText(QTime(20, 5), true, english), QStringLiteral("8:05 pm"));
    EXPECT_EQ(ClockFace::timeText(QTime(20, 5), false, english), QStringLiteral("20:05"));
    EXPECT_EQ(ClockFace::timeText(QTime(0, 7), true, english), QStringLiteral("12:07 am"));
    EXPECT_EQ(ClockFace::timeText(QTime(8, 5), false, english), QStringLiteral("8:05"));
    EXPECT_EQ(ClockFace::dateText(QDate(2026, 12, 4), english), QStringLiteral("Friday, December 4, 2026"));
    EXPECT_EQ(ClockFace::exitToolTip(QString()), QStringLiteral("Click here to exit"));
    EXPECT_EQ(ClockFace::exitToolTip(QStringLiteral("X")),
              QStringLiteral("You will need your Password to exit"));

    using E = ClockFace::PasswordEntry;
    const struct {
        const char* typed;
        E entry;
    } cases[] = {{"", E::Cancel},          {"   ", E::Cancel},     {"secret", E::Accept},
                 {"  SeCrEt ", E::Accept}, {"secrets", E::Ignore}, {"sec ret", E::Ignore}};
    for (const auto& c : cases)
        EXPECT_EQ(ClockFace::judgePassword(QString::fromLatin1(c.typed), QStringLiteral("SECRET")), c.entry)
            << c.typed;
}

TEST(ClockCycleWindow, KeypadClicksPunch) {
    ClockFixture f;
    f.state.settings.showKeyboard = true;
    f.state.settings.reportTips = true;
    f.state.settings.keepInSeconds = 2;
    f.open();
    ASSERT_FALSE(f.child("Keypad")->isHidden());
    auto* box = f.child<QLineEdit>("Text1");

    clickKeys(f, QStringLiteral("Q9"));
    EXPECT_EQ(box->text(), QStringLiteral("Q9"));
    clickKey(f, KeypadWidget::clearKey);
    EXPECT_TRUE(box->text().isEmpty());
    clickKeys(f, QStringLiteral("1234567890AB")); // the box holds ten characters
    EXPECT_EQ(box->text(), QStringLiteral("1234567890"));
    clickKey(f, KeypadWidget::clearKey);

    clickKeys(f, QStringLiteral("A1"));
    clickKey(f, KeypadWidget::enterKey);
    ASSERT_EQ(f.rows().size(), 1);
    EXPECT_EQ(f.rows().at(0).employeeId, QStringLiteral("A1"));
    EXPECT_TRUE(f.panelShown());
    // While the confirmation is up, keys change nothing.
    clickKeys(f, QStringLiteral("A1"));
    clickKey(f, KeypadWidget::enterKey);
    EXPECT_TRUE(box->text().isEmpty());
    EXPECT_EQ(f.rows().size(), 1);
    f.waitSeconds(2);
    ASSERT_FALSE(f.panelShown());

    // An OUT asking for tips: a key only sends the typing to the tips box.
    f.time.advanceSeconds(3600);
    clickKeys(f, QStringLiteral("A1"));
    clickKey(f, KeypadWidget::enterKey);
    ASSERT_FALSE(f.child("txtTips")->isHidden());
    f.child<QLineEdit>("txtTips")->clearFocus();
    clickKey(f, 4);
    EXPECT_TRUE(f.child<QLineEdit>("txtTips")->text().isEmpty());
    if (QApplication::focusWidget()) { // only a window that got activated has a focus widget
        EXPECT_EQ(QApplication::focusWidget(), f.child("txtTips"));
    }
    f.typeTips(QStringLiteral("3"));
    ASSERT_EQ(f.rows().size(), 2);
    EXPECT_TRUE(f.rows().at(1).clockOut);
}

TEST(ClockCycleWindow, ExitWithAndWithoutPassword) {
    struct Case {
        const char* name;
        const char* password;
        QStringList typed; // entries in the password box, each ended by Enter
        bool closes;
        bool boxStaysUp;
    };
    const Case cases[] = {
        {"no password closes at once", "", {}, true, false},
        {"wrong password does nothing", "SECRET", {QStringLiteral("nope")}, false, true},
        {"empty entry hides the box", "SECRET", {QString()}, false, false},
        {"any case, blanks around",
         "SECRET",
         {QStringLiteral("nope"), QStringLiteral("  secret ")},
         true,
         false},
    };
    for (const Case& c : cases) {
        ClockFixture f;
        f.state.settings.password = QString::fromLatin1(c.password);
        f.open();
        QSignalSpy closed(f.window.get(), &ClockWindow::closed);
        auto* exit = f.child<QPushButton>("cmdExitClock");
        EXPECT_EQ(exit->toolTip(), ClockFace::exitToolTip(f.state.settings.password)) << c.name;
        f.child<QLabel>("Label4")->setText(QStringLiteral("ID 9  not found"));
        QTest::mouseClick(exit, Qt::LeftButton);
        auto* box = f.child<QLineEdit>("txtPassword");
        if (*c.password) {
            ASSERT_FALSE(box->isHidden()) << c.name;
            EXPECT_EQ(box->echoMode(), QLineEdit::Password);
            EXPECT_EQ(f.child<QLabel>("lblPassword")->text(),
                      QStringLiteral("Type in password... press Enter"));
            EXPECT_TRUE(f.child<QLabel>("Label4")->text().isEmpty()) << c.name;
        }
        for (const QString& typed : c.typed) {
            box->selectAll();
            QTest::keyClicks(box, typed);
            QTest::keyClick(box, Qt::Key_Return);
        }
        EXPECT_EQ(closed.count(), c.closes ? 1 : 0) << c.name;
        if (!c.closes) {
            EXPECT_EQ(!box->isHidden(), c.boxStaysUp) << c.name;
        }
    }
}

TEST(ClockCycleWindow, KeypadTypesThePasswordWhileItsBoxIsUp) {
    ClockFixture f;
    f.state.settings.showKeyboard = true;
    f.state.settings.password = QStringLiteral("K9");
    f.open();
    QSignalSpy closed(f.window.get(), &ClockWindow::closed);
    QTest::mouseClick(f.child<QPushButton>("cmdExitClock"), Qt::LeftButton);
    clickKeys(f, QStringLiteral("K9"));
    EXPECT_TRUE(f.child<QLineEdit>("Text1")->text().isEmpty());
    EXPECT_EQ(f.child<QLineEdit>("txtPassword")->text(), QStringLiteral("K9"));
    clickKey(f, KeypadWidget::enterKey);
    EXPECT_EQ(closed.count(), 1);
    EXPECT_TRUE(f.rows().isEmpty());
}

TEST(ClockCycleWindow, ListsFollowPunches) {
    ClockFixture f;
    f.state.settings.showInOutLists = true;
    f.state.settings.screenInOutDays = 0;
    f.state.settings.keepInSeconds = 5;
    f.state.useSchedulingLink = true;
    f.state.useLocalStaff = true;
    StaffTable(f.folder.database())
        .replaceAll({{QStringLiteral("Ann Lee"), 1, 46360, QStringLiteral("A1"), 0, 0, 0},
                     {QStringLiteral("Bob Fox"), 2, 46360, QStringLiteral("B2"), 0, 0, 0}});
    f.time.set(QDateTime(QDate(2026, 12, 3), QTime(21, 0)));
    f.open();
    f.punch(QStringLiteral("B2")); // IN yesterday evening, never out
    f.waitSeconds(5);
    EXPECT_EQ(entries(f, "lstIN"), QStringList{QStringLiteral("Bob Fox")});

    f.time.set(QDateTime(QDate(2026, 12, 4), QTime(8, 0)));
    f.punch(QStringLiteral("A1"));
    EXPECT_TRUE(f.panelShown());
    EXPECT_EQ(entries(f, "lstIN"), (QStringList{QStringLiteral("Ann Lee"), QStringLiteral("Bob Fox")}));
    EXPECT_TRUE(entries(f, "lstOUT").isEmpty());
    EXPECT_EQ(f.state.settings.screenInOutDays, 7);
    EXPECT_TRUE(f.child<QListWidget>("lstIN")->item(0)->text().endsWith(QLatin1Char('\t')));

    // A record written elsewhere shows when the heading is clicked.
    ClockRecord out;
    out.time = f.time.now();
    out.julian = DayNumber::of(out.time);
    out.employeeId = QStringLiteral("B2");
    out.employee = QStringLiteral("Bob Fox");
    out.clockOut = true;
    ClockRecords(f.folder.database()).append(out);
    EXPECT_EQ(entries(f, "lstOUT"), QStringList{});
    QTest::mouseClick(f.child("InOutLabel"), Qt::LeftButton);
    EXPECT_EQ(entries(f, "lstIN"), QStringList{QStringLiteral("Ann Lee")});
    EXPECT_EQ(entries(f, "lstOUT"), QStringList{QStringLiteral("Bob Fox")});
}

TEST(ClockCycleWindow, SoundAndCameraFailuresNeverStopAPunch) {
    const struct {
        const char* name;
        bool useSound;
        bool soundThrows;
        bool cameraThrows;
        bool hasFrame;
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
            f.camera.frame = testFrame();
        f.open();
        f.window->tick();
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

TEST(ClockCycleWindow, PictureNamedAfterTheRecordWithItsText) {
    ClockFixture f;
    f.state.settings.takePictures = true;
    f.state.settings.clock12Hour = true;
    f.state.useSchedulingLink = true;
    f.state.useLocalStaff = true;
    f.camera.frame = testFrame();
    StaffTable(f.folder.database())
        .replaceAll({{QStringLiteral("Ann Lee"), 1, 46360, QStringLiteral("A1"), 0, 0, 0}});
    f.time.set(QDateTime(QDate(2026, 12, 4), QTime(20, 1, 30)));
    f.open();
    EXPECT_TRUE(QDir(f.state.paths.picturesFolder()).exists()); // made when the screen opens
    f.window->tick();
    f.punch(QStringLiteral("nobody")); // not recorded, so no picture
    f.time.advanceSeconds(2);
    f.punch(QStringLiteral("a1"));
    ASSERT_EQ(f.rows().size(), 1);
    ASSERT_EQ(f.camera.captures.size(), 1);
    EXPECT_EQ(f.camera.captures.at(0),
              f.state.paths.picturesFolder() + QStringLiteral("/%1.jpg").arg(f.rows().at(0).recordNumber));
    EXPECT_EQ(f.camera.texts.at(0), QStringLiteral("Id A1, Ann Lee 04-Dec-26  In 08:01 PM"));
    EXPECT_EQ(f.camera.previews, 0); // no live picture unless asked for
}

TEST(ClockCycleWindow, LiveCameraOnlyWithPicturesAndPreview) {
    const struct {
        bool takePictures, showLiveCam, shown;
    } cases[] = {{true, true, true}, {true, false, false}, {false, true, false}};
    for (const auto& c : cases) {
        ClockFixture f;
        f.state.settings.takePictures = c.takePictures;
        f.state.settings.showLiveCam = c.showLiveCam;
        f.camera.frame = testFrame();
        f.open();
        EXPECT_EQ(f.camera.previews, c.shown ? 1 : 0);
        QWidget* area = f.child("camPreview");
        EXPECT_EQ(!area->isHidden(), c.shown);
        if (c.shown) {
            EXPECT_LT(area->x(), 20);
            EXPECT_GT(area->geometry().bottom(), f.window->height() - 60);
        }
    }
}

TEST(ClockCycleWindow, TicksShowTimeAndRunTheForcedClockOut) {
    ClockFixture f;
    f.state.settings.clock12Hour = true;
    f.state.settings.forceClockOuts = true;
    f.state.settings.forceAfter = 12;
    f.open();
    f.punch(QStringLiteral("5"));
    f.time.set(QDateTime(QDate(2026, 12, 4), QTime(20, 45, 0)));
    f.window->tick();
    EXPECT_EQ(f.child<QLabel>("lblTime")->text(), QStringLiteral("8:45 pm"));
    EXPECT_EQ(f.child<QLabel>("lblDate")->text(), QStringLiteral("Friday, December 4, 2026"));
    EXPECT_EQ(f.rows().size(), 1);
    for (int i = 0; i < 10; ++i) { // ten ticks within hh:45:01: one run
        f.time.set(QDateTime(QDate(2026, 12, 4), QTime(20, 45, 1)));
        f.window->tick();
    }
    ASSERT_EQ(f.rows().size(), 2);
    EXPECT_EQ(f.rows().at(1).options, 3);
    EXPECT_EQ(f.rows().at(1).time, QDateTime(QDate(2026, 12, 4), QTime(8, 1)));

    f.state.settings.clock12Hour = false;
    f.window->tick();
    EXPECT_EQ(f.child<QLabel>("lblTime")->text(), QStringLiteral("20:45"));
}

TEST(ClockCycleWindow, MinimizeAndHelpButtons) {
    for (const bool allow : {false, true}) {
        ClockFixture f;
        f.state.settings.allowMinimize = allow;
        f.open();
        EXPECT_EQ(!f.child("cmdMinimize")->isHidden(), allow);
        EXPECT_EQ(f.window->windowTitle(), QStringLiteral("Orvane time and attendance"));
    }
    ClockFixture f;
    f.open();
    QTest::mouseClick(f.child<QPushButton>("cmdHelp"), Qt::LeftButton);
    HelpWindow* help = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* h = qobject_cast<HelpWindow*>(w); h && h->isVisible())
            help = h;
    }
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->currentTopic(), 110);
}
