#include "staff/ui/EmployeeEditor.h"

#include "platform/HelpTopics.h"
#include "platform/ui/HelpWindow.h"
#include "staff/EmployeeEditing.h"
#include "staff/StaffFixture.h"
#include "staff/ui/ScheduleGridWidget.h"
#include "store/StaffTable.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>
#include <optional>

namespace {
using Answer = MessageBoxes::Answer;
using P = SchedulePeriod;

Employee person(qint32 number, const char* name, const char* id, qint16 department = 0)
{
    return {number, QString::fromUtf8(name), QString::fromUtf8(id), department, {}, true, {}};
}

struct EditorFixture : StaffFixture {
    EditorFixture()
    {
        writeStaff(
            {person(1, "Adams Ann", "A1", 1), person(2, "Brown Bob", "B2", 2), person(3, "Cole Cy", "C3")},
            {{1, QStringLiteral("Kitchen")}, {2, QStringLiteral("Bar")}});
    }
    void open(int index)
    {
        editor = std::make_unique<EmployeeEditor>(services, session, index);
        editor->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(editor.get()));
    }
    template <typename T> T* find(const char* name)
    {
        T* child = editor->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    void type(const char* box, const QString& text)
    {
        auto* edit = find<QLineEdit>(box);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    // A mouse drag on the grid between two twip positions of a day row.
    void drag(int row, int fromTwips, int toTwips)
    {
        ScheduleGridWidget* grid = editor->grid();
        const int y = (row - 1) * ScheduleGrid::rowHeight + 120;
        QTest::mousePress(grid, Qt::LeftButton, {}, grid->pixelAt(fromTwips, y));
        QTest::mouseMove(grid, grid->pixelAt((fromTwips + toTwips) / 2, y));
        QTest::mouseRelease(grid, Qt::LeftButton, {}, grid->pixelAt(toTwips, y));
    }
    QString lastText() const { return messages.shown.isEmpty() ? QString() : messages.shown.last().text; }

    std::unique_ptr<EmployeeEditor> editor;
};
} // namespace

TEST(EmployeeEditor, AddDrawTypeAndSave)
{
    EditorFixture f;
    f.open(EmployeeEditing::adding);
    EXPECT_EQ(f.editor->mode(), EmployeeEditor::Mode::Add);
    EXPECT_EQ(f.find<QComboBox>("cboDepartment")->currentText(), QStringLiteral("Kitchen"));
    EXPECT_FALSE(f.find<QPushButton>("cmdPrevious")->isEnabled() ||
                 f.find<QPushButton>("cmdNext")->isEnabled());

    f.type("txtName", QStringLiteral("Doe, Dana"));
    f.type("txtId", QStringLiteral("d4"));
    f.type("txtPay", QStringLiteral(" 1 2.755x"));
    f.find<QComboBox>("cboDepartment")->setCurrentIndex(1);
    f.drag(2, 2900, 4300); // Monday 08:00-12:00
    f.drag(2, 6120, 4700); // and, drawn leftwards, 13:00-17:00
    QLineEdit* tuesday = f.editor->grid()->typedField(3);
    EXPECT_EQ(f.editor->grid()->typedField(2)->text(), QStringLiteral("08:00-12:00, 13:00-17:00"));
    tuesday->setText(QStringLiteral("09:00 - 15:30"));
    ASSERT_TRUE(f.editor->hasChanges());
    ASSERT_TRUE(f.editor->save()) << f.lastText().toStdString();

    EXPECT_EQ(f.editor->result(), QDialog::Accepted);
    const EmployeeList saved = StaffFiles::loadEmployees(f.employeeFile());
    ASSERT_EQ(saved.count(), 4);
    const Employee& dana = saved.entries[3];
    EXPECT_EQ(std::tuple(dana.employeeNumber, dana.name, dana.employeeId, dana.departmentNumber, dana.pay),
              std::tuple(4, QStringLiteral("Doe  Dana"), QStringLiteral("d4"), qint16(2),
                         Money::fromUnits(127550)));
    const ScheduleGrid grid(dana.schedule);
    EXPECT_EQ(grid.periods(2), (QList<P>{{32, 48}, {52, 68}}));
    EXPECT_EQ(grid.periods(3), (QList<P>{{36, 62}}));
    EXPECT_EQ(f.session.employees().entries, saved.entries);
    // Today is Monday: the clock knows her at once.
    const auto row = StaffTable(f.folder.database()).find(QStringLiteral("D4"));
    ASSERT_TRUE(row.has_value());
    EXPECT_EQ(std::pair(row->start, row->stop), std::pair(qint16(32), qint16(68)));
}

TEST(EmployeeEditor, ValidationMessages)
{
    struct Case {
        const char* name;
        const char* id;
        int index;
        const char* text;
        const char* title;
        const char* focus;
    };
    const Case cases[] = {
        {" , ", "X9", EmployeeEditing::adding, "Last name must be filled out.", "Last Name is blank",
         "txtName"},
        {"Eve", "", EmployeeEditing::adding, "Employee ID must be filled out.", "Employee ID is blank",
         "txtId"},
        {"Eve", "b2", EmployeeEditing::adding, "Employee ID.... b2\n\n is in use for Brown Bob",
         "Duplicate Employee ID", "txtId"},
        {"Adams Ann", "c3 ", 0, "Employee ID.... c3\n\n is in use for Cole Cy", "Duplicate Employee ID",
         "txtId"},
    };
    for (const Case& c : cases) {
        EditorFixture f;
        f.open(c.index);
        const QByteArray before = StaffFixture::bytesOf(f.employeeFile());
        f.type("txtName", QString::fromUtf8(c.name));
        f.type("txtId", QString::fromUtf8(c.id));
        EXPECT_FALSE(f.editor->save()) << c.text;
        ASSERT_EQ(f.messages.shown.size(), 1) << c.text;
        EXPECT_EQ(f.messages.shown[0].text, QString::fromUtf8(c.text));
        EXPECT_EQ(f.messages.shown[0].title, QString::fromUtf8(c.title));
        EXPECT_EQ(f.messages.beeps, 1);
        EXPECT_EQ(f.editor->focusWidget(), f.find<QLineEdit>(c.focus)) << c.text;
        EXPECT_TRUE(f.editor->isVisible());
        EXPECT_EQ(StaffFixture::bytesOf(f.employeeFile()), before);
    }
}

TEST(EmployeeEditor, PreviousAndNextAskAboutChanges)
{
    EditorFixture f;
    f.open(1);
    EXPECT_EQ(f.editor->mode(), EmployeeEditor::Mode::Change);
    auto* name = f.find<QLineEdit>("txtName");
    EXPECT_EQ(name->text(), QStringLiteral("Brown Bob"));
    EXPECT_EQ(f.find<QComboBox>("cboDepartment")->currentText(), QStringLiteral("Bar"));
    const QByteArray before = StaffFixture::bytesOf(f.employeeFile());

    // Unchanged: no question.
    f.editor->next();
    EXPECT_EQ(f.editor->index(), 2);
    EXPECT_EQ(f.editor->mode(), EmployeeEditor::Mode::Move);
    EXPECT_TRUE(f.messages.shown.isEmpty());
    EXPECT_FALSE(f.find<QPushButton>("cmdNext")->isEnabled());
    EXPECT_TRUE(f.find<QPushButton>("cmdPrevious")->isEnabled());

    f.type("txtName", QStringLiteral("Aaron Cy"));
    f.messages.answers = {Answer::Cancel};
    f.editor->previous();
    EXPECT_EQ(f.editor->index(), 2);
    EXPECT_EQ(name->text(), QStringLiteral("Aaron Cy"));
    ASSERT_EQ(f.messages.shown.size(), 1);
    EXPECT_EQ(f.messages.shown[0].text, QStringLiteral("Save the changes?"));
    EXPECT_EQ(f.messages.shown[0].title, QStringLiteral("You made changes"));
    EXPECT_EQ(f.messages.shown[0].icon, MessageBoxes::Icon::Question);

    f.messages.answers = {Answer::No};
    f.editor->previous();
    EXPECT_EQ(f.editor->index(), 1);
    EXPECT_EQ(name->text(), QStringLiteral("Brown Bob"));
    EXPECT_EQ(StaffFixture::bytesOf(f.employeeFile()), before);
    EXPECT_FALSE(f.editor->hasChanges());

    // Yes saves; the renamed employee now sorts first, and Next goes on from there.
    f.editor->next();
    f.type("txtName", QStringLiteral("Aaron Cy"));
    f.messages.answers = {Answer::Yes};
    f.editor->next();
    EXPECT_EQ(StaffFiles::loadEmployees(f.employeeFile()).entries[0].name, QStringLiteral("Aaron Cy"));
    EXPECT_EQ(f.editor->index(), 1);
    EXPECT_EQ(name->text(), QStringLiteral("Adams Ann"));
    EXPECT_TRUE(f.editor->isVisible());

    // New employee asks too, then starts empty.
    f.type("txtPay", QStringLiteral("9"));
    f.messages.answers = {Answer::No};
    const qsizetype asked = f.messages.shown.size();
    f.editor->newEmployee();
    EXPECT_EQ(f.messages.shown.size(), asked + 1);
    EXPECT_EQ(f.editor->mode(), EmployeeEditor::Mode::Add);
    EXPECT_TRUE(name->text().isEmpty());
}

TEST(EmployeeEditor, ClosingWithChangesAsks)
{
    const std::pair<Answer, std::optional<QDialog::DialogCode>> cases[] = {
        {Answer::Cancel, std::nullopt}, {Answer::No, QDialog::Rejected}, {Answer::Yes, QDialog::Accepted}};
    for (const auto& [answer, closedAs] : cases) {
        EditorFixture f;
        f.open(0);
        f.type("txtId", QStringLiteral("A100"));
        f.messages.answers = {answer};
        f.editor->close();
        EXPECT_EQ(f.messages.shown.size(), 1);
        EXPECT_EQ(f.editor->isVisible(), !closedAs);
        if (closedAs) {
            EXPECT_EQ(f.editor->result(), *closedAs);
        }
        EXPECT_EQ(StaffFiles::loadEmployees(f.employeeFile()).entries[0].employeeId,
                  answer == Answer::Yes ? QStringLiteral("A100") : QStringLiteral("A1"));
    }
}

TEST(ScheduleGridWidget, SnapsTheSameAtEverySize)
{
    FakeMessageBoxes messages;
    for (const QSize size : {QSize(1400, 500), QSize(731, 311), QSize(1013, 467)}) {
        ScheduleGridWidget grid(messages);
        grid.resize(size);
        grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
        const int y = 3 * ScheduleGrid::rowHeight + 120;
        QTest::mousePress(&grid, Qt::LeftButton, {}, grid.pixelAt(2900, y));
        QTest::mouseMove(&grid, grid.pixelAt(5000, y));
        QTest::mouseRelease(&grid, Qt::LeftButton, {}, grid.pixelAt(6100, y));
        EXPECT_EQ(grid.grid().periods(4), (QList<P>{{32, 68}})) << size.width();
        EXPECT_EQ(grid.typedField(4)->text(), QStringLiteral("08:00-17:00"));
        EXPECT_LT(grid.typedField(4)->geometry().bottom(),
                  grid.pixelAt(0, 4 * ScheduleGrid::rowHeight).y() + 2);

        // Delete empties the selected row; a bad typed text is refused with its reason.
        QTest::keyClick(&grid, Qt::Key_Delete);
        EXPECT_EQ(grid.grid().count(4), 0);
        grid.typedField(5)->setText(QStringLiteral("9 to 5"));
        EXPECT_FALSE(grid.applyTypedFields());
        EXPECT_TRUE(grid.findChild<QLabel*>(QStringLiteral("lblTypedProblem"))
                        ->text()
                        .startsWith(QStringLiteral("Thursday: ")));
    }
    ScheduleGridWidget grid(messages);
    grid.setTwelveHour(true);
    const QStringList labels = grid.hourLabels();
    EXPECT_EQ(labels.mid(0, 3), (QStringList{"M", "1a", "2a"}));
    EXPECT_EQ(labels.mid(11, 3), (QStringList{"11a", "12", "1p"}));
    EXPECT_EQ(labels.mid(23), (QStringList{"11p", "M"}));
    grid.setTwelveHour(false);
    EXPECT_EQ(grid.hourLabels().last(), QStringLiteral("24"));
}
