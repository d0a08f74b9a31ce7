#include "store/StaffRebuild.h"

#include "store/DayNumber.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

namespace {
Employee employee(qint32 number, const char* name, bool active) {
    Employee e;
    e.employeeNumber = number;
    e.name = QString::fromLatin1(name);
    e.employeeId = e.name.toUpper();
    e.departmentNumber = static_cast<qint16>(number % 3);
    e.active = active;
    return e;
}
} // namespace

TEST(StaffRebuild, WeekdayStartsOnSunday) {
    const QDate sunday(2026, 12, 6);
    for (int offset = 0; offset < 7; ++offset)
        EXPECT_EQ(StaffRebuild::weekdayOf(sunday.addDays(offset)), offset + 1);
}

TEST(StaffRebuild, RowsForTheDay) {
    Employee split = employee(4, "Split", true);
    split.schedule.setSlot(6, 1, 24, 40); // Friday 06:00-10:00 and 14:00-22:00
    split.schedule.setSlot(6, 2, 56, 88);
    split.schedule.setSlot(5, 1, 36, 60); // Thursday and Saturday differ
    split.schedule.setSlot(7, 1, 4, 8);
    Employee inactive = employee(5, "Inactive", false);
    inactive.schedule.setSlot(6, 1, 32, 64);
    const Employee unscheduled = employee(2, "Unscheduled", true);
    const QList<Employee> staff = {split, inactive, unscheduled};

    struct Case {
        QDate day;
        qint16 start;
        qint16 stop;
    };
    const Case cases[] = {
        {QDate(2026, 12, 4), 24, 88},
        {QDate(2026, 12, 3), 36, 60},
        {QDate(2026, 12, 5), 4, 8},
        {QDate(2026, 12, 6), 0, 0},
    };
    for (const Case& c : cases) {
        const QList<StaffRow> rows = StaffRebuild::staffRowsFor(staff, c.day);
        ASSERT_EQ(rows.size(), 2);
        EXPECT_EQ(rows[0].employeeNumber, 4);
        EXPECT_EQ(rows[0].start, c.start) << c.day.toString().toStdString();
        EXPECT_EQ(rows[0].stop, c.stop) << c.day.toString().toStdString();
        EXPECT_EQ(rows[0].julian, DayNumber::of(c.day));
        EXPECT_EQ(rows[1].employee, QStringLiteral("Unscheduled"));
        EXPECT_EQ(rows[1].start, 0);
        EXPECT_EQ(rows[1].stop, 0);
    }
}

TEST(StaffRebuild, RefillsTableFromProgramFolderFiles) {
    TestFolder folder;
    ProgramPaths paths = folder.paths();
    paths.setDataFolder(folder.path() + QStringLiteral("/elsewhere"));
    StaffTable table(folder.database());
    table.replaceAll({StaffRow{QStringLiteral("Stale"), 99, 1, QStringLiteral("OLD"), 0, 0, 0}});

    Employee split = employee(4, "Split", true);
    split.schedule.setSlot(6, 1, 24, 40);
    split.schedule.setSlot(6, 2, 56, 88);
    ASSERT_TRUE(StaffFiles::writeEmployees(StaffFiles::employeeFile(paths),
                                           {employee(1, "Gone", false), split, employee(2, "Lee", true)}));
    ASSERT_TRUE(
        StaffFiles::writeDepartments(StaffFiles::departmentFile(paths), {{1, QStringLiteral("Bar")}}));

    const StaffRebuild::Loaded loaded =
        StaffRebuild::rebuildStaffTable(folder.database(), paths, QDate(2026, 12, 4));
    EXPECT_EQ(loaded.employees.count(), 3);
    EXPECT_EQ(loaded.departments.count(), 1);
    const QList<StaffRow> rows = table.all();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].employeeId, QStringLiteral("SPLIT"));
    EXPECT_EQ(rows[0].departmentNumber, 1);
    EXPECT_EQ(rows[0].start, 24);
    EXPECT_EQ(rows[0].stop, 88);
    EXPECT_EQ(rows[0].julian, 46360);
    EXPECT_EQ(rows[1].employee, QStringLiteral("Lee"));
    EXPECT_FALSE(table.find(QStringLiteral("gone")).has_value());
    EXPECT_FALSE(table.find(QStringLiteral("OLD")).has_value());
}
