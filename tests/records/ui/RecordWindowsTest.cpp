#include "../RecordsFixture.h"
#include "platform/ui/DatePicker.h"
#include "records/ui/OldRecordsWindow.h"
#include "records/ui/RecordEditorWindow.h"
#include "records/ui/RecordHistoryWindow.h"
#include "records/ui/RecordSelectionWindow.h"
#include "store/EditHistory.h"
#include "store/RecordEdits.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {
const QDate today(2026, 12, 4);

QDateTime at(int hour, int minute, int days = 0)
{
    return QDateTime(today.addDays(days), QTime(hour, minute));
}

template <typename T = QWidget> T* child(QWidget* window, const char* name)
{
    T* found = window->findChild<T*>(QString::fromLatin1(name));
    EXPECT_TRUE(found) << name;
    return found;
}

void click(QWidget* window, const char* name)
{
    QTest::mouseClick(child<QPushButton>(window, name), Qt::LeftButton);
}

// Runs `act` on the modal window of type T that is about to open, inside its own event loop.
template <typename T> void onNextModal(std::function<void(T*)> act)
{
    QTimer::singleShot(0, [act] {
        auto* window = qobject_cast<T*>(QApplication::activeModalWidget());
        ASSERT_TRUE(window) << T::staticMetaObject.className();
        act(window);
    });
}

void clickLine(QWidget* editor, int row)
{
    auto* list = child<QListWidget>(editor, "lstRecords");
    const QRect line = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, line.center());
}
} // namespace

TEST(RecordSelectionWindow, WarnsBeforeOpeningTheEditor)
{
    RecordsFixture f;
    RecordSelectionWindow window(f.services, f.session);
    window.show();
    EXPECT_FALSE(child(&window, "cmdPickEmployee")->isVisible());
    click(&window, "cmdGo");
    EXPECT_EQ(child<QLabel>(&window, "lblWarning")->text(), QStringLiteral("No employee selected..."));
    EXPECT_EQ(f.messages.beeps, 1);
}

TEST(RecordSelectionWindow, SelectEditSaveAndTheListReloads)
{
    RecordsFixture f;
    const qint64 number = f.punch(QStringLiteral("O'NEIL"), at(8, 0), false);
    RecordSelectionWindow window(f.services, f.session);
    window.show();
    QTest::keyClicks(child<QLineEdit>(&window, "txtID"), QStringLiteral(" O'NEIL "));
    QStringList linesAfterSave;
    onNextModal<RecordEditorWindow>([&](RecordEditorWindow* editor) {
        EXPECT_EQ(editor->windowTitle(),
                  QStringLiteral(" Records for ID: O'NEIL Starting , Starting on:12/4/2026"));
        clickLine(editor, 0);
        EXPECT_EQ(child<QLineEdit>(editor, "txtTime")->text(), QStringLiteral("08:00"));
        auto* time = child<QLineEdit>(editor, "txtTime");
        time->clear();
        QTest::keyClicks(time, QStringLiteral("09x:15"));
        EXPECT_EQ(time->text(), QStringLiteral("09:15")); // the x is dropped
        click(editor, "cmdSave");
        auto* list = child<QListWidget>(editor, "lstRecords");
        for (int i = 0; i < list->count(); ++i)
            linesAfterSave.append(list->item(i)->text());
        click(editor, "cmdClose");
    });
    click(&window, "cmdGo");
    EXPECT_EQ(linesAfterSave,
              QStringList{QStringLiteral(" \tO'NEIL\tFri\t04-Dec-26     09:15\t In\tEdited")});
    EXPECT_EQ(RecordEdits(f.database()).find(number)->time, at(9, 15));
    EXPECT_TRUE(window.isVisible()); // ready for the next employee
}

TEST(RecordEditorWindow, InsertAndDeleteWithTheQuestionAnswered)
{
    RecordsFixture f;
    f.punch(QStringLiteral("E1"), at(8, 0), false);
    RecordEditorWindow editor(f.services, f.session, QStringLiteral("E1"), DayNumber::of(today));
    editor.show();
    clickLine(&editor, 0);
    auto* time = child<QLineEdit>(&editor, "txtTime");
    time->setText(QStringLiteral("17:00"));
    child<QRadioButton>(&editor, "optOut")->setChecked(true);
    click(&editor, "cmdInsert");
    auto* list = child<QListWidget>(&editor, "lstRecords");
    ASSERT_EQ(list->count(), 2);
    EXPECT_TRUE(list->item(1)->text().endsWith(QStringLiteral("17:00\t Out\tInserted")));

    clickLine(&editor, 1);
    f.messages.answers = {MessageBoxes::Answer::No, MessageBoxes::Answer::Yes};
    click(&editor, "cmdDelete");
    EXPECT_EQ(list->count(), 2);
    click(&editor, "cmdDelete");
    EXPECT_EQ(list->count(), 1);
    ASSERT_EQ(f.messages.shown.size(), 2);
    EXPECT_EQ(f.messages.shown.at(1).text,
              QStringLiteral("Are you sure....?\n\nFri 04-Dec-26 17:00 Out Inserted"));
    EXPECT_EQ(f.messages.shown.at(1).title, QStringLiteral("Delete record"));
    EXPECT_EQ(f.messages.beeps, 2);

    clickLine(&editor, 0);
    EXPECT_EQ(child<QLabel>(&editor, "picPicture")->text(), QStringLiteral("No picture found..."));
    f.messages.answers = {MessageBoxes::Answer::Yes};
    click(&editor, "cmdDelete");
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(child<QLabel>(&editor, "lblNoRecords")->text(),
              QStringLiteral("No records found for: ID E1  Starting on Friday, December 4, 2026"));
}

