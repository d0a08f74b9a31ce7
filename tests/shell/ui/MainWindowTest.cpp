#include "shell/ui/MainWindow.h"

#include "ShellFixture.h"
#include "settings/Password.h"
#include "store/ApplicationTable.h"
#include "store/DatabaseMaintenance.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {
// An opened clock database, the opening window and a clock screen that only counts its starts
// and, as the real one does, hides the opening window while it is shown.
struct WindowFixture : ShellFixture {
    explicit WindowFixture(const QString& password = {}, bool showClockFirst = false)
    {
        DatabaseMaintenance::openClockDatabase(database, session.paths());
        if (!password.isEmpty()) {
            ApplicationTable table(database);
            session.updateSettings([&](SettingsRecord& s) { s.password = Password::save(table, password); });
        }
        session.updateSettings([&](SettingsRecord& s) { s.showClockFirst = showClockFirst; });
        window = std::make_unique<MainWindow>(services, session);
        window->setShowClock([this] {
            ++clockStarts;
            window->hide();
        });
    }
    void activate()
    {
        window->show();
        QApplication::setActiveWindow(window.get());
        QCoreApplication::processEvents();
    }
    template <typename T> T* find(const char* name)
    {
        T* child = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    bool menuEnabled(const char* name) { return find<QMenu>(name)->menuAction()->isEnabled(); }

    std::unique_ptr<MainWindow> window;
    int clockStarts = 0;
};
} // namespace

TEST(MainWindow, FirstActivationWithPasswordAndClockFirst)
{
    struct Case {
        const char* password;
        bool showClockFirst;
        bool locked;
        int clockStarts;
    };
    const Case cases[] = {
        {"", false, false, 0},
        {"secret", false, true, 0},
        {"secret", true, false, 1},
        {"", true, false, 1},
    };
    for (const Case& c : cases) {
        WindowFixture f(QString::fromLatin1(c.password), c.showClockFirst);
        f.activate();
        EXPECT_EQ(f.window->isLocked(), c.locked) << c.password << c.showClockFirst;
        EXPECT_EQ(f.find<QPushButton>("cmdShowClock")->isEnabled(), !c.locked);
        EXPECT_EQ(f.clockStarts, c.clockStarts) << c.password << c.showClockFirst;

        // Back from the clock screen: neither a second start nor a late lock.
        f.activate();
        EXPECT_EQ(f.clockStarts, c.clockStarts);
        EXPECT_EQ(f.window->isLocked(), c.locked);
    }
}

