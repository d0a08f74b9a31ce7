#include "clock/ScheduleCheck.h"

#include <gtest/gtest.h>

namespace {
constexpr int at(int hours, int minutes)
{
    return hours * 60 + minutes;
}

// Overlap: negative limits make the early and the late rule hold at once.
enum Switch { AllOn, ShowOff, RejectOn, Overlap, OverlapEarlyOff };

SettingsRecord settingsFor(Switch flags)
{
    SettingsRecord s;
    const qint16 limit = flags >= Overlap ? -120 : 10;
    s.earlyLimit = s.lateInLimit = s.earlyOutLimit = s.lateLimit = limit;
    s.earlyInShow = s.lateInShow = s.earlyOutShow = s.lateOutShow = flags != ShowOff;
    s.earlyInReject = s.lateInReject = s.earlyOutReject = s.lateOutReject = flags == RejectOn;
    if (flags == OverlapEarlyOff)
        s.earlyInShow = s.lateOutShow = false;
    return s;
}
} // namespace

TEST(ScheduleCheck, RulesAtTheirBoundaries)
{
    using enum PunchOutcome;
    const SettingsRecord text;
    struct Case {
        bool out;
        int now;
        qint16 start; // 32 is 08:00, 68 is 17:00
        qint16 stop;
        Switch flags;
        qint16 mark;
        PunchOutcome outcome;
        QString message;
    };
    const Case cases[] = {
        {false, at(7, 49), 32, 68, AllOn, 4, InWarning, text.earlyMessage},
        {false, at(7, 50), 32, 68, AllOn, 0, NormalIn, {}},
        {false, at(8, 10), 32, 68, AllOn, 0, NormalIn, {}},
        {false, at(8, 11), 32, 68, AllOn, 5, InWarning, text.lateInMessage},
        {true, at(17, 10), 32, 68, AllOn, 0, NormalOut, {}},
        {true, at(17, 11), 32, 68, AllOn, 7, OutWarning, text.lateMessage},
        {true, at(16, 50), 32, 68, AllOn, 0, NormalOut, {}},
        {true, at(16, 49), 32, 68, AllOn, 6, OutWarning, text.earlyOutMessage},
        {false, at(23, 59), 0, 68, AllOn, 0, NormalIn, {}},
        {true, at(23, 59), 32, 0, AllOn, 0, NormalOut, {}},
        {false, at(0, 26), 1, 68, AllOn, 5, InWarning, text.lateInMessage},
        {false, at(7, 0), 32, 68, ShowOff, 0, NormalIn, {}},
        {true, at(18, 0), 32, 68, ShowOff, 0, NormalOut, {}},
        {false, at(7, 0), 32, 68, RejectOn, 4, Reject, text.earlyMessage},
        {false, at(9, 0), 32, 68, RejectOn, 5, Reject, text.lateInMessage},
        {true, at(18, 0), 32, 68, RejectOn, 7, Reject, text.lateMessage},
        {true, at(12, 0), 32, 68, RejectOn, 6, Reject, text.earlyOutMessage},
        {false, at(8, 0), 32, 68, RejectOn, 0, NormalIn, {}},
        {false, at(8, 0), 32, 68, Overlap, 4, InWarning, text.earlyMessage},
        {true, at(17, 0), 32, 68, Overlap, 7, OutWarning, text.lateMessage},
        {false, at(8, 0), 32, 68, OverlapEarlyOff, 5, InWarning, text.lateInMessage},
        {true, at(17, 0), 32, 68, OverlapEarlyOff, 6, OutWarning, text.earlyOutMessage},
    };
    for (const Case& c : cases) {
        const auto verdict = ScheduleCheck::check(c.out, c.now, c.start, c.stop, settingsFor(c.flags));
        const std::string label = QStringLiteral("%1 at %2, flags %3")
                                      .arg(c.out ? "out" : "in")
                                      .arg(c.now)
                                      .arg(c.flags)
                                      .toStdString();
        EXPECT_EQ(verdict.mark, c.mark) << label;
        EXPECT_EQ(verdict.outcome, c.outcome) << label;
        EXPECT_EQ(verdict.message, c.message) << label;
    }
}
