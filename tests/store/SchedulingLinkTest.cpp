#include "store/SchedulingLink.h"

#include "BackendTest.h"
#include "FakeMessageBoxes.h"
#include "RtmFixture.h"
#include "store/DayNumber.h"
#include "store/JetReader.h"
#include "store/StaffTable.h"
#include "store/Windows1252.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
const QDate today(2026, 12, 4);

QString codes(std::initializer_list<std::pair<int, int>> positionAndCode)
{
    QString text(14, QLatin1Char(' '));
    for (const auto& [position, code] : positionAndCode)
        text[position - 1] = QChar(code);
    return text;
}

QByteArray hashOf(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}
} // namespace

// The link writes today's staff into whichever database the clock uses.
using SchedulingLinkStore = BackendTest;
TELLARIN_ON_BOTH_BACKENDS(SchedulingLinkStore);

TEST(SchedulingLink, DecodesStartsAndStops)
{
    struct Case {
        const char* label;
        QVariant text;
        SchedulingLink::Period expected;
    };
    const Case cases[] = {
        {"two periods", codes({{1, 48}, {2, 84}, {8, 80}, {9, 100}}), {16, 68}},
        {"period 1 absent", codes({{1, 48}, {2, 84}, {9, 100}}), {0, 68}},
        {"stop code 33 is present", codes({{1, 32}, {8, 33}}), {0, 1}},
        {"last of seven", codes({{1, 36}, {7, 120}, {8, 40}, {14, 128}}), {4, 96}},
        {"a gap between periods", codes({{1, 36}, {3, 80}, {8, 40}, {10, 90}}), {4, 58}},
        {"all blanks", codes({}), {0, 0}},
        {"Null", QVariant(), {0, 0}},
        {"too short", QStringLiteral("0T PD"), {0, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SchedulingLink::decodeStartsAndStops(c.text), c.expected) << c.label;
}

TEST(SchedulingLink, CodesAreBytesOfTheWindowsCodePage)
{
    // A Jet file of a Western system hands byte 128 (a stop at 24:00) over as "€".
    QString text(14, QLatin1Char(' '));
    text[0] = QChar(32 + 8);
    text[7] = QChar(0x20AC);
    EXPECT_EQ(SchedulingLink::decodeStartsAndStops(text), (SchedulingLink::Period{8, 96}));
    // Every byte from 0x80 to 0x9F, as the code page shows it, counts as that byte.
    for (int byte = 0x80; byte <= 0x9F; ++byte) {
        text[7] = Windows1252::decode(QByteArray(1, char(byte))).at(0);
        EXPECT_EQ(SchedulingLink::decodeStartsAndStops(text).stop, byte - 32) << byte;
    }
}

TEST(SchedulingLink, NameIsLastNameThenFirstName)
{
    EXPECT_EQ(SchedulingLink::employeeName(QStringLiteral(" Smith "), QStringLiteral(" Ann ")), "Smith Ann");
    EXPECT_EQ(SchedulingLink::employeeName(QStringLiteral("Smith"), QStringLiteral("   ")), "Smith");
    EXPECT_EQ(SchedulingLink::employeeName(QStringLiteral("Smith"), QVariant()), "Smith");
}

TEST_P(SchedulingLinkStore, LoadsTodaysActiveEmployeesWithTheirSchedules)
{
    TestFolder folder(backend());
    const QString path = QDir(folder.path()).filePath(QStringLiteral("rtm.mdb"));
    {
        RtmFixture rtm(path);
        rtm.department(3, QStringLiteral("Kitchen"));
        rtm.department(7, QStringLiteral("Bar"));
        rtm.employee({11, QStringLiteral("Ann"), QStringLiteral("Smith"), QStringLiteral(" A1 "), 3, true});
        rtm.employee({12, QVariant(), QStringLiteral("O'Neil"), QStringLiteral("B'2"), 7, true});
        rtm.employee({13, QStringLiteral("Gone"), QStringLiteral("Old"), QStringLiteral("C3"), 3, false});
        rtm.employee({14, QStringLiteral("No"), QStringLiteral("Number"), QVariant(), 0, true});
        rtm.schedule(today, 11, codes({{1, 48}, {2, 84}, {8, 80}, {9, 100}}));
        rtm.schedule(today.addDays(1), 12, RtmFixture::period(40, 60)); // tomorrow only
        rtm.schedule(today, 13, RtmFixture::period(1, 2));
        rtm.schedule(today, 14, QVariant());
    }
    const QByteArray before = hashOf(path);
    const QStringList filesBefore = QDir(folder.path()).entryList(QDir::Files);

    ProgramPaths paths = folder.paths();
    paths.setDataFolder(folder.path());
    const SchedulingLink::Snapshot snapshot = SchedulingLink::readFile(SchedulingLink::fileIn(paths), today);
    SchedulingLink::store(folder.database(), snapshot);

    const QList<StaffRow> rows = StaffTable(folder.database()).all();
    ASSERT_EQ(rows.size(), 3);
    const qint32 julian = DayNumber::of(today);
    EXPECT_EQ(rows[0].employee, "Smith Ann");
    EXPECT_EQ(rows[0].employeeNumber, 11);
    EXPECT_EQ(rows[0].julian, julian);
    EXPECT_EQ(rows[0].employeeId, "A1");
    EXPECT_EQ(rows[0].departmentNumber, 3);
    EXPECT_EQ((std::pair<int, int>(rows[0].start, rows[0].stop)), (std::pair<int, int>(16, 68)));
    EXPECT_EQ(rows[1].employee, "O'Neil");
    EXPECT_EQ((std::pair<int, int>(rows[1].start, rows[1].stop)),
              (std::pair<int, int>(0, 0))); // no row today
    EXPECT_TRUE(StaffTable(folder.database()).find(QStringLiteral("b'2")).has_value());
    EXPECT_EQ(rows[2].employeeId, ""); // a Null ID stays empty and is no blank ID
    EXPECT_FALSE(snapshot.blankEmployeeId);
    EXPECT_EQ(snapshot.departments.entries,
              (QList<Department>{{3, QStringLiteral("Kitchen")}, {7, QStringLiteral("Bar")}}));

    // Read only: not a byte changed, no journal left beside it.
    EXPECT_EQ(hashOf(path), before);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), filesBefore);
}

