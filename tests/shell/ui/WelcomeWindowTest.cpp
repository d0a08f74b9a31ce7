#include "shell/ui/WelcomeWindow.h"

#include "ShellFixture.h"
#include "shell/Welcome.h"
#include "store/ClockRecords.h"
#include "store/DatabaseMaintenance.h"
#include "store/PathFile.h"
#include "store/StaffFiles.h"
#include "support/PunchRecord.h"

#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {
struct WelcomeFixture : ShellFixture {
    WelcomeFixture() { DatabaseMaintenance::openClockDatabase(database, state.paths); }
    void press(WelcomeWindow& window, const char* name)
    {
        QTest::mouseClick(window.findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
    }
    void choose(WelcomeWindow& window, const char* name)
    {
        window.findChild<QRadioButton*>(QString::fromLatin1(name))->setChecked(true);
    }
};
} // namespace

TEST(WelcomeWindow, TheStaffOfThisProgramTakesEffectAtOnceAndTheWelcomeComesOnce)
{
    WelcomeFixture f;
    ASSERT_TRUE(Welcome::due(f.state));
    WelcomeWindow window(f.state, {});
    window.show();
    EXPECT_TRUE(window.findChild<QRadioButton*>(QStringLiteral("optNoEmployees"))->isChecked());
    EXPECT_FALSE(window.findChild<QPushButton*>(QStringLiteral("cmdAddEmployee"))->isEnabled());
    f.choose(window, "optLocalStaff");
    f.press(window, "cmdAddEmployee");
    EXPECT_EQ(window.next(), WelcomeWindow::Next::AddEmployee);
    EXPECT_TRUE(f.state.useSchedulingLink && f.state.useLocalStaff) << "no restart needed";
    const PathFile::State written = PathFile::read(f.state.paths);
    EXPECT_TRUE(written.useSchedulingLink && written.useLocalStaff) << "kept for the next start";
    EXPECT_FALSE(Welcome::due(f.state));
}

TEST(WelcomeWindow, NotDueOnADatabaseWithRecordsAndClosingDismissesIt)
{
    {
        WelcomeFixture f;
        ClockRecords(f.database).append(punchRecord(QStringLiteral("A1"), f.time.now(), false));
        EXPECT_FALSE(Welcome::due(f.state));
    }
    WelcomeFixture f;
    WelcomeWindow window(f.state, [] { return QString(); });
    window.show();
    f.choose(window, "optScheduling");
    f.press(window, "cmdClose"); // no RTM.MDB chosen: the window stays
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(f.state.useSchedulingLink);
    window.reject();
    EXPECT_FALSE(Welcome::due(f.state));
    EXPECT_FALSE(QFile::exists(f.state.paths.programFolder() + QStringLiteral("/RtmPath.DAT")));
}
