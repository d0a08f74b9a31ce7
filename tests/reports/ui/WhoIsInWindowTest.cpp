#include "reports/ui/WhoIsInWindow.h"

#include "../ReportsFixture.h"
#include "reports/ui/SequenceAuditFrame.h"
#include "store/DayNumber.h"
#include "store/StaffTable.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {
template <typename T> T* find(QWidget* window, const char* name)
{
    T* child = window->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

QStringList texts(QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out.append(list->item(i)->text());
    return out;
}
} // namespace

TEST(WhoIsInWindow, DaysChoiceAlignedNamesAndCounts)
{
    ReportsFixture f;
    f.add("A1", "Al", 3, QTime(8, 0), false);
    f.add("B2", "Bartholomew Fitzgerald-Winterbottom", 0, QTime(9, 0), false);
    f.add("C3", "Cy", 0, QTime(8, 0), true);
    WhoIsInWindow window(f.services, f.session);
    window.show();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Who is in and who is out"));
    auto* days = find<QComboBox>(&window, "cmbDays");
    EXPECT_EQ(days->count(), 31);
    EXPECT_EQ(days->currentText(), QStringLiteral("7"));
    auto* in = find<QListWidget>(&window, "lstIN");
    auto* out = find<QListWidget>(&window, "lstOUT");
    ASSERT_EQ(in->count(), 2);
    EXPECT_EQ(out->count(), 1);
    EXPECT_EQ(find<QLabel>(&window, "lblIN")->text(), QStringLiteral("Employees clocked In (2)"));
    EXPECT_EQ(find<QLabel>(&window, "lblOUT")->text(), QStringLiteral("Employees clocked Out (1)"));

    // The name column: short names padded, long ones cut, so the IDs start in one column.
    const QFontMetrics metrics(in->font());
    const int dpi = in->logicalDpiX();
    for (const QString& text : texts(in)) {
        const int column = metrics.horizontalAdvance(text.section(QLatin1Char('\t'), 0, 0));
        EXPECT_GE(column, 1200 * dpi / 1440) << text.toStdString();
        EXPECT_LT(column, 1350 * dpi / 1440) << text.toStdString();
    }
    // the 24-hour clock of the settings, though the locale's own clock has 12 hours
    EXPECT_TRUE(texts(in).at(0).contains(QStringLiteral("\tA1 - 12/1/2026 08:00:00")))
        << texts(in).at(0).toStdString();

    days->setCurrentIndex(0);
    Q_EMIT days->activated(0);
    EXPECT_EQ(window.days(), 1);
    EXPECT_EQ(in->count(), 1);
    EXPECT_EQ(find<QLabel>(&window, "lblIN")->text(), QStringLiteral("Employees clocked In (1)"));

    days->setCurrentIndex(30);
    Q_EMIT days->activated(30);
    EXPECT_EQ(in->count(), 2);
}

TEST(WhoIsInWindow, EmptyPeriodKeepsTheLists)
{
    ReportsFixture f;
    f.add("A1", "Al", 3, QTime(8, 0), false);
    WhoIsInWindow window(f.services, f.session);
    auto* in = find<QListWidget>(&window, "lstIN");
    ASSERT_EQ(in->count(), 1);
    auto* days = find<QComboBox>(&window, "cmbDays");
    Q_EMIT days->activated(0); // nobody in the last day: the lists stay as they were
    EXPECT_EQ(in->count(), 1);
    EXPECT_EQ(days->currentText(), QStringLiteral("1"));
}

TEST(SequenceAuditFrame, ButtonNeedsBothDaysAndListsTheAudit)
{
    ReportsFixture f;
    SequenceAudit::Period period;
    {
        SequenceAuditFrame frame(f.services, f.session, period);
        EXPECT_FALSE(find<QPushButton>(&frame, "cmdAudit")->isEnabled());
    }
    period = {DayNumber::of(ReportsFixture::today.addDays(-3)), DayNumber::of(ReportsFixture::today)};
    SequenceAuditFrame frame(f.services, f.session, period);
    frame.show();
    EXPECT_TRUE(find<QPushButton>(&frame, "cmdAudit")->isEnabled());
    EXPECT_EQ(find<QPushButton>(&frame, "cmdFirstDay")->text(), QStringLiteral("Tuesday, December 1, 2026"));
    auto* list = find<QListWidget>(&frame, "lstAudit");
    EXPECT_TRUE(list->isHidden());

    find<QPushButton>(&frame, "cmdAudit")->click();
    ASSERT_EQ(f.messages.shown.size(), 1);
    EXPECT_EQ(f.messages.shown.first().text, QStringLiteral("No records found.."));
    EXPECT_EQ(f.messages.shown.first().title, QStringLiteral("No records"));

    f.add("A1", "Al", 2, QTime(8, 0), false);
    f.add("A1", "Al", 2, QTime(17, 0), true);
    find<QPushButton>(&frame, "cmdAudit")->click();
    EXPECT_FALSE(list->isHidden());
    EXPECT_EQ(texts(list), QStringList{QStringLiteral("No violations found....")});

    f.add("A1", "Al", 2, QTime(12, 0), false);
    find<QPushButton>(&frame, "cmdAudit")->click();
    EXPECT_EQ(list->count(), 4);
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("that is earlier then...."));
}

TEST(WhoIsInWindow, ExpectedNotInBesideTheTwoLists)
{
    ReportsFixture f; // at 12:00
    const qint32 today = DayNumber::of(ReportsFixture::today);
    StaffTable(f.services.database)
        .replaceAll({{QStringLiteral("Al"), 1, today, QStringLiteral("A1"), 1, 32, 68},
                     {QStringLiteral("Bea"), 2, today, QStringLiteral("B2"), 1, 36, 68}});
    f.add("B2", "Bea", 0, QTime(9, 2), false);
    WhoIsInWindow window(f.services, f.session);
    window.show();
    auto* expected = find<QListWidget>(&window, "lstExpected");
    ASSERT_EQ(expected->count(), 1);
    EXPECT_TRUE(texts(expected).at(0).endsWith(QStringLiteral("\tA1 - 08:00")))
        << texts(expected).at(0).toStdString();
    EXPECT_EQ(find<QLabel>(&window, "lblExpected")->text(), QStringLiteral("Expected, not in (1)"));
    EXPECT_EQ(find<QListWidget>(&window, "lstIN")->count(), 1);

    f.add("A1", "Al", 0, QTime(12, 0), false);
    find<QPushButton>(&window, "cmdRefresh")->click();
    EXPECT_EQ(expected->count(), 0);
    EXPECT_EQ(find<QLabel>(&window, "lblExpected")->text(), QStringLiteral("Expected, not in (0)"));
}
