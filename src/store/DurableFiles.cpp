#include "store/DurableFiles.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {
bool syncPath(const QString& path, int flags)
{
    const QByteArray native = QFile::encodeName(path);
    int fd = -1;
    do {
        fd = ::open(native.constData(), flags | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return false;
    int rc = 0;
    do {
        rc = ::fsync(fd);
    } while (rc != 0 && errno == EINTR);
    ::close(fd);
    return rc == 0;
}

QString folderOf(const QString& path)
{
    return QFileInfo(path).absolutePath();
}
} // namespace

bool DurableFiles::syncFile(const QString& path)
{
    return syncPath(path, O_RDONLY);
}

bool DurableFiles::syncFolder(const QString& folder)
{
    return syncPath(folder, O_RDONLY | O_DIRECTORY);
}

bool DurableFiles::replace(const QString& from, const QString& to)
{
    // QFile::rename refuses an existing target; rename(2) swaps the name in one step.
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        return false;
    syncFolder(folderOf(to));
    return true;
}

bool DurableFiles::copy(const QString& from, const QString& to)
{
    const QString partial = to + QStringLiteral(".partial");
    QFile::remove(partial);
    if (!QFile::copy(from, partial))
        return false;
    QFile::setPermissions(partial, QFile::permissions(partial) | QFileDevice::WriteOwner);
    if (!syncFile(partial) || !replace(partial, to)) {
        QFile::remove(partial);
        return false;
    }
    return true;
}

bool DurableFiles::removeIfPresent(const QString& path)
{
    if (!QFileInfo::exists(path))
        return true;
    return QFile::remove(path);
}
