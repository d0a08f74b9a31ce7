#pragma once

#include "pay/PayRules.h"
#include "reports/ReportPeriod.h"
#include "store/ReportRows.h"
#include "store/ResolvedExceptions.h"

#include <QList>
#include <QString>
#include <functional>
#include <optional>

class Database;
struct Employee;
struct SettingsRecord;

// What about a punch needs a manager's decision.
enum class ExceptionKind {
    Forced,
    NoOut,
    NoIn,
    DoubleIn,
    DoubleOut,
    LongShift,
    QuickRepeat,
    LateIn,
    EarlyOut,
    OutOfStep,
    EditedAfterLock,
};

// One punch that needs a decision: the record it is about (for a missing OUT, the IN left open).
struct PunchException {
    ExceptionKind kind = ExceptionKind::Forced;
    qint64 recordNumber = 0;
    QString employeeId;
    QString employee;
    qint64 time = 0; // the record's clock-face seconds, as ReportRow keeps them
    QString detail;
    // The records the exception was judged on as they are now: a resolution holds while they stay so.
    QString basis;
    // The manager's decision to let it stand; nothing while it is open.
    std::optional<Resolution> resolution;

    friend bool operator==(const PunchException&, const PunchException&) = default;
};

// Which punches to look at.
struct ExceptionQuery {
    qint32 firstDay = 0; // day numbers, both included
    qint32 lastDay = 0;
    QString employeeId;               // empty: everyone
    std::optional<qint32> department; // none: every department
    bool includeResolved = false;     // also the exceptions a manager has resolved
};

// When a punch is an exception.
struct ExceptionRules {
    PayRules workdays; // only the workday start is read: an IN is open until its workday ends
    qint64 longShiftSeconds = 12 * 3600; // a pair longer than this is a long shift
    qint64 quickRepeatSeconds = 120;     // a punch sooner than this after the one before repeats it
    // An OUT this soon after an IN closes it even in the next workday: a night shift, not a
    // forgotten OUT and an OUT with no IN. The forced clock-out's limit.
    qint64 closingWithinSeconds = 12 * 3600;
    // Clock-face seconds of now: an IN whose workday has not ended yet is not missing its OUT.
    qint64 now = 0;
    // The detail text when the record was changed after its day's pay period was locked; nothing
    // when it was not (no period is locked while this is unset).
    std::function<std::optional<QString>(const ReportRow&)> editedAfterLock;

    // The rules the settings choose (workday, thresholds, the forced clock-out's limit), as of now.
    static ExceptionRules of(const SettingsRecord& settings, const QDateTime& now);
};

// Lists the punches of a period that need a manager's decision, in time order.
namespace PunchExceptions {
// The kind as the command line and the list name it: "forced", "no-out", ...
QString kindName(ExceptionKind kind);
std::optional<ExceptionKind> kindNamed(QStringView name);
// The days whose rows find() needs: the neighbours of the period's records on either side.
std::pair<qint32, qint32> rowDays(const ExceptionQuery& query);
// The exceptions among rows read for rowDays(query), in any order, ordered by time, then record
// number, then kind.
QList<PunchException> find(const QList<ReportRow>& rows, const ExceptionQuery& query,
                           const ExceptionRules& rules);
// Reads the rows and finds the exceptions, each with its resolution while that still holds; the
// resolved ones only when the query asks for them. Throws DatabaseError.
QList<PunchException> load(Database& database, const ExceptionQuery& query, const ExceptionRules& rules);
// Lets the record's exception of that kind stand, with the note, in the edit history too. Returns it
// resolved; nothing when the record has no such exception (any more). Throws DatabaseError.
std::optional<PunchException> resolve(Database& database, qint64 recordNumber, ExceptionKind kind,
                                      const QString& note, const ExceptionRules& rules,
                                      const EditStamp& stamp);
// The quick period around today, its weeks the workweeks of the pay settings.
ExceptionQuery quickPeriod(ReportPeriod::Quick choice, const SettingsRecord& settings, const QDate& today);
// How many exceptions of this workweek are open, as the opening window tells. Throws DatabaseError.
qsizetype openThisWeek(Database& database, const SettingsRecord& settings, const QDateTime& now);
// Gives the exceptions of records stored without a name (typed in by hand, or by a clock without an
// employee list) the name the staff list has for the ID.
void nameFromStaff(QList<PunchException>& list, const QList<Employee>& staff);
// "yyyy-MM-dd HH:mm:ss" of clock-face seconds.
QString timeText(qint64 clockFace);
} // namespace PunchExceptions
