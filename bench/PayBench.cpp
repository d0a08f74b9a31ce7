// Pay for 200 employees over one month (about 35,000 rows) and one year (about 420,000 rows) under
// the strictest rules (daily, weekly and seventh-day overtime, breaks, rounding, rates by date, New
// York's clock changes), next to the clocking report's own computation of the same period.
//
//   [TELLARIN_BENCH_FOLDER=DIR] bench_pay [google benchmark flags]
//
// BM_Pay and BM_ReportLines read their rows as the pay summary and the report would (pay reads the
// whole first workweek and two days after the end); the *Computation pair works on one set of rows
// already read, to compare the walks alone. The database is the report benchmark's.
#include "BenchDatabase.h"
#include "pay/PayCalculation.h"
#include "platform/ProgramPaths.h"
#include "reports/ReportLines.h"
#include "settings/SettingsRecord.h"
#include "store/Database.h"
#include "store/DayNumber.h"
#include "store/StaffFiles.h"

#include <benchmark/benchmark.h>

namespace {
qint32 firstDay(const benchmark::State& state)
{
    return DayNumber::of(state.range(0) == 0 ? BenchDatabase::monthStart : BenchDatabase::yearStart);
}

qint32 lastDay()
{
    return DayNumber::of(BenchDatabase::yearEnd);
}

SettingsRecord settings()
{
    SettingsRecord s;
    s.autoDeduct = true;
    s.reportTips = true;
    return s;
}

PayRequest payRequest(const benchmark::State& state)
{
    PayRequest r;
    r.firstDay = firstDay(state);
    r.lastDay = lastDay();
    r.rounding = RoundingCode(11);
    r.rules.dailyOvertime = true;
    r.rules.dailyDouble = true;
    r.rules.seventhDay = true;
    r.zone = QTimeZone("America/New_York");
    return r;
}

PayRates rates()
{
    PayRates all;
    for (int e = 0; e < BenchDatabase::reportEmployeeCount; ++e)
        all.insert(QStringLiteral("E%1").arg(e, 3, 10, QLatin1Char('0')),
                   {Money::fromUnits(150000 + e * 100),
                    {{DayNumber::of(QDate(2025, 4, 1)), Money::fromUnits(160000 + e * 100)},
                     {DayNumber::of(QDate(2025, 12, 15)), Money::fromUnits(170000 + e * 100)}}});
    return all;
}

class Discard final : public ReportSink {
public:
    void line(const ReportLine& l) override { minutes += l.minutes; }
    qint64 minutes = 0;
};

struct Bench {
    Bench()
    {
        database.open(ProgramPaths(BenchDatabase::reportFolder()).clockDatabase());
        for (int d = 1; d <= 12; ++d)
            departments.entries.append({d, QStringLiteral("Department %1").arg(d)});
    }
    QList<ReportRow> reportRows(const benchmark::State& state)
    {
        return ReportRows::select(database, firstDay(state), lastDay(), ReportRows::Order::Employee);
    }
    QList<ReportRow> payRows(const benchmark::State& state)
    {
        const auto [from, to] = PayCalculation::rowDays(firstDay(state), lastDay(), payRequest(state).rules);
        return ReportRows::select(database, from, to, ReportRows::Order::Employee);
    }
    qint64 report(const benchmark::State& state, const QList<ReportRow>& rows) const
    {
        const ReportRequest request{firstDay(state), lastDay(), true, RoundingCode(11)};
        Discard sink;
        ClockingReport(request, s, departments, QDateTime(BenchDatabase::yearEnd, QTime(9, 0)))
            .PrintReport(rows, sink);
        return sink.minutes;
    }
    Money pay(const benchmark::State& state, const QList<ReportRow>& rows) const
    {
        return PayCalculation(payRequest(state), s, payRates).compute(rows).gross;
    }

    Database database;
    SettingsRecord s = settings();
    DepartmentList departments;
    PayRates payRates = rates();
};

// Reads the rows at every run, as the summary or the report would, or once before the timing.
void measure(benchmark::State& state, bool pay, bool readEachRun)
{
    Bench bench;
    QList<ReportRow> rows;
    if (!readEachRun)
        rows = bench.reportRows(state);
    for (auto _ : state) {
        if (readEachRun)
            rows = pay ? bench.payRows(state) : bench.reportRows(state);
        if (pay)
            benchmark::DoNotOptimize(bench.pay(state, rows));
        else
            benchmark::DoNotOptimize(bench.report(state, rows));
    }
    state.counters["rows"] = static_cast<double>(rows.size());
}

void BM_Pay(benchmark::State& state)
{
    measure(state, true, true);
}

void BM_ReportLines(benchmark::State& state)
{
    measure(state, false, true);
}

void BM_PayComputation(benchmark::State& state)
{
    measure(state, true, false);
}

void BM_ReportComputation(benchmark::State& state)
{
    measure(state, false, false);
}
} // namespace

// Argument 0: December (a month); 1: the whole year.
BENCHMARK(BM_Pay)->ArgName("year")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ReportLines)->ArgName("year")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_PayComputation)->ArgName("year")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ReportComputation)->ArgName("year")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);
