#pragma once

#include "pay/PayRules.h"
#include "store/ReportRows.h"

#include <QList>
#include <QString>
#include <functional>
#include <optional>

class Database;

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

    friend bool operator==(const PunchException&, const PunchException&) = default;
};

// Which punches to look at.
struct ExceptionQuery {
    qint32 firstDay = 0; // day numbers, both included
    qint32 lastDay = 0;
    QString employeeId;               // empty: everyone
    std::optional<qint32> department; // none: every department
};

// When a punch is an exception.
struct ExceptionRules {
    PayRules workdays; // only the workday start is read: an IN is open until its workday ends
    qint64 longShiftSeconds = 12 * 3600; // a pair longer than this is a long shift
    qint64 quickRepeatSeconds = 120;     // a punch sooner than this after the one before repeats it
    // Clock-face seconds of now: an IN whose workday has not ended yet is not missing its OUT.
    qint64 now = 0;
    // The detail text when the record was changed after its day's pay period was locked; nothing
    // when it was not (no period is locked while this is unset).
    std::function<std::optional<QString>(const ReportRow&)> editedAfterLock;
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
// Reads the rows and finds the exceptions. Throws DatabaseError.
QList<PunchException> load(Database& database, const ExceptionQuery& query, const ExceptionRules& rules);
// "yyyy-MM-dd HH:mm:ss" of clock-face seconds.
QString timeText(qint64 clockFace);
} // namespace PunchExceptions