TEST(SchedulingLink, BlankIdIsStoredAsBlankAndFlagged)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("RTM.MDB"));
    RtmFixture rtm(path);
    rtm.employee({1, QStringLiteral("Ann"), QStringLiteral("Smith"), QStringLiteral("   "), 0, true});
    const SchedulingLink::Snapshot snapshot = SchedulingLink::readFile(path, today);
    ASSERT_EQ(snapshot.rows.size(), 1);
    EXPECT_EQ(snapshot.rows[0].employeeId, "Blank");
    EXPECT_TRUE(snapshot.blankEmployeeId);
}

TEST_P(SchedulingLinkStore, MissingTableIsNamedAndTheStaffTableKeepsItsRows)
{
    TestFolder folder(backend());
    StaffTable(folder.database()).replaceAll({{QStringLiteral("Kept"), 1, 0, QStringLiteral("K"), 0, 4, 8}});
    const QString path = QDir(folder.path()).filePath(QStringLiteral("RTM.MDB"));
    {
        RtmFixture rtm(path, false);
        rtm.employee({1, QStringLiteral("Ann"), QStringLiteral("Smith"), QStringLiteral("A"), 0, true});
    }
    try {
        SchedulingLink::store(folder.database(), SchedulingLink::readFile(path, today));
        FAIL() << "read a file without its day schedule";
    } catch (const SchedulingError& error) {
        FakeMessageBoxes messages;
        EXPECT_EQ(SchedulingLink::reportFailure(error, messages, nullptr), SchedulingLink::Reaction::GoOn);
        ASSERT_EQ(messages.shown.size(), 1);
        EXPECT_EQ(messages.shown[0].text, "Database problem.. Error number is: 3078.\n"
                                          "The table 'Day schedule' is missing from RTM.MDB.");
        EXPECT_EQ(messages.shown[0].title, "Database");
    }
    ASSERT_EQ(StaffTable(folder.database()).all().size(), 1);
    EXPECT_EQ(StaffTable(folder.database()).all()[0].employee, "Kept");
}

