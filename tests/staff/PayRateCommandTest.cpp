// `tellarin employees rate`: a sequence of commands on one staff, each with its answer.
#include "StaffFixture.h"
#include "staff/EmployeesCommand.h"
#include "store/DayNumber.h"
#include "store/EditHistory.h"
#include "store/PayRateTable.h"

#include <QTextStream>
#include <gtest/gtest.h>

namespace {
TEST(PayRateCommand, RatesAreAddedChangedListedAndRemovedByDay)
{
    StaffFixture f;
    f.writeStaff(
        {{1, QStringLiteral("Ann"), QStringLiteral("O'Neil"), 0, Money::fromUnits(175000), true, {}}}, {});
    const StaffFixture::Step steps[] = {
        {"rate --id o'neil --from 2026-06-08 --rate 18.50", 0, "added\tO'Neil\t2026-06-08\t18.50\n", ""},
        {"rate --id O'NEIL --from 2026-06-08 --rate 19", 0, "changed\tO'Neil\t2026-06-08\t19.00\n", ""},
        {"rate --id O'Neil --from 2026-01-01 --rate 18.1234", 0, "added\tO'Neil\t2026-01-01\t18.1234\n", ""},
        {"rate --id O'Neil --list", 0,
         "rate\tO'Neil\t2026-01-01\t18.1234\nrate\tO'Neil\t2026-06-08\t19.00\nstored\tO'Neil\t\t17.50\n", ""},
        {"rate --id O'Neil --from 2026-01-01 --remove", 0, "removed\tO'Neil\t2026-01-01\n", ""},
        {"rate --id O'Neil --from 2026-01-01 --remove", 1, "",
         "employees: O'Neil has no rate from 2026-01-01"},
        {"rate --id Nobody --from 2026-06-08 --rate 10", 1, "",
         "employees: no employee has the ID \"Nobody\""},
        {"rate --id O'Neil --from 2026-02-30 --rate 10", 2, "",
         "employees: --from \"2026-02-30\" is not a date"},
        {"rate --id O'Neil --from 2026-06-08 --rate 10,50", 2, "",
         "employees: --rate \"10,50\" is not an amount"},
        {"rate --id O'Neil --from 2026-06-08 --rate -1", 2, "", "employees: --rate \"-1\" is not an amount"},
        {"rate --id O'Neil --from 2026-06-08", 2, "", "usage:"},
        {"rate --id O'Neil --list --from 2026-06-08", 2, "", "usage:"},
        {"rate --id O'Neil --from 2026-06-08 --rate 10 --remove", 2, "", "usage:"},
        {"export --id O'Neil", 2, "", "usage:"},
    };
    f.runSteps(steps);
    EXPECT_EQ(PayRateTable(f.folder.database()).forEmployee(QStringLiteral("O'NEIL")),
              (QList<PayRateRow>{
                  {QStringLiteral("O'NEIL"), DayNumber::of(QDate(2026, 6, 8)), Money::fromUnits(190000)}}));
    // Added, changed, added, removed: four entries of the manager's changes.
    EXPECT_EQ(EditHistory(f.folder.database()).entries().size(), 4);
}
} // namespace
