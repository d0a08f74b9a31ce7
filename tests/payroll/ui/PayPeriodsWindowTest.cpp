// The "Pay periods" window offscreen: what it shows of the chosen period, and its buttons and boxes
// reaching the review with the questions answered by the fake message boxes.
#include "payroll/ui/PayPeriodsWindow.h"

#include "../PeriodReviewFixture.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {
template <typename T> T* child(QWidget* window, const char* name)
{
    T* found = window->findChild<T*>(QString::fromLatin1(name));
    EXPECT_TRUE(found) << name;
    return found;
}

struct WindowFixture : PeriodReviewFixture {
    WindowFixture()
        : PeriodReviewFixture(Backend::File)
    {
        exceptions = {{QStringLiteral("B2"), QStringLiteral("Cole Bob"), 2}};
    }

    QTableWidgetItem* box(PayPeriodsWindow& window, int row)
    {
        return child<QTableWidget>(&window, "grdEmployees")->item(row, PayPeriodsWindow::Approved);
    }
    QString state(PayPeriodsWindow& window) { return child<QLabel>(&window, "lblState")->text(); }
    void click(PayPeriodsWindow& window, const char* name)
    {
        QTest::mouseClick(child<QPushButton>(&window, name), Qt::LeftButton);
    }
};
} // namespace

TEST(PayPeriodsWindow, ShowsTheCurrentPeriodFirstAndMarksRowsWithExceptions)
{
    WindowFixture f;
    PayPeriodsWindow window(f.services, f.session, f.counts());
    auto* periods = child<QTreeWidget>(&window, "lstPeriods");
    ASSERT_GT(periods->topLevelItemCount(), 2);
    EXPECT_EQ(periods->currentItem(), periods->topLevelItem(0));
    EXPECT_EQ(periods->topLevelItem(0)->text(0), QStringLiteral("16 Nov 2026 - 29 Nov 2026"));
    EXPECT_EQ(periods->topLevelItem(0)->text(1), QStringLiteral("Open"));

    ASSERT_TRUE(window.choosePeriod(QDate(2026, 11, 2)));
    auto* table = child<QTableWidget>(&window, "grdEmployees");
    ASSERT_EQ(table->rowCount(), 2);
    EXPECT_EQ(table->item(0, PayPeriodsWindow::Name)->text(), QStringLiteral("Baker Ann"));
    EXPECT_EQ(table->item(0, PayPeriodsWindow::Regular)->text(), QStringLiteral("40:00"));
    EXPECT_EQ(table->item(0, PayPeriodsWindow::Overtime)->text(), QStringLiteral("5:00"));
    EXPECT_EQ(table->item(0, PayPeriodsWindow::Gross)->text(), QStringLiteral("950.00"));
    EXPECT_EQ(table->item(1, PayPeriodsWindow::Exceptions)->text(), QStringLiteral("2"));
    EXPECT_NE(table->item(1, PayPeriodsWindow::Name)->background(),
              table->item(0, PayPeriodsWindow::Name)->background());
    EXPECT_TRUE(table->isColumnHidden(PayPeriodsWindow::Tips));
    EXPECT_EQ(f.state(window), QStringLiteral("2 Nov 2026 - 15 Nov 2026: open, 0 of 2 approved"));
}

