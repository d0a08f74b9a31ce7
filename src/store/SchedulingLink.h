#pragma once

#include "store/SchedulingReader.h"
#include "store/StaffFiles.h"
#include "store/StaffTable.h"

#include <QDate>
#include <QList>
#include <QVariant>
#include <functional>

class Database;
class MessageBoxes;
class ProgramPaths;
class QWidget;

// Today's employees and schedules from the scheduling product's database into the "Employee" table.
namespace SchedulingLink {
struct Period {
    qint16 start = 0;
    qint16 stop = 0;
    bool operator==(const Period&) const = default;
};
// The day's `Starts & Stops`: starts of up to seven periods in characters 1 to 7, their stops in 8 to
// 14, each the character code less 32; a period counts when its stop code is 33 or more. The start
// is period 1's when present (else 0), the stop the last present period's (else 0). A Null or short
// text counts as blanks.
Period decodeStartsAndStops(const QVariant& text);
// The trimmed last name, followed by a blank and the trimmed first name when there is one.
QString employeeName(const QVariant& lastName, const QVariant& firstName);

struct Snapshot {
    DepartmentList departments;
    QList<StaffRow> rows;
    bool blankEmployeeId = false; // an active employee's ID is empty or blanks
};
// Reads departments, active employees and their schedules of the day. Throws SchedulingError.
Snapshot read(SchedulingReader& reader, QDate today);
// Opens the file, reads and closes it again, so the scheduling program finds it free afterwards.
Snapshot readFile(const QString& path, QDate today);
// Replaces the rows of the "Employee" table in one transaction. Throws DatabaseError.
void store(Database& database, const Snapshot& snapshot);

// What the program does after a failed load; the message has already been shown.
enum class Reaction { TryAgain, EndProgram, GoOn };
// Shows the failure in the words the manager knows: a locked file is "in use" and ends the program;
// a file that may not be read ends it with the problem; a missing table or field is named and the
// clock goes on with the staff it had; anything else asks whether to repair, and Yes tries again.
Reaction reportFailure(const SchedulingError& error, MessageBoxes& messages, QWidget* parent);
} // namespace SchedulingLink

namespace SchedulingLink {
// The folder to name in the path file for a file chosen as the scheduling database, with its
// trailing separator; nothing when the file is not called RTM.MDB (in any letter case).
std::optional<QString> folderOfChosenFile(const QString& chosenFile);
} // namespace SchedulingLink

namespace SchedulingLink {
// RTM.MDB in the data folder, found without regard to letter case (a copy from Windows may be
// called Rtm.mdb); the upper-case name when there is none.
QString fileIn(const ProgramPaths& paths);
} // namespace SchedulingLink

class QObject;

namespace SchedulingLink {
struct Outcome {
    std::optional<Snapshot> snapshot;
    std::optional<SchedulingError> error;
};
// Reads the file on a thread of its own, so a slow network share never stops the clock's screen,
// and hands the outcome to done on the context's thread; nothing is delivered once the context is
// gone. The "Employee" table is left to the caller.
void readInBackground(const QString& path, QDate today, QObject* context,
                      std::function<void(const Outcome&)> done);
} // namespace SchedulingLink

namespace SchedulingLink {
// The options dialog's check of a file chosen as the scheduling database: the folder to write into
// the path file, or nothing when the choice was cancelled (empty) or refused. A file not called
// RTM.MDB is refused with a beep and "The file you selected is not Rtm.mdb"; the caller then selects
// the employee source that was selected before.
std::optional<QString> acceptChosenFile(const QString& chosenFile, MessageBoxes& messages, QWidget* parent);
} // namespace SchedulingLink
