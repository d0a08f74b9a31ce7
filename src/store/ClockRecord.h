#pragma once

#include "store/Money.h"

#include <QDateTime>
#include <QString>

#include <optional>

// Mark codes kept in a clock record's Options field.
enum class Mark : qint16 {
    Normal = 0,
    Edited = 1,
    Inserted = 2,
    Forced = 3,
    InEarly = 4,
    InLate = 5,
    OutEarly = 6,
    OutLate = 7,
};

// One row of the "In Out" table: a clock IN or OUT of one employee.
struct ClockRecord {
    QDateTime time;
    QString employeeId;
    bool clockOut = false;
    qint32 julian = 0;
    QString employee;
    qint64 recordNumber = 0; // assigned by the database on append
    std::optional<Money> tips;
    qint32 dnumber = 0;
    bool inEarly = false;
    bool inLate = false;
    bool outEarly = false;
    bool outLate = false;
    qint16 options = 0;
    QDateTime created;
};
