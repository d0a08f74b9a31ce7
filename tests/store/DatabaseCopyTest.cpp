#include "store/DatabaseCopy.h"

#include "CopySource.h"
#include "PostgresServer.h"
#include "PunchRecord.h"
#include "TestFolder.h"
#include "store/ApplicationTable.h"
#include "store/BadgeTable.h"
#include "store/ClockRecords.h"
#include "store/DatabaseError.h"
#include "store/DatabaseLocation.h"
#include "store/DayNumber.h"
#include "store/EmployeePayrollTable.h"
#include "store/PayRateTable.h"
#include "store/PeriodStates.h"
#include "store/PinTable.h"
#include "store/ProgramSettingsTable.h"
#include "store/ResolvedExceptions.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {
qint64 scalar(Database& database, const QString& sql)
{
    QSqlQuery& query = database.run(sql);
    const qint64 value = query.next() ? query.value(0).toLongLong() : -1;
    database.finish(query);
    return value;
}

qint64 rowsIn(Database& database, const char* table)
{
    return scalar(database,
                  QStringLiteral("SELECT count(*) FROM %1").arg(Database::quoted(QLatin1String(table))));
}

void openServer(Database& server)
{
    const QString url = PostgresServer::shared().createDatabase(QStringLiteral("copy"));
    ASSERT_FALSE(url.isEmpty()) << qPrintable(PostgresServer::shared().error());
    const auto opened = server.openServer(*DatabaseLocation::parse(url));
    ASSERT_TRUE(opened.ok()) << qPrintable(opened.errorText);
}

const QString maxRecord = QStringLiteral(R"(SELECT max("Record number") FROM "In Out")");
const QString maxEntry = QStringLiteral(R"(SELECT max("Entry number") FROM "Edit history")");
} // namespace

