#include "records/RecordEditor.h"

#include "RecordsFixture.h"
#include "clock/PictureText.h"
#include "store/DayNumber.h"
#include "store/EditHistory.h"
#include "store/RecordEdits.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {
const QDate day(2026, 12, 4);

QDateTime at(int hour, int minute, int second = 0, int days = 0)
{
    return QDateTime(day.addDays(days), QTime(hour, minute, second));
}

ClockRecord stored(RecordsFixture& f, qint64 number)
{
    return RecordEdits(f.database()).find(number).value();
}
} // namespace

using RecordEditorTest = BackendTest;
TELLARIN_ON_BOTH_BACKENDS(RecordEditorTest);

TEST_P(RecordEditorTest, FindsTheEmployeeTrimmedAndInAnyCaseFromTheStartDay)
{
    RecordsFixture f(backend());
    f.punch(QStringLiteral("O'NEIL"), at(8, 0, 0, -2), false);
    const qint64 kept = f.punch(QStringLiteral("O'NEIL"), at(17, 0), true);
    const qint64 first = f.punch(QStringLiteral("O'NEIL"), at(8, 0), false);
    const qint64 typed = f.punch(QStringLiteral("o'neil"), at(9, 0), false);
    f.punch(QStringLiteral("OTHER"), at(9, 0), false);
    // One letter for one: the employee ß1 is not the employee SS1.
    const qint64 ss = f.punch(QStringLiteral("SS1"), at(9, 0), false);
    const qint64 sharp = f.punch(QStringLiteral("ß1"), at(10, 0), false);

    const struct {
        const char* typed;
        QList<qint64> found;
    } cases[] = {
        {" O'NEIL ", {first, typed, kept}},
        {"o'neil", {first, typed, kept}},
        {"ß1", {sharp}},
        {"ss1", {ss}},
    };
    for (const auto& c : cases) {
        RecordEditor editor(f.services, f.session, QString::fromUtf8(c.typed),
                            DayNumber::of(day.addDays(-1)));
        editor.reload();
        QList<qint64> numbers;
        for (const RecordEditor::Entry& e : editor.entries())
            numbers.append(e.recordNumber);
        EXPECT_EQ(numbers, c.found) << c.typed;
    }
    RecordEditor editor(f.services, f.session, QStringLiteral("o'neil"), DayNumber::of(day.addDays(-1)));
    editor.reload();
    EXPECT_EQ(editor.entries().at(0).line, QStringLiteral(" \tO'NEIL\tFri\t04-Dec-26     08:00\t In\t"));
}

TEST_P(RecordEditorTest, AnInsertForALowerCaseIdIsStoredAsTheClockStoresIt)
{
    RecordsFixture f(backend());
    f.punch(QStringLiteral("ANN1"), at(8, 0), false);
    RecordEditor editor(f.services, f.session, QStringLiteral(" ann1 "), DayNumber::of(day));
    editor.reload();
    ASSERT_EQ(editor.entries().size(), 1);
    editor.show(editor.entries().at(0).recordNumber);
    ASSERT_TRUE(editor.insert({QStringLiteral("17:00"), true, {}, false}).done);
    ASSERT_EQ(editor.entries().size(), 2);
    EXPECT_EQ(stored(f, editor.entries().at(1).recordNumber).employeeId, QStringLiteral("ANN1"));
}

