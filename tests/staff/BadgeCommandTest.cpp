// `tellarin employees badge`: a sequence of commands on one staff, each with its answer.
#include "StaffFixture.h"
#include "staff/EmployeesCommand.h"
#include "store/BadgeTable.h"
#include "store/EditHistory.h"

#include <QTextStream>
#include <gtest/gtest.h>

namespace {
TEST(BadgeCommand, CardsAreAssignedRefusedListedAndRemoved)
{
    StaffFixture f;
    f.writeStaff({{1, QStringLiteral("Ann"), QStringLiteral("O'Neil"), 0, Money(), true, {}},
                  {2, QStringLiteral("Bob"), QStringLiteral("B2"), 0, Money(), true, {}}},
                 {});
    const StaffFixture::Step steps[] = {
        {"badge --list", 1, "", ""},
        {"badge --id o'neil --badge 0004512345", 0, "assigned\tO'Neil\t0004512345\n", ""},
        {"badge --id b2 --badge 0004512345", 2, "", "employees: card 0004512345 belongs to ID O'NEIL"},
        {"badge --id b2 --badge 4512345", 0, "assigned\tB2\t4512345\n", ""},
        {"badge --list", 0, "badge\tB2\t4512345\nbadge\tO'NEIL\t0004512345\n", ""},
        {"badge --id Nobody --badge 77", 1, "", "employees: no employee has the ID \"Nobody\""},
        {"badge --id B2 --remove", 0, "removed\tB2\t4512345\n", ""},
        {"badge --id B2 --remove", 1, "", "employees: B2 has no card"},
        {"badge --id B2 --badge 12\t34", 2, "", "employees: --badge"},
        {"badge --id B2", 2, "", "usage:"},
        {"badge --list --id B2", 2, "", "usage:"},
        {"badge --id B2 --badge 1 --remove", 2, "", "usage:"},
        {"badge --id B2 --badge 1 --from 2026-01-01", 2, "", "usage:"},
        {"export --badge 1", 2, "", "usage:"},
    };
    f.runSteps(steps);
    EXPECT_EQ(BadgeTable(f.folder.database()).employeeFor(QStringLiteral("0004512345")),
              QStringLiteral("O'NEIL"));
    EXPECT_EQ(EditHistory(f.folder.database()).entries().size(), 3);
}
} // namespace
