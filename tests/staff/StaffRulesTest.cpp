#include "staff/DepartmentEditing.h"
#include "staff/EmployeeEditing.h"
#include "staff/TypedPeriods.h"

#include <gtest/gtest.h>

namespace {
using P = SchedulePeriod;

EmployeeList employees(std::initializer_list<std::pair<const char*, const char*>> nameAndId)
{
    EmployeeList list;
    qint32 number = 0;
    for (const auto& [name, id] : nameAndId)
        list.entries.append({++number, QString::fromUtf8(name), QString::fromUtf8(id), 0, {}, true, {}});
    list.highestNumber = number;
    return list;
}

DepartmentList departments(std::initializer_list<std::pair<qint32, const char*>> entries)
{
    DepartmentList list;
    for (const auto& [number, name] : entries) {
        list.entries.append({number, QString::fromUtf8(name)});
        list.highestNumber = qMax(list.highestNumber, number);
    }
    return list;
}
} // namespace

TEST(TypedPeriods, Parse)
{
    struct Case {
        const char* text;
        QList<P> periods;
        const char* error; // a part of the message, or nullptr
    };
    const Case cases[] = {
        {"08:00-12:00, 13:00-17:00", {{32, 48}, {52, 68}}, nullptr},
        {"13:00-17:00 08:00-12:00", {{32, 48}, {52, 68}}, nullptr},
        {" 8:30 - 12:15 ; 22:00-24:00 ", {{34, 49}, {88, 96}}, nullptr},
        {"8-12", {{32, 48}}, nullptr},
        {"08:00-10:00 09:00-11:00", {{32, 44}}, nullptr},
        {"08:00-12:00 12:00-16:00", {{32, 64}}, nullptr},
        {"", {}, nullptr},
        {"00:00-01:00 02:00-03:00 04:00-05:00", {{0, 4}, {8, 12}, {16, 20}}, nullptr},
        {"00:00-01:00 02:00-03:00 04:00-05:00 06:00-07:00", {}, "more than three"},
        {"08:07-12:00", {}, "quarter hour"},
        {"25:00-26:00", {}, "time of day"},
        {"24:15-24:30", {}, "time of day"},
        {"17:00-08:00", {}, "does not end after"},
        {"10:00-10:00", {}, "does not end after"},
        {"24:00-24:00", {}, "does not end after"},
        {"eight to five", {}, "is not a period"},
        {"08:00-12:00 x", {}, "\"x\""},
    };
    for (const Case& c : cases) {
        const TypedPeriods::Parsed parsed = TypedPeriods::parse(QString::fromUtf8(c.text));
        if (c.error) {
            EXPECT_TRUE(parsed.error.contains(QString::fromUtf8(c.error)))
                << c.text << " -> " << parsed.error.toStdString();
        } else {
            EXPECT_TRUE(parsed.ok()) << c.text << " -> " << parsed.error.toStdString();
            EXPECT_EQ(parsed.periods, c.periods) << c.text;
        }
    }
    EXPECT_EQ(TypedPeriods::format({{32, 48}, {52, 96}}), QStringLiteral("08:00-12:00 13:00-24:00"));
    EXPECT_EQ(TypedPeriods::format({{1, 3}}, QStringLiteral(", ")), QStringLiteral("00:15-00:45"));
}

TEST(EmployeeEditing, LenientPay)
{
    const std::pair<const char*, qint64> cases[] = {
        {"12.5", 125000},
        {"  1 234.56 ", 12345600},
        {"12abc", 120000},
        {"abc", 0},
        {"", 0},
        {"-3.25", -32500},
        {"+7", 70000},
        {".5", 5000},
        {"1.2.3", 12000},
        {"$12", 0},
        {"1.5e2", 1500000},
        {"2e", 20000},
        {"0.00005", 0},
        {"0.00015", 2},
        {"0.000151", 2},
        {"0.00025", 2},
        {"12,50", 120000},
        {"99999999999999999999", std::numeric_limits<qint64>::max() / 10 - 10},
    };
    for (const auto& [text, units] : cases)
        EXPECT_EQ(EmployeeEditing::payOf(QString::fromUtf8(text)).units(), units) << text;
}

