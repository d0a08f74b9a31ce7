#include "store/ClockFiles.h"

#include "platform/ProgramPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
// A copy goes to a temporary name first so a crash never leaves half a database behind.
bool copyAtomically(const QString& from, const QString& to, QString* error)
{
    const QString partial = to + QStringLiteral(".partial");
    QFile::remove(partial);
    if (!QFile::copy(from, partial)) {
        if (error)
            *error = QStringLiteral("Cannot copy %1 to %2").arg(from, to);
        return false;
    }
    QFile::setPermissions(partial, QFile::permissions(partial) | QFileDevice::WriteOwner);
    if (!QFile::rename(partial, to)) {
        QFile::remove(partial);
        if (error)
            *error = QStringLiteral("Cannot create %1").arg(to);
        return false;
    }
    return true;
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
    if (QFileInfo::exists(database))
        return true;
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
