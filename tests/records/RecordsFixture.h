#pragma once

#include "BackendTest.h"
#include "PunchRecord.h"
#include "TestProgram.h"
#include "store/ClockRecords.h"

// The services and session on a fresh clock database, with punches added straight into "In Out".
struct RecordsFixture : TestProgram {
    explicit RecordsFixture(Backend backend = Backend::File)
        : TestProgram(QDateTime(QDate(2026, 12, 4), QTime(10, 0)), backend)
    {}

    qint64 punch(const QString& id, const QDateTime& when, bool out,
                 const QString& name = QStringLiteral(" "))
    {
        return ClockRecords(database()).append(punchRecord(id, when, out, name));
    }
};
