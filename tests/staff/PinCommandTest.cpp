// `tellarin employees pin`: a sequence of commands on one staff, each with its answer.
#include "StaffFixture.h"
#include "staff/EmployeesCommand.h"
#include "store/EditHistory.h"
#include "store/PinTable.h"

#include <QTextStream>
#include <gtest/gtest.h>

TEST(PinCommand, PinsAreShownClearedAndUnlockedByKnownIdOnly)
{
    StaffFixture f;
    f.writeStaff(
        {{1, QStringLiteral("Ann"), QStringLiteral("O'Neil"), 0, Money::fromUnits(175000), true, {}}}, {});
    PinTable pins(f.folder.database());
    pins.choose(QStringLiteral("O'NEIL"), QStringLiteral("hash"));
    for (int i = 0; i < PinTable::triesBeforeLock; ++i)
        pins.count(QStringLiteral("O'NEIL"), false, f.time.now());
    const StaffFixture::Step steps[] = {
        {"pin --id o'neil --show", 0, "pin\tO'Neil\tset\t0\t2026-12-07 08:05:00\n", ""},
        {"pin --id o'neil --unlock", 0, "unlocked\tO'Neil\n", ""},
        {"pin --id O'NEIL --unlock", 1, "", "employees: O'Neil is not locked"},
        {"pin --id O'Neil --clear", 0, "cleared\tO'Neil\n", ""},
        {"pin --id O'Neil --clear", 1, "", "employees: O'Neil has no PIN"},
        {"pin --id O'Neil --show", 0, "pin\tO'Neil\tnone\t0\t\n", ""},
        {"pin --id Nobody --clear", 1, "", "employees: no employee has the ID \"Nobody\""},
        {"pin --id O'Neil", 2, "", "usage:"},
        {"pin --id O'Neil --clear --unlock", 2, "", "usage:"},
        {"pin --clear", 2, "", "usage:"},
        {"pin --id O'Neil --clear --from 2026-01-01", 2, "", "usage:"},
        {"export --unlock", 2, "", "usage:"},
    };
    f.runSteps(steps);
    EXPECT_EQ(EditHistory(f.folder.database()).entries().size(), 2);
}
