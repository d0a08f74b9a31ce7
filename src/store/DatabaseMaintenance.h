#pragma once
#include "store/Database.h"

#include <QDateTime>
#include <QString>
#include <optional>
class ProgramPaths;
// Whole-file work on the clock database: open with checks, repair, upgrade, compact, migrate.
namespace DatabaseMaintenance {
// Creates Clock.mdb from the template when missing (ClockFiles::ensureClockDatabase), opens it and checks it:
// InUse when another process holds it locked (a write transaction or exclusive lock), ReadOnly when it cannot
// be written (also when it cannot be created or opened at all), Damaged when it is not a database, has
// corrupt pages or lacks one of the clock tables. The checks wait only briefly for another program's lock.
Database::OpenResult openClockDatabase(Database& database, const ProgramPaths& paths);
// The same checks on the database as it is, for a command: nothing is created (a missing folder or
// file is NotFound with the reason), and with readOnly nothing is written.
Database::OpenResult openExistingClockDatabase(Database& database, const ProgramPaths& paths, bool readOnly);
// Salvages every readable row of every table into Clock.CPD (fresh from the template layout), then atomically
// replaces Clock.mdb with it and reopens. False with a reason when nothing could be done (Clock.mdb
// untouched) or when the repaired file does not open.
bool repair(Database& database, const ProgramPaths& paths, QString* error = nullptr);
// Layout version from table Application field Version (Null -> 0).
int layoutVersion(Database& database);
// Brings the file to the newest layout of its schema files in one transaction, recording the layout
// reached; nothing when it is usable, else why not (a layout newer than this program knows, a step
// that failed: the file is left as it was). A file opened read-only is only checked: an older layout
// is the reason then.
std::optional<QString> upgrade(Database& database);
// True when the file's layout is older than the newest (or cannot be read).
bool needsUpgrade(Database& database);
enum class Result { Done, InUse, Failed };
// Rewrites Clock.mdb without its free space. The database is open again afterwards, whatever the result.
Result compact(Database& database, const ProgramPaths& paths);
// Keeps "Clock_" + yyyyMMdd_hhmmss + ".MDB" as the database was, and rewrites Clock.mdb in the current
// format.
Result migrate(Database& database, const ProgramPaths& paths, const QDateTime& now);
// "4.0" for this program's current file format; see docs/architecture.md for older ones.
QString fileFormatVersion(Database& database);

// The layout number the settings row carries after the upgrade, which older releases read.
inline constexpr int currentLayoutVersion = 6;
// PRAGMA user_version of a file in the current format.
inline constexpr int currentFormatStamp = 40;
inline constexpr int currentPageSize = 4096;
} // namespace DatabaseMaintenance
