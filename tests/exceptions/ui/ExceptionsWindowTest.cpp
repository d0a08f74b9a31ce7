#include "exceptions/ui/ExceptionsWindow.h"

#include "PunchRecord.h"
#include "TestProgram.h"
#include "records/ui/RecordEditorWindow.h"
#include "store/ClockRecords.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {
// A Wednesday; the workweek starts on Sunday by default.
const QDate today(2026, 12, 9);

QDateTime at(int day, int hour, int minute, int second = 0)
{
    return QDateTime(today.addDays(day), QTime(hour, minute, second));
}

// "kind#record" of each line, with "+" for a resolved one.
std::string lines(const ExceptionsWindow& window)
{
    QStringList names;
    for (const PunchException& e : window.listed())
        names.append(PunchExceptions::kindName(e.kind) + QLatin1Char('#') + QString::number(e.recordNumber) +
                     (e.resolution ? QStringLiteral("+") : QString()));
    return names.join(QLatin1Char(' ')).toStdString();
}

struct Week {
    TestProgram program{at(0, 12, 0)};
    qint64 longOut = 0;
    qint64 scan = 0;

    Week()
    {
        ClockRecords records(program.database());
        const auto add = [&](QDateTime time, bool out) {
            return records.append(punchRecord(QStringLiteral("A1"), time, out, QStringLiteral("Ann")));
        };
        add(at(-2, 7, 0), false);
        longOut = add(at(-2, 20, 0), true);
        add(at(-1, 8, 0), false);
        scan = add(at(-1, 8, 0, 20), false);
        add(at(-1, 16, 0), true);
    }
};
} // namespace

TEST(ExceptionsWindow, ListsFiltersAndResolvesWithANote)
{
    Week week;
    const std::string longShift = "long-shift#" + std::to_string(week.longOut);
    const std::string scan = std::to_string(week.scan);
    ExceptionsWindow window(week.program.services, week.program.session);
    EXPECT_EQ(lines(window), longShift + " double-in#" + scan + " quick-repeat#" + scan);
    auto* count = window.findChild<QLabel*>(QStringLiteral("lblCount"));
    ASSERT_TRUE(count);
    EXPECT_EQ(count->text(), QStringLiteral("3 exceptions to look at"));
    auto* list = window.findChild<QTreeWidget*>(QStringLiteral("lstExceptions"));
    ASSERT_TRUE(list);
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("Ann (A1)"));
    EXPECT_EQ(list->topLevelItem(1)->text(2), QStringLiteral("08:00:20"));
    EXPECT_EQ(list->topLevelItem(2)->text(3), QStringLiteral("quick-repeat"));

    auto* kind = window.findChild<QComboBox*>(QStringLiteral("cboKind"));
    ASSERT_TRUE(kind);
    kind->setCurrentIndex(kind->findText(QStringLiteral("long-shift")));
    EXPECT_EQ(lines(window), longShift);
    window.selectLine(0);
    window.findChild<QLineEdit*>(QStringLiteral("txtNote"))->setText(QStringLiteral("inventory night"));
    window.resolveSelected();
    EXPECT_EQ(lines(window), "");
    EXPECT_TRUE(window.findChild<QLineEdit*>(QStringLiteral("txtNote"))->text().isEmpty());

    kind->setCurrentIndex(0);
    window.findChild<QCheckBox*>(QStringLiteral("chkShowResolved"))->setChecked(true);
    EXPECT_EQ(lines(window), longShift + "+ double-in#" + scan + " quick-repeat#" + scan);
    EXPECT_TRUE(list->topLevelItem(0)->text(4).endsWith(QStringLiteral(": inventory night]")));
    EXPECT_EQ(count->text(), QStringLiteral("2 exceptions to look at"));
    // A resolved line cannot be resolved again; last week has none.
    window.selectLine(0);
    EXPECT_FALSE(window.findChild<QPushButton*>(QStringLiteral("cmdResolve"))->isEnabled());
    window.findChild<QPushButton*>(QStringLiteral("cmdLastWeek"))->click();
    EXPECT_EQ(lines(window), "");
}

TEST(ExceptionsWindow, OpensTheRecordEditorOnTheRecordAndListsAgainAfterIt)
{
    Week week;
    ExceptionsWindow window(week.program.services, week.program.session);
    window.selectLine(1); // the double scan
    ASSERT_TRUE(window.selected());
    ASSERT_EQ(window.selected()->recordNumber, week.scan);

    qint64 shown = 0;
    QTimer::singleShot(0, [&] {
        auto* editor = qobject_cast<RecordEditorWindow*>(QApplication::activeModalWidget());
        ASSERT_TRUE(editor);
        shown = editor->editor().currentRecord();
        // The fix: the second scan goes.
        editor->deleteRecord();
        editor->accept();
    });
    // The delete asks first; the fake answers Yes.
    window.openSelected();
    EXPECT_EQ(shown, week.scan);
    EXPECT_EQ(lines(window), "long-shift#" + std::to_string(week.longOut));
}
