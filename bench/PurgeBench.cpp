// A purge of 1,000,000 clock records beside a clock station punching every 50 ms on the same file:
// how long each punch waited for the write lock (max_delay_ms must stay under 2000), and how long
// the purge took.
//
//   [TELLARIN_BENCH_FOLDER=DIR] bench_purge [google benchmark flags]
#include "BenchDatabase.h"
#include "clock/WaitingPunches.h"
#include "platform/ProgramPaths.h"
#include "store/ClockFiles.h"
#include "store/Database.h"
#include "store/DayNumber.h"
#include "store/RecordEdits.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <thread>
#include <vector>

namespace {
using Clock = std::chrono::steady_clock;

// The clock screen's way of storing a punch on a busy file: short tries, one per tick.
double punchDelayMs(WaitingPunches& waiting, const ClockRecord& record)
{
    const auto start = Clock::now();
    while (!waiting.store(record, std::chrono::milliseconds(100)))
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void BM_PurgeBesidePunching(benchmark::State& state)
{
    const int rows = static_cast<int>(state.range(0));
    const ProgramPaths prepared(BenchDatabase::preparedFolder(rows));
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir folder(BenchDatabase::benchFolder() + QStringLiteral("/purge-XXXXXX"));
        const ProgramPaths paths(folder.path());
        QFile::copy(prepared.clockDatabase(), paths.inProgramFolder(QStringLiteral("Clock.mdb")));
        std::atomic<bool> purging = true;
        std::vector<double> delays;
        std::thread station([&] {
            Database database;
            if (!database.open(paths.clockDatabase()).ok())
                std::abort();
            WaitingPunches waiting(database, paths.programFolder());
            QDateTime now(QDate(2026, 12, 4), QTime(8, 0));
            for (int i = 0; purging; ++i) {
                now = now.addSecs(1);
                ClockRecord r;
                r.employeeId = BenchDatabase::employeeId(i % BenchDatabase::employeeCount);
                r.employee = r.employeeId;
                r.time = r.created = now;
                r.julian = DayNumber::of(now);
                r.clockOut = (i / BenchDatabase::employeeCount) % 2 == 1;
                delays.push_back(punchDelayMs(waiting, r));
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
        });
        Database database;
        if (!database.open(paths.clockDatabase()).ok())
            std::abort();
        state.ResumeTiming();
        const qint64 removed = RecordEdits(database).removeBefore(
            DayNumber::of(QDate(2026, 12, 4)), {QDateTime::currentDateTime(), QStringLiteral("bench")});
        state.PauseTiming();
        purging = false;
        station.join();
        std::sort(delays.begin(), delays.end());
        state.counters["removed"] = static_cast<double>(removed);
        state.counters["punches"] = static_cast<double>(delays.size());
        state.counters["max_delay_ms"] = delays.empty() ? 0 : delays.back();
        state.counters["p95_delay_ms"] = delays.empty() ? 0 : delays[delays.size() * 95 / 100];
        state.ResumeTiming();
    }
}
} // namespace

BENCHMARK(BM_PurgeBesidePunching)->Arg(1'000'000)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
