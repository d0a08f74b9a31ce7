#include "StoreFiles.h"
#include "store/DatabaseMaintenance.h"

#include <QFileInfo>

using DatabaseMaintenance::Result;

namespace {
QStringList clockFilesIn(const ClockFolder& folder)
{
    QStringList names = folder.entries();
    names.removeAll(QStringLiteral("Clock.jan"));
    return names;
}
} // namespace

TEST(Compact, LeavesOneSmallerFileWithEveryRowAndClearsLeftovers)
{
    ClockFolder folder;
    folder.createAndOpen();
    const QList<qint64> numbers = folder.addPunches(3000);
    folder.database().execute(QStringLiteral(R"(DELETE FROM "In Out" WHERE "Record number" % 3 <> 0)"));
    const QVariantList kept = recordNumbers(folder.file());
    folder.database().close();
    const qint64 before = QFileInfo(folder.file()).size();
    folder.writeBytes("half a copy of an interrupted run", QStringLiteral("Clock.CPD"));
    ASSERT_TRUE(DatabaseMaintenance::openClockDatabase(folder.database(), folder.paths()).ok());

    EXPECT_EQ(DatabaseMaintenance::compact(folder.database(), folder.paths()), Result::Done);

    ASSERT_TRUE(folder.database().isOpen());
    EXPECT_EQ(DatabaseMaintenance::fileFormatVersion(folder.database()), QStringLiteral("4.0"));
    EXPECT_EQ(recordNumbers(folder.file()), kept);
    ClockRecord next;
    next.employeeId = QStringLiteral("NEXT");
    EXPECT_EQ(ClockRecords(folder.database()).append(next), numbers.last() + 1); // numbers are never reused
    folder.database().close();
    EXPECT_EQ(clockFilesIn(folder), QStringList{QStringLiteral("Clock.mdb")});
    // Two rows in three were deleted; the program's own small tables keep a few pages whatever the rows.
    EXPECT_LT(QFileInfo(folder.file()).size(), before * 3 / 5);
    EXPECT_EQ(integrityOf(folder.file()), QStringLiteral("ok"));
}

TEST(Migrate, KeepsTheStampedCopyAsItWasAndRewritesInTheCurrentFormat)
{
    ClockFolder folder;
    folder.createAndOpen();
    folder.addPunches(400);
    folder.database().close();
    makeOlderFormat(folder.file());
    ASSERT_TRUE(DatabaseMaintenance::openClockDatabase(folder.database(), folder.paths()).ok());
    EXPECT_EQ(DatabaseMaintenance::fileFormatVersion(folder.database()), QStringLiteral("3.0"));
    const QVariantList rows = recordNumbers(folder.file());

    const QDateTime now(QDate(2024, 1, 31), QTime(17, 45, 2));
    EXPECT_EQ(DatabaseMaintenance::migrate(folder.database(), folder.paths(), now), Result::Done);

    EXPECT_EQ(DatabaseMaintenance::fileFormatVersion(folder.database()), QStringLiteral("4.0"));
    folder.database().close();
    const QString copy = folder.file(QStringLiteral("Clock_20240131_174502.MDB"));
    const QStringList expectedFiles = {QStringLiteral("Clock.mdb"),
                                       QStringLiteral("Clock_20240131_174502.MDB")};
    EXPECT_EQ(clockFilesIn(folder), expectedFiles);

    EXPECT_EQ(recordNumbers(folder.file()), rows);
    EXPECT_EQ(integrityOf(folder.file()), QStringLiteral("ok"));
    EXPECT_EQ(fileScalar(copy, QStringLiteral("PRAGMA page_size")).toInt(), 1024); // kept as it was
    EXPECT_EQ(recordNumbers(copy), rows);
}
