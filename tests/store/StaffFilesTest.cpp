#include "store/StaffFiles.h"

#include "store/Windows1252.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QByteArray bytes(std::initializer_list<int> codes) {
    QByteArray out;
    for (int c : codes)
        out.append(static_cast<char>(c));
    return out;
}

// Sunday 03:00-11:00 (the value 12 needs its stand-in code), Monday 08:00-12:00 and 13:00-24:00.
WeeklySchedule sampleWeek() {
    WeeklySchedule week;
    week.setSlot(1, 1, 12, 44);
    week.setSlot(2, 1, 32, 48);
    week.setSlot(2, 2, 52, 96);
    return week;
}

QByteArray sampleEmployeeFile() {
    QByteArray starts(28, ' ');
    QByteArray stops(28, ' ');
    starts[0] = char(169), stops[0] = char(76);
    starts[4] = char(64), stops[4] = char(80);
    starts[5] = char(84), stops[5] = char(128);
    return QByteArrayLiteral(" 7 \r\nO'Brien  Pat\r\nZ") + bytes({0xF6, 0x80}) +
           QByteArrayLiteral("1\r\n 3 \r\n 12.5 \r\n-1 \r\n") + starts + "\r\n" + stops +
           QByteArrayLiteral("\r\n \r\n 0 \r\n") +
           QByteArrayLiteral(" 9 \r\nIdle\r\n9\r\n 0 \r\n-0.25 \r\n 0 \r\n") + QByteArray(28, ' ') + "\r\n" +
           QByteArray(28, ' ') + QByteArrayLiteral("\r\n \r\n 0 \r\n");
}

QList<Employee> sampleEmployees() {
    Employee pat;
    pat.employeeNumber = 7;
    pat.name = QStringLiteral("O'Brien, Pat");
    pat.employeeId = QStringLiteral("Z\u00F6\u20AC1");
    pat.departmentNumber = 3;
    pat.pay = *Money::parse(QStringLiteral("12.5"));
    pat.schedule = sampleWeek();
    Employee idle;
    idle.employeeNumber = 9;
    idle.name = QStringLiteral("Idle");
    idle.employeeId = QStringLiteral("9");
    idle.pay = *Money::parse(QStringLiteral("-0.25"));
    idle.active = false;
    Employee deleted;
    deleted.name = QStringLiteral("Gone");
    return {pat, deleted, idle};
}
} // namespace

TEST(WeeklySchedule, ValueCodes) {
    struct Case {
        int value;
        int code;
    };
    const Case cases[] = {{0, 32}, {1, 33}, {11, 43}, {12, 169}, {13, 45}, {48, 80}, {95, 127}, {96, 128}};
    for (const Case& c : cases) {
        EXPECT_EQ(static_cast<unsigned char>(WeeklySchedule::codeOf(c.value)), c.code) << c.value;
        EXPECT_EQ(WeeklySchedule::valueOf(static_cast<char>(c.code)), c.value) << c.code;
    }
    EXPECT_EQ(WeeklySchedule::valueOf(','), 12);
    EXPECT_EQ(WeeklySchedule::valueOf('\t'), 0);
}

TEST(WeeklySchedule, SlotPositionsAndDaySummary) {
    const WeeklySchedule week = sampleWeek();
    EXPECT_EQ(week.startCodes().mid(4, 4), bytes({64, 84, 32, 32}));
    EXPECT_EQ(week.stopCodes().mid(4, 4), bytes({80, 128, 32, 32}));
    EXPECT_EQ(week.firstStart(2), 32);
    EXPECT_EQ(week.latestStop(2), 96);
    EXPECT_EQ(week.latestStop(3), 0);
    EXPECT_TRUE(week.isEmpty(2, 3));
    // A later slot may end earlier than an earlier one after a hand edit; the latest stop still wins.
    WeeklySchedule odd(QByteArray(28, ' '), QByteArray(28, ' '));
    odd.setSlot(4, 1, 40, 88);
    odd.setSlot(4, 2, 20, 30);
    EXPECT_EQ(odd.latestStop(4), 88);
    // A stop code of 32 or below leaves the slot empty, whatever its start says.
    const WeeklySchedule blankStop(QByteArray(28, 'A'), QByteArray(28, ' '));
    EXPECT_TRUE(blankStop.isEmpty(1, 1));
    EXPECT_EQ(blankStop.latestStop(1), 0);
    const WeeklySchedule padded(QByteArrayLiteral("!"), QByteArray(40, '!'));
    EXPECT_EQ(padded.startCodes(), QByteArrayLiteral("!") + QByteArray(27, ' '));
    EXPECT_EQ(padded.stopCodes().size(), 28);
}

