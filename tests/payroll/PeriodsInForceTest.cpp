#include "BackendTest.h"
#include "TestProgram.h"
#include "payroll/PayPeriods.h"
#include "settings/SettingsRecord.h"
#include "store/PeriodStates.h"

#include <gtest/gtest.h>

namespace {
QDate day(const char* iso)
{
    return QDate::fromString(QString::fromLatin1(iso), Qt::ISODate);
}

SettingsRecord paySettings(const char* kind, const char* anchor, int workweekStart = Qt::Sunday)
{
    SettingsRecord settings;
    settings.payrollPeriod = QString::fromLatin1(kind);
    settings.payrollAnchor = QString::fromLatin1(anchor);
    settings.payWorkweekStart = workweekStart;
    return settings;
}
} // namespace

TEST(PeriodsInForce, TheSettingsGiveTheRule)
{
    const struct {
        const char* kind;
        const char* anchor;
        int workweekStart;
        const char* day;
        const char* first;
        const char* last;
    } cases[] = {
        {"weekly", "2026-12-02", Qt::Sunday, "2026-12-08", "2026-12-02", "2026-12-08"},
        // Without a first day the periods follow the workweek.
        {"weekly", "", Qt::Sunday, "2026-12-08", "2026-12-06", "2026-12-12"},
        {"weekly", "", Qt::Monday, "2026-12-06", "2026-11-30", "2026-12-06"},
        {"biweekly", "", Qt::Monday, "2026-12-08", "2026-11-30", "2026-12-13"},
        {"biweekly", "", Qt::Saturday, "2026-12-08", "2026-12-05", "2026-12-18"},
        {"biweekly", "2026-12-14", Qt::Monday, "2026-12-08", "2026-11-30", "2026-12-13"},
        // A first day that is no date reads as none.
        {"weekly", "2026-13-01", Qt::Wednesday, "2026-12-08", "2026-12-02", "2026-12-08"},
        {"semimonthly", "2026-12-02", Qt::Sunday, "2026-12-16", "2026-12-16", "2026-12-31"},
        {"monthly", "", Qt::Sunday, "2028-02-03", "2028-02-01", "2028-02-29"},
        // A kind nobody knows is the settings' default, weekly.
        {"", "", Qt::Sunday, "2026-12-08", "2026-12-06", "2026-12-12"},
    };
    for (const auto& c : cases) {
        const PeriodRule rule = PeriodRule::fromSettings(paySettings(c.kind, c.anchor, c.workweekStart));
        EXPECT_TRUE(rule.problem().isEmpty()) << c.kind;
        const PayPeriod period = PeriodCalendar(rule).containing(day(c.day));
        EXPECT_EQ(period, (PayPeriod{day(c.first), day(c.last)}))
            << c.kind << " " << c.anchor << " " << c.workweekStart << ": "
            << period.first.toString(Qt::ISODate).toStdString();
        // Whole workweeks: a weekly or biweekly period without an anchor starts on the workweek's day.
        if (!*c.anchor && QByteArray(c.kind).endsWith("weekly")) {
            EXPECT_EQ(period.first.dayOfWeek(), c.workweekStart) << c.kind;
        }
    }
}

using PeriodsInForceStore = BackendTest;
TELLARIN_ON_BOTH_BACKENDS(PeriodsInForceStore);

TEST_P(PeriodsInForceStore, ClosedPeriodsKeepTheirDaysWhenTheSettingChanges)
{
    TestProgram program(QDateTime(day("2026-12-20"), QTime(9, 0)), backend());
    const EditStamp stamp(program.time.now(), QStringLiteral("ann"));
    PeriodStates states(program.database());
    states.lock({day("2026-11-23"), day("2026-12-06")}, stamp);
    states.approve({day("2026-12-07"), day("2026-12-20")}, QStringLiteral("E1"), stamp);

    // The business moves from biweekly to semi-monthly pay.
    const PeriodCalendar calendar =
        PeriodCalendar::inForce(program.database(), paySettings("semimonthly", "2026-11-23"));
    const QList<PayPeriod> expected = {
        {day("2026-12-21"), day("2026-12-31")}, {day("2026-12-07"), day("2026-12-20")},
        {day("2026-11-23"), day("2026-12-06")}, {day("2026-11-16"), day("2026-11-22")},
        {day("2026-11-01"), day("2026-11-15")},
    };
    EXPECT_EQ(calendar.overlapping(day("2026-11-10"), day("2026-12-25")), expected);

    // Once reopened, a period follows the rule again.
    states.reopen(day("2026-12-07"), QStringLiteral("wrong hours"), stamp);
    EXPECT_EQ(PeriodCalendar::inForce(program.database(), paySettings("semimonthly", ""))
                  .containing(day("2026-12-10")),
              (PayPeriod{day("2026-12-07"), day("2026-12-15")}));
}
