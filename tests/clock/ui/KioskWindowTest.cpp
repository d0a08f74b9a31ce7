#include "ClockFixture.h"
#include "clock/ui/KeypadWidget.h"
#include "platform/ui/HelpWindow.h"
#include "platform/ui/WindowManager.h"
#include "settings/SettingsIo.h"
#include "store/ApplicationTable.h"

#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>

// A new database confirms a punch for 3 s, counted to the millisecond from the moment the panel
// is up, whatever fraction of a second the punch falls on.
TEST(KioskWindow, FreshDatabaseShowsThePanelThreeSecondsToTheMillisecond)
{
    for (const int startMs : {0, 700, 999}) {
        SCOPED_TRACE(startMs);
        ClockFixture f;
        f.session.setSettings(SettingsIo::load(ApplicationTable(f.folder.database()).read()));
        f.open();
        for (const char* direction : {"in", "out"}) {
            SCOPED_TRACE(direction);
            f.time.set(f.time.now().addSecs(3600).addMSecs(startMs));
            f.punch(QStringLiteral("9"));
            for (const auto& [step, shown] : {std::pair{0, true}, {2900, true}, {99, true}, {1, false}}) {
                f.time.advanceMilliseconds(step);
                f.window->tick();
                EXPECT_EQ(f.panelShown(), shown) << step;
            }
        }
        EXPECT_EQ(f.rows().size(), 2);
    }
}

TEST(KioskWindow, PanelAskingForTipsLeavesEveryKeypadKeyInSight)
{
    for (const QSize size : {QSize(760, 560), QSize(1000, 740), QSize(1280, 1024)}) {
        SCOPED_TRACE(size.width());
        ClockFixture f;
        f.session.updateSettings([&](SettingsRecord& s) { s.showKeyboard = s.reportTips = true; });
        f.open().resize(size);
        f.punch(QStringLiteral("4"));
        f.punch(QStringLiteral("4")); // no display time: the OUT follows at once and asks for tips
        ASSERT_FALSE(f.child("txtTips")->isHidden());
        const QRect panel = f.child("pnlFin")->geometry();
        for (int key = 0; key < KeypadWidget::keyCount; ++key) {
            QWidget* button = f.child(QStringLiteral("cmdKey%1").arg(key).toLatin1().constData());
            EXPECT_FALSE(QRect(button->mapTo(f.window.get(), QPoint()), button->size()).intersects(panel))
                << KeypadWidget::caption(key).toStdString();
        }
    }
}

TEST(KioskWindow, HelpClosesByItsButtonEscapeAndCtrlW)
{
    for (const int way : {0, 1, 2}) {
        SCOPED_TRACE(way);
        ClockFixture f;
        f.open();
        QTest::mouseClick(f.child<QPushButton>("cmdHelp"), Qt::LeftButton);
        auto* help = f.window->findChild<HelpWindow*>();
        ASSERT_TRUE(help && help->isVisible() && QTest::qWaitForWindowActive(help));
        auto* close = help->findChild<QPushButton*>(QStringLiteral("cmdClose"));
        EXPECT_EQ(close->text(), QStringLiteral("Close"));
        if (way == 0)
            QTest::mouseClick(close, Qt::LeftButton);
        else
            QTest::keyClick(help, way == 1 ? Qt::Key_Escape : Qt::Key_W,
                            way == 1 ? Qt::NoModifier : Qt::ControlModifier);
        EXPECT_FALSE(help->isVisible());
    }
}

// Run by ctest on an X server of its own without a window manager (tests/support/run-under-xvfb.sh).
TEST(KioskScreen, FillsABareXScreenAndShowsWhereToTypeBeforeAnyClick)
{
    if (!std::getenv("TELLARIN_TEST_DISPLAY"))
        GTEST_SKIP() << "needs a bare X server";
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
    EXPECT_FALSE(WindowManager::isRunning());
    ClockFixture f;
    f.session.updateSettings([&](SettingsRecord& s) { s.keepInSeconds = 3; });
    f.window = std::make_unique<ClockWindow>(f.services, f.session);
    WindowManager::showFilling(f.window.get());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f.window.get()));
    const QRect screen = f.window->screen()->geometry();
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.window->geometry() == screen; }, 3000))
        << f.window->width() << "x" << f.window->height();
    f.window->tick(); // the first tick puts the focus into the ID box
    auto* box = f.child<QLineEdit>("Text1");
    ASSERT_TRUE(QTest::qWaitFor([&] { return box->hasFocus(); }, 3000));
    const QImage drawn = box->grab().toImage();
    EXPECT_EQ(drawn.pixelColor(drawn.width() / 2, drawn.height() / 2), QColor(255, 255, 0));
    QTest::keyClicks(box, QStringLiteral("42"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_TRUE(f.panelShown());
}