TEST(RecordEditorWindow, PreviousAndNextStepThroughTheList)
{
    RecordsFixture f;
    for (int hour : {8, 12, 17})
        f.punch(QStringLiteral("E1"), at(hour, 0), hour != 8);
    RecordEditorWindow editor(f.services, f.session, QStringLiteral("E1"), DayNumber::of(today));
    editor.show();
    clickLine(&editor, 0);
    EXPECT_FALSE(child(&editor, "cmdPrevious")->isEnabled());
    click(&editor, "cmdNext");
    click(&editor, "cmdNext");
    EXPECT_EQ(child<QLineEdit>(&editor, "txtTime")->text(), QStringLiteral("17:00"));
    EXPECT_FALSE(child(&editor, "cmdNext")->isEnabled());
    click(&editor, "cmdPrevious");
    EXPECT_EQ(child<QLineEdit>(&editor, "txtTime")->text(), QStringLiteral("12:00"));
}

TEST(RecordEditorWindow, ASaveAfterADeleteSaysThatNothingWasSaved)
{
    RecordsFixture f;
    f.punch(QStringLiteral("E1"), at(8, 0), false);
    const qint64 kept = f.punch(QStringLiteral("E1"), at(17, 0), true);
    RecordEditorWindow editor(f.services, f.session, QStringLiteral("E1"), DayNumber::of(today));
    editor.show();
    clickLine(&editor, 0);
    f.messages.answers = {MessageBoxes::Answer::Yes};
    click(&editor, "cmdDelete");
    auto* time = child<QLineEdit>(&editor, "txtTime");
    EXPECT_TRUE(time->text().isEmpty()) << "the deleted record is no longer on show";
    QTest::keyClicks(time, QStringLiteral("09:00"));
    click(&editor, "cmdSave");
    EXPECT_EQ(f.messages.shown.last().text, RecordEditor::noRecordMessage);
    EXPECT_EQ(RecordEdits(f.database()).find(kept)->time, at(17, 0));
    EXPECT_EQ(EditHistory(f.database()).entries().size(), 1); // the delete alone
}

TEST(RecordEditorWindow, TheArrowKeysChooseTheRecordThatSaveChanges)
{
    RecordsFixture f;
    const qint64 first = f.punch(QStringLiteral("E1"), at(8, 0), false);
    const qint64 second = f.punch(QStringLiteral("E1"), at(12, 0), true);
    RecordEditorWindow editor(f.services, f.session, QStringLiteral("E1"), DayNumber::of(today));
    editor.show();
    auto* list = child<QListWidget>(&editor, "lstRecords");
    list->setFocus();
    EXPECT_TRUE(child<QLineEdit>(&editor, "txtTime")->text().isEmpty()) << "nothing shown before a choice";
    clickLine(&editor, 0);
    QTest::keyClick(list, Qt::Key_Down);
    auto* time = child<QLineEdit>(&editor, "txtTime");
    EXPECT_EQ(time->text(), QStringLiteral("12:00"));
    time->setText(QStringLiteral("12:30"));
    click(&editor, "cmdSave");
    EXPECT_EQ(RecordEdits(f.database()).find(first)->time, at(8, 0));
    EXPECT_EQ(RecordEdits(f.database()).find(second)->time, at(12, 30));
}

TEST(RecordEditorWindow, AnInsertKeepsTheDayJustPicked)
{
    RecordsFixture f;
    f.punch(QStringLiteral("E1"), at(8, 0), false);
    RecordEditorWindow editor(f.services, f.session, QStringLiteral("E1"), DayNumber::of(today));
    editor.show();
    clickLine(&editor, 0);
    onNextModal<DatePicker>([](DatePicker* picker) {
        click(picker, "Command3D2_7");
        click(picker, "Command3D1");
    });
    click(&editor, "cmdDate");
    auto* time = child<QLineEdit>(&editor, "txtTime");
    for (const char* typed : {"08:00", "17:00"}) {
        time->setText(QString::fromLatin1(typed));
        child<QRadioButton>(&editor, QByteArray(typed) == "08:00" ? "optIn" : "optOut")->setChecked(true);
        click(&editor, "cmdInsert");
    }
    const QList<ClockRecord> rows = ClockRecords(f.database()).since(0);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows.at(1).time, at(8, 0, 3));
    EXPECT_EQ(rows.at(2).time, at(17, 0, 3)) << "the second insert lands on the picked day too";
    EXPECT_EQ(child<QPushButton>(&editor, "cmdDate")->text(), QStringLiteral("Monday, December 7, 2026"));
}

