#include "store/PathFile.h"

#include "platform/ProgramPaths.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

namespace {
QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}
} // namespace

TEST(PathFile, ReadDecidesSourceAndDataFolder) {
    QTemporaryDir dir;
    const ProgramPaths paths(dir.path());
    const QByteArray program = paths.programFolder().toUtf8();
    struct Case {
        const char* name;
        std::optional<QByteArray> content; // nullopt: no file
        const char* fileName;
        bool link;
        bool local;
        QString dataFolder;
    };
    const Case cases[] = {
        {"missing", std::nullopt, "RtmPath.DAT", false, false, paths.programFolder()},
        {"empty", QByteArray(), "RtmPath.DAT", false, false, paths.programFolder()},
        {"blank first line", QByteArrayLiteral("   \r\nx\r\n"), "RtmPath.DAT", false, false,
         paths.programFolder()},
        {"program folder", program + "\r\n\r\n", "RtmPath.DAT", true, true, paths.programFolder()},
        {"other case, trailing backslash", program.toLower() + "\\\r\n\r\n", "RTMPATH.dat", true, true,
         paths.programFolder().toLower()},
        {"no line end", program + "/", "RtmPath.DAT", true, true, paths.programFolder()},
        {"scheduling folder", QByteArrayLiteral("/srv/roster/\r\n\r\n"), "RtmPath.DAT", true, false,
         QStringLiteral("/srv/roster")},
        {"windows folder", QByteArrayLiteral("D:\\Roster\\\r\n\r\n"), "RtmPath.DAT", true, false,
         QStringLiteral("D:/Roster")},
        {"ansi folder", QByteArrayLiteral("/srv/caf\xE9/\r\n"), "RtmPath.DAT", true, false,
         QStringLiteral("/srv/caf\u00E9")},
    };
    for (const Case& c : cases) {
        const QString path = dir.filePath(QString::fromLatin1(c.fileName));
        if (c.content)
            writeBytes(path, *c.content);
        const PathFile::State state = PathFile::read(paths);
        EXPECT_EQ(state.useSchedulingLink, c.link) << c.name;
        EXPECT_EQ(state.useLocalStaff, c.local) << c.name;
        EXPECT_EQ(state.dataFolder, c.dataFolder) << c.name;
        // An unusable file is removed; a good one stays.
        EXPECT_EQ(QFile::exists(path), c.link) << c.name;
        QFile::remove(path);
    }
}

TEST(PathFile, WriteSetsFlagsAndDeleteClearsThem) {
    QTemporaryDir dir;
    const ProgramPaths paths(dir.path());
    const QString file = dir.filePath(QStringLiteral("RtmPath.DAT"));
    PathFile::State state;

    ASSERT_TRUE(PathFile::writeNewPath(paths, QStringLiteral("/srv/roster/"),
                                       QStringLiteral("/SRV/ROSTER/RTM.MDB"), state));
    EXPECT_EQ(fileBytes(file), QByteArrayLiteral("/srv/roster/\r\n\r\n"));
    EXPECT_TRUE(state.useSchedulingLink);
    EXPECT_FALSE(state.useLocalStaff);
    EXPECT_EQ(PathFile::read(paths).dataFolder, QStringLiteral("/srv/roster"));

    ASSERT_TRUE(PathFile::writeNewPath(paths, paths.programFolder().toUpper(), QString(), state));
    EXPECT_TRUE(state.useSchedulingLink);
    EXPECT_TRUE(state.useLocalStaff);
    const PathFile::State reread = PathFile::read(paths);
    EXPECT_TRUE(reread.useLocalStaff);

    PathFile::remove(paths, state);
    EXPECT_FALSE(state.useSchedulingLink);
    EXPECT_FALSE(state.useLocalStaff);
    EXPECT_FALSE(QFile::exists(file));

    const ProgramPaths nowhere(dir.filePath(QStringLiteral("missing/folder")));
    EXPECT_FALSE(PathFile::writeNewPath(nowhere, nowhere.programFolder(), QString(), state));
    EXPECT_FALSE(state.useSchedulingLink);
}
