#include "staff/StaffCsv.h"

#include "StaffFixture.h"
#include "staff/EmployeesCommand.h"
#include "staff/ImportSummary.h"
#include "staff/ScheduleGrid.h"
#include "staff/StaffSaving.h"
#include "store/StaffTable.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {
const QByteArray header =
    "Name,ID,Department,Pay,Active,Sunday,Monday,Tuesday,Wednesday,Thursday,Friday,Saturday\r\n";

Employee employee(qint32 number, const char* name, const char* id, qint16 department,
                  QList<SchedulePeriod> monday = {})
{
    ScheduleGrid grid;
    grid.setPeriods(2, monday);
    return {number, QString::fromUtf8(name), QString::fromUtf8(id), department, Money::fromUnits(125000),
            true,   grid.schedule()};
}

struct CommandRun {
    int code;
    QString out;
    QString err;
};

CommandRun run(const Services& services, Session& session, const QStringList& args)
{
    QString out;
    QString err;
    QTextStream o(&out);
    QTextStream e(&err);
    const int code = runEmployeesCommand(services, session, args, o, e);
    return {code, out, err};
}

QString writeCsv(const StaffFixture& f, const QByteArray& bytes)
{
    const QString path = f.folder.path() + QStringLiteral("/staff.csv");
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}

class StaffCsvTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        f.writeStaff({employee(1, "Adams Ann", "A1", 1, {{32, 48}}), employee(2, "Brown Bob", "B2", 4)},
                     {{1, QStringLiteral("Kitchen")}, {4, QStringLiteral("Bar")}});
    }
    StaffFixture f;
};
} // namespace

