#pragma once

#include "store/ClockRecord.h"
#include "store/DayNumber.h"

#include <QStringList>

// A clock row as a punch at `time` writes it, for tests that fill the "In Out" table directly.
inline ClockRecord punchRecord(const QString& id, const QDateTime& time, bool out,
                               const QString& name = QStringLiteral(" "))
{
    ClockRecord r;
    r.employeeId = id;
    r.employee = name;
    r.time = r.created = time;
    r.julian = DayNumber::of(time);
    r.clockOut = out;
    return r;
}

// Every field of a record in one line, to compare a record read back with the one written.
inline QString recordFields(const ClockRecord& r)
{
    return QStringList{r.time.toString(Qt::ISODate),
                       r.employeeId,
                       QString::number(r.clockOut),
                       QString::number(r.julian),
                       r.employee,
                       r.tips ? QString::number(r.tips->units()) : QStringLiteral("no tips"),
                       QString::number(r.dnumber),
                       QString::number(r.inEarly),
                       QString::number(r.inLate),
                       QString::number(r.outEarly),
                       QString::number(r.outLate),
                       QString::number(r.options),
                       r.created.toString(Qt::ISODate)}
        .join(QLatin1Char('|'));
}
