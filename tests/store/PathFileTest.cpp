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
        bool link;
        bool local;
        QString dataFolder;
    };
    const Case cases[] = {
        {std::nullopt, "RtmPath.DAT", false, false, program},
        {QByteArray(), "RtmPath.DAT", false, false, program},
        {"   \r\nx\r\n", "RtmPath.DAT", false, false, program},
        {program.toUtf8() + "\r\n\r\n", "RtmPath.DAT", true, true, program},
        {program.toLower().toUtf8() + "\\\r\n\r\n", "RTMPATH.dat", true, true, program.toLower()},
        {program.toUtf8() + "/", "RtmPath.DAT", true, true, program},
        {"D:\\Roster\\\r\n\r\n", "RtmPath.DAT", true, false, QStringLiteral("D:/Roster")},
        {"/srv/caf\xE9/\r\n", "RtmPath.DAT", true, false, QStringLiteral("/srv/caf\u00E9")},
        // relative to the program folder, wherever the program was started from
        {"roster/\r\n\r\n", "RtmPath.DAT", true, false, program + QStringLiteral("/roster")},
        {"../shared/rtm\\\r\n", "RtmPath.DAT", true, false,
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
        EXPECT_EQ(state.useSchedulingLink, c.link) << label.data();
        EXPECT_EQ(state.useLocalStaff, c.local) << label.data();
        EXPECT_EQ(state.dataFolder, c.dataFolder) << label.data();
        EXPECT_EQ(QFile::exists(path), c.content.has_value()) << label.data(); // never removed by reading
        EXPECT_EQ(trouble.problem.isEmpty(), !c.content || !c.content->startsWith("D:")) << label.data();
        QFile::remove(path);
    }
}

TEST(PathFile, WriteSetsFlagsAndDeleteClearsThem)
{
    QTemporaryDir dir;
    const ProgramPaths paths(dir.path());
    QFile file(dir.filePath(QStringLiteral("RtmPath.DAT")));
    PathFile::State state;

    ASSERT_TRUE(PathFile::writeNewPath(paths, "/srv/roster/", "/SRV/ROSTER/RTM.MDB", state));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArrayLiteral("/srv/roster/\r\n\r\n"));
    file.close();
    EXPECT_TRUE(state.useSchedulingLink && !state.useLocalStaff);

    ASSERT_TRUE(PathFile::writeNewPath(paths, paths.programFolder().toUpper(), QString(), state));
    EXPECT_TRUE(state.useLocalStaff && PathFile::read(paths).useLocalStaff);

    PathFile::remove(paths, state);
    EXPECT_FALSE(state.useSchedulingLink || state.useLocalStaff || file.exists());
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
