#include "exceptions/PunchExceptions.h"

#include "clock/ForcedClockOut.h"
#include "clock/PunchSequence.h"
#include "pay/PaySettingsRules.h"
#include "pay/WorkCalendar.h"
#include "settings/SettingsRecord.h"
#include "store/ClockRecord.h"
#include "store/DayNumber.h"
#include "store/EmployeeId.h"
#include "store/RecordEdits.h"
#include "store/StaffFiles.h"
#include "store/StoredTime.h"

#include <QHash>
#include <algorithm>
#include <array>
#include <vector>

namespace {
using PunchSequence::Break;
constexpr qint64 secondsPerDay = ReportRows::secondsPerDay;

const std::array<const char*, 11> kindNames = {
    "forced",       "no-out",  "no-in",     "double-in",   "double-out",        "long-shift",
    "quick-repeat", "late-in", "early-out", "out-of-step", "edited-after-lock",
};

qint32 dayOf(qint64 clockFace)
{
    return static_cast<qint32>(clockFace >= 0 ? clockFace / secondsPerDay
                                              : -((-clockFace + secondsPerDay - 1) / secondsPerDay));
}

QString clockText(qint64 clockFace)
{
    const qint64 s = clockFace - qint64(dayOf(clockFace)) * secondsPerDay;
    return QStringLiteral("%1:%2")
        .arg(s / 3600, 2, 10, QLatin1Char('0'))
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'));
}

// A length of time as hours and minutes, with the seconds only when there are any, so that a
// length just past a whole-minute threshold never reads as the threshold itself.
QString lengthText(qint64 seconds)
{
    QString text =
        QStringLiteral("%1:%2").arg(seconds / 3600).arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'));
    if (seconds % 60 != 0)
        text += QStringLiteral(":%1").arg(seconds % 60, 2, 10, QLatin1Char('0'));
    return text;
}

QString directionText(bool clockOut)
{
    return clockOut ? QStringLiteral("OUT") : QStringLiteral("IN");
}

// The other record a detail names: its clock time alone on the same day, else its date too.
QString otherText(const ReportRow& other, const ReportRow& row)
{
    return dayOf(other.time) == dayOf(row.time) ? clockText(other.time)
                                                : PunchExceptions::timeText(other.time).left(16);
}

bool markedBy(const ReportRow& row, Mark mark)
{
    return row.options == static_cast<qint16>(mark);
}

// What a resolution depends on of one record: any edit changes it (an edit sets the mark).
QString basisOf(const ReportRow& row)
{
    return QStringLiteral("%1 %2 %3 %4 %5")
        .arg(row.recordNumber)
        .arg(PunchExceptions::timeText(row.time), row.clockOut ? QStringLiteral("OUT") : QStringLiteral("IN"))
        .arg(row.options)
        .arg(EmployeeId::normalised(row.employeeId));
}

// Each employee's rows in time order, then record number: indexes into the rows, employee after
// employee.
std::vector<std::pair<qsizetype, qsizetype>> employeeRuns(const QList<ReportRow>& rows, const QString& onlyId,
                                                          std::vector<qsizetype>& order)
{
    std::vector<int> employeeOf(rows.size(), -1);
    QHash<QString, int> employees;
    const QString only = EmployeeId::normalised(onlyId);
    const QString* previousText = nullptr;
    int previous = -1;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const QString& text = rows[i].employeeId;
        // Rows of one employee mostly come together; normalising once per run keeps a year cheap.
        if (!previousText || text != *previousText) {
            const QString key = EmployeeId::normalised(text);
            if (key.isEmpty() || (!only.isEmpty() && key != only)) {
                previous = -1;
            } else {
                auto known = employees.constFind(key);
                if (known == employees.constEnd())
                    known = employees.insert(key, int(employees.size()));
                previous = *known;
            }
            previousText = &text;
        }
        employeeOf[i] = previous;
    }
    order.clear();
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (employeeOf[i] >= 0)
            order.push_back(i);
    }
    std::sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        const ReportRow& x = rows[a];
        const ReportRow& y = rows[b];
        if (employeeOf[a] != employeeOf[b])
            return employeeOf[a] < employeeOf[b];
        return PunchSequence::runsBefore(x.time, x.recordNumber, y.time, y.recordNumber);
    });
    std::vector<std::pair<qsizetype, qsizetype>> runs;
    for (qsizetype begin = 0; begin < qsizetype(order.size());) {
        qsizetype end = begin + 1;
        while (end < qsizetype(order.size()) && employeeOf[order[end]] == employeeOf[order[begin]])
            ++end;
        runs.emplace_back(begin, end);
        begin = end;
    }
    return runs;
}

