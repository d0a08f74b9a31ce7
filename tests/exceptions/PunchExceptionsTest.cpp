#include "exceptions/PunchExceptions.h"

#include "settings/SettingsRecord.h"
#include "settings/SettingsTable.h"
#include "store/ClockRecord.h"
#include "store/DayNumber.h"

#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace {
struct Punch {
    const char* time; // "2026-06-08 08:00" or with seconds
    bool out;
    Mark mark = Mark::Normal;
    qint64 record = 0; // 0: the punch's place in the list
    const char* id = "A1";
    qint32 department = 1;
};
constexpr bool In = false;
constexpr bool Out = true;

qint64 clockFace(const char* text)
{
    QByteArray t(text);
    if (t.size() == 16)
        t += ":00";
    return ReportRows::clockSeconds(t);
}

qint32 day(const char* date)
{
    return DayNumber::of(QDate::fromString(QString::fromLatin1(date), Qt::ISODate));
}

QList<ReportRow> rowsOf(const std::vector<Punch>& punches)
{
    QList<ReportRow> rows;
    for (const Punch& p : punches) {
        ReportRow r;
        r.time = clockFace(p.time);
        r.employeeId = QString::fromLatin1(p.id);
        r.employee = QStringLiteral("Name ") + r.employeeId;
        r.clockOut = p.out;
        r.options = static_cast<qint16>(p.mark);
        r.recordNumber = p.record ? p.record : rows.size() + 1;
        r.dnumber = p.department;
        rows.append(r);
    }
    return rows;
}

// "kind#record" of each exception, in the list's order.
std::string found(const QList<PunchException>& list)
{
    QStringList names;
    for (const PunchException& e : list)
        names.append(PunchExceptions::kindName(e.kind) + QLatin1Char('#') + QString::number(e.recordNumber));
    return names.join(QLatin1Char(' ')).toStdString();
}

// The week of 2026-06-08, looked at long after it ended.
ExceptionQuery week()
{
    return {day("2026-06-08"), day("2026-06-14"), {}, {}};
}

ExceptionRules settled()
{
    ExceptionRules rules;
    rules.now = clockFace("2026-07-01 00:00");
    return rules;
}
} // namespace

