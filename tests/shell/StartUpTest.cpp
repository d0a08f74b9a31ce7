#include "shell/StartUp.h"

#include "RtmFixture.h"
#include "ShellFixture.h"
#include "store/ApplicationTable.h"
#include "store/ClockFiles.h"
#include "store/ClockRecords.h"
#include "store/DatabaseError.h"
#include "store/DatabaseMaintenance.h"
#include "store/SqliteConnection.h"
#include "store/StaffFiles.h"
#include "store/StaffTable.h"
#include "support/PunchRecord.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <gtest/gtest.h>

using Status = Database::OpenStatus;

TEST(StartUp, RunsItsStepsInOrderWithThePathFile)
{
    ShellFixture f;
    // The data folder named by the path file already holds a database with "go to the clock first".
    const QString dataFolder = f.folder.filePath(QStringLiteral("data"));
    {
        ProgramPaths other(f.folder.path());
        QDir().mkpath(dataFolder);
        other.setDataFolder(dataFolder);
        ASSERT_TRUE(ClockFiles::ensureClockDatabase(other));
        Database db;
        ASSERT_TRUE(db.open(other.clockDatabase()).ok());
        ApplicationTable(db).write({{QStringLiteral("Options"), 128}});
    }
    StartUp startUp(f.services, f.session);
    QStringList steps;
    startUp.readPathFile = [&] {
        steps << QStringLiteral("path");
        EXPECT_FALSE(f.database.isOpen());
        f.session.setDataFolder(dataFolder);
        f.session.setEmployeeSource(EmployeeSource::LocalFiles);
    };
    startUp.loadDepartments = [&] {
        steps << QStringLiteral("departments");
    };
    startUp.rebuildStaff = [&] {
        steps << QStringLiteral("staff");
        EXPECT_EQ(f.database.path(), QDir(dataFolder).filePath(QStringLiteral("Clock.mdb")));
        EXPECT_TRUE(f.session.settings().showClockFirst);
    };
    ASSERT_TRUE(startUp.run());
    EXPECT_EQ(steps, (QStringList{"path", "departments", "staff"}));
    EXPECT_TRUE(startUp.menuOffer() == (MenuOffer{true, true, true, false}));
}

TEST(StartUp, WithoutPathFileNoStaffStepsAndNoStaffMenus)
{
    ShellFixture f;
    StartUp startUp(f.services, f.session);
    int staffSteps = 0;
    startUp.loadDepartments = startUp.rebuildStaff = [&] {
        ++staffSteps;
    };
    f.session.setEmployeeSource(
        EmployeeSource::SchedulingDatabase); // left over from nothing: the sequence starts without a source
    ASSERT_TRUE(startUp.run());
    EXPECT_EQ(staffSteps, 0);
    EXPECT_FALSE(f.session.hasEmployeeDatabase());
    EXPECT_TRUE(startUp.menuOffer() == MenuOffer{});
    EXPECT_TRUE(QFile::exists(f.session.paths().clockDatabase()));
}

TEST(StartUp, RefusesASecondCopy)
{
    ShellFixture f;
    auto first = std::make_unique<StartUp>(f.services, f.session);
    ASSERT_TRUE(first->run());

    FakeMessageBoxes messages;
    Database database;
    const Services againServices{database, f.time, messages, f.sounds, f.camera};
    Session againSession{ProgramPaths(f.folder.path())};
    StartUp second(againServices, againSession);
    int opens = 0, locates = 0;
    second.openDatabase = [&] {
        ++opens;
        return Database::OpenResult{};
    };
    // Not even the database location is read: a broken one must not hide the real reason.
    second.locateDatabase = [&] {
        ++locates;
        messages.inform(nullptr, QStringLiteral("bad location"), {}, MessageBoxes::Icon::Critical);
        return false;
    };
    EXPECT_FALSE(second.run());
    EXPECT_EQ(opens, 0);
    EXPECT_EQ(locates, 0);
    EXPECT_FALSE(second.locationRefused());
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Tellarin already running"));

    first.reset(); // the first copy has ended
    EXPECT_TRUE(StartUp(againServices, againSession).run());
}