TEST(DatabaseCopy, LargeFileArrivesWholeWithNumbersAndHistory)
{
    TELLARIN_REQUIRE_POSTGRES();
    constexpr int rows = 100'000;
    TestFolder folder;
    Database& file = folder.database();
    CopySource::fill(file, rows);
    const DayRange period{QDate(2026, 11, 1), QDate(2026, 11, 15)};
    PeriodStates(file).approve(period, QStringLiteral("E1"),
                               {QDateTime(QDate(2026, 11, 16), QTime(9, 0)), "ann"});
    PeriodStates(file).lock(period, {QDateTime(QDate(2026, 11, 16), QTime(9, 5)), "ann"});
    PayRateTable(file).set(QStringLiteral("E1"), 46000, Money::fromUnits(185000),
                           {QDateTime(QDate(2026, 1, 1), QTime(9, 0)), QStringLiteral("test")});
    ProgramSettingsTable(file).write({{QStringLiteral("pay.seventh_day"), QStringLiteral("on")}});
    Resolution resolution;
    resolution.recordNumber = 1;
    resolution.kind = QStringLiteral("long-shift");
    resolution.basis = QStringLiteral("basis");
    ResolvedExceptions(file).resolve(resolution,
                                     {QDateTime(QDate(2026, 11, 16), QTime(9, 10)), QStringLiteral("ann")});
    PinTable(file).choose(QStringLiteral("E1"), QStringLiteral("$argon2id$v=19$m=65536,t=2,p=1$salt$hash"));
    const EditStamp later{QDateTime(QDate(2026, 11, 16), QTime(9, 20)), QStringLiteral("ann")};
    BadgeTable(file).assign(QStringLiteral("E1"), QStringLiteral("0004512345"), later);
    EmployeePayrollTable(file).set(
        {QStringLiteral("E1"), QStringLiteral("000123"), QStringLiteral("Ann"), QStringLiteral("Baker")},
        later);
    Database server;
    ASSERT_NO_FATAL_FAILURE(openServer(server));

    const DatabaseCopy::Result result = DatabaseCopy(file, server).run();
    ASSERT_EQ(result.outcome, DatabaseCopy::Outcome::Copied);
    // Made by the fill: one row removed and one inserted by hand, two staff, the one settings row,
    // three history entries; then a period approved for one employee and locked, and a pay rate,
    // with their entries; one setting of the program's own; a resolved exception with its entry; one
    // PIN; and a badge and payroll details, each with its entry.
    const struct {
        const char* table;
        qint64 rows;
    } expected[] = {
        {"In Out", rows},           {"Employee", 2},    {"Application", 1},      {"Program settings", 1},
        {"Edit history", 9},        {"Pay periods", 1}, {"Period approvals", 1}, {"Pay rate", 1},
        {"Resolved exceptions", 1}, {"PINs", 1},        {"Badges", 1},           {"Employee payroll", 1}};
    ASSERT_EQ(result.counts.size(), std::size(expected));
    for (qsizetype i = 0; i < result.counts.size(); ++i) {
        SCOPED_TRACE(expected[i].table);
        EXPECT_EQ(result.counts[i].table, QLatin1String(expected[i].table));
        EXPECT_EQ(result.counts[i].source, expected[i].rows);
        EXPECT_EQ(result.counts[i].target, expected[i].rows);
        EXPECT_EQ(rowsIn(server, expected[i].table), expected[i].rows);
    }

    // Whole rows, compared in the form the history keeps them, so a changed type shows too.
    EditHistory fileHistory(file), serverHistory(server);
    const qint64 highest = scalar(file, maxRecord);
    for (const qint64 number :
         {CopySource::recordNumber(0), CopySource::recordNumber(10), CopySource::recordNumber(13),
          CopySource::recordNumber(777), CopySource::recordNumber(rows - 2), highest}) {
        SCOPED_TRACE(number);
        const QString values = fileHistory.rowValues(number);
        ASSERT_FALSE(values.isEmpty());
        EXPECT_EQ(serverHistory.rowValues(number).toStdString(), values.toStdString());
    }
    EXPECT_TRUE(serverHistory.rowValues(CopySource::recordNumber(15)).isEmpty());
    EXPECT_EQ(scalar(server, maxRecord), highest);

    const auto staff = StaffTable(server).find(QStringLiteral("E2"));
    ASSERT_TRUE(staff.has_value());
    EXPECT_EQ(staff->employee, QStringLiteral("Bo"));
    const ApplicationTable::Row settings = ApplicationTable(server).read();
    EXPECT_EQ(settings.value(QStringLiteral("EarlyLimit")).toInt(), 15);
    EXPECT_EQ(settings.value(QStringLiteral("TipsWord")).toString(), QStringLiteral("Gratuity"));

    const EditHistory::Verdict verdict = serverHistory.verify();
    EXPECT_TRUE(verdict.intact) << qPrintable(verdict.reason);
    EXPECT_EQ(verdict.checked, 9);

    // The server numbers what comes next past everything copied, and the chain goes on from there.
    const QDateTime t(QDate(2026, 12, 4), QTime(8, 0));
    const qint64 punched = ClockRecords(server).appendPunch(QStringLiteral("E3"), [&](const auto& last) {
        return std::optional<ClockRecord>(punchRecord(QStringLiteral("E3"), t, last && !last->clockOut));
    });
    EXPECT_GT(punched, highest);
    const qint64 lastEntry = scalar(server, maxEntry);
    RecordEdits(server).remove(punched, {t, QStringLiteral("office")});
    EXPECT_GT(scalar(server, maxEntry), lastEntry);
    EXPECT_TRUE(serverHistory.verify().intact);
}