TEST_P(RecordEditorTest, SaveWritesTheDetailAreaAndMarksTheRecord)
{
    const struct {
        const char* name;
        QDateTime punched;
        bool clock12;
        RecordEditor::Input input;
        int dayShift; // moves the date button
        QDateTime stored;
        qint16 mark;
        std::optional<qint64> tips;
    } cases[] = {
        {"kept seconds",
         at(8, 0, 45),
         false,
         {QStringLiteral("09:15"), false, {}, false},
         0,
         at(9, 15, 45),
         1,
         0},
        {"not marked",
         at(8, 0, 45),
         false,
         {QStringLiteral("09:15"), false, {}, true},
         0,
         at(9, 15, 45),
         0,
         0},
        {"24:00 on another day",
         at(8, 0),
         false,
         {QStringLiteral("24:00"), false, {}, false},
         1,
         at(23, 59, 59, 1),
         1,
         0},
        {"24:00 never passes midnight",
         at(8, 0, 30),
         false,
         {QStringLiteral("24:00"), false, {}, false},
         0,
         at(23, 59, 59),
         1,
         0},
        {"12:00 is midnight",
         at(8, 0, 5),
         true,
         {QStringLiteral("12:00"), false, {}, false},
         0,
         at(0, 0, 5),
         1,
         0},
        {"out with tips",
         at(8, 0),
         false,
         {QStringLiteral("17:00"), true, QStringLiteral(" 12.5 "), false},
         0,
         at(17, 0),
         1,
         125000},
        {"out without tips text keeps none",
         at(8, 0),
         false,
         {QStringLiteral("17:00"), true, {}, false},
         0,
         at(17, 0),
         1,
         std::nullopt},
    };
    for (const auto& c : cases) {
        RecordsFixture f(backend());
        f.session.updateSettings([&](SettingsRecord& s) { s.clock12Hour = c.clock12; });
        f.session.updateSettings([&](SettingsRecord& s) { s.reportTips = true; });
        const qint64 number = f.punch(QStringLiteral("E1"), c.punched, false);
        RecordEditor editor(f.services, f.session, QStringLiteral("E1"), DayNumber::of(day));
        editor.reload();
        ASSERT_TRUE(editor.show(number)) << c.name;
        editor.setCurrentDay(editor.currentDay() + c.dayShift);
        const RecordEditor::Outcome outcome = editor.save(c.input);
        ASSERT_TRUE(outcome.done) << c.name << outcome.message.toStdString();
        const ClockRecord r = stored(f, number);
        EXPECT_EQ(r.time, c.stored) << c.name;
        EXPECT_EQ(r.julian, DayNumber::of(c.stored.date())) << c.name;
        EXPECT_EQ(r.options, c.mark) << c.name;
        EXPECT_EQ(r.clockOut, c.input.clockOut) << c.name;
        EXPECT_EQ(r.tips ? std::optional<qint64>(r.tips->units()) : std::nullopt, c.tips) << c.name;
        EXPECT_EQ(EditHistory(f.database()).entriesFor(number).size(), 1) << c.name;
    }
}

TEST_P(RecordEditorTest, ABadTimeWritesNothing)
{
    RecordsFixture f(backend());
    const qint64 number = f.punch(QStringLiteral("E1"), at(8, 0), false);
    RecordEditor editor(f.services, f.session, QStringLiteral("E1"), DayNumber::of(day));
    editor.reload();
    editor.show(number);
    const RecordEditor::Outcome saved = editor.save({QStringLiteral("8:61"), false, {}, false});
    EXPECT_FALSE(saved.done);
    EXPECT_EQ(saved.message, QStringLiteral("\nRecord did not save...\n\nCheck the date and time format.."));
    EXPECT_TRUE(saved.beep && saved.focusTime);
    const RecordEditor::Outcome inserted = editor.insert({QStringLiteral("x"), false, {}, false});
    EXPECT_EQ(inserted.message, QStringLiteral("Error in date or time format.."));
    EXPECT_EQ(stored(f, number).time, at(8, 0));
    EXPECT_TRUE(EditHistory(f.database()).entries().isEmpty());
}

TEST_P(RecordEditorTest, InsertTakesTheShownRecordsValuesAndMarksItInserted)
{
    RecordsFixture f(backend());
    f.session.updateSettings([&](SettingsRecord& s) { s.clock12Hour = true; });
    const qint64 shown = f.punch(QStringLiteral("E1"), at(8, 0), false, QStringLiteral("Ann"));
    RecordEditor editor(f.services, f.session, QStringLiteral("E1"), DayNumber::of(day));
    editor.reload();
    editor.show(shown);
    editor.setCurrentDay(DayNumber::of(day.addDays(1)));
    ASSERT_TRUE(editor.insert({QStringLiteral("12:00"), true, {}, false}).done);
    ASSERT_EQ(editor.entries().size(), 2);
    const ClockRecord r = stored(f, editor.entries().at(1).recordNumber);
    EXPECT_EQ(r.time, at(12, 0, 0, 1)); // noon
    EXPECT_EQ(r.employee, QStringLiteral("Ann"));
    EXPECT_EQ(r.options, 2);
    EXPECT_TRUE(r.clockOut);
    EXPECT_EQ(r.created, f.time.now());
    EXPECT_EQ(editor.entries().at(1).line.section(QLatin1Char('\t'), 5), QStringLiteral("Inserted"));
}

