#include "store/InOutRow.h"

#include "BackendTest.h"
#include "PunchRecord.h"
#include "store/ClockRecords.h"
#include "store/PunchQueue.h"
#include "store/RecordEdits.h"
#include "store/RecordSequence.h"
#include "store/StoredTime.h"

#include <QDir>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

namespace {
const QDateTime morning(QDate(2026, 12, 4), QTime(8, 0));

// Records that differ from one another in one field each, so that two columns read in each
// other's place give a different record: one flag set at a time, and one with every value its own.
QList<ClockRecord> distinctRecords()
{
    QList<ClockRecord> records;
    for (bool ClockRecord::*flag : {&ClockRecord::inEarly, &ClockRecord::inLate, &ClockRecord::outEarly,
                                    &ClockRecord::outLate, &ClockRecord::clockOut}) {
        ClockRecord r = punchRecord(QStringLiteral("E1"), morning.addSecs(60 * records.size()), false);
        r.*flag = true;
        records.append(r);
    }
    ClockRecord full = punchRecord(QStringLiteral("E1"), morning.addSecs(3600), true, QStringLiteral("Eve"));
    full.tips = Money::fromUnits(123456);
    full.dnumber = 7;
    full.options = static_cast<qint16>(Mark::OutLate);
    full.created = morning.addSecs(3605);
    records.append(full);
    return records;
}

// The rows as stored, each column found by its own name: the reading the program's column list
// must agree with.
QList<ClockRecord> storedByName(Database& db)
{
    QList<ClockRecord> rows;
    QSqlQuery& q = db.run(QStringLiteral(R"(SELECT * FROM "In Out" ORDER BY "Record number")"));
    const auto number = [&](const char* name) {
        return q.value(QLatin1String(name)).toLongLong();
    };
    while (q.next()) {
        ClockRecord r;
        r.time = StoredTime::fromText(q.value(QStringLiteral("Time")).toString());
        r.employeeId = q.value(QStringLiteral("Employee ID")).toString();
        r.clockOut = number("Clock out") != 0;
        r.julian = static_cast<qint32>(number("Julian"));
        r.employee = q.value(QStringLiteral("Employee")).toString();
        r.recordNumber = number("Record number");
        if (!q.value(QStringLiteral("Tips")).isNull())
            r.tips = Money::fromUnits(number("Tips"));
        r.dnumber = static_cast<qint32>(number("Dnumber"));
        r.inEarly = number("InEarly") != 0;
        r.inLate = number("InLate") != 0;
        r.outEarly = number("OutEarly") != 0;
        r.outLate = number("OutLate") != 0;
        r.options = static_cast<qint16>(number("Options"));
        r.created = StoredTime::fromText(q.value(QStringLiteral("Created")).toString());
        rows.append(r);
    }
    db.finish(q);
    return rows;
}
} // namespace

using InOutRowTest = BackendTest;
TELLARIN_ON_BOTH_BACKENDS(InOutRowTest);

TEST_P(InOutRowTest, EveryReaderOfTheTableGivesBackEveryFieldAsWritten)
{
    TestFolder folder(backend());
    Database& db = folder.database();
    ClockRecords records(db);
    const QList<ClockRecord> written = distinctRecords();
    QList<qint64> numbers;
    for (const ClockRecord& r : written)
        numbers.append(records.append(r));
    const qint32 day = DayNumber::of(morning);

    using Reader = std::function<QList<ClockRecord>()>;
    const struct {
        const char* name;
        Reader read;
    } readers[] = {
        {"each column by its name",
         [&] {
             return storedByName(db);
         }},
        {"since",
         [&] {
             return records.since(day);
         }},
        {"with numbers",
         [&] {
             QList<ClockRecord> found = records.withNumbers(numbers);
             std::sort(found.begin(), found.end(), [](const ClockRecord& a, const ClockRecord& b) {
                 return a.recordNumber < b.recordNumber;
             });
             return found;
         }},
        {"for an employee",
         [&] {
             return RecordEdits(db).forEmployee(QStringLiteral("E1"), day);
         }},
        {"by number",
         [&] {
             QList<ClockRecord> found;
             for (qint64 number : numbers)
                 found.append(RecordEdits(db).find(number).value_or(ClockRecord()));
             return found;
         }},
        {"in appending order",
         [&] {
             QList<ClockRecord> walked;
             RecordSequence::walk(db, day, day, [&](const ClockRecord& r) { walked.append(r); });
             return walked;
         }},
    };
    for (const auto& reader : readers) {
        SCOPED_TRACE(reader.name);
        const QList<ClockRecord> read = reader.read();
        ASSERT_EQ(read.size(), written.size());
        for (qsizetype i = 0; i < read.size(); ++i) {
            EXPECT_EQ(recordFields(read.at(i)), recordFields(written.at(i)));
            EXPECT_EQ(read.at(i).recordNumber, numbers.at(i));
        }
    }
}

TEST(InOutRow, TheStationQueueKeepsEveryFieldOfEachRecord)
{
    QTemporaryDir dir;
    PunchQueue queue(QDir(dir.path()).filePath(PunchQueue::fileName()));
    for (const ClockRecord& r : distinctRecords()) {
        const qint64 sequence = queue.enqueue(r);
        const auto first = queue.first();
        ASSERT_TRUE(first.has_value());
        EXPECT_EQ(recordFields(first->record), recordFields(r));
        EXPECT_EQ(first->sequence, sequence);
        queue.remove(sequence);
    }
}
