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
    WelcomeFixture() { DatabaseMaintenance::openClockDatabase(database, session.paths()); }
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
    ASSERT_TRUE(Welcome::due(f.services, f.session));
    WelcomeWindow window(f.services, f.session, {});
    window.show();
    EXPECT_TRUE(window.findChild<QRadioButton*>(QStringLiteral("optNoEmployees"))->isChecked());
    EXPECT_FALSE(window.findChild<QPushButton*>(QStringLiteral("cmdAddEmployee"))->isEnabled());
    f.choose(window, "optLocalStaff");
    f.press(window, "cmdAddEmployee");
    EXPECT_EQ(window.next(), WelcomeWindow::Next::AddEmployee);
    EXPECT_EQ(f.session.employeeSource(), EmployeeSource::LocalFiles) << "no restart needed";
    const PathFile::State written = PathFile::read(f.session.paths());
    EXPECT_EQ(written.source, EmployeeSource::LocalFiles) << "kept for the next start";
    EXPECT_FALSE(Welcome::due(f.services, f.session));
}

TEST(WelcomeWindow, NotDueOnADatabaseWithRecordsAndClosingDismissesIt)
{
    {
        WelcomeFixture f;
        ClockRecords(f.database).append(punchRecord(QStringLiteral("A1"), f.time.now(), false));
        EXPECT_FALSE(Welcome::due(f.services, f.session));
    }
    WelcomeFixture f;
    WelcomeWindow window(f.services, f.session, [] { return QString(); });
    window.show();
    f.choose(window, "optScheduling");
    f.press(window, "cmdClose"); // no RTM.MDB chosen: the window stays
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(f.session.hasEmployeeDatabase());
    window.reject();
    EXPECT_FALSE(Welcome::due(f.services, f.session));
    EXPECT_FALSE(QFile::exists(f.session.paths().programFolder() + QStringLiteral("/RtmPath.DAT")));
}