TEST(RecordEditorWindow, AWriteThatLeavesTwoInsInARowAsksFirst)
{
    RecordsFixture f;
    f.punch(QStringLiteral("E1"), at(8, 0), false);
    f.punch(QStringLiteral("E1"), at(17, 0), true);
    RecordEditorWindow editor(f.services, f.session, QStringLiteral("E1"), DayNumber::of(today));
    editor.show();
    clickLine(&editor, 0);
    child<QLineEdit>(&editor, "txtTime")->setText(QStringLiteral("10:00"));
    f.messages.answers = {MessageBoxes::Answer::No};
    click(&editor, "cmdInsert");
    ASSERT_EQ(f.messages.shown.size(), 1);
    EXPECT_EQ(f.messages.shown.at(0).text,
              QStringLiteral(
                  "This leaves two IN records in a row (Fri 04-Dec-26 08:00 and 10:00). Insert anyway?"));
    EXPECT_EQ(ClockRecords(f.database()).since(0).size(), 2);
    click(&editor, "cmdInsert"); // answered Yes
    EXPECT_EQ(ClockRecords(f.database()).since(0).size(), 3);
}

TEST(RecordHistoryWindow, TellsTheOriginalPunchAndEachChangeInWords)
{
    RecordsFixture f;
    const qint64 number = f.punch(QStringLiteral("E1"), at(8, 0), false);
    RecordEditor editor(f.services, f.session, QStringLiteral("E1"), DayNumber::of(today));
    editor.show(number);
    ASSERT_TRUE(editor.save({QStringLiteral("9:15"), false, {}, false}).done);
    RecordHistoryWindow history(f.services, f.session, number);
    const QStringList lines = history.text().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines.at(0), QStringLiteral("Punched: Fri 04-Dec-26 08:00 In"));
    EXPECT_TRUE(lines.at(1).contains(QStringLiteral("Edited by "))) << lines.at(1).toStdString();
    EXPECT_EQ(lines.at(2), QStringLiteral("    Time 08:00 \u2192 09:15, Edited"));
}

TEST(RecordHistoryWindow, FindsADeletedRecordByEmployeeAndDay)
{
    RecordsFixture f;
    f.punch(QStringLiteral("E1"), at(8, 0), false);
    const qint64 gone = f.punch(QStringLiteral("E1"), at(17, 0), true);
    const qint64 earlier = f.punch(QStringLiteral("E1"), at(9, 0, -1), true);
    f.punch(QStringLiteral("E2"), at(9, 0), true);
    RecordEditor editor(f.services, f.session, QStringLiteral("E1"), DayNumber::of(today.addDays(-1)));
    for (qint64 n : {earlier, gone}) {
        editor.show(n);
        ASSERT_TRUE(editor.remove().done);
    }
    const QString user = EditHistory::workstationUser();
    RecordHistoryWindow fromToday(f.services, f.session, QStringLiteral("e1"), DayNumber::of(today));
    EXPECT_EQ(fromToday.deletedLines(),
              QStringList{QStringLiteral("Fri 04-Dec-26 17:00 Out    deleted 2026-12-04 10:00 by ") + user});
    EXPECT_TRUE(fromToday.text().contains(QStringLiteral("    Deleted: Fri 04-Dec-26 17:00 Out")))
        << fromToday.text().toStdString();
    RecordHistoryWindow fromYesterday(f.services, f.session, QStringLiteral("E1"),
                                      DayNumber::of(today.addDays(-1)));
    EXPECT_EQ(fromYesterday.deletedLines().size(), 2);
    RecordHistoryWindow other(f.services, f.session, QStringLiteral("E2"), DayNumber::of(today));
    EXPECT_TRUE(other.deletedLines().isEmpty());
}

TEST(OldRecordsWindow, RemovesTheDaysBeforeThePickedOne)
{
    RecordsFixture f;
    f.punch(QStringLiteral("E1"), at(8, 0, -1), false);
    f.punch(QStringLiteral("E1"), at(8, 0), false);
    OldRecordsWindow window(f.services, f.session);
    window.show();
    click(&window, "Command2"); // no date yet: nothing happens
    EXPECT_TRUE(window.isVisible());
    onNextModal<DatePicker>([](DatePicker* picker) { click(picker, "Command3D3"); });
    click(&window, "cmdDate");
    EXPECT_EQ(window.chosenDay(), 0);
    onNextModal<DatePicker>([](DatePicker* picker) { click(picker, "Command3D1"); });
    click(&window, "cmdDate");
    EXPECT_EQ(child<QPushButton>(&window, "cmdDate")->text(), QStringLiteral("Friday, December 4, 2026"));
    click(&window, "Command2");
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(ClockRecords(f.database()).since(0).size(), 1);
    EXPECT_EQ(EditHistory(f.database()).entries().size(), 1);
}
