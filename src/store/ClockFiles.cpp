#include "store/ClockFiles.h"

#include "platform/ProgramPaths.h"
#include "store/DurableFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

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

namespace {
// The reason a path cannot be reached, in the words of the system (ENOTDIR, EACCES, ENAMETOOLONG).
QString unreachable(const QString& path, bool folder)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat status {};
    if (::stat(native.constData(), &status) != 0) {
        if (errno == ENOENT)
            return {};
        return QStringLiteral("%1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno)).toLower());
    }
    if (folder && !S_ISDIR(status.st_mode))
        return QStringLiteral("%1 is not a folder").arg(path);
    if (!folder && !S_ISREG(status.st_mode))
        return QStringLiteral("%1 is not a file").arg(path);
    if (::access(native.constData(), folder ? (R_OK | X_OK) : R_OK) != 0)
        return QStringLiteral("%1 cannot be read: %2")
            .arg(path, QString::fromLocal8Bit(std::strerror(errno)).toLower());
    return {};
}
} // namespace

QString ClockFiles::existingDatabaseProblem(const ProgramPaths& paths)
{
    const QString missing =
        QStringLiteral("No clock database in %1: start the program there once, or name the right folder");
    for (const QString& folder : {paths.programFolder(), paths.dataFolder()}) {
        if (const QString problem = unreachable(folder, true); !problem.isEmpty())
            return problem;
        if (!QFileInfo::exists(folder))
            return missing.arg(folder);
    }
    const QString database = paths.clockDatabase();
    if (!QFileInfo::exists(database))
        return missing.arg(paths.dataFolder());
    return unreachable(database, false);
}

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
