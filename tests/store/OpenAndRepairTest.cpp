#include "StoreFiles.h"
#include "store/DatabaseMaintenance.h"

#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>
#include <QThread>

using DatabaseMaintenance::openClockDatabase;
using Status = Database::OpenStatus;

namespace {
constexpr int pageSize = 4096;
} // namespace

TEST(OpenClockDatabase, UnwritableOrMissingPlacesAreNotDamaged)
{
    const struct {
        const char* name;
        const char* dataFolder; // inside the program folder; null: the program folder itself
        bool fileIsFolder;
        Status expected;
    } cases[] = {
        {"a folder named Clock.mdb", nullptr, true, Status::ReadOnly},
        {"a data folder that is not there", "gone", false, Status::NotFound},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ClockFolder folder;
        ProgramPaths paths = folder.paths();
        if (c.dataFolder)
            paths.setDataFolder(folder.file(QString::fromLatin1(c.dataFolder)));
        if (c.fileIsFolder)
            QDir().mkpath(folder.file());
        EXPECT_EQ(openClockDatabase(folder.database(), paths).status, c.expected);
        EXPECT_FALSE(folder.database().isOpen());
        EXPECT_FALSE(QFileInfo::exists(folder.file(QStringLiteral("gone"))));
    }
}

// Another program holding the file must never be taken for damage, and nothing may touch the file.
TEST(OpenClockDatabase, HeldByAnotherProcessIsInUse)
{
    for (const char* mode : {"hold", "lock"}) {
        SCOPED_TRACE(mode);
        ClockFolder folder;
        folder.createAndOpen();
        folder.addPunches(10);
        folder.database().close();
        Child holder(QString::fromLatin1(mode), folder.paths().dataFolder());
        ASSERT_TRUE(holder.waitForLine());

        const Database::OpenResult result = openClockDatabase(folder.database(), folder.paths());
        EXPECT_EQ(result.status, Status::InUse) << result.errorText.toStdString();
        EXPECT_EQ(DatabaseMaintenance::compact(folder.database(), folder.paths()),
                  DatabaseMaintenance::Result::InUse);
        EXPECT_EQ(DatabaseMaintenance::migrate(folder.database(), folder.paths(),
                                               QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5))),
                  DatabaseMaintenance::Result::InUse);
        EXPECT_FALSE(folder.entries().contains(QStringLiteral("Clock.CPD")));
        EXPECT_FALSE(folder.entries().contains(QStringLiteral("Clock_20260102_030405.MDB")));

        holder.closeInput();
        ASSERT_TRUE(holder.waitForFinished());
        ASSERT_TRUE(openClockDatabase(folder.database(), folder.paths()).ok());
        EXPECT_EQ(recordNumbers(folder.file()).size(), 10);
    }
}

TEST(Repair, MissingClockTableIsDamageAndTheOtherTablesKeepTheirRows)
{
    ClockFolder folder;
    folder.createAndOpen();
    folder.addPunches(300);
    folder.database().close();
    ASSERT_TRUE(SqliteConnection(folder.file(), 1000).exec(QStringLiteral(R"(DROP TABLE "Application")")));

    EXPECT_EQ(openClockDatabase(folder.database(), folder.paths()).status, Status::Damaged);
    ASSERT_TRUE(DatabaseMaintenance::repair(folder.database(), folder.paths()));
    EXPECT_EQ(recordNumbers(folder.file()).size(), 300);
    EXPECT_EQ(DatabaseMaintenance::layoutVersion(folder.database()), 6);
}

// A WAL left by a killed program holds committed punches of the damaged file: they are rescued,
// and the WAL is gone before the new file takes the name, so it is never played into it.
TEST(Repair, RowsOnlyInTheWalOfAKilledProgramAreRescuedAndTheWalIsNotReused)
{
    ClockFolder folder;
    folder.createAndOpen();
    folder.database().close();
    QList<QByteArray> reported;
    {
        Child puncher(QStringLiteral("punch"), folder.paths().dataFolder());
        ASSERT_TRUE(puncher.waitForLine());
        QThread::msleep(50);
        reported = puncher.kill();
    }
    ASSERT_GT(QFileInfo(folder.file(QStringLiteral("Clock.mdb-wal"))).size(), 0);
    // The staff table's page is one the punches never touch, so only the main file holds it.
    const int page = fileScalar(folder.paths().clockTemplate(),
                                QStringLiteral("SELECT rootpage FROM sqlite_master WHERE name = 'Employee'"))
                         .toInt();
    QByteArray main = folder.readBytes();
    main.replace((page - 1) * pageSize, pageSize, QByteArray(pageSize, '\x5A'));
    folder.writeBytes(main);

    EXPECT_EQ(openClockDatabase(folder.database(), folder.paths()).status, Status::Damaged);
    ASSERT_TRUE(DatabaseMaintenance::repair(folder.database(), folder.paths()));
    folder.database().close();
    const QStringList expectedFiles = {QStringLiteral("Clock.jan"), QStringLiteral("Clock.mdb"),
                                       QStringLiteral("Clock_damaged_1.MDB")};
    EXPECT_EQ(folder.entries(), expectedFiles);
    ASSERT_TRUE(openClockDatabase(folder.database(), folder.paths()).ok());
    EXPECT_EQ(integrityOf(folder.file()), QStringLiteral("ok"));
    const QVariantList found = recordNumbers(folder.file());
    for (const QByteArray& line : reported)
        EXPECT_TRUE(found.contains(QVariant(line.toLongLong()))) << line.toStdString();
    EXPECT_GE(found.size(), reported.size());
}
