#pragma once

#include <QtGlobal>

// The order of one employee's records and the breaks in their alternation of IN and OUT: the one
// rule the record editor warns by and the exceptions list reports by.
namespace PunchSequence {
// Records run by time; of two at one time, the one appended first comes first.
template <typename Time> bool runsBefore(const Time& timeA, qint64 recordA, const Time& timeB, qint64 recordB)
{
    return timeA != timeB ? timeA < timeB : recordA < recordB;
}

enum class Break { None, DoubleIn, DoubleOut };

// What two neighbouring records, in that order, make of the alternation.
inline Break between(bool earlierOut, bool laterOut)
{
    if (earlierOut != laterOut)
        return Break::None;
    return laterOut ? Break::DoubleOut : Break::DoubleIn;
}
} // namespace PunchSequence
