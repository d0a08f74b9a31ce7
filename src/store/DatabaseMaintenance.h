#pragma once
#include "store/Database.h"

#include <QDateTime>
#include <QString>

class ProgramPaths;

// Whole-file work on the clock database: open with checks, repair, upgrade, compact, migrate.
namespace DatabaseMaintenance {
Database::OpenResult openClockDatabase(Database& database, const ProgramPaths& paths);
bool repair(Database& database, const ProgramPaths& paths, QString* error = nullptr);
int layoutVersion(Database& database);
void CheckDBversion(Database& database);
enum class Result { Done, InUse, Failed };
Result compact(Database& database, const ProgramPaths& paths);
Result migrate(Database& database, const ProgramPaths& paths, const QDateTime& now);
QString fileFormatVersion(Database& database); // "4.0" is current
} // namespace DatabaseMaintenance
