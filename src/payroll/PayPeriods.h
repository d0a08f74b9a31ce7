#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

class Database;
struct SettingsRecord;
struct StoredPeriod;

// The days one payroll covers, both included.
struct PayPeriod {
    QDate first;
    QDate last;

    bool isValid() const { return first.isValid() && last.isValid() && first <= last; }
    bool contains(const QDate& day) const { return day >= first && day <= last; }
    bool overlaps(const PayPeriod& other) const { return first <= other.last && other.first <= last; }
    qint64 days() const { return first.daysTo(last) + 1; }
    // "1 Dec 2026 - 15 Dec 2026", in English whatever the locale, as messages quote it.
    QString text() const;
    bool operator==(const PayPeriod&) const = default;
    // The approved and locked periods as a calendar's fixed periods.
    static QList<PayPeriod> fixedOf(const QList<StoredPeriod>& stored);
};

enum class PeriodKind { Weekly, Biweekly, SemiMonthly, Monthly };

// How pay periods follow one another. Weekly and biweekly periods are counted from an anchor: the
// first day of any one period, before or after the days asked about.
struct PeriodRule {
    PeriodKind kind = PeriodKind::Biweekly;
    QDate anchor;

    // The names the command line and the settings use: weekly, biweekly, semimonthly, monthly.
    static QString keyOf(PeriodKind kind);
    static std::optional<PeriodKind> kindOf(const QString& key);
    // The rule the Pay settings give. Without a first day of their own, weekly and biweekly
    // periods begin on the workweek's first day (biweekly ones counted from the first such day of
    // 2001), so a period never cuts a workweek in two.
    static PeriodRule fromSettings(const SettingsRecord& settings);
    // Empty when periods follow from the rule; otherwise what is wrong with it.
    QString problem() const;
    // The period of the rule alone that holds the day.
    PayPeriod containing(const QDate& day) const;
};

// The pay periods in force: those the rule gives, except where a fixed period (one already
// approved or locked, kept as it was when the rule changed) lies. A fixed period stays whole; a
// period of the rule that it overlaps keeps only its days outside every fixed period, in one
// piece on each side. So every day belongs to exactly one period.
class PeriodCalendar {
public:
    // `fixed` must be valid and free of overlaps (fixedProblem() is empty); their order does not
    // matter. A rule with a problem gives no periods at all, apart from the fixed ones.
    explicit PeriodCalendar(PeriodRule rule, QList<PayPeriod> fixed = {});
    // The periods in force: the settings' rule around the approved and locked periods the database
    // keeps. Every place that shows or acts on pay periods builds its calendar here.
    static PeriodCalendar inForce(Database& database, const SettingsRecord& settings);

    // Empty when the periods can be fixed together; otherwise the first problem, naming the periods.
    static QString fixedProblem(const QList<PayPeriod>& fixed);

    // The period holding the day; an invalid one for an invalid day, or for a day no period covers
    // (a rule with a problem).
    PayPeriod containing(const QDate& day) const;
    // The period whose first day is the one given, if that day begins one.
    std::optional<PayPeriod> startingOn(const QDate& day) const;
    PayPeriod next(const PayPeriod& period) const;
    PayPeriod previous(const PayPeriod& period) const;
    // Every period with a day in from..to, the latest first (the current period heads a list that
    // reaches back from today).
    QList<PayPeriod> overlapping(const QDate& from, const QDate& to) const;

private:
    PeriodRule m_rule;
    bool m_ruleUsable = false;
    QList<PayPeriod> m_fixed; // by first day
};