TEST(PayPeriodsWindow, ApproveLockAndReopenAskAndShowTheStoredState)
{
    WindowFixture f;
    PayPeriodsWindow window(f.services, f.session, f.counts());
    ASSERT_TRUE(window.choosePeriod(QDate(2026, 11, 2)));

    // Bob has exceptions: his box asks first, and No leaves it unticked.
    f.messages.answers = {MessageBoxes::Answer::No};
    f.box(window, 1)->setCheckState(Qt::Checked);
    ASSERT_EQ(f.messages.shown.size(), 1);
    EXPECT_TRUE(f.messages.shown[0].text.startsWith(QStringLiteral("Cole Bob has 2 exceptions")));
    EXPECT_EQ(f.box(window, 1)->checkState(), Qt::Unchecked);

    // Ann has none: ticked at once, and an approval stays (only reopening takes it back).
    f.box(window, 0)->setCheckState(Qt::Checked);
    EXPECT_EQ(f.messages.shown.size(), 1);
    EXPECT_EQ(f.box(window, 0)->checkState(), Qt::Checked);
    EXPECT_FALSE(f.box(window, 0)->flags() & Qt::ItemIsUserCheckable);
    EXPECT_EQ(f.state(window), QStringLiteral("2 Nov 2026 - 15 Nov 2026: partly approved, 1 of 2 approved"));

    // Lock asks while Bob is not approved.
    f.messages.answers = {MessageBoxes::Answer::Yes};
    f.click(window, "cmdLock");
    ASSERT_EQ(f.messages.shown.size(), 2);
    EXPECT_TRUE(
        f.messages.shown[1].text.startsWith(QStringLiteral("The hours of 1 employee are not approved.")));
    EXPECT_TRUE(f.state(window).contains(QStringLiteral(": locked, 1 of 2 approved (locked by ")));
    EXPECT_TRUE(f.box(window, 0)->toolTip().startsWith(QStringLiteral("Approved by ")));
    EXPECT_EQ(child<QTreeWidget>(&window, "lstPeriods")->currentItem()->text(1), QStringLiteral("Locked"));
    EXPECT_FALSE(child<QPushButton>(&window, "cmdLock")->isEnabled());
    EXPECT_FALSE(child<QPushButton>(&window, "cmdApproveAll")->isEnabled());
    EXPECT_FALSE(f.box(window, 1)->flags() & Qt::ItemIsUserCheckable);

    // Reopen: a cancelled reason does nothing, an empty one is refused, a reason opens it.
    QList<std::optional<QString>> reasons{std::nullopt, QString(), QStringLiteral("Bob's day was short")};
    window.askReason = [&] {
        return reasons.takeFirst();
    };
    f.click(window, "cmdReopen");
    EXPECT_EQ(f.messages.shown.size(), 2);
    f.click(window, "cmdReopen");
    ASSERT_EQ(f.messages.shown.size(), 3);
    EXPECT_EQ(f.messages.shown[2].text, QStringLiteral("Reopening a pay period needs a reason."));
    EXPECT_TRUE(f.state(window).contains(QStringLiteral(": locked,")));
    f.click(window, "cmdReopen");
    EXPECT_EQ(f.state(window), QStringLiteral("2 Nov 2026 - 15 Nov 2026: open, 0 of 2 approved"));
    EXPECT_FALSE(child<QPushButton>(&window, "cmdReopen")->isEnabled());
    EXPECT_EQ(f.box(window, 0)->checkState(), Qt::Unchecked);
}

TEST(PayPeriodsWindow, ExportOfAnOpenPeriodShowsTheWarningLine)
{
    WindowFixture f;
    PayPeriodsWindow window(f.services, f.session, f.counts());
    ASSERT_TRUE(window.choosePeriod(QDate(2026, 11, 2)));
    const QString output = QDir(f.folder.path()).filePath(QStringLiteral("gusto.csv"));
    QString suggested;
    window.chooseProfile = [] {
        return QStringLiteral("gusto");
    };
    window.saveFileName = [&](const QString&, const QString& offered) {
        suggested = offered;
        return output;
    };
    f.click(window, "cmdExport");
    EXPECT_FALSE(suggested.isEmpty());
    EXPECT_TRUE(QFile::exists(output));
    const QString warning = child<QLabel>(&window, "lblWarning")->text();
    EXPECT_TRUE(warning.startsWith(
        output + QStringLiteral(" was written. The pay period 2 Nov 2026 - 15 Nov 2026 is open")))
        << warning.toStdString();

    // Choosing another period clears the line; nothing chosen for the profile writes nothing.
    ASSERT_TRUE(window.choosePeriod(QDate(2026, 11, 16)));
    EXPECT_TRUE(child<QLabel>(&window, "lblWarning")->text().isEmpty());
    window.chooseProfile = [] {
        return QString();
    };
    QFile::remove(output);
    f.click(window, "cmdExport");
    EXPECT_FALSE(QFile::exists(output));
}
