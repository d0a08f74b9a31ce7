#include "store/StaffRebuild.h"

#include "store/DayNumber.h"
#include "support/BackendTest.h"

#include <gtest/gtest.h>

using StaffRebuildTest = BackendTest;
TELLARIN_ON_BOTH_BACKENDS(StaffRebuildTest);

TEST_P(StaffRebuildTest, RefillsTableWithTheDaysSchedule)
{
    TestFolder folder(backend());
    ProgramPaths paths = folder.paths();
    paths.setDataFolder(folder.path() + QStringLiteral("/elsewhere")); // the files stay in the program folder
    Employee split{4, "Split", "SPLIT", 1, {}, true, {}};
    split.schedule.setSlot(6, 1, 24, 40); // Friday 06:00-10:00 and 14:00-22:00
    split.schedule.setSlot(6, 2, 56, 88);
    split.schedule.setSlot(5, 1, 36, 60); // Thursday and Saturday differ
    split.schedule.setSlot(7, 1, 4, 8);
    Employee inactive{5, "Inactive", "GONE", 0, {}, false, {}};
    inactive.schedule.setSlot(6, 1, 32, 64);
    const Employee unscheduled{2, "Lee", "LEE", 0, {}, true, {}};
    ASSERT_TRUE(StaffFiles::writeEmployees(StaffFiles::employeeFile(paths), {split, inactive, unscheduled}));
    ASSERT_TRUE(
        StaffFiles::writeDepartments(StaffFiles::departmentFile(paths), {{1, QStringLiteral("Bar")}}));
    StaffTable table(folder.database());
    table.replaceAll({StaffRow{QStringLiteral("Stale"), 99, 1, QStringLiteral("OLD"), 0, 0, 0}});

    struct Case {
        QDate day;
        qint16 start;
        qint16 stop;
    };
    const Case cases[] = {
        {QDate(2026, 12, 4), 24, 88}, {QDate(2026, 12, 3), 36, 60}, {QDate(2026, 12, 5), 4, 8},
        {QDate(2026, 12, 6), 0, 0},   {QDate(2026, 12, 7), 0, 0},
    };
    for (const Case& c : cases) {
        const auto loaded = StaffRebuild::rebuildStaffTable(folder.database(), paths, c.day);
        EXPECT_EQ(loaded.employees.count(), 3);
        EXPECT_EQ(loaded.departments.count(), 1);
        const QList<StaffRow> rows = table.all();
        ASSERT_EQ(rows.size(), 2);
        EXPECT_EQ(std::tuple(rows[0].employeeId, rows[0].departmentNumber, rows[0].start, rows[0].stop,
                             rows[0].julian),
                  std::tuple(QStringLiteral("SPLIT"), qint16(1), c.start, c.stop, DayNumber::of(c.day)))
            << c.day.toString().toStdString();
        EXPECT_EQ(rows[1].start + rows[1].stop, 0);
        EXPECT_FALSE(table.find(QStringLiteral("gone")) || table.find(QStringLiteral("OLD")));
    }
}
