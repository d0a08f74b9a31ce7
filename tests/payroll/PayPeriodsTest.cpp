#include "payroll/PayPeriods.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {
QDate day(const char* iso)
{
    return QDate::fromString(QString::fromLatin1(iso), Qt::ISODate);
}

PayPeriod period(const char* first, const char* last)
{
    return {day(first), day(last)};
}

PeriodRule rule(PeriodKind kind, const char* anchor = nullptr)
{
    return {kind, anchor ? day(anchor) : QDate()};
}

std::string shown(const PayPeriod& p)
{
    return (p.first.toString(Qt::ISODate) + QStringLiteral("..") + p.last.toString(Qt::ISODate))
        .toStdString();
}

TEST(PayPeriods, EachKindFindsThePeriodOfADay)
{
    const struct {
        PeriodRule rule;
        const char* day;
        const char* first;
        const char* last;
    } cases[] = {
        {rule(PeriodKind::Weekly, "2026-12-06"), "2026-12-06", "2026-12-06", "2026-12-12"},
        {rule(PeriodKind::Weekly, "2026-12-06"), "2026-12-05", "2026-11-29", "2026-12-05"},
        // An anchor months after the day asked, across the turn of the year.
        {rule(PeriodKind::Weekly, "2027-03-07"), "2026-12-31", "2026-12-27", "2027-01-02"},
        {rule(PeriodKind::Biweekly, "2026-12-07"), "2026-12-20", "2026-12-07", "2026-12-20"},
        {rule(PeriodKind::Biweekly, "2026-12-07"), "2026-12-21", "2026-12-21", "2027-01-03"},
        {rule(PeriodKind::Biweekly, "2030-01-07"), "2026-12-25", "2026-12-14", "2026-12-27"},
        {rule(PeriodKind::Biweekly, "2028-02-21"), "2028-03-05", "2028-02-21", "2028-03-05"},
        {rule(PeriodKind::Biweekly, "2026-12-07"), "2028-02-29", "2028-02-28", "2028-03-12"},
        {rule(PeriodKind::SemiMonthly), "2026-12-15", "2026-12-01", "2026-12-15"},
        {rule(PeriodKind::SemiMonthly), "2026-12-16", "2026-12-16", "2026-12-31"},
        {rule(PeriodKind::SemiMonthly), "2026-04-30", "2026-04-16", "2026-04-30"},
        {rule(PeriodKind::SemiMonthly), "2028-02-29", "2028-02-16", "2028-02-29"},
        {rule(PeriodKind::SemiMonthly), "2027-02-28", "2027-02-16", "2027-02-28"},
        {rule(PeriodKind::SemiMonthly), "2027-01-01", "2027-01-01", "2027-01-15"},
        {rule(PeriodKind::Monthly), "2028-02-10", "2028-02-01", "2028-02-29"},
        {rule(PeriodKind::Monthly), "2100-02-10", "2100-02-01", "2100-02-28"},
        {rule(PeriodKind::Monthly), "2000-02-05", "2000-02-01", "2000-02-29"},
        {rule(PeriodKind::Monthly), "2026-12-31", "2026-12-01", "2026-12-31"},
        // The anchor of a month kind means nothing.
        {rule(PeriodKind::Monthly, "2026-12-07"), "2026-12-07", "2026-12-01", "2026-12-31"},
    };
    for (const auto& c : cases) {
        const PeriodCalendar calendar(c.rule);
        EXPECT_EQ(shown(calendar.containing(day(c.day))), shown(period(c.first, c.last)))
            << PeriodRule::keyOf(c.rule.kind).toStdString() << " " << c.day;
    }
}

TEST(PayPeriods, NextAndPreviousCrossMonthsAndYears)
{
    const struct {
        PeriodRule rule;
        const char* day;
        const char* previous;
        const char* next;
    } cases[] = {
        {rule(PeriodKind::SemiMonthly), "2026-12-20", "2026-12-01", "2027-01-01"},
        {rule(PeriodKind::SemiMonthly), "2028-03-01", "2028-02-16", "2028-03-16"},
        {rule(PeriodKind::Monthly), "2028-01-15", "2027-12-01", "2028-02-01"},
        {rule(PeriodKind::Monthly), "2028-03-31", "2028-02-01", "2028-04-01"},
        {rule(PeriodKind::Weekly, "2026-12-06"), "2027-01-01", "2026-12-20", "2027-01-03"},
        {rule(PeriodKind::Biweekly, "2026-12-07"), "2026-12-25", "2026-12-07", "2027-01-04"},
    };
    for (const auto& c : cases) {
        const PeriodCalendar calendar(c.rule);
        const PayPeriod p = calendar.containing(day(c.day));
        EXPECT_EQ(calendar.previous(p).first, day(c.previous)) << c.day;
        EXPECT_EQ(calendar.next(p).first, day(c.next)) << c.day;
        EXPECT_EQ(calendar.next(calendar.previous(p)), p) << c.day;
    }
}

TEST(PayPeriods, PeriodsTileTheCalendarWithTheirKindsLengths)
{
    const struct {
        PeriodRule rule;
        qint64 shortest;
        qint64 longest;
    } cases[] = {
        {rule(PeriodKind::Weekly, "2031-05-14"), 7, 7},
        {rule(PeriodKind::Biweekly, "2026-12-07"), 14, 14},
        {rule(PeriodKind::SemiMonthly), 13, 16},
        {rule(PeriodKind::Monthly), 28, 31},
    };
    for (const auto& c : cases) {
        const PeriodCalendar calendar(c.rule);
        PayPeriod p = calendar.containing(day("2027-11-20"));
        for (QDate d = day("2027-11-20"); d < day("2029-03-10"); d = d.addDays(1)) {
            if (!p.contains(d)) {
                const PayPeriod following = calendar.next(p);
                ASSERT_EQ(following.first, p.last.addDays(1)) << shown(p);
                p = following;
            }
            ASSERT_EQ(calendar.containing(d), p) << d.toString(Qt::ISODate).toStdString();
            EXPECT_GE(p.days(), c.shortest) << shown(p);
            EXPECT_LE(p.days(), c.longest) << shown(p);
        }
    }
}

