#include "store/OwnFiles.h"

#include "platform/ProgramPaths.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <sys/stat.h>

namespace {
// Names compared without regard to case, as the program itself finds them.
const char* const ownNames[] = {
    "Clock.mdb",   "Clock.jan", "Clock.CPD", "Clock.ldb",   "Empl.DAT",   "Dept.DAT",
    "RtmPath.DAT", "Print.Dat", "Queue.db",  "Station.ini", "Camera.Dat", "Tellarin.lock",
    "In.Wav",      "Out.Wav",   "Error.Wav", "RTM.MDB",
};

// A database's companions share its fate: writing over Clock.mdb-wal loses the latest punches.
bool isOwnName(const QString& name)
{
    static const QRegularExpression sideFile(QStringLiteral("(-wal|-shm|-journal|\\.partial)$"),
                                             QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression migrated(QStringLiteral("^Clock_\\d{8}_\\d{6}\\.MDB$"),
                                             QRegularExpression::CaseInsensitiveOption);
    QString base = name;
    base.remove(sideFile);
    if (migrated.match(base).hasMatch())
        return true;
    for (const char* own : ownNames) {
        if (base.compare(QLatin1String(own), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// The path with every symbolic link and relative step resolved, also for a file not yet there
// (its folder resolved) and for a link that points at one.
QString realPath(const QString& path)
{
    QFileInfo info(QDir::cleanPath(QDir::current().absoluteFilePath(path)));
    for (int hops = 0; info.isSymLink() && hops < 40; ++hops) {
        const QString target = info.symLinkTarget();
        if (target.isEmpty())
            break;
        info = QFileInfo(target);
    }
    if (info.exists())
        return info.canonicalFilePath();
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return (folder.isEmpty() ? info.absolutePath() : folder) + QLatin1Char('/') + info.fileName();
}

QString realFolder(const QString& folder)
{
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(folder) : canonical;
}

bool sameFile(const QString& a, const QString& b)
{
    struct stat sa {};
    struct stat sb {};
    return ::stat(QFile::encodeName(a).constData(), &sa) == 0 &&
           ::stat(QFile::encodeName(b).constData(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

bool within(const QString& path, const QString& folder)
{
    return path.startsWith(folder + QLatin1Char('/'));
}
} // namespace

QString OwnFiles::refusal(const ProgramPaths& paths, const QString& output)
{
    const QString target = realPath(output);
    const QString why = QStringLiteral("%1 is the program's own file %2; name another file for the output");
    for (const QString& folder : {paths.programFolder(), paths.dataFolder()}) {
        const QString real = realFolder(folder);
        const QFileInfo info(target);
        if (realFolder(info.absolutePath()) == real && isOwnName(info.fileName()))
            return why.arg(output, QDir::toNativeSeparators(target));
        const QString pictures = realFolder(QDir(folder).filePath(QStringLiteral("Pictures")));
        if (within(target, pictures))
            return why.arg(output, QDir::toNativeSeparators(target));
        // A hard link, or the same folder reached through a mount, is the same file by another name.
        const QStringList entries = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
        for (const QString& entry : entries) {
            if (isOwnName(entry) && sameFile(target, QDir(folder).filePath(entry)))
                return why.arg(output, QDir(folder).filePath(entry));
        }
    }
    return {};
}

bool OwnFiles::writeOutput(const QString& output, const QByteArray& bytes, QString* error)
{
    QSaveFile file(output);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    if (error)
        *error = QStringLiteral("cannot write %1: %2").arg(output, file.errorString());
    return false;
}
