#include "payroll/PayPeriods.h"

#include "settings/SettingsRecord.h"
#include "store/PeriodStates.h"

#include <QLocale>
#include <algorithm>

namespace {
qint64 floorMod(qint64 a, qint64 b)
{
    const qint64 r = a % b;
    return r < 0 ? r + b : r;
}

bool byFirstDay(const PayPeriod& a, const PayPeriod& b)
{
    return a.first < b.first;
}
} // namespace

QString PayPeriod::text() const
{
    return DayRange{first, last}.text();
}

QList<PayPeriod> PayPeriod::fixedOf(const QList<StoredPeriod>& stored)
{
    QList<PayPeriod> fixed;
    for (const StoredPeriod& period : stored)
        fixed.append({period.days.first, period.days.last});
    return fixed;
}

QString PeriodRule::keyOf(PeriodKind kind)
{
    switch (kind) {
    case PeriodKind::Weekly:
        return QStringLiteral("weekly");
    case PeriodKind::Biweekly:
        return QStringLiteral("biweekly");
    case PeriodKind::SemiMonthly:
        return QStringLiteral("semimonthly");
    case PeriodKind::Monthly:
        return QStringLiteral("monthly");
    }
    return {};
}

std::optional<PeriodKind> PeriodRule::kindOf(const QString& key)
{
    for (PeriodKind kind :
         {PeriodKind::Weekly, PeriodKind::Biweekly, PeriodKind::SemiMonthly, PeriodKind::Monthly}) {
        if (key == keyOf(kind))
            return kind;
    }
    return std::nullopt;
}

PeriodRule PeriodRule::fromSettings(const SettingsRecord& settings)
{
    PeriodRule rule;
    rule.kind = kindOf(settings.payrollPeriod).value_or(PeriodKind::Weekly);
    rule.anchor = QDate::fromString(settings.payrollAnchor, Qt::ISODate);
    if (!rule.anchor.isValid()) {
        const int start = settings.payWorkweekStart >= 1 && settings.payWorkweekStart <= 7
                              ? settings.payWorkweekStart
                              : int(Qt::Sunday);
        const QDate reference(2001, 1, 1); // a Monday
        rule.anchor = reference.addDays(start - reference.dayOfWeek());
    }
    return rule;
}

QString PeriodRule::problem() const
{
    const bool counted = kind == PeriodKind::Weekly || kind == PeriodKind::Biweekly;
    if (counted && !anchor.isValid())
        return QStringLiteral("%1 pay periods need the first day of any one period.")
            .arg(kind == PeriodKind::Weekly ? QStringLiteral("Weekly") : QStringLiteral("Biweekly"));
    return {};
}

PayPeriod PeriodRule::containing(const QDate& day) const
{
    if (!day.isValid() || !problem().isEmpty())
        return {};
    switch (kind) {
    case PeriodKind::Weekly:
    case PeriodKind::Biweekly: {
        const qint64 length = kind == PeriodKind::Weekly ? 7 : 14;
        const QDate first = day.addDays(-floorMod(anchor.daysTo(day), length));
        return {first, first.addDays(length - 1)};
    }
    case PeriodKind::SemiMonthly:
        if (day.day() <= 15)
            return {QDate(day.year(), day.month(), 1), QDate(day.year(), day.month(), 15)};
        return {QDate(day.year(), day.month(), 16), QDate(day.year(), day.month(), day.daysInMonth())};
    case PeriodKind::Monthly:
        return {QDate(day.year(), day.month(), 1), QDate(day.year(), day.month(), day.daysInMonth())};
    }
    return {};
}

PeriodCalendar::PeriodCalendar(PeriodRule rule, QList<PayPeriod> fixed)
    : m_rule(rule)
    , m_ruleUsable(rule.problem().isEmpty())
    , m_fixed(std::move(fixed))
{
    std::sort(m_fixed.begin(), m_fixed.end(), byFirstDay);
}

PeriodCalendar PeriodCalendar::inForce(Database& database, const SettingsRecord& settings)
{
    QList<PayPeriod> fixed;
    if (PeriodStates::hasTables(database))
        fixed = PayPeriod::fixedOf(PeriodStates(database).all());
    return PeriodCalendar(PeriodRule::fromSettings(settings), fixed);
}

QString PeriodCalendar::fixedProblem(const QList<PayPeriod>& fixed)
{
    for (const PayPeriod& p : fixed) {
        if (!p.isValid())
            return QStringLiteral("The pay period from %1 to %2 is no period of days.")
                .arg(p.first.toString(Qt::ISODate), p.last.toString(Qt::ISODate));
    }
    QList<PayPeriod> sorted = fixed;
    std::sort(sorted.begin(), sorted.end(), byFirstDay);
    for (qsizetype i = 1; i < sorted.size(); ++i) {
        if (sorted[i - 1].overlaps(sorted[i]))
            return QStringLiteral("The pay periods %1 and %2 overlap.")
                .arg(sorted[i - 1].text(), sorted[i].text());
    }
    return {};
}

PayPeriod PeriodCalendar::containing(const QDate& day) const
{
    if (!day.isValid())
        return {};
    // The first fixed period starting after the day; the one before it is the only one that can
    // hold the day.
    const auto after = std::upper_bound(m_fixed.cbegin(), m_fixed.cend(), PayPeriod{day, day}, byFirstDay);
    const PayPeriod* before = after == m_fixed.cbegin() ? nullptr : &*(after - 1);
    if (before && before->contains(day))
        return *before;
    if (!m_ruleUsable)
        return {};
    PayPeriod period = m_rule.containing(day);
    if (before && before->last >= period.first)
        period.first = before->last.addDays(1);
    if (after != m_fixed.cend() && after->first <= period.last)
        period.last = after->first.addDays(-1);
    return period;
}

std::optional<PayPeriod> PeriodCalendar::startingOn(const QDate& day) const
{
    const PayPeriod period = containing(day);
    if (period.isValid() && period.first == day)
        return period;
    return std::nullopt;
}

PayPeriod PeriodCalendar::next(const PayPeriod& period) const
{
    return period.isValid() ? containing(period.last.addDays(1)) : PayPeriod{};
}

PayPeriod PeriodCalendar::previous(const PayPeriod& period) const
{
    return period.isValid() ? containing(period.first.addDays(-1)) : PayPeriod{};
}

QList<PayPeriod> PeriodCalendar::overlapping(const QDate& from, const QDate& to) const
{
    QList<PayPeriod> periods;
    if (!from.isValid() || !to.isValid() || from > to)
        return periods;
    if (!m_ruleUsable) {
        for (auto p = m_fixed.crbegin(); p != m_fixed.crend(); ++p) {
            if (p->overlaps({from, to}))
                periods.append(*p);
        }
        return periods;
    }
    for (PayPeriod p = containing(to); p.isValid() && p.last >= from; p = previous(p))
        periods.append(p);
    return periods;
}