TEST_F(StaffCsvTest, ImportAddsAndUpdatesByIdAndRebuildsTheTable)
{
    const QString path =
        writeCsv(f, header + "\"Carter, Cy\",c3,Hall,15.25,yes,,08:00-12:00 13:00-17:00,,,,,\r\n"
                             "Adams Ann,a1,KITCHEN,12.5,no,,08:00-12:00,,,,,\r\n"
                             "\r\n"
                             "Dee,D4,Pool,,YES,,\"03:00-11:00\",,,,,00:00-24:00\n"
                             "Eve,E5,hall,1,yes,,,,,,,");
    const CommandRun r =
        run(f.services, f.session, {QStringLiteral("import"), path, QStringLiteral("--create-departments")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("added\t3\nupdated\t1\nunchanged\t0\ndepartments added\t2\n"));

    const DepartmentList departments = StaffFiles::loadDepartments(f.departmentFile());
    EXPECT_EQ(departments.entries, (QList<Department>{{4, "Bar"}, {5, "Hall"}, {1, "Kitchen"}, {6, "Pool"}}));
    const EmployeeList employees = StaffFiles::loadEmployees(f.employeeFile());
    ASSERT_EQ(employees.count(), 5);
    QStringList order;
    for (const Employee& e : employees.entries)
        order.append(QStringLiteral("%1:%2:%3:%4")
                         .arg(e.employeeNumber)
                         .arg(e.name, e.employeeId)
                         .arg(e.departmentNumber));
    EXPECT_EQ(order, (QStringList{"1:Adams Ann:a1:1", "2:Brown Bob:B2:4", "3:Carter  Cy:c3:5", "4:Dee:D4:6",
                                  "5:Eve:E5:5"}));
    EXPECT_FALSE(employees.entries[0].active);
    EXPECT_EQ(employees.entries[0].pay, Money::fromUnits(125000));
    EXPECT_EQ(employees.entries[2].pay, Money::fromUnits(152500));
    EXPECT_EQ(ScheduleGrid(employees.entries[3].schedule).periods(7), (QList<SchedulePeriod>{{0, 96}}));
    EXPECT_EQ(f.session.employees().entries, employees.entries) << "the program's lists are reloaded";

    // Monday's table: Adams is inactive now, Carter has 08:00 to 17:00.
    QStringList rows;
    for (const StaffRow& row : StaffTable(f.folder.database()).all())
        rows.append(QStringLiteral("%1 %2-%3").arg(row.employeeId).arg(row.start).arg(row.stop));
    EXPECT_EQ(rows, (QStringList{"B2 0-0", "c3 32-68", "D4 12-44", "E5 0-0"}));
}

TEST_F(StaffCsvTest, AnIdMatchesOneLetterForOneLetter)
{
    f.writeStaff({employee(1, "Sachs", "SS1", 1)}, {{1, QStringLiteral("Kitchen")}});
    const StaffCsv::Plan plan =
        StaffCsv::plan(header + "Strauss,ß1,Kitchen,,yes,,,,,,,\r\nSachs,ss1,Kitchen,12.5,yes,,,,,,,\r\n",
                       f.session.employees(), f.session.departments());
    ASSERT_TRUE(plan.errors.isEmpty()) << plan.errors.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(plan.added, 1);
    EXPECT_EQ(plan.updated, 1); // the ID as now written
    ASSERT_EQ(plan.employees.size(), 2);
    EXPECT_EQ(plan.employees[0].employeeId, QStringLiteral("ss1"));
    EXPECT_EQ(plan.employees[1].employeeId, QStringLiteral("ß1"));
}

TEST_F(StaffCsvTest, ImportTellsWhatItWillDoAndAsksBeforeNewDepartments)
{
    const QByteArray csv = header + "Adams Anna,A1,Kitchen,13,yes,,08:00-12:00 13:00-17:00,,,,,\r\n"
                                    "Brown Bob,B2,Bar,12.5,yes,,,,,,,\r\n"
                                    "Cy,C3,Nowhere,,yes,,,,,,,\r\n";
    const QString path = writeCsv(f, csv);
    const QByteArray employeesBefore = f.bytesOf(f.employeeFile());
    const QByteArray departmentsBefore = f.bytesOf(f.departmentFile());
    const auto unchanged = [&] {
        return f.bytesOf(f.employeeFile()) == employeesBefore &&
               f.bytesOf(f.departmentFile()) == departmentsBefore;
    };

    const StaffCsv::Plan plan = StaffCsv::plan(csv, f.session.employees(), f.session.departments());
    EXPECT_EQ(ImportSummary::sentence(plan),
              QStringLiteral("1 added, 1 changed (A1 Adams Anna: name, pay, Monday), 1 unchanged, "
                             "1 new department (Nowhere)"));

    const CommandRun dry =
        run(f.services, f.session, {QStringLiteral("import"), path, QStringLiteral("--dry-run")});
    EXPECT_EQ(dry.code, 0) << dry.err.toStdString();
    EXPECT_EQ(dry.out, QStringLiteral("change\tA1\tAdams Anna\tname, pay, Monday\n"
                                      "unchanged\tB2\tBrown Bob\t\n"
                                      "department\t5\tNowhere\tnew\n"
                                      "add\tC3\tCy\t\n"));
    EXPECT_TRUE(unchanged()) << "a dry run writes nothing";

    const CommandRun refused = run(f.services, f.session, {QStringLiteral("import"), path});
    EXPECT_EQ(refused.code, 7);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("unknown department: Nowhere")))
        << refused.err.toStdString();
    EXPECT_TRUE(unchanged());

    EXPECT_EQ(
        run(f.services, f.session, {QStringLiteral("import"), path, QStringLiteral("--create-departments")})
            .code,
        0);
    EXPECT_EQ(StaffFiles::loadEmployees(f.employeeFile()).count(), 3);
}

