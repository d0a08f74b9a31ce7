#include "FakeTimeSource.h"
#include "platform/ProgramPaths.h"
#include "shell/CommandLine.h"
#include "store/ClockFiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

namespace {
struct Outcome {
    int code;
    QString out;
    QString err;
};

Outcome run(const QStringList& words)
{
    QString outText, errText;
    QTextStream out(&outText), err(&errText);
    FakeTimeSource time{QDateTime(QDate(2026, 12, 4), QTime(8, 0))};
    const int code = CommandLine::runWith(QStringList{QStringLiteral("tellarin")} + words, time, out, err);
    out.flush();
    err.flush();
    return {code, outText, errText};
}

void put(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Every file under the folder with its checksum: what a command must leave as it found it.
std::string checksums(const QString& folder)
{
    QStringList sums;
    QDirIterator it(folder, QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        sums.append(path + QLatin1Char(' ') +
                    (file.open(QIODevice::ReadOnly)
                         ? QString::fromLatin1(
                               QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex())
                         : QStringLiteral("(folder)")));
    }
    sums.sort();
    return sums.join(QLatin1Char('\n')).toStdString();
}

// A program folder with its clock database, as a first start of the windows leaves it.
QString startedFolder(const QTemporaryDir& dir, const QString& name = QStringLiteral("program"))
{
    const QString folder = dir.filePath(name);
    QDir().mkpath(folder);
    EXPECT_TRUE(ClockFiles::ensureClockDatabase(ProgramPaths(folder)));
    return folder;
}
} // namespace

TEST(HostileCommandLine, MissingEmptyOrRepeatedValuesAreBadArguments)
{
    QTemporaryDir dir;
    const QString folder = startedFolder(dir);
    const QString other = startedFolder(dir, QStringLiteral("other"));
    const struct {
        QStringList words;
        const char* err;
    } cases[] = {
        {{"--program-folder", "", "who-is-in"}, "tellarin: --program-folder needs a value\n"},
        {{"--program-folder=", "who-is-in"}, "tellarin: --program-folder needs a value\n"},
        {{"who-is-in", "--program-folder"}, "tellarin: --program-folder needs a value\n"},
        {{"--program-folder", folder, "--program-folder", other, "who-is-in"},
         "tellarin: --program-folder is given twice\n"},
        {{"--program-folder", folder, "records", "--id", "E1", "--id", "E2"},
         "records: --id is given twice\n"},
        {{"--program-folder", folder, "records", "--id"}, "records: --id needs a value\n"},
        {{"--program-folder", folder, "records", "--id", " "}, "records: --id needs a value\n"},
        {{"--program-folder", folder, "records", "--id", "--from", "2026-12-01"},
         "records: --id needs a value\n"},
        {{"--program-folder", folder, "report", "--from", "2026-12-01", "--to="},
         "report: --to needs a value\n"},
        {{"--program-folder", folder, "audit", "--from", "2026-12-01", "--from", "2026-12-02"},
         "audit: --from is given twice\n"},
        {{"--program-folder", folder, "who-is-in", "--days", "2", "--days", "3"},
         "who-is-in: --days is given twice\n"},
        {{"--program-folder", folder, "purge", "--before"}, "purge: --before needs a value\n"},
        {{"--program-folder", folder, "history", "--verify", "--verify"},
         "history: --verify is given twice\n"},
        {{"--program-folder", folder, "employees", "export", "a.csv", "b.csv"},
         "employees: unexpected \"b.csv\"\n"},
        {{"--program-folder", folder, "who-is-in", "--colour"}, "who-is-in: unknown option \"--colour\"\n"},
    };
    for (const auto& c : cases) {
        const auto before = checksums(dir.path());
        const Outcome r = run(c.words);
        EXPECT_EQ(r.code, CommandLine::BadArguments) << c.words.join(' ').toStdString();
        EXPECT_EQ(r.err, QString::fromUtf8(c.err)) << c.words.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        // A command that writes may have opened the database for writing before it read its options.
        if (!c.words.contains(QStringLiteral("purge"))) {
            EXPECT_EQ(checksums(dir.path()), before) << c.words.join(' ').toStdString();
        }
    }
}

TEST(HostileCommandLine, CommandsAnswerFromTheRightFolderOrRefuse)
{
    QTemporaryDir dir;
    const QString program = startedFolder(dir);
    const QString pathFile = program + QStringLiteral("/RtmPath.DAT");
    const QString bare = dir.filePath(QStringLiteral("bare"));
    put(bare + QStringLiteral("/Empl.DAT"), "1,Adams Ann,A1,1,0,-1,,\r\n");
    put(dir.filePath(QStringLiteral("plain-file")), "not a folder");
    put(dir.filePath(QStringLiteral("damaged/Clock.mdb")), QByteArray(8192, 'x'));
    const struct {
        QString folder;
        QByteArray pathFile; // empty: none
        QString err;         // what standard error starts with
    } cases[] = {
        {dir.filePath(QStringLiteral("mistyped")),
         {},
         QStringLiteral("No clock database in %1: start the program there once, or name the right folder")
             .arg(dir.filePath(QStringLiteral("mistyped")))},
        {bare,
         {},
         QStringLiteral("No clock database in %1: start the program there once, or name the right folder")
             .arg(bare)},
        {dir.filePath(QStringLiteral("plain-file")),
         {},
         dir.filePath(QStringLiteral("plain-file")) + QStringLiteral(" is not a folder")},
        {dir.filePath(QStringLiteral("damaged")),
         {},
         QStringLiteral("Database problem.. Error number is: 26.")},
        {program, dir.filePath(QStringLiteral("unmounted")).toUtf8() + "\r\n\r\n",
         QStringLiteral("No clock database in %1").arg(dir.filePath(QStringLiteral("unmounted")))},
        {program, bare.toUtf8() + "\r\n\r\n", QStringLiteral("No clock database in %1").arg(bare)},
        {program, "C:\\RTM\\Data\\\r\n\r\n",
         pathFile + QStringLiteral(" names the Windows folder C:\\RTM\\Data\\")},
        {dir.filePath(QStringLiteral("program/") + QString(300, QLatin1Char('a'))),
         {},
         dir.filePath(QStringLiteral("program/") + QString(300, QLatin1Char('a'))) +
             QStringLiteral(": file name too long")},
    };
    for (const auto& c : cases) {
        QFile::remove(pathFile);
        if (!c.pathFile.isEmpty())
            put(pathFile, c.pathFile);
        const auto before = checksums(dir.path());
        for (const char* command : {"who-is-in", "report", "purge"}) {
            QStringList words{QStringLiteral("--program-folder"), c.folder, QString::fromLatin1(command)};
            if (QLatin1String(command) == QLatin1String("report"))
                words << QStringLiteral("--from") << QStringLiteral("2026-12-01");
            if (QLatin1String(command) == QLatin1String("purge"))
                words << QStringLiteral("--before") << QStringLiteral("2026-12-01");
            const Outcome r = run(words);
            SCOPED_TRACE(words.join(' ').toStdString());
            EXPECT_EQ(r.code, CommandLine::DatabaseProblem);
            EXPECT_TRUE(r.err.startsWith(c.err)) << r.err.toStdString();
            EXPECT_EQ(r.err.count(QLatin1Char('\n')), 1) << r.err.toStdString();
            EXPECT_FALSE(r.err.contains(QLatin1String("Repair the database?")));
            // Nothing made, nothing removed: no folder, no database, the path file kept.
            EXPECT_EQ(checksums(dir.path()), before);
        }
    }
}

TEST(HostileCommandLine, ARelativePathFileFolderIsTheProgramFolders)
{
    QTemporaryDir dir;
    const QString program = startedFolder(dir);
    QDir().mkpath(program + QStringLiteral("/data"));
    ASSERT_TRUE(
        QFile::rename(program + QStringLiteral("/Clock.mdb"), program + QStringLiteral("/data/Clock.mdb")));
    put(program + QStringLiteral("/RtmPath.DAT"), "data\\\r\n\r\n");
    const QString working = QDir::currentPath();
    QDir::setCurrent(dir.path()); // elsewhere: a relative name must not be taken from here
    const Outcome r = run({QStringLiteral("--program-folder"), program, QStringLiteral("who-is-in")});
    QDir::setCurrent(working);
    EXPECT_EQ(r.code, CommandLine::NothingFound) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("data"))));
    EXPECT_FALSE(QFile::exists(program + QStringLiteral("/Clock.mdb")));
}

TEST(HostileCommandLine, ControlCharactersAreShownEscaped)
{
    QTemporaryDir dir;
    const QString folder = startedFolder(dir);
    for (const QStringList& words :
         {QStringList{"--program-folder", folder, "no\x1b[2Jsuch"},
          QStringList{"--program-folder", folder, "who-is-in", "--days", "\x1b]0;owned\x07"},
          QStringList{"--program-folder", folder, "report", "--from", "2026-12-01\r\nforged line"}}) {
        const Outcome r = run(words);
        EXPECT_EQ(r.code, CommandLine::BadArguments);
        EXPECT_TRUE(r.err.contains(QLatin1String("\\x1b")) || r.err.contains(QLatin1String("\\x0d")))
            << r.err.toStdString();
        for (const QChar c : r.err)
            EXPECT_TRUE(c == QLatin1Char('\n') || c.unicode() >= 0x20) << r.err.toStdString();
        EXPECT_EQ(r.err.count(QLatin1Char('\n')), 1) << r.err.toStdString();
    }
}
