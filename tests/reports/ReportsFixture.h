#pragma once

#include "BackendTest.h"
#include "PunchRecord.h"
#include "TestProgram.h"
#include "store/ClockRecords.h"

// A clock database with the services and session around it; today is Friday 4 December 2026.
struct ReportsFixture : TestProgram {
    explicit ReportsFixture(Backend backend = Backend::File)
        : TestProgram(QDateTime(today, QTime(12, 0)), backend)
    {}
    static inline const QDate today{2026, 12, 4};

    // Appends a row for a punch `daysAgo` days before today at the given time.
    qint64 add(const char* id, const char* name, int daysAgo, QTime at, bool out)
    {
        return ClockRecords(folder.database())
            .append(punchRecord(QString::fromLatin1(id), QDateTime(today.addDays(-daysAgo), at), out,
                                QString::fromLatin1(name)));
    }
};
