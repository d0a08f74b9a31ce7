#include "store/PathFile.h"

#include "platform/ProgramPaths.h"
#include "store/Windows1252.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringDecoder>

namespace {
QString pathFile(const ProgramPaths& paths)
{
    return paths.findInProgramFolder(PathFile::fileName());
}

// Written here the text is UTF-8; a file carried over from Windows is in its ANSI code page.
QString decodeLine(const QByteArray& line)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(line);
    if (utf8.hasError())
        text = Windows1252::decode(line);
    return text;
}

QByteArray firstLine(const QByteArray& bytes)
{
    qsizetype end = bytes.indexOf('\r');
    const qsizetype lf = bytes.indexOf('\n');
    if (end < 0 || (lf >= 0 && lf < end))
        end = lf;
    return end < 0 ? bytes : bytes.left(end);
}
} // namespace

QString PathFile::fileName()
{
    return QStringLiteral("RtmPath.DAT");
}

QString PathFile::localFolder(const QString& folderText)
{
    QString folder = folderText.trimmed();
    folder.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return folder;
}

bool PathFile::sameFolder(const QString& a, const QString& b)
{
    return localFolder(a).toUpper() == localFolder(b).toUpper();
}

PathFile::State PathFile::read(const ProgramPaths& paths, Trouble* trouble)
{
    Trouble found;
    const auto finish = [&](const State& state) {
        if (trouble)
            *trouble = found;
        return state;
    };
    State state;
    state.dataFolder = paths.programFolder();
    const QString path = pathFile(paths);
    QFile file(path);
    QString text;
    if (file.open(QIODevice::ReadOnly))
        text = decodeLine(firstLine(file.readAll())).trimmed();
    else
        found.unreadable = file.exists();
    file.close();
    QString folder = localFolder(text);
    if (folder.isEmpty())
        return finish(state);
    // A drive letter or a network name of Windows names no folder here: taken as it stands it would
    // be a relative name, somewhere else entirely.
    static const QRegularExpression windowsPath(QStringLiteral("^([A-Za-z]:|\\\\)"));
    if (windowsPath.match(text).hasMatch()) {
        found.problem = QStringLiteral("%1 names the Windows folder %2; write the folder as this computer "
                                       "names it (for example /srv/rostermill)")
                            .arg(QDir::toNativeSeparators(path), text);
    } else if (QDir::isRelativePath(folder)) {
        folder = QDir::cleanPath(QDir(paths.programFolder()).filePath(folder));
    }
    state.dataFolder = folder;
    state.source = sameFolder(folder, paths.programFolder()) ? EmployeeSource::LocalFiles
                                                             : EmployeeSource::SchedulingDatabase;
    return finish(state);
}

bool PathFile::writeNewPath(const ProgramPaths& paths, const QString& folder, const QString& chosenFileName,
                            State& state)
{
    QSaveFile file(pathFile(paths));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = folder.toUtf8() + QByteArrayLiteral("\r\n\r\n");
    if (file.write(bytes) != bytes.size() || !file.commit())
        return false;
    state.dataFolder = localFolder(folder);
    if (sameFolder(folder, paths.programFolder()))
        state.source = EmployeeSource::LocalFiles;
    if (chosenFileName.toUpper().contains(QLatin1String("RTM.MDB")))
        state.source = EmployeeSource::SchedulingDatabase;
    return true;
}

void PathFile::remove(const ProgramPaths& paths, State& state)
{
    QFile::remove(pathFile(paths));
    state.source = EmployeeSource::None;
}

QString PathFile::clockDataFolder(const ProgramPaths& paths, const State& state)
{
    return state.source == EmployeeSource::LocalFiles ? paths.programFolder() : state.dataFolder;
}
