#include "store/StaffFiles.h"

#include "store/Windows1252.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
// Sunday 03:00-11:00 (value 12 needs its stand-in code), Monday 08:00-12:00 and 13:00-24:00.
QList<Employee> sampleEmployees()
{
    Employee pat{7, "O'Brien, Pat", QStringLiteral("Z\u00F6\u20AC1"), 3, Money::fromUnits(125000), true, {}};
    pat.schedule.setSlot(1, 1, 12, 44);
    pat.schedule.setSlot(2, 1, 32, 48);
    pat.schedule.setSlot(2, 2, 52, 96);
    const Employee deleted{0, "Gone", {}, 0, {}, true, {}};
    const Employee idle{9, "Idle", "9", 0, Money::fromUnits(-2500), false, {}};
    return {pat, deleted, idle};
}

QByteArray sampleEmployeeFile()
{
    QByteArray starts(28, ' '), stops(28, ' ');
    starts.replace(0, 6, "\xA9   @T");
    stops.replace(0, 6, "L   P\x80");
    const QByteArray reserved = QByteArrayLiteral(" \r\n 0 \r\n");
    return QByteArrayLiteral(" 7 \r\nO'Brien  Pat\r\nZ\xF6\x80"
                             "1\r\n 3 \r\n 12.5 \r\n-1 \r\n") +
           starts + "\r\n" + stops + "\r\n" + reserved +
           QByteArrayLiteral(" 9 \r\nIdle\r\n9\r\n 0 \r\n-0.25 \r\n 0 \r\n") + QByteArray(28, ' ') + "\r\n" +
           QByteArray(28, ' ') + "\r\n" + reserved;
}
} // namespace

TEST(StaffFiles, EmployeeFileBytes)
{
    const QByteArray written = StaffFiles::employeeBytes(sampleEmployees());
    EXPECT_EQ(written, sampleEmployeeFile());
    const EmployeeList read = StaffFiles::readEmployees(written);
    ASSERT_EQ(read.count(), 2);
    EXPECT_EQ(read.entries[0].name, QStringLiteral("O'Brien  Pat"));
    EXPECT_EQ(read.entries[0].schedule.firstStart(1), 12);
    EXPECT_EQ(StaffFiles::employeeBytes(read.entries), written);
    // A stop code of 32 or below leaves the slot empty, whatever its start says.
    EXPECT_EQ(WeeklySchedule(QByteArray(28, 'A'), QByteArray(28, ' ')).latestStop(1), 0);
    EXPECT_EQ(WeeklySchedule::valueOf(','), 12);
}

TEST(StaffFiles, DepartmentFileBytes)
{
    const QList<Department> departments = {{2, QStringLiteral("Kitchen, hot")},
                                           {5, QStringLiteral("   ")},
                                           {4, QStringLiteral(",")},
                                           {-1, "Bar"}};
    const QByteArray written = StaffFiles::departmentBytes(departments);
    EXPECT_EQ(written, QByteArrayLiteral(" 2 \r\nKitchen  hot\r\n \r\n 0 \r\n-1 \r\nBar\r\n \r\n 0 \r\n"));
    const DepartmentList read = StaffFiles::readDepartments(written);
    ASSERT_EQ(read.count(), 2);
    EXPECT_EQ(read.highestNumber, 2);
    EXPECT_EQ(StaffFiles::departmentBytes(read.entries), written);
}

TEST(StaffFiles, ReadersTolerateHandEditedFiles)
{
    struct Case {
        QByteArray file;
        qint32 number;
        const char* name;
        qint16 department;
        const char* pay;
        bool active;
    };
    const Case cases[] = {
        {"5\nAnn\nA\n2\n1.5\n-1\n\n\n\n0", 5, "Ann", 2, "1.5", true},
        {"  5  \r \tAnn Lee ,x\rA\r 2,9\r 1.50 \r 1\r\r\r\r0", 5, "Ann Lee ", 2, "1.5", true},
        {"99999999999\nAnn\nA\n40000\n1.23456\nyes\n\n\n\n0", 0, "Ann", 0, "0", false},
    };
    for (const Case& c : cases) {
        const EmployeeList read = StaffFiles::readEmployees(c.file);
        ASSERT_EQ(read.count(), 1) << c.file.data();
        const Employee& e = read.entries[0];
        EXPECT_EQ(e.employeeNumber, c.number) << c.file.data();
        EXPECT_EQ(e.name, QString::fromLatin1(c.name)) << c.file.data();
        EXPECT_EQ(e.departmentNumber, c.department) << c.file.data();
        EXPECT_EQ(e.pay.toString(), QString::fromLatin1(c.pay)) << c.file.data();
        EXPECT_EQ(e.active, c.active) << c.file.data();
    }
}

TEST(StaffFiles, CutFileKeepsCompleteRecords)
{
    struct Format {
        QByteArray file;
        int linesPerRecord;
        std::function<qsizetype(const QByteArray&)> count;
    };
    const Format formats[] = {
        {sampleEmployeeFile(), 10,
         [](const QByteArray& b) {
             return StaffFiles::readEmployees(b).count();
         }},
        {StaffFiles::departmentBytes({{1, "A"}, {2, "B"}}), 4,
         [](const QByteArray& b) {
             return StaffFiles::readDepartments(b).count();
         }},
    };
    for (const Format& f : formats) {
        // A record counts once some byte of its last line is there.
        QList<qsizetype> lastLineStarts;
        for (qsizetype i = 0, line = 0; i < f.file.size(); ++i) {
            if (f.file[i] == '\n' && ++line % f.linesPerRecord == f.linesPerRecord - 1)
                lastLineStarts.append(i + 1);
        }
        ASSERT_EQ(lastLineStarts.size(), 2);
        for (qsizetype cut = 0; cut <= f.file.size(); ++cut) {
            const qsizetype expected = (cut > lastLineStarts[0]) + (cut > lastLineStarts[1]);
            EXPECT_EQ(f.count(f.file.left(cut)), expected) << f.linesPerRecord << " lines, cut at " << cut;
        }
    }
    const QByteArray file = sampleEmployeeFile();
    EXPECT_EQ(StaffFiles::readEmployees(file.left(file.size() - 2)).entries,
              StaffFiles::readEmployees(file).entries);
}

TEST(StaffFiles, AnsiTextRoundTrip)
{
    QByteArray all;
    for (int b = 1; b < 256; ++b)
        all.append(static_cast<char>(b));
    EXPECT_EQ(Windows1252::encode(Windows1252::decode(all)), all);
    EXPECT_EQ(Windows1252::encode(QStringLiteral("\u0416x")), QByteArrayLiteral("?x"));
}

TEST(StaffFiles, NextNumberIsHighestPresentPlusOne)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Empl.DAT"));
    QList<Employee> employees(3);
    employees[0].employeeNumber = 17;
    employees[1].employeeNumber = 41;
    employees[2].employeeNumber = 0; // deleted in the employee list: not written
    ASSERT_TRUE(StaffFiles::writeEmployees(path, employees));
    EXPECT_EQ(StaffFiles::loadEmployees(path).count(), 2);
    EXPECT_EQ(StaffFiles::loadEmployees(path).nextNumber(), 42);
    EXPECT_EQ(StaffFiles::readEmployees(" 32767 \n\n\n\n\n\n\n\n\n\n").nextNumber(), 0);
    EXPECT_EQ(StaffFiles::loadEmployees(dir.filePath(QStringLiteral("missing"))).count(), 0);
}