TEST(StartUp, DatabaseOpenFailures)
{
    using Answer = MessageBoxes::Answer;
    struct Case {
        const char* name;
        QList<Status> opens;   // what each open attempt gives
        QList<Answer> answers; // to the repair question; each Yes runs one repair
        bool repairWorks;
        bool goesOn;
        QStringList texts;
    };
    const QString damaged = QStringLiteral("Database problem.. Error number is: 11.\nfile is not a database\n"
                                           "Repair the database?");
    // clang-format off
    const Case cases[] = {
        {"in use", {Status::InUse}, {}, true, false, {"Database Clock.mdb is in use!\n\nTry later."}},
        {"read only", {Status::ReadOnly}, {}, true, false,
         {"Database problem.. Error number is: 11.  file is not a database"}},
        {"damaged, no repair", {Status::Damaged}, {Answer::No}, true, false, {damaged}},
        {"repaired", {Status::Damaged, Status::Opened}, {Answer::Yes}, true, true, {damaged}},
        {"still damaged", {Status::Damaged, Status::Damaged}, {Answer::Yes, Answer::No}, true, false, {damaged, damaged}},
        {"repair cannot run", {Status::Damaged}, {Answer::Yes}, false, false, {damaged, "disk full"}},
    };
    // clang-format on
    for (const Case& c : cases) {
        ShellFixture f;
        f.messages.answers = c.answers;
        StartUp startUp(f.services, f.session);
        QList<Status> opens = c.opens;
        startUp.openDatabase = [&] {
            const Status status = opens.takeFirst();
            if (status == Status::Opened)
                return DatabaseMaintenance::openClockDatabase(f.database, f.session.paths());
            return Database::OpenResult{status, QStringLiteral("11"),
                                        QStringLiteral("file is not a database")};
        };
        int repairs = 0;
        startUp.repairDatabase = [&](QString* error) {
            ++repairs;
            *error = QStringLiteral("disk full");
            return c.repairWorks;
        };
        const bool inUse = c.opens.first() == Status::InUse;
        EXPECT_EQ(startUp.run(), c.goesOn) << c.name;
        EXPECT_TRUE(opens.isEmpty()) << c.name;
        EXPECT_EQ(repairs, c.answers.count(Answer::Yes)) << c.name;
        EXPECT_EQ(f.messages.beeps, inUse ? 1 : 0) << c.name;
        ASSERT_EQ(f.messages.shown.size(), c.texts.size()) << c.name;
        for (qsizetype i = 0; i < c.texts.size(); ++i) {
            EXPECT_EQ(f.messages.shown[i].text, c.texts[i]) << c.name;
        }
    }
}

TEST(StartUp, PathFileNamingTheProgramFolderRebuildsTodaysStaff)
{
    ShellFixture f;
    // Written the way a Windows copy would have: other letter case, backslash at the end.
    QFile path(f.folder.filePath(QStringLiteral("RtmPath.DAT")));
    ASSERT_TRUE(path.open(QIODevice::WriteOnly));
    path.write(f.folder.path().toUpper().toUtf8() + "\\\r\n\r\n");
    path.close();
    Employee ann{1, QStringLiteral("Ann Lee"), QStringLiteral("a1"), 2, {}, true, {}};
    ann.schedule.setSlot(6, 1, 24, 40); // 2026-12-04 is a Friday
    ASSERT_TRUE(StaffFiles::writeEmployees(f.folder.filePath(QStringLiteral("Empl.DAT")), {ann}));

    StartUp startUp(f.services, f.session);
    ASSERT_TRUE(startUp.run());
    EXPECT_TRUE(f.session.usesLocalStaff());
    EXPECT_EQ(f.database.path(), f.session.paths().clockDatabase());
    const QList<StaffRow> rows = StaffTable(f.database).all();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows.at(0).start, 24);
    EXPECT_EQ(rows.at(0).julian, 46360);
}

TEST(StartUp, MissingDataFolderEndsAndDropsTheEmployeeDatabase)
{
    ShellFixture f;
    QFile path(f.folder.filePath(QStringLiteral("RtmPath.DAT")));
    ASSERT_TRUE(path.open(QIODevice::WriteOnly));
    path.write(f.folder.filePath(QStringLiteral("share")).toUtf8() + "/\r\n\r\n");
    path.close();
    StartUp startUp(f.services, f.session);
    EXPECT_FALSE(startUp.run());
    ASSERT_EQ(f.messages.shown.size(), 1);
    const QStringList lines = f.messages.shown.at(0).text.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines.at(0), QStringLiteral("Cannot find the Rostermill (RTM.MDB) database."));
    EXPECT_TRUE(lines.at(1).startsWith(QStringLiteral("Database problem.. Error number is: 76.  ")));
    EXPECT_EQ(lines.at(2), QStringLiteral("Make sure that database file RTM.MDB is available"));
    EXPECT_FALSE(path.exists());
    EXPECT_FALSE(QFileInfo::exists(f.folder.filePath(QStringLiteral("share"))));
}