class Finder {
public:
    Finder(const ExceptionQuery& query, const ExceptionRules& rules)
        : m_query(query)
        , m_rules(rules)
        , m_calendar(rules.workdays)
    {}

    // One employee's rows in time order.
    void visit(const QList<ReportRow>& rows, const std::vector<qsizetype>& run)
    {
        const qsizetype count = qsizetype(run.size());
        // The earliest-appended record among those after each one in time: a record appended after
        // a later one was held back somewhere before it was stored.
        std::vector<qsizetype> firstAppendedAfter(count, -1);
        for (qsizetype i = count - 2; i >= 0; --i) {
            const qsizetype next = run[i + 1];
            const qsizetype later = firstAppendedAfter[i + 1];
            firstAppendedAfter[i] =
                later >= 0 && rows[later].recordNumber < rows[next].recordNumber ? later : next;
        }
        for (qsizetype i = 0; i < count; ++i) {
            const ReportRow& row = rows[run[i]];
            const qint32 day = dayOf(row.time);
            if (day < m_query.firstDay || day > m_query.lastDay)
                continue;
            if (m_query.department && row.dnumber != *m_query.department)
                continue;
            const ReportRow* previous = i > 0 ? &rows[run[i - 1]] : nullptr;
            const ReportRow* next = i + 1 < count ? &rows[run[i + 1]] : nullptr;
            const ReportRow* appendedBefore =
                firstAppendedAfter[i] >= 0 ? &rows[firstAppendedAfter[i]] : nullptr;
            visitRow(row, previous, next, appendedBefore);
        }
    }

    QList<PunchException> take() { return std::move(m_found); }

private:
    // `other` is the neighbour the exception was judged with, when the finding depends on it.
    void add(ExceptionKind kind, const ReportRow& row, const QString& detail,
             const ReportRow* other = nullptr)
    {
        QString basis = basisOf(row);
        if (other)
            basis += QStringLiteral("; ") + basisOf(*other);
        m_found.append({kind, row.recordNumber, row.employeeId, row.employee, row.time, detail, basis, {}});
    }

