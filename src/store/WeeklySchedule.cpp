#include "store/WeeklySchedule.h"

#include <QtGlobal>

namespace {
constexpr unsigned char blank = 32;
// Value 12 would be a comma, which ends a text field in the staff file, so it gets a code of its own.
constexpr int commaValue = 12;
constexpr unsigned char commaStandIn = 169;

QByteArray fitted(const QByteArray& codes)
{
    QByteArray result = codes.left(WeeklySchedule::codeLength);
    if (result.size() < WeeklySchedule::codeLength)
        result.append(WeeklySchedule::codeLength - result.size(), char(blank));
    return result;
}
} // namespace

WeeklySchedule::WeeklySchedule()
    : m_start(codeLength, char(blank))
    , m_stop(codeLength, char(blank))
{}

WeeklySchedule::WeeklySchedule(const QByteArray& startCodes, const QByteArray& stopCodes)
    : m_start(fitted(startCodes))
    , m_stop(fitted(stopCodes))
{}

int WeeklySchedule::valueOf(char code)
{
    const auto byte = static_cast<unsigned char>(code);
    if (byte == commaStandIn)
        return commaValue;
    // Control bytes from a damaged file count as a blank rather than a negative time.
    return byte < blank ? 0 : byte - blank;
}

char WeeklySchedule::codeOf(int value)
{
    value = qBound(0, value, maxValue);
    return static_cast<char>(value == commaValue ? commaStandIn : value + blank);
}

int WeeklySchedule::indexOf(int day, int slot)
{
    if (day < 1 || day > dayCount || slot < 1 || slot > slotCount)
        return -1;
    return (day - 1) * slotCount + (slot - 1);
}

int WeeklySchedule::start(int day, int slot) const
{
    const int i = indexOf(day, slot);
    return i < 0 ? 0 : valueOf(m_start.at(i));
}

int WeeklySchedule::stop(int day, int slot) const
{
    const int i = indexOf(day, slot);
    return i < 0 ? 0 : valueOf(m_stop.at(i));
}

bool WeeklySchedule::isEmpty(int day, int slot) const
{
    const int i = indexOf(day, slot);
    return i < 0 || static_cast<unsigned char>(m_stop.at(i)) < blank + 1;
}

void WeeklySchedule::setSlot(int day, int slot, int startValue, int stopValue)
{
    const int i = indexOf(day, slot);
    if (i < 0)
        return;
    m_start[i] = codeOf(startValue);
    m_stop[i] = codeOf(stopValue);
}

void WeeklySchedule::clearSlot(int day, int slot)
{
    const int i = indexOf(day, slot);
    if (i < 0)
        return;
    m_start[i] = char(blank);
    m_stop[i] = char(blank);
}

int WeeklySchedule::firstStart(int day) const
{
    return start(day, 1);
}

int WeeklySchedule::latestStop(int day) const
{
    int latest = 0;
    for (int slot = 1; slot <= slotCount; ++slot) {
        if (!isEmpty(day, slot))
            latest = qMax(latest, stop(day, slot));
    }
    return latest;
}
