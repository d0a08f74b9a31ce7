#include "pay/ZoneClock.h"

#include "store/DayNumber.h"

#include <algorithm>

namespace {
constexpr qint64 secondsPerDay = 86400;
// Day number of 1970-01-01: clock-face seconds and Unix seconds differ by this many days.
const qint64 unixEpochOffset = qint64(DayNumber::of(QDate(1970, 1, 1))) * secondsPerDay;

QDateTime utcAt(qint64 clockFace)
{
    return QDateTime::fromSecsSinceEpoch(clockFace - unixEpochOffset, QTimeZone::utc());
}
} // namespace

ZoneClock::ZoneClock(const QTimeZone& zone, qint64 fromClockFace, qint64 toClockFace)
{
    // Two days either side cover every offset a zone can have.
    const QDateTime from = utcAt(fromClockFace - 2 * secondsPerDay);
    const QDateTime to = utcAt(toClockFace + 2 * secondsPerDay);
    m_initialOffset = zone.isValid() ? zone.offsetFromUtc(from) : 0;
    if (!zone.isValid() || !zone.hasTransitions())
        return;
    int offset = m_initialOffset;
    for (const QTimeZone::OffsetData& data : zone.transitions(from, to)) {
        const qint64 at = data.atUtc.toSecsSinceEpoch() + unixEpochOffset;
        if (data.offsetFromUtc == offset)
            continue; // a change of name or of standard time alone moves no clock
        m_changes.push_back({at + std::min(offset, data.offsetFromUtc),
                             at + std::max(offset, data.offsetFromUtc), offset, data.offsetFromUtc});
        offset = data.offsetFromUtc;
    }
}

qint64 ZoneClock::instant(qint64 clockFace, Repeated repeated) const
{
    const auto next = std::upper_bound(m_changes.begin(), m_changes.end(), clockFace,
                                       [](qint64 wall, const Change& c) { return wall < c.wallFrom; });
    if (next == m_changes.begin())
        return clockFace - m_initialOffset;
    const Change& c = *(next - 1);
    if (clockFace >= c.wallTo)
        return clockFace - c.after;
    const bool skipped = c.after > c.before;
    return clockFace - (skipped || repeated == Repeated::Earlier ? c.before : c.after);
}
