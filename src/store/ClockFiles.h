#pragma once

#include <QString>

class ProgramPaths;

// The clock database file as a whole: its template and its creation from it.
namespace ClockFiles {
// Writes the template carried in the program's resources into the program folder when missing.
bool ensureTemplate(const ProgramPaths& paths);
// Creates Clock.mdb from the template when missing. Returns false with a reason when it cannot.
bool ensureClockDatabase(const ProgramPaths& paths, QString* error = nullptr);
} // namespace ClockFiles
