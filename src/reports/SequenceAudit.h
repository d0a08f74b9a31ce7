#pragma once

#include "reports/ReportPeriod.h"
#include "store/ClockRecord.h"

#include <QList>
#include <QLocale>
#include <QStringList>
#include <functional>

class Database;

// The audit of the order of appending: every row whose time is earlier than that of the row
// appended just before it, over all employees, for a period of days.
namespace SequenceAudit {
using Period = ReportPeriod::Days;
// The audit can run once both days are chosen.
bool canRun(Period period);

struct Violation {
    ClockRecord row;      // the row that goes back in time
    ClockRecord previous; // the row appended just before it
};
struct Result {
    bool tableEmpty = false; // "No records found.."
    QList<Violation> violations;
};
Result run(Database& database, Period period);

inline const QString noRecordsText = QStringLiteral("No records found..");
inline const QString noRecordsTitle = QStringLiteral("No records");
inline const QString noViolationsText = QStringLiteral("No violations found....");

// Tells how a row was edited or inserted, for one more line under it; empty when it was not.
using ChangeNote = std::function<QString(const ClockRecord& row)>;

// The list lines: four per violation, or the one line that says there are none.
QStringList lines(const Result& result, bool clock12Hour, const QLocale& locale,
                  const ChangeNote& changeNote = {});

inline const QString frameHelp = QStringLiteral(
    "A new record is writen every time an employee click in or out. The recorded time should therefore be "
    "later than that on the previous record. This function will audit that sequence. If listed, either the "
    "record was changed to be out of sequence or the System clock was changed before clocking in or out.");
inline const QString listHelp = QStringLiteral(
    "A new record is writen every time an employee click in or out. The recorded time should therefore be "
    "later then that on the previous record. This function will audit that sequence. If listed, either the "
    "record was changed or the System clock before clocking in or out.");
} // namespace SequenceAudit

namespace SequenceAudit {
// The latest hand change of a row from the edit history, as one indented line:
// "    Edited 2026-12-09 10:00 by manager: Time 16:02 → 12:00, Edited". Database errors are thrown.
ChangeNote changeNotes(Database& database, bool clock12Hour);
} // namespace SequenceAudit