TEST(DatabaseCopy, TargetInUseIsRefusedUntouched)
{
    TELLARIN_REQUIRE_POSTGRES();
    TestFolder folder;
    CopySource::fill(folder.database(), 20);
    const QDateTime t(QDate(2026, 12, 4), QTime(8, 0));
    const struct {
        const char* what;
        std::function<void(Database&)> use;
    } cases[] = {
        {"a punch",
         [&](Database& db) {
             ClockRecords(db).append(punchRecord(QStringLiteral("Z"), t, false));
         }},
        {"a history entry",
         [&](Database& db) {
             Transaction transaction(db);
             EditHistory(db).append({t, QStringLiteral("office")}, EditHistory::deleted, 99, QString(),
                                    QString());
             transaction.commit();
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Database server;
        ASSERT_NO_FATAL_FAILURE(openServer(server));
        c.use(server);
        const qint64 records = rowsIn(server, "In Out"), entries = rowsIn(server, "Edit history");

        EXPECT_EQ(DatabaseCopy(folder.database(), server).run().outcome,
                  DatabaseCopy::Outcome::TargetNotEmpty);
        EXPECT_EQ(rowsIn(server, "In Out"), records);
        EXPECT_EQ(rowsIn(server, "Edit history"), entries);
        EXPECT_EQ(rowsIn(server, "Employee"), 0);
        // The server's own settings row is still the one it was laid out with.
        EXPECT_EQ(ApplicationTable(server).read().value(QStringLiteral("EarlyLimit")).toInt(), 0);
    }
}

TEST(DatabaseCopy, FailureHalfwayLeavesTargetEmpty)
{
    TELLARIN_REQUIRE_POSTGRES();
    TestFolder folder;
    CopySource::fill(folder.database(), 1000);
    // A value the server's column cannot take, far into the rows: the batches before it were sent.
    folder.database().execute(
        QStringLiteral(R"(UPDATE "In Out" SET "Julian" = 'not a day' WHERE "Record number" = ?)"),
        {CopySource::recordNumber(900)});
    Database server;
    ASSERT_NO_FATAL_FAILURE(openServer(server));
    EXPECT_THROW(DatabaseCopy(folder.database(), server, 100).run(), DatabaseError);
    for (const char* table : {"In Out", "Employee", "Edit history"})
        EXPECT_EQ(rowsIn(server, table), 0) << table;
    EXPECT_EQ(rowsIn(server, "Application"), 1);
}

// A server laid out while the password column was text keeps its password when the column
// becomes bytes; a password with NUL travels from the file unchanged.
TEST(DatabaseCopy, PasswordsOfEveryKindReachTheServer)
{
    TELLARIN_REQUIRE_POSTGRES();
    const QString url = PostgresServer::shared().createDatabase(QStringLiteral("password"));
    ASSERT_FALSE(url.isEmpty()) << qPrintable(PostgresServer::shared().error());
    {
        Database older;
        ASSERT_TRUE(older.openServer(*DatabaseLocation::parse(url)).ok());
        ASSERT_TRUE(
            QSqlQuery(older.connection())
                .exec(QStringLiteral(R"(ALTER TABLE "Application" ALTER COLUMN "PW" TYPE TEXT USING NULL)")));
        // A server laid out before layouts were recorded.
        ASSERT_TRUE(QSqlQuery(older.connection()).exec(QStringLiteral(R"(DROP TABLE "Schema version")")));
        older.execute(QStringLiteral(R"(UPDATE "Application" SET "PW" = ?)"), {QStringLiteral("\x01Z\x7f")});
    }
    Database server;
    ASSERT_TRUE(server.openServer(*DatabaseLocation::parse(url)).ok());
    EXPECT_EQ(ApplicationTable(server).read().value(QStringLiteral("PW")).toString(),
              QStringLiteral("\x01Z\x7f"));
    EXPECT_EQ(scalar(server, QStringLiteral(R"(SELECT octet_length("PW") FROM "Application")")), 3);

    TestFolder folder;
    const QString withNul = QString(QChar(0)) + QStringLiteral("UIC\x02K");
    ApplicationTable(folder.database()).write({{QStringLiteral("PW"), withNul}});
    Database empty;
    ASSERT_NO_FATAL_FAILURE(openServer(empty));
    ASSERT_EQ(DatabaseCopy(folder.database(), empty).run().outcome, DatabaseCopy::Outcome::Copied);
    EXPECT_EQ(ApplicationTable(empty).read().value(QStringLiteral("PW")).toString(), withNul);
}
