#include "staff/EmployeeListing.h"

#include "TestProgram.h"
#include "store/StaffFiles.h"
#include "store/StaffTable.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {
struct StaffFixture : TestProgram {};

Employee employee(qint32 number, const char* name, const char* id)
{
    Employee e{number, QString::fromLatin1(name), QString::fromLatin1(id), 1, Money::fromUnits(105000), true,
               {}};
    e.schedule.setSlot(1, 1, 12, 44); // value 12 is written as code 169
    return e;
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

TEST(EmployeeListing, DeletingRewritesTheFileWithoutTheEmployeeByteForByte)
{
    StaffFixture f;
    f.session.setEmployeeSource(EmployeeSource::LocalFiles);
    const QList<Employee> staff = {employee(41, "Zed", "Z1"), employee(17, "Amy", "A1"),
                                   employee(3, "Bob", "B1")};
    const QString path = StaffFiles::employeeFile(f.session.paths());
    ASSERT_TRUE(StaffFiles::writeEmployees(path, staff));
    f.session.setEmployees(StaffFiles::loadEmployees(path));

    ASSERT_TRUE(EmployeeListing::deleteEmployee(f.session, 0));
    EXPECT_EQ(fileBytes(path), StaffFiles::employeeBytes({staff.at(1), staff.at(2)}));
    EXPECT_TRUE(fileBytes(path).contains('\xA9'));
    ASSERT_EQ(f.session.employees().count(), 2);
    EXPECT_EQ(f.session.employees().entries.at(0).name, QStringLiteral("Amy"));
    EXPECT_EQ(f.session.employees().nextNumber(), 18);
    EXPECT_FALSE(EmployeeListing::deleteEmployee(f.session, 5));
}

TEST(EmployeeListing, LinesArePaddedAndCutByPrintedWidth)
{
    // One hundred twips a character.
    const auto width = [](const QString& text) {
        return 100.0 * text.size();
    };
    EXPECT_EQ(EmployeeListing::lineText(QStringLiteral("Ann"), QStringLiteral("A1"), width),
              QStringLiteral("Ann            \tA1"));
    EXPECT_EQ(EmployeeListing::lineText(QStringLiteral("Bartholomew Longname"),
                                        QStringLiteral("ABCDEFGHIJKLMNOPQRS"), width),
              QStringLiteral("Bartholomew Longname\tABCDEFGHIJKLMNOPQ"));
    const QStringList lines = {QStringLiteral("Ann"), QStringLiteral("bob"), QStringLiteral("Bobby")};
    EXPECT_EQ(EmployeeListing::firstMatch(lines, QStringLiteral("BO")), 1);
    EXPECT_EQ(EmployeeListing::firstMatch(lines, QStringLiteral("c")), -1);
}

TEST(EmployeeListing, TheSchedulingDatabaseGivesTheDaysTableInNameOrder)
{
    StaffFixture f;
    f.session.setEmployeeSource(EmployeeSource::SchedulingDatabase);
    StaffTable(f.folder.database())
        .replaceAll({{QStringLiteral("bob"), 1, 0, QStringLiteral("B"), 0, 0, 0},
                     {QStringLiteral("Zed"), 2, 0, QStringLiteral("Z"), 0, 0, 0},
                     {QStringLiteral("Amy"), 3, 0, QStringLiteral("A"), 0, 0, 0}});
    QStringList ids;
    for (const EmployeeListing::Entry& e : EmployeeListing::entries(f.services, f.session))
        ids.append(e.employeeId);
    EXPECT_EQ(ids, (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("Z")}));
}
