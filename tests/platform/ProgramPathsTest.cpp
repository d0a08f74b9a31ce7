#include "platform/ProgramPaths.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(ProgramPaths, FolderFromOptionThenEnvironment)
{
    qputenv("TELLARIN_PROGRAM_FOLDER", "/srv/from-environment");
    EXPECT_EQ(ProgramPaths::resolveProgramFolder({"tellarin", "--program-folder", "/srv/a/../b"}),
              QStringLiteral("/srv/b"));
    EXPECT_EQ(ProgramPaths::resolveProgramFolder({"tellarin", "--program-folder=/srv/c/"}),
              QStringLiteral("/srv/c"));
    EXPECT_EQ(ProgramPaths::resolveProgramFolder({"tellarin"}), QStringLiteral("/srv/from-environment"));
    qunsetenv("TELLARIN_PROGRAM_FOLDER");
    EXPECT_FALSE(ProgramPaths::resolveProgramFolder({"tellarin"}).isEmpty());
}

TEST(ProgramPaths, FilesFoundWithoutRegardToCase)
{
    QTemporaryDir dir;
    ProgramPaths paths(dir.path());
    EXPECT_EQ(paths.clockDatabase(), dir.filePath(QStringLiteral("Clock.mdb"))); // none yet: the usual name
    QFile(dir.filePath(QStringLiteral("CLOCK.MDB"))).open(QIODevice::WriteOnly);
    QFile(dir.filePath(QStringLiteral("in.wav"))).open(QIODevice::WriteOnly);
    EXPECT_EQ(paths.clockDatabase(), dir.filePath(QStringLiteral("CLOCK.MDB")));
    EXPECT_EQ(paths.findInProgramFolder(QStringLiteral("In.Wav")), dir.filePath(QStringLiteral("in.wav")));
}