TEST(StaffFiles, EmployeeFileBytes) {
    const QByteArray written = StaffFiles::employeeBytes(sampleEmployees());
    EXPECT_EQ(written, sampleEmployeeFile());
    const EmployeeList read = StaffFiles::readEmployees(written);
    ASSERT_EQ(read.count(), 2);
    EXPECT_EQ(read.entries[0].name, QStringLiteral("O'Brien  Pat"));
    EXPECT_EQ(read.entries[0].employeeId, QStringLiteral("Z\u00F6\u20AC1"));
    EXPECT_EQ(read.entries[0].schedule, sampleWeek());
    EXPECT_EQ(read.entries[0].schedule.firstStart(1), 12);
    EXPECT_EQ(read.entries[0].schedule.latestStop(2), 96);
    EXPECT_EQ(read.entries[1].pay.toString(), QStringLiteral("-0.25"));
    EXPECT_FALSE(read.entries[1].active);
    EXPECT_EQ(StaffFiles::employeeBytes(read.entries), written);
}

TEST(StaffFiles, DepartmentFileBytes) {
    const QList<Department> departments = {{2, QStringLiteral("Kitchen, hot")},
                                           {5, QStringLiteral("   ")},
                                           {4, QStringLiteral(",")},
                                           {-1, QStringLiteral("Bar")}};
    const QByteArray written = StaffFiles::departmentBytes(departments);
    EXPECT_EQ(written, QByteArrayLiteral(" 2 \r\nKitchen  hot\r\n \r\n 0 \r\n-1 \r\nBar\r\n \r\n 0 \r\n"));
    const DepartmentList read = StaffFiles::readDepartments(written);
    ASSERT_EQ(read.count(), 2);
    EXPECT_EQ(read.highestNumber, 2);
    EXPECT_EQ(StaffFiles::departmentBytes(read.entries), written);
}

TEST(StaffFiles, ReadersTolerateHandEditedFiles) {
    struct Case {
        const char* name;
        QByteArray file;
        qint32 number;
        const char* text;
        qint16 department;
        const char* pay;
        bool active;
    };
    const QByteArray tail = QByteArrayLiteral("\n\n\n0");
    const Case cases[] = {
        {"lone LF", QByteArrayLiteral("5\nAnn\nA\n2\n1.5\n-1\n") + tail, 5, "Ann", 2, "1.5", true},
        {"lone CR", QByteArrayLiteral("5\rAnn\rA\r2\r1.5\r-1\r\r\r\r0"), 5, "Ann", 2, "1.5", true},
        {"blanks and comma", QByteArrayLiteral("  5  \n \tAnn Lee ,first\nA\n 2,9\n 1.50 \n 1\n") + tail, 5,
         "Ann Lee ", 2, "1.5", true},
        {"not numbers", QByteArrayLiteral("x\nAnn\nA\n2x\n1.23456\nyes\n") + tail, 0, "Ann", 0, "0", false},
        {"out of range", QByteArrayLiteral("99999999999\nAnn\nA\n40000\n1e3\n0\n") + tail, 0, "Ann", 0, "0",
         false},
    };
    for (const Case& c : cases) {
        const EmployeeList read = StaffFiles::readEmployees(c.file);
        ASSERT_EQ(read.count(), 1) << c.name;
        const Employee& e = read.entries[0];
        EXPECT_EQ(e.employeeNumber, c.number) << c.name;
        EXPECT_EQ(e.name, QString::fromLatin1(c.text)) << c.name;
        EXPECT_EQ(e.departmentNumber, c.department) << c.name;
        EXPECT_EQ(e.pay.toString(), QString::fromLatin1(c.pay)) << c.name;
        EXPECT_EQ(e.active, c.active) << c.name;
        EXPECT_EQ(e.schedule, WeeklySchedule()) << c.name;
    }
}