TEST(EmployeeEditing, ChecksBeforeSaving)
{
    const EmployeeList list = employees({{"Adams Ann", "a1"}, {"Brown Bob", "B2"}, {"Sachs", "SS1"}});
    struct Case {
        const char* name;
        const char* id;
        int edited;
        std::optional<EmployeeEditing::Field> field;
        const char* text;
        const char* title;
    };
    using F = EmployeeEditing::Field;
    const Case cases[] = {
        {" , ", "X", -1, F::Name, "Last name must be filled out.", "Last Name is blank"},
        {"", "", -1, F::Name, "Last name must be filled out.", "Last Name is blank"},
        {"Carter", " ,", -1, F::Id, "Employee ID must be filled out.", "Employee ID is blank"},
        {"Carter", " A1 ", -1, F::Id, "Employee ID.... A1\n\n is in use for Adams Ann",
         "Duplicate Employee ID"},
        {"Carter", "b2", 0, F::Id, "Employee ID.... b2\n\n is in use for Brown Bob", "Duplicate Employee ID"},
        {"Adams Ann", "A1", 0, std::nullopt, "", ""},
        {"Carter", "C3", -1, std::nullopt, "", ""},
        // One letter for one letter: ß1 is a new ID, ss1 is Sachs's.
        {"Carter", "ß1", -1, std::nullopt, "", ""},
        {"Carter", "ss1", -1, F::Id, "Employee ID.... ss1\n\n is in use for Sachs", "Duplicate Employee ID"},
        // Written as "?", these two would become one ID.
        {"Carter", "Ł1", -1, F::Id,
         "The ID contains \"Ł\" (U+0141), which the staff files cannot hold.\nPlease type it without that "
         "character.",
         "Character not allowed"},
        {"Kowalczyk Łucja", "K1", -1, F::Name,
         "The name contains \"Ł\" (U+0141), which the staff files cannot hold.\nPlease type it without that "
         "character.",
         "Character not allowed"},
        {"Carter", "€1", -1, std::nullopt, "", ""},
    };
    for (const Case& c : cases) {
        const auto problem =
            EmployeeEditing::check(list, QString::fromUtf8(c.name), QString::fromUtf8(c.id), c.edited);
        ASSERT_EQ(problem.has_value(), c.field.has_value()) << c.name << "/" << c.id;
        if (problem) {
            EXPECT_EQ(problem->field, *c.field);
            EXPECT_EQ(problem->text, QString::fromUtf8(c.text));
            EXPECT_EQ(problem->title, QString::fromUtf8(c.title));
        }
    }
    EXPECT_EQ(EmployeeEditing::cleaned(QStringLiteral(" Smith, John ")), QStringLiteral("Smith  John"));
    const QList<Employee> sorted =
        EmployeeEditing::sortedByName(employees({{"b", "1"}, {"C", "2"}, {"a", "3"}}).entries);
    EXPECT_EQ(sorted[0].name + sorted[1].name + sorted[2].name, QStringLiteral("abC"));
}

TEST(DepartmentEditing, AddRenameDelete)
{
    const DepartmentList list = departments({{1, "Kitchen"}, {5, "Bar"}, {3, "Hall"}});
    using O = DepartmentEditing::Outcome;

    auto r = DepartmentEditing::add(list, QStringLiteral("kitchen"));
    EXPECT_EQ(std::tuple(r.outcome, r.title, r.message),
              std::tuple(O::Duplicate, QStringLiteral("Department name duplicate"),
                         QStringLiteral("Department name kitchen\n is in use...")));
    EXPECT_EQ(DepartmentEditing::add(list, QStringLiteral(" , ")).outcome, O::EmptyName);
    // Written as "?", two such names would read back the same.
    r = DepartmentEditing::add(list, QStringLiteral("Łódź"));
    EXPECT_EQ(std::tuple(r.outcome, r.title),
              std::tuple(O::Unstorable, QStringLiteral("Character not allowed")));
    EXPECT_TRUE(r.message.startsWith(QStringLiteral("The department name contains \"Ł\" (U+0141)")));
    EXPECT_EQ(DepartmentEditing::rename(list, 0, QStringLiteral("Śląsk")).outcome, O::Unstorable);

    r = DepartmentEditing::add(list, QStringLiteral("Front,Desk"));
    ASSERT_EQ(r.outcome, O::Done);
    EXPECT_EQ(r.toWrite, (QList<Department>{{5, "Bar"}, {6, "Front Desk"}, {3, "Hall"}, {1, "Kitchen"}}));

    r = DepartmentEditing::rename(list, 2, QStringLiteral("BAR"));
    EXPECT_EQ(std::tuple(r.outcome, r.title, r.message),
              std::tuple(O::Duplicate, QStringLiteral("Shift name duplicate"),
                         QStringLiteral("Shift name BAR\n is in use...")));
    r = DepartmentEditing::rename(list, 0, QStringLiteral("KITCHEN"));
    ASSERT_EQ(r.outcome, O::Done) << "its own name in another case";
    EXPECT_EQ(r.toWrite, (QList<Department>{{5, "Bar"}, {3, "Hall"}, {1, "KITCHEN"}}));

    // Deleting keeps the list order; the highest number freed is given again.
    r = DepartmentEditing::remove(list, 1);
    EXPECT_EQ(r.toWrite, (QList<Department>{{1, "Kitchen"}, {3, "Hall"}}));
    DepartmentList after = StaffFiles::readDepartments(StaffFiles::departmentBytes(r.toWrite));
    EXPECT_EQ(DepartmentEditing::add(after, QStringLiteral("Pool")).toWrite.at(2), (Department{4, "Pool"}));

    EmployeeList staff = employees({{"A", "1"}, {"B", "2"}, {"C", "3"}});
    staff.entries[0].departmentNumber = 5;
    staff.entries[2].departmentNumber = 5;
    EXPECT_EQ(DepartmentEditing::employeesIn(staff, 5), 2);
    EXPECT_EQ(DepartmentEditing::employeesIn(staff, 1), 0);
}
