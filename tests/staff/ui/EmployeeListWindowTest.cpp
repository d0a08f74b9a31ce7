#include "staff/ui/EmployeeListWindow.h"

#include "TestProgram.h"
#include "store/StaffFiles.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {
struct ListFixture : TestProgram {
    ListFixture()
    {
        session.setEmployeeSource(EmployeeSource::LocalFiles);
        QList<Employee> staff;
        for (const char* name : {"Amy", "bob", "Bobby"})
            staff.append({static_cast<qint32>(staff.size() + 1),
                          QString::fromLatin1(name),
                          QString::fromLatin1(name).toUpper() + QStringLiteral("-ID"),
                          0,
                          {},
                          true,
                          {}});
        StaffFiles::writeEmployees(StaffFiles::employeeFile(session.paths()), staff);
        session.setEmployees(StaffFiles::loadEmployees(StaffFiles::employeeFile(session.paths())));
    }
};

QListWidget* list(EmployeeListWindow& w)
{
    return w.findChild<QListWidget*>(QStringLiteral("lstEmployees"));
}
} // namespace

TEST(EmployeeListWindow, SearchPicksTheFirstLineInAnyCaseAndEnterHandsBackTheId)
{
    ListFixture f;
    EmployeeListWindow window(f.services, f.session, EmployeeListing::Purpose::PickForRecords);
    window.show();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Edit employee clocking records"));
    EXPECT_EQ(list(window)->currentRow(), -1);
    QTest::keyClicks(window.findChild<QLineEdit*>(QStringLiteral("txtSearch")), QStringLiteral("BOB"));
    EXPECT_EQ(list(window)->currentRow(), 1);
    QTest::keyClick(list(window), Qt::Key_Return);
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(window.chosenId(), QStringLiteral("BOB-ID"));
}

TEST(EmployeeListWindow, DeleteAsksThenRewritesTheStaffFile)
{
    ListFixture f;
    EmployeeListWindow window(f.services, f.session, EmployeeListing::Purpose::Delete);
    window.show();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Delete Employee"));
    list(window)->setCurrentRow(0);
    f.messages.answers = {MessageBoxes::Answer::No, MessageBoxes::Answer::Yes};
    window.choose();
    EXPECT_EQ(f.session.employees().count(), 3);
    list(window)->setCurrentRow(0);
    window.choose();
    ASSERT_EQ(f.messages.shown.size(), 2);
    EXPECT_EQ(
        f.messages.shown.at(0).text,
        QStringLiteral(
            "Deleting:  Amy AMY-ID\r\n\r\nAre you sure?\r\n\r\nNote!\r\nDeleted employees will not be\r\n"
            "part of any statistics or history...\r\nIf you mark them as Inactive,\r\nthey will be."));
    EXPECT_EQ(f.messages.shown.at(0).title, QStringLiteral("Employee delete"));
    EXPECT_EQ(f.messages.beeps, 2);
    EXPECT_EQ(f.session.employees().count(), 2);
    EXPECT_EQ(list(window)->count(), 2);
    EXPECT_TRUE(list(window)->item(0)->text().startsWith(QStringLiteral("bob")));
}

TEST(EmployeeListWindow, ChangeHandsBackTheIndexAndAnEmptyListSaysSo)
{
    ListFixture f;
    EmployeeListWindow window(f.services, f.session, EmployeeListing::Purpose::Change);
    int requested = -1;
    QObject::connect(&window, &EmployeeListWindow::changeRequested, [&](int index) { requested = index; });
    window.show();
    const QPoint third = list(window)->visualItemRect(list(window)->item(2)).center();
    QTest::mouseClick(list(window)->viewport(), Qt::LeftButton, {},
                      third); // a double click starts as a click
    QTest::mouseDClick(list(window)->viewport(), Qt::LeftButton, {}, third);
    EXPECT_EQ(requested, 2);
    EXPECT_EQ(window.chosenIndex(), 2);

    f.session.setEmployees({});
    EmployeeListWindow empty(f.services, f.session, EmployeeListing::Purpose::Change);
    empty.choose();
    ASSERT_FALSE(f.messages.shown.isEmpty());
    EXPECT_EQ(f.messages.shown.last().text, QStringLiteral("No Employees entered!"));
    EXPECT_EQ(f.messages.shown.last().title, QStringLiteral("No Employees"));
}
