#include "staff/ui/DepartmentWindow.h"

#include "staff/StaffFixture.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {
struct DepartmentFixture : StaffFixture {
    DepartmentFixture()
    {
        writeStaff({{1, QStringLiteral("Ann"), QStringLiteral("A"), 3, {}, true, {}},
                    {2, QStringLiteral("Bob"), QStringLiteral("B"), 3, {}, true, {}}},
                   {{1, QStringLiteral("Kitchen")}, {5, QStringLiteral("Bar")}, {3, QStringLiteral("Hall")}});
    }
    DepartmentWindow& open(DepartmentWindow::Action action)
    {
        window = std::make_unique<DepartmentWindow>(services, session, action);
        return *window;
    }
    template <typename T> T* find(const char* name)
    {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
    QStringList names() const
    {
        QStringList result;
        for (const Department& d : StaffFiles::loadDepartments(departmentFile()).entries)
            result.append(QStringLiteral("%1 %2").arg(d.number).arg(d.name));
        return result;
    }
    std::unique_ptr<DepartmentWindow> window;
};
} // namespace

TEST(DepartmentWindow, Add)
{
    DepartmentFixture f;
    DepartmentWindow& w = f.open(DepartmentWindow::Action::Add);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Department"));
    EXPECT_EQ(f.find<QGroupBox>("fraName")->title(), QStringLiteral("Add new Department name  "));
    EXPECT_TRUE(f.find<QListWidget>("lstDepartments")->isHidden());

    QLineEdit* name = f.find<QLineEdit>("txtName");
    QTest::keyClicks(name, QStringLiteral("HA\"LL"));
    EXPECT_EQ(name->text(), QStringLiteral("HALL")) << "the double quote is dropped";
    EXPECT_FALSE(w.save());
    ASSERT_EQ(f.messages.shown.size(), 1);
    EXPECT_EQ(f.messages.shown[0].title, QStringLiteral("Department name duplicate"));
    EXPECT_EQ(f.messages.shown[0].text, QStringLiteral("Department name HALL\n is in use..."));

    name->setText(QStringLiteral(" , "));
    EXPECT_FALSE(w.save());
    EXPECT_EQ(f.messages.beeps, 2);
    EXPECT_EQ(f.messages.shown.size(), 1) << "an empty name only beeps";

    name->setText(QStringLiteral("Front,desk"));
    EXPECT_TRUE(w.save());
    EXPECT_EQ(f.names(), (QStringList{"5 Bar", "6 Front desk", "3 Hall", "1 Kitchen"}));
    EXPECT_EQ(f.session.departments().count(), 4);
    EXPECT_EQ(w.result(), QDialog::Accepted);
}

TEST(DepartmentWindow, Change)
{
    DepartmentFixture f;
    DepartmentWindow& w = f.open(DepartmentWindow::Action::Change);
    EXPECT_EQ(f.find<QLabel>("lblSelect")->text(), QStringLiteral("Select the Department to change"));
    EXPECT_FALSE(w.save()) << "nothing chosen";
    w.choose(1);
    EXPECT_EQ(f.find<QGroupBox>("fraName")->title(), QStringLiteral("Change the Department name and Save"));
    QLineEdit* name = f.find<QLineEdit>("txtName");
    EXPECT_EQ(name->text(), QStringLiteral("Bar"));
    name->setText(QStringLiteral("kitchen"));
    EXPECT_FALSE(w.save());
    EXPECT_EQ(f.messages.shown.last().title, QStringLiteral("Shift name duplicate"));
    name->setText(QStringLiteral("BAR"));
    EXPECT_TRUE(w.save()) << "its own name in another case";
    EXPECT_EQ(f.names(), (QStringList{"5 BAR", "3 Hall", "1 Kitchen"}));
}

TEST(DepartmentWindow, DeleteAsksWhenEmployeesBelongToIt)
{
    for (const auto answer : {MessageBoxes::Answer::No, MessageBoxes::Answer::Yes}) {
        DepartmentFixture f;
        DepartmentWindow& w = f.open(DepartmentWindow::Action::Delete);
        EXPECT_EQ(f.find<QLabel>("lblSelect")->text(), QStringLiteral("Select the Department to delete"));
        // The list taking the focus makes a line current, which must not choose it for deleting.
        w.show();
        f.find<QListWidget>("lstDepartments")->setFocus();
        QApplication::processEvents();
        EXPECT_TRUE(f.find<QLabel>("lblDelete")->isHidden());
        EXPECT_FALSE(w.save());
        w.choose(2);
        EXPECT_EQ(f.find<QLabel>("lblDelete")->text(), QStringLiteral("Department to be deleted Hall"));
        f.messages.answers = {answer};
        EXPECT_EQ(w.save(), answer == MessageBoxes::Answer::Yes);
        ASSERT_EQ(f.messages.shown.size(), 1);
        EXPECT_TRUE(
            f.messages.shown[0].text.startsWith(QStringLiteral("2 employees are still in department Hall.")));
        EXPECT_EQ(f.names(), answer == MessageBoxes::Answer::Yes
                                 ? (QStringList{"1 Kitchen", "5 Bar"})
                                 : (QStringList{"1 Kitchen", "5 Bar", "3 Hall"}));
    }
    // Without members the department goes unasked; the highest number is then given again.
    DepartmentFixture f;
    f.open(DepartmentWindow::Action::Delete).choose(1);
    EXPECT_TRUE(f.window->save());
    EXPECT_TRUE(f.messages.shown.isEmpty());
    f.open(DepartmentWindow::Action::Add);
    f.find<QLineEdit>("txtName")->setText(QStringLiteral("Pool"));
    EXPECT_TRUE(f.window->save());
    EXPECT_TRUE(f.names().contains(QStringLiteral("4 Pool")));
}