TEST(PunchExceptions, EachKindAndEachThresholdEdge)
{
    const struct {
        const char* name;
        std::vector<Punch> punches;
        QStringList expected;
        std::function<void(ExceptionRules&)> change = nullptr;
    } cases[] = {
        {"a clean day", {{"2026-06-08 08:00", In}, {"2026-06-08 17:00", Out}}, {}},
        {"forced OUT", {{"2026-06-08 08:00", In}, {"2026-06-08 08:01", Out, Mark::Forced}}, {"forced#2"}},
        {"IN alone", {{"2026-06-08 08:00", In}}, {"no-out#1"}},
        {"IN alone, its workday not over yet",
         {{"2026-06-08 08:00", In}},
         {},
         [](ExceptionRules& r) {
             r.now = clockFace("2026-06-08 23:59:59");
         }},
        {"IN alone, its workday just over",
         {{"2026-06-08 08:00", In}},
         {"no-out#1"},
         [](ExceptionRules& r) {
             r.now = clockFace("2026-06-09 00:00");
         }},
        {"IN, then the next day's shift",
         {{"2026-06-08 08:00", In}, {"2026-06-09 08:00", In}, {"2026-06-09 17:00", Out}},
         {"no-out#1", "double-in#2"}},
        // An OUT within the forced clock-out's limit closes the IN across the workday's start.
        {"night shift across midnight, workdays from midnight",
         {{"2026-06-08 22:00", In}, {"2026-06-09 06:00", Out}},
         {}},
        {"night shift OUT exactly at the limit", {{"2026-06-08 18:00", In}, {"2026-06-09 06:00", Out}}, {}},
        {"night shift OUT a second past the limit",
         {{"2026-06-08 18:00", In}, {"2026-06-09 06:00:01", Out}},
         {"no-out#1", "no-in#2", "long-shift#2"}},
        {"night shift by a shorter limit",
         {{"2026-06-08 22:00", In}, {"2026-06-09 06:00", Out}},
         {"no-out#1", "no-in#2"},
         [](ExceptionRules& r) {
             r.closingWithinSeconds = 4 * 3600;
         }},
        {"only an OUT closes a night IN",
         {{"2026-06-08 22:00", In}, {"2026-06-09 06:00", In}, {"2026-06-09 14:00", Out}},
         {"no-out#1", "double-in#2"}},
        {"a night IN alone is open until the limit has passed",
         {{"2026-06-08 22:00", In}},
         {},
         [](ExceptionRules& r) {
             r.now = clockFace("2026-06-09 09:59:59");
         }},
        {"a night IN alone once the limit has passed",
         {{"2026-06-08 22:00", In}},
         {"no-out#1"},
         [](ExceptionRules& r) {
             r.now = clockFace("2026-06-09 10:00");
         }},
        {"night shift within a workday from 18:00",
         {{"2026-06-08 22:00", In}, {"2026-06-09 06:00", Out}},
         {},
         [](ExceptionRules& r) {
             r.workdays.workdayStartMinutes = 18 * 60;
         }},
        {"OUT exactly at the next workday's start belongs to it",
         {{"2026-06-08 20:00", In}, {"2026-06-09 06:00", Out}},
         {"no-out#1", "no-in#2"},
         [](ExceptionRules& r) {
             r.workdays.workdayStartMinutes = 6 * 60;
             r.closingWithinSeconds = 3600;
         }},
        {"OUT alone", {{"2026-06-08 17:00", Out}}, {"no-in#1"}},
        {"two OUTs",
         {{"2026-06-08 08:00", In}, {"2026-06-08 12:00", Out}, {"2026-06-08 17:00", Out}},
         {"double-out#3"}},
        {"12:00 is no long shift", {{"2026-06-08 07:00", In}, {"2026-06-08 19:00", Out}}, {}},
        {"12:01 is", {{"2026-06-08 07:00", In}, {"2026-06-08 19:01", Out}}, {"long-shift#2"}},
        {"a second past 12:00 is",
         {{"2026-06-08 07:00", In}, {"2026-06-08 19:00:01", Out}},
         {"long-shift#2"}},
        {"a long shift by the rules' threshold",
         {{"2026-06-08 07:00", In}, {"2026-06-08 15:01", Out}},
         {"long-shift#2"},
         [](ExceptionRules& r) {
             r.longShiftSeconds = 8 * 3600;
         }},
        {"119 s is a quick repeat",
         {{"2026-06-08 08:00:00", In},
          {"2026-06-08 08:01:59", Out},
          {"2026-06-08 17:00", In},
          {"2026-06-08 18:00", Out}},
         {"quick-repeat#2"}},
        {"120 s is not", {{"2026-06-08 08:00:00", In}, {"2026-06-08 08:02:00", Out}}, {}},
        {"a double scan",
         {{"2026-06-08 08:00:00", In}, {"2026-06-08 08:00:03", In}, {"2026-06-08 17:00", Out}},
         {"double-in#2", "quick-repeat#2"}},
        {"marks",
         {{"2026-06-08 08:10", In, Mark::InLate}, {"2026-06-08 16:00", Out, Mark::OutEarly}},
         {"late-in#1", "early-out#2"}},
        {"other marks are no exception",
         {{"2026-06-08 07:50", In, Mark::InEarly}, {"2026-06-08 17:10", Out, Mark::OutLate}},
         {}},
        {"an IN sent late after another station's IN",
         {{"2026-06-08 08:00", In, Mark::Normal, 1},
          {"2026-06-08 17:00", Out, Mark::Normal, 2},
          {"2026-06-08 07:58", In, Mark::Normal, 3}},
         {"out-of-step#3", "double-in#1"}},
        {"a punch sent late that keeps the pairs in step",
         {{"2026-06-08 17:00", Out, Mark::Normal, 2},
          {"2026-06-08 08:00", In, Mark::Normal, 3},
          {"2026-06-09 08:00", In, Mark::Normal, 1},
          {"2026-06-09 17:00", Out, Mark::Normal, 4}},
         {}},
        {"an inserted record is the editor's, not a station's",
         {{"2026-06-08 08:00", In, Mark::Normal, 1},
          {"2026-06-08 17:00", Out, Mark::Normal, 2},
          {"2026-06-08 12:00", Out, Mark::Inserted, 3}},
         {"double-out#2"}},
        {"rows either side of the week count as neighbours only",
         {{"2026-06-07 23:00", In},
          {"2026-06-08 01:00", Out},
          {"2026-06-14 23:00", In},
          {"2026-06-15 05:00", Out},
          {"2026-06-15 09:00", Out}},
         {},
         [](ExceptionRules& r) {
             r.workdays.workdayStartMinutes = 22 * 60;
         }},
        {"a blank ID is nobody's", {{"2026-06-08 08:00", In, Mark::Normal, 0, "  "}}, {}},
        {"an ID in other letter case is the same employee",
         {{"2026-06-08 08:00", In, Mark::Normal, 0, "a1"}, {"2026-06-08 17:00", Out, Mark::Normal, 0, " A1"}},
         {}},
        {"the list runs in time order across employees",
         {{"2026-06-08 17:00", Out, Mark::Normal, 0, "B"},
          {"2026-06-08 09:00", Out, Mark::Normal, 0, "A"},
          {"2026-06-08 12:00", Out, Mark::Normal, 0, "C"}},
         {"no-in#2", "no-in#3", "no-in#1"}},
        {"a hook flags a change to a locked day",
         {{"2026-06-08 08:00", In, Mark::Edited}, {"2026-06-08 17:00", Out}},
         {"edited-after-lock#1"},
         [](ExceptionRules& r) {
             r.editedAfterLock = [](const ReportRow& row) -> std::optional<QString> {
                 if (row.options == qint16(Mark::Edited))
                     return QStringLiteral("changed");
                 return std::nullopt;
             };
         }},
    };
    for (const auto& c : cases) {
        ExceptionRules rules = settled();
        if (c.change)
            c.change(rules);
        EXPECT_EQ(found(PunchExceptions::find(rowsOf(c.punches), week(), rules)),
                  c.expected.join(QLatin1Char(' ')).toStdString())
            << c.name;
    }
}

