// The pay periods' review counts exceptions per employee from the exceptions list, on both backends.
#include "shell/PeriodExceptions.h"

#include "BackendTest.h"
#include "PunchRecord.h"
#include "TestProgram.h"
#include "store/ClockRecords.h"

#include <gtest/gtest.h>

namespace {
class PeriodExceptionsTest : public BackendTest {};
} // namespace

TEST_P(PeriodExceptionsTest, CountsEachEmployeesExceptionsUnderOneId)
{
    TestProgram program(QDateTime(QDate(2026, 11, 18), QTime(10, 0)), backend());
    ClockRecords records(program.database());
    const auto punch = [&](const char* id, int day, int hour, bool out) {
        records.append(punchRecord(QString::fromLatin1(id), QDateTime(QDate(2026, 11, day), QTime(hour, 0)),
                                   out, QStringLiteral("Cole Bob")));
    };
    // Bob, typed once in lower case: two INs in a row on the 3rd, an IN left open on the 5th.
    punch("B2", 3, 8, false);
    punch("b2", 3, 9, false);
    punch("B2", 3, 17, true);
    punch("b2", 5, 8, false);
    // Ann's clean day, and her open IN outside the period.
    punch("A1", 4, 8, false);
    punch("A1", 4, 16, true);
    punch("A1", 17, 8, false);

    const QList<OpenExceptions> counts = PeriodExceptions::counter(program.services, program.session)(
        {QDate(2026, 11, 2), QDate(2026, 11, 15)});
    ASSERT_EQ(counts.size(), 1);
    EXPECT_EQ(counts[0].employeeId, QStringLiteral("B2"));
    EXPECT_EQ(counts[0].employee, QStringLiteral("Cole Bob"));
    EXPECT_EQ(counts[0].count, 2);
}

TELLARIN_ON_BOTH_BACKENDS(PeriodExceptionsTest);
