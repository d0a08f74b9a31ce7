#include "settings/Session.h"

#include "store/StaffFiles.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {
struct Signals {
    explicit Signals(Session& session)
        : settings(&session, &Session::settingsChanged)
        , staff(&session, &Session::staffChanged)
    {}
    QSignalSpy settings;
    QSignalSpy staff;
};
} // namespace

// Open windows redraw from these signals: a change that is not announced leaves one showing the old
// value, one announced twice redraws twice, and a staff change must not look like a settings change.
TEST(Session, EveryChangeIsAnnouncedOnceOnItsOwnSignal)
{
    QTemporaryDir dir;
    struct Case {
        const char* change;
        std::function<void(Session&)> make;
        std::function<bool(const Session&)> took;
        int settings;
        int staff;
    };
    const Case cases[] = {
        {"data folder", [&](Session& s) { s.setDataFolder(dir.filePath(QStringLiteral("data"))); },
         [&](const Session& s) { return s.paths().dataFolder() == dir.filePath(QStringLiteral("data")); }, 1,
         0},
        {"location",
         [](Session& s) {
             s.setLocation(*DatabaseLocation::parse(QStringLiteral("postgresql://clock@db/clock")));
         },
         [](const Session& s) { return s.location().isServer(); }, 1, 0},
        {"date order", [](Session& s) { s.setDateOrder(QStringLiteral("YYYY-MM-DD")); },
         [](const Session& s) { return s.dateOrder() == QLatin1String("YYYY-MM-DD"); }, 1, 0},
        {"one setting", [](Session& s) { s.updateSettings([](SettingsRecord& r) { r.keepInSeconds = 9; }); },
         [](const Session& s) { return s.settings().keepInSeconds == 9; }, 1, 0},
        {"source", [](Session& s) { s.setEmployeeSource(EmployeeSource::SchedulingDatabase); },
         [](const Session& s) { return s.hasEmployeeDatabase() && !s.usesLocalStaff(); }, 1, 0},
        {"employees",
         [](Session& s) {
             s.setEmployees({{Employee{}}, 1});
         },
         [](const Session& s) { return s.employees().count() == 1; }, 0, 1},
        {"both lists",
         [](Session& s) {
             s.setStaff({{Employee{}}, 1}, {{Department{1, QStringLiteral("Bar")}}, 1});
         },
         [](const Session& s) { return s.employees().count() == 1 && s.departments().count() == 1; }, 0, 1},
        {"scheduled staff",
         [](Session& s) {
             s.setScheduledStaff({{Department{2, QStringLiteral("Hall")}}, 2}, true);
         },
         [](const Session& s) { return s.blankEmployeeId() && s.departments().count() == 1; }, 0, 1},
    };
    for (const Case& c : cases) {
        Session session{ProgramPaths(dir.path())};
        Signals spy(session);
        c.make(session);
        EXPECT_TRUE(c.took(session)) << c.change;
        EXPECT_EQ(spy.settings.count(), c.settings) << c.change;
        EXPECT_EQ(spy.staff.count(), c.staff) << c.change;
    }
}

TEST(Session, UpdatingOneSettingKeepsTheOthers)
{
    Session session{ProgramPaths(QStringLiteral("/nowhere"))};
    SettingsRecord start;
    start.password = QStringLiteral("SECRET");
    start.showKeyboard = true;
    session.setSettings(start);
    session.updateSettings([](SettingsRecord& s) { s.password.clear(); });
    EXPECT_TRUE(session.settings().password.isEmpty());
    EXPECT_TRUE(session.settings().showKeyboard);
}

TEST(Session, ReloadReadsBothStaffFilesOfTheProgramFolder)
{
    QTemporaryDir dir;
    Session session{ProgramPaths(dir.path())};
    // Staff files live in the program folder even when the clock database is elsewhere.
    session.setDataFolder(dir.filePath(QStringLiteral("elsewhere")));
    Employee ann;
    ann.employeeNumber = 3;
    ann.name = QStringLiteral("Ann");
    ann.employeeId = QStringLiteral("A1");
    ASSERT_TRUE(StaffFiles::writeEmployees(StaffFiles::employeeFile(session.paths()), {ann}));
    ASSERT_TRUE(StaffFiles::writeDepartments(StaffFiles::departmentFile(session.paths()),
                                             {{4, QStringLiteral("Kitchen")}}));
    Signals spy(session);
    session.reloadStaffFiles();
    ASSERT_EQ(session.employees().count(), 1);
    EXPECT_EQ(session.employees().entries[0].employeeId, QStringLiteral("A1"));
    ASSERT_EQ(session.departments().count(), 1);
    EXPECT_EQ(session.departments().entries[0].name, QStringLiteral("Kitchen"));
    EXPECT_EQ(spy.staff.count(), 1) << "both lists arrive together";
    EXPECT_EQ(spy.settings.count(), 0);
}
