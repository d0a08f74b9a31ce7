// The lists that need only each employee's latest punch of the last few days, on 5,000,000 clock
// records of 500 employees, on the embedded file and on a PostgreSQL server holding the same rows:
// who is in (command and window), the clock screen's in/out lists and the forced clock-out's
// selection, each beside the raw grouped query for each employee's latest time in the same days.
//
//   [TELLARIN_BENCH_FOLDER=DIR] bench_latest [google benchmark flags]
//
// Engine 0 is bench_punch's file, built once, with the planner's statistics; 1 a server started for
// the run in a temporary folder and filled by copying the file into it (a few minutes); 2 a copy of
// the file without statistics, as a clock's own file is. Days 7 are who-is-in's default, 17 about
// 23,500 rows, 9 the forced clock-out's window.
#include "BenchDatabase.h"
#include "BenchServer.h"
#include "clock/ForcedClockOut.h"
#include "clock/InOutLists.h"
#include "platform/ProgramPaths.h"
#include "reports/WhoIsIn.h"
#include "store/ClockRecords.h"
#include "store/Database.h"
#include "store/DatabaseLocation.h"
#include "store/DayNumber.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>

namespace {
constexpr int rows = 5'000'000;
const QDate today(2026, 12, 4);

enum Engine { File = 0, Server = 1, PlainFile = 2 };

// The same file without the planner's statistics, as a clock's own file is (the program never
// gathers them; bench_punch's file has them from its build).
QString plainFile()
{
    const QString folder = BenchDatabase::benchFolder() + QStringLiteral("/rows-5000000-plain");
    const QString path = ProgramPaths(folder).clockDatabase();
    if (QFileInfo::exists(folder + QStringLiteral("/ready")))
        return path;
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    if (!QFile::copy(ProgramPaths(BenchDatabase::preparedFolder(rows)).clockDatabase(), path))
        std::abort();
    {
        Database database;
        if (!database.open(path).ok())
            std::abort();
        database.execute(QStringLiteral("DROP TABLE sqlite_stat1"));
    }
    QFile ready(folder + QStringLiteral("/ready"));
    ready.open(QIODevice::WriteOnly);
    return path;
}

QString serverUrl()
{
    static const QString url = BenchServer::filledWith(rows, false);
    return url;
}

void open(Database& database, const benchmark::State& state)
{
    bool ok = false;
    switch (state.range(0)) {
    case Server:
        ok = database.openServer(*DatabaseLocation::parse(serverUrl())).ok();
        break;
    case PlainFile:
        ok = database.open(plainFile()).ok();
        break;
    default:
        ok = database.open(ProgramPaths(BenchDatabase::preparedFolder(rows)).clockDatabase()).ok();
    }
    if (!ok)
        std::abort();
}

// Arg 1: the days before today, as who-is-in counts them.
qint32 firstDay(const benchmark::State& state)
{
    return DayNumber::of(today) - static_cast<qint32>(state.range(1));
}

// The yardstick: each employee's latest time in the days, nothing else.
void BM_RawGroupedQuery(benchmark::State& state)
{
    Database database;
    open(database, state);
    qsizetype employees = 0;
    for (auto _ : state) {
        QSqlQuery& query = database.run(QStringLiteral(R"(SELECT "Employee ID", max("Time") FROM "In Out" )"
                                                       R"(WHERE "Julian" >= ? GROUP BY "Employee ID")"),
                                        {firstDay(state)});
        employees = 0;
        while (query.next()) {
            benchmark::DoNotOptimize(query.value(1).toString());
            ++employees;
        }
        database.finish(query);
    }
    state.counters["employees"] = static_cast<double>(employees);
}

void BM_WhoIsIn(benchmark::State& state)
{
    Database database;
    open(database, state);
    qsizetype employees = 0;
    for (auto _ : state) {
        const auto lists = WhoIsIn::load(database, today, static_cast<qint16>(state.range(1)));
        employees = lists ? lists->in.size() + lists->out.size() : 0;
    }
    state.counters["employees"] = static_cast<double>(employees);
}

void BM_InOutLists(benchmark::State& state)
{
    Database database;
    open(database, state);
    qsizetype employees = 0;
    for (auto _ : state) {
        qint16 days = static_cast<qint16>(state.range(1));
        const auto lists = InOutLists::load(database, today, days);
        employees = lists ? lists->in.size() + lists->out.size() : 0;
    }
    state.counters["employees"] = static_cast<double>(employees);
}

// What the hourly pass reads before it decides whether to write anything, with the OUT a minute
// after the IN (the default), which needs no next times, and with another placement, which does.
void forcedSelection(benchmark::State& state, ClockRecords::NextTimes nextTimes)
{
    Database database;
    open(database, state);
    const QDateTime now(today, QTime(8, 45, 1));
    qsizetype outs = 0;
    ClockRecords records(database);
    for (auto _ : state) {
        // The same days as the raw query's.
        const ClockRecords::OpenIns open = records.openInsAfter(firstDay(state) - 1, nextTimes);
        outs = ForcedClockOut::closingsDue(open.ins, now, ForcedClockOut::limitMinutes(12)).size();
    }
    state.counters["outs"] = static_cast<double>(outs);
}

void BM_ForcedClockOutSelection(benchmark::State& state)
{
    forcedSelection(state, ClockRecords::NextTimes::NotWanted);
}

void BM_ForcedClockOutSelectionWithNextTimes(benchmark::State& state)
{
    forcedSelection(state, ClockRecords::NextTimes::Wanted);
}

void arguments(benchmark::internal::Benchmark* b)
{
    b->ArgNames({"engine", "days"});
    for (int engine : {File, PlainFile, Server})
        for (int days : {7, 17})
            b->Args({engine, days});
    b->Unit(benchmark::kMillisecond);
}

void forcedArguments(benchmark::internal::Benchmark* b)
{
    b->ArgNames({"engine", "days"});
    for (int engine : {File, PlainFile, Server})
        b->Args({engine, ForcedClockOut::windowDays});
    b->Unit(benchmark::kMillisecond);
}
} // namespace

BENCHMARK(BM_RawGroupedQuery)->Apply(arguments);
BENCHMARK(BM_RawGroupedQuery)->Apply(forcedArguments);
BENCHMARK(BM_WhoIsIn)->Apply(arguments);
BENCHMARK(BM_InOutLists)->Apply(arguments);
BENCHMARK(BM_ForcedClockOutSelection)->Apply(forcedArguments);
BENCHMARK(BM_ForcedClockOutSelectionWithNextTimes)->Apply(forcedArguments);
