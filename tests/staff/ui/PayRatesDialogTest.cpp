#include "staff/ui/PayRatesDialog.h"

#include "staff/StaffFixture.h"
#include "staff/ui/EmployeeEditor.h"
#include "store/DayNumber.h"
#include "store/EditHistory.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {
struct RatesFixture : StaffFixture {
    RatesFixture()
    {
        writeStaff(
            {{1, QStringLiteral("Adams Ann"), QStringLiteral("A1"), 0, Money::fromUnits(150000), true, {}}},
            {});
        PayRateTable(folder.database())
            .set(QStringLiteral("A1"), DayNumber::of(QDate(2026, 6, 1)), Money::fromUnits(160000),
                 {time.now(), QStringLiteral("test")});
    }
    PayRateTable table() { return PayRateTable(folder.database()); }
};

template <typename T> T* child(QWidget* parent, const char* name)
{
    T* found = parent->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

TEST(PayRatesDialog, OkInTheEditorStoresTheChangesAndCancelNothing)
{
    RatesFixture f;
    EmployeeEditor editor(f.services, f.session, 0);
    editor.show();
    for (const bool ok : {false, true}) {
        child<QPushButton>(&editor, "cmdPayRates")->click();
        auto* dialog = child<PayRatesDialog>(&editor, "dlgPayRates");
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(child<QTableWidget>(dialog, "tblRates")->rowCount(), 1);
        child<QDateEdit>(dialog, "dteFrom")->setDate(QDate(2026, 12, 1));
        child<QLineEdit>(dialog, "txtRate")->setText(QStringLiteral("17.25"));
        child<QPushButton>(dialog, "cmdSetRate")->click();
        child<QTableWidget>(dialog, "tblRates")->setCurrentCell(0, 0); // the June rate fills the boxes
        EXPECT_EQ(child<QDateEdit>(dialog, "dteFrom")->date(), QDate(2026, 6, 1));
        child<QPushButton>(dialog, "cmdRemoveRate")->click();
        EXPECT_EQ(child<QTableWidget>(dialog, "tblRates")->item(0, 1)->text(), QStringLiteral("17.25"));
        child<QPushButton>(dialog, ok ? "cmdOk" : "cmdCancel")->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(editor.findChild<PayRatesDialog*>(QStringLiteral("dlgPayRates")), nullptr);
    }
    EXPECT_EQ(f.table().forEmployee(QStringLiteral("A1")),
              (QList<PayRateRow>{
                  {QStringLiteral("A1"), DayNumber::of(QDate(2026, 12, 1)), Money::fromUnits(172500)}}));
    // The rate set in the fixture, then one removed and one added on OK.
    EXPECT_EQ(EditHistory(f.folder.database()).entries().size(), 3);
}

TEST(PayRatesDialog, AMistypedRateIsRefusedWithTheReason)
{
    RatesFixture f;
    PayRatesDialog dialog(
        {QStringLiteral("Adams Ann"), QStringLiteral("A1"), Money::fromUnits(150000), {}, QDate(2026, 12, 7)},
        f.messages);
    child<QLineEdit>(&dialog, "txtRate")->setText(QStringLiteral("17,25"));
    EXPECT_FALSE(dialog.setRate());
    EXPECT_TRUE(dialog.rates().isEmpty());
    ASSERT_EQ(f.messages.shown.size(), 1);
    EXPECT_TRUE(f.messages.shown[0].text.contains(QStringLiteral("such as 18.50")));
    EXPECT_EQ(dialog.chosenRates(), std::nullopt);
}

TEST(PayRatesDialog, ANewEmployeeHasNoRatesYet)
{
    RatesFixture f;
    EmployeeEditor editor(f.services, f.session, -1);
    EXPECT_FALSE(child<QPushButton>(&editor, "cmdPayRates")->isEnabled());
}
} // namespace
