#include "store/ClockFiles.h"

#include "platform/ProgramPaths.h"
#include "store/DurableFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
// A copy goes to a temporary name first so a crash never leaves half a database behind; it is
// renamed over an empty file of the same name.
bool copyAtomically(const QString& from, const QString& to, QString* error)
{
    if (DurableFiles::copy(from, to))
        return true;
    if (error)
        *error = QStringLiteral("Cannot copy %1 to %2").arg(from, to);
    return false;
}
} // namespace

bool ClockFiles::ensureTemplate(const ProgramPaths& paths)
{
    const QString target = paths.clockTemplate();
    if (QFileInfo::exists(target))
        return true;
    QDir().mkpath(paths.programFolder());
    return copyAtomically(QStringLiteral(":/template/Clock.jan"), target, nullptr);
}

bool ClockFiles::ensureClockDatabase(const ProgramPaths& paths, QString* error)
{
    const QString database = paths.clockDatabase();
    const QFileInfo file(database);
    if (file.exists()) {
        // An empty file is no database anyone wrote into (a copy that never got its first byte): it
        // is as good as missing. Unless a WAL beside it holds the pages, which SQLite reads first.
        if (!file.isFile() || file.size() > 0 || QFileInfo(database + QStringLiteral("-wal")).size() > 0)
            return true;
        // The template takes its name; a journal or shared-memory file of the empty one would be
        // played into the template.
        QFile::remove(database + QStringLiteral("-wal"));
        QFile::remove(database + QStringLiteral("-shm"));
        QFile::remove(database + QStringLiteral("-journal"));
    }
    // Only the program's own folder is made on demand: a data folder named in the path file that
    // is missing (a network share not mounted, a Windows path) must not quietly become a new,
    // empty clock database.
    const bool ownFolder = paths.dataFolder() == paths.programFolder();
    if (!(ownFolder ? QDir().mkpath(paths.dataFolder()) : QFileInfo(paths.dataFolder()).isDir())) {
        if (error)
            *error = QStringLiteral("Path not found: %1").arg(paths.dataFolder());
        return false;
    }
    ensureTemplate(paths);
    if (!QFileInfo::exists(paths.clockTemplate())) {
        if (error)
            *error = QStringLiteral("The template %1 is missing").arg(paths.clockTemplate());
        return false;
    }
    return copyAtomically(paths.clockTemplate(), database, error);
}
