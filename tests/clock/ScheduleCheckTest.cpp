#include "clock/ScheduleCheck.h"

#include <gtest/gtest.h>

namespace {
constexpr int at(int hours, int minutes) {
    return hours * 60 + minutes;
}

enum Switch { AllOn, ShowOff, RejectOn };

SettingsRecord settingsFor(Switch flags) {
    SettingsRecord s;
    s.earlyLimit = s.lateInLimit = s.earlyOutLimit = 10;
    s.lateLimit = 10;
    s.earlyInShow = s.lateInShow = s.earlyOutShow = s.lateOutShow = flags != ShowOff;
    s.earlyInReject = s.lateInReject = s.earlyOutReject = s.lateOutReject = flags == RejectOn;
    return s;
}
} // namespace

TEST(ScheduleCheck, RulesAtTheirBoundaries) {
    const SettingsRecord reference;
    struct Case {
        const char* name;
        bool out;
        int now;
        qint16 start;
        qint16 stop;
        Switch flags;
        qint16 mark;
        PunchOutcome outcome;
        QString message;
    };
    // Start 08:00 is quarter 32, stop 17:00 is quarter 68.
    const Case cases[] = {
        {"in early", false, at(7, 49), 32, 68, AllOn, 4, PunchOutcome::InWarning, reference.earlyMessage},
        {"in at early limit", false, at(7, 50), 32, 68, AllOn, 0, PunchOutcome::NormalIn, {}},
        {"in at late limit", false, at(8, 10), 32, 68, AllOn, 0, PunchOutcome::NormalIn, {}},
        {"in late", false, at(8, 11), 32, 68, AllOn, 5, PunchOutcome::InWarning, reference.lateInMessage},
        {"in late after early missed", false, at(8, 30), 32, 68, AllOn, 5, PunchOutcome::InWarning,
         reference.lateInMessage},
        {"out at late limit", true, at(17, 10), 32, 68, AllOn, 0, PunchOutcome::NormalOut, {}},
        {"out late", true, at(17, 11), 32, 68, AllOn, 7, PunchOutcome::OutWarning, reference.lateMessage},
        {"out at early limit", true, at(16, 50), 32, 68, AllOn, 0, PunchOutcome::NormalOut, {}},
        {"out early", true, at(16, 49), 32, 68, AllOn, 6, PunchOutcome::OutWarning,
         reference.earlyOutMessage},
        {"no start", false, at(0, 0), 0, 68, AllOn, 0, PunchOutcome::NormalIn, {}},
        {"no start late in the day", false, at(23, 59), 0, 68, AllOn, 0, PunchOutcome::NormalIn, {}},
        {"no stop", true, at(23, 59), 32, 0, AllOn, 0, PunchOutcome::NormalOut, {}},
        {"in at 00:15 start", false, at(0, 26), 1, 68, AllOn, 5, PunchOutcome::InWarning,
         reference.lateInMessage},
        {"early in not shown", false, at(7, 0), 32, 68, ShowOff, 0, PunchOutcome::NormalIn, {}},
        {"late in not shown", false, at(9, 0), 32, 68, ShowOff, 0, PunchOutcome::NormalIn, {}},
        {"late out not shown", true, at(18, 0), 32, 68, ShowOff, 0, PunchOutcome::NormalOut, {}},
        {"early out not shown", true, at(12, 0), 32, 68, ShowOff, 0, PunchOutcome::NormalOut, {}},
        {"early in rejected", false, at(7, 0), 32, 68, RejectOn, 4, PunchOutcome::Reject,
         reference.earlyMessage},
        {"late in rejected", false, at(9, 0), 32, 68, RejectOn, 5, PunchOutcome::Reject,
         reference.lateInMessage},
        {"late out rejected", true, at(18, 0), 32, 68, RejectOn, 7, PunchOutcome::Reject,
         reference.lateMessage},
        {"early out rejected", true, at(12, 0), 32, 68, RejectOn, 6, PunchOutcome::Reject,
         reference.earlyOutMessage},
        {"in passes when rejecting", false, at(8, 0), 32, 68, RejectOn, 0, PunchOutcome::NormalIn, {}},
    };
    for (const Case& c : cases) {
        const auto verdict = ScheduleCheck::check(c.out, c.now, c.start, c.stop, settingsFor(c.flags));
        EXPECT_EQ(verdict.mark, c.mark) << c.name;
        EXPECT_EQ(verdict.outcome, c.outcome) << c.name;
        EXPECT_EQ(verdict.message, c.message) << c.name;
    }
}

TEST(ScheduleCheck, EarlyRuleTriedBeforeLate) {
    // Negative limits make both rules hold at once; the first in order decides.
    SettingsRecord s = settingsFor(AllOn);
    s.earlyLimit = s.lateInLimit = s.earlyOutLimit = s.lateLimit = -120;
    EXPECT_EQ(ScheduleCheck::check(false, at(8, 0), 32, 68, s).mark, 4);
    EXPECT_EQ(ScheduleCheck::check(true, at(17, 0), 32, 68, s).mark, 7);
    s.earlyInShow = s.lateOutShow = false;
    EXPECT_EQ(ScheduleCheck::check(false, at(8, 0), 32, 68, s).mark, 5);
    EXPECT_EQ(ScheduleCheck::check(true, at(17, 0), 32, 68, s).mark, 6);
}
