#pragma once

#include "PunchRecord.h"
#include "TestProgram.h"
#include "payroll/PeriodReview.h"
#include "store/ClockRecords.h"
#include "store/StaffFiles.h"

// Two biweekly periods of punches, as the pay periods' review and window see them on 18 Nov 2026:
// Ann (records typed in without a name) worked 45 hours in the first week of 2 - 15 Nov, Bob one
// 8-hour day; the exceptions are counted by a fake the test fills.
struct PeriodReviewFixture : TestProgram {
    explicit PeriodReviewFixture(Backend backend)
        : TestProgram(QDateTime(QDate(2026, 11, 18), QTime(10, 0)), backend)
    {
        session.updateSettings([](SettingsRecord& s) {
            s.autoDeduct = false;
            s.payrollPeriod = QStringLiteral("biweekly");
            s.payrollAnchor = QStringLiteral("2026-11-02");
            s.adpCompany = QStringLiteral("XYZ");
            s.adpBatch = QStringLiteral("7");
        });
        Employee ann;
        ann.employeeNumber = 1;
        ann.name = QStringLiteral("Baker Ann");
        ann.employeeId = QStringLiteral("a1");
        ann.pay = *Money::parse(QStringLiteral("20"));
        Employee bob = ann;
        bob.employeeNumber = 2;
        bob.name = QStringLiteral("Cole Bob");
        bob.employeeId = QStringLiteral("B2");
        StaffFiles::writeEmployees(StaffFiles::employeeFile(session.paths()), {ann, bob});
        session.reloadStaffFiles();

        ClockRecords records(folder.database());
        for (int d = 2; d <= 6; ++d) {
            records.append(
                punchRecord(QStringLiteral("A1"), QDateTime(QDate(2026, 11, d), QTime(8, 0)), false));
            records.append(
                punchRecord(QStringLiteral("A1"), QDateTime(QDate(2026, 11, d), QTime(17, 0)), true));
        }
        records.append(punchRecord(QStringLiteral("b2"), QDateTime(QDate(2026, 11, 10), QTime(9, 0)), false,
                                   QStringLiteral("Cole Bob")));
        records.append(punchRecord(QStringLiteral("b2"), QDateTime(QDate(2026, 11, 10), QTime(17, 0)), true,
                                   QStringLiteral("Cole Bob")));
    }

    PeriodReview::ExceptionCounts counts()
    {
        return [this](const PayPeriod& period) {
            askedFor.append(period);
            return exceptions;
        };
    }

    static PayPeriod firstPeriod() { return {QDate(2026, 11, 2), QDate(2026, 11, 15)}; }

    QList<OpenExceptions> exceptions;
    QList<PayPeriod> askedFor;
};
