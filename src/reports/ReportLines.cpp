#include "reports/ReportLines.h"

#include "reports/RecordPairs.h"
#include "reports/ReportPeriod.h"
#include "reports/ReportTexts.h"
#include "settings/SettingsRecord.h"
#include "store/DayNumber.h"
#include "store/StaffFiles.h"

#include <QLocale>

namespace {
constexpr qint64 secondsPerDay = ReportRows::secondsPerDay;

QString twoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

// The time column: "h:mm", or "h:mm AM/PM" on a 12-hour clock.
QString timeOfDay(qint64 seconds, bool clock12Hour)
{
    const int ofDay = static_cast<int>(((seconds % secondsPerDay) + secondsPerDay) % secondsPerDay);
    const int hour = ofDay / 3600;
    const QString minutes = twoDigits(ofDay / 60 % 60);
    if (!clock12Hour)
        return QString::number(hour) + QLatin1Char(':') + minutes;
    const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
    return QString::number(hour12) + QLatin1Char(':') + minutes +
           (hour < 12 ? QStringLiteral(" AM") : QStringLiteral(" PM"));
}

qint32 dayOf(qint64 seconds)
{
    return static_cast<qint32>(seconds >= 0 ? seconds / secondsPerDay
                                            : (seconds - secondsPerDay + 1) / secondsPerDay);
}

// Weekday and short date per day: a year of rows meets only 365 different days.
class DayTexts {
public:
    DayTexts()
        : m_locale(QLocale::system())
    {}
    const std::pair<QString, QString>& of(qint32 day)
    {
        auto it = m_texts.find(day);
        if (it == m_texts.end()) {
            const QDate date = DayNumber::toDate(day);
            it = m_texts.insert(day, {m_locale.dayName(date.dayOfWeek(), QLocale::ShortFormat),
                                      m_locale.toString(date, QLocale::ShortFormat)});
        }
        return *it;
    }

private:
    QLocale m_locale;
    QHash<qint32, std::pair<QString, QString>> m_texts;
};

QString clean(const QString& field)
{
    QString text = field;
    for (QChar& c : text)
        if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            c = QLatin1Char(' ');
    return text;
}
} // namespace

ReportRequest ReportRequest::completed() const
{
    ReportRequest r = *this;
    const ReportPeriod::Days days = ReportPeriod::completed({firstDay, lastDay});
    r.firstDay = days.firstDay;
    r.lastDay = days.lastDay;
    return r;
}

ClockingReport::ClockingReport(const ReportRequest& request, const SettingsRecord& settings,
                               const DepartmentList& departments, const QDateTime& now)
    : m_request(request.completed())
    , m_settings(settings)
{
    for (const Department& d : departments.entries)
        if (!m_departments.contains(d.number))
            m_departments.insert(d.number, d.name);

    const QLocale locale = QLocale::system();
    const auto shortDate = [&](qint32 day) {
        return locale.toString(DayNumber::toDate(day), QLocale::ShortFormat);
    };
    m_title = m_request.employeeReport ? QStringLiteral("Employee clocking report ")
                                       : QStringLiteral("Department clocking report ");
    m_title += m_request.firstDay == m_request.lastDay
                   ? QStringLiteral("for ") + shortDate(m_request.firstDay)
                   : QStringLiteral("from ") + shortDate(m_request.firstDay) + QStringLiteral(" to ") +
                         shortDate(m_request.lastDay);
    const QTime t = now.time();
    const QString at = settings.clock12Hour
                           ? twoDigits(t.hour() % 12 == 0 ? 12 : t.hour() % 12) + QLatin1Char(':') +
                                 twoDigits(t.minute()) +
                                 (t.hour() < 12 ? QStringLiteral(" AM") : QStringLiteral(" PM"))
                           : twoDigits(t.hour()) + QLatin1Char(':') + twoDigits(t.minute());
    m_title += QStringLiteral(", printed on: ") + locale.toString(now.date(), QStringLiteral("dd-MMM-yy")) +
               QStringLiteral(" at: ") + at;
}

QString ClockingReport::departmentName(qint32 number) const
{
    const auto it = m_departments.constFind(number);
    return it == m_departments.cend() ? QString(30, QLatin1Char('-')) : *it;
}

qint64 ClockingReport::minutesBetween(qint64 from, qint64 to)
{
    const auto wholeMinutes = [](qint64 s) {
        return s >= 0 ? s / 60 : (s - 59) / 60;
    };
    return wholeMinutes(to) - wholeMinutes(from);
}