TEST(SchedulingLink, OpeningFailuresAreToldAsTheManagerKnowsThem)
{
    QTemporaryDir dir;
    const QString locked = dir.filePath(QStringLiteral("locked/RTM.MDB"));
    QDir().mkpath(dir.filePath(QStringLiteral("locked")));
    RtmFixture holder(locked);
    holder.exec("BEGIN EXCLUSIVE");
    holder.exec(R"(INSERT INTO "Department" VALUES (1, 'x'))");

    const QString foreign = dir.filePath(QStringLiteral("RTM.MDB"));
    QFile text(foreign);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("Roster export, not a database\r\n");
    text.close();

    struct Case {
        QString path;
        SchedulingError::Kind kind;
        QString firstLine;
        SchedulingLink::Reaction reaction;
    };
    const Case cases[] = {
        {locked, SchedulingError::Kind::InUse, "Database is in use!", SchedulingLink::Reaction::EndProgram},
        {foreign, SchedulingError::Kind::Unreadable, "Database problem.. Error number is: 3343.",
         SchedulingLink::Reaction::TryAgain},
        {dir.filePath(QStringLiteral("none/RTM.MDB")), SchedulingError::Kind::Unreadable,
         "Database problem.. Error number is: 3024.", SchedulingLink::Reaction::TryAgain},
    };
    for (const Case& c : cases) {
        try {
            SchedulingLink::read(*SchedulingFile::open(c.path, 50), today);
            ADD_FAILURE() << "opened " << c.path.toStdString();
        } catch (const SchedulingError& error) {
            EXPECT_EQ(error.kind(), c.kind) << c.path.toStdString();
            FakeMessageBoxes messages; // answers Yes
            EXPECT_EQ(SchedulingLink::reportFailure(error, messages, nullptr), c.reaction);
            ASSERT_EQ(messages.shown.size(), 1);
            EXPECT_EQ(messages.shown[0].text.section(QLatin1Char('\n'), 0, 0), c.firstLine);
            EXPECT_EQ(messages.shown[0].title, "Database");
        }
    }
    FakeMessageBoxes no;
    no.answers = {MessageBoxes::Answer::No};
    const SchedulingError damaged(SchedulingError::Kind::Unreadable, QStringLiteral("11"),
                                  QStringLiteral("bad"));
    EXPECT_EQ(SchedulingLink::reportFailure(damaged, no, nullptr), SchedulingLink::Reaction::EndProgram);
    EXPECT_TRUE(no.shown[0].text.endsWith(QStringLiteral("\nbad\nRepair the database?")));
}

TEST(SchedulingLink, ChosenFileMustBeRtmMdb)
{
    EXPECT_EQ(SchedulingLink::folderOfChosenFile(QStringLiteral("/srv/roster/rtm.mdb")), "/srv/roster/");
    EXPECT_EQ(SchedulingLink::folderOfChosenFile(QStringLiteral("/srv/roster/Rtm.MDB")), "/srv/roster/");
    EXPECT_EQ(SchedulingLink::folderOfChosenFile(QStringLiteral("/RTM.MDB")), "/");
    EXPECT_FALSE(SchedulingLink::folderOfChosenFile(QStringLiteral("/srv/roster/Clock.mdb")));
    EXPECT_FALSE(SchedulingLink::folderOfChosenFile(QStringLiteral("/srv/RTM.MDB.bak")));
}

TEST(SchedulingFile, RecognisesTheFormatByItsFirstBytes)
{
    const QByteArray jet = QByteArray("\x00\x01\x00\x00Standard Jet DB\x00", 20);
    const QByteArray ace = QByteArray("\x00\x01\x00\x00Standard ACE DB\x00", 20);
    EXPECT_EQ(SchedulingFile::formatOf(QByteArray("SQLite format 3\x00", 16)),
              SchedulingFile::Format::Sqlite);
    EXPECT_EQ(SchedulingFile::formatOf(jet), SchedulingFile::Format::Jet);
    EXPECT_EQ(SchedulingFile::formatOf(ace), SchedulingFile::Format::Jet);
    EXPECT_EQ(SchedulingFile::formatOf("Standard Jet DB"), SchedulingFile::Format::Unknown);
    EXPECT_EQ(SchedulingFile::formatOf(QByteArray()), SchedulingFile::Format::Unknown);
}