TEST(StaffFiles, CutFileKeepsCompleteRecords) {
    struct Format {
        const char* name;
        QByteArray file;
        int linesPerRecord;
        std::function<qsizetype(const QByteArray&)> count;
    };
    const Format formats[] = {
        {"employees", sampleEmployeeFile(), 10,
         [](const QByteArray& b) {
             return StaffFiles::readEmployees(b).count();
         }},
        {"departments", StaffFiles::departmentBytes({{1, QStringLiteral("A")}, {2, QStringLiteral("B")}}), 4,
         [](const QByteArray& b) {
             return StaffFiles::readDepartments(b).count();
         }},
    };
    for (const Format& f : formats) {
        // A record counts once some byte of its last line is there.
        QList<qsizetype> lastLineStarts;
        qsizetype line = 0;
        for (qsizetype i = 0; i < f.file.size(); ++i) {
            if (f.file[i] == '\n' && ++line % f.linesPerRecord == f.linesPerRecord - 1)
                lastLineStarts.append(i + 1);
        }
        ASSERT_EQ(lastLineStarts.size(), 2) << f.name;
        for (qsizetype cut = 0; cut <= f.file.size(); ++cut) {
            qsizetype expected = 0;
            for (qsizetype start : lastLineStarts)
                expected += cut > start ? 1 : 0;
            EXPECT_EQ(f.count(f.file.left(cut)), expected) << f.name << " cut at " << cut;
        }
    }
    // Whatever survives a cut is the record as written, not a half-read one.
    const QByteArray file = sampleEmployeeFile();
    const EmployeeList whole = StaffFiles::readEmployees(file);
    const EmployeeList cut = StaffFiles::readEmployees(file.left(file.size() - 2));
    ASSERT_EQ(cut.count(), 2);
    EXPECT_EQ(cut.entries, whole.entries);
}

TEST(StaffFiles, AnsiTextRoundTrip) {
    QByteArray all;
    for (int b = 1; b < 256; ++b) {
        if (b != ',' && b != '\r' && b != '\n')
            all.append(static_cast<char>(b));
    }
    const QString text = Windows1252::decode(all);
    EXPECT_EQ(Windows1252::encode(text), all);
    EXPECT_EQ(Windows1252::decode(bytes({0x80, 0x9F, 0xE9, 0x81})),
              QStringLiteral("\u20AC\u0178\u00E9\u0081"));
    EXPECT_EQ(Windows1252::encode(QStringLiteral("\u0416x")), QByteArrayLiteral("?x"));

    Employee e;
    e.employeeNumber = 1;
    e.name = QStringLiteral("Ren\u00E9e \u201CJo\u201D \u0160imek\u2122");
    e.employeeId = Windows1252::decode(all.mid(40));
    const EmployeeList read = StaffFiles::readEmployees(StaffFiles::employeeBytes({e}));
    ASSERT_EQ(read.count(), 1);
    EXPECT_EQ(read.entries[0].name, e.name);
    EXPECT_EQ(read.entries[0].employeeId, e.employeeId);
}

TEST(StaffFiles, NextNumberIsHighestPresentPlusOne) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Empl.DAT"));
    QList<Employee> employees(3);
    employees[0].employeeNumber = 17;
    employees[1].employeeNumber = 41;
    employees[2].employeeNumber = 3;
    ASSERT_TRUE(StaffFiles::writeEmployees(path, employees));
    EmployeeList list = StaffFiles::loadEmployees(path);
    EXPECT_EQ(list.nextNumber(), 42);
    list.entries[1].employeeNumber = 0; // deleted in the employee list
    ASSERT_TRUE(StaffFiles::writeEmployees(path, list.entries));
    list = StaffFiles::loadEmployees(path);
    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(list.nextNumber(), 18);

    EXPECT_EQ(StaffFiles::readEmployees(QByteArrayLiteral(" 32767 \n\n\n\n\n\n\n\n\n\n")).nextNumber(), 0);
    EXPECT_EQ(StaffFiles::readEmployees(QByteArrayLiteral(" 40000 \n\n\n\n\n\n\n\n\n\n")).nextNumber(), 1);
    EXPECT_EQ(StaffFiles::loadEmployees(dir.filePath(QStringLiteral("missing"))).count(), 0);
    EXPECT_EQ(StaffFiles::loadDepartments(dir.filePath(QStringLiteral("missing"))).nextNumber(), 1);
}

TEST(StaffFiles, FailedWriteKeepsOldFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Dept.DAT"));
    ASSERT_TRUE(StaffFiles::writeDepartments(path, {{1, QStringLiteral("Old")}}));
    // The temporary file cannot be made next to a path whose folder is missing.
    EXPECT_FALSE(StaffFiles::writeDepartments(dir.filePath(QStringLiteral("none/Dept.DAT")), {}));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Taken.DAT")));
    EXPECT_FALSE(StaffFiles::writeDepartments(dir.filePath(QStringLiteral("Taken.DAT")), {}));
    EXPECT_EQ(StaffFiles::loadDepartments(path).entries.value(0).name, QStringLiteral("Old"));
}