TEST(PunchExceptions, OneEmployeeOrOneDepartment)
{
    const QList<ReportRow> rows = rowsOf({{"2026-06-08 09:00", Out, Mark::Normal, 0, "a1", 1},
                                          {"2026-06-08 10:00", Out, Mark::Normal, 0, "B2", 2},
                                          {"2026-06-08 11:00", Out, Mark::Normal, 0, "C3", 1}});
    const struct {
        const char* employee;
        std::optional<qint32> department;
        QStringList expected;
    } cases[] = {
        {"", {}, {"no-in#1", "no-in#2", "no-in#3"}},
        {" A1 ", {}, {"no-in#1"}},
        {"Z9", {}, {}},
        {"", 1, {"no-in#1", "no-in#3"}},
        {"B2", 1, {}},
    };
    for (const auto& c : cases) {
        ExceptionQuery query = week();
        query.employeeId = QString::fromLatin1(c.employee);
        query.department = c.department;
        EXPECT_EQ(found(PunchExceptions::find(rows, query, settled())),
                  c.expected.join(QLatin1Char(' ')).toStdString())
            << c.employee << " " << c.department.value_or(-1);
    }
}

TEST(PunchExceptions, DetailsNameTheOtherRecordAndTheLength)
{
    const QList<ReportRow> rows = rowsOf({{"2026-06-08 07:00", In},
                                          {"2026-06-08 19:00:30", Out},
                                          {"2026-06-08 19:00:50", Out},
                                          {"2026-06-09 08:00", Out}});
    const QList<PunchException> list = PunchExceptions::find(rows, week(), settled());
    QStringList details;
    for (const PunchException& e : list)
        details.append(e.detail);
    EXPECT_EQ(details.join(QLatin1Char('|')).toStdString(),
              (QStringList{QStringLiteral("A shift of 12:00:30, from the IN at 07:00"),
                           QStringLiteral("A second OUT in a row: the one before is at 19:00"),
                           QStringLiteral("20 seconds after the OUT before it"),
                           QStringLiteral("An OUT with no IN before it on its workday"),
                           QStringLiteral("A second OUT in a row: the one before is at 2026-06-08 19:00")}
                   .join(QLatin1Char('|'))
                   .toStdString()));
    ASSERT_FALSE(list.isEmpty());
    EXPECT_EQ(PunchExceptions::timeText(list.first().time).toStdString(), "2026-06-08 19:00:30");
}

TEST(PunchExceptions, ThresholdsComeFromTheSettingsWithinTheirRanges)
{
    const struct {
        const char* key;
        const char* typed;
        bool refused;
    } typed[] = {
        {"exceptions.long_shift", "0:30", false},
        {"exceptions.long_shift", "0:29", true},
        {"exceptions.long_shift", "72:00", false},
        {"exceptions.long_shift", "72:01", true},
        {"exceptions.long_shift", "8", false},
        {"exceptions.long_shift", "eight", true},
        {"exceptions.quick_repeat_seconds", "0", false},
        {"exceptions.quick_repeat_seconds", "3600", false},
        {"exceptions.quick_repeat_seconds", "3601", true},
        {"exceptions.quick_repeat_seconds", "-1", true},
        {"clock.forced_out_time", " Scheduled STOP ", false},
        {"clock.forced_out_time", "noon", true},
    };
    for (const auto& t : typed) {
        SettingsChange change;
        change.set(QString::fromLatin1(t.key), QString::fromLatin1(t.typed));
        EXPECT_EQ(SettingsTable::refusal(change, SettingsRecord()).has_value(), t.refused)
            << t.key << " " << t.typed;
    }

    SettingsRecord settings;
    EXPECT_EQ(settings.exceptionLongShift, 12 * 60);
    EXPECT_EQ(settings.exceptionQuickRepeat, 120);
    const SettingsRecord before = settings;
    SettingsTable::at(QStringLiteral("exceptions.long_shift")).take(QStringLiteral("8:00"), before, settings);
    SettingsTable::at(QStringLiteral("exceptions.quick_repeat_seconds"))
        .take(QStringLiteral("30"), before, settings);
    const ExceptionRules rules = ExceptionRules::of(settings, QDateTime(QDate(2026, 7, 1), QTime(0, 0)));
    const QList<ReportRow> rows = rowsOf({{"2026-06-08 07:00", In},
                                          {"2026-06-08 15:00", Out},
                                          {"2026-06-08 15:00:29", In},
                                          {"2026-06-08 15:00:59", Out},
                                          {"2026-06-09 07:00", In},
                                          {"2026-06-09 15:00:01", Out}});
    EXPECT_EQ(found(PunchExceptions::find(rows, week(), rules)), "quick-repeat#3 long-shift#6");
}