// The table the clock looks IDs up in never outlives a start, and with the staff files an ID line
// ending in a blank still finds its employee.
TEST(StartUp, StaffTableHoldsOnlyWhatTheSourceGivesToday)
{
    struct Case {
        const char* name;
        bool ownFolder; // the path file names the program folder: the staff files are the source
        QString idInFile;
        QStringList found; // typed IDs the clock finds afterwards
    };
    const Case cases[] = {
        {"staff files, ID with blanks", true, QStringLiteral("a1  "), {"A1", " a1", "a1 "}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ShellFixture f;
        const QString dataFolder = c.ownFolder ? f.folder.path() : f.folder.filePath(QStringLiteral("share"));
        QDir().mkpath(dataFolder);
        QFile path(f.folder.filePath(QStringLiteral("RtmPath.DAT")));
        ASSERT_TRUE(path.open(QIODevice::WriteOnly));
        path.write(dataFolder.toUtf8() + "\r\n\r\n");
        path.close();
        ASSERT_TRUE(StaffFiles::writeEmployees(f.folder.filePath(QStringLiteral("Empl.DAT")),
                                               {{1, QStringLiteral("Ann"), c.idInFile, 0, {}, true, {}}}));
        {
            // Yesterday's table, as a start with the staff files left it.
            ProgramPaths paths(f.folder.path());
            paths.setDataFolder(dataFolder);
            ASSERT_TRUE(ClockFiles::ensureClockDatabase(paths));
            Database db;
            ASSERT_TRUE(db.open(paths.clockDatabase()).ok());
            StaffTable(db).replaceAll(
                {StaffRow{QStringLiteral("Old"), 7, 1, QStringLiteral("OLD"), 0, 0, 0}});
        }

        StartUp startUp(f.services, f.session);
        ASSERT_TRUE(startUp.run());
        StaffTable table(f.database);
        EXPECT_EQ(table.all().size(), c.found.size() ? 1 : 0);
        EXPECT_FALSE(table.find(QStringLiteral("OLD")));
        for (const QString& typed : c.found)
            EXPECT_TRUE(table.find(typed)) << typed.toStdString();
    }
}

// An empty Clock.mdb (a copy that never got its first byte) is as good as missing: the template
// takes its place, nothing is offered for repair and no damaged copy is kept.
TEST(StartUp, EmptyClockDatabaseIsCreatedFromTheTemplate)
{
    ShellFixture f;
    for (const char* name : {"Clock.mdb", "Clock.mdb-shm"}) {
        QFile empty(f.folder.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    }
    StartUp startUp(f.services, f.session);
    ASSERT_TRUE(startUp.run());
    EXPECT_TRUE(f.messages.shown.isEmpty());
    EXPECT_EQ(DatabaseMaintenance::layoutVersion(f.database), 6);
    EXPECT_EQ(QDir(f.folder.path()).entryList({QStringLiteral("Clock_*")}, QDir::Files), QStringList());
}

// Damage the checks of the open do not reach (a page in the middle of the clock records) is met
// later: by the full check that follows the start, or by the first read of that page. Either way
// the repair question comes once the event loop runs; a No holds until the next start.
TEST(StartUp, DamageFoundAfterTheStartLeadsToTheRepairQuestion)
{
    using Answer = MessageBoxes::Answer;
    struct Case {
        const char* name;
        bool byFullCheck; // otherwise a read meets it
        Answer answer;
    };
    const Case cases[] = {
        {"full check, repaired", true, Answer::Yes},
        {"first read, repaired", false, Answer::Yes},
        {"first read, not repaired", false, Answer::No},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ShellFixture f;
        int page = 0;
        {
            ASSERT_TRUE(ClockFiles::ensureClockDatabase(f.session.paths()));
            ASSERT_TRUE(f.database.open(f.session.paths().clockDatabase()).ok());
            ClockRecords records(f.database);
            f.database.beginTransaction();
            for (int i = 0; i < 2000; ++i)
                records.append(punchRecord(QStringLiteral("E%1").arg(i % 9),
                                           QDateTime(QDate(2026, 12, 3), QTime(8, 0)).addSecs(i),
                                           i % 2 == 1));
            f.database.commit();
            f.database.close();
            SqliteConnection pages(f.session.paths().clockDatabase(), 1000);
            const QVariantList leaves = pages.column(
                QStringLiteral("SELECT pageno FROM dbstat WHERE name = 'In Out' AND pagetype = 'leaf'"));
            ASSERT_GT(leaves.size(), 10);
            page = leaves.at(leaves.size() / 2).toInt();
        }
        QFile file(f.session.paths().clockDatabase());
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.seek(qint64(page - 1) * 4096);
        file.write(QByteArray(4096, '\0'));
        file.close();

        f.messages.answers = {c.answer};
        StartUp startUp(f.services, f.session);
        startUp.fullCheckDelay = c.byFullCheck ? std::chrono::milliseconds(0) : std::chrono::hours(1);
        ASSERT_TRUE(startUp.run());
        EXPECT_TRUE(f.messages.shown.isEmpty());
        if (!c.byFullCheck) {
            for (int read = 0; read < 2; ++read)
                EXPECT_THROW(ClockRecords(f.database).since(0), DatabaseError);
        }
        EXPECT_TRUE(QTest::qWaitFor([&] { return !f.messages.shown.isEmpty(); }, 20000));
        QCoreApplication::processEvents();
        ASSERT_EQ(f.messages.shown.size(), 1); // asked once, however often the damage is met
        EXPECT_TRUE(
            f.messages.shown[0].text.startsWith(QStringLiteral("Database problem.. Error number is: 11")));
        EXPECT_TRUE(f.messages.shown[0].text.endsWith(QStringLiteral("\nRepair the database?")));
        const bool repaired = c.answer == Answer::Yes;
        EXPECT_EQ(QFileInfo::exists(f.folder.filePath(QStringLiteral("Clock_damaged_1.MDB"))), repaired);
        EXPECT_TRUE(f.database.isOpen());
        if (repaired) {
            EXPECT_GT(ClockRecords(f.database).since(0).size(), 1900);
        }
    }
}

TEST(StartUp, LoadsTodaysStaffFromTheSchedulingDatabase)
{
    for (const bool fileThere : {true, false}) {
        ShellFixture f;
        const QString roster = f.folder.filePath(QStringLiteral("roster"));
        QDir().mkpath(roster);
        {
            ProgramPaths other(f.folder.path());
            other.setDataFolder(roster);
            ASSERT_TRUE(ClockFiles::ensureClockDatabase(other));
        }
        if (fileThere) {
            RtmFixture rtm(QDir(roster).filePath(QStringLiteral("Rtm.mdb")));
            rtm.department(2, QStringLiteral("Front"));
            rtm.employee({5, QStringLiteral("Ann"), QStringLiteral("Lee"), QStringLiteral(""), 2, true});
            rtm.schedule(f.time.today(), 5, RtmFixture::period(32, 68));
        }
        QFile pathFile(QDir(f.folder.path()).filePath(QStringLiteral("RtmPath.DAT")));
        ASSERT_TRUE(pathFile.open(QIODevice::WriteOnly));
        pathFile.write(roster.toUtf8() + "/\r\n\r\n");
        pathFile.close();
        f.messages.answers = {MessageBoxes::Answer::No};

        StartUp startUp(f.services, f.session);
        EXPECT_EQ(startUp.run(), fileThere);
        EXPECT_TRUE(startUp.menuOffer() == (MenuOffer{false, true, false, false}));
        if (fileThere) {
            const QList<StaffRow> rows = StaffTable(f.database).all();
            ASSERT_EQ(rows.size(), 1);
            EXPECT_EQ(rows[0].employeeId, "Blank");
            EXPECT_EQ((std::pair<int, int>(rows[0].start, rows[0].stop)), (std::pair<int, int>(32, 68)));
            EXPECT_TRUE(f.session.blankEmployeeId());
            ASSERT_EQ(f.session.departments().entries.size(), 1);
            EXPECT_TRUE(f.messages.shown.isEmpty());
        } else {
            ASSERT_EQ(f.messages.shown.size(), 1); // the repair question, answered No
            EXPECT_TRUE(f.messages.shown[0].text.contains(QStringLiteral("3024")));
        }
    }
}
