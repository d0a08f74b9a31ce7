#pragma once

#include "store/StaffFiles.h"

#include <QString>
#include <functional>
#include <optional>

class ProgramPaths;
struct Services;
class Session;

// Puts edited staff lists into effect: both staff files replaced together, the lists read back into
// the session, and today's staff table rebuilt so the clock knows the change at once.
namespace StaffSaving {
// Renames a finished temporary file over its target; tests replace it to fail half-way.
using Replace = std::function<bool(const QString& from, const QString& to)>;

enum class Status { Saved, FilesNotWritten, TableNotRebuilt };

struct Outcome {
    Status status = Status::Saved;
    QString message; // for the user, when not saved
};

// Writes the given lists (nullopt leaves that file alone) through temporary names; the files are
// replaced only once every new file is complete, and a replacement that fails puts the files
// already replaced back, so either all files change or none does.
bool writeFiles(const ProgramPaths& paths, const std::optional<QList<Employee>>& employees,
                const std::optional<QList<Department>>& departments, const Replace& replace = {});

// Writes, reloads both lists into the state and, when the staff of this program is the employee
// source, rebuilds today's staff table. A table that cannot be rebuilt leaves the files saved.
Outcome save(const Services& services, Session& session, const std::optional<QList<Employee>>& employees,
             const std::optional<QList<Department>>& departments, const Replace& replace = {});
// Today's staff table rebuilt from the staff files, and the lists taken from what was read; the
// error's text for the user when the table could not be written.
std::optional<QString> rebuildTodaysStaff(const Services& services, Session& session);
} // namespace StaffSaving