TEST_F(StaffCsvTest, CharactersTheStaffFilesCannotHoldAreRefusedBeforeAnythingIsWritten)
{
    const QString path =
        writeCsv(f, header + "Łukasz,Ł1,Kitchen,,yes,,,,,,,\r\nŚwiatek,Ś1,Kitchen,,yes,,,,,,,\r\n");
    const QByteArray before = f.bytesOf(f.employeeFile());
    const CommandRun r = run(f.services, f.session, {QStringLiteral("import"), path});
    EXPECT_EQ(r.code, 7);
    EXPECT_TRUE(
        r.err.contains(QStringLiteral("line 2: the name contains \"Ł\", which the staff files cannot hold")))
        << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("line 3: the ID contains \"Ś\"")));
    EXPECT_EQ(f.bytesOf(f.employeeFile()), before);
}

TEST_F(StaffCsvTest, ABadRowRefusesTheWholeFile)
{
    struct Case {
        QByteArray rows;
        const char* error;
    };
    const QByteArray good = "Fay,F6,,,yes,,,,,,,\r\n";
    const Case cases[] = {
        {good + "Gus,G7,,,yes,,,,,,\r\n", "line 3: 11 fields where 12 belong"},
        {good + " , ,G7,,,yes,,,,,,,\r\n", "line 3: 13 fields"},
        {good + "\"\",G7,,,yes,,,,,,,\r\n", "line 3: the name is empty"},
        {good + "Gus, ,,,yes,,,,,,,\r\n", "line 3: the ID is empty"},
        {good + "Gus,f6,,,yes,,,,,,,\r\n", "line 3: ID f6 is already on line 2"},
        {good + "Gus,G7,,,maybe,,,,,,,\r\n", "line 3: Active must be yes or no"},
        {good + "Gus,G7,,12.34567,yes,,,,,,,\r\n", "line 3: pay \"12.34567\" is not an amount"},
        {good + "Gus,G7,\"Ba\"\"r\",,yes,,,,,,,\r\n", "line 3: the department name contains a double quote"},
        {good + "Gus,G7,,,yes,,8 to 5,,,,,\r\n", "line 3: Monday: \"8\" is not a period"},
        {good + "Gus,G7,,,yes,,,,,,08:10-09:00,\r\n",
         "line 3: Friday: \"08:10-09:00\" is not on a quarter hour"},
        {good + "Gus,G7,,,yes,1-2 3-4 5-6 7-8,,,,,,\r\n", "line 3: Sunday: more than three"},
        {"\"Multi\nline\",H8,,,yes,,,,,,,\r\n" + good + "Gus,G7,,,no,,,,,,,x\r\n", "line 5: Saturday"},
        {good + "\"Gus,G7,,,yes,,,,,,,\r\n", "line 3: a quoted field is not closed"},
        {good + "G\xFFus,G7,,,yes,,,,,,,\r\n", "the file is not UTF-8 text"},
        {good + "Gus,G7,,-12.50,yes,,,,,,,\r\n", "line 3: pay \"-12.50\" is below zero"},
        {good + QByteArray("G\0us,G7,,,yes,,,,,,,\r\n", 21),
         "line 3: the name contains the control character \\x00"},
        {good + "Gus,G\x1b[2J7,,,yes,,,,,,,\r\n", "line 3: the ID contains the control character \\x1b"},
        {good + "Gus,G7,Ba\x07r,,yes,,,,,,,\r\n",
         "line 3: the department contains the control character \\x07"},
    };
    const QByteArray employeesBefore = StaffFixture::bytesOf(f.employeeFile());
    const QByteArray departmentsBefore = StaffFixture::bytesOf(f.departmentFile());
    for (const Case& c : cases) {
        const CommandRun r =
            run(f.services, f.session, {QStringLiteral("import"), writeCsv(f, header + c.rows)});
        EXPECT_EQ(r.code, 7) << c.error;
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.error))) << c.error << "\n" << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_EQ(StaffFixture::bytesOf(f.employeeFile()), employeesBefore);
        EXPECT_EQ(StaffFixture::bytesOf(f.departmentFile()), departmentsBefore);
    }
    const CommandRun wrongHeader =
        run(f.services, f.session, {QStringLiteral("import"), writeCsv(f, "name,id\r\n" + good)});
    EXPECT_EQ(wrongHeader.code, 7);
    EXPECT_TRUE(wrongHeader.err.contains(QStringLiteral("line 1: the first row must be Name,ID,")));
    // Every bad row is listed, not only the first.
    const CommandRun many =
        run(f.services, f.session,
            {QStringLiteral("import"), writeCsv(f, header + ",X,,,yes,,,,,,,\r\nY,,,,yes,,,,,,,\r\n")});
    EXPECT_TRUE(many.err.startsWith(
        QStringLiteral("tellarin: %1: nothing imported, 2 problems\n").arg(f.folder.path() + "/staff.csv")))
        << many.err.toStdString();
}