TEST_P(RecordEditorTest, DeleteRemovesTheRecordAndItsPicture)
{
    RecordsFixture f(backend());
    const qint64 number = f.punch(QStringLiteral("E1"), at(8, 0), false);
    QDir().mkpath(f.session.paths().picturesFolder());
    const QString picture = PictureText::fileName(f.session.paths(), number);
    QFile file(picture);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    RecordEditor editor(f.services, f.session, QStringLiteral("E1"), DayNumber::of(day));
    editor.reload();
    EXPECT_FALSE(editor.remove().done); // nothing shown yet
    EXPECT_EQ(editor.show(number)->picture, picture);
    EXPECT_TRUE(editor.remove().done);
    EXPECT_FALSE(QFile::exists(picture));
    EXPECT_TRUE(editor.entries().isEmpty());
    EXPECT_FALSE(RecordEdits(f.database()).find(number));
    const QList<HistoryEntry> history = EditHistory(f.database()).entriesFor(number);
    ASSERT_EQ(history.size(), 1);
    EXPECT_EQ(history.first().action, EditHistory::deleted);
    EXPECT_TRUE(history.first().newValues.isEmpty());
}

TEST_P(RecordEditorTest, ShowsCreatedOrNotAvailable)
{
    RecordsFixture f(backend());
    const qint64 number = f.punch(QStringLiteral("E1"), at(8, 0, 45), true);
    f.database().execute(QStringLiteral(R"(UPDATE "In Out" SET "Tips" = 5000 WHERE "Record number" = ?)"),
                         {number});
    RecordEditor editor(f.services, f.session, QStringLiteral("E1"), DayNumber::of(day));
    RecordEditor::Shown shown = editor.show(number).value();
    // the clock the settings choose, not the one of the locale (12-hour in the US)
    EXPECT_EQ(shown.created, QStringLiteral("Created on : 12/4/2026 08:00:45"));
    f.session.updateSettings([&](SettingsRecord& s) { s.clock12Hour = true; });
    EXPECT_EQ(editor.show(number)->created, QStringLiteral("Created on : 12/4/2026 8:00:45 AM"));
    f.session.updateSettings([&](SettingsRecord& s) { s.clock12Hour = false; });
    EXPECT_EQ(shown.tips, QStringLiteral(".50"));
    EXPECT_EQ(shown.time, QStringLiteral("08:00"));
    EXPECT_EQ(editor.currentSeconds(), 45);
    EXPECT_TRUE(shown.picture.isEmpty());
    f.database().execute(QStringLiteral(R"(UPDATE "In Out" SET "Created" = NULL)"));
    EXPECT_EQ(editor.show(number)->created, QStringLiteral("Created on : Not Available"));
}

TEST_P(RecordEditorTest, AsksBeforeAWriteLeavesTwoInsOrTwoOutsInARow)
{
    RecordsFixture f(backend());
    const qint64 in = f.punch(QStringLiteral("E1"), at(8, 0), false);
    const qint64 out = f.punch(QStringLiteral("E1"), at(17, 0), true);
    f.punch(QStringLiteral("E1"), at(8, 0, 0, 1), false);
    f.punch(QStringLiteral("E2"), at(12, 0), true); // someone else's records never count
    using W = RecordEditor::Write;
    const struct {
        W write;
        qint64 shown;
        const char* time;
        bool clockOut;
        const char* question;
    } cases[] = {
        {W::Save, in, "08:00", true,
         "This leaves two OUT records in a row (Fri 04-Dec-26 08:00 and 17:00). Save anyway?"},
        {W::Save, in, "09:00", false, ""},
        {W::Insert, in, "12:00", true,
         "This leaves two OUT records in a row (Fri 04-Dec-26 12:00 and 17:00). Insert anyway?"},
        {W::Insert, in, "12:00", false,
         "This leaves two IN records in a row (Fri 04-Dec-26 08:00 and 12:00). Insert anyway?"},
        {W::Insert, out, "18:00", true,
         "This leaves two OUT records in a row (Fri 04-Dec-26 17:00 and 18:00). Insert anyway?"},
        {W::Delete, out, "", false,
         "This leaves two IN records in a row (Fri 04-Dec-26 08:00 and Sat 05-Dec-26 08:00). Delete anyway?"},
        {W::Delete, in, "", false, ""},
        {W::Save, out, "not a time", false, ""},
    };
    for (const auto& c : cases) {
        RecordEditor editor(f.services, f.session, QStringLiteral("e1"), DayNumber::of(day));
        editor.reload();
        editor.show(c.shown);
        EXPECT_EQ(editor.sequenceQuestion(c.write, {QString::fromLatin1(c.time), c.clockOut, {}, false}),
                  QString::fromLatin1(c.question))
            << static_cast<int>(c.write) << " " << c.time;
    }
    EXPECT_EQ(ClockRecords(f.database()).since(0).size(), 4) << "asking writes nothing";
}
