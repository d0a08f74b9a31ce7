#pragma once

#include "reports/Rounding.h"
#include "store/ReportRows.h"

#include <QString>

// How the clocking report reads a run of records: the rounded times, which OUT closes which IN, the
// breaks a pair earns and the tips that count. Pay counts hours from the same pairs.
namespace RecordPairs {
// The row's time after the IN rule (an IN) or the OUT rule (an OUT) of the code.
qint64 roundedTime(const RoundingCode& rounding, const ReportRow& row);
// An OUT closes the row just before it when that row is an IN of the same employee.
bool closes(const ReportRow& previous, const ReportRow& row, bool sameEmployee);
// Every full stretch of `minBeforeDed` minutes beyond the first counts one break.
int breaks(qint64 pairMinutes, int minBeforeDed);
// A tip counts on an OUT with a positive amount, when the settings report tips.
bool countsTip(const ReportRow& row, bool reportTips);
} // namespace RecordPairs

// IDs in the form they compare in, worked out once per run of rows that share one string.
class UpperIds {
public:
    const QString& of(const QString& id);

private:
    QString m_raw;
    QString m_upper;
    bool m_valid = false;
};