TEST(MainWindow, WrongPasswordIsDeniedTheRightOneUnlocks)
{
    WindowFixture f(QStringLiteral("Secret"));
    f.activate();
    auto* box = f.find<QLineEdit>("txtPassword");
    QTest::keyClicks(box, QStringLiteral("secrex"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_TRUE(f.window->isLocked());
    EXPECT_EQ(f.messages.beeps, 1);
    ASSERT_EQ(f.messages.shown.size(), 1);
    EXPECT_EQ(f.messages.shown[0].text, QStringLiteral("Password not valid"));
    EXPECT_TRUE(box->text().isEmpty());
    QTest::keyClicks(box, QStringLiteral("SeCrEt"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_FALSE(f.window->isLocked());
    EXPECT_TRUE(f.menuEnabled("mnuFile"));
}

TEST(MainWindow, ResetCodeClearsThePasswordAndEnds)
{
    WindowFixture f(QStringLiteral("secret"));
    f.time.set(QDateTime(QDate(2026, 12, 5), QTime(9, 0)));
    f.activate();
    QSignalSpy ended(f.window.get(), &MainWindow::endRequested);
    auto* status = f.find<QStatusBar>("StatusBar1");
    auto* box = f.find<QLineEdit>("txtResetCode");

    const auto pressBoth = [&](int x) {
        QTest::mousePress(status, Qt::LeftButton, {}, QPoint(x, 5));
        QTest::mousePress(status, Qt::RightButton, {}, QPoint(x, 5));
        QTest::mouseRelease(status, Qt::RightButton, {}, QPoint(x, 5));
        QTest::mouseRelease(status, Qt::LeftButton, {}, QPoint(x, 5));
    };
    pressBoth(300);
    EXPECT_FALSE(box->isVisible());
    pressBoth(10);
    ASSERT_TRUE(box->isVisible());

    QTest::keyClicks(box, QStringLiteral("1986"));
    QTest::keyClick(box, Qt::Key_Backspace); // refused: what is typed stays
    QTest::keyClicks(box, QStringLiteral("5"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(ended.count(), 1);
    EXPECT_EQ(ApplicationTable(f.database).read().value(QStringLiteral("PW")).toString(), QString());
}

TEST(MainWindow, MenusFollowTheOfferAndWiredCommands)
{
    WindowFixture f;
    f.activate();
    const MenuOffer offers[] = {MenuOffer{}, {false, true, false, true}, {true, true, true, false}};
    for (const MenuOffer& offer : offers) {
        if (&offer != &offers[0]) // the first is the window as it opens
            f.window->applyMenuOffer(offer);
        EXPECT_EQ(f.find<QMenu>("mnuDepartments")->menuAction()->isVisible(), offer.departments);
        EXPECT_EQ(f.find<QMenu>("mnuEmployees")->menuAction()->isVisible(), offer.employees);
        EXPECT_EQ(f.find<QAction>("mnuAddEmployee")->isVisible(), offer.employeeEntries);
        EXPECT_EQ(f.find<QAction>("mnuMigrate")->isVisible(), offer.migrate);
    }
}

// With every menu offered, none is pushed behind the menu bar's overflow arrow.
TEST(MainWindow, EveryMenuFitsTheWindowAsItOpens)
{
    WindowFixture f;
    f.session.setEmployeeSource(EmployeeSource::LocalFiles);
    f.activate();
    QMenuBar* bar = f.window->menuBar();
    for (QAction* entry : bar->actions()) {
        if (!entry->isVisible())
            continue;
        const QRect place = bar->actionGeometry(entry);
        EXPECT_TRUE(place.isValid() && place.right() < bar->width()) << entry->text().toStdString();
    }
}

TEST(MainWindow, StaffMenusFollowTheSourceChosenWhileItIsOpen)
{
    WindowFixture f;
    f.activate();
    MenuOffer start;
    start.migrate = true;
    f.window->applyMenuOffer(start);
    struct Case {
        EmployeeSource source;
        bool employees;
        bool departments;
    };
    const Case cases[] = {{EmployeeSource::LocalFiles, true, true},
                          {EmployeeSource::SchedulingDatabase, true, false},
                          {EmployeeSource::None, false, false}};
    for (const Case& c : cases) {
        f.session.setEmployeeSource(c.source);
        EXPECT_EQ(f.find<QMenu>("mnuEmployees")->menuAction()->isVisible(), c.employees);
        EXPECT_EQ(f.find<QMenu>("mnuDepartments")->menuAction()->isVisible(), c.departments);
        EXPECT_EQ(f.find<QAction>("mnuAddEmployee")->isVisible(), c.departments);
        EXPECT_TRUE(f.find<QAction>("mnuMigrate")->isVisible()) << "what the database offers stays";
    }
}

TEST(MainWindow, APasswordSetWhileItRunsDoesNotLockItsOwnUser)
{
    WindowFixture f;
    f.activate();
    ASSERT_FALSE(f.window->isLocked());
    // As the options' password page does: stored, then taken into the session.
    ApplicationTable table(f.database);
    f.session.updateSettings(
        [&](SettingsRecord& s) { s.password = Password::save(table, QStringLiteral("secret")); });
    f.window->hide();
    f.activate();
    EXPECT_FALSE(f.window->isLocked());
}

TEST(MainWindow, CompactShowsProgress)
{
    WindowFixture f;
    f.activate();
    auto* progress = f.find<QProgressBar>("ProgressBar1");
    f.find<QAction>("mnuCompact")->trigger();
    EXPECT_TRUE(progress->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!progress->isVisible(), 2000);
    EXPECT_EQ(progress->value(), 100);
}

TEST(MainWindow, RefusesTheClockWhileAScheduledEmployeeHasNoId)
{
    struct Case {
        bool link;
        bool blank;
        int starts;
    };
    for (const Case c : {Case{true, true, 0}, Case{false, true, 1}, Case{true, false, 1}}) {
        WindowFixture f;
        f.session.setEmployeeSource(c.link ? EmployeeSource::SchedulingDatabase : EmployeeSource::None);
        f.session.setScheduledStaff({}, c.blank);
        f.activate();
        QTest::mouseClick(f.find<QPushButton>("cmdShowClock"), Qt::LeftButton);
        EXPECT_EQ(f.clockStarts, c.starts);
        if (c.starts == 0) {
            ASSERT_EQ(f.messages.shown.size(), 1);
            EXPECT_EQ(f.messages.shown[0].title, "One or more blank Employee ID");
            EXPECT_EQ(f.messages.shown[0].text, "Under Options, you elected to use the Database of program\n"
                                                "Rostermill, all employees must have valid\nEmployee IDs\n"
                                                "Currently one or more IDs are not filled in.");
        }
    }
}

TEST(MainWindow, TheStatusLineCountsThisWeeksExceptionsAndOpensThem)
{
    WindowFixture f(QStringLiteral("secret"));
    qsizetype open = 3;
    int opened = 0;
    f.window->setCommand(MainWindow::Command::Exceptions, [&] { ++opened; });
    f.window->setExceptionCount([&] { return open; });
    f.activate();
    auto* link = f.find<QPushButton>("cmdExceptionsThisWeek");
    // Locked, the window tells nothing of the records.
    EXPECT_FALSE(link->isVisibleTo(f.window.get()));
    auto* box = f.find<QLineEdit>("txtPassword");
    QTest::keyClicks(box, QStringLiteral("secret"));
    QTest::keyClick(box, Qt::Key_Return);
    ASSERT_TRUE(link->isVisibleTo(f.window.get()));
    EXPECT_EQ(link->text(), QStringLiteral("3 exceptions this week"));
    QTest::mouseClick(link, Qt::LeftButton);
    EXPECT_EQ(opened, 1);

    // Counted again once the window it opened has closed.
    f.window->setCommand(MainWindow::Command::Exceptions, [&] { open = open == 3 ? 1 : 0; });
    QTest::mouseClick(link, Qt::LeftButton);
    EXPECT_EQ(link->text(), QStringLiteral("1 exception this week"));
    QTest::mouseClick(link, Qt::LeftButton);
    EXPECT_FALSE(link->isVisibleTo(f.window.get()));
}
