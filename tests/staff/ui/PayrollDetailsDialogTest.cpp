#include "staff/ui/PayrollDetailsDialog.h"

#include "staff/StaffFixture.h"
#include "staff/ui/EmployeeEditor.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {
template <typename T> T* child(QWidget* parent, const char* name)
{
    T* found = parent->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

TEST(PayrollDetailsDialog, TheEditorKeepsWhatOkHandsBackAndShowsWhatEmptyBoxesStandFor)
{
    StaffFixture f;
    f.writeStaff({{1, QStringLiteral("Van Der Berg Anna"), QStringLiteral("A1"), 0, Money(), true, {}}}, {});
    EmployeeEditor editor(f.services, f.session, 0);
    editor.show();
    for (const bool ok : {false, true}) {
        child<QPushButton>(&editor, "cmdPayroll")->click();
        auto* dialog = child<PayrollDetailsDialog>(&editor, "dlgPayroll");
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(child<QLineEdit>(dialog, "txtPayrollNumber")->placeholderText(), QStringLiteral("A1"));
        EXPECT_EQ(child<QLineEdit>(dialog, "txtFirstName")->placeholderText(), QStringLiteral("Anna"));
        EXPECT_EQ(child<QLineEdit>(dialog, "txtLastName")->placeholderText(), QStringLiteral("Van Der Berg"));
        child<QLineEdit>(dialog, "txtPayrollNumber")->setText(QStringLiteral(" 000123 "));
        child<QLineEdit>(dialog, "txtLastName")->setText(QStringLiteral("van der Berg"));
        child<QPushButton>(dialog, ok ? "cmdOk" : "cmdCancel")->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(editor.findChild<PayrollDetailsDialog*>(QStringLiteral("dlgPayroll")), nullptr);
    }
    EXPECT_EQ(EmployeePayrollTable(f.folder.database()).find(QStringLiteral("a1")),
              (EmployeePayroll{
                  QStringLiteral("A1"), QStringLiteral("000123"), {}, QStringLiteral("van der Berg")}));

    // A new employee has no ID to keep details under yet.
    EmployeeEditor adding(f.services, f.session, -1);
    EXPECT_FALSE(child<QPushButton>(&adding, "cmdPayroll")->isEnabled());
}

TEST(PayrollDetailsDialog, ValuesThatCannotBeKeptKeepItOpenWithTheReason)
{
    StaffFixture f;
    PayrollDetailsDialog dialog({QStringLiteral("Solo"), QStringLiteral("S1"), {}}, f.messages);
    dialog.show();
    child<QLineEdit>(&dialog, "txtPayrollNumber")->setText(QString(31, QLatin1Char('7')));
    child<QPushButton>(&dialog, "cmdOk")->click();
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(f.messages.shown.size(), 1);
    EXPECT_EQ(f.messages.shown[0].text, QStringLiteral("The payroll number is longer than 30 characters."));
    EXPECT_EQ(dialog.chosen(), std::nullopt);
}
} // namespace