TEST(PayPeriods, ListRunsLatestFirstOverEveryPeriodTouched)
{
    const PeriodCalendar calendar(rule(PeriodKind::SemiMonthly));
    const QList<PayPeriod> listed = calendar.overlapping(day("2026-11-10"), day("2027-01-02"));
    const QList<PayPeriod> expected = {
        period("2027-01-01", "2027-01-15"), period("2026-12-16", "2026-12-31"),
        period("2026-12-01", "2026-12-15"), period("2026-11-16", "2026-11-30"),
        period("2026-11-01", "2026-11-15"),
    };
    EXPECT_EQ(listed, expected);
    EXPECT_TRUE(calendar.overlapping(day("2027-01-02"), day("2026-11-10")).isEmpty());
    EXPECT_TRUE(calendar.overlapping(QDate(), day("2026-11-10")).isEmpty());
}

TEST(PayPeriods, FixedPeriodsOutlastAChangedRule)
{
    // Two biweekly periods were approved; the company then moved to semi-monthly pay.
    const QList<PayPeriod> fixed = {period("2026-12-07", "2026-12-20"), period("2026-11-23", "2026-12-06")};
    const PeriodCalendar calendar(rule(PeriodKind::SemiMonthly), fixed);
    const QList<PayPeriod> expected = {
        period("2027-01-16", "2027-01-31"), period("2027-01-01", "2027-01-15"),
        period("2026-12-21", "2026-12-31"), // the rest of the rule's second December half
        period("2026-12-07", "2026-12-20"), period("2026-11-23", "2026-12-06"),
        period("2026-11-16", "2026-11-22"), // what the fixed ones leave of the rule's period
    };
    EXPECT_EQ(calendar.overlapping(day("2026-11-16"), day("2027-01-20")), expected);

    const struct {
        const char* day;
        const char* first;
        const char* last;
        bool starts;
    } cases[] = {
        {"2026-12-15", "2026-12-07", "2026-12-20", false}, {"2026-12-07", "2026-12-07", "2026-12-20", true},
        {"2026-12-21", "2026-12-21", "2026-12-31", true},  {"2026-11-22", "2026-11-16", "2026-11-22", false},
        {"2026-11-16", "2026-11-16", "2026-11-22", true},  {"2026-11-10", "2026-11-01", "2026-11-15", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(shown(calendar.containing(day(c.day))), shown(period(c.first, c.last))) << c.day;
        EXPECT_EQ(calendar.startingOn(day(c.day)).has_value(), c.starts) << c.day;
    }
}

TEST(PayPeriods, FixedPeriodInsideARulePeriodLeavesAPieceOnEachSide)
{
    const PeriodCalendar calendar(rule(PeriodKind::Monthly), {period("2026-12-10", "2026-12-16")});
    const QList<PayPeriod> expected = {
        period("2026-12-17", "2026-12-31"),
        period("2026-12-10", "2026-12-16"),
        period("2026-12-01", "2026-12-09"),
    };
    EXPECT_EQ(calendar.overlapping(day("2026-12-01"), day("2026-12-31")), expected);
    EXPECT_EQ(calendar.next(period("2026-11-01", "2026-11-30")), period("2026-12-01", "2026-12-09"));
}

TEST(PayPeriods, UnusableRuleOrFixedPeriodsAreNamed)
{
    EXPECT_FALSE(rule(PeriodKind::Weekly).problem().isEmpty());
    EXPECT_FALSE(rule(PeriodKind::Biweekly).problem().isEmpty());
    EXPECT_TRUE(rule(PeriodKind::SemiMonthly).problem().isEmpty());

    // Without an anchor only the fixed periods remain, and no day outside them has a period.
    const PeriodCalendar calendar(rule(PeriodKind::Weekly), {period("2026-12-01", "2026-12-15")});
    EXPECT_EQ(calendar.containing(day("2026-12-03")), period("2026-12-01", "2026-12-15"));
    EXPECT_FALSE(calendar.containing(day("2026-12-16")).isValid());
    EXPECT_EQ(calendar.overlapping(day("2026-11-01"), day("2027-01-31")),
              QList<PayPeriod>{period("2026-12-01", "2026-12-15")});

    EXPECT_EQ(
        PeriodCalendar::fixedProblem(
            {period("2026-12-01", "2026-12-15"), period("2026-12-15", "2026-12-28")}),
        QStringLiteral("The pay periods 1 Dec 2026 - 15 Dec 2026 and 15 Dec 2026 - 28 Dec 2026 overlap."));
    EXPECT_FALSE(PeriodCalendar::fixedProblem({period("2026-12-15", "2026-12-01")}).isEmpty());
    EXPECT_TRUE(
        PeriodCalendar::fixedProblem({period("2026-12-16", "2026-12-28"), period("2026-12-01", "2026-12-15")})
            .isEmpty());
}

TEST(PayPeriods, PeriodTextStaysEnglishInAnyLocale)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString text = period("2026-12-01", "2026-12-15").text();
    QLocale::setDefault(before);
    EXPECT_EQ(text, QStringLiteral("1 Dec 2026 - 15 Dec 2026"));
}
} // namespace