void ClockingReport::PrintReport(const QList<ReportRow>& rows, ReportSink& sink) const
{
    ReportLine line;
    line.text = m_title;
    sink.line(line);
    if (const QString rounding = roundingLine(); !rounding.isEmpty()) {
        line.kind = ReportLine::Kind::Rounding;
        line.text = rounding;
        sink.line(line);
    }

    const SettingsRecord& s = m_settings;
    const QString noName(25, QLatin1Char('-'));
    DayTexts days;
    UpperIds ids;
    UpperIds nextIds;
    int pairCount = 0;
    qint64 groupMinutes = 0;
    int groupBreaks = 0;
    Money groupTips;
    qint64 grandMinutes = 0;
    int grandBreaks = 0;
    Money grandTips;
    qint64 previousRounded = 0;
    QString previousId;

    const qsizetype n = rows.size();
    for (qsizetype i = 0; i < n; ++i) {
        const ReportRow& row = rows[i];
        const ReportRow* next = i + 1 < n ? &rows[i + 1] : nullptr;
        const QString id = ids.of(row.employeeId);
        const bool sameAsNext = next && nextIds.of(next->employeeId) == id;
        const bool sameAsPrevious = i > 0 && previousId == id;

        line = ReportLine();
        line.kind = ReportLine::Kind::Record;
        line.row = &row;
        line.opensPair = sameAsNext && !row.clockOut && next->clockOut;
        line.shaded = line.opensPair && pairCount == 1;
        line.closesPair = i > 0 && RecordPairs::closes(rows[i - 1], row, sameAsPrevious);
        line.id = id;
        line.name = row.employee.trimmed().isEmpty() ? noName : row.employee;
        line.department = departmentName(row.dnumber);
        line.action = row.clockOut ? QStringLiteral("Out") : QStringLiteral("In");
        line.rounded = RecordPairs::roundedTime(m_request.rounding, row);
        line.time = timeOfDay(line.rounded, s.clock12Hour);
        if (const QString mark = ReportTexts::markName(row.options); !mark.isEmpty())
            line.mark = QStringLiteral(" - ") + mark;
        const auto& [weekday, date] = days.of(dayOf(line.rounded));
        line.weekday = weekday;
        line.date = date;
        if (RecordPairs::countsTip(row, s.reportTips)) {
            line.tip = ReportTexts::moneyPlain(row.tips);
            groupTips += row.tips;
        }
        sink.line(line);

        if (line.closesPair) {
            const ReportRow& in = rows[i - 1];
            ReportLine pair;
            pair.kind = ReportLine::Kind::Pair;
            pair.row = &row;
            pair.rounded = line.rounded;
            pair.inRow = &in;
            pair.roundedIn = previousRounded;
            pair.minutes = minutesBetween(previousRounded, line.rounded);
            pair.rawMinutes = minutesBetween(in.time, row.time);
            pair.breaks = RecordPairs::breaks(pair.minutes, s.minBeforeDed);
            groupBreaks += pair.breaks;
            pairCount = (pairCount + 1) % 2;
            groupMinutes += pair.minutes;
            pair.worked = ReportTexts::ConvertToHrsMin(pair.minutes);
            pair.breakMark = pair.breaks > 0 && s.autoDeduct;
            sink.line(pair);
        }

        const bool groupEnds =
            !next || (m_request.employeeReport ? !sameAsNext : next->dnumber != row.dnumber);
        if (groupEnds) {
            ReportLine group;
            group.kind = ReportLine::Kind::Group;
            const bool deduct = s.autoDeduct && groupBreaks >= 1;
            if (deduct) {
                group.deducted = qint64(s.minutesToDeduct) * groupBreaks;
                groupMinutes -= group.deducted;
                group.deduction = ReportTexts::groupDeduction(groupBreaks, s.minutesToDeduct);
            }
            grandMinutes += groupMinutes;
            group.minutes = groupMinutes;
            group.tipsAmount = groupTips;
            group.worked = ReportTexts::ConvertToHrsMin(groupMinutes);
            group.emphasised = !deduct;
            if (groupTips.units() > 0)
                group.tips = ReportTexts::moneyPlain(groupTips);
            grandTips += groupTips;
            sink.line(group);
            grandBreaks += groupBreaks;
            groupTips = Money();
            groupBreaks = 0;
            groupMinutes = 0;
            pairCount = 0;
        }
        previousRounded = line.rounded;
        previousId = id;
    }

    ReportLine total;
    total.kind = ReportLine::Kind::Total;
    total.minutes = grandMinutes;
    total.deducted = s.autoDeduct ? qint64(s.minutesToDeduct) * grandBreaks : 0;
    total.tipsAmount = grandTips;
    total.worked = ReportTexts::ConvertToHrsMin(grandMinutes);
    total.emphasised = true;
    if (s.autoDeduct)
        total.deduction = ReportTexts::grandDeduction(grandBreaks, s.minutesToDeduct);
    if (s.reportTips)
        total.tips = QStringLiteral("Total tips: ") + ReportTexts::moneyGrouped(grandTips);
    sink.line(total);
}

QString ClockingReport::tabText(const ReportLine& l)
{
    const QChar tab = QLatin1Char('\t');
    switch (l.kind) {
    case ReportLine::Kind::Title:
        return QStringLiteral("title") + tab + clean(l.text);
    case ReportLine::Kind::Rounding:
        return QStringLiteral("rounding") + tab + clean(l.text);
    case ReportLine::Kind::Record:
        return QStringLiteral("record") + tab + clean(l.id) + tab + clean(l.name) + tab +
               clean(l.department) + tab + l.action + tab + l.time + l.mark + tab + l.weekday + tab + l.date +
               tab + l.tip;
    case ReportLine::Kind::Pair:
        return QStringLiteral("pair") + tab + l.worked + tab +
               (l.breakMark ? QStringLiteral("<") : QString());
    case ReportLine::Kind::Group:
        return QStringLiteral("group") + tab + l.deduction + tab + l.worked + tab + l.tips;
    case ReportLine::Kind::Total:
        return QStringLiteral("total") + tab + l.deduction + tab + l.worked + tab + l.tips;
    }
    return {};
}
