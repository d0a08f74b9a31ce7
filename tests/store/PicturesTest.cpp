#include "store/Pictures.h"

#include "platform/ProgramPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
void writePicture(const QString& path, const QDateTime& modified)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\xFF\xD8\xFF");
    file.flush(); // a later flush would stamp the time of writing
    ASSERT_TRUE(file.setFileTime(modified, QFileDevice::FileModificationTime));
}
} // namespace

TEST(KillPictures, DeletesOnlyJpgFilesOlderThanTheKeptDays)
{
    const QDate today(2026, 12, 4);
    struct Case {
        const char* name;
        QDateTime modified;
        bool deleted;
    };
    const Case cases[] = {
        {"30days.jpg", QDateTime(today.addDays(-30), QTime(12, 0)), false},
        {"30daysAtMidnight.jpg", QDateTime(today.addDays(-30), QTime(0, 0)), false},
        {"secondBefore.jpg", QDateTime(today.addDays(-31), QTime(23, 59, 59)), true},
        {"Upper.JPG", QDateTime(today.addDays(-31), QTime(12, 0)), true},
        {"long.jpeg", QDateTime(today.addDays(-60), QTime(12, 0)), false},
        {"notes.txt", QDateTime(today.addDays(-60), QTime(12, 0)), false},
        {"nodotjpg", QDateTime(today.addDays(-60), QTime(12, 0)), false},
        {"future.jpg", QDateTime(today.addDays(3), QTime(12, 0)), false},
    };
    QTemporaryDir dir;
    const ProgramPaths paths(dir.path());
    QDir().mkpath(paths.picturesFolder());
    for (const Case& c : cases)
        writePicture(paths.picturesFolder() + QLatin1Char('/') + QLatin1String(c.name), c.modified);
    QDir().mkpath(paths.picturesFolder() + QStringLiteral("/old.jpg")); // a folder is no picture

    KillPictures(paths, today, 30);

    for (const Case& c : cases) {
        EXPECT_EQ(QFileInfo::exists(paths.picturesFolder() + QLatin1Char('/') + QLatin1String(c.name)),
                  !c.deleted)
            << c.name;
    }
    EXPECT_TRUE(QFileInfo(paths.picturesFolder() + QStringLiteral("/old.jpg")).isDir());
}

TEST(KillPictures, ZeroDaysKeepsOnlyTodaysAndAMissingFolderIsNothingToDo)
{
    const QDate today(2026, 12, 4);
    QTemporaryDir dir;
    const ProgramPaths paths(dir.path());
    KillPictures(paths, today, 30); // no Pictures folder yet
    QDir().mkpath(paths.picturesFolder());
    writePicture(paths.picturesFolder() + QStringLiteral("/1.jpg"), QDateTime(today, QTime(0, 0, 1)));
    writePicture(paths.picturesFolder() + QStringLiteral("/2.jpg"),
                 QDateTime(today.addDays(-1), QTime(23, 59)));
    KillPictures(paths, today, 0);
    EXPECT_EQ(QDir(paths.picturesFolder()).entryList(QDir::Files), QStringList{QStringLiteral("1.jpg")});
}
