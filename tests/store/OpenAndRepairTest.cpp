#include "StoreFiles.h"
#include "store/DatabaseMaintenance.h"

#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>
#include <QThread>
#include <functional>

using DatabaseMaintenance::openClockDatabase;
using Status = Database::OpenStatus;

namespace {
constexpr int pageSize = 4096;
constexpr int rowCount = 2000;

struct Damage {
    QByteArray bytes;
    qsizetype destroyedFrom = 0; // the bytes of the original that no longer hold their rows
    qsizetype destroyedTo = 0;
    bool nothingReadable = false;
};

// Row markers found in the original file outside the destroyed bytes: the rows a repair must bring back.
QSet<int> markersOutside(const QByteArray& bytes, const Damage& damage)
{
    QSet<int> markers;
    for (qsizetype at = bytes.indexOf("ROW-"); at >= 0; at = bytes.indexOf("ROW-", at + 1)) {
        const bool destroyed = at + 10 > damage.destroyedFrom && at < damage.destroyedTo;
        if (!destroyed && bytes.mid(at + 9, 1) == "|")
            markers.insert(bytes.mid(at + 4, 5).toInt());
    }
    return markers;
}

QSet<int> markersIn(const QString& path)
{
    SqliteConnection connection(path, 1000);
    QSet<int> markers;
    for (const QVariant& name : connection.column(QStringLiteral(R"(SELECT "Employee" FROM "In Out")")))
        markers.insert(name.toString().mid(4, 5).toInt());
    return markers;
}

Damage unreadable(QByteArray bytes)
{
    return Damage{std::move(bytes), 0, 0, true};
}

Damage pageDestroyed(QByteArray bytes, qsizetype page)
{
    return Damage{std::move(bytes), page * pageSize, (page + 1) * pageSize, false};
}
} // namespace

TEST(OpenClockDatabase, CreatesTheFileFromTheTemplateWhenMissing)
{
    ClockFolder folder;
    Database& db = folder.database();
    const Database::OpenResult result = openClockDatabase(db, folder.paths());
    ASSERT_TRUE(result.ok()) << result.errorText.toStdString();
    EXPECT_EQ(DatabaseMaintenance::layoutVersion(db), 6);
    EXPECT_EQ(DatabaseMaintenance::fileFormatVersion(db), QStringLiteral("4.0"));
    EXPECT_TRUE(ClockRecords(db).isEmpty());
}

TEST(OpenClockDatabase, UnwritableOrMissingPlacesAreNotDamaged)
{
    struct Case {
        const char* name;
        std::function<ProgramPaths(const ClockFolder&)> prepare;
        Status expected;
    };
    const Case cases[] = {
        {"a folder named Clock.mdb",
         [](const ClockFolder& f) {
             QDir().mkpath(f.file());
             return f.paths();
         },
         Status::ReadOnly},
        {"a data folder that is a file",
         [](const ClockFolder& f) {
             QFile(f.file(QStringLiteral("plain"))).open(QIODevice::WriteOnly);
             ProgramPaths paths = f.paths();
             paths.setDataFolder(f.file(QStringLiteral("plain")));
             return paths;
         },
         Status::NotFound},
        {"a data folder that is not there",
         [](const ClockFolder& f) {
             ProgramPaths paths = f.paths();
             paths.setDataFolder(f.file(QStringLiteral("gone")));
             return paths;
         },
         Status::NotFound},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClockFolder folder;
        const ProgramPaths paths = c.prepare(folder);
        const Database::OpenResult result = openClockDatabase(folder.database(), paths);
        EXPECT_EQ(result.status, c.expected) << result.errorText.toStdString();
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

TEST(Repair, DamagedFilesAreRecognisedAndEveryReadableRowIsKept)
{
    struct Case {
        const char* name;
        std::function<Damage(const QByteArray&)> damage;
    };
    const Case cases[] = {
        {"text file",
         [](const QByteArray&) {
             return unreadable("Clock times for December\r\n");
         }},
        {"random bytes",
         [](const QByteArray&) {
             QByteArray bytes(64 * 1024, '\0');
             QRandomGenerator random(7);
             for (char& b : bytes)
                 b = static_cast<char>(random.bounded(256));
             return unreadable(bytes);
         }},
        {"empty file",
         [](const QByteArray&) {
             return unreadable(QByteArray());
         }},
        {"zeroed header page",
         [](const QByteArray& original) {
             QByteArray bytes = original;
             bytes.replace(0, pageSize, QByteArray(pageSize, '\0'));
             return unreadable(bytes);
         }},
        {"zeroed page among the rows",
         [](const QByteArray& original) {
             QByteArray bytes = original;
             const qsizetype page = original.indexOf("ROW-01000|") / pageSize;
             bytes.replace(page * pageSize, pageSize, QByteArray(pageSize, '\0'));
             return pageDestroyed(bytes, page);
         }},
        {"scribbled page among the rows",
         [](const QByteArray& original) {
             QByteArray bytes = original;
             const qsizetype page = original.indexOf("ROW-00500|") / pageSize;
             for (qsizetype i = 0; i < pageSize; i += 3)
                 bytes[page * pageSize + i] = static_cast<char>(0xA5);
             return pageDestroyed(bytes, page);
         }},
        {"truncated",
         [](const QByteArray& original) {
             const qsizetype cut = original.size() / 2 + 100;
             return Damage{original.left(cut), cut, original.size(), false};
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClockFolder folder;
        folder.createAndOpen();
        folder.addPunches(rowCount);
        folder.database().close();
        const QByteArray original = folder.readBytes();
        const Damage damage = c.damage(original);
        folder.writeBytes(damage.bytes);

        const Database::OpenResult opened = openClockDatabase(folder.database(), folder.paths());
        EXPECT_EQ(opened.status, Status::Damaged);
        EXPECT_FALSE(opened.errorText.isEmpty());

        QString error;
        ASSERT_TRUE(DatabaseMaintenance::repair(folder.database(), folder.paths(), &error))
            << error.toStdString();
        ASSERT_TRUE(folder.database().isOpen());
        EXPECT_EQ(integrityOf(folder.file()), QStringLiteral("ok"));
        EXPECT_EQ(DatabaseMaintenance::layoutVersion(folder.database()), 6);
        EXPECT_FALSE(folder.entries().contains(QStringLiteral("Clock.CPD")));

        const QSet<int> kept = markersIn(folder.file());
        const QSet<int> expected = damage.nothingReadable ? QSet<int>() : markersOutside(original, damage);
        EXPECT_EQ(kept, expected) << "kept " << kept.size() << " of " << expected.size();
        if (!damage.nothingReadable) {
            EXPECT_GT(kept.size(), rowCount / 3);
            EXPECT_LT(kept.size(), rowCount);
            // Record numbers stay with their rows, and a new punch never reuses a lost number.
            SqliteConnection check(folder.file(), 1000);
            EXPECT_EQ(check.scalar(QStringLiteral(R"(SELECT count(*) FROM "In Out" WHERE "Record number" )"
                                                  R"(<> CAST(substr("Employee", 5, 5) AS INTEGER) + 1)")),
                      QVariant(0));
            ClockRecord next;
            next.employeeId = QStringLiteral("NEW");
            EXPECT_GT(ClockRecords(folder.database()).append(next), rowCount);
        }
        EXPECT_TRUE(openClockDatabase(folder.database(), folder.paths()).ok());
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
