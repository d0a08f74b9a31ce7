#pragma once

#include <QByteArray>
#include <QString>

class ProgramPaths;

// The files the program keeps for itself (database, staff and setting files, queue, pictures), so
// that no output a user names ever lands on one, and the one way outputs reach the disk.
namespace OwnFiles {
// Empty when `output` may be written; otherwise the reason, naming the file it would replace. The
// comparison goes by the real file (symbolic links and relative names resolved, hard links seen).
QString refusal(const ProgramPaths& paths, const QString& output);

// Writes `bytes` to a temporary file beside `output` and renames it into place, so a failed write
// leaves any earlier file whole. False with the reason (naming the path) in `error`.
bool writeOutput(const QString& output, const QByteArray& bytes, QString* error);
} // namespace OwnFiles