TEST_F(StaffCsvTest, ExportThenImportChangesNothing)
{
    Employee night = employee(9, "O\"Neil Night", "N,9", 7, {{12, 44}, {52, 96}}); // department 7 was deleted
    night.active = false;
    f.writeStaff({employee(1, "Adams Ann", "A1", 1, {{32, 48}}), night, employee(2, "Brown Bob", "b2", 0)},
                 {{1, QStringLiteral("Kitchen, Main")}, {4, QStringLiteral("Bar")}});
    const QByteArray employeesBefore = StaffFixture::bytesOf(f.employeeFile());
    const QByteArray departmentsBefore = StaffFixture::bytesOf(f.departmentFile());

    const CommandRun exported = run(f.services, f.session, {QStringLiteral("export")});
    ASSERT_EQ(exported.code, 0) << exported.err.toStdString();
    EXPECT_EQ(exported.out.toUtf8(), header +
                                         "Adams Ann,A1,Kitchen  Main,12.5,yes,,08:00-12:00,,,,,\r\n"
                                         "\"O\"\"Neil Night\",N 9,,12.5,no,,03:00-11:00 13:00-24:00,,,,,\r\n"
                                         "Brown Bob,b2,,12.5,yes,,,,,,,\r\n");
    const QString path = writeCsv(f, exported.out.toUtf8());
    const CommandRun imported = run(f.services, f.session, {QStringLiteral("import"), path});
    ASSERT_EQ(imported.code, 0) << imported.err.toStdString();
    EXPECT_EQ(imported.out, QStringLiteral("added\t0\nupdated\t0\nunchanged\t3\ndepartments added\t0\n"));
    EXPECT_EQ(StaffFixture::bytesOf(f.employeeFile()), employeesBefore);
    EXPECT_EQ(StaffFixture::bytesOf(f.departmentFile()), departmentsBefore);

    const QString file = f.folder.path() + QStringLiteral("/out.csv");
    EXPECT_EQ(run(f.services, f.session, {QStringLiteral("export"), file}).code, 0);
    EXPECT_EQ(StaffFixture::bytesOf(file), exported.out.toUtf8());
}

