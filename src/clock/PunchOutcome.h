#pragma once

#include <QString>

// How a punch came out of the schedule check; decides the panel's look, the sound and whether
// a record is written.
enum class PunchOutcome { NormalIn, NormalOut, InWarning, OutWarning, Reject };

inline QString outcomeKey(PunchOutcome outcome)
{
    switch (outcome) {
    case PunchOutcome::NormalIn:
        return QStringLiteral("NormalIN");
    case PunchOutcome::NormalOut:
        return QStringLiteral("NormalOUT");
    case PunchOutcome::InWarning:
        return QStringLiteral("ErrorINwarning");
    case PunchOutcome::OutWarning:
        return QStringLiteral("ErrorOUTwarning");
    case PunchOutcome::Reject:
        return QStringLiteral("ErrorReject");
    }
    return {};
}