TEST(JetValues, TurnsBoundTextIntoTypedValues)
{
    using namespace JetValues;
    struct Case {
        int type;
        QByteArray bound;
        QVariant expected;
    };
    const Case cases[] = {
        {Boolean, "1", true},
        {Boolean, "0", false},
        {Integer, "-12", qlonglong(-12)},
        {LongInteger, "70000", qlonglong(70000)},
        {Byte, "7", qlonglong(7)},
        {Text, "Caf\xC3\xA9 ", QStringLiteral("Caf\u00E9 ")},
        {Memo, "  ", QStringLiteral("  ")},
        {DateTime, "2026-12-04 00:00:00", QDateTime(QDate(2026, 12, 4), QTime(0, 0))},
        {DateTime, "not a date", QVariant()},
        {Double, "2.5", 2.5},
        {Text, "", QVariant()},
        {LongInteger, "", QVariant()},
    };
    for (const Case& c : cases) {
        const QVariant value = toVariant(c.type, c.bound);
        EXPECT_EQ(value, c.expected) << c.type << " " << c.bound.constData();
        EXPECT_EQ(value.isNull(), c.expected.isNull()) << c.type << " " << c.bound.constData();
    }
}

TEST(SchedulingLink, ValuesThatDoNotFitAreRefusedNamingTableRowAndField)
{
    const struct {
        const char* employee; // the VALUES of one more row of table Employee
        const char* schedule; // its Starts & Stops today, or nullptr
        const char* refusal;  // nullptr: loads
    } cases[] = {
        {"(1099511627781, 'Al', 'Big', 'X9', 1, 1)", nullptr,
         "Table Employee, row with Employee 1099511627781: field Employee is not a number"},
        {"(21, 'Al', 'Dept', 'X9', 99999, 1)", nullptr,
         "Table Employee, row with Employee 21: field Dep number holds 99999"},
        {"(21, 'Al', 'Dept', 'X9', -1, 1)", nullptr, "field Dep number holds -1"},
        {"(21, 'Al', 'Maybe', 'X9', 1, 'maybe')", nullptr, "field Active holds maybe, not yes or no"},
        {"(21, 'Al', 'Twice', 'a1', 1, 1)", nullptr,
         "rows with Employee 11 and 21: field ID holds the same ID a1"},
        {"(21, 'Al', 'Odd', 'X9', 1, 1)", "\x01\x20\x20\x20\x20\x20\x20\x50\x20\x20\x20\x20\x20\x20",
         "Table Day schedule, row with Employee 21: field Starts & Stops holds a time outside the day"},
        {"(21, 'Al', 'Late', 'X9', 1, 1)", "\x30\x20\x20\x20\x20\x20\x20\xff\x20\x20\x20\x20\x20\x20",
         "field Starts & Stops holds a time outside the day"},
        {"(21, 'Al', 'Gone', 'a1', 1, 'no')", nullptr, nullptr}, // inactive: neither counted nor a twin
        {"(21, 'Al', 'Fine', 'X9', 32767, 'Yes')", "\x30\x20\x20\x20\x20\x20\x20\x80\x20\x20\x20\x20\x20\x20",
         nullptr},
    };
    for (const auto& c : cases) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("RTM.MDB"));
        {
            RtmFixture rtm(path);
            rtm.department(1, QStringLiteral("Kitchen"));
            rtm.employee({11, QStringLiteral("Ann"), QStringLiteral("Smith"), QStringLiteral("A1"), 1, true});
            rtm.exec(qPrintable(
                QStringLiteral(R"(INSERT INTO "Employee" VALUES %1)").arg(QLatin1String(c.employee))));
            if (c.schedule)
                rtm.schedule(today, 21, QString::fromLatin1(c.schedule));
        }
        SCOPED_TRACE(c.employee);
        try {
            const SchedulingLink::Snapshot snapshot = SchedulingLink::readFile(path, today);
            EXPECT_EQ(c.refusal, nullptr) << "loaded";
            EXPECT_GE(snapshot.rows.size(), 1);
        } catch (const SchedulingError& error) {
            ASSERT_NE(c.refusal, nullptr) << error.text().toStdString();
            EXPECT_EQ(error.kind(), SchedulingError::Kind::BadValue);
            EXPECT_TRUE(error.text().contains(QLatin1String(c.refusal))) << error.text().toStdString();
            FakeMessageBoxes messages;
            EXPECT_EQ(SchedulingLink::reportFailure(error, messages, nullptr),
                      SchedulingLink::Reaction::GoOn);
        }
    }
}
