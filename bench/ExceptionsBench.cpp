// The exceptions list for 200 employees over one month (about 35,000 rows) and one year (about
// 420,000 rows), on the report benchmark's database.
//
//   [TELLARIN_BENCH_FOLDER=DIR] bench_exceptions [google benchmark flags]
//
// BM_Exceptions reads the rows at every run, as the list would; BM_ExceptionsFinding works on rows
// read once, to show the walk alone.
#include "BenchDatabase.h"
#include "exceptions/PunchExceptions.h"
#include "platform/ProgramPaths.h"
#include "store/Database.h"
#include "store/DayNumber.h"

#include <benchmark/benchmark.h>

namespace {
ExceptionQuery query(const benchmark::State& state)
{
    return {DayNumber::of(state.range(0) == 0 ? BenchDatabase::monthStart : BenchDatabase::yearStart),
            DayNumber::of(BenchDatabase::yearEnd),
            {},
            {}};
}

ExceptionRules rules()
{
    ExceptionRules r;
    r.now = qint64(DayNumber::of(BenchDatabase::yearEnd) + 2) * ReportRows::secondsPerDay;
    return r;
}

void measure(benchmark::State& state, bool readEachRun)
{
    Database database;
    database.open(ProgramPaths(BenchDatabase::reportFolder()).clockDatabase());
    const ExceptionQuery q = query(state);
    const ExceptionRules r = rules();
    const auto [from, to] = PunchExceptions::rowDays(q);
    QList<ReportRow> rows;
    if (!readEachRun)
        rows = ReportRows::select(database, from, to, ReportRows::Order::Employee);
    qsizetype found = 0;
    for (auto _ : state) {
        const QList<PunchException> list =
            readEachRun ? PunchExceptions::load(database, q, r) : PunchExceptions::find(rows, q, r);
        found = list.size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["exceptions"] = static_cast<double>(found);
}

void BM_Exceptions(benchmark::State& state)
{
    measure(state, true);
}

void BM_ExceptionsFinding(benchmark::State& state)
{
    measure(state, false);
}
} // namespace

// Argument 0: December (a month); 1: the whole year.
BENCHMARK(BM_Exceptions)->ArgName("year")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ExceptionsFinding)->ArgName("year")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);
