#include "ClockFixture.h"
#include "clock/ui/KeypadWidget.h"
#include "platform/ui/HelpWindow.h"
#include "platform/ui/WindowManager.h"
#include "settings/SettingsIo.h"
#include "store/ApplicationTable.h"

#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>

namespace {
QRect inWindow(QWidget* widget, QWidget* window)
{
    return QRect(widget->mapTo(window, QPoint(0, 0)), widget->size());
}
} // namespace

// A new database confirms a punch for 3 s, counted to the millisecond from the moment the panel
// is up, whatever fraction of a second the punch falls on.
TEST(KioskWindow, FreshDatabaseShowsThePanelThreeSecondsToTheMillisecond)
{
    for (const int startMs : {0, 1, 700, 999}) {
        for (const bool clockOut : {false, true}) {
            SCOPED_TRACE(testing::Message() << startMs << " ms, out " << clockOut);
            ClockFixture f;
            f.state.settings = SettingsIo::load(ApplicationTable(f.folder.database()).read());
            f.open();
            if (clockOut) {
                f.punch(QStringLiteral("9"));
                f.waitSeconds(3);
                ASSERT_FALSE(f.panelShown());
                f.time.advanceSeconds(3600);
            }
            f.time.set(f.time.preciseNow().addMSecs(startMs));
            f.punch(QStringLiteral("9"));
            ASSERT_EQ(f.rows().size(), clockOut ? 2 : 1);
            EXPECT_TRUE(f.panelShown());
            f.time.advanceMilliseconds(2900);
            f.window->tick();
            EXPECT_TRUE(f.panelShown());
            f.time.advanceMilliseconds(99);
            f.window->tick();
            EXPECT_TRUE(f.panelShown());
            f.time.advanceMilliseconds(1);
            f.window->tick();
            EXPECT_FALSE(f.panelShown());
        }
    }
}

TEST(KioskWindow, PanelAskingForTipsLeavesEveryKeypadKeyInSight)
{
    for (const QSize size : {QSize(760, 560), QSize(1000, 740), QSize(1280, 1024)}) {
        SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height());
        ClockFixture f;
        f.state.settings.showKeyboard = f.state.settings.reportTips = true;
        f.open().resize(size);
        QApplication::processEvents();
        f.punch(QStringLiteral("4"));
        f.waitSeconds(1);
        f.punch(QStringLiteral("4"));
        ASSERT_FALSE(f.child("txtTips")->isHidden());
        QWidget* panel = f.child("pnlFin");
        const QRect shown = inWindow(panel, f.window.get());
        EXPECT_TRUE(inWindow(f.child("txtTips"), f.window.get()).intersects(shown));
        for (int key = 0; key < KeypadWidget::keyCount; ++key) {
            QWidget* button = f.child<QWidget>(QStringLiteral("cmdKey%1").arg(key).toLatin1().constData());
            ASSERT_NE(button, nullptr);
            EXPECT_FALSE(inWindow(button, f.window.get()).intersects(shown))
                << KeypadWidget::caption(key).toStdString();
        }
    }
}

TEST(KioskWindow, HelpClosesByButtonEscapeAndCtrlW)
{
    const struct {
        const char* how;
        std::function<void(HelpWindow*)> close;
    } cases[] = {
        {"button",
         [](HelpWindow* help) {
             QTest::mouseClick(help->findChild<QPushButton*>("cmdClose"), Qt::LeftButton);
         }},
        {"Escape",
         [](HelpWindow* help) {
             QTest::keyClick(help->findChild<QWidget*>("txtHelp"), Qt::Key_Escape);
         }},
        {"Ctrl+W",
         [](HelpWindow* help) {
             QTest::keyClick(help->findChild<QWidget*>("lstTopics"), Qt::Key_W, Qt::ControlModifier);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        ClockFixture f;
        f.open();
        QTest::mouseClick(f.child<QPushButton>("cmdHelp"), Qt::LeftButton);
        auto* help = f.window->findChild<HelpWindow*>();
        ASSERT_NE(help, nullptr);
        ASSERT_TRUE(help->isVisible());
        EXPECT_EQ(help->currentTopic(), 110);
        EXPECT_EQ(help->findChild<QPushButton*>("cmdClose")->text(), QStringLiteral("Close"));
        ASSERT_TRUE(QTest::qWaitForWindowActive(help));
        c.close(help);
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
    f.state.settings.keepInSeconds = 3;
    f.window = std::make_unique<ClockWindow>(f.state);
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