    void visitRow(const ReportRow& row, const ReportRow* previous, const ReportRow* next,
                  const ReportRow* appendedBefore)
    {
        const qint32 workday = m_calendar.workdayOf(row.time);
        if (markedBy(row, Mark::Forced)) {
            add(ExceptionKind::Forced, row,
                previous && !previous->clockOut
                    ? QStringLiteral(
                          "Clocked out by the program after the IN at %1; the employee did not clock out")
                          .arg(otherText(*previous, row))
                    : QStringLiteral("Clocked out by the program; the employee did not clock out"));
        }
        // A night shift: its OUT comes the next workday, within the time the forced clock-out allows.
        const auto closes = [&](const ReportRow& in, const ReportRow& out) {
            return !in.clockOut && out.clockOut && out.time - in.time <= m_rules.closingWithinSeconds;
        };
        // A later record that comes along changes nothing about an IN found open, so the finding
        // rests on the IN alone.
        if (!row.clockOut && (!next || (m_calendar.workdayOf(next->time) != workday &&
                                        !markedBy(*next, Mark::Forced) && !closes(row, *next)))) {
            // Until the limit has passed, the OUT of a night shift may still come.
            const qint64 end = m_calendar.startOf(workday + 1);
            const qint64 limit = row.time + m_rules.closingWithinSeconds;
            if (std::max(end, limit) <= m_rules.now)
                add(ExceptionKind::NoOut, row,
                    end >= limit ? QStringLiteral("No OUT after this IN by the end of its workday (%1)")
                                       .arg(PunchExceptions::timeText(end).left(16))
                                 : QStringLiteral("No OUT after this IN within the forced clock-out's "
                                                  "limit (%1)")
                                       .arg(PunchExceptions::timeText(limit).left(16)));
        }
        if (row.clockOut &&
            (!previous || (m_calendar.workdayOf(previous->time) != workday && !closes(*previous, row))))
            add(ExceptionKind::NoIn, row, QStringLiteral("An OUT with no IN before it on its workday"),
                previous);
        const Break broken =
            previous ? PunchSequence::between(previous->clockOut, row.clockOut) : Break::None;
        if (broken != Break::None) {
            add(broken == Break::DoubleOut ? ExceptionKind::DoubleOut : ExceptionKind::DoubleIn, row,
                QStringLiteral("A second %1 in a row: the one before is at %2")
                    .arg(directionText(row.clockOut), otherText(*previous, row)),
                previous);
        }
        if (previous && row.clockOut && !previous->clockOut &&
            row.time - previous->time > m_rules.longShiftSeconds) {
            add(ExceptionKind::LongShift, row,
                QStringLiteral("A shift of %1, from the IN at %2")
                    .arg(lengthText(row.time - previous->time), otherText(*previous, row)),
                previous);
        }
        // The program's own forced OUT, a minute after the IN, is no second press.
        if (previous && row.time - previous->time < m_rules.quickRepeatSeconds &&
            !markedBy(row, Mark::Forced)) {
            const qint64 seconds = row.time - previous->time;
            add(ExceptionKind::QuickRepeat, row,
                QStringLiteral("%1 %2 after the %3 before it")
                    .arg(seconds)
                    .arg(seconds == 1 ? QStringLiteral("second") : QStringLiteral("seconds"),
                         directionText(previous->clockOut)),
                previous);
        }
        if (markedBy(row, Mark::InLate))
            add(ExceptionKind::LateIn, row, QStringLiteral("Clocked in after the scheduled start"));
        if (markedBy(row, Mark::OutEarly))
            add(ExceptionKind::EarlyOut, row, QStringLiteral("Clocked out before the scheduled stop"));
        if (appendedBefore && appendedBefore->recordNumber < row.recordNumber &&
            !markedBy(row, Mark::Edited) && !markedBy(row, Mark::Inserted) && !markedBy(row, Mark::Forced) &&
            (broken != Break::None ||
             (next && PunchSequence::between(row.clockOut, next->clockOut) != Break::None))) {
            add(ExceptionKind::OutOfStep, row,
                QStringLiteral("Stored after the later %1 at %2 and out of step with its neighbours")
                    .arg(directionText(appendedBefore->clockOut), otherText(*appendedBefore, row)),
                appendedBefore);
        }
        if (m_rules.editedAfterLock) {
            if (const std::optional<QString> detail = m_rules.editedAfterLock(row))
                add(ExceptionKind::EditedAfterLock, row, *detail);
        }
    }

    const ExceptionQuery& m_query;
    const ExceptionRules& m_rules;
    WorkCalendar m_calendar;
    QList<PunchException> m_found;
};
} // namespace

QString PunchExceptions::kindName(ExceptionKind kind)
{
    return QString::fromLatin1(kindNames[static_cast<size_t>(kind)]);
}

std::optional<ExceptionKind> PunchExceptions::kindNamed(QStringView name)
{
    for (size_t i = 0; i < kindNames.size(); ++i) {
        if (name == QLatin1StringView(kindNames[i]))
            return static_cast<ExceptionKind>(i);
    }
    return std::nullopt;
}

std::pair<qint32, qint32> PunchExceptions::rowDays(const ExceptionQuery& query)
{
    // A workday may start the evening before a day and end the evening after it.
    return {query.firstDay - 1, query.lastDay + 1};
}

QList<PunchException> PunchExceptions::find(const QList<ReportRow>& rows, const ExceptionQuery& query,
                                            const ExceptionRules& rules)
{
    std::vector<qsizetype> order;
    const auto runs = employeeRuns(rows, query.employeeId, order);
    Finder finder(query, rules);
    std::vector<qsizetype> run;
    for (const auto& [begin, end] : runs) {
        run.assign(order.begin() + begin, order.begin() + end);
        finder.visit(rows, run);
    }
    QList<PunchException> found = finder.take();
    std::stable_sort(found.begin(), found.end(), [](const PunchException& a, const PunchException& b) {
        if (a.time != b.time)
            return a.time < b.time;
        return a.recordNumber != b.recordNumber ? a.recordNumber < b.recordNumber : a.kind < b.kind;
    });
    return found;
}

