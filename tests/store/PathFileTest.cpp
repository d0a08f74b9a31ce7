#include "store/PathFile.h"

#include "platform/ProgramPaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

TEST(PathFile, ReadDecidesSourceAndDataFolder)
{
    QTemporaryDir dir;
    const ProgramPaths paths(dir.path());
    const QString program = paths.programFolder();
    struct Case {
        std::optional<QByteArray> content; // nullopt: no file
        const char* fileName;
        EmployeeSource source;
        QString dataFolder;
    };
    const Case cases[] = {
        {std::nullopt, "RtmPath.DAT", EmployeeSource::None, program},
        {QByteArray(), "RtmPath.DAT", EmployeeSource::None, program},
        {"   \r\nx\r\n", "RtmPath.DAT", EmployeeSource::None, program},
        {program.toUtf8() + "\r\n\r\n", "RtmPath.DAT", EmployeeSource::LocalFiles, program},
        {program.toLower().toUtf8() + "\\\r\n\r\n", "RTMPATH.dat", EmployeeSource::LocalFiles,
         program.toLower()},
        {program.toUtf8() + "/", "RtmPath.DAT", EmployeeSource::LocalFiles, program},
        {"D:\\Roster\\\r\n\r\n", "RtmPath.DAT", EmployeeSource::SchedulingDatabase,
         QStringLiteral("D:/Roster")},
        {"/srv/caf\xE9/\r\n", "RtmPath.DAT", EmployeeSource::SchedulingDatabase,
         QStringLiteral("/srv/caf\u00E9")},
        // relative to the program folder, wherever the program was started from
        {"roster/\r\n\r\n", "RtmPath.DAT", EmployeeSource::SchedulingDatabase,
         program + QStringLiteral("/roster")},
        {"../shared/rtm\\\r\n", "RtmPath.DAT", EmployeeSource::SchedulingDatabase,
         QDir::cleanPath(program + QStringLiteral("/../shared/rtm"))},
    };
    for (const Case& c : cases) {
        const QString path = dir.filePath(QString::fromLatin1(c.fileName));
        if (c.content) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(*c.content) == c.content->size());
        }
        PathFile::Trouble trouble;
        const PathFile::State state = PathFile::read(paths, &trouble);
        const QByteArray label = c.content.value_or("(none)");
        EXPECT_EQ(state.source, c.source) << label.data();
        EXPECT_EQ(state.dataFolder, c.dataFolder) << label.data();
        EXPECT_EQ(QFile::exists(path), c.content.has_value()) << label.data(); // never removed by reading
        EXPECT_EQ(trouble.problem.isEmpty(), !c.content || !c.content->startsWith("D:")) << label.data();
        QFile::remove(path);
    }
}

TEST(PathFile, WriteSetsTheSourceAndDeleteClearsIt)
{
    QTemporaryDir dir;
    const ProgramPaths paths(dir.path());
    QFile file(dir.filePath(QStringLiteral("RtmPath.DAT")));
    PathFile::State state;

    ASSERT_TRUE(PathFile::writeNewPath(paths, "/srv/roster/", "/SRV/ROSTER/RTM.MDB", state));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArrayLiteral("/srv/roster/\r\n\r\n"));
    file.close();
    EXPECT_EQ(state.source, EmployeeSource::SchedulingDatabase);

    ASSERT_TRUE(PathFile::writeNewPath(paths, paths.programFolder().toUpper(), QString(), state));
    EXPECT_EQ(state.source, EmployeeSource::LocalFiles);
    EXPECT_EQ(PathFile::read(paths).source, EmployeeSource::LocalFiles);

    // A folder that is neither this program's nor a chosen RTM.MDB keeps the source it had.
    ASSERT_TRUE(PathFile::writeNewPath(paths, "/srv/elsewhere/", QString(), state));
    EXPECT_EQ(state.source, EmployeeSource::LocalFiles);

    PathFile::remove(paths, state);
    EXPECT_EQ(state.source, EmployeeSource::None);
    EXPECT_FALSE(file.exists());
}

TEST(PathFile, AWindowsFolderIsRefusedWithTheReason)
{
    QTemporaryDir dir;
    const ProgramPaths paths(dir.path());
    for (const QByteArray& text :
         {QByteArray("C:\\RTM\\Data\\"), QByteArray("\\\\server\\rtm\\"), QByteArray("c:/rtm")}) {
        QFile file(dir.filePath(QStringLiteral("RtmPath.DAT")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text + "\r\n\r\n");
        file.close();
        PathFile::Trouble trouble;
        PathFile::read(paths, &trouble);
        EXPECT_TRUE(
            trouble.problem.contains(QLatin1String("names the Windows folder ") + QString::fromLatin1(text)))
            << trouble.problem.toStdString();
        EXPECT_TRUE(file.exists());
    }
}
