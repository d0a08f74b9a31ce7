#pragma once

#include <QString>

class ProgramPaths;

// The clock database file as a whole: its template and its creation from it.
namespace ClockFiles {
// Writes the template carried in the program's resources into the program folder when missing.
bool ensureTemplate(const ProgramPaths& paths);
// Creates Clock.mdb from the template when missing. Returns false with a reason when it cannot.
bool ensureClockDatabase(const ProgramPaths& paths, QString* error = nullptr);
// Why the clock database the paths name cannot be used as it stands (a folder missing, not a
// folder, unreadable or too long a path; Clock.mdb missing or unreadable), naming the path; empty
// when it is there to be opened. Creates nothing.
QString existingDatabaseProblem(const ProgramPaths& paths);
} // namespace ClockFiles