QList<PunchException> PunchExceptions::load(Database& database, const ExceptionQuery& query,
                                            const ExceptionRules& rules)
{
    const auto [first, last] = rowDays(query);
    QList<PunchException> found =
        find(ReportRows::select(database, first, last, ReportRows::Order::Employee), query, rules);
    if (found.isEmpty())
        return found;
    const auto [lowest, highest] = std::minmax_element(
        found.cbegin(), found.cend(),
        [](const PunchException& a, const PunchException& b) { return a.recordNumber < b.recordNumber; });
    const auto resolutions =
        ResolvedExceptions(database).between(lowest->recordNumber, highest->recordNumber);
    QList<PunchException> kept;
    for (PunchException& e : found) {
        // A resolution made on records that have changed since no longer holds.
        const auto resolution = resolutions.constFind({e.recordNumber, kindName(e.kind)});
        if (resolution != resolutions.constEnd() && resolution->basis == e.basis)
            e.resolution = *resolution;
        if (!e.resolution || query.includeResolved)
            kept.append(std::move(e));
    }
    return kept;
}

std::optional<PunchException> PunchExceptions::resolve(Database& database, qint64 recordNumber,
                                                       ExceptionKind kind, const QString& note,
                                                       const ExceptionRules& rules, const EditStamp& stamp)
{
    const std::optional<ClockRecord> record = RecordEdits(database).find(recordNumber);
    if (!record)
        return std::nullopt;
    const qint32 day = DayNumber::of(record->time.date());
    const ExceptionQuery query{day, day, record->employeeId, {}, true};
    for (PunchException& e : load(database, query, rules)) {
        if (e.recordNumber != recordNumber || e.kind != kind)
            continue;
        Resolution resolution{recordNumber, kindName(kind), e.basis, note.trimmed(), stamp.user, stamp.when};
        ResolvedExceptions(database).resolve(resolution, stamp);
        e.resolution = std::move(resolution);
        return e;
    }
    return std::nullopt;
}

ExceptionQuery PunchExceptions::quickPeriod(ReportPeriod::Quick choice, const SettingsRecord& settings,
                                            const QDate& today)
{
    const auto days = ReportPeriod::quick(
        choice, today, static_cast<Qt::DayOfWeek>(PaySettingsRules::rules(settings).workweekStart));
    return {days.firstDay, days.lastDay, {}, {}};
}

qsizetype PunchExceptions::openThisWeek(Database& database, const SettingsRecord& settings,
                                        const QDateTime& now)
{
    return load(database, quickPeriod(ReportPeriod::Quick::ThisWeek, settings, now.date()),
                ExceptionRules::of(settings, now))
        .size();
}

ExceptionRules ExceptionRules::of(const SettingsRecord& settings, const QDateTime& now)
{
    ExceptionRules rules;
    rules.workdays = PaySettingsRules::rules(settings);
    rules.longShiftSeconds = qint64(settings.exceptionLongShift) * 60;
    rules.quickRepeatSeconds = settings.exceptionQuickRepeat;
    rules.closingWithinSeconds = qint64(ForcedClockOut::limitMinutes(settings.forceAfter)) * 60;
    rules.now = ReportRows::clockSeconds(StoredTime::toText(now).toUtf8());
    return rules;
}

QString PunchExceptions::timeText(qint64 clockFace)
{
    const qint32 day = dayOf(clockFace);
    return DayNumber::toDate(day).toString(Qt::ISODate) + QLatin1Char(' ') + clockText(clockFace) +
           QStringLiteral(":%1").arg((clockFace - qint64(day) * secondsPerDay) % 60, 2, 10, QLatin1Char('0'));
}

void PunchExceptions::nameFromStaff(QList<PunchException>& list, const QList<Employee>& staff)
{
    QHash<QString, QString> names;
    for (const Employee& e : staff)
        if (e.employeeNumber > 0 && !e.name.trimmed().isEmpty())
            names.insert(EmployeeId::normalised(e.employeeId), e.name);
    for (PunchException& e : list)
        if (e.employee.trimmed().isEmpty())
            e.employee = names.value(EmployeeId::normalised(e.employeeId), e.employee);
}
