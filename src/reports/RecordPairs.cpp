#include "reports/RecordPairs.h"

#include "store/EmployeeId.h"

qint64 RecordPairs::roundedTime(const RoundingCode& rounding, const ReportRow& row)
{
    return row.clockOut ? rounding.roundOut(row.time) : rounding.roundIn(row.time);
}

bool RecordPairs::closes(const ReportRow& previous, const ReportRow& row, bool sameEmployee)
{
    return sameEmployee && row.clockOut && !previous.clockOut;
}

int RecordPairs::breaks(qint64 pairMinutes, int minBeforeDed)
{
    return minBeforeDed > 0 && pairMinutes > minBeforeDed ? static_cast<int>((pairMinutes - 1) / minBeforeDed)
                                                          : 0;
}

bool RecordPairs::countsTip(const ReportRow& row, bool reportTips)
{
    return row.clockOut && row.tips.units() > 0 && reportTips;
}

const QString& UpperIds::of(const QString& id)
{
    if (!m_valid || !id.isSharedWith(m_raw)) {
        if (!m_valid || id != m_raw)
            m_upper = EmployeeId::normalised(id);
        m_raw = id;
        m_valid = true;
    }
    return m_upper;
}