TEST_F(StaffCsvTest, AFailureHalfWayLeavesBothFilesWhole)
{
    const StaffCsv::Plan plan = StaffCsv::plan(header + "Gus,G7,Pool,,yes,,,,,,,\r\n", f.session.employees(),
                                               f.session.departments());
    ASSERT_TRUE(plan.errors.isEmpty());
    ASSERT_TRUE(plan.employeesChanged && plan.departmentsChanged);
    const QByteArray employeesBefore = StaffFixture::bytesOf(f.employeeFile());
    const QByteArray departmentsBefore = StaffFixture::bytesOf(f.departmentFile());
    const EmployeeList listBefore = f.session.employees();

    for (int failingCall : {1, 2}) {
        int calls = 0;
        const StaffSaving::Replace failing = [&](const QString& from, const QString& to) {
            return ++calls != failingCall && QFile::remove(to) && QFile::rename(from, to);
        };
        const StaffSaving::Outcome outcome =
            StaffSaving::save(f.services, f.session, plan.employees, plan.departments, failing);
        EXPECT_EQ(outcome.status, StaffSaving::Status::FilesNotWritten) << failingCall;
        EXPECT_EQ(StaffFixture::bytesOf(f.employeeFile()), employeesBefore) << failingCall;
        EXPECT_EQ(StaffFixture::bytesOf(f.departmentFile()), departmentsBefore) << failingCall;
        EXPECT_EQ(f.session.employees().entries, listBefore.entries);
        EXPECT_EQ(
            QDir(f.folder.path()).entryList({QStringLiteral("*.new"), QStringLiteral("*.old")}, QDir::Files),
            QStringList())
            << "no temporary file is left behind";
    }
    EXPECT_EQ(StaffSaving::save(f.services, f.session, plan.employees, plan.departments).status,
              StaffSaving::Status::Saved);
    EXPECT_EQ(f.session.employees().count(), 3);
}

TEST_F(StaffCsvTest, CommandArguments)
{
    const std::pair<QStringList, int> cases[] = {
        {{}, 2},
        {{"frob"}, 2},
        {{"import"}, 2},
        {{"import", "a.csv", "b.csv"}, 2},
        {{"import", f.folder.path() + "/missing.csv"}, 2},
        {{"export", "a.csv", "b.csv"}, 2},
        {{"export", f.folder.path() + "/no/such/folder/x.csv"}, 6},
    };
    for (const auto& [args, code] : cases) {
        const CommandRun r = run(f.services, f.session, args);
        EXPECT_EQ(r.code, code) << args.join(' ').toStdString();
        EXPECT_EQ(r.err.count(QLatin1Char('\n')), 1) << "one clear line: " << r.err.toStdString();
    }
    f.writeStaff({}, {});
    const CommandRun empty = run(f.services, f.session, {QStringLiteral("export")});
    EXPECT_EQ(empty.code, 1);
    EXPECT_EQ(empty.out.toUtf8(), header);
}

TEST_F(StaffCsvTest, ExportNeverWritesOverTheProgramsOwnFiles)
{
    const QString folder = f.folder.path();
    const QByteArray employees = StaffFixture::bytesOf(folder + QStringLiteral("/Empl.DAT"));
    const QByteArray database = StaffFixture::bytesOf(folder + QStringLiteral("/Clock.mdb"));
    for (const char* name : {"Clock.mdb", "Empl.DAT", "dept.dat", "Queue.db", "Pictures/1.jpg"}) {
        const CommandRun r = run(f.services, f.session,
                                 {QStringLiteral("export"), folder + QLatin1Char('/') + QLatin1String(name)});
        EXPECT_EQ(r.code, 6) << name;
        EXPECT_TRUE(r.err.contains(QLatin1String("the program's own file"))) << r.err.toStdString();
    }
    EXPECT_EQ(StaffFixture::bytesOf(folder + QStringLiteral("/Empl.DAT")), employees);
    EXPECT_EQ(StaffFixture::bytesOf(folder + QStringLiteral("/Clock.mdb")), database);
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("/Queue.db")));
}

TEST_F(StaffCsvTest, ALongListOfProblemsStopsAfterTwentyWithTheCountOfTheRest)
{
    QByteArray rows;
    for (int i = 0; i < 1000; ++i)
        rows += "Name " + QByteArray::number(i) + ",,,-1,perhaps,,,,,,,\r\n"; // three problems a row
    const CommandRun r = run(f.services, f.session, {QStringLiteral("import"), writeCsv(f, header + rows)});
    EXPECT_EQ(r.code, 7);
    const QStringList lines = r.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 22) << r.err.toStdString();
    EXPECT_TRUE(lines.first().endsWith(QStringLiteral("nothing imported, 3000 problems")));
    EXPECT_EQ(lines.last(), QStringLiteral("... and 2980 more"));
}
